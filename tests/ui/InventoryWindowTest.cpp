#include "FeedbackQuads.h"
#include "GlContext.h"

#include "gfx/Picking.h"
#include "objects/Being.h"
#include "objects/Item.h"
#include "objects/ObjectStore.h"
#include "ui/InventoryWindow.h"
#include "ui/MessageOutput.h"
#include "world/Space.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

// The player's inventory window and the item pile window on a 1024 x 768
// client area.
constexpr int X = 512, Y = 452, W = 512, H = 316;
constexpr int PILE_X = 0;

// Grid of the right half: cell W / 2 / 6, icon k centred on
// (left + col * cell, top - cell - row * cell).
constexpr float CELL = (W / 2) / 6.0f;

std::vector<std::string> messages;
void recordMessage(std::string text) {
  messages.push_back(std::move(text));
}

// Window pixel at the centre of the grid icon drawn k-th.
int gridPixelX(int windowX, int k) {
  return static_cast<int>(windowX + W / 2 + (k % 6) * CELL);
}
int gridPixelY(int k) {
  return static_cast<int>(Y + H - CELL - (k / 6) * CELL);
}

// Feedback coordinates come back through the projection with rounding
// errors in the last bits.
bool near(float a, float b) {
  return std::fabs(a - b) < 0.01f;
}

bool hasVertex(const std::vector<FeedbackPolygon> &polygons, float x, float y) {
  for (const FeedbackPolygon &polygon : polygons) {
    for (const FeedbackVertex &vertex : polygon.vertices) {
      if (near(vertex.x, x) && near(vertex.y, y)) {
        return true;
      }
    }
  }
  return false;
}

} // namespace

class InventoryWindowTest : public GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    messages.clear();
    setMessageSink(recordMessage);
    player = ObjectStore::make<Being>(PlayerKind);
    inventoryWindow = InventoryWindow(X, Y, W, H);
    inventoryWindow.setBeing(player);
    pileWindow = InventoryWindow(PILE_X, Y, W, H);
    pileWindow.setTitle("Item pile");
    pileWindow.setSpace(&ground);
  }
  void TearDown() override {
    setMessageSink(nullptr);
    ObjectStore::clear();
    GlTest::TearDown();
  }

  Inventory &pack() { return player->getInventory(); }
  Equipment &equipment() { return player->getEquipment(); }

  static Item *make(std::int32_t kind) { return ObjectStore::make<Item>(kind); }
  // Fills the list with count new items of the kind; returns them in order.
  static std::vector<Item *> fill(Inventory &list, int count, std::int32_t kind = VaseKind) {
    std::vector<Item *> made;
    for (int i = 0; i < count; ++i) {
      made.push_back(make(kind));
      list.add(made.back());
    }
    return made;
  }

  // A click on window pixel (x, y) as the game makes it: the window drawn
  // without its frame in a selection pass, the first hit's name handed on.
  WorldObject *clickAt(InventoryWindow &window, int x, int y, WorldObject *held) {
    const std::vector<SelectionHit> hits = captureSelection([&] { window.draw(false); }, x, y);
    lastNames = hits.empty() ? std::vector<std::uint32_t>{} : hits.front().names;
    const std::int32_t name = hits.empty() ? -1 : static_cast<std::int32_t>(lastNames.front());
    return window.selectItemInInvent(static_cast<std::int32_t>(hits.size()), name, held, player);
  }

  Being *player = nullptr;
  Space ground{GroundTexture};
  InventoryWindow inventoryWindow;
  InventoryWindow pileWindow;
  std::vector<std::uint32_t> lastNames;
};

using Names = std::vector<std::uint32_t>;

TEST_F(InventoryWindowTest, IsConfiguredByAssigningAndShowsABeingOrASpace) {
  const InventoryWindow fresh;
  EXPECT_EQ(fresh.getTitle(), "Inventory");
  EXPECT_TRUE(fresh.isClosable());
  EXPECT_TRUE(fresh.isScrolling());
  EXPECT_FALSE(fresh.isOpen());
  EXPECT_FALSE(fresh.hasBeing());
  EXPECT_FALSE(fresh.hasSpace());

  EXPECT_TRUE(inventoryWindow.hasBeing());
  EXPECT_FALSE(inventoryWindow.hasSpace());
  EXPECT_EQ(pileWindow.getTitle(), "Item pile");
  EXPECT_TRUE(pileWindow.hasSpace());
  EXPECT_FALSE(pileWindow.hasBeing());
  EXPECT_FALSE(pileWindow.isOpen());

  // A copy shows the very same list, not a copy of it.
  InventoryWindow copy;
  copy = inventoryWindow;
  Item *vase = make(VaseKind);
  EXPECT_EQ(copy.selectItemInInvent(0, -1, vase, player), nullptr);
  EXPECT_EQ(pack().at(0), vase);
}

TEST_F(InventoryWindowTest, ShowingAnotherSourceStartsAtTheTopAgain) {
  fill(pack(), 43);
  fill(ground.getItemPile(), 43);
  inventoryWindow.clickScrollDown();
  pileWindow.clickScrollDown();
  ASSERT_EQ(inventoryWindow.getFirstRow(), 1);
  inventoryWindow.setBeing(player);
  EXPECT_EQ(inventoryWindow.getFirstRow(), 0);
  pileWindow.setSpace(&ground);
  EXPECT_EQ(pileWindow.getFirstRow(), 0);
  // A window can be turned from a space to a being and back.
  pileWindow.setBeing(player);
  EXPECT_TRUE(pileWindow.hasBeing());
  EXPECT_FALSE(pileWindow.hasSpace());
  pileWindow.setSpace(&ground);
  EXPECT_FALSE(pileWindow.hasBeing());
}

TEST_F(InventoryWindowTest, ScrollsDownOnlyWhileItemsLieBelowTheSevenVisibleRows) {
  fill(pack(), 42);
  inventoryWindow.clickScrollDown();
  EXPECT_EQ(inventoryWindow.getFirstRow(), 0) << "7 * 6 = 42 items all fit";

  pack().add(make(VaseKind));
  WorldObject *held = make(AppleKind);
  EXPECT_EQ(inventoryWindow.selectItemInInvent(1, PickScrollDown, held, player), held)
      << "a scroll square never takes the held item";
  EXPECT_EQ(inventoryWindow.getFirstRow(), 1);
  EXPECT_EQ(pack().size(), 43);
  inventoryWindow.clickScrollDown();
  EXPECT_EQ(inventoryWindow.getFirstRow(), 1) << "(1 + 7) * 6 = 48 is not below 43";

  inventoryWindow.selectItemInInvent(1, PickScrollUp, nullptr, player);
  EXPECT_EQ(inventoryWindow.getFirstRow(), 0);
  inventoryWindow.clickIn(PickScrollUp);
  EXPECT_EQ(inventoryWindow.getFirstRow(), 0);
}

TEST_F(InventoryWindowTest, TheCloseSquareClosesAndKeepsTheHeldItem) {
  inventoryWindow.setOpen(true);
  Item *vase = make(VaseKind);
  EXPECT_EQ(inventoryWindow.selectItemInInvent(1, PickClose, vase, player), vase);
  EXPECT_FALSE(inventoryWindow.isOpen());
  EXPECT_TRUE(pack().isEmpty());
}

TEST_F(InventoryWindowTest, NamesCountFromTheFirstVisibleRow) {
  const std::vector<Item *> vases = fill(pack(), 43);
  inventoryWindow.clickScrollDown();
  ASSERT_EQ(inventoryWindow.getFirstRow(), 1);
  EXPECT_EQ(inventoryWindow.selectItemInInvent(1, 0, nullptr, player), vases[6]);
  EXPECT_EQ(pack().size(), 42);
  EXPECT_EQ(pack().at(6), vases[7]);
  EXPECT_DOUBLE_EQ(pack().getTotalWeight(), 42.0);
}

TEST_F(InventoryWindowTest, TakingAndLookingFollowTheActionWhichEndsAfterwards) {
  const std::vector<Item *> vases = fill(pack(), 3);
  player->setAction(Look);
  EXPECT_EQ(inventoryWindow.selectItemInInvent(1, 2, nullptr, player), nullptr);
  EXPECT_EQ(messages, std::vector<std::string>{"You see one vase. It weights 1."});
  EXPECT_EQ(player->getActionMode(), None);
  EXPECT_EQ(pack().size(), 3);

  for (ActionMode inert : {Move, Attack}) {
    player->setAction(inert);
    EXPECT_EQ(inventoryWindow.selectItemInInvent(1, 0, nullptr, player), nullptr);
    EXPECT_EQ(player->getActionMode(), None);
    EXPECT_EQ(pack().size(), 3);
  }

  player->setAction(Get);
  EXPECT_EQ(inventoryWindow.selectItemInInvent(1, 1, nullptr, player), vases[1]);
  EXPECT_EQ(player->getActionMode(), None);
  EXPECT_EQ(pack().size(), 2);
  EXPECT_DOUBLE_EQ(pack().getTotalWeight(), 2.0) << "the held item weighs nothing";
}

TEST_F(InventoryWindowTest, UsingAnAppleEatsItWhileOtherItemsStay) {
  fill(pack(), 2);
  Item *apple = make(AppleKind);
  pack().add(apple);
  player->setAction(Use);
  EXPECT_EQ(inventoryWindow.selectItemInInvent(1, 0, nullptr, player), nullptr);
  EXPECT_EQ(pack().size(), 3);
  player->setAction(Use);
  EXPECT_EQ(inventoryWindow.selectItemInInvent(1, 2, nullptr, player), nullptr);
  EXPECT_EQ(messages, (std::vector<std::string>{"This item can't be used.", "You ate one apple."}));
  EXPECT_EQ(pack().size(), 2);
  EXPECT_DOUBLE_EQ(pack().getTotalWeight(), 2.0);
  for (int i = 0; i < pack().size(); ++i) {
    EXPECT_NE(pack().at(i), apple);
  }
  EXPECT_EQ(player->getActionMode(), None);
}

TEST_F(InventoryWindowTest, NamesOutsideTheListActOnNoItem) {
  fill(pack(), 3);
  for (std::int32_t name : {3, 41, -1, 9003, 2147483647}) {
    player->setAction(Get);
    EXPECT_EQ(inventoryWindow.selectItemInInvent(1, name, nullptr, player), nullptr)
        << "name " << name;
    EXPECT_EQ(pack().size(), 3) << "name " << name;
  }
  // Without a hit nothing is acted on and the action stays.
  player->setAction(Look);
  EXPECT_EQ(inventoryWindow.selectItemInInvent(0, 0, nullptr, player), nullptr);
  EXPECT_EQ(player->getActionMode(), Look);
  EXPECT_TRUE(messages.empty());
}

TEST_F(InventoryWindowTest, APileCanBeTakenFromWhileThePlayerCarriesNothing) {
  const std::vector<Item *> vases = fill(ground.getItemPile(), 3);
  ASSERT_TRUE(pack().isEmpty());
  player->setAction(Look);
  pileWindow.selectItemInInvent(1, 0, nullptr, player);
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(pileWindow.selectItemInInvent(1, 1, nullptr, player), vases[1]);
  EXPECT_EQ(ground.getItemPile().size(), 2);
  EXPECT_DOUBLE_EQ(ground.getItemPile().getTotalWeight(), 2.0);
  EXPECT_TRUE(pack().isEmpty());
}

TEST_F(InventoryWindowTest, AnEmptyListHasNothingToActOn) {
  player->setAction(Look);
  EXPECT_EQ(pileWindow.selectItemInInvent(1, 0, nullptr, player), nullptr);
  EXPECT_EQ(player->getActionMode(), Look);
  EXPECT_TRUE(messages.empty());
}

TEST_F(InventoryWindowTest, TheHeldItemIsDroppedIntoTheListWhereverTheClickFalls) {
  const std::vector<Item *> vases = fill(ground.getItemPile(), 2);
  Item *apple = make(AppleKind);
  // On an item of the pile: the apple joins the end, nothing is taken.
  EXPECT_EQ(pileWindow.selectItemInInvent(1, 0, apple, player), nullptr);
  ASSERT_EQ(ground.getItemPile().size(), 3);
  EXPECT_EQ(ground.getItemPile().at(0), vases[0]);
  EXPECT_EQ(ground.getItemPile().at(2), apple);

  // On the player's window with no hit, and with the action set: the
  // action is left alone.
  Item *sword = make(SwordKind);
  player->setAction(Look);
  EXPECT_EQ(inventoryWindow.selectItemInInvent(0, -1, sword, player), nullptr);
  EXPECT_EQ(pack().at(0), sword);
  EXPECT_DOUBLE_EQ(pack().getTotalWeight(), 1.0);
  EXPECT_EQ(player->getActionMode(), Look);

  // A window that shows nothing yet keeps the item on the cursor.
  InventoryWindow unconfigured(X, Y, W, H);
  EXPECT_EQ(unconfigured.selectItemInInvent(1, 0, apple, player), apple);
}

TEST_F(InventoryWindowTest, SwappingHelmsHandsBackTheOldOneAndWeighsTheNewOne) {
  Item *oldHelm = equipment().get(PickHeadSlot);
  ASSERT_NE(oldHelm, nullptr);
  Item *newHelm = make(HelmKind);
  pack().add(newHelm);
  ASSERT_EQ(inventoryWindow.selectItemInInvent(1, 0, nullptr, player), newHelm);
  const double carried = pack().getTotalWeight();

  EXPECT_EQ(inventoryWindow.selectItemInInvent(1, PickHeadSlot, newHelm, player), oldHelm);
  EXPECT_EQ(equipment().get(PickHeadSlot), newHelm);
  EXPECT_DOUBLE_EQ(pack().getTotalWeight(), carried + newHelm->getWeight() - oldHelm->getWeight());
  EXPECT_EQ(player->getActionMode(), None);
  EXPECT_TRUE(pack().isEmpty()) << "the old helm is held, not dropped";
}

TEST_F(InventoryWindowTest, EquippingAnEmptySlotAddsTheWeightAndReturnsNothing) {
  Item *leftSword = equipment().take(PickLeftHandSlot);
  player->setAction(Get);
  EXPECT_EQ(inventoryWindow.selectItemInInvent(1, PickLeftHandSlot, leftSword, player), nullptr);
  EXPECT_EQ(equipment().get(PickLeftHandSlot), leftSword);
  EXPECT_DOUBLE_EQ(pack().getTotalWeight(), leftSword->getWeight());
  EXPECT_EQ(player->getActionMode(), None);
}

TEST_F(InventoryWindowTest, ASlotRefusesAnItemOfAnotherCategory) {
  Item *armor = equipment().get(PickBodySlot);
  for (ActionMode mode : {None, Get}) {
    Item *sword = make(SwordKind);
    player->setAction(mode);
    EXPECT_EQ(inventoryWindow.selectItemInInvent(1, PickBodySlot, sword, player), sword);
    EXPECT_EQ(equipment().get(PickBodySlot), armor);
    EXPECT_EQ(player->getActionMode(), None);
    EXPECT_DOUBLE_EQ(pack().getTotalWeight(), 0.0);
    EXPECT_TRUE(pack().isEmpty()) << "a refused item is not dropped into the list either";
  }
  // No slot takes food, not even an empty one.
  equipment().take(PickHeadSlot);
  Item *apple = make(AppleKind);
  EXPECT_EQ(inventoryWindow.selectItemInInvent(1, PickHeadSlot, apple, player), apple);
  EXPECT_FALSE(equipment().isWearing(PickHeadSlot));
}

TEST_F(InventoryWindowTest, UnequippingPutsTheItemOnTheCursorAndSubtractsItsWeight) {
  Item *rightSword = equipment().get(PickRightHandSlot);
  const double carried = pack().getTotalWeight();
  EXPECT_EQ(inventoryWindow.selectItemInInvent(1, PickRightHandSlot, nullptr, player), rightSword);
  EXPECT_FALSE(equipment().isWearing(PickRightHandSlot));
  EXPECT_DOUBLE_EQ(pack().getTotalWeight(), carried - rightSword->getWeight());
  // Clicking the now empty slot with nothing held changes nothing.
  EXPECT_EQ(inventoryWindow.selectItemInInvent(1, PickRightHandSlot, nullptr, player), nullptr);
  EXPECT_DOUBLE_EQ(pack().getTotalWeight(), carried - rightSword->getWeight());
}

TEST_F(InventoryWindowTest, LookAndUseOnAFilledSlotReactAndEndTheAction) {
  Item *vase = make(VaseKind);
  player->setAction(Look);
  EXPECT_EQ(inventoryWindow.selectItemInInvent(1, PickLeftHandSlot, vase, player), vase);
  EXPECT_EQ(player->getActionMode(), None);
  player->setAction(Use);
  EXPECT_EQ(inventoryWindow.selectItemInInvent(1, PickFeetSlot, nullptr, player), nullptr);
  EXPECT_EQ(player->getActionMode(), None);
  EXPECT_EQ(messages, (std::vector<std::string>{"You see one sword. It weights 1.",
                                                "This item can't be used."}));
  EXPECT_TRUE(equipment().isWearing(PickLeftHandSlot));
  EXPECT_TRUE(equipment().isWearing(PickFeetSlot));
  EXPECT_TRUE(pack().isEmpty());
  EXPECT_DOUBLE_EQ(pack().getTotalWeight(), 0.0);
}

TEST_F(InventoryWindowTest, OtherActionsOnASlotChangeNothingAndKeepTheAction) {
  equipment().take(PickHeadSlot);
  Item *helm = make(HelmKind);
  for (ActionMode mode : {Look, Use, Move, Attack}) {
    player->setAction(mode);
    EXPECT_EQ(inventoryWindow.selectItemInInvent(1, PickHeadSlot, helm, player), helm);
    EXPECT_EQ(player->getActionMode(), mode);
    EXPECT_FALSE(equipment().isWearing(PickHeadSlot));
  }
  player->setAction(Attack);
  EXPECT_EQ(inventoryWindow.selectItemInInvent(1, PickBodySlot, nullptr, player), nullptr);
  EXPECT_TRUE(equipment().isWearing(PickBodySlot));
  EXPECT_EQ(player->getActionMode(), Attack);
  EXPECT_TRUE(messages.empty());
}

TEST_F(InventoryWindowTest, AnEmptyListShowsNeitherGridNorFigure) {
  auto quadCount = [&](InventoryWindow &window) {
    return quadsOf(captureFeedback([&] { window.draw(false); })).size();
  };
  // Close, up and down squares only.
  EXPECT_EQ(quadCount(inventoryWindow), 3u);
  EXPECT_EQ(quadCount(pileWindow), 3u);
  pack().add(make(VaseKind));
  EXPECT_EQ(quadCount(inventoryWindow), 3u + 1u + 5u) << "squares, one icon, five slots";
  ground.addItem(make(VaseKind));
  EXPECT_EQ(quadCount(pileWindow), 3u + 1u) << "a pile has no equipment figure";
}

TEST_F(InventoryWindowTest, ThePileWindowShowsTheSpacesPictureInItsLeftPart) {
  ensureFontLists();
  // left 0 + 256 / 6 = 42, bottom 452 + 316 / 6 = 504, size 512 / 3 = 170:
  // the ground's diamond touches the middle of each side of that square.
  const std::vector<FeedbackPolygon> pile = captureFeedback([&] { pileWindow.draw(true); });
  EXPECT_TRUE(hasVertex(pile, 42, 589));
  EXPECT_TRUE(hasVertex(pile, 127, 504));
  EXPECT_TRUE(hasVertex(pile, 212, 589));
  EXPECT_TRUE(hasVertex(pile, 127, 674));
  // The player's window keeps that place for the equipment figure.
  const std::vector<FeedbackPolygon> own = captureFeedback([&] { inventoryWindow.draw(true); });
  EXPECT_FALSE(hasVertex(own, X + 42, 589));
  EXPECT_FALSE(hasVertex(own, X + 127, 504));
}

TEST_F(InventoryWindowTest, ClickOnAnIconOfTheGridTakesThatItem) {
  const std::vector<Item *> vases = fill(pack(), 9);
  EXPECT_EQ(clickAt(inventoryWindow, gridPixelX(X, 7), gridPixelY(7), nullptr), vases[7]);
  EXPECT_EQ(lastNames, Names{7});
  EXPECT_EQ(pack().size(), 8);
}

TEST_F(InventoryWindowTest, ClickOnAScrolledGridActsOnTheItemShownThere) {
  fill(pack(), 40);
  Item *apple = make(AppleKind);
  pack().add(apple);
  fill(pack(), 2);
  inventoryWindow.clickScrollDown();
  // The apple at position 40 shows as the 35th icon of the scrolled grid.
  player->setAction(Use);
  EXPECT_EQ(clickAt(inventoryWindow, gridPixelX(X, 34), gridPixelY(34), nullptr), nullptr);
  EXPECT_EQ(lastNames, Names{34});
  EXPECT_EQ(messages, std::vector<std::string>{"You ate one apple."});
  EXPECT_EQ(pack().size(), 42);
}

TEST_F(InventoryWindowTest, ClickOnASlotOfTheFigureUnequipsIt) {
  pack().add(make(VaseKind));
  Item *helm = equipment().get(PickHeadSlot);
  // Head slot: x 512 + 128 - 21 = 618, y 768 - 85 = 682, 42 wide.
  EXPECT_EQ(clickAt(inventoryWindow, 639, 703, nullptr), helm);
  EXPECT_EQ(lastNames, Names{PickHeadSlot});
  EXPECT_FALSE(equipment().isWearing(PickHeadSlot));
  // Feet slot at the bottom centre, y 452 + 42 = 494.
  Item *boots = equipment().get(PickFeetSlot);
  EXPECT_EQ(clickAt(inventoryWindow, 639, 515, nullptr), boots);
  EXPECT_EQ(lastNames, Names{PickFeetSlot});
}

TEST_F(InventoryWindowTest, ClickOnTheCloseSquareClosesTheWindow) {
  pack().add(make(VaseKind));
  inventoryWindow.setOpen(true);
  Item *held = make(SwordKind);
  EXPECT_EQ(clickAt(inventoryWindow, X + W - 15, Y + H - 15, held), held);
  EXPECT_EQ(lastNames, Names{PickClose});
  EXPECT_FALSE(inventoryWindow.isOpen());
  EXPECT_EQ(pack().size(), 1);
}

TEST_F(InventoryWindowTest, ClickOnTheBackgroundHitsNothingAndOnlyDrops) {
  fill(pack(), 3);
  // Left of the figure's left-hand slot, below the head.
  EXPECT_EQ(clickAt(inventoryWindow, 530, 470, nullptr), nullptr);
  EXPECT_TRUE(lastNames.empty());
  EXPECT_EQ(pack().size(), 3);
  Item *apple = make(AppleKind);
  EXPECT_EQ(clickAt(inventoryWindow, 530, 470, apple), nullptr);
  EXPECT_EQ(pack().at(3), apple);
  // The pile's picture is not drawn when picking, so it is background too.
  Item *sword = make(SwordKind);
  EXPECT_EQ(clickAt(pileWindow, 127, 589, sword), nullptr);
  EXPECT_TRUE(lastNames.empty());
  EXPECT_EQ(ground.getItemPile().at(0), sword);
}

TEST_F(InventoryWindowTest, ClickOnAPileIconTakesItWhileThePlayerCarriesNothing) {
  const std::vector<Item *> vases = fill(ground.getItemPile(), 50);
  ASSERT_TRUE(pack().isEmpty());
  EXPECT_EQ(clickAt(pileWindow, gridPixelX(PILE_X, 0), gridPixelY(0), nullptr), vases[0]);
  EXPECT_EQ(lastNames, Names{0});
  EXPECT_EQ(ground.getItemPile().size(), 49);
}
