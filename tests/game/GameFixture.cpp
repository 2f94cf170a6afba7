#include "GameFixture.h"

#include "SquareOnScreen.h"

#include "gfx/Gl.h"
#include "objects/Being.h"
#include "shell/Scene.h"
#include "world/Cell.h"
#include "world/Space.h"
#include "world/View.h"

#include <cstdlib>

void GameTest::SetUp() {
  GlTest::SetUp();
  loadGameTextures();
  ASSERT_TRUE(startScene(&window, &keys));
  // The other person wanders at random; the same walk every run.
  std::srand(1);
  // The first frame derives every square's flags, as in the running game.
  frame();
  messagesBefore = game.getTextWindow().getLines();
}

void GameTest::TearDown() {
  stopScene();
  GlTest::TearDown();
}

void GameTest::frame(unsigned elapsed) {
  advanceScene(elapsed);
  renderScene();
}

void GameTest::press(int code) {
  keys.down[code] = true;
  frame();
}

void GameTest::clickAt(int x, int y) {
  mouseX = x;
  mouseY = y;
  pickAtCursor(true);
}

void GameTest::clickSpace(int x, int y) {
  int screenX = 0;
  int screenY = 0;
  screenPositionOf(x, y, screenX, screenY);
  clickAt(screenX, screenY);
}

void GameTest::screenPositionOf(int x, int y, int &screenX, int &screenY) const {
  squareOnScreen(x, y, window.width, window.height, screenX, screenY);
}

Space &GameTest::centreSpace(int x, int y) {
  return game.getWorld().getCell(1, 1).getSpace(x, y);
}

std::vector<std::string> GameTest::newLogLines() const {
  const std::vector<std::string> &lines = game.getTextWindow().getLines();
  return std::vector<std::string>(lines.begin() + static_cast<long>(messagesBefore.size()),
                                  lines.end());
}

std::string GameTest::newLogText() const {
  std::string text;
  for (const std::string &line : newLogLines()) {
    text += (text.empty() ? "" : " ") + line;
  }
  return text;
}

int GameTest::modeOfPlayer() const {
  return game.getPlayer()->getActionMode();
}
