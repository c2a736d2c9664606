// fontconfig finds the installed font nearest to the request (an alias such
// as "Courier New" resolves to a metric-compatible face); FreeType renders
// it with its monochrome rasteriser and hinting, the crispest 1-bit result.

#include "platform/glyph_raster.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <cstdlib>
#include <memory>
#include <type_traits>

namespace {

constexpr int kDefaultHeight = 16;
constexpr int kNormalWeight = 400;
constexpr int kBoldFrom = 600;

// Windows-1252 codes 128 to 159; the rest of the ANSI page is Latin-1.
constexpr unsigned kAnsiHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

unsigned CodeToUnicode(unsigned code) {
    if (code >= 0x80 && code < 0xA0) {
        return kAnsiHighControls[code - 0x80];
    }
    return code;
}

int RequestedWeight(const FontRequest& font) {
    return font.weight > 0 ? font.weight : kNormalWeight;
}

// What fontconfig matched: the file and whether styles must be synthesised.
struct MatchedFont {
    std::string file;
    int index = 0;
    bool emboldenSynthetically = false;
    bool slantSynthetically = false;
};

struct PatternFree {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternFree>;

bool MatchFont(const FontRequest& font, MatchedFont& matched) {
    if (!FcInit()) {
        return false;
    }
    PatternPtr pattern(FcPatternCreate());
    if (!pattern) {
        return false;
    }
    if (!font.face.empty()) {
        FcPatternAddString(
            pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(font.face.c_str()));
    }
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(RequestedWeight(font)));
    FcPatternAddInteger(pattern.get(), FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
        return false;
    }
    matched.file = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &matched.index);
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match.get(), FC_SLANT, 0, &slant);
    matched.emboldenSynthetically =
        RequestedWeight(font) >= kBoldFrom && weight < FC_WEIGHT_DEMIBOLD;
    matched.slantSynthetically = font.italic && slant == FC_SLANT_ROMAN;
    return true;
}

struct LibraryFree {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceFree {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryPtr = std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryFree>;
using FacePtr = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceFree>;

// A negative height is the em height, a positive one the cell height
// (ascent plus descent), as Windows reads a font's height.
bool SetHeight(FT_Face face, int height) {
    FT_Size_RequestRec request{};
    request.type = height > 0 ? FT_SIZE_REQUEST_TYPE_CELL : FT_SIZE_REQUEST_TYPE_NOMINAL;
    const int pixels = height == 0 ? kDefaultHeight : std::abs(height);
    request.height = static_cast<FT_Long>(pixels) * 64;
    return FT_Request_Size(face, &request) == 0;
}

// Copies FreeType's top-down monochrome rows into glBitmap's bottom-up rows.
void CopyRows(const FT_Bitmap& source, GlyphBitmap& glyph) {
    glyph.width = static_cast<int>(source.width);
    glyph.height = static_cast<int>(source.rows);
    const std::size_t rowBytes = (source.width + 7) / 8;
    glyph.bits.assign(rowBytes * source.rows, 0);
    for (unsigned row = 0; row < source.rows; ++row) {
        const unsigned char* from = source.buffer + static_cast<std::ptrdiff_t>(row) * source.pitch;
        unsigned char* to = &glyph.bits[(source.rows - 1 - row) * rowBytes];
        for (std::size_t i = 0; i < rowBytes; ++i) {
            to[i] = from[i];
        }
    }
}

GlyphBitmap RenderGlyph(FT_Face face, const MatchedFont& matched, unsigned code) {
    GlyphBitmap glyph;
    glyph.code = code;
    const unsigned unicode = CodeToUnicode(code);
    const FT_UInt index = unicode != 0 ? FT_Get_Char_Index(face, unicode) : 0;
    // A code without a glyph draws nothing but keeps the line's rhythm.
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0) {
        return glyph;
    }
    FT_GlyphSlot slot = face->glyph;
    if (matched.slantSynthetically) {
        FT_GlyphSlot_Oblique(slot);
    }
    if (matched.emboldenSynthetically) {
        FT_GlyphSlot_Embolden(slot);
    }
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (index == 0 || FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0 ||
        slot->bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
        return glyph;
    }
    CopyRows(slot->bitmap, glyph);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    return glyph;
}

}  // namespace

std::string FindFontFile(const FontRequest& font) {
    MatchedFont matched;
    return MatchFont(font, matched) ? matched.file : std::string();
}

bool RasteriseGlyphs(const FontRequest& font,
                     unsigned first,
                     unsigned count,
                     std::vector<GlyphBitmap>& glyphs) {
    glyphs.clear();
    constexpr unsigned kCodeLimit = 0x110000;
    if (first >= kCodeLimit || count > kCodeLimit - first) {
        return false;
    }
    MatchedFont matched;
    if (!MatchFont(font, matched)) {
        return false;
    }
    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0) {
        return false;
    }
    LibraryPtr library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), matched.file.c_str(), matched.index, &rawFace) != 0) {
        return false;
    }
    FacePtr face(rawFace);
    if (!SetHeight(face.get(), font.height)) {
        return false;
    }
    glyphs.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        glyphs.push_back(RenderGlyph(face.get(), matched, first + i));
    }
    return true;
}
