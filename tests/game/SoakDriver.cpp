#include "SoakDriver.h"

#include "SquareOnScreen.h"

#include "game/Game.h"
#include "gfx/Gl.h"
#include "objects/Being.h"
#include "shell/KeyCodes.h"
#include "shell/Scene.h"
#include "world/Cell.h"
#include "world/Space.h"
#include "world/View.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

struct GameKey {
  int code;
  const char *name;
};

// Every key the game reads but Escape and F1, which go to the shell.
const GameKey GAME_KEYS[] = {{KeyUp, "Up"},       {KeyDown, "Down"}, {KeyLeft, "Left"},
                             {KeyRight, "Right"}, {KeyI, "I"},       {KeyG, "G"},
                             {KeyS, "S"},         {KeyM, "M"},       {KeyL, "L"},
                             {KeyU, "U"},         {KeyA, "A"},       {KeySpace, "space"}};
constexpr int GAME_KEY_COUNT = sizeof GAME_KEYS / sizeof GAME_KEYS[0];

// Chances per step, in thousandths.
constexpr int MODE_SWITCH_CHANCE = 3;
constexpr int QUIT_CHANCE = 1;
constexpr int CLICK_CHANCE = 500;
constexpr int KEY_CHANCE = 220;
constexpr int CURSOR_MOVE_CHANCE = 20;
constexpr int PER_MILLE = 1000;
constexpr int BUTTON_COUNT = Game::BUTTON_COUNT;
constexpr int GET_BUTTON = 0;
constexpr int USE_BUTTON = 3;
constexpr int INVENTORY_BUTTON = 5;
// Ground items are looked for this many squares around the player.
constexpr int GROUND_REACH = 5;
// The camera of a frame.
// Clicks aimed at the player land within this many pixels of the middle of
// the client area, about six squares (66 pixels each) around the player.
constexpr int NEAR_PLAYER_X = 420;
constexpr int NEAR_PLAYER_Y = 340;
constexpr int SLOT_COUNT = 5;
// Of the clicks while an item is held, the share that tries it on a slot.
constexpr int HELD_TO_SLOT_PERCENT = 30;
constexpr int ICONS_PER_ROW = 6;
constexpr int VISIBLE_ITEMS = 7 * ICONS_PER_ROW;
constexpr int WINDOW_SQUARE_SIZE = 30;

} // namespace

SoakDriver::SoakDriver(HeadlessWindow &theWindow, KeyTable &theKeys, std::uint32_t seed)
    : window(theWindow), keys(theKeys), random(seed) {}

int SoakDriver::below(int bound) {
  return static_cast<int>(random() % static_cast<std::uint32_t>(bound));
}

bool SoakDriver::chance(int percent) {
  return below(100) < percent;
}

bool SoakDriver::start() {
  return startGame();
}

bool SoakDriver::startGame() {
  keys.clear();
  if (!startScene(&window, &keys)) {
    return false;
  }
  // The scene seeds the wandering with the time; the soak's seed decides it.
  std::srand(random());
  newGame = true;
  return true;
}

void SoakDriver::stop() {
  stopScene();
}

std::string SoakDriver::step() {
  newGame = false;
  action.clear();
  int roll = below(PER_MILLE);
  // A new game is left as set up, for the caller to take stock of.
  if ((roll -= MODE_SWITCH_CHANCE) < 0) {
    return leaveThroughShell(KeyF1);
  }
  if ((roll -= QUIT_CHANCE) < 0) {
    return leaveThroughShell(KeyEscape);
  }
  if ((roll -= CLICK_CHANCE) < 0) {
    clickSomewhere();
  } else if ((roll -= KEY_CHANCE) < 0) {
    pressKeys();
  } else if ((roll -= CURSOR_MOVE_CHANCE) < 0) {
    hover();
  } else {
    action = "no input";
  }
  return frame();
}

// A fifth of the clicks fall anywhere; the others go where a player would
// click: the windows, the five slots (more often while an item is held, so
// that items go on as well as off), the squares around the player and the
// buttons. A click meant for the closed inventory window opens it instead.
void SoakDriver::clickSomewhere() {
  const bool inventoryOpen = game.getInventoryWindow().isOpen();
  const bool holding = game.getHeldObject() != nullptr;
  const int target = below(100);
  if (holding && inventoryOpen && chance(HELD_TO_SLOT_PERCENT)) {
    clickOnSlot();
  } else if (target < 20) {
    clickAt(below(window.width), below(window.height));
  } else if (target < 65 && !inventoryOpen) {
    clickInside(game.buttonAt(INVENTORY_BUTTON));
  } else if (target < 25 || (!holding && target < 32)) {
    clickInside(game.getInventoryWindow());
  } else if (!holding && target < 45) {
    clickOnPackItem();
  } else if (target < 60) {
    clickOnSlot();
  } else if (target < 65) {
    clickOnWindowSquares(chance(50) ? game.getInventoryWindow() : game.getPileWindow());
  } else if (target < 70) {
    clickInside(game.getPileWindow());
  } else if (target < 78) {
    clickOnGroundItems();
  } else if (target < 88) {
    clickAt(window.width / 2 - NEAR_PLAYER_X + below(2 * NEAR_PLAYER_X),
            window.height / 2 - NEAR_PLAYER_Y + below(2 * NEAR_PLAYER_Y));
  } else if (target < 97) {
    clickInside(game.buttonAt(below(BUTTON_COUNT)));
  } else {
    clickInside(game.getTextWindow());
  }
}

// Random clicks seldom meet the five small slots, and taking an item off
// and putting it back on needs two of them: aim at one, by the layout of
// the equipment figure in the left half of the inventory window.
void SoakDriver::clickOnSlot() {
  const Widget &inventory = game.getInventoryWindow();
  const float half = static_cast<float>(inventory.getWidth() / 2);
  const float height = static_cast<float>(inventory.getHeight());
  const float cell = half / ICONS_PER_ROW;
  const float centreX = half * 0.5f - cell * 0.5f;
  const float middleY = height * 0.5f - cell * 0.5f;
  const float slotX[SLOT_COUNT] = {centreX, cell, half - 2 * cell, centreX, centreX};
  const float slotY[SLOT_COUNT] = {height - 2 * cell, middleY, middleY, middleY, cell};
  const int slot = below(SLOT_COUNT);
  const int inside = std::max(1, static_cast<int>(cell) - 2);
  const int x = inventory.getX() + static_cast<int>(slotX[slot]) + 1 + below(inside);
  const int upwardY = inventory.getY() + static_cast<int>(slotY[slot]) + 1 + below(inside);
  clickAt(x, window.height - upwardY);
}

// An item of the inventory window's grid, by the grid's layout: the right
// half, six to a row, the first row half a cell below the top edge. Now and
// then the Use button first (it turns another mode off instead), so that
// items are tried and apples eaten as well as taken.
void SoakDriver::clickOnPackItem() {
  if (chance(50) && game.getPlayer()->getActionMode() != Use) {
    clickInside(game.buttonAt(USE_BUTTON));
  }
  const InventoryWindow &inventory = game.getInventoryWindow();
  const int shown = std::min(VISIBLE_ITEMS, game.getPlayer()->getInventory().size() -
                                                inventory.getFirstRow() * ICONS_PER_ROW);
  if (shown <= 0) {
    clickInside(inventory);
    return;
  }
  const int position = below(shown);
  const float cell = static_cast<float>(inventory.getWidth() / 2) / ICONS_PER_ROW;
  const float centreX = static_cast<float>(inventory.getX() + inventory.getWidth() / 2) +
                        static_cast<float>(position % ICONS_PER_ROW) * cell;
  const float centreY = static_cast<float>(inventory.getY() + inventory.getHeight()) -
                        static_cast<float>(position / ICONS_PER_ROW) * cell - cell;
  clickAt(static_cast<int>(centreX), window.height - static_cast<int>(centreY));
}

// Items on the ground are taken with Get: the Get button (which turns any
// other mode off instead), then a square near the player that holds items
// (a single item goes onto the cursor, a pile opens the pile window). Two
// clicks can arrive between two frames.
void SoakDriver::clickOnGroundItems() {
  if (game.getPlayer()->getActionMode() != Get) {
    clickInside(game.buttonAt(GET_BUTTON));
  }
  const int playerX = static_cast<int>(game.getPlayerLocalX());
  const int playerY = static_cast<int>(game.getPlayerLocalY());
  std::vector<std::pair<int, int>> squares;
  for (int x = playerX - GROUND_REACH; x <= playerX + GROUND_REACH; ++x) {
    for (int y = playerY - GROUND_REACH; y <= playerY + GROUND_REACH; ++y) {
      if (x >= 0 && x < Cell::SIZE && y >= 0 && y < Cell::SIZE &&
          !game.getWorld()
               .getCell(LoadedArea::CENTRE, LoadedArea::CENTRE)
               .getSpace(x, y)
               .getItemPile()
               .isEmpty()) {
        squares.emplace_back(x, y);
      }
    }
  }
  if (squares.empty()) {
    clickAt(below(window.width), below(window.height));
    return;
  }
  const std::pair<int, int> &square =
      squares[static_cast<std::size_t>(below(static_cast<int>(squares.size())))];
  int x = 0;
  int y = 0;
  screenPositionOf(square.first, square.second, x, y);
  clickAt(x, y);
}

void SoakDriver::screenPositionOf(int spaceX, int spaceY, int &x, int &y) const {
  squareOnScreen(spaceX, spaceY, window.width, window.height, x, y);
}

// The close and scroll squares stand in the window's right-hand column.
void SoakDriver::clickOnWindowSquares(const Widget &widget) {
  const int x = widget.getX() + widget.getWidth() - 1 - below(WINDOW_SQUARE_SIZE);
  const int upwardY = widget.getY() + below(std::max(1, widget.getHeight()));
  clickAt(x, window.height - upwardY);
}

// Anywhere in the rectangle, closed or open: a closed window's area is the
// world or another element.
void SoakDriver::clickInside(const Widget &widget) {
  const int x = widget.getX() + below(std::max(1, widget.getWidth()));
  const int upwardY = widget.getY() + below(std::max(1, widget.getHeight()));
  clickAt(x, window.height - upwardY);
}

void SoakDriver::clickAt(int x, int y) {
  mouseX = x;
  mouseY = y;
  pickAtCursor(true);
  ++clicks;
  action += std::string(action.empty() ? "" : ", ") + "click at (" + std::to_string(x) + ", " +
            std::to_string(y) + ")";
}

// The shell only stores the cursor on a move; the next frame draws it there.
void SoakDriver::hover() {
  mouseX = below(window.width);
  mouseY = below(window.height);
  action = "cursor moved to (" + std::to_string(mouseX) + ", " + std::to_string(mouseY) + ")";
}

void SoakDriver::pressKeys() {
  // Now and then two keys arrive before one update reads them.
  const int count = chance(10) ? 2 : 1;
  action = "keys";
  for (int k = 0; k < count; ++k) {
    const GameKey &key = GAME_KEYS[below(GAME_KEY_COUNT)];
    keys.down[key.code] = true;
    ++keyPresses;
    action += std::string(" ") + key.name;
  }
}

// Escape and F1 stay down in the table until the shell acts on them: it
// quits, or destroys the window and builds it again, and in both cases the
// next run is a new game.
std::string SoakDriver::leaveThroughShell(int key) {
  const int quitsBefore = window.quitRequests;
  const int switchesBefore = window.modeToggleRequests;
  const bool quitting = key == KeyEscape;
  action = quitting ? "Escape" : "F1";
  keys.down[key] = true;
  ++keyPresses;
  const std::string problem = frame();
  if (!problem.empty()) {
    return problem;
  }
  const bool asked =
      quitting ? window.quitRequests > quitsBefore : window.modeToggleRequests > switchesBefore;
  if (!asked) {
    return action + " did not reach the shell";
  }
  stopScene();
  ++restarts;
  if (!startGame()) {
    return "the scene did not start again after " + action;
  }
  action += quitting ? ", then a new run" : ", then the game built anew";
  return "";
}

std::string SoakDriver::frame() {
  const std::uint32_t elapsed = nextElapsed();
  action += ", frame of " + std::to_string(elapsed) + " ms";
  advanceScene(elapsed);
  renderScene();
  const GLenum error = glGetError();
  if (error != GL_NO_ERROR) {
    return "GL error " + std::to_string(error) + " after " + action;
  }
  return "";
}

// Mostly ordinary frame times; sometimes none at all, sometimes the long
// gap after the window was hidden, and now and then any 32-bit count.
std::uint32_t SoakDriver::nextElapsed() {
  const int roll = below(100);
  if (roll < 15) {
    return 0;
  }
  if (roll < 85) {
    return 1 + static_cast<std::uint32_t>(below(40));
  }
  if (roll < 95) {
    return 41 + static_cast<std::uint32_t>(below(960));
  }
  if (roll < 99) {
    return 1001 + static_cast<std::uint32_t>(below(100000));
  }
  return static_cast<std::uint32_t>(random());
}
