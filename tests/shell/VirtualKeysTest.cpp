#include "shell/sdl/VirtualKeys.h"
#include "shell/KeyCodes.h"

#include <gtest/gtest.h>

#include <tuple>

// SDL keys under the Windows virtual-key codes the key table is indexed by;
// Windows keeps F10, Alt and whatever is pressed with Alt for itself. It
// turns the keypad into a second set of navigation keys while NumLock is off
// (VK_INSERT 45 ... VK_CLEAR 12 for the 5), and into VK_NUMPAD0 96 to
// VK_NUMPAD9 105 and VK_DECIMAL 110 while it is on; other modifiers change
// nothing, and keys off the keypad never depend on NumLock.
TEST(VirtualKeys, SdlKeysMapToTheirWindowsCodesByNumLockAndAltAndF10StayWithTheSystem) {
  for (int i = 0; i < 26; ++i) {
    EXPECT_EQ(virtualKeyCode(SDLK_a + i, KMOD_NONE), 'A' + i);
    EXPECT_EQ(virtualKeyCode(SDLK_0 + i % 10, KMOD_NUM), '0' + i % 10);
    EXPECT_EQ(virtualKeyCode(SDLK_F1 + i % 12, KMOD_NONE), 112 + i % 12) << "F" << i % 12 + 1;
  }
  // clang-format off
  // An SDL key, its code with NumLock off and with NumLock on.
  const std::tuple<SDL_Keycode, int, int> rows[] = {
      {SDLK_ESCAPE, 27, 27}, {SDLK_SPACE, 32, 32}, {SDLK_RETURN, 13, 13}, {SDLK_TAB, 9, 9},
      {SDLK_BACKSPACE, 8, 8}, {SDLK_LEFT, 37, 37}, {SDLK_UP, 38, 38}, {SDLK_RIGHT, 39, 39},
      {SDLK_DOWN, 40, 40}, {SDLK_HOME, 36, 36}, {SDLK_DELETE, 46, 46}, {SDLK_INSERT, 45, 45},
      // Both sides of a modifier share one code; keys the game has no code for get -1.
      {SDLK_LSHIFT, 16, 16}, {SDLK_RSHIFT, 16, 16}, {SDLK_LCTRL, 17, 17}, {SDLK_RCTRL, 17, 17},
      {SDLK_LALT, 18, 18}, {SDLK_RALT, 18, 18}, {SDLK_F13, -1, -1}, {SDLK_MENU, -1, -1},
      {SDLK_UNKNOWN, -1, -1},
      // The keypad.
      {SDLK_KP_8, 38, 104}, {SDLK_KP_2, 40, 98}, {SDLK_KP_4, 37, 100}, {SDLK_KP_6, 39, 102},
      {SDLK_KP_7, 36, 103}, {SDLK_KP_1, 35, 97}, {SDLK_KP_9, 33, 105}, {SDLK_KP_3, 34, 99},
      {SDLK_KP_0, 45, 96}, {SDLK_KP_5, 12, 101}, {SDLK_KP_PERIOD, 46, 110},
      {SDLK_KP_ENTER, 13, 13}};
  // clang-format on
  for (const auto &[key, numLockOff, numLockOn] : rows) {
    for (const int held : {0, KMOD_LSHIFT | KMOD_CAPS, int(KMOD_NUM), KMOD_NUM | KMOD_RCTRL}) {
      EXPECT_EQ(virtualKeyCode(key, held), held & KMOD_NUM ? numLockOn : numLockOff)
          << "SDL key " << key << ", modifiers " << held;
    }
  }
  EXPECT_TRUE(isSystemKey(SDLK_F10, KMOD_NONE) && isSystemKey(SDLK_LALT, KMOD_NONE) &&
              isSystemKey(SDLK_RALT, KMOD_RALT) && isSystemKey(SDLK_a, KMOD_LALT) &&
              isSystemKey(SDLK_F1, KMOD_RALT | KMOD_SHIFT));
  EXPECT_FALSE(isSystemKey(SDLK_F1, KMOD_NONE) || isSystemKey(SDLK_a, KMOD_LCTRL | KMOD_LSHIFT) ||
               isSystemKey(SDLK_ESCAPE, KMOD_NUM | KMOD_CAPS));
}
