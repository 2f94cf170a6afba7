#include "MessageRecorder.h"
#include "UiTest.h"

#include "gfx/Picking.h"
#include "objects/Being.h"
#include "ui/InventoryWindow.h"
#include "world/Space.h"

#include <algorithm>
#include <string>
#include <tuple>

using Lines = std::vector<std::string>;

// The player's inventory window on a 1024 x 768 client area (the pile window
// is the same at x 0). The first icon of the grid in its right half is
// centred 256 in from the left edge and a cell of 512 / 2 / 6 below the top.
constexpr int X = 512, Y = 452, W = 512, H = 316, ICON_X = 256, ICON_Y = 725, CELL = 42;

// Who an item is: the one in the slot before the click, the one on the
// cursor, the one at the clicked position of the list, or none.
enum Who { Nobody, Worn, Held, Listed };

class InventoryWindowTest : public UiTest {
protected:
  InventoryWindowTest() {
    inventoryWindow.setBeing(player);
    pileWindow.setSpace(&ground);
  }

  Inventory &pack() { return player->getInventory(); }
  Inventory &pile() { return ground.getItemPile(); }
  // Vases, the last of them of the given kind.
  static void fill(Inventory &list, int count, std::int32_t lastKind = VaseKind) {
    for (int i = 1; i <= count; ++i) {
      list.add(ObjectStore::make<Item>(i == count ? lastKind : VaseKind));
    }
  }
  // A click on window pixel (x, y) as the game makes it: the window drawn
  // without its frame in a selection pass, the first hit's name handed on.
  WorldObject *clickAt(InventoryWindow &window, int x, int y) {
    const std::vector<Names> hits = captureSelection([&] { window.draw(false); }, x, y);
    const auto name = hits.empty() ? -1 : static_cast<std::int32_t>(hits[0].at(0));
    return window.selectItemInInvent(static_cast<std::int32_t>(hits.size()), name, nullptr, player);
  }

  MessageRecorder said;
  Being *player = ObjectStore::make<Being>(PlayerKind);
  Space ground{GroundTexture};
  InventoryWindow inventoryWindow{X, Y, W, H}, pileWindow{0, Y, W, H};
};

TEST_F(InventoryWindowTest, ShowsSevenRowsOfSixFromTheFirstRowAndNamesIconsAndSlots) {
  const auto drawn = [&] { return quadsDrawnBy([&] { inventoryWindow.draw(false); }); };
  EXPECT_EQ(drawn().size(), 3u) << "an empty list: the squares, no icon and no figure";
  fill(pack(), 42);
  EXPECT_EQ(drawn().size(), 3u + 42 + 5) << "the squares, the icons, the slots";
  inventoryWindow.clickScrollDown();
  EXPECT_EQ(inventoryWindow.getFirstRow(), 0) << "7 * 6 = 42 items all fit";
  fill(pack(), 1);
  inventoryWindow.selectItemInInvent(1, PickScrollDown, nullptr, player);
  inventoryWindow.clickScrollDown();
  EXPECT_EQ(inventoryWindow.getFirstRow(), 1) << "(1 + 7) * 6 = 48 is not below 43";
  EXPECT_TRUE(drawn().at(3 + 36).showsPicture(true));
  // Where a click falls and the name there: an icon's place from the first
  // row shown (columns 42 apart from x 768, rows from y 725 down), none where
  // no icon lies; the figure's five slots; close, up, a gap and down on the
  // right edge, as every window has them.
  // clang-format off
  const int picks[][3] = {{768, 725, 0}, {852, 683, 8}, {978, 515, 35}, {768, 473, 36},
      {810, 473, -1}, {639, 703, PickHeadSlot}, {575, 609, PickLeftHandSlot},
      {703, 609, PickRightHandSlot}, {639, 609, PickBodySlot}, {639, 515, PickFeetSlot},
      {1015, 753, PickClose}, {1015, 723, PickScrollUp}, {1015, 693, -1},
      {1015, 467, PickScrollDown}};
  // clang-format on
  for (const auto &[x, y, name] : picks) {
    EXPECT_EQ(firstHitAt([&] { inventoryWindow.draw(false); }, x, y),
              name < 0 ? Names{} : Names{std::uint32_t(name)});
  }
  const WorldObject *seventh = pack().at(6);
  EXPECT_EQ(clickAt(inventoryWindow, X + ICON_X, ICON_Y), seventh);
  EXPECT_DOUBLE_EQ(pack().getTotalWeight(), 42.0);
  // Showing the list again starts at the top; the top is a bound.
  inventoryWindow.setBeing(player);
  inventoryWindow.clickScrollUp();
  EXPECT_EQ(inventoryWindow.getFirstRow(), 0);
}

TEST_F(InventoryWindowTest, AClickActsByTheActionAndKeepsTheCarriedWeight) {
  // The list holds vase, vase, apple (3 in weight); the player wears a helm,
  // an armor, boots and two swords, which the carried weight does not count
  // at first. The slot looked at is the one clicked, or the nearest.
  const struct {
    std::int32_t hits, name, heldKind; // heldKind 0: nothing on the cursor
    ActionMode mode, modeAfter;
    bool emptied; // the slot is emptied first
    Who returned, inSlot;
    int listed, weight;
    const char *message;
  } cases[] = {
      {1, 1, 0, Get, None, false, Listed, Worn, 2, 2, nullptr},
      {1, 0, 0, Use, None, false, Nobody, Worn, 3, 3, "This item can't be used."},
      // An apple used here is eaten: it leaves the list and is not held.
      {1, 2, 0, Use, None, false, Nobody, Worn, 2, 2, "You ate one apple."},
      {1, 0, 0, Attack, None, false, Nobody, Worn, 3, 3, nullptr},
      // Names beyond the list act on no item.
      {1, 3, 0, Get, None, false, Nobody, Worn, 3, 3, nullptr},
      {1, 2147483647, 0, Get, None, false, Nobody, Worn, 3, 3, nullptr},
      // Without a hit nothing is acted on and the action stays. A held item
      // is dropped at the end wherever the click falls, hit or not, but the
      // window's squares keep it.
      {0, -1, 0, Look, Look, false, Nobody, Worn, 3, 3, nullptr},
      {0, -1, AppleKind, Look, Look, false, Nobody, Worn, 4, 4, nullptr},
      {1, 0, AppleKind, Look, Look, false, Nobody, Worn, 4, 4, nullptr},
      {1, PickClose, AppleKind, Look, Look, false, Held, Worn, 3, 3, nullptr},
      // Swapping helms changes the weight by their difference; filling an
      // empty slot, either hand included, adds the item's weight.
      {1, PickHeadSlot, HelmKind, None, None, false, Worn, Held, 3, 3, nullptr},
      {1, PickLeftHandSlot, SwordKind, Get, None, true, Nobody, Held, 3, 4, nullptr},
      {1, PickRightHandSlot, SwordKind, None, None, true, Nobody, Held, 3, 4, nullptr},
      // A slot refuses another category, and no slot takes food.
      {1, PickBodySlot, SwordKind, Get, None, false, Held, Worn, 3, 3, nullptr},
      {1, PickHeadSlot, AppleKind, None, None, true, Held, Nobody, 3, 3, nullptr},
      {1, PickRightHandSlot, 0, None, None, false, Worn, Nobody, 3, 2, nullptr},
      // Look and Use react to a filled slot only; other actions stay.
      {1, PickLeftHandSlot, VaseKind, Look, None, false, Held, Worn, 3, 3,
       "You see one sword. It weights 1."},
      {1, PickFeetSlot, 0, Use, None, false, Nobody, Worn, 3, 3, "This item can't be used."},
      {1, PickHeadSlot, HelmKind, Look, Look, true, Held, Nobody, 3, 3, nullptr},
      {1, PickBodySlot, 0, Attack, Attack, false, Nobody, Worn, 3, 3, nullptr},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(&c - cases);
    player = ObjectStore::make<Being>(PlayerKind);
    inventoryWindow.setBeing(player);
    inventoryWindow.setOpen(true);
    fill(pack(), 3, AppleKind);
    const std::int32_t slot = std::clamp<std::int32_t>(c.name, PickHeadSlot, PickFeetSlot);
    if (c.emptied) {
      player->getEquipment().take(slot);
    }
    Item *const held = c.heldKind == 0 ? nullptr : ObjectStore::make<Item>(c.heldKind);
    const WorldObject *const who[] = {nullptr, player->getEquipped(slot), held, pack().at(c.name)};
    player->setAction(c.mode);
    EXPECT_EQ(inventoryWindow.selectItemInInvent(c.hits, c.name, held, player), who[c.returned]);
    EXPECT_EQ(player->getEquipped(slot), who[c.inSlot]);
    EXPECT_EQ(std::make_tuple(pack().size(), pack().at(3), pack().getTotalWeight(),
                              player->getActionMode(), inventoryWindow.isOpen()),
              std::make_tuple(c.listed, c.listed == 4 ? held : nullptr, double(c.weight),
                              c.modeAfter, c.name != PickClose));
    EXPECT_EQ(said.take(), c.message ? Lines{c.message} : Lines{});
  }
}

TEST_F(InventoryWindowTest, APileShowsItsSpaceNotAFigureAndIsUsedWhileThePlayerCarriesNothing) {
  // The window acts on its own list, whatever the player carries (nothing
  // here). A hit on the empty pile acts on nothing and keeps the Look.
  player->setAction(Look);
  EXPECT_EQ(pileWindow.selectItemInInvent(1, 0, nullptr, player), nullptr);
  fill(pile(), 50);
  // Showing the pile again starts at its top. Untitled: a title at the top
  // of the screen pokes out of it, and clipped glyphs no longer come back as
  // whole quads.
  pileWindow.clickScrollDown();
  pileWindow.setSpace(&ground);
  pileWindow.setTitle("");
  EXPECT_EQ(rectsDrawn([&] { pileWindow.draw(false); }).size(), 3u + 42) << "and no figure";
  // Its space's picture lies at 256 / 6 = 42, 452 + 316 / 6 = 504, 512 / 3
  // across, where the player's window has its figure.
  const std::vector<Rect> withPile = rectsDrawn([&] { pileWindow.draw(true); });
  EXPECT_EQ(std::count(withPile.begin(), withPile.end(), Rect{42, 504, 212, 674}), 1);
  const WorldObject *first = pile().at(0);
  EXPECT_EQ(clickAt(pileWindow, ICON_X + CELL, ICON_Y), nullptr);
  EXPECT_EQ(said.take(), Lines{"You see one vase. It weights 1."});
  EXPECT_EQ(clickAt(pileWindow, ICON_X, ICON_Y), first);
  EXPECT_DOUBLE_EQ(pile().getTotalWeight(), 49.0);
}
