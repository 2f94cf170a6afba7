#pragma once
// Windows virtual-key codes: the index of every KeyTable entry, whatever the
// platform the keys came from.

enum KeyCode : int {
  KeyBackspace = 8,
  KeyTab = 9,
  KeyClear = 12, // the keypad's 5 with NumLock off
  KeyEnter = 13,
  KeyShift = 16,
  KeyControl = 17,
  KeyAlt = 18,
  KeyPause = 19,
  KeyCapsLock = 20,
  KeyEscape = 27,
  KeySpace = 32,
  KeyPageUp = 33,
  KeyPageDown = 34,
  KeyEnd = 35,
  KeyHome = 36,
  KeyLeft = 37,
  KeyUp = 38,
  KeyRight = 39,
  KeyDown = 40,
  KeyInsert = 45,
  KeyDelete = 46,
  Key0 = 48, // digits 48 to 57
  KeyA = 65, // letters 65 to 90
  KeyG = 71,
  KeyI = 73,
  KeyL = 76,
  KeyM = 77,
  KeyS = 83,
  KeyU = 85,
  KeyNumpad0 = 96, // numpad digits 96 to 105
  KeyDecimal = 110,
  KeyF1 = 112, // F1 to F12 are 112 to 123
  KeyF10 = 121,
};
