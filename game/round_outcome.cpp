#include "game/round_outcome.h"

#include <GL/gl.h>

#include "base/gl_state.h"
#include "base/gl_window.h"
#include "base/sound.h"
#include "game/game_sounds.h"
#include "game/game_state.h"
#include "game/round_setup.h"

namespace {

constexpr int kKeyP = 'P';

void BackToMenu() {
    inMenu = true;
    roundOver = false;
    PlayWav(kBuzzerSound, WavMode::Blocking);
}

void PrintAt(double x, double y, const char* text) {
    glRasterPos2d(x, y);
    PrintText("%s", text);
}

void PrintHeadline(const char* text) { PrintAt(150, 200, text); }
void PrintWideHeadline(const char* text) { PrintAt(170, 200, text); }
void PrintRestartLine() { PrintAt(90, 250, "Press SPACE to restart"); }
void PrintMenuLine() { PrintAt(90, 250, "Press SPACE to return to Menu"); }

}  // namespace

void PausedFrame() {
    if ((IsKeyDown(kKeyP) && !pauseLatch) || IsKeyDown(VK_SPACE)) {
        paused = false;
        PlayWav(kMenuSound, WavMode::Async);
        pauseLatch = true;
    }
    if (IsKeyDown(VK_ESCAPE)) {
        inMenu = true;
        paused = false;
        PlayWav(kBuzzerSound, WavMode::Blocking);
    }
}

void RoundOverFrame() {
    if (IsKeyDown(VK_ESCAPE)) {
        paused = false;
        BackToMenu();
    }
    if (IsKeyDown(VK_SPACE)) {
        if (player1.lives > 0 && player2.lives > 0 && outcome != LevelComplete) {
            roundOver = false;
            RoundSetup();
        } else {
            BackToMenu();
        }
    }
}

void ReleasePauseLatch() {
    if (!IsKeyDown(kKeyP)) pauseLatch = false;
}

void DrawOutcomeText() {
    const int lives1 = player1.lives;
    const int lives2 = player2.lives;
    if (outcome == LevelComplete) {
        PrintHeadline("LEVEL COMPLETE!");
        PrintMenuLine();
    }
    if (lives1 > 0 && outcome == Player1Died) {
        PrintHeadline("Player 1 died");
        PrintRestartLine();
    } else if (lives1 > 0 && lives2 > 0 && outcome == Player2Died) {
        // Player 2's death names the outcome, but when player 1 lost its last
        // life in the same tick SPACE returns to the menu: say so.
        PrintHeadline("Player 2 died");
        PrintRestartLine();
    } else if (lives1 <= 0 && lives2 <= 0) {
        PrintWideHeadline("Draw GAME");
        PrintMenuLine();
    } else if (lives1 <= 0) {
        PrintHeadline("Player 1: GAME OVER");
        PrintMenuLine();
    } else if (lives2 <= 0) {
        PrintHeadline("Player 2: GAME OVER");
        PrintMenuLine();
    } else if (outcome == BothDied) {
        PrintWideHeadline("Both died");
        PrintRestartLine();
    }
}

void DrawPauseText() { PrintAt(525, 370, "PAUSE"); }
