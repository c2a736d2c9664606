// Windows virtual-key codes for SDL keys. Internal to platform/.
#pragma once

#include <SDL.h>

namespace sdlvideo {

// The virtual-key code Windows gives the key, or 0 for keys it has none for.
// Letters follow the keyboard layout; the main digit row and the keypad are
// taken by position, as Windows does whatever the layout.
int VirtualKeyCode(SDL_Keycode key, SDL_Scancode scancode);

// The character a key-down yields (WM_CHAR), or 0 when it yields none.
int KeyCharacter(int virtualKey, Uint16 modifiers);

}  // namespace sdlvideo
