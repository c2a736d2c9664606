// Virtual-key codes and characters of the SDL layer's keys.
#include <gtest/gtest.h>

#include "platform/key_codes.h"

namespace {

struct KeyCase {
    const char* what;
    SDL_Keycode key;
    SDL_Scancode scancode;
    int virtualKey;
};

TEST(KeyCodes, FollowWindowsAssignment) {
    const KeyCase cases[] = {
        {"letter", SDLK_a, SDL_SCANCODE_A, 'A'},
        {"letter by layout (AZERTY A on the Q key)", SDLK_a, SDL_SCANCODE_Q, 'A'},
        {"letter of a non-Latin layout, by position", 0x444, SDL_SCANCODE_A, 'A'},
        {"digit row", SDLK_1, SDL_SCANCODE_1, '1'},
        {"digit row of a layout without digits there", SDLK_AMPERSAND, SDL_SCANCODE_1, '1'},
        {"zero", SDLK_0, SDL_SCANCODE_0, '0'},
        {"keypad digit", SDLK_KP_1, SDL_SCANCODE_KP_1, 0x61},
        {"keypad digit with Num Lock off", SDLK_END, SDL_SCANCODE_KP_1, 0x61},
        {"keypad zero", SDLK_KP_0, SDL_SCANCODE_KP_0, 0x60},
        {"F1", SDLK_F1, SDL_SCANCODE_F1, 112},
        {"F10", SDLK_F10, SDL_SCANCODE_F10, 121},
        {"F12", SDLK_F12, SDL_SCANCODE_F12, 123},
        {"up", SDLK_UP, SDL_SCANCODE_UP, 38},
        {"down", SDLK_DOWN, SDL_SCANCODE_DOWN, 40},
        {"left", SDLK_LEFT, SDL_SCANCODE_LEFT, 37},
        {"right", SDLK_RIGHT, SDL_SCANCODE_RIGHT, 39},
        {"enter", SDLK_RETURN, SDL_SCANCODE_RETURN, 13},
        {"keypad enter", SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13},
        {"escape", SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27},
        {"space", SDLK_SPACE, SDL_SCANCODE_SPACE, 32},
        {"left alt", SDLK_LALT, SDL_SCANCODE_LALT, 18},
        {"right shift", SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 16},
        {"right control", SDLK_RCTRL, SDL_SCANCODE_RCTRL, 17},
        {"comma", SDLK_COMMA, SDL_SCANCODE_COMMA, 0xBC},
        {"unknown key", SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, 0},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(sdlvideo::VirtualKeyCode(c.key, c.scancode), c.virtualKey) << c.what;
    }
}

TEST(KeyCodes, CharactersOfKeyDowns) {
    struct CharCase {
        int virtualKey;
        Uint16 modifiers;
        int character;
    };
    const CharCase cases[] = {
        {'A', KMOD_NONE, 'a'},
        {'A', KMOD_LSHIFT, 'A'},
        {'A', KMOD_CAPS, 'A'},
        {'A', KMOD_CAPS | KMOD_RSHIFT, 'a'},
        {'A', KMOD_LCTRL, 0},
        {'7', KMOD_NONE, '7'},
        {'7', KMOD_LSHIFT, 0},
        {13, KMOD_NONE, 13},
        {27, KMOD_NONE, 27},
        {32, KMOD_NONE, 32},
        {112, KMOD_NONE, 0},
        {38, KMOD_NONE, 0},
    };
    for (const CharCase& c : cases) {
        EXPECT_EQ(sdlvideo::KeyCharacter(c.virtualKey, c.modifiers), c.character)
            << "key " << c.virtualKey << " modifiers " << c.modifiers;
    }
}

}  // namespace
