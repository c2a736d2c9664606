// The bitmap font: one display list per character code from 32 to 127.
#include "base/gl_state.h"
#include "base/gl_window.h"
#include "platform/platform.h"

GLuint fontBase = 0;

namespace {

constexpr GLsizei kGlyphCount = 96;
constexpr DWORD kFirstGlyph = 32;

// The font object of the current window. The lists do not need it once
// built; it is let go when the next window builds its own, since the device
// context it was selected into has been released by then.
HFONT fontObject = nullptr;

}  // namespace

void CreateFontLists() {
    if (fontObject != nullptr) DeleteObject(fontObject);
    fontBase = glGenLists(kGlyphCount);
    HFONT font = CreateFontA(-20,
                             0,
                             0,
                             0,
                             FW_BOLD,
                             FALSE,
                             FALSE,
                             FALSE,
                             ANSI_CHARSET,
                             OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS,
                             ANTIALIASED_QUALITY,
                             FF_DONTCARE | DEFAULT_PITCH,
                             "Courier New");
    fontObject = font;
    SelectObject(glWindow.deviceContext, font);
    wglUseFontBitmapsA(glWindow.deviceContext, kFirstGlyph, kGlyphCount, fontBase);
}

void DeleteFontLists() { glDeleteLists(fontBase, kGlyphCount); }

void ForgetFontObject() { fontObject = nullptr; }
