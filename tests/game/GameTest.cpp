// Set-up, clicks, keys and the interface layer of the game.

#include "GameFixture.h"

#include "world/View.h"

#include <algorithm>
#include <array>

namespace {

using Rect = std::array<int, 4>;
// Squares next to the player's (14, 14) in the generated arrangement.
constexpr int WALL_X = 14, WALL_Y = 15, FREE_X = 13, FREE_Y = 14;
enum { GET_BUTTON, MOVE_BUTTON, LOOK_BUTTON, USE_BUTTON, ATTACK_BUTTON, INVENTORY, STATS };

// The pile, inventory, stats and log windows, then the seven buttons.
std::vector<Rect> layout() {
  const Widget *windows[] = {&game.getPileWindow(), &game.getInventoryWindow(),
                             &game.getStatsWindow(), &game.getTextWindow()};
  std::vector<Rect> rects;
  for (int k = -4; k < Game::BUTTON_COUNT; ++k) {
    const Widget &w = k < 0 ? *windows[k + 4] : game.buttonAt(k);
    rects.push_back({w.getX(), w.getY(), w.getWidth(), w.getHeight()});
  }
  return rects;
}

// F1 as the shell carries it out: the window goes (the new one is of another
// size here), the keys are cleared, the scene starts again. The new game is
// laid out on the same logical screen; nothing of the old one is left, and
// its objects are freed.
TEST_F(GameTest, F1StartsANewGameLaidOutForTheNewWindowAndFreesTheOldOne) {
  // clang-format off
  const std::vector<Rect> logicalLayout = {
      {0, 452, 512, 316}, {512, 452, 512, 316}, {512, 136, 512, 316}, {356, 0, 326, 136},
      {10, 10, 68, 68}, {78, 10, 68, 68}, {146, 10, 68, 68}, {214, 10, 68, 68}, {282, 10, 68, 68},
      {690, 10, 68, 68}, {758, 10, 68, 68}};
  // clang-format on
  EXPECT_EQ(layout(), logicalLayout);
  const std::size_t objectsOfOneGame = ObjectStore::count();
  game.setHeldObject(ObjectStore::make<Item>(SwordKind));
  player().getInventory().removeAt(0);
  press(KeyI);
  press(KeySpace);
  press(KeyF1);
  ASSERT_EQ(window.modeToggleRequests, 1);
  stopScene(), keys.clear();
  window.width = 800, window.height = 600;
  ASSERT_TRUE(startScene(&window, &keys));
  // The new window is smaller, but the game keeps its logical screen.
  EXPECT_EQ(layout(), logicalLayout);
  EXPECT_EQ(ObjectStore::count(), objectsOfOneGame);
  EXPECT_EQ(game.getHeldObject(), nullptr);
  EXPECT_FALSE(game.isPaused() || game.getInventoryWindow().isOpen() ||
               game.getStatsWindow().isOpen() || game.getPileWindow().isOpen());
  EXPECT_EQ((std::array<float, 4>{game.getPlayerWorldX(), game.getPlayerWorldY(),
                                  game.getPlayerLocalX(), game.getPlayerLocalY()}),
            (std::array<float, 4>{44, 44, 14, 14}));
  const Inventory &pack = player().getInventory(); // fifty vases, then an apple
  ASSERT_EQ(pack.size(), 51);
  EXPECT_EQ((Rect{pack.at(0)->getKind(), pack.at(49)->getKind(), pack.at(50)->getKind(), 0}),
            (Rect{VaseKind, VaseKind, AppleKind, 0}));
  // The fourteen texts, in Windows-1252, as the log wraps them into lines of at most 29.
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
  printMessage("Said to the log.");
  EXPECT_EQ(game.getTextWindow().getLines().back(), "Said to the log.");
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

TEST_F(GameTest, AVerbClickActsOnTheClickedSquareOnceAndEndsTheMode) {
  int px = 0, py = 0; // where the other person stands
  for (int k = 0; k < 900; ++k) {
    const bool person = centreSpace(k / 30, k % 30).hasBeing() && k != 14 * 30 + 14;
    px = person ? k / 30 : px, py = person ? k % 30 : py;
  }
  struct Row {
    int button, x, y, takeOff;
    std::string answer;
  } rows[] = {
      {LOOK_BUTTON, WALL_X, WALL_Y, 0, "You see a part of building wall."},
      {USE_BUTTON, FREE_X, FREE_Y, 0, "Nothing to use."},
      {ATTACK_BUTTON, WALL_X, WALL_Y, 0, "You can't attack a wall."},
      // The sword worn in the left hand, else in the right, else bare hands.
      {ATTACK_BUTTON, px, py, PickLeftHandSlot, "someone has been hit for 10 health points."},
      {ATTACK_BUTTON, px, py, PickRightHandSlot, "someone has been hit for 1 health points."}};
  for (const Row &row : rows) {
    MessageRecorder said;
    player().getEquipment().take(row.takeOff);
    clickButton(row.button);
    clickSpace(row.x, row.y);
    EXPECT_EQ(said.take(), std::vector<std::string>{row.answer});
    EXPECT_EQ(mode(), None) << row.answer;
    EXPECT_EQ(game.findMarkedSpace(), nullptr) << row.answer;
  }
  // With a vase held, no mode: walls and beings keep it on the cursor.
  game.setHeldObject(ObjectStore::make<Item>(VaseKind));
  clickSpace(WALL_X, WALL_Y);
  clickSpace(px, py);
  EXPECT_NE(game.getHeldObject(), nullptr);
  clickButton(LOOK_BUTTON);
  clickButton(USE_BUTTON);
  EXPECT_EQ(mode(), None) << "a second verb turns the first off instead of switching";
}

TEST_F(GameTest, GetTakesASingleItemOrOpensThePileButNeverDropsWhatIsHeld) {
  Item *helm = ObjectStore::make<Item>(HelmKind), *sword = ObjectStore::make<Item>(SwordKind);
  centreSpace(FREE_X, FREE_Y).addItem(helm);
  game.setHeldObject(sword);
  clickButton(GET_BUTTON);
  clickSpace(FREE_X, FREE_Y);
  EXPECT_EQ(game.getHeldObject(), sword) << "taking the helm would lose the sword";
  EXPECT_EQ(mode(), None);
  game.setHeldObject(nullptr);
  clickButton(GET_BUTTON);
  clickSpace(FREE_X, FREE_Y);
  EXPECT_EQ(game.getHeldObject(), helm);
  EXPECT_TRUE(centreSpace(FREE_X, FREE_Y).getItemPile().isEmpty());
  // The generated pile of fifty vases opens its window; nothing is taken.
  clickButton(GET_BUTTON);
  clickSpace(20, 8);
  EXPECT_TRUE(game.getPileWindow().isOpen());
  EXPECT_EQ(centreSpace(20, 8).getItemPile().size(), 50);
  EXPECT_EQ(game.getHeldObject(), helm);
}

TEST_F(GameTest, WithoutAModeAClickDropsTheHeldItemOnAFreeSquareOrPutsItAway) {
  Item *items[] = {ObjectStore::make<Item>(VaseKind), ObjectStore::make<Item>(AppleKind),
                   ObjectStore::make<Item>(BootsKind)};
  game.setHeldObject(items[0]);
  clickSpace(FREE_X, FREE_Y);
  EXPECT_EQ(centreSpace(FREE_X, FREE_Y).getItemPile().at(0), items[0]);
  clickSpace(13, 13);
  clickSpace(13, 13);
  EXPECT_EQ(game.findMarkedSpace(), &centreSpace(13, 13)) << "clicked again, it stays marked";
  EXPECT_EQ(centreSpace(FREE_X, FREE_Y).getSelected(), 0) << "one chosen square at a time";
  // A cursor far outside the client area hits no square: the mark stays and
  // the click still acts on the square marked before.
  game.setHeldObject(items[1]);
  clickAt(500, -5000);
  EXPECT_EQ(centreSpace(13, 13).getItemPile().at(0), items[1]);
  game.setHeldObject(items[2]);
  clickSpace(14, 14);
  EXPECT_EQ(player().getInventory().at(51), items[2]) << "the player's square takes it in";
  EXPECT_EQ(game.getHeldObject(), nullptr);
  clickButton(STATS);
  EXPECT_EQ(game.findMarkedSpace(), nullptr) << "every button click clears the mark";
}

TEST_F(GameTest, TheLayerLightsButtonsByModeAndWindowAndDrawsTheCursorAndPause) {
  const auto lit = [] {
    std::string flags;
    for (int k = 0; k < Game::BUTTON_COUNT; ++k) {
      flags += game.buttonAt(k).isActive() ? '1' : '0';
    }
    return flags;
  };
  EXPECT_EQ(lit(), "0000000");
  // clang-format off
  for (auto [key, flags] : {std::pair{KeyG, "1000000"}, {KeyM, "0100000"}, {KeyL, "0010000"},
                            {KeyU, "0001000"}, {KeyA, "0000100"}}) {
    // clang-format on
    player().setAction(None);
    press(key);
    EXPECT_EQ(lit(), flags) << key;
  }
  press(KeyI);
  clickButton(STATS);
  frame();
  EXPECT_EQ(lit(), "0000111");
  // The bounds of the last six quads drawn with the cursor at (300, 400):
  // the cursor, then PAUSE if paused.
  const auto last = [] {
    setOrthoProjection();
    const std::vector<FeedbackPolygon> drawn = captureFeedback(
        [] { glTranslated(300, TEST_HEIGHT - 400, 0), game.drawInterface(), glLoadIdentity(); });
    std::vector<Rect> quads;
    for (const ScreenQuad &q : screenQuadsOf({drawn.end() - 12, drawn.end()})) {
      quads.push_back({int(q.left), int(q.bottom), int(q.right), int(q.top)});
    }
    return quads;
  };
  EXPECT_EQ(last().back(), (Rect{300 - 16, 368 - 16, 300 + 16, 368 + 16}));
  // The held icon instead, as large as a grid cell of the 512-wide inventory
  // window: ((512 / 2) / 6) / 2 = 21 each side; then PAUSE from (50, H - 50).
  game.setHeldObject(ObjectStore::make<Item>(VaseKind));
  press(KeySpace);
  const std::vector<Rect> quads = last();
  EXPECT_EQ(quads[0], (Rect{300 - 21, 368 - 21, 300 + 21, 368 + 21}));
  EXPECT_EQ(std::make_pair(quads[1][0], quads[1][1]), std::make_pair(50, 768 - 50));
}

TEST_F(GameTest, TwoStepsLeftEachInTheUpdateAfterItsKeyAndNoneDuringTheSlide) {
  centreSpace(12, 14).setWall(nullptr); // the generated wall would stop the second step
  press(KeyLeft);
  frame(50);
  EXPECT_EQ(centreSpace(13, 14).getBeing(), &player());
  EXPECT_TRUE(viewOffsetX == player().getOffsetX() && viewOffsetX > 0) << "the view follows";
  press(KeyLeft); // refused while sliding, and not retried afterwards
  frame(500);
  press(KeyLeft);
  frame();
  EXPECT_EQ((std::array<float, 3>{game.getPlayerWorldX(), game.getPlayerLocalX(),
                                  game.getPlayerWorldY()}),
            (std::array<float, 3>{42, 12, 44}));
}

// Each key by the mode it meets (a mode entered from none is the layer test's),
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
  for (bool paused : {false, true}) {
    EXPECT_EQ(centreSpace(15, 14).getItemPile().at(0), helm);
    game.setHeldObject(paused ? nullptr : ObjectStore::make<Item>(SwordKind));
    keys.down[KeySpace] = paused;
    advanceScene(16);
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
      keys.down[KeySpace] = paused; // the pause ends...
      advanceScene(16);
      advanceScene(16); // ...and the command is carried out, which ends it
      EXPECT_EQ(std::make_pair(game.getPendingCommand(), game.getCommandDirection()),
                std::make_pair(int(NoCommand), OWN_SPACE));
      keys.down[KeySpace] = paused; // paused again
      advanceScene(16);
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
