// The BMP decoder on any bytes: a picture whose size agrees with its pixels
// and the side limit, or an error and no picture; never a crash, a stray
// read or a leak (the sanitizers watch). The same bytes read from a file,
// where only what the headers ask for is read, give the same answer.
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzz_files.h"
#include "platform/dib_decode.h"

namespace {

// Small enough to keep every input quick; the limit's checks are the same
// at any size.
constexpr int kSide = 1024;

bool Consistent(DibError error, const DibImage& image) {
    if (error != DibError::None) {
        return image.width == 0 && image.height == 0 && image.rgb.empty();
    }
    return image.width >= 1 && image.width <= kSide && image.height >= 1 && image.height <= kSide &&
           image.rgb.size() == static_cast<std::size_t>(image.width) * image.height * 3;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DibImage fromBytes;
    const DibError bytesError = DecodeDibBytes(data, size, fromBytes, kSide);
    if (!Consistent(bytesError, fromBytes)) std::abort();

    static const std::string path = ScratchPath("input.bmp");
    WriteScratch(path, data, size);
    DibImage fromFile;
    const DibError fileError = DecodeDibFile(path.c_str(), fromFile, kSide);
    if (fileError != bytesError || fromFile.width != fromBytes.width ||
        fromFile.height != fromBytes.height || fromFile.rgb != fromBytes.rgb) {
        std::abort();
    }
    return 0;
}
