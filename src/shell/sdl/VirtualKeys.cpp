#include "shell/sdl/VirtualKeys.h"

#include "shell/KeyCodes.h"

namespace {

constexpr int NO_KEY = -1;
constexpr int FUNCTION_KEY_COUNT = 12;
constexpr int DIGIT_COUNT = 10;

struct KeyPair {
  SDL_Keycode sdlKey;
  int virtualKey;
};

const KeyPair namedKeys[] = {
    {SDLK_BACKSPACE, KeyBackspace},
    {SDLK_TAB, KeyTab},
    {SDLK_RETURN, KeyEnter},
    {SDLK_KP_ENTER, KeyEnter},
    {SDLK_LSHIFT, KeyShift},
    {SDLK_RSHIFT, KeyShift},
    {SDLK_LCTRL, KeyControl},
    {SDLK_RCTRL, KeyControl},
    {SDLK_LALT, KeyAlt},
    {SDLK_RALT, KeyAlt},
    {SDLK_PAUSE, KeyPause},
    {SDLK_CAPSLOCK, KeyCapsLock},
    {SDLK_ESCAPE, KeyEscape},
    {SDLK_SPACE, KeySpace},
    {SDLK_PAGEUP, KeyPageUp},
    {SDLK_PAGEDOWN, KeyPageDown},
    {SDLK_END, KeyEnd},
    {SDLK_HOME, KeyHome},
    {SDLK_LEFT, KeyLeft},
    {SDLK_UP, KeyUp},
    {SDLK_RIGHT, KeyRight},
    {SDLK_DOWN, KeyDown},
    {SDLK_INSERT, KeyInsert},
    {SDLK_DELETE, KeyDelete},
};

// What the keypad's keys are with NumLock off, as on Windows.
const KeyPair keypadNavigation[] = {
    {SDLK_KP_0, KeyInsert},   {SDLK_KP_1, KeyEnd},         {SDLK_KP_2, KeyDown},
    {SDLK_KP_3, KeyPageDown}, {SDLK_KP_4, KeyLeft},        {SDLK_KP_5, KeyClear},
    {SDLK_KP_6, KeyRight},    {SDLK_KP_7, KeyHome},        {SDLK_KP_8, KeyUp},
    {SDLK_KP_9, KeyPageUp},   {SDLK_KP_PERIOD, KeyDelete},
};

// SDL numbers these blocks without gaps, but not next to each other.
const SDL_Keycode functionKeys[FUNCTION_KEY_COUNT] = {SDLK_F1, SDLK_F2,  SDLK_F3,  SDLK_F4,
                                                      SDLK_F5, SDLK_F6,  SDLK_F7,  SDLK_F8,
                                                      SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12};
const SDL_Keycode numpadDigits[DIGIT_COUNT] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3,
                                               SDLK_KP_4, SDLK_KP_5, SDLK_KP_6, SDLK_KP_7,
                                               SDLK_KP_8, SDLK_KP_9};

int indexIn(const SDL_Keycode *keys, int count, SDL_Keycode key) {
  for (int i = 0; i < count; ++i) {
    if (keys[i] == key) {
      return i;
    }
  }
  return NO_KEY;
}

int pairedKey(const KeyPair *pairs, int count, SDL_Keycode key) {
  for (int i = 0; i < count; ++i) {
    if (pairs[i].sdlKey == key) {
      return pairs[i].virtualKey;
    }
  }
  return NO_KEY;
}

} // namespace

int virtualKeyCode(SDL_Keycode key, Uint16 modifiers) {
  if ((modifiers & KMOD_NUM) == 0) {
    const int navigation = pairedKey(keypadNavigation, SDL_arraysize(keypadNavigation), key);
    if (navigation != NO_KEY) {
      return navigation;
    }
  }
  if (key == SDLK_KP_PERIOD) {
    return KeyDecimal;
  }
  // Letters and digits are their upper-case characters in both schemes.
  if (key >= SDLK_a && key <= SDLK_z) {
    return KeyA + (key - SDLK_a);
  }
  if (key >= SDLK_0 && key <= SDLK_9) {
    return Key0 + (key - SDLK_0);
  }
  const int function = indexIn(functionKeys, FUNCTION_KEY_COUNT, key);
  if (function != NO_KEY) {
    return KeyF1 + function;
  }
  const int digit = indexIn(numpadDigits, DIGIT_COUNT, key);
  if (digit != NO_KEY) {
    return KeyNumpad0 + digit;
  }
  return pairedKey(namedKeys, SDL_arraysize(namedKeys), key);
}

bool isSystemKey(SDL_Keycode key, Uint16 modifiers) {
  return key == SDLK_F10 || key == SDLK_LALT || key == SDLK_RALT || (modifiers & KMOD_ALT) != 0;
}
