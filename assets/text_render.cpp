#include "assets/text_render.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

namespace {

constexpr const char* kFontFile = "DejaVuSans-Bold.ttf";
constexpr const char* kFallbackPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

FT_Library library = nullptr;
FT_Face face = nullptr;

// Asks fontconfig for DejaVu Sans Bold; accepts only that very file, since a
// substitute face would change every picture.
std::string FindFontFile() {
    std::string found;
    if (!FcInit()) return found;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("DejaVu Sans:style=Bold"));
    if (pattern) {
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        if (match) {
            FcChar8* file = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
                const std::filesystem::path path(reinterpret_cast<const char*>(file));
                if (path.filename() == kFontFile) found = path.string();
            }
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
    }
    FcFini();
    if (found.empty() && std::filesystem::exists(kFallbackPath)) found = kFallbackPath;
    return found;
}

// Decodes UTF-8 into code points; a broken sequence yields U+FFFD.
std::vector<char32_t> CodePoints(std::string_view text) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= text.size()) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

// Coverage of the glyphs, one float per canvas pixel.
struct Mask {
    int width;
    int height;
    std::vector<float> a;
    // The rectangle that holds every covered pixel, x1 and y1 exclusive.
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    float at(int x, int y) const {
        return x < 0 || y < 0 || x >= width || y >= height
                   ? 0.0f
                   : a[static_cast<std::size_t>(y) * width + x];
    }
};

Mask RenderMask(int width, int height, float x, float baseline, std::string_view text, int size) {
    Mask mask{width, height, std::vector<float>(static_cast<std::size_t>(width) * height, 0.0f)};
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size));
    int pen = static_cast<int>(std::lround(x));
    const int base = static_cast<int>(std::lround(baseline));
    for (char32_t cp : CodePoints(text)) {
        if (FT_Load_Char(face, cp, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            for (unsigned col = 0; col < bitmap.width; ++col) {
                const int px = pen + slot->bitmap_left + static_cast<int>(col);
                const int py = base - slot->bitmap_top + static_cast<int>(row);
                if (px < 0 || py < 0 || px >= width || py >= height) continue;
                const float v = bitmap.buffer[row * bitmap.pitch + col] / 255.0f;
                float& m = mask.a[static_cast<std::size_t>(py) * width + px];
                m = std::max(m, v);
                if (mask.x1 == 0) {
                    mask.x0 = px;
                    mask.y0 = py;
                }
                mask.x0 = std::min(mask.x0, px);
                mask.y0 = std::min(mask.y0, py);
                mask.x1 = std::max(mask.x1, px + 1);
                mask.y1 = std::max(mask.y1, py + 1);
            }
        }
        pen += static_cast<int>(slot->advance.x >> 6);
    }
    return mask;
}

// Grows the coverage by radius, anti-aliased at the rim.
Mask Dilate(const Mask& mask, float radius) {
    Mask out{mask.width, mask.height, std::vector<float>(mask.a.size(), 0.0f)};
    const int r = static_cast<int>(std::ceil(radius));
    out.x0 = std::max(mask.x0 - r, 0);
    out.y0 = std::max(mask.y0 - r, 0);
    out.x1 = std::min(mask.x1 + r, mask.width);
    out.y1 = std::min(mask.y1 + r, mask.height);
    struct Tap {
        int dx, dy;
        float weight;
    };
    std::vector<Tap> disc;
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            const float weight =
                std::clamp(radius + 0.5f - std::hypot(float(dx), float(dy)), 0.0f, 1.0f);
            if (weight > 0.0f) disc.push_back({dx, dy, weight});
        }
    for (int y = out.y0; y < out.y1; ++y) {
        for (int x = out.x0; x < out.x1; ++x) {
            float best = 0.0f;
            for (const Tap& tap : disc) {
                best = std::max(best, mask.at(x + tap.dx, y + tap.dy) * tap.weight);
                if (best >= 1.0f) break;
            }
            out.a[static_cast<std::size_t>(y) * mask.width + x] = best;
        }
    }
    return out;
}

void Composite(Image& image, const Mask& mask, int dx, int dy, const Paint& paint) {
    for (int y = std::max(mask.y0 + dy, 0); y < std::min(mask.y1 + dy, image.height); ++y)
        for (int x = std::max(mask.x0 + dx, 0); x < std::min(mask.x1 + dx, image.width); ++x) {
            const float coverage = mask.at(x - dx, y - dy);
            if (coverage > 0.0f) Blend(image, x, y, paint(x + 0.5f, y + 0.5f), coverage);
        }
}

}  // namespace

bool OpenPictureFont(std::string& error) {
    if (face) return true;
    const std::string path = FindFontFile();
    if (path.empty()) {
        error =
            "the font DejaVu Sans Bold is not installed (Debian package fonts-dejavu-core; "
            "scripts/install-deps installs it)";
        return false;
    }
    if (FT_Init_FreeType(&library) != 0) {
        error = "FreeType cannot start";
        return false;
    }
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        FT_Done_FreeType(library);
        library = nullptr;
        face = nullptr;
        error = "cannot open the font " + path;
        return false;
    }
    return true;
}

void ClosePictureFont() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
    face = nullptr;
    library = nullptr;
}

int TextWidth(std::string_view utf8, int size) {
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size));
    int width = 0;
    for (char32_t cp : CodePoints(utf8))
        if (FT_Load_Char(face, cp, FT_LOAD_DEFAULT) == 0)
            width += static_cast<int>(face->glyph->advance.x >> 6);
    return width;
}

int CapHeight(int size) {
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size));
    if (FT_Load_Char(face, 'H', FT_LOAD_RENDER) != 0) return size * 3 / 4;
    return face->glyph->bitmap_top;
}

int FitTextSize(std::string_view utf8, int maxSize, int maxWidth) {
    int size = maxSize;
    while (size > 6 && TextWidth(utf8, size) > maxWidth) --size;
    return size;
}

void DrawText(
    Image& image, float x, float baseline, std::string_view utf8, const TextStyle& style) {
    const Mask glyphs = RenderMask(image.width, image.height, x, baseline, utf8, style.size);
    if (style.shadowX != 0 || style.shadowY != 0) {
        const Mask shadow = style.outline > 0 ? Dilate(glyphs, style.outline) : glyphs;
        Composite(image, shadow, style.shadowX, style.shadowY, Solid(style.shadowColour));
    }
    if (style.outline > 0)
        Composite(image, Dilate(glyphs, style.outline), 0, 0, Solid(style.outlineColour));
    Composite(image, glyphs, 0, 0, style.fill);
}

void DrawTextCentred(
    Image& image, float centreX, float middleY, std::string_view utf8, const TextStyle& style) {
    const float x = centreX - TextWidth(utf8, style.size) / 2.0f;
    const float baseline = middleY + CapHeight(style.size) / 2.0f;
    DrawText(image, x, baseline, utf8, style);
}
