// Set-up, clicks, keys and the interface layer of the game.

#include "GameFixture.h"

#include <algorithm>
#include <array>

namespace {

// Squares next to the player's (14, 14) in the generated arrangement.
constexpr int WALL_X = 14, WALL_Y = 15, FREE_X = 13, FREE_Y = 14;
enum { GET_BUTTON, MOVE_BUTTON, LOOK_BUTTON, USE_BUTTON, ATTACK_BUTTON, INVENTORY, STATS };

// The fourteen texts, in Windows-1252, as the log wraps them into lines of at most 29.
TEST_F(GameTest, TheLogStartsWithTheFourteenTexts) {
  // clang-format off
  const std::vector<std::string> lines = {
      "Les Meow Mix sont une bonne", "source de d\xE9" "chets toxiques. ", "J'aime la pizza aux",
      "champignons avec des autobus.", "ANOTHER TEST", "MROE MORE MORE MORE MORE MORE",
      "MORE MORE ANOTHER TEST", "SFHFSHDFH DFHS", "dfgdfh df d", "356 56 4 656 4",
      "SDDSG FGFFGAA AAAAAAAAA      ", "GGG TEST", "SDDSG FGFFG        GGG TEST",
      "DDDDDDDDDDDDDDDDDDDDDDDDDDDDD", "DDDDDTEST", "AAAAAAAAAAAORE MORE", "ANOTHERjjjjj TEST",
      "MffEST", "", "1", "dFSFDDF FFER TEST"};
  // clang-format on
  EXPECT_EQ(game.getTextWindow().getLines(), lines);
}

// All four windows open over the stats button. Only the one meant to take a
// click has its top-right corner, its close square (the log's scroll-up
// square), under the cursor; the others have nothing there, so the click
// does something only if that one is both drawn for picking and handed the
// click. It is the first open one of inventory, pile and stats, then the log,
// even closed; the button is never reached.
TEST_F(GameTest, AnInterfaceClickGoesToTheFirstWindowUnderTheCursorOnly) {
  InterfaceWindow *windows[] = {&game.getInventoryWindow(), &game.getPileWindow(),
                                &game.getStatsWindow(), &game.getTextWindow()};
  ASSERT_TRUE(game.buttonAt(STATS).contains(800, window.getClientHeight() - 45));
  const int firstVisible = game.getTextWindow().getFirstVisible();
  for (int k = 0; k < 5; ++k) {
    for (int w = 0; w < 4; ++w) { // wide, so that the stats text stays clear of the corner
      const int grow = w == std::min(k, 3) ? 0 : 100;
      windows[w]->setX(-180), windows[w]->setY(-340), windows[w]->setWidth(1000 + grow);
      windows[w]->setHeight(400 + grow), windows[w]->setOpen(k == 0 || windows[w]->isOpen());
    }
    game.getTextWindow().setOpen(k < 4);
    clickAt(800, window.getClientHeight() - 45);
    EXPECT_EQ((std::vector<bool>{windows[0]->isOpen(), windows[1]->isOpen(), windows[2]->isOpen()}),
              (std::vector<bool>{k < 0, k < 1, k < 2}))
        << "click " << k;
  }
  EXPECT_EQ(game.getTextWindow().getFirstVisible(), firstVisible - 2);
  EXPECT_EQ(game.findMarkedSpace(), nullptr);
}

// A click on a square: a verb chosen by its button acts on that square once
// and ends the mode (a second verb turns the first off instead of
// switching); without one, the held item is dropped on a free square or put
// away on the player's own, walls and beings keep it on the cursor, and the
// square is marked, one at a time, until a button is clicked. Get takes a
// single item, but never while one is held.
TEST_F(GameTest, AClickOnASquareActsOnItOnce) {
  int px = 0, py = 0; // where the other person stands
  for (int k = 0; k < 900; ++k) {
    const bool person = centreSpace(k / 30, k % 30).hasBeing() && k != 14 * 30 + 14;
    px = person ? k / 30 : px, py = person ? k % 30 : py;
  }
  Item *vase = ObjectStore::make<Item>(VaseKind), *sword = ObjectStore::make<Item>(SwordKind),
       *boots = ObjectStore::make<Item>(BootsKind);
  const int NONE = -1;
  struct Row {
    int button, x, y, takeOff;
    Item *held, *heldAfter;
    const char *answer; // none when empty
  } rows[] = {
      {NONE, 13, 13, 0, nullptr, nullptr, ""},
      {NONE, FREE_X, FREE_Y, 0, nullptr, nullptr, ""},
      {NONE, 13, 13, 0, nullptr, nullptr, ""},
      {NONE, 13, 13, 0, nullptr, nullptr, ""}, // clicked again, it stays marked
      {LOOK_BUTTON, WALL_X, WALL_Y, 0, nullptr, nullptr, "You see a part of building wall."},
      {USE_BUTTON, FREE_X, FREE_Y, 0, nullptr, nullptr, "Nothing to use."},
      {ATTACK_BUTTON, WALL_X, WALL_Y, 0, nullptr, nullptr, "You can't attack a wall."},
      // The sword worn in the left hand, else in the right, else bare hands.
      {ATTACK_BUTTON, px, py, PickLeftHandSlot, nullptr, nullptr,
       "someone has been hit for 10 health points."},
      {ATTACK_BUTTON, px, py, PickRightHandSlot, nullptr, nullptr,
       "someone has been hit for 1 health points."},
      {NONE, WALL_X, WALL_Y, 0, vase, vase, ""},
      {NONE, px, py, 0, vase, vase, ""},
      {NONE, FREE_X, FREE_Y, 0, vase, nullptr, ""},
      {GET_BUTTON, FREE_X, FREE_Y, 0, sword, sword, ""}, // taking the vase would lose the sword
      {GET_BUTTON, FREE_X, FREE_Y, 0, nullptr, vase, ""},
      {NONE, 14, 14, 0, boots, nullptr, ""}};
  for (const Row &row : rows) {
    SCOPED_TRACE(testing::Message() << "button " << row.button << " on " << row.x << ", " << row.y);
    MessageRecorder said;
    player().getEquipment().take(row.takeOff);
    game.setHeldObject(row.held);
    row.button != NONE ? clickButton(row.button) : void();
    clickSpace(row.x, row.y);
    EXPECT_EQ(said.take(), *row.answer == '\0' ? std::vector<std::string>{}
                                               : std::vector<std::string>{row.answer});
    EXPECT_EQ(game.getHeldObject(), row.heldAfter);
    EXPECT_EQ(mode(), None);
    EXPECT_EQ(game.findMarkedSpace(), row.button == NONE ? &centreSpace(row.x, row.y) : nullptr);
  }
  EXPECT_TRUE(centreSpace(FREE_X, FREE_Y).getItemPile().isEmpty());
  EXPECT_EQ(centreSpace(FREE_X, FREE_Y).getSelected(), 0) << "one chosen square at a time";
  EXPECT_EQ(player().getInventory().at(51), boots) << "the player's square takes it in";
  // A cursor far outside the client area hits no square: the click acts on
  // the square marked before, the player's.
  Item *apple = ObjectStore::make<Item>(AppleKind);
  game.setHeldObject(apple);
  clickAt(500, -5000);
  EXPECT_EQ(player().getInventory().at(52), apple);
  clickButton(LOOK_BUTTON);
  clickButton(USE_BUTTON);
  EXPECT_EQ(mode(), None) << "a second verb turns the first off instead of switching";
}

// Each key by the mode it meets (a mode entered from none the play sessions show),
// running and then paused. Running, a command waits for the next update;
// paused, the keys are read before the paused commands, so get, look and use
// run at once, and steps, pushes and attacks wait for the pause to end.
TEST_F(GameTest, EachKeyLeavesItsCommandByTheModeAndIsConsumed) {
  struct Row {
    ActionMode before;
    std::vector<int> pressed; // down together before one update
    ActionMode after;
    int command, direction;
  };
  // clang-format off
  const Row rows[] = {
      {Move, {KeyLeft}, Move, PushCommand, Left},     {Get, {KeyG}, Get, GetCommand, OWN_SPACE},
      {Look, {KeyM}, Move, NoCommand, OWN_SPACE},     {Look, {KeyL}, Look, LookCommand, OWN_SPACE},
      {Attack, {KeyL}, Attack, NoCommand, OWN_SPACE}, {Use, {KeyU}, Use, UseCommand, OWN_SPACE},
      {Get, {KeyU}, Get, NoCommand, OWN_SPACE},       {Look, {KeyUp}, Look, LookCommand, Up},
      {Attack, {KeyA}, Attack, AttackCommand, OWN_SPACE},
      {Attack, {KeyDown}, Attack, AttackCommand, Down},
      {None, {KeyDown}, None, StepCommand, Down},     {Get, {KeyRight}, Get, GetCommand, Right},
      // Several arrows at once: the last one read, left, wins.
      {Use, {KeyLeft, KeyRight, KeyDown, KeyUp}, Use, UseCommand, Left}};
  // clang-format on
  // The push moves the vase off its marked square, once: M clears the mark.
  // The gets meet the helm on the right, which stays there while the sword is
  // held (taking it would lose the sword), and is taken afterwards.
  Item *vase = ObjectStore::make<Item>(VaseKind), *helm = ObjectStore::make<Item>(HelmKind);
  centreSpace(13, 13).addItem(vase);
  centreSpace(13, 13).setSelected(Game::MARK_CHOSEN);
  centreSpace(15, 14).addItem(helm);
  // An update, after Space when it pauses or ends the pause.
  const auto update = [this](bool space) { keys.down[KeySpace] = space, advanceScene(16); };
  for (bool paused : {false, true}) {
    EXPECT_EQ(centreSpace(15, 14).getItemPile().at(0), helm);
    game.setHeldObject(paused ? nullptr : ObjectStore::make<Item>(SwordKind));
    update(paused);
    for (const Row &row : rows) {
      SCOPED_TRACE(testing::Message() << "paused " << paused << ", key " << row.pressed[0]);
      player().setAction(row.before);
      for (int key : row.pressed) {
        keys.down[key] = true;
      }
      advanceScene(16);
      EXPECT_EQ(std::count(keys.down, keys.down + KeyTable::SIZE, true), 0) << "all consumed";
      const bool ran = paused && (row.command == GetCommand || row.command == LookCommand ||
                                  row.command == UseCommand);
      EXPECT_EQ((std::vector<int>{mode(), game.getPendingCommand(), game.getCommandDirection()}),
                (ran ? std::vector<int>{None, NoCommand, OWN_SPACE}
                     : std::vector<int>{row.after, row.command, row.direction}));
      update(paused), update(false); // the pause ends, and the command is carried out and ends
      EXPECT_EQ(std::make_pair(game.getPendingCommand(), game.getCommandDirection()),
                std::make_pair(int(NoCommand), OWN_SPACE));
      update(paused); // paused again
    }
  }
  EXPECT_EQ(centreSpace(12, 13).getItemPile().at(0), vase);
  EXPECT_EQ(game.getHeldObject(), helm);
  keys.down[KeyEscape] = keys.down[KeyF1] = keys.down[KeyG] = true;
  advanceScene(16);
  EXPECT_EQ(mode(), None) << "no Get while an item is held";
  EXPECT_EQ(window.quitRequests + window.modeToggleRequests, 2);
  EXPECT_TRUE(keys.down[KeyEscape] && keys.down[KeyF1]) << "they go to the shell and stay down";
}

} // namespace
