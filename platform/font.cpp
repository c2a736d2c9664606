// Font objects and bitmap font display lists: CreateFontA records the
// description, SelectObject makes it a device context's font, and
// wglUseFontBitmapsA rasterises it (glyph_raster.cpp) into one glBitmap list
// per character code in the current GL context.

#include "platform/glyph_raster.h"
#include "platform/platform.h"
#include "platform/sdl_video.h"

#include <GL/gl.h>

#include <algorithm>
#include <memory>
#include <vector>

// The one kind of GDI object the programs create.
struct PlatformGdiObject {
    FontRequest font;
};

namespace {

std::vector<std::unique_ptr<PlatformGdiObject>> liveFonts;

bool IsLiveFont(HGDIOBJ object) {
    return object != nullptr &&
           std::any_of(liveFonts.begin(), liveFonts.end(), [object](const auto& font) {
               return font.get() == object;
           });
}

// The font a device context draws with: its selected font, or the system's
// default look where none (or a deleted one) is selected.
FontRequest FontOf(const PlatformDeviceContext& dc) {
    if (IsLiveFont(dc.selectedFont)) {
        return dc.selectedFont->font;
    }
    return FontRequest{};
}

void CompileGlyph(const GlyphBitmap& glyph, GLuint list) {
    glNewList(list, GL_COMPILE);
    if (glyph.bits.empty()) {
        // One unset pixel: some drivers drop a list's bitmap without data,
        // and with it the advance.
        static const GLubyte kBlank = 0;
        glBitmap(1, 1, 0.0f, 0.0f, static_cast<GLfloat>(glyph.advance), 0.0f, &kBlank);
    } else {
        // The bitmap's lower-left corner sits at the glyph's bearing from the
        // raster position, which is the pen position on the baseline.
        glBitmap(glyph.width,
                 glyph.height,
                 static_cast<GLfloat>(-glyph.left),
                 static_cast<GLfloat>(glyph.height - glyph.top),
                 static_cast<GLfloat>(glyph.advance),
                 0.0f,
                 glyph.bits.data());
    }
    glEndList();
}

}  // namespace

HFONT CreateFontA(int height,
                  int /*width*/,
                  int /*escapement*/,
                  int /*orientation*/,
                  int weight,
                  DWORD italic,
                  DWORD /*underline*/,
                  DWORD /*strikeOut*/,
                  DWORD /*charSet*/,
                  DWORD /*outputPrecision*/,
                  DWORD /*clipPrecision*/,
                  DWORD /*quality*/,
                  DWORD /*pitchAndFamily*/,
                  const char* faceName) {
    auto object = std::make_unique<PlatformGdiObject>();
    object->font.height = height;
    object->font.weight = weight;
    object->font.italic = italic != 0;
    object->font.face = faceName != nullptr ? faceName : "";
    liveFonts.push_back(std::move(object));
    return liveFonts.back().get();
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    PlatformDeviceContext* record = sdlvideo::FindDeviceContext(dc);
    if (record == nullptr || !IsLiveFont(object)) {
        return nullptr;
    }
    HGDIOBJ previous = record->selectedFont;
    record->selectedFont = object;
    return previous;
}

BOOL DeleteObject(HGDIOBJ object) {
    if (!IsLiveFont(object)) {
        return FALSE;
    }
    // A device context that still names it falls back to the default font.
    std::erase_if(liveFonts, [object](const auto& font) { return font.get() == object; });
    return TRUE;
}

BOOL wglUseFontBitmapsA(HDC dc, DWORD first, DWORD count, DWORD listBase) {
    const PlatformDeviceContext* record = sdlvideo::FindDeviceContext(dc);
    if (record == nullptr || sdlvideo::CurrentGlContext() == nullptr) {
        return FALSE;
    }
    std::vector<GlyphBitmap> glyphs;
    if (!RasteriseGlyphs(FontOf(*record), first, count, glyphs)) {
        return FALSE;
    }
    // Bitmaps are unpacked when the list is compiled, so the tight row
    // layout need only hold while compiling.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    for (DWORD i = 0; i < glyphs.size(); ++i) {
        CompileGlyph(glyphs[i], listBase + i);
    }
    glPopClientAttrib();
    return TRUE;
}
