// The browser shell's input mapping, which builds without a browser: DOM key
// events to Windows virtual-key codes, the keys the page keeps from the
// browser, and pointer positions on a canvas shown at another size.

#include "shell/KeyCodes.h"
#include "shell/web/CanvasPixels.h"
#include "shell/web/DomKeys.h"

#include <gtest/gtest.h>

#include <string>

namespace {
constexpr int NO_KEY = -1;
constexpr int WIDTH = 1024;
constexpr int HEIGHT = 768;
} // namespace

// Letters follow the layout as Windows' virtual keys do; a layout without
// Latin letters falls back to the US key; the keypad without NumLock is
// what its keys' names say; everything else is the physical key.
TEST(WebInput, DomKeysBecomeVirtualKeys) {
  struct Row {
    const char *key, *code;
    int virtualKey;
  } rows[] = {
      {"l", "KeyL", KeyL},
      {"L", "KeyL", KeyL},        // with Shift or Caps Lock
      {"q", "KeyA", 'Q'},         // French AZERTY: Q where US has A
      {"m", "Semicolon", KeyM},   // and M on the semicolon key
      {"\xD0\xB4", "KeyL", KeyL}, // Russian: the Cyrillic letter on L
      {" ", "Space", KeySpace},
      {"ArrowLeft", "ArrowLeft", KeyLeft},
      {"ArrowUp", "ArrowUp", KeyUp},
      {"ArrowRight", "ArrowRight", KeyRight},
      {"ArrowDown", "ArrowDown", KeyDown},
      {"Escape", "Escape", KeyEscape},
      {"F1", "F1", KeyF1},
      {"F12", "F12", KeyF1 + 11},
      {"F13", "F13", NO_KEY},
      {"1", "Digit1", Key0 + 1},
      {"!", "Digit1", Key0 + 1}, // the digit key whatever Shift makes of it
      {"7", "Numpad7", KeyNumpad0 + 7},
      {"Enter", "NumpadEnter", KeyEnter},
      {"ArrowUp", "Numpad8", KeyUp}, // the keypad with NumLock off
      {"Clear", "Numpad5", KeyClear},
      {"Delete", "NumpadDecimal", KeyDelete},
      {".", "NumpadDecimal", KeyDecimal},
      {"Shift", "ShiftRight", KeyShift},
      {";", "Semicolon", NO_KEY},
      {"Unidentified", "", NO_KEY},
      {"", "Digit", NO_KEY},
      {"", "Digit12", NO_KEY},
      {"", "KeyZ", 'Z'},
      {"", "Keys", NO_KEY},
      {"", "KeyAB", NO_KEY},
  };
  for (const Row &row : rows) {
    EXPECT_EQ(virtualKeyOfDomKey(row.key, row.code), row.virtualKey)
        << "key \"" << row.key << "\", code \"" << row.code << "\"";
  }
}

// F10, Alt and Alt combinations stay with the system, as on Windows; the page
// claims the game's keys (no scrolling, no browser help on F1) but never a
// browser shortcut or a key the game does not read (F5 still reloads).
TEST(WebInput, SystemKeysAndKeysClaimedFromTheBrowser) {
  struct SystemRow {
    const char *code;
    bool altHeld, system;
  } systemRows[] = {{"F10", false, true},  {"AltLeft", false, true}, {"AltRight", false, true},
                    {"KeyL", true, true},  {"KeyL", false, false},   {"F1", false, false},
                    {"F11", false, false}, {"F100", false, false}};
  for (const SystemRow &row : systemRows) {
    EXPECT_EQ(isSystemDomKey(row.code, row.altHeld), row.system)
        << row.code << (row.altHeld ? " with Alt" : "");
  }
  const int claimed[] = {KeyLeft, KeyUp, KeyRight, KeyDown, KeySpace, KeyF1, KeyEscape,
                         KeyG,    KeyM,  KeyL,     KeyU,    KeyA,     KeyI,  KeyS};
  for (int key : claimed) {
    EXPECT_TRUE(claimsKeyFromBrowser(key, false)) << key;
    EXPECT_FALSE(claimsKeyFromBrowser(key, true)) << key << " with Control or Meta";
  }
  const int left[] = {KeyF1 + 4, KeyTab, KeyEnter, 'B', Key0, NO_KEY};
  for (int key : left) {
    EXPECT_FALSE(claimsKeyFromBrowser(key, false)) << key;
  }
}

// The picture keeps its 4:3 shape at any element size: scaled evenly,
// centred, with bars beside or above it; points on a bar or outside the
// element go to the nearest edge pixel.
TEST(WebInput, PointerPositionsScaleToTheCanvasBuffer) {
  struct Row {
    std::string shown;
    double elementX, elementY, elementWidth, elementHeight;
    CanvasPixel pixel;
  } rows[] = {
      {"same size", 0, 0, WIDTH, HEIGHT, {0, 0}},
      {"same size", 512.5, 300.2, WIDTH, HEIGHT, {512, 300}},
      {"same size", 1023.9, 767.9, WIDTH, HEIGHT, {1023, 767}},
      {"half size", 256, 192, 512, 384, {512, 384}},
      {"half size", 511.9, 383.9, 512, 384, {1023, 767}},
      // 1920 x 1080: scale 1.40625, a 1440-pixel picture between bars of 240.
      {"wide screen", 960, 540, 1920, 1080, {512, 384}},
      {"wide screen", 240, 0, 1920, 1080, {0, 0}},
      {"wide screen", 100, 10, 1920, 1080, {0, 7}},
      {"wide screen", 1679.99, 1079.99, 1920, 1080, {1023, 767}},
      {"wide screen", 1900, 500, 1920, 1080, {1023, 355}},
      // 768 x 1024: scale 0.75, a 576-pixel picture between bars of 224.
      {"tall screen", 384, 512, 768, 1024, {512, 384}},
      {"tall screen", 767, 1023, 768, 1024, {1022, 767}},
      {"tall screen", 0, 100, 768, 1024, {0, 0}},
      {"outside", -5, -5, WIDTH, HEIGHT, {0, 0}},
      {"outside", 2000, 2000, WIDTH, HEIGHT, {1023, 767}},
      {"not laid out", 10, 10, 0, 0, {0, 0}},
  };
  for (const Row &row : rows) {
    const CanvasPixel pixel = canvasPixelAt(row.elementX, row.elementY, row.elementWidth,
                                            row.elementHeight, WIDTH, HEIGHT);
    EXPECT_EQ(std::make_pair(pixel.x, pixel.y), std::make_pair(row.pixel.x, row.pixel.y))
        << row.shown << " at (" << row.elementX << ", " << row.elementY << ")";
  }
}
