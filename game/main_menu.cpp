#include "game/main_menu.h"

#include "base/gl_window.h"
#include "base/picture_quad.h"
#include "base/sound.h"
#include "game/frame_timer.h"
#include "game/game_screens.h"
#include "game/game_sounds.h"
#include "game/game_state.h"

namespace {

constexpr int kItemCount = 5;
constexpr int kMapItem = 3;
constexpr int kSpeedItem = 4;
constexpr int kExitItem = 5;
constexpr int kLastMap = kMapSlotCount;
constexpr int kLastSpeed = 3;

void StartLoading(bool forTwoPlayers) {
    PlayWav(kSwooshSound, WavMode::Async);
    inMenu = false;
    isLoading = true;
    loadingStartTime = static_cast<float>(ReadFrameTimer());
    twoPlayer = forTwoPlayers;
}

void Enter() {
    switch (menuSelection) {
        case 1: StartLoading(false); break;
        case 2: StartLoading(true); break;
        case kMapItem:
            PlayWav(kMenuSound, WavMode::Async);
            if (++mapSlot > kLastMap) mapSlot = 1;
            break;
        case kSpeedItem:
            PlayWav(kMenuSound, WavMode::Async);
            if (++speedLevel > kLastSpeed) speedLevel = 1;
            break;
        case kExitItem: quitRequested = true; break;
        default: break;
    }
}

// The arrows stop at the ends of the map and speed ranges.
void Step(int delta) {
    if (menuSelection == kMapItem) {
        mapSlot += delta;
        if (mapSlot > kLastMap) mapSlot = kLastMap;
        if (mapSlot < 1) mapSlot = 1;
    } else if (menuSelection == kSpeedItem) {
        speedLevel += delta;
        if (speedLevel > kLastSpeed) speedLevel = kLastSpeed;
        if (speedLevel < 1) speedLevel = 1;
    }
    PlayWav(kMenuSound, WavMode::Async);
}

int PreviewTexture() {
    static constexpr int kMapPreviews[] = {Map1PreviewTexture,
                                           Map2PreviewTexture,
                                           Map3PreviewTexture,
                                           Map4PreviewTexture,
                                           Map5PreviewTexture};
    static constexpr int kSpeedPreviews[] = {
        Speed1PreviewTexture, Speed2PreviewTexture, Speed3PreviewTexture};
    switch (menuSelection) {
        case 1: return SinglePreviewTexture;
        case 2: return MultiPreviewTexture;
        case kMapItem: return IsPlayableMapSlot(mapSlot) ? kMapPreviews[mapSlot - 1] : -1;
        case kSpeedItem:
            return speedLevel >= 1 && speedLevel <= kLastSpeed ? kSpeedPreviews[speedLevel - 1]
                                                               : -1;
        default: return -1;
    }
}

}  // namespace

void MenuFrame() {
    if (IsKeyDown(VK_UP) && !upLatch) {
        if (--menuSelection == 0) menuSelection = kItemCount;
        upLatch = true;
        PlayWav(kMenuSound, WavMode::Async);
    }
    if (IsKeyDown(VK_DOWN) && !downLatch) {
        if (++menuSelection == kItemCount + 1) menuSelection = 1;
        downLatch = true;
        PlayWav(kMenuSound, WavMode::Async);
    }
    if (IsKeyDown(VK_RIGHT) && !rightLatch) {
        Step(+1);
        rightLatch = true;
    }
    if (IsKeyDown(VK_LEFT) && !leftLatch) {
        Step(-1);
        leftLatch = true;
    }
    if (IsKeyDown(VK_RETURN) && !enterLatch) {
        Enter();
        enterLatch = true;
    }
    if (!IsKeyDown(VK_UP)) upLatch = false;
    if (!IsKeyDown(VK_DOWN)) downLatch = false;
    if (!IsKeyDown(VK_LEFT)) leftLatch = false;
    if (!IsKeyDown(VK_RIGHT)) rightLatch = false;
    if (!IsKeyDown(VK_RETURN)) enterLatch = false;
}

void DrawMenuScreen() {
    DrawPicture(MenuHeaderTexture, 0, 3, 640, 80);
    DrawPicture(PreviewFrameTexture, 300, 100, 556, 356);
    DrawPicture(InfoPanelTexture, 320, 380, 576, 444);
    const int preview = PreviewTexture();
    if (preview >= 0) DrawPicture(preview, 340, 140, 516, 316);
    for (int item = 1; item <= kItemCount; ++item) {
        const int texture = FirstButtonTexture + 2 * (item - 1) + (item == menuSelection ? 0 : 1);
        const float top = 120.0f + 70.0f * (item - 1);
        DrawPicture(texture, 30, top, 230, top + 50);
    }
}
