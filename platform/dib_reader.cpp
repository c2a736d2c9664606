// auxDIBImageLoadA: the DIB reader the programs load their pictures with. It
// reports its own failures in a box owned by the focus window and hands out
// plain malloc'ed blocks that the caller frees (pixels first, then record).

#include "platform/dib_decode.h"
#include "platform/platform.h"

#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// The pictures become textures of the current GL context: a side longer
// than the context takes is refused as a picture too large to hold, before
// anything is allocated for it (Mesa aborts in glTexImage2D on some of them).
int PictureSideLimit() {
    GLint contextLimit = 0;
    if (SDL_GL_GetCurrentContext() != nullptr) {
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &contextLimit);
    }
    return contextLimit > 0 ? std::min<int>(contextLimit, kMaxDibSide) : kMaxDibSide;
}

void ShowReaderError(DibError error, const char* path) {
    const std::string text = DibErrorMessage(error, path);
    MessageBoxA(GetFocus(), text.c_str(), "Error", MB_OK);
}

}  // namespace

AUX_RGBImageRec* auxDIBImageLoadA(const char* path) {
    DibImage image;
    DibError error = DecodeDibFile(path, image, PictureSideLimit());
    if (error != DibError::None) {
        ShowReaderError(error, path);
        return nullptr;
    }
    auto* record = static_cast<AUX_RGBImageRec*>(std::malloc(sizeof(AUX_RGBImageRec)));
    auto* pixels = static_cast<unsigned char*>(std::malloc(image.rgb.size()));
    if (record == nullptr || pixels == nullptr) {
        std::free(record);
        std::free(pixels);
        ShowReaderError(DibError::OutOfMemory, path);
        return nullptr;
    }
    std::memcpy(pixels, image.rgb.data(), image.rgb.size());
    record->sizeX = image.width;
    record->sizeY = image.height;
    record->data = pixels;
    return record;
}
