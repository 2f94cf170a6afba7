#include "shell/sdl/VirtualKeys.h"
#include "shell/KeyCodes.h"

#include <gtest/gtest.h>

TEST(VirtualKeys, LettersAndDigitsAreTheirUpperCaseCharacters) {
  EXPECT_EQ(virtualKeyCode(SDLK_a), 'A');
  EXPECT_EQ(virtualKeyCode(SDLK_g), 'G');
  EXPECT_EQ(virtualKeyCode(SDLK_z), 'Z');
  EXPECT_EQ(virtualKeyCode(SDLK_0), '0');
  EXPECT_EQ(virtualKeyCode(SDLK_5), '5');
  EXPECT_EQ(virtualKeyCode(SDLK_9), '9');
}

TEST(VirtualKeys, NamedKeysHaveTheirWindowsCodes) {
  EXPECT_EQ(virtualKeyCode(SDLK_ESCAPE), 27);
  EXPECT_EQ(virtualKeyCode(SDLK_SPACE), 32);
  EXPECT_EQ(virtualKeyCode(SDLK_RETURN), 13);
  EXPECT_EQ(virtualKeyCode(SDLK_KP_ENTER), 13);
  EXPECT_EQ(virtualKeyCode(SDLK_TAB), 9);
  EXPECT_EQ(virtualKeyCode(SDLK_BACKSPACE), 8);
  EXPECT_EQ(virtualKeyCode(SDLK_LEFT), 37);
  EXPECT_EQ(virtualKeyCode(SDLK_UP), 38);
  EXPECT_EQ(virtualKeyCode(SDLK_RIGHT), 39);
  EXPECT_EQ(virtualKeyCode(SDLK_DOWN), 40);
  EXPECT_EQ(virtualKeyCode(SDLK_HOME), 36);
  EXPECT_EQ(virtualKeyCode(SDLK_DELETE), 46);
  EXPECT_EQ(virtualKeyCode(SDLK_KP_7), 103);
}

TEST(VirtualKeys, BothSidesOfAModifierShareOneCode) {
  EXPECT_EQ(virtualKeyCode(SDLK_LSHIFT), 16);
  EXPECT_EQ(virtualKeyCode(SDLK_RSHIFT), 16);
  EXPECT_EQ(virtualKeyCode(SDLK_LCTRL), 17);
  EXPECT_EQ(virtualKeyCode(SDLK_RCTRL), 17);
  EXPECT_EQ(virtualKeyCode(SDLK_LALT), 18);
  EXPECT_EQ(virtualKeyCode(SDLK_RALT), 18);
}

TEST(VirtualKeys, FunctionKeysRunFrom112) {
  const SDL_Keycode functionKeys[] = {SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F4,  SDLK_F5,  SDLK_F6,
                                      SDLK_F7, SDLK_F8, SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12};
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(virtualKeyCode(functionKeys[i]), 112 + i) << "F" << i + 1;
  }
}

TEST(VirtualKeys, KeysWithoutACodeAreRejected) {
  EXPECT_EQ(virtualKeyCode(SDLK_F13), -1);
  EXPECT_EQ(virtualKeyCode(SDLK_MENU), -1);
  EXPECT_EQ(virtualKeyCode(SDLK_UNKNOWN), -1);
}

TEST(VirtualKeys, AltAndF10StayWithTheSystem) {
  EXPECT_TRUE(isSystemKey(SDLK_F10, KMOD_NONE));
  EXPECT_TRUE(isSystemKey(SDLK_LALT, KMOD_NONE));
  EXPECT_TRUE(isSystemKey(SDLK_RALT, KMOD_RALT));
  EXPECT_TRUE(isSystemKey(SDLK_a, KMOD_LALT));
  EXPECT_TRUE(isSystemKey(SDLK_F1, KMOD_RALT | KMOD_SHIFT));
  EXPECT_FALSE(isSystemKey(SDLK_F1, KMOD_NONE));
  EXPECT_FALSE(isSystemKey(SDLK_a, KMOD_LCTRL | KMOD_LSHIFT));
  EXPECT_FALSE(isSystemKey(SDLK_ESCAPE, KMOD_NUM | KMOD_CAPS));
}
