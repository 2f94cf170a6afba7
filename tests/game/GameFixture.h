#pragma once
// Drives the real scene hooks on the headless GL context, with synthetic
// cursor positions and key presses, as the shell would.

#include "GlContext.h"

#include "game/Game.h"
#include "shell/ShellWindow.h"

#include <string>
#include <vector>

class GameTest : public GlTest {
protected:
  KeyTable keys;
  std::vector<std::string> messagesBefore;

  void SetUp() override;
  void TearDown() override;

  // One frame as the main loop runs it: update, then draw.
  void frame(unsigned elapsed = 16);
  // A key-down message followed by one update.
  void press(int code);
  // A left click at client pixel (x, y), top-down y.
  void clickAt(int x, int y);
  // Clicks the centre of space (x, y) of the centre cell.
  void clickSpace(int x, int y);
  // Where the centre of space (x, y) of the centre cell appears on screen,
  // in client pixels with top-down y.
  void screenPositionOf(int x, int y, int &screenX, int &screenY) const;
  Space &centreSpace(int x, int y);
  // Lines added to the log since SetUp.
  std::vector<std::string> newLogLines() const;
  // Those lines joined with blanks: the sentences as they were printed,
  // since the log wraps only at blanks.
  std::string newLogText() const;
  int modeOfPlayer() const;
};
