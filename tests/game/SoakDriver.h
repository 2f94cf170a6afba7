#pragma once
// Random but repeatable play through the real scene hooks, as the shell
// would deliver it: left clicks anywhere on the client area (and, more
// often, where the windows, the button bar and the player are), the game's
// keys, frames of varied length, and now and then Escape or F1, after which
// a new game starts as the shell starts one after a quit or a mode switch.

#include "HeadlessContext.h"

#include <cstdint>
#include <random>
#include <string>

class Widget;

class SoakDriver {
public:
  SoakDriver(HeadlessWindow &window, KeyTable &keys, std::uint32_t seed);

  // Starts the first game; false when the scene cannot start.
  bool start();
  // One frame: maybe a click, maybe keys, then advanceScene and
  // renderScene; or now and then Escape or F1 with its frame, after which a
  // new game is started and left as set up. Returns what went wrong in the
  // hooks (a quit or mode switch that did not reach the shell, a restart
  // that failed, a GL error), or an empty string.
  std::string step();
  void stop();

  // Whether the last step started a new game.
  bool startedNewGame() const { return newGame; }
  // What the last step did, for failure messages.
  const std::string &lastAction() const { return action; }

  long getClicks() const { return clicks; }
  long getKeyPresses() const { return keyPresses; }
  long getRestarts() const { return restarts; }

private:
  HeadlessWindow &window;
  KeyTable &keys;
  std::mt19937 random;
  bool newGame = false;
  std::string action;
  long clicks = 0;
  long keyPresses = 0;
  long restarts = 0;

  int below(int bound);
  bool chance(int percent);
  void clickSomewhere();
  void clickInside(const Widget &widget);
  void clickOnSlot();
  void clickOnWindowSquares(const Widget &widget);
  void clickOnPackItem();
  void clickOnGroundItems();
  void screenPositionOf(int spaceX, int spaceY, int &x, int &y) const;
  void clickAt(int x, int y);
  void hover();
  void pressKeys();
  std::string leaveThroughShell(int key);
  std::string frame();
  std::uint32_t nextElapsed();
  bool startGame();
};
