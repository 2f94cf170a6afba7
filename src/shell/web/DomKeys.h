#pragma once
// A web page's keyboard events in terms of the Windows virtual-key codes the
// key table is indexed by. Plain strings in, so that the mapping builds and
// is tested without a browser.

// The virtual-key code of a DOM key event, or -1 for a key the game has no
// code for. key is what the keyboard layout makes of the key (its character
// or name), code the physical key. Letters follow the layout, as Windows'
// virtual keys do, unless the layout gives no Latin letter there; the
// keypad with NumLock off gives the navigation keys its keys are named
// after; every other key follows the physical key.
int virtualKeyOfDomKey(const char *key, const char *code);

// Keys that Windows keeps for itself (F10, Alt and anything pressed with
// Alt) never reach the key table; the same keys are kept out here.
bool isSystemDomKey(const char *code, bool altHeld);

// Whether the page keeps the browser from acting on a key (scrolling on the
// space bar and the arrows, help on F1): true for the keys the game reads,
// unless Control or Meta makes the press a browser shortcut.
bool claimsKeyFromBrowser(int virtualKey, bool shortcutHeld);
