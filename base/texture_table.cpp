// Pictures into texture names, all or nothing, from the program's BMP list.
#include <algorithm>
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

// A picture with a side longer than the context takes never reaches
// glTexImage2D: some drivers abort there instead of reporting an error.
bool FitTheContext(const std::vector<RgbImage*>& images) {
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    return std::all_of(images.begin(), images.end(), [maxSide](const RgbImage* image) {
        return image->width <= maxSide && image->height <= maxSide;
    });
}

// Errors left by earlier calls would be taken for the uploads' own.
void ClearGlErrors() {
    int left = 16;  // a lost context may report errors without end
    while (left-- > 0 && glGetError() != GL_NO_ERROR) continue;
}

// True when GL took the picture.
bool UploadTexture(GLuint name, const RgbImage& image) {
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(
        GL_TEXTURE_2D, 0, 3, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE, image.pixels);
    return glGetError() == GL_NO_ERROR;
}

// All pictures into new names, given to the table only when GL took every
// one; otherwise the names go again and the table keeps what it held.
bool UploadAll(const std::vector<RgbImage*>& images, GLuint* table) {
    std::vector<GLuint> names(images.size(), 0);
    const auto count = static_cast<GLsizei>(names.size());
    ClearGlErrors();
    glGenTextures(count, names.data());
    // Picture rows are packed without gaps, so any width uploads intact
    // only with byte alignment; everything else keeps the default of 4.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    bool uploaded = true;
    for (std::size_t i = 0; i < images.size() && uploaded; ++i) {
        uploaded = UploadTexture(names[i], *images[i]);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    if (!uploaded) {
        glDeleteTextures(count, names.data());
        return false;
    }
    std::copy(names.begin(), names.end(), table);
    return true;
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

    loaded = loaded && FitTheContext(images) && UploadAll(images, table);

    for (RgbImage* image : images) FreeImage(image);
    return loaded;
}
