#pragma once
// The game driven through the real scene hooks on the headless GL context,
// with synthetic cursor positions and key presses, as the shell drives it.

#include "GlContext.h"
#include "MessageRecorder.h"
#include "ScreenQuads.h"
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

#include <cstdlib>
#include <unistd.h>

class GameTest : public GlTest {
protected:
  KeyTable keys;

  void SetUp() override {
    GlTest::SetUp();
    ASSERT_EQ(chdir(PICKRPG_SOURCE_DIR), 0); // the scene loads Data/ from the working directory
    ASSERT_TRUE(startScene(&window, &keys));
    // The other person wanders at random: the same walk every run. The first
    // frame derives every square's flags, as in the running game.
    std::srand(1), frame();
  }
  void TearDown() override { stopScene(), GlTest::TearDown(); } // fails on any GL error
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
