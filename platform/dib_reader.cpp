// auxDIBImageLoadA: the DIB reader the programs load their pictures with. It
// reports its own failures in a box owned by the focus window and hands out
// plain malloc'ed blocks that the caller frees (pixels first, then record).

#include "platform/dib_decode.h"
#include "platform/platform.h"

#include <cstdlib>
#include <cstring>

namespace {

void ShowReaderError(DibError error, const char* path) {
    const std::string text = DibErrorMessage(error, path);
    MessageBoxA(GetFocus(), text.c_str(), "Error", MB_OK);
}

}  // namespace

AUX_RGBImageRec* auxDIBImageLoadA(const char* path) {
    DibImage image;
    DibError error = DecodeDibFile(path, image);
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
