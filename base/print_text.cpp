// printf-style text through the font lists at the current raster position.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "base/gl_state.h"

void PrintText(const char* format, ...) {
    glDisable(GL_TEXTURE_2D);

    // Longer texts are cut at 255 characters rather than overrunning the buffer.
    char text[256] = "";
    if (format != nullptr) {
        va_list values;
        va_start(values, format);
        if (std::vsnprintf(text, sizeof text, format, values) < 0) text[0] = '\0';
        va_end(values);
    }

    glPushAttrib(GL_LIST_BIT);
    glListBase(fontBase - 32);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    glPopAttrib();

    glEnable(GL_TEXTURE_2D);
}
