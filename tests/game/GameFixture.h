#pragma once
// The game started through the real scene hooks on the headless context, as
// the shell starts it (SceneTest, also built on the ES layer), and driven with
// synthetic cursor positions and key presses, as the shell drives it.

#include "HeadlessContext.h"
#include "MessageRecorder.h"
#include "SquareOnScreen.h"

#include "game/Game.h"
#include "gfx/Gl.h"
#include "gfx/Picking.h"
#include "objects/Being.h"
#include "objects/ObjectStore.h"
#include "shell/KeyCodes.h"
#include "shell/Scene.h"
#include "ui/MessageOutput.h"
#include "world/Cell.h"
#include "world/Space.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

class SceneTest : public ::testing::Test {
protected:
  HeadlessWindow window;
  KeyTable keys;

  void SetUp() override {
    ASSERT_TRUE(makeTestContextCurrent());
    ASSERT_EQ(chdir(PICKRPG_SOURCE_DIR), 0); // the scene loads Data/ from the working directory
    ASSERT_TRUE(startScene(&window, &keys));
    // The other person wanders at random: the same walk every run. The first
    // frame derives every square's flags, as in the running game.
    std::srand(1), advanceScene(16), renderScene();
  }
  void TearDown() override {
    stopScene();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
};

class GameTest : public SceneTest {
protected:
  // One frame as the main loop runs it; a key-down message, then a frame.
  void frame(unsigned elapsed = 16) { advanceScene(elapsed), renderScene(); }
  void press(int code) { keys.down[code] = true, frame(); }
  // A left click at client pixel (x, y), y from the top edge.
  void clickAt(int x, int y) { mouseX = x, mouseY = y, pickAtCursor(true); }
  void clickButton(int k) { clickAt(game.buttonAt(k).getX() + 30, window.getClientHeight() - 40); }
  // A click on the centre of space (x, y) of the centre cell, where the frame shows it.
  void clickSpace(int x, int y) {
    squareOnScreen(x, y, window.getClientWidth(), window.getClientHeight(), mouseX, mouseY),
        pickAtCursor(true);
  }
  Space &centreSpace(int x, int y) { return game.getWorld().getCell(1, 1).getSpace(x, y); }
  Being &player() { return *game.getPlayer(); }
  int mode() { return player().getActionMode(); }
};
