// Pictures into texture names, all or nothing, from the program's BMP list.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/gl_state.h"
#include "platform/platform.h"

std::array<GLuint, kMaxTextures> TextureTable{};

namespace {

std::span<const char* const> textureList;

void FreeImage(RgbImage* image) {
    if (image == nullptr) return;
    std::free(image->pixels);
    std::free(image);
}

void UploadTexture(GLuint name, const RgbImage& image) {
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(
        GL_TEXTURE_2D, 0, 3, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE, image.pixels);
}

}  // namespace

void UseTextureList(std::span<const char* const> files) { textureList = files; }

std::span<const char* const> UsedTextureList() { return textureList; }

RgbImage* LoadBmpImage(const char* path) {
    if (path == nullptr) return nullptr;
    // A missing file is not worth the reader's error box.
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) return nullptr;
    std::fclose(file);

    AUX_RGBImageRec* decoded = auxDIBImageLoadA(path);
    if (decoded == nullptr) return nullptr;
    if (decoded->data == nullptr) {
        std::free(decoded);
        return nullptr;
    }
    auto* image = static_cast<RgbImage*>(std::malloc(sizeof(RgbImage)));
    if (image != nullptr) {
        image->width = decoded->sizeX;
        image->height = decoded->sizeY;
        image->pixels = decoded->data;
    } else {
        std::free(decoded->data);
    }
    std::free(decoded);
    return image;
}

bool LoadTextureTable(std::span<const char* const> files, GLuint* table) {
    std::vector<RgbImage*> images(files.size(), nullptr);
    bool loaded = true;
    for (std::size_t i = 0; i < files.size(); ++i) {
        images[i] = LoadBmpImage(files[i]);
        if (images[i] == nullptr) {
            loaded = false;
            break;
        }
    }

    if (loaded) {
        const auto count = static_cast<GLsizei>(files.size());
        glGenTextures(count, table);
        // Picture rows are packed without gaps, so any width uploads intact
        // only with byte alignment; everything else keeps the default of 4.
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        for (std::size_t i = 0; i < files.size(); ++i) UploadTexture(table[i], *images[i]);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    }

    for (RgbImage* image : images) FreeImage(image);
    return loaded;
}
