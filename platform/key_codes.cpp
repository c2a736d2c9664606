// Windows virtual-key codes for SDL keys.
#include "platform/key_codes.h"

#include <array>
#include <utility>

namespace sdlvideo {
namespace {

// Keys whose code follows their position on the keyboard.
constexpr auto kByPosition = std::to_array<std::pair<SDL_Scancode, int>>({
    {SDL_SCANCODE_RETURN, 0x0D},      {SDL_SCANCODE_KP_ENTER, 0x0D},
    {SDL_SCANCODE_ESCAPE, 0x1B},      {SDL_SCANCODE_BACKSPACE, 0x08},
    {SDL_SCANCODE_TAB, 0x09},         {SDL_SCANCODE_SPACE, 0x20},
    {SDL_SCANCODE_LSHIFT, 0x10},      {SDL_SCANCODE_RSHIFT, 0x10},
    {SDL_SCANCODE_LCTRL, 0x11},       {SDL_SCANCODE_RCTRL, 0x11},
    {SDL_SCANCODE_LALT, 0x12},        {SDL_SCANCODE_RALT, 0x12},
    {SDL_SCANCODE_PAUSE, 0x13},       {SDL_SCANCODE_CAPSLOCK, 0x14},
    {SDL_SCANCODE_PAGEUP, 0x21},      {SDL_SCANCODE_PAGEDOWN, 0x22},
    {SDL_SCANCODE_END, 0x23},         {SDL_SCANCODE_HOME, 0x24},
    {SDL_SCANCODE_LEFT, 0x25},        {SDL_SCANCODE_UP, 0x26},
    {SDL_SCANCODE_RIGHT, 0x27},       {SDL_SCANCODE_DOWN, 0x28},
    {SDL_SCANCODE_PRINTSCREEN, 0x2C}, {SDL_SCANCODE_INSERT, 0x2D},
    {SDL_SCANCODE_DELETE, 0x2E},      {SDL_SCANCODE_LGUI, 0x5B},
    {SDL_SCANCODE_RGUI, 0x5C},        {SDL_SCANCODE_APPLICATION, 0x5D},
    {SDL_SCANCODE_KP_MULTIPLY, 0x6A}, {SDL_SCANCODE_KP_PLUS, 0x6B},
    {SDL_SCANCODE_KP_MINUS, 0x6D},    {SDL_SCANCODE_KP_PERIOD, 0x6E},
    {SDL_SCANCODE_KP_DIVIDE, 0x6F},   {SDL_SCANCODE_NUMLOCKCLEAR, 0x90},
    {SDL_SCANCODE_SCROLLLOCK, 0x91},  {SDL_SCANCODE_NONUSBACKSLASH, 0xE2},
});

// Punctuation keys by the character they carry in the layout.
constexpr auto kPunctuation = std::to_array<std::pair<SDL_Keycode, int>>({
    {SDLK_SEMICOLON, 0xBA},
    {SDLK_EQUALS, 0xBB},
    {SDLK_COMMA, 0xBC},
    {SDLK_MINUS, 0xBD},
    {SDLK_PERIOD, 0xBE},
    {SDLK_SLASH, 0xBF},
    {SDLK_BACKQUOTE, 0xC0},
    {SDLK_LEFTBRACKET, 0xDB},
    {SDLK_BACKSLASH, 0xDC},
    {SDLK_RIGHTBRACKET, 0xDD},
    {SDLK_QUOTE, 0xDE},
});

}  // namespace

int VirtualKeyCode(SDL_Keycode key, SDL_Scancode scancode) {
    // Keypad digits keep their keypad codes, with or without Num Lock.
    if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) {
        return 0x61 + (scancode - SDL_SCANCODE_KP_1);
    }
    if (scancode == SDL_SCANCODE_KP_0) {
        return 0x60;
    }
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
        return 0x70 + (scancode - SDL_SCANCODE_F1);
    }
    if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) {
        return 0x7C + (scancode - SDL_SCANCODE_F13);
    }
    // The main digit row gives digits whatever the layout puts on it.
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
        return '1' + (scancode - SDL_SCANCODE_1);
    }
    if (scancode == SDL_SCANCODE_0) {
        return '0';
    }
    // Letters as the layout places them (upper-case codes).
    if (key >= SDLK_a && key <= SDLK_z) {
        return 'A' + (key - SDLK_a);
    }
    for (const auto& [code, virtualKey] : kByPosition) {
        if (code == scancode) {
            return virtualKey;
        }
    }
    for (const auto& [code, virtualKey] : kPunctuation) {
        if (code == key) {
            return virtualKey;
        }
    }
    // Letter keys of non-Latin layouts get the code of their position.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        return 'A' + (scancode - SDL_SCANCODE_A);
    }
    return 0;
}

int KeyCharacter(int virtualKey, Uint16 modifiers) {
    const bool shift = (modifiers & KMOD_SHIFT) != 0;
    const bool caps = (modifiers & KMOD_CAPS) != 0;
    if (modifiers & KMOD_CTRL) {
        return 0;
    }
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        return shift != caps ? virtualKey : virtualKey - 'A' + 'a';
    }
    if (virtualKey >= '0' && virtualKey <= '9' && !shift) {
        return virtualKey;
    }
    switch (virtualKey) {
        case 0x08:  // backspace
        case 0x09:  // tab
        case 0x0D:  // enter
        case 0x1B:  // escape
        case 0x20:  // space
            return virtualKey;
        default: return 0;
    }
}

}  // namespace sdlvideo
