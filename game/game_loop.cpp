#include "game/game_loop.h"

#include "base/gl_window.h"
#include "base/message_loop.h"
#include "game/frame_timer.h"
#include "game/game_screens.h"
#include "game/game_state.h"
#include "game/main_menu.h"
#include "game/round_outcome.h"
#include "game/round_setup.h"
#include "game/snake_tick.h"

namespace {

constexpr float kLoadingTimeMs = 2000.0f;
constexpr int kStartLives = 3;

bool Playing() { return !inMenu && !isLoading && !roundOver && !paused; }

}  // namespace

bool RunMainLoop(MSG& lastMessage) { return RunMessageLoop(quitRequested, RunFrame, lastMessage); }

bool RunFrame() {
    ShowFrame(DrawScene, quitRequested);
    if (KeyState[VK_F1] && !ToggleFullscreen()) return false;
    // Each block tests its flags when it is reached, so a flag set by an
    // earlier block takes effect in the later ones of the same frame.
    if (Playing()) PlayingFrame();
    if (paused) PausedFrame();
    if (roundOver) RoundOverFrame();
    if (isLoading) CompleteLoading();
    if (inMenu) MenuFrame();
    ReleasePauseLatch();
    return true;
}

void CompleteLoading() {
    if (ReadFrameTimer() < static_cast<double>(loadingStartTime) + kLoadingTimeMs) return;
    player1.lives = kStartLives;
    player2.lives = kStartLives;
    player1.points = 0;
    player2.points = 0;
    RoundSetup();
    roundOver = false;
    lastTickTime = static_cast<float>(ReadFrameTimer());
    isLoading = false;
}
