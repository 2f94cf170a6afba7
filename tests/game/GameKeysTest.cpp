#include "GameFixture.h"

#include "objects/Being.h"
#include "objects/Item.h"
#include "objects/ObjectStore.h"
#include "shell/KeyCodes.h"
#include "shell/Scene.h"
#include "world/Cell.h"
#include "world/Space.h"
#include "world/View.h"

namespace {
// A step glides for 200 ms; this is comfortably past it.
constexpr unsigned SLIDE_TIME = 250;
} // namespace

TEST_F(GameTest, AnArrowKeyStepsOnTheUpdateAfterItIsSeen) {
  keys.down[KeyLeft] = true;
  advanceScene(16);
  EXPECT_FALSE(keys.down[KeyLeft]) << "a consumed key is cleared";
  EXPECT_EQ(game.getPlayerWorldX(), 44.0f);
  advanceScene(16);
  EXPECT_EQ(game.getPlayerWorldX(), 43.0f);
  EXPECT_EQ(game.getPlayerLocalX(), 13.0f);
  EXPECT_EQ(centreSpace(13, 14).getBeing(), game.getPlayer());
  EXPECT_FALSE(centreSpace(14, 14).hasBeing());
}

TEST_F(GameTest, TwoStepsLeftAfterTheSlideReachWorldX42) {
  // The generated wall at (12, 14) would stop the second step.
  centreSpace(12, 14).setWall(nullptr);
  frame();
  press(KeyLeft);
  frame(SLIDE_TIME);
  frame(SLIDE_TIME);
  press(KeyLeft);
  frame();
  EXPECT_EQ(game.getPlayerWorldX(), 42.0f);
  EXPECT_EQ(game.getPlayerLocalX(), 12.0f);
}

TEST_F(GameTest, TheViewFollowsTheSlidingPlayer) {
  press(KeyLeft);
  frame(50);
  EXPECT_FLOAT_EQ(viewOffsetX, game.getPlayer()->getOffsetX());
  EXPECT_GT(viewOffsetX, 0.0f);
  EXPECT_LT(viewOffsetX, 1.0f);
}

TEST_F(GameTest, ASecondStepDuringTheSlideIsRefusedNotRetried) {
  press(KeyLeft);
  frame();
  press(KeyLeft);
  frame();
  EXPECT_EQ(game.getPlayerWorldX(), 43.0f);
  frame(SLIDE_TIME);
  frame(SLIDE_TIME);
  EXPECT_EQ(game.getPlayerWorldX(), 43.0f);
}

TEST_F(GameTest, UpIntoTheWallIsRefused) {
  press(KeyUp);
  frame();
  EXPECT_EQ(game.getPlayerWorldY(), 44.0f);
  EXPECT_EQ(centreSpace(14, 14).getBeing(), game.getPlayer());
}

TEST_F(GameTest, ArrowKeysInAVerbModeActOnTheNeighbourAndEndTheMode) {
  press(KeyL);
  ASSERT_EQ(modeOfPlayer(), Look);
  press(KeyUp);
  frame();
  EXPECT_EQ(newLogText(), "You see a part of building wall.");
  EXPECT_EQ(modeOfPlayer(), None);
  EXPECT_EQ(game.getPlayerWorldY(), 44.0f);
}

TEST_F(GameTest, AVerbKeyPressedTwiceActsOnThePlayersOwnSquare) {
  press(KeyU);
  press(KeyU);
  frame();
  EXPECT_EQ(newLogText(), "Talking to Player.");
}

TEST_F(GameTest, GetKeyTakesFromTheNeighbourOrRefusesWhileHolding) {
  Item *helm = ObjectStore::make<Item>(HelmKind);
  centreSpace(13, 14).addItem(helm);
  Item *held = ObjectStore::make<Item>(SwordKind);
  game.setHeldObject(held);
  press(KeyG);
  EXPECT_EQ(modeOfPlayer(), None) << "G does nothing while an item is held";

  game.setHeldObject(nullptr);
  press(KeyG);
  ASSERT_EQ(modeOfPlayer(), Get);
  press(KeyLeft);
  frame();
  EXPECT_EQ(game.getHeldObject(), helm);
  EXPECT_EQ(game.getPlayerWorldX(), 44.0f) << "a get is not a step";
}

TEST_F(GameTest, MoveKeyPushesTheFirstItemOfTheMarkedSquare) {
  Item *vase = ObjectStore::make<Item>(VaseKind);
  centreSpace(13, 13).addItem(vase);
  frame();
  press(KeyM);
  ASSERT_EQ(modeOfPlayer(), Move);
  // In Move mode a click only chooses the square; the arrow key pushes.
  clickSpace(13, 13);
  ASSERT_EQ(game.findMarkedSpace(), &centreSpace(13, 13));
  press(KeyDown);
  frame();
  EXPECT_TRUE(centreSpace(13, 13).getItemPile().isEmpty());
  ASSERT_EQ(centreSpace(13, 12).getItemPile().size(), 1);
  EXPECT_EQ(centreSpace(13, 12).getItemPile().at(0), vase);
  EXPECT_EQ(modeOfPlayer(), None);
}

TEST_F(GameTest, WhilePausedGetLookAndUseRunButStepsWait) {
  press(KeySpace);
  ASSERT_TRUE(game.isPaused());
  press(KeyL);
  press(KeyL);
  EXPECT_EQ(newLogText(), "You see Player.")
      << "keys are read before the paused commands, so the look runs at once";

  press(KeyLeft);
  frame();
  EXPECT_EQ(game.getPlayerWorldX(), 44.0f);
  press(KeySpace);
  EXPECT_FALSE(game.isPaused());
  frame();
  EXPECT_EQ(game.getPlayerWorldX(), 43.0f) << "the step queued during the pause runs after it";
}

TEST_F(GameTest, EscapeAndF1GoToTheShellAndStayDown) {
  keys.down[KeyEscape] = true;
  advanceScene(16);
  EXPECT_EQ(window.quitRequests, 1);
  EXPECT_TRUE(keys.down[KeyEscape]);
  keys.down[KeyEscape] = false;
  keys.down[KeyF1] = true;
  advanceScene(16);
  EXPECT_EQ(window.modeToggleRequests, 1);
}

TEST_F(GameTest, ModeKeysLightOnlyTheirButton) {
  auto activeButtons = [] {
    std::vector<int> active;
    for (int k = 0; k < Game::BUTTON_COUNT; ++k) {
      if (game.buttonAt(k).isActive()) {
        active.push_back(k);
      }
    }
    return active;
  };
  EXPECT_TRUE(activeButtons().empty());
  press(KeyL);
  EXPECT_EQ(activeButtons(), std::vector<int>{2});
  press(KeyM);
  EXPECT_EQ(activeButtons(), std::vector<int>{1}) << "M enters Move whatever the mode";
  press(KeyI);
  press(KeyS);
  EXPECT_EQ(activeButtons(), (std::vector<int>{1, 5, 6}));
}
