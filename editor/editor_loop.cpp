#include "editor/editor_loop.h"

#include <array>

#include "base/gl_window.h"
#include "base/message_loop.h"
#include "editor/editor_screen.h"
#include "editor/editor_state.h"
#include "editor/help_box.h"
#include "editor/save_failure_box.h"
#include "mapfile/map_file.h"

namespace {

constexpr int kKeyH = 'H';
constexpr int kKeyL = 'L';
constexpr int kKeyN = 'N';
constexpr int kKeyS = 'S';
constexpr std::array<int, 5> kSlotKeys = {'1', '2', '3', '4', '5'};
constexpr int kKeyAbort = '0';
constexpr int kKeyStart1 = '1';
constexpr int kKeyStart2 = '2';

bool PromptOpen() { return loadPrompt || savePrompt; }

std::int32_t& CursorCell() { return editorGrid.at(cursorX, cursorY); }

// F1. False when the new window could not be made.
bool SwitchScreenMode() {
    if (!IsKeyDown(VK_F1)) {
        return true;
    }
    return ToggleFullscreen();
}

// ESC: the rest of the frame still runs.
void CheckQuit() {
    if (IsKeyDown(VK_ESCAPE)) {
        quitRequested = true;
    }
}

// The arrows: one cell per key-down message, by clearing the key's entry.
// At an edge the entry stays set and the key does nothing.
void MoveCursor(int vk, std::int32_t& coordinate, int step) {
    const std::int32_t next = coordinate + step;
    if (IsKeyDown(vk) && next >= kCursorMin && next <= kCursorMax) {
        KeyState[vk] = 0;
        coordinate = next;
    }
}

// SPACE: one change per press. A code outside 0 to 4 is left alone
// and does not latch.
void CycleCell() {
    if (IsKeyDown(VK_SPACE) && !spaceLatch) {
        std::int32_t& cell = CursorCell();
        switch (cell) {
            case Empty:
                cell = Wall;
                spaceLatch = true;
                break;
            case Wall:
                cell = Item;
                spaceLatch = true;
                break;
            case Item:
            case Snake1:
            case Snake2:
                cell = Empty;
                spaceLatch = true;
                break;
            default: break;
        }
    }
    if (!IsKeyDown(VK_SPACE)) {
        spaceLatch = false;
    }
}

// L, S and 0. L is tested first, so L and S together open the load prompt.
void OpenOrAbortPrompt() {
    if (IsKeyDown(kKeyL) && !PromptOpen()) {
        loadPrompt = true;
    }
    if (IsKeyDown(kKeyS) && !PromptOpen()) {
        savePrompt = true;
    }
    if (IsKeyDown(kKeyAbort) && PromptOpen()) {
        loadPrompt = false;
        savePrompt = false;
    }
}

// N: no latch, so a held N reloads the default map in every frame.
void NewMap() {
    if (IsKeyDown(kKeyN)) {
        mapSlot = kDefaultMapSlot;
        LoadMap();
    }
}

// A digit while a prompt is open. The digit's entry is cleared, so the same
// key-down does not also set a start point later in the frame.
void AnswerPrompt(bool& prompt, void (*operation)()) {
    for (std::size_t i = 0; i < kSlotKeys.size(); ++i) {
        const int vk = kSlotKeys[i];
        if (prompt && IsKeyDown(vk)) {
            mapSlot = static_cast<MapSlot>(i + 1);
            operation();
            prompt = false;
            KeyState[vk] = 0;
        }
    }
}

// 1 and 2 while no prompt is open: no latch, so a held key marks every cell
// the cursor stops on.
void SetStartPoints() {
    if (!PromptOpen() && IsKeyDown(kKeyStart1)) {
        CursorCell() = Snake1;
    }
    if (!PromptOpen() && IsKeyDown(kKeyStart2)) {
        CursorCell() = Snake2;
    }
}

// H: the box is modal; the latch keeps a held H from showing it again.
void Help() {
    if (IsKeyDown(kKeyH) && !helpLatch) {
        ShowHelpBox();
        helpLatch = true;
    }
    if (!IsKeyDown(kKeyH)) {
        helpLatch = false;
    }
}

}  // namespace

bool RunEditorFrame() {
    ShowFrame(DrawScene, quitRequested);
    if (!SwitchScreenMode()) {
        return false;
    }
    CheckQuit();
    MoveCursor(VK_UP, cursorY, -1);
    MoveCursor(VK_DOWN, cursorY, +1);
    MoveCursor(VK_RIGHT, cursorX, +1);
    MoveCursor(VK_LEFT, cursorX, -1);
    CycleCell();
    OpenOrAbortPrompt();
    NewMap();
    AnswerPrompt(loadPrompt, LoadMap);
    AnswerPrompt(savePrompt, SaveMapOrTell);
    SetStartPoints();
    Help();
    return true;
}

bool RunEditorLoop() {
    MSG lastMessage{};
    return RunMessageLoop(quitRequested, RunEditorFrame, lastMessage);
}
