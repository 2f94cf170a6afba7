#pragma once
// SDL key events in terms of the Windows virtual-key codes the key table is
// indexed by.

#include <SDL.h>

// The virtual-key code of an SDL key pressed with these modifiers, or -1 for
// a key the game has no code for. With NumLock off the keypad is a second set
// of navigation keys, as Windows reports it: its 8, 2, 4 and 6 are arrows.
int virtualKeyCode(SDL_Keycode key, Uint16 modifiers);

// Keys that Windows keeps for itself (F10, Alt and anything pressed with Alt)
// never reach the key table; the same keys are kept out here.
bool isSystemKey(SDL_Keycode key, Uint16 modifiers);
