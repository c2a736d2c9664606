// The mouse cursor with Windows' display counter: shown while the counter is
// at 0 or above. SDL's own switch is plain on/off, so the counter lives here.
#include "platform/sdl_video.h"

namespace {
int displayCounter = 0;
}

int ShowCursor(BOOL show) {
    displayCounter += show ? 1 : -1;
    if (sdlvideo::EnsureVideo()) {
        SDL_ShowCursor(displayCounter >= 0 ? SDL_ENABLE : SDL_DISABLE);
    }
    return displayCounter;
}
