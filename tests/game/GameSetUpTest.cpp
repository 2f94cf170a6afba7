#include "GameFixture.h"

#include "objects/Being.h"
#include "objects/Item.h"
#include "objects/ObjectStore.h"
#include "shell/KeyCodes.h"
#include "shell/Scene.h"
#include "world/Cell.h"
#include "world/Space.h"

namespace {

struct Rect {
  int x, y, width, height;
};

Rect rectOf(const Widget &widget) {
  return {widget.getX(), widget.getY(), widget.getWidth(), widget.getHeight()};
}

void expectRect(const Widget &widget, Rect expected) {
  const Rect actual = rectOf(widget);
  EXPECT_EQ(actual.x, expected.x);
  EXPECT_EQ(actual.y, expected.y);
  EXPECT_EQ(actual.width, expected.width);
  EXPECT_EQ(actual.height, expected.height);
}

} // namespace

TEST_F(GameTest, LaysOutButtonsAndWindowsFor1024By768) {
  const int buttonX[] = {10, 78, 146, 214, 282, 690, 758};
  for (int k = 0; k < Game::BUTTON_COUNT; ++k) {
    expectRect(game.buttonAt(k), {buttonX[k], 10, 68, 68});
  }
  expectRect(game.getPileWindow(), {0, 452, 512, 316});
  expectRect(game.getInventoryWindow(), {512, 452, 512, 316});
  expectRect(game.getStatsWindow(), {512, 136, 512, 316});
  expectRect(game.getTextWindow(), {356, 0, 326, 136});
  EXPECT_EQ(game.getPileWindow().getTitle(), "Item pile");
  EXPECT_EQ(game.getInventoryWindow().getTitle(), "Inventory");
  EXPECT_FALSE(game.getPileWindow().isOpen());
  EXPECT_FALSE(game.getInventoryWindow().isOpen());
  EXPECT_FALSE(game.getStatsWindow().isOpen());
  EXPECT_TRUE(game.getTextWindow().isOpen());
}

TEST_F(GameTest, LayoutFollowsTheClientAreaAtSetUp) {
  window.width = 800;
  window.height = 600;
  game.setUp();
  // Button size 800 / 15 = 53.
  const int buttonX[] = {10, 63, 116, 169, 222, 540, 593};
  for (int k = 0; k < Game::BUTTON_COUNT; ++k) {
    expectRect(game.buttonAt(k), {buttonX[k], 10, 53, 53});
  }
  expectRect(game.getPileWindow(), {0, 353, 400, 247});
  expectRect(game.getInventoryWindow(), {400, 353, 400, 247});
  expectRect(game.getStatsWindow(), {400, 106, 400, 247});
  expectRect(game.getTextWindow(), {281, 0, 251, 106});
}

TEST_F(GameTest, PlayerStartsOnItsSquareCarryingFiftyVasesAndAnApple) {
  Being *player = game.getPlayer();
  ASSERT_NE(player, nullptr);
  EXPECT_EQ(player->getKind(), PlayerKind);
  EXPECT_EQ(game.getPlayerWorldX(), 44.0f);
  EXPECT_EQ(game.getPlayerWorldY(), 44.0f);
  EXPECT_EQ(game.getPlayerLocalX(), 14.0f);
  EXPECT_EQ(game.getPlayerLocalY(), 14.0f);
  EXPECT_EQ(centreSpace(14, 14).getBeing(), player);

  const Inventory &carried = player->getInventory();
  ASSERT_EQ(carried.size(), 51);
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(carried.at(i)->getKind(), VaseKind) << "position " << i;
  }
  EXPECT_EQ(carried.at(50)->getKind(), AppleKind);
  EXPECT_EQ(game.getHeldObject(), nullptr);
  EXPECT_FALSE(game.isPaused());
}

TEST_F(GameTest, LogStartsWithTheWrappedStartUpTexts) {
  const std::vector<std::string> &lines = game.getTextWindow().getLines();
  const std::vector<std::string> expected = {
      "Les Meow Mix sont une bonne",
      // The empty word between the two blanks still fits, 28 characters.
      "source de d\xE9"
      "chets toxiques. ",
      "J'aime la pizza aux",
      "champignons avec des autobus.",
      "ANOTHER TEST",
      "MROE MORE MORE MORE MORE MORE",
      "MORE MORE ANOTHER TEST",
      "SFHFSHDFH DFHS",
      "dfgdfh df d",
      "356 56 4 656 4",
      // Six of the seven empty words fill the line to 29; the seventh breaks it.
      "SDDSG FGFFGAA AAAAAAAAA      ",
      "GGG TEST",
      "SDDSG FGFFG        GGG TEST",
      "DDDDDDDDDDDDDDDDDDDDDDDDDDDDD",
      "DDDDDTEST",
      "AAAAAAAAAAAORE MORE",
      "ANOTHERjjjjj TEST",
      "MffEST",
      "",
      "1",
      "dFSFDDF FFER TEST",
  };
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(game.getTextWindow().getFirstVisible(), 21 - 9);
}

TEST_F(GameTest, ANewGameStartsOverAndDestroysTheOldObjects) {
  const std::size_t objectsOfOneGame = ObjectStore::count();
  game.getPlayer()->getInventory().removeAt(0);
  keys.down[KeyI] = true;
  frame();
  ASSERT_TRUE(game.getInventoryWindow().isOpen());

  stopScene();
  ASSERT_TRUE(startScene(&window, &keys));

  EXPECT_EQ(ObjectStore::count(), objectsOfOneGame);
  EXPECT_EQ(game.getPlayer()->getInventory().size(), 51);
  EXPECT_FALSE(game.getInventoryWindow().isOpen());
  EXPECT_EQ(game.getTextWindow().getLines().size(), 21u);
}
