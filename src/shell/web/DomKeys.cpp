#include "shell/web/DomKeys.h"

#include "shell/KeyCodes.h"

#include <cstring>

namespace {

constexpr int NO_KEY = -1;
constexpr int DIGIT_COUNT = 10;
constexpr int FUNCTION_KEY_COUNT = 12;
constexpr int FUNCTION_KEY_F10 = 10;

struct NamedKey {
  const char *name;
  int virtualKey;
};

// DOM codes, which for the navigation keys are also their key names.
const NamedKey namedKeys[] = {
    {"Backspace", KeyBackspace},
    {"Tab", KeyTab},
    {"Enter", KeyEnter},
    {"NumpadEnter", KeyEnter},
    {"ShiftLeft", KeyShift},
    {"ShiftRight", KeyShift},
    {"ControlLeft", KeyControl},
    {"ControlRight", KeyControl},
    {"AltLeft", KeyAlt},
    {"AltRight", KeyAlt},
    {"Pause", KeyPause},
    {"CapsLock", KeyCapsLock},
    {"Escape", KeyEscape},
    {"Space", KeySpace},
    {"PageUp", KeyPageUp},
    {"PageDown", KeyPageDown},
    {"End", KeyEnd},
    {"Home", KeyHome},
    {"ArrowLeft", KeyLeft},
    {"ArrowUp", KeyUp},
    {"ArrowRight", KeyRight},
    {"ArrowDown", KeyDown},
    {"Insert", KeyInsert},
    {"Delete", KeyDelete},
    {"Clear", KeyClear},
    {"NumpadDecimal", KeyDecimal},
};

const int gameKeys[] = {KeyEscape, KeySpace, KeyF1, KeyLeft, KeyUp, KeyRight, KeyDown,
                        KeyG,      KeyM,     KeyL,  KeyU,    KeyA,  KeyI,     KeyS};

// The number that follows prefix in code, if code is prefix and a number
// from first to last.
int numberAfter(const char *code, const char *prefix, int first, int last) {
  const std::size_t length = std::strlen(prefix);
  if (std::strncmp(code, prefix, length) != 0 || code[length] == '\0') {
    return NO_KEY;
  }
  int number = 0;
  for (const char *digit = code + length; *digit != '\0'; ++digit) {
    if (*digit < '0' || *digit > '9' || number > last) {
      return NO_KEY;
    }
    number = number * 10 + (*digit - '0');
  }
  return number >= first && number <= last ? number : NO_KEY;
}

// The index (0 for A) of a Latin letter given as a one-character text.
int letterIndex(const char *text) {
  if (text[0] == '\0' || text[1] != '\0') {
    return NO_KEY;
  }
  if (text[0] >= 'a' && text[0] <= 'z') {
    return text[0] - 'a';
  }
  if (text[0] >= 'A' && text[0] <= 'Z') {
    return text[0] - 'A';
  }
  return NO_KEY;
}

// "KeyA" to "KeyZ": the physical letter keys.
int physicalLetterIndex(const char *code) {
  if (std::strncmp(code, "Key", 3) != 0 || code[3] < 'A' || code[3] > 'Z' || code[4] != '\0') {
    return NO_KEY;
  }
  return code[3] - 'A';
}

int namedVirtualKey(const char *name) {
  for (const NamedKey &named : namedKeys) {
    if (std::strcmp(named.name, name) == 0) {
      return named.virtualKey;
    }
  }
  return NO_KEY;
}

int codeVirtualKey(const char *code) {
  const int digit = numberAfter(code, "Digit", 0, DIGIT_COUNT - 1);
  if (digit != NO_KEY) {
    return Key0 + digit;
  }
  const int numpadDigit = numberAfter(code, "Numpad", 0, DIGIT_COUNT - 1);
  if (numpadDigit != NO_KEY) {
    return KeyNumpad0 + numpadDigit;
  }
  const int function = numberAfter(code, "F", 1, FUNCTION_KEY_COUNT);
  if (function != NO_KEY) {
    return KeyF1 + function - 1;
  }
  return namedVirtualKey(code);
}

} // namespace

int virtualKeyOfDomKey(const char *key, const char *code) {
  // The layout's letter wins, also on a key that holds no letter on a US
  // keyboard (the French AZERTY's M sits on the semicolon key).
  const int layoutLetter = letterIndex(key);
  if (layoutLetter != NO_KEY) {
    return KeyA + layoutLetter;
  }
  // A layout without Latin letters: the letter printed on a US keyboard.
  const int physicalLetter = physicalLetterIndex(code);
  if (physicalLetter != NO_KEY) {
    return KeyA + physicalLetter;
  }
  // With NumLock off the keypad is a second set of navigation keys, which
  // the key's name tells (ArrowUp on the 8), as Windows reports them.
  if (std::strncmp(code, "Numpad", 6) == 0) {
    const int navigation = namedVirtualKey(key);
    if (navigation != NO_KEY) {
      return navigation;
    }
  }
  return codeVirtualKey(code);
}

bool isSystemDomKey(const char *code, bool altHeld) {
  return altHeld || numberAfter(code, "F", FUNCTION_KEY_F10, FUNCTION_KEY_F10) != NO_KEY ||
         std::strcmp(code, "AltLeft") == 0 || std::strcmp(code, "AltRight") == 0;
}

bool claimsKeyFromBrowser(int virtualKey, bool shortcutHeld) {
  if (shortcutHeld) {
    return false;
  }
  for (int gameKey : gameKeys) {
    if (gameKey == virtualKey) {
      return true;
    }
  }
  return false;
}
