// The BMP decoder: the reference corpus, every accepted layout, the rejected
// ones, size limits and bounded reading, robustness against damaged and
// hostile files, and the reader's error boxes.

#include "platform/dib_decode.h"
#include "platform/platform.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

namespace {

using testfiles::Bytes;
using testfiles::PutU16;
using testfiles::PutU32;

const std::string kSuite = TREVLA_BMPSUITE_DIR;
const std::string kHostile = TREVLA_HOSTILE_DIR;

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << "," << c.g << "," << c.b << ")";
}

// Pixel (x, y) with y counted from the top of the picture.
Rgb PixelFromTop(const DibImage& image, int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(image.height - 1 - y) * image.width + x) * 3;
    return {image.rgb.at(at), image.rgb.at(at + 1), image.rgb.at(at + 2)};
}

DibImage Decode(const std::string& path) {
    DibImage image;
    EXPECT_EQ(DecodeDibFile(path.c_str(), image), DibError::None) << path;
    return image;
}

DibError DecodeBytes(const Bytes& bytes, DibImage& image) {
    return DecodeDibBytes(bytes.data(), bytes.size(), image);
}

std::vector<std::string> SuiteFiles(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(kSuite + "/" + folder)) {
        files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// ---------------------------------------------------------------------------
// The reference corpus

struct KnownPixel {
    int x, y;
    Rgb colour;
};

struct KnownPicture {
    const char* file;
    int width, height;
    std::vector<KnownPixel> pixels;  // read from the files' bytes by hand
};

TEST(DibCorpus, ReferencePicturesDecodeUprightWithTrueColours) {
    const std::vector<KnownPicture> pictures = {
        {"rgb24.bmp",
         127,
         64,
         {{0, 0, {255, 0, 0}},
          {126, 0, {159, 159, 189}},
          {0, 63, {0, 0, 0}},
          {126, 63, {96, 96, 126}},
          {20, 40, {93, 165, 165}},
          {64, 32, {255, 255, 255}},
          {100, 10, {149, 149, 153}}}},
        {"pal8.bmp",
         127,
         64,
         {{0, 0, {255, 0, 0}},
          {126, 0, {153, 170, 204}},
          {0, 63, {0, 0, 0}},
          {126, 63, {102, 85, 102}},
          {20, 40, {102, 170, 204}},
          {64, 32, {255, 255, 255}},
          {100, 10, {153, 170, 153}}}},
        {"pal4.bmp",
         127,
         64,
         {{0, 0, {255, 0, 0}},
          {126, 0, {255, 128, 255}},
          {0, 63, {0, 0, 0}},
          {126, 63, {0, 0, 0}},
          {20, 40, {255, 255, 255}},
          {100, 10, {255, 128, 255}}}},
        {"pal1.bmp", 127, 64, {{0, 0, {255, 255, 255}}, {0, 63, {0, 0, 0}}, {126, 63, {0, 0, 0}}}},
        {"pal8w124.bmp",
         124,
         61,
         {{0, 0, {255, 0, 0}},
          {123, 0, {153, 128, 153}},
          {0, 60, {51, 0, 0}},
          {123, 60, {51, 85, 102}}}},
        {"pal8nonsquare.bmp",
         127,
         32,
         {{0, 0, {255, 0, 0}},
          {126, 0, {153, 170, 204}},
          {0, 31, {0, 0, 0}},
          {126, 31, {102, 85, 102}}}},
    };
    for (const KnownPicture& picture : pictures) {
        SCOPED_TRACE(picture.file);
        const DibImage image = Decode(kSuite + "/g/" + picture.file);
        ASSERT_EQ(image.width, picture.width);
        ASSERT_EQ(image.height, picture.height);
        for (const KnownPixel& known : picture.pixels) {
            EXPECT_EQ(PixelFromTop(image, known.x, known.y), known.colour)
                << known.x << "," << known.y;
        }
    }
}

// Files that store one picture in different layouts must decode alike.
TEST(DibCorpus, EveryLayoutOfAPictureDecodesAlike) {
    const std::map<std::string, std::vector<std::string>> families = {
        {"rgb24.bmp", {"rgb24pal.bmp", "rgb32.bmp", "rgb32bf.bmp", "rgb32bfdef.bmp"}},
        {"pal8.bmp",
         {"pal8-0.bmp",
          "pal8os2.bmp",
          "pal8rle.bmp",
          "pal8topdown.bmp",
          "pal8v4.bmp",
          "pal8v5.bmp"}},
        {"pal4.bmp", {"pal4rle.bmp"}},
        {"pal1.bmp", {"pal1wb.bmp"}},
        {"rgb16.bmp", {"rgb16bfdef.bmp"}},
        {"rgb16-565.bmp", {"rgb16-565pal.bmp"}},
    };
    for (const auto& [reference, members] : families) {
        const DibImage expected = Decode(kSuite + "/g/" + reference);
        for (const std::string& member : members) {
            SCOPED_TRACE(member);
            const DibImage image = Decode(kSuite + "/g/" + member);
            EXPECT_EQ(image.width, expected.width);
            EXPECT_EQ(image.height, expected.height);
            EXPECT_TRUE(image.rgb == expected.rgb);
        }
    }
}

// 16-bit pictures lose only the low bits of each channel.
TEST(DibCorpus, SixteenBitPicturesMatchTheTrueColourOneClosely) {
    const DibImage reference = Decode(kSuite + "/g/rgb24.bmp");
    for (const char* file : {"rgb16.bmp", "rgb16-565.bmp"}) {
        SCOPED_TRACE(file);
        const DibImage image = Decode(kSuite + "/g/" + file);
        ASSERT_EQ(image.rgb.size(), reference.rgb.size());
        int worst = 0;
        for (std::size_t i = 0; i < image.rgb.size(); ++i) {
            worst = std::max(worst, std::abs(int(image.rgb[i]) - int(reference.rgb[i])));
        }
        EXPECT_LE(worst, 8);
    }
}

TEST(DibCorpus, GreyAndTwoColourPicturesKeepTheirPalettes) {
    for (const char* file : {"pal4gs.bmp", "pal8gs.bmp"}) {
        const DibImage image = Decode(kSuite + "/g/" + file);
        for (std::size_t i = 0; i < image.rgb.size(); i += 3) {
            ASSERT_TRUE(image.rgb[i] == image.rgb[i + 1] && image.rgb[i] == image.rgb[i + 2])
                << file;
        }
    }
    // The same pattern as pal1, in a green and a blue.
    const DibImage plain = Decode(kSuite + "/g/pal1.bmp");
    const DibImage coloured = Decode(kSuite + "/g/pal1bg.bmp");
    ASSERT_EQ(coloured.rgb.size(), plain.rgb.size());
    for (std::size_t i = 0; i < plain.rgb.size(); i += 3) {
        const Rgb expected = plain.rgb[i] == 255 ? Rgb{64, 255, 64} : Rgb{64, 64, 255};
        ASSERT_EQ((Rgb{coloured.rgb[i], coloured.rgb[i + 1], coloured.rgb[i + 2]}), expected)
            << i / 3;
    }
}

TEST(DibCorpus, EveryGoodFileDecodes) {
    const auto files = SuiteFiles("g");
    ASSERT_GE(files.size(), 20u);
    for (const std::string& file : files) {
        DibImage image;
        ASSERT_EQ(DecodeDibFile(file.c_str(), image), DibError::None) << file;
        EXPECT_EQ(image.rgb.size(), static_cast<std::size_t>(image.width) * image.height * 3)
            << file;
    }
}

TEST(DibCorpus, EveryBadFileIsRejected) {
    const std::map<std::string, DibError> special = {
        {"badheadersize.bmp", DibError::UnknownFormat},
        {"reallybig.bmp", DibError::OutOfMemory},
    };
    const auto files = SuiteFiles("b");
    ASSERT_GE(files.size(), 15u);
    for (const std::string& file : files) {
        const std::string name = std::filesystem::path(file).filename().string();
        const auto found = special.find(name);
        const DibError expected =
            found != special.end() ? found->second : DibError::ConversionFailed;
        DibImage image;
        EXPECT_EQ(DecodeDibFile(file.c_str(), image), expected) << name;
        EXPECT_TRUE(image.rgb.empty()) << name;
        EXPECT_EQ(image.width, 0) << name;
    }
}

// ---------------------------------------------------------------------------
// Layouts built byte by byte: a 2 by 2 picture, red and green in the bottom
// row, blue and white in the top row.

const std::vector<unsigned char> kQuad = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};

struct BmpSpec {
    std::uint32_t headerSize = 40;
    std::int32_t width = 2;
    std::int32_t height = 2;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> palette = {};            // 0xRRGGBB
    std::array<std::uint32_t, 4> masks = {0, 0, 0, 0};  // red, green, blue, alpha
    Bytes pixels = {};                                  // as stored
};

Bytes MakeBmp(const BmpSpec& spec) {
    const bool core = spec.headerSize == 12;
    const std::size_t entrySize = core ? 3 : 4;
    const std::size_t masksBehind = spec.headerSize == 40 && spec.compression == 3 ? 12 : 0;
    const std::size_t paletteAt = 14 + spec.headerSize + masksBehind;
    const std::size_t pixelAt = paletteAt + spec.palette.size() * entrySize;
    Bytes file(pixelAt + spec.pixels.size(), 0);
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file, 2, static_cast<std::uint32_t>(file.size()));
    PutU32(file, 10, static_cast<std::uint32_t>(pixelAt));
    PutU32(file, 14, spec.headerSize);
    if (core) {
        PutU16(file, 18, static_cast<std::uint16_t>(spec.width));
        PutU16(file, 20, static_cast<std::uint16_t>(spec.height));
        PutU16(file, 22, 1);
        PutU16(file, 24, spec.bitCount);
    } else {
        PutU32(file, 18, static_cast<std::uint32_t>(spec.width));
        PutU32(file, 22, static_cast<std::uint32_t>(spec.height));
        PutU16(file, 26, 1);
        PutU16(file, 28, spec.bitCount);
        PutU32(file, 30, spec.compression);
        PutU32(file, 34, static_cast<std::uint32_t>(spec.pixels.size()));
        PutU32(file, 38, 2835);
        PutU32(file, 42, 2835);
        PutU32(file, 46, static_cast<std::uint32_t>(spec.palette.size()));
    }
    if (spec.headerSize >= 108 || masksBehind != 0) {
        for (int i = 0; i < (masksBehind != 0 ? 3 : 4); ++i) {
            PutU32(file, 54 + 4 * i, spec.masks[i]);
        }
    }
    if (spec.headerSize >= 108) {
        PutU32(file, 70, 0x73524742);  // "sRGB"
    }
    for (std::size_t i = 0; i < spec.palette.size(); ++i) {
        const std::uint32_t c = spec.palette[i];
        file[paletteAt + i * entrySize] = static_cast<unsigned char>(c);
        file[paletteAt + i * entrySize + 1] = static_cast<unsigned char>(c >> 8);
        file[paletteAt + i * entrySize + 2] = static_cast<unsigned char>(c >> 16);
    }
    std::copy(spec.pixels.begin(),
              spec.pixels.end(),
              file.begin() + static_cast<std::ptrdiff_t>(pixelAt));
    return file;
}

// Little-endian 16- or 32-bit pixels, two to a row, rows padded to 4 bytes.
Bytes PackedRows(const std::vector<std::uint32_t>& pixels, int bytesPerPixel) {
    Bytes rows;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        for (int b = 0; b < bytesPerPixel; ++b) {
            rows.push_back(static_cast<unsigned char>(pixels[i] >> (8 * b)));
        }
        if (i % 2 == 1) {
            while (rows.size() % 4 != 0) {
                rows.push_back(0);
            }
        }
    }
    return rows;
}

const std::vector<std::uint32_t> kQuadPalette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

struct LayoutCase {
    const char* name;
    BmpSpec spec;
};

std::vector<LayoutCase> AcceptedLayouts() {
    const Bytes rows24 = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
    const Bytes rows24TopDown = {255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0};
    std::vector<LayoutCase> cases;
    cases.push_back({"24-bit", {.pixels = rows24}});
    cases.push_back({"24-bit top-down", {.height = -2, .pixels = rows24TopDown}});
    cases.push_back({"24-bit core header", {.headerSize = 12, .pixels = rows24}});
    cases.push_back({"24-bit 124-byte header", {.headerSize = 124, .pixels = rows24}});
    cases.push_back({"32-bit 108-byte header",
                     {.headerSize = 108,
                      .bitCount = 32,
                      .pixels = PackedRows({0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}, 4)}});
    cases.push_back({"32-bit with alpha, 124-byte header",
                     {.headerSize = 124,
                      .bitCount = 32,
                      .compression = 3,
                      .masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000},
                      .pixels = PackedRows({0xFFFF0000, 0x8000FF00, 0x000000FF, 0x40FFFFFF}, 4)}});
    cases.push_back({"32-bit, 10 bits per channel in reverse order",
                     {.bitCount = 32,
                      .compression = 3,
                      .masks = {0x000003FF, 0x000FFC00, 0x3FF00000, 0},
                      .pixels = PackedRows({0x000003FF, 0x000FFC00, 0x3FF00000, 0x3FFFFFFF}, 4)}});
    cases.push_back({"16-bit 5-5-5",
                     {.bitCount = 16, .pixels = PackedRows({0x7C00, 0x03E0, 0x001F, 0x7FFF}, 2)}});
    cases.push_back({"16-bit 5-6-5 bitfields",
                     {.bitCount = 16,
                      .compression = 3,
                      .masks = {0xF800, 0x07E0, 0x001F, 0},
                      .pixels = PackedRows({0xF800, 0x07E0, 0x001F, 0xFFFF}, 2)}});
    cases.push_back({"16-bit 4-4-4 bitfields in reverse order",
                     {.bitCount = 16,
                      .compression = 3,
                      .masks = {0x000F, 0x00F0, 0x0F00, 0},
                      .pixels = PackedRows({0x000F, 0x00F0, 0x0F00, 0x0FFF}, 2)}});
    cases.push_back({"8-bit palette, 108-byte header",
                     {.headerSize = 108,
                      .bitCount = 8,
                      .palette = kQuadPalette,
                      .pixels = {0, 1, 0, 0, 2, 3, 0, 0}}});
    cases.push_back({"8-bit palette, core header",
                     {.headerSize = 12,
                      .bitCount = 8,
                      .palette = std::vector<std::uint32_t>(256, 0),
                      .pixels = {7, 8, 0, 0, 9, 10, 0, 0}}});
    for (int i = 0; i < 4; ++i) {
        cases.back().spec.palette[7 + i] = kQuadPalette[i];
    }
    cases.push_back({"4-bit palette, top-down",
                     {.height = -2,
                      .bitCount = 4,
                      .palette = kQuadPalette,
                      .pixels = {0x23, 0, 0, 0, 0x01, 0, 0, 0}}});
    cases.push_back({"8-bit RLE",
                     {.bitCount = 8,
                      .compression = 1,
                      .palette = kQuadPalette,
                      .pixels = {1, 0, 1, 1, 0, 0, 1, 2, 1, 3, 0, 1}}});
    cases.push_back({"4-bit RLE",
                     {.bitCount = 4,
                      .compression = 2,
                      .palette = kQuadPalette,
                      .pixels = {2, 0x01, 0, 0, 2, 0x23, 0, 1}}});
    return cases;
}

TEST(DibLayouts, EveryAcceptedLayoutDecodesThePicture) {
    for (const LayoutCase& layout : AcceptedLayouts()) {
        SCOPED_TRACE(layout.name);
        DibImage image;
        ASSERT_EQ(DecodeBytes(MakeBmp(layout.spec), image), DibError::None);
        EXPECT_EQ(image.width, 2);
        EXPECT_EQ(image.height, 2);
        EXPECT_EQ(image.rgb, kQuad);
    }
}

// Without the "BM" file header: a 40-byte info header at the start, its
// masks and colour table and then the pixels right behind it.
TEST(DibLayouts, BareInfoHeaderDecodesLikeTheFullFile) {
    for (const char* file :
         {"rgb24.bmp", "pal8.bmp", "pal4rle.bmp", "rgb16-565pal.bmp", "rgb32bf.bmp"}) {
        SCOPED_TRACE(file);
        const Bytes whole = testfiles::ReadBytes(kSuite + "/g/" + file);
        const Bytes bare(whole.begin() + 14, whole.end());
        DibImage fromWhole;
        DibImage fromBare;
        ASSERT_EQ(DecodeBytes(whole, fromWhole), DibError::None);
        ASSERT_EQ(DecodeBytes(bare, fromBare), DibError::None);
        EXPECT_EQ(fromBare.width, fromWhole.width);
        EXPECT_EQ(fromBare.height, fromWhole.height);
        EXPECT_TRUE(fromBare.rgb == fromWhole.rgb);
    }
}

struct RejectedCase {
    const char* name;
    Bytes bytes;
    DibError expected;
};

std::vector<RejectedCase> RejectedLayouts() {
    const BmpSpec quad24 = {.pixels = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0}};
    auto patched = [&](std::size_t at, std::uint32_t value) {
        Bytes bytes = MakeBmp(quad24);
        PutU32(bytes, at, value);
        return bytes;
    };
    auto rle8 = [](Bytes pixels) {
        return MakeBmp({.width = 4,
                        .bitCount = 8,
                        .compression = 1,
                        .palette = kQuadPalette,
                        .pixels = std::move(pixels)});
    };
    std::vector<RejectedCase> cases = {
        {"64-byte header", patched(14, 64), DibError::UnknownFormat},
        {"56-byte header", patched(14, 56), DibError::UnknownFormat},
        {"no header size", patched(14, 0), DibError::UnknownFormat},
        {"not a picture", Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}, DibError::UnknownFormat},
        {"JPEG inside", patched(30, 4), DibError::ConversionFailed},
        {"PNG inside", patched(30, 5), DibError::ConversionFailed},
        {"24-bit claiming RLE", patched(30, 1), DibError::ConversionFailed},
        {"no planes", patched(26, 0x00180000), DibError::ConversionFailed},
        {"zero width", patched(18, 0), DibError::ConversionFailed},
        {"zero height", patched(22, 0), DibError::ConversionFailed},
        {"pixels beyond the end", patched(10, 1000), DibError::ConversionFailed},
        {"pixels inside the header", patched(10, 20), DibError::ConversionFailed},
        {"absurd size", patched(18, 0x40000000), DibError::OutOfMemory},
        {"overlapping masks",
         MakeBmp({.bitCount = 16,
                  .compression = 3,
                  .masks = {0xF800, 0x0FE0, 0x001F, 0},
                  .pixels = Bytes(8, 0)}),
         DibError::ConversionFailed},
        {"mask beyond 16 bits",
         MakeBmp({.bitCount = 16,
                  .compression = 3,
                  .masks = {0x1F0000, 0x07E0, 0x001F, 0},
                  .pixels = Bytes(8, 0)}),
         DibError::ConversionFailed},
        {"4-bit index beyond the palette",
         MakeBmp(
             {.bitCount = 4, .palette = {0, 0xFFFFFF}, .pixels = {0x01, 0, 0, 0, 0x15, 0, 0, 0}}),
         DibError::ConversionFailed},
        {"RLE index beyond the palette",
         rle8({4, 4, 0, 0, 4, 1, 0, 1}),
         DibError::ConversionFailed},
        {"RLE run past the row", rle8({5, 1, 0, 1}), DibError::ConversionFailed},
        {"RLE run past the row's padding",
         MakeBmp({.width = 5,
                  .bitCount = 8,
                  .compression = 1,
                  .palette = kQuadPalette,
                  .pixels = {9, 1, 0, 1}}),
         DibError::ConversionFailed},
        {"RLE literal past the row's padding",
         MakeBmp({.width = 5,
                  .bitCount = 8,
                  .compression = 1,
                  .palette = kQuadPalette,
                  .pixels = {0, 9, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1}}),
         DibError::ConversionFailed},
        {"RLE4 run past the row's padding",
         MakeBmp({.width = 3,
                  .bitCount = 4,
                  .compression = 2,
                  .palette = kQuadPalette,
                  .pixels = {9, 0x12, 0, 1}}),
         DibError::ConversionFailed},
        {"RLE move into the padding, then a run past it",
         MakeBmp({.width = 5,
                  .bitCount = 8,
                  .compression = 1,
                  .palette = kQuadPalette,
                  .pixels = {0, 2, 6, 0, 3, 1, 0, 1}}),
         DibError::ConversionFailed},
        {"RLE literal past the data", rle8({0, 3, 1, 2}), DibError::ConversionFailed},
        {"RLE move past the picture", rle8({0, 2, 0, 3, 0, 1}), DibError::ConversionFailed},
        {"RLE rows past the picture",
         rle8({0, 0, 0, 0, 0, 0, 2, 1, 0, 1}),
         DibError::ConversionFailed},
        {"RLE without its end", rle8({4, 1, 0, 0, 4, 1, 0, 0}), DibError::ConversionFailed},
    };
    return cases;
}

TEST(DibLayouts, BrokenOrUnknownLayoutsAreRejected) {
    for (const RejectedCase& rejected : RejectedLayouts()) {
        SCOPED_TRACE(rejected.name);
        DibImage image;
        EXPECT_EQ(DecodeBytes(rejected.bytes, image), rejected.expected);
        EXPECT_TRUE(image.rgb.empty());
    }
}

// RLE runs may cover the padding of their stored row, as ImageMagick writes
// them for widths that are not a multiple of 4: what lies beyond the row's
// last pixel is cut off, whatever index it has.
TEST(DibLayouts, RleRunsIntoTheRowPaddingAreCutAtTheRowsEnd) {
    struct PaddedCase {
        const char* name;
        BmpSpec spec;
        std::vector<Rgb> fromTop;  // the picture, rows from the top
    };
    const Rgb red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255}, white{255, 255, 255};
    const PaddedCase cases[] = {
        {"RLE8, 5 wide: runs and literals to 8",
         {.width = 5,
          .bitCount = 8,
          .compression = 1,
          .palette = kQuadPalette,
          // bottom: 8 of green; top: 6 literals (the last, 200, in the
          // padding and beyond the table) and 2 of red in the padding
          .pixels = {8, 1, 0, 0, 0, 6, 2, 3, 2, 3, 2, 200, 2, 0, 0, 0, 0, 1}},
         {blue, white, blue, white, blue, green, green, green, green, green}},
        {"RLE4, 3 wide: runs and literals to 8",
         {.width = 3,
          .bitCount = 4,
          .compression = 2,
          .palette = kQuadPalette,
          // bottom: 8 alternating green and blue; top: 4 literals, then a
          // move of 2 and 2 more pixels in the padding
          .pixels = {8, 0x12, 0, 0, 0, 4, 0x30, 0x12, 0, 2, 2, 0, 2, 0x33, 0, 0, 0, 1}},
         {white, red, green, green, blue, green}},
    };
    for (const PaddedCase& padded : cases) {
        SCOPED_TRACE(padded.name);
        DibImage image;
        ASSERT_EQ(DecodeBytes(MakeBmp(padded.spec), image), DibError::None);
        ASSERT_EQ(image.width, padded.spec.width);
        ASSERT_EQ(image.height, 2);
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < image.width; ++x) {
                EXPECT_EQ(PixelFromTop(image, x, y), padded.fromTop[y * image.width + x])
                    << x << "," << y;
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Size limits: no side beyond what the texture takes, refused as too large to
// hold before anything is allocated for it.

// An RLE8 picture of that size whose data is only its end mark.
Bytes EmptyRlePicture(std::int32_t width, std::int32_t height) {
    return MakeBmp({.width = width,
                    .height = height,
                    .bitCount = 8,
                    .compression = 1,
                    .palette = kQuadPalette,
                    .pixels = {0, 1}});
}

TEST(DibLimits, NoSideLongerThanTheLimit) {
    struct SideCase {
        std::int32_t width, height;
        int maxSide;
        DibError expected;
    };
    const SideCase cases[] = {
        {8192, 1, kMaxDibSide, DibError::None},
        {1, 8192, kMaxDibSide, DibError::None},
        {8193, 1, kMaxDibSide, DibError::OutOfMemory},
        {1, 8193, kMaxDibSide, DibError::OutOfMemory},
        {1, 33554432, kMaxDibSide, DibError::OutOfMemory},
        {64, 3, 64, DibError::None},
        {65, 3, 64, DibError::OutOfMemory},
        {3, 65, 64, DibError::OutOfMemory},
        {8193, 1, 16384, DibError::OutOfMemory},  // a larger context does not lift it
    };
    for (const SideCase& side : cases) {
        SCOPED_TRACE(std::to_string(side.width) + " by " + std::to_string(side.height) +
                     ", limit " + std::to_string(side.maxSide));
        const Bytes bytes = EmptyRlePicture(side.width, side.height);
        DibImage image;
        EXPECT_EQ(DecodeDibBytes(bytes.data(), bytes.size(), image, side.maxSide), side.expected);
        const std::size_t pixels =
            side.expected == DibError::None ? std::size_t(side.width) * side.height : 0;
        EXPECT_EQ(image.rgb.size(), pixels * 3);
    }
}

// ---------------------------------------------------------------------------
// Hostile files found by fuzzing and by other writers

TEST(DibHostile, EachFileLoadsOrIsRefusedCleanly) {
    struct HostileCase {
        const char* file;
        DibError expected;
        int width, height;
        std::vector<KnownPixel> pixels;
    };
    const Rgb red{255, 0, 0}, yellow{255, 255, 0}, black{0, 0, 0};
    // ImageMagick's picture: red fading to black downwards, a yellow
    // rectangle from (5, 5) to (20, 15); its RLE runs cover the row padding.
    const std::vector<KnownPixel> im6 = {{0, 0, red},
                                         {60, 0, red},
                                         {0, 36, black},
                                         {60, 36, black},
                                         {5, 5, yellow},
                                         {20, 15, yellow},
                                         {4, 5, {189, 0, 30}},
                                         {21, 15, {87, 0, 62}},
                                         {30, 18, {64, 0, 64}},
                                         // the last pixels before the padding
                                         {60, 1, {241, 0, 7}},
                                         {60, 20, {50, 0, 63}}};
    const HostileCase cases[] = {
        // Passed the total pixel limit and aborted inside Mesa.
        {"tall_1x33554432_rle8_min_crash.bmp", DibError::OutOfMemory, 0, 0, {}},
        // Within the limits: a valid picture whose pixels are all colour 0
        // of its table, since its data ends at once.
        {"rle8_8192x8192_1080bytes.bmp",
         DibError::None,
         8192,
         8192,
         {{0, 0, red}, {8191, 0, red}, {4096, 4096, red}, {8191, 8191, red}}},
        {"im6_rle8_bmp3_61x37.bmp", DibError::None, 61, 37, im6},
        {"im6_default_pal8_rle_v5_61x37.bmp", DibError::None, 61, 37, im6},
    };
    for (const HostileCase& hostile : cases) {
        SCOPED_TRACE(hostile.file);
        DibImage image;
        ASSERT_EQ(DecodeDibFile((kHostile + "/" + hostile.file).c_str(), image), hostile.expected);
        EXPECT_EQ(image.width, hostile.width);
        EXPECT_EQ(image.height, hostile.height);
        EXPECT_EQ(image.rgb.size(), std::size_t(hostile.width) * hostile.height * 3);
        for (const KnownPixel& known : hostile.pixels) {
            EXPECT_EQ(PixelFromTop(image, known.x, known.y), known.colour)
                << known.x << "," << known.y;
        }
    }
}

// ---------------------------------------------------------------------------
// Damaged files: an error or a picture, never a crash or a stray read (the
// tests run under AddressSanitizer).

const char* const kDamageSources[] = {"pal1.bmp",
                                      "pal4rle.bmp",
                                      "pal8rle.bmp",
                                      "pal8os2.bmp",
                                      "pal8v5.bmp",
                                      "rgb16-565.bmp",
                                      "rgb32bf.bmp"};

void ExpectConsistent(DibError error, const DibImage& image) {
    if (error == DibError::None) {
        ASSERT_EQ(image.rgb.size(), static_cast<std::size_t>(image.width) * image.height * 3);
    } else {
        ASSERT_TRUE(image.rgb.empty());
    }
}

TEST(DibDamage, EveryTruncationIsRejected) {
    for (const char* file : kDamageSources) {
        const Bytes whole = testfiles::ReadBytes(kSuite + "/g/" + file);
        for (std::size_t length = 1; length < whole.size(); length += (length < 200 ? 1 : 37)) {
            DibImage image;
            ASSERT_NE(DecodeDibBytes(whole.data(), length, image), DibError::None)
                << file << " " << length;
            ASSERT_TRUE(image.rgb.empty());
        }
    }
}

TEST(DibDamage, CorruptHeaderBytesNeverCrash) {
    for (const char* file : kDamageSources) {
        const Bytes whole = testfiles::ReadBytes(kSuite + "/g/" + file);
        for (std::size_t at = 0; at < 80 && at < whole.size(); ++at) {
            for (unsigned char value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
                Bytes damaged = whole;
                damaged[at] = value;
                DibImage image;
                ExpectConsistent(DecodeBytes(damaged, image), image);
            }
        }
    }
}

TEST(DibDamage, CorruptRleDataNeverCrashes) {
    for (const char* file : {"pal4rle.bmp", "pal8rle.bmp"}) {
        const Bytes whole = testfiles::ReadBytes(kSuite + "/g/" + file);
        const std::size_t pixelsAt = whole[10] | whole[11] << 8;
        for (std::size_t at = pixelsAt; at < whole.size(); at += 5) {
            for (unsigned char value : {0x00, 0x01, 0x02, 0x7F, 0xFF}) {
                Bytes damaged = whole;
                damaged[at] = value;
                DibImage image;
                ExpectConsistent(DecodeBytes(damaged, image), image);
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Files and the error texts

TEST(DibFiles, UnopenableFilesFailToOpen) {
    testfiles::ScratchDir scratch;
    testfiles::WriteBytes(scratch.File("empty.bmp"), {});
    const std::string cases[] = {
        scratch.File("missing.bmp"), scratch.File("empty.bmp"), scratch.Path().string()};
    for (const std::string& path : cases) {
        DibImage image;
        EXPECT_EQ(DecodeDibFile(path.c_str(), image), DibError::OpenFailed) << path;
    }
    DibImage image;
    EXPECT_EQ(DecodeDibFile(nullptr, image), DibError::OpenFailed);
    EXPECT_EQ(DecodeDibBytes(nullptr, 0, image), DibError::OpenFailed);
}

// Bytes this process has read from files so far.
long long BytesReadSoFar() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = -1;
    while (io >> key >> value) {
        if (key == "rchar:") return value;
    }
    return -1;
}

// A file of these bytes, grown to `size` with a hole (no disk, no time).
void WriteWithHole(const std::string& path, const Bytes& bytes, off_t size) {
    testfiles::WriteBytes(path, bytes);
    ASSERT_EQ(truncate(path.c_str(), size), 0);
}

TEST(DibFiles, ReadsOnlyWhatThePictureUses) {
    if (BytesReadSoFar() < 0) GTEST_SKIP() << "no /proc/self/io to count reads";
    testfiles::ScratchDir scratch;
    const Bytes pal8 = testfiles::ReadBytes(kSuite + "/g/pal8.bmp");
    Bytes rleWithoutSize = MakeBmp({.bitCount = 8,
                                    .compression = 1,
                                    .palette = kQuadPalette,
                                    .pixels = {1, 0, 1, 1, 0, 0, 1, 2, 1, 3, 0, 1}});
    PutU32(rleWithoutSize, 34, 0);  // RLE data up to the end of the file
    const Bytes bare(pal8.begin() + 14, pal8.end());
    struct Case {
        const char* name;
        Bytes bytes;
        DibError expected;
    };
    const Case cases[] = {
        {"not a picture", Bytes{'G', 'I', 'F', '8', '9', 'a'}, DibError::UnknownFormat},
        {"a picture, then junk", pal8, DibError::None},
        {"RLE without its size, then junk", rleWithoutSize, DibError::None},
        {"a bare info header, then junk", bare, DibError::None},
    };
    constexpr off_t kSize = off_t{512} << 20;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = scratch.File("big.bmp");
        WriteWithHole(path, c.bytes, kSize);
        DibImage fromFile;
        const long long before = BytesReadSoFar();
        EXPECT_EQ(DecodeDibFile(path.c_str(), fromFile), c.expected);
        EXPECT_LT(BytesReadSoFar() - before, 64 * 1024 + static_cast<long long>(c.bytes.size()));
        if (c.expected == DibError::None) {
            DibImage fromBytes;
            ASSERT_EQ(DecodeBytes(c.bytes, fromBytes), DibError::None);
            EXPECT_EQ(fromFile.width, fromBytes.width);
            EXPECT_EQ(fromFile.rgb, fromBytes.rgb);
        }
    }
}

// Devices and pipes are no picture files: /dev/zero would read for ever, and
// a pipe would wait for a writer.
TEST(DibFiles, OnlyRegularFilesAreRead) {
    testfiles::ScratchDir scratch;
    const std::string zero = scratch.File("zero.bmp");
    ASSERT_EQ(symlink("/dev/zero", zero.c_str()), 0);
    const std::string pipe = scratch.File("pipe.bmp");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string picture = scratch.File("link.bmp");
    ASSERT_EQ(symlink((kSuite + "/g/pal8.bmp").c_str(), picture.c_str()), 0);
    for (const std::string& path : {zero, pipe}) {
        DibImage image;
        EXPECT_EQ(DecodeDibFile(path.c_str(), image), DibError::OpenFailed) << path;
    }
    DibImage image;
    EXPECT_EQ(DecodeDibFile(picture.c_str(), image), DibError::None) << "a link to a picture";
}

TEST(DibFiles, ErrorTextsAreTheReadersOwn) {
    const std::pair<DibError, std::string> texts[] = {
        {DibError::None, ""},
        {DibError::OpenFailed, "Failed to open DIB file data/textures/x.bmp.\n"},
        {DibError::UnknownFormat, "Unknown DIB file format."},
        {DibError::OutOfMemory, "Out of memory."},
        {DibError::ConversionFailed, "Image file conversion error."},
    };
    for (const auto& [error, text] : texts) {
        EXPECT_EQ(DibErrorMessage(error, "data/textures/x.bmp"), text);
    }
}

// The reader without a display: its box goes to standard error.
class DibReader : public testing::Test {
protected:
    void SetUp() override {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
    }
};

TEST_F(DibReader, HandsOutMallocedRowsBottomRowFirst) {
    const std::string path = kSuite + "/g/pal8topdown.bmp";
    const DibImage expected = Decode(kSuite + "/g/pal8.bmp");
    AUX_RGBImageRec* image = auxDIBImageLoadA(path.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->sizeX, 127);
    EXPECT_EQ(image->sizeY, 64);
    EXPECT_TRUE(std::equal(expected.rgb.begin(), expected.rgb.end(), image->data));
    std::free(image->data);
    std::free(image);
}

TEST_F(DibReader, ShowsItsErrorBoxAndReturnsNothing) {
    testfiles::ScratchDir scratch;
    const std::string empty = scratch.File("empty.bmp");
    testfiles::WriteBytes(empty, {});
    const std::string header64 = scratch.File("os2v2.bmp");
    Bytes bytes = testfiles::ReadBytes(kSuite + "/g/rgb24.bmp");
    PutU32(bytes, 14, 64);
    testfiles::WriteBytes(header64, bytes);

    const std::pair<std::string, std::string> cases[] = {
        {empty, "Error: Failed to open DIB file " + empty + ".\n"},
        {header64, "Error: Unknown DIB file format.\n"},
        {kSuite + "/b/reallybig.bmp", "Error: Out of memory.\n"},
        {kHostile + "/tall_1x33554432_rle8_min_crash.bmp", "Error: Out of memory.\n"},
        {kSuite + "/b/badrle.bmp", "Error: Image file conversion error.\n"},
    };
    for (const auto& [path, box] : cases) {
        testing::internal::CaptureStderr();
        AUX_RGBImageRec* image = auxDIBImageLoadA(path.c_str());
        const std::string shown = testing::internal::GetCapturedStderr();
        EXPECT_EQ(image, nullptr) << path;
        EXPECT_NE(shown.find(box), std::string::npos) << shown;
    }
}

}  // namespace
