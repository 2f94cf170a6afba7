// The browser shell's input mapping, which builds without a browser: DOM key
// events to Windows virtual-key codes, the keys the page keeps from the
// browser, pointer events to mouse moves and clicks, and the on-screen
// controls' repeats.

#include "shell/KeyCodes.h"
#include "shell/web/ControlPad.h"
#include "shell/web/DomKeys.h"
#include "shell/web/PagePointer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <vector>

constexpr int NO_KEY = -1;

// Letters follow the layout as Windows' virtual keys do; a layout without
// Latin letters falls back to the US key; the keypad without NumLock is
// what its keys' names say; everything else is the physical key.
TEST(WebInput, DomKeysBecomeVirtualKeys) {
  // clang-format off
  const std::tuple<const char *, const char *, int> rows[] = {
      // With Shift or Caps Lock; French AZERTY: Q where US has A, M on the
      // semicolon key; Russian: the Cyrillic letter on L.
      {"l", "KeyL", KeyL}, {"L", "KeyL", KeyL}, {"q", "KeyA", 'Q'}, {"m", "Semicolon", KeyM},
      {"\xD0\xB4", "KeyL", KeyL},
      {" ", "Space", KeySpace}, {"ArrowLeft", "ArrowLeft", KeyLeft},
      {"Escape", "Escape", KeyEscape}, {"F1", "F1", KeyF1}, {"F12", "F12", KeyF1 + 11},
      {"F13", "F13", NO_KEY},
      // The digit key whatever Shift makes of it; the keypad with NumLock on, then off.
      {"1", "Digit1", Key0 + 1}, {"!", "Digit1", Key0 + 1}, {"7", "Numpad7", KeyNumpad0 + 7},
      {".", "NumpadDecimal", KeyDecimal}, {"Enter", "NumpadEnter", KeyEnter},
      {"ArrowUp", "Numpad8", KeyUp}, {"Clear", "Numpad5", KeyClear},
      {"Delete", "NumpadDecimal", KeyDelete},
      {"Shift", "ShiftRight", KeyShift}, {";", "Semicolon", NO_KEY},
      {"Unidentified", "", NO_KEY}, {"", "Digit", NO_KEY}, {"", "Digit12", NO_KEY},
      {"", "KeyZ", 'Z'}, {"", "Keys", NO_KEY}, {"", "KeyAB", NO_KEY}};
  // clang-format on
  for (const auto &[key, code, virtualKey] : rows) {
    EXPECT_EQ(virtualKeyOfDomKey(key, code), virtualKey)
        << "key \"" << key << "\", code \"" << code << "\"";
  }
}

// F10, Alt and Alt combinations stay with the system, as on Windows; the page
// claims the game's keys (no scrolling, no browser help on F1) but never a
// browser shortcut or a key the game does not read (F5 still reloads).
TEST(WebInput, SystemKeysAndKeysClaimedFromTheBrowser) {
  const std::tuple<const char *, bool, bool> systemRows[] = {
      {"F10", false, true},  {"AltLeft", false, true}, {"AltRight", false, true},
      {"KeyL", true, true},  {"KeyL", false, false},   {"F1", false, false},
      {"F11", false, false}, {"F100", false, false}};
  for (const auto &[code, altHeld, system] : systemRows) {
    EXPECT_EQ(isSystemDomKey(code, altHeld), system) << code << (altHeld ? " with Alt" : "");
  }
  for (int key : {KeyLeft, KeyUp, KeyRight, KeyDown, KeySpace, KeyF1, KeyEscape, KeyG, KeyM, KeyL,
                  KeyU, KeyA, KeyI, KeyS}) {
    EXPECT_TRUE(claimsKeyFromBrowser(key, false)) << key;
    EXPECT_FALSE(claimsKeyFromBrowser(key, true)) << key << " with Control or Meta";
  }
  for (int key : std::initializer_list<int>{KeyF1 + 4, KeyTab, KeyEnter, 'B', Key0, NO_KEY}) {
    EXPECT_FALSE(claimsKeyFromBrowser(key, false)) << key;
  }
}

// Mouse, finger and pen alike: the primary pointer moves the cursor, its
// first button (a tap) also clicks; a second finger does nothing. CSS pixels
// scale to the drawing buffer by its ratio to the element's size.
TEST(WebInput, PointersBecomeMouseMovesAndClicks) {
  const CanvasSize density2 = {400, 300, 800, 600}, phone = {520, 390, 1560, 1170};
  const CanvasSize unlaid = {0, 0, 1024, 768};
  const std::tuple<const char *, PagePointerEvent, CanvasSize, PointerAction> rows[] = {
      {"mouse moves", {PointerKind::Move, true, -1, 100, 50}, density2, {true, false, 200, 100}},
      {"left button", {PointerKind::Down, true, 0, 100.25, 50}, density2, {true, true, 200.5, 100}},
      {"right button", {PointerKind::Down, true, 2, 100, 50}, density2, {true, false, 200, 100}},
      {"tap", {PointerKind::Down, true, 0, 260, 195}, phone, {true, true, 780, 585}},
      {"finger drags", {PointerKind::Move, true, -1, 519, 389}, phone, {true, false, 1557, 1167}},
      {"second finger lands", {PointerKind::Down, false, 0, 10, 10}, phone, {false, false, 0, 0}},
      {"second finger moves", {PointerKind::Move, false, -1, 10, 10}, phone, {false, false, 0, 0}},
      {"pen eraser", {PointerKind::Down, true, 5, 10, 10}, phone, {true, false, 30, 30}},
      {"not laid out", {PointerKind::Down, true, 0, 10, 10}, unlaid, {true, true, 0, 0}},
  };
  // Where the pointer is counts only when it moves the cursor.
  const auto seen = [](const PointerAction &a) {
    return std::make_tuple(a.moves, a.clicks, a.moves ? a.x : 0, a.moves ? a.y : 0);
  };
  for (const auto &[what, event, canvas, action] : rows) {
    EXPECT_EQ(seen(pointerAction(event, canvas)), seen(action)) << what;
  }
}

// Only the step arrows repeat while held, first after half a second, then
// every 33 ms, once per late frame, also across the millisecond counter's
// wrap. (The browser test presses each control by touch.)
TEST(WebInput, OnScreenControlArrowsRepeat) {
  EXPECT_EQ(std::make_pair(ControlPad::keyOf(ControlPad::COUNT), ControlPad::keyOf(-1)),
            std::make_pair(NO_KEY, NO_KEY));
  using Keys = std::vector<int>;
  const std::uint32_t start = 0xFFFFFF00u; // wraps 256 ms later
  ControlPad pad;
  EXPECT_EQ(pad.press(ControlPad::StepLeft, start), KeyLeft);
  EXPECT_EQ(pad.press(ControlPad::StepLeft, start), NO_KEY) << "already down";
  EXPECT_EQ(pad.press(ControlPad::Pause, start), KeySpace);
  const std::pair<std::uint32_t, Keys> rows[] = {{0, {}},   {499, {}},        {500, {KeyLeft}},
                                                 {532, {}}, {533, {KeyLeft}}, {5000, {KeyLeft}},
                                                 {5001, {}}};
  for (const auto &[after, repeats] : rows) {
    EXPECT_EQ(pad.repeatsDue(start + after), repeats) << after << " ms";
  }
  EXPECT_EQ(pad.release(ControlPad::StepLeft), KeyLeft);
  EXPECT_EQ(pad.release(ControlPad::StepLeft), NO_KEY) << "already up";
  EXPECT_EQ(pad.repeatsDue(start + 9000), Keys{});
  pad.press(ControlPad::StepUp, start);
  EXPECT_EQ(pad.releaseAll(), (Keys{KeyUp, KeySpace}));
  EXPECT_EQ(pad.releaseAll(), Keys{});
}
