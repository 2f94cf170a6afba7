#include "shell/sdl/VirtualKeys.h"
#include "shell/KeyCodes.h"

#include <gtest/gtest.h>

// SDL keys under the Windows virtual-key codes the key table is indexed by;
// Windows keeps F10, Alt and whatever is pressed with Alt for itself.
TEST(VirtualKeys, SdlKeysMapToTheirWindowsCodesAndAltAndF10StayWithTheSystem) {
  for (int i = 0; i < 26; ++i) {
    EXPECT_EQ(virtualKeyCode(SDLK_a + i), 'A' + i);
    EXPECT_EQ(virtualKeyCode(SDLK_0 + i % 10), '0' + i % 10);
    EXPECT_EQ(virtualKeyCode(SDLK_F1 + i % 12), 112 + i % 12) << "F" << i % 12 + 1;
  }
  // clang-format off
  const std::pair<SDL_Keycode, int> named[] = {
      {SDLK_ESCAPE, 27}, {SDLK_SPACE, 32}, {SDLK_RETURN, 13}, {SDLK_KP_ENTER, 13}, {SDLK_TAB, 9},
      {SDLK_BACKSPACE, 8}, {SDLK_LEFT, 37}, {SDLK_UP, 38}, {SDLK_RIGHT, 39}, {SDLK_DOWN, 40},
      {SDLK_HOME, 36}, {SDLK_DELETE, 46}, {SDLK_KP_0, 96}, {SDLK_KP_7, 103},
      // Both sides of a modifier share one code; keys the game has no code for get -1.
      {SDLK_LSHIFT, 16}, {SDLK_RSHIFT, 16}, {SDLK_LCTRL, 17}, {SDLK_RCTRL, 17}, {SDLK_LALT, 18},
      {SDLK_RALT, 18}, {SDLK_F13, -1}, {SDLK_MENU, -1}, {SDLK_UNKNOWN, -1}};
  // clang-format on
  for (const auto &[key, code] : named) {
    EXPECT_EQ(virtualKeyCode(key), code) << "SDL key " << key;
  }
  EXPECT_TRUE(isSystemKey(SDLK_F10, KMOD_NONE) && isSystemKey(SDLK_LALT, KMOD_NONE) &&
              isSystemKey(SDLK_RALT, KMOD_RALT) && isSystemKey(SDLK_a, KMOD_LALT) &&
              isSystemKey(SDLK_F1, KMOD_RALT | KMOD_SHIFT));
  EXPECT_FALSE(isSystemKey(SDLK_F1, KMOD_NONE) || isSystemKey(SDLK_a, KMOD_LCTRL | KMOD_LSHIFT) ||
               isSystemKey(SDLK_ESCAPE, KMOD_NUM | KMOD_CAPS));
}
