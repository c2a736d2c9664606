// The game's screens and the pictures it loads with every window.
#pragma once

#include <array>

// Entries of the game's TextureTable, in the order of kGameTextureFiles.
enum GameTexture : int {
    MenuHeaderTexture = 0,
    PreviewFrameTexture = 1,
    Map1PreviewTexture = 2,
    SinglePreviewTexture = 3,
    MultiPreviewTexture = 4,
    FirstButtonTexture = 5,  // item N: 2N + 3 selected, 2N + 4 not
    Speed1PreviewTexture = 15,
    Speed2PreviewTexture = 16,
    Speed3PreviewTexture = 17,
    Map2PreviewTexture = 18,
    Map3PreviewTexture = 19,
    InfoPanelTexture = 20,
    LoadingTexture = 21,
    WallTexture = 22,
    ItemTexture = 23,
    Snake1Texture = 24,
    Snake2Texture = 25,
    Player1LabelTexture = 26,
    Player2LabelTexture = 27,
    PanelHeaderTexture = 28,
    Map4PreviewTexture = 29,
    Map5PreviewTexture = 30,
};

inline constexpr std::array<const char*, 31> kGameTextureFiles{
    "data/textures/menu/top.bmp",         "data/textures/menu/pic_frame.bmp",
    "data/textures/menu/map1.bmp",        "data/textures/menu/single.bmp",
    "data/textures/menu/multi.bmp",       "data/textures/menu/menuitem1_1.bmp",
    "data/textures/menu/menuitem1_2.bmp", "data/textures/menu/menuitem2_1.bmp",
    "data/textures/menu/menuitem2_2.bmp", "data/textures/menu/menuitem3_1.bmp",
    "data/textures/menu/menuitem3_2.bmp", "data/textures/menu/menuitem4_1.bmp",
    "data/textures/menu/menuitem4_2.bmp", "data/textures/menu/menuitem5_1.bmp",
    "data/textures/menu/menuitem5_2.bmp", "data/textures/menu/speed1.bmp",
    "data/textures/menu/speed2.bmp",      "data/textures/menu/speed3.bmp",
    "data/textures/menu/map2.bmp",        "data/textures/menu/map3.bmp",
    "data/textures/menu/info.bmp",        "data/textures/menu/loading.bmp",
    "data/textures/ingame/wall.bmp",      "data/textures/ingame/item.bmp",
    "data/textures/ingame/snake1.bmp",    "data/textures/ingame/snake2.bmp",
    "data/textures/ingame/player1.bmp",   "data/textures/ingame/player2.bmp",
    "data/textures/ingame/top.bmp",       "data/textures/menu/map4.bmp",
    "data/textures/menu/map5.bmp",
};

// Draws the screen that the flags select; always true.
bool DrawScene();
void DrawLoadingScreen();
void DrawPlayfield();
void DrawHud();
