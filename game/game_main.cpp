#include "game/game_main.h"

#include <cstdint>

#include "base/gl_state.h"
#include "base/gl_window.h"
#include "game/frame_timer.h"
#include "game/game_loop.h"
#include "game/game_screens.h"
#include "game/game_state.h"
#include "game/round_setup.h"

namespace {

constexpr const char* kTitle = "Trevla - SnAkE";

}  // namespace

int GameMain() {
    quitRequested = false;
    UseTextureList(kGameTextureFiles);
    glWindow.fullscreen = true;  // the game opens fullscreen
    if (!OpenGlWindow(kTitle, 640, 480, 16, glWindow.fullscreen)) return 0;
    StartFrameTimer();
    // Whole milliseconds since the timer started: as a rule 0, so the items
    // fall the same way in every run.
    SeedGameRandom(static_cast<std::uint32_t>(static_cast<std::int64_t>(ReadFrameTimer())));

    MSG lastMessage{};
    if (!RunMainLoop(lastMessage)) return 0;

    DeleteFontLists();
    CloseGlWindow();
    // A close posts the quit message with 0. The Exit item ends the loop with
    // no quit message; it ends normally too.
    return lastMessage.message == WM_QUIT ? static_cast<int>(lastMessage.wParam) : 0;
}
