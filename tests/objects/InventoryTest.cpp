#include "ObjectTestSupport.h"

#include "gfx/Picking.h"
#include "objects/Inventory.h"
#include "objects/Item.h"
#include "objects/ObjectStore.h"

#include <cmath>

namespace {

class InventoryTest : public ObjectGlTest {
protected:
  // The grid area of the tests: the right half of the 1024 x 768 window,
  // so that no icon is clipped.
  static constexpr float X = 512.0f;
  static constexpr float Y = 0.0f;
  static constexpr float WIDTH = 512.0f;
  static constexpr float HEIGHT = 768.0f;
  static constexpr float CELL = WIDTH / 6;

  static Inventory filled(int count) {
    Inventory inventory;
    for (int i = 0; i < count; ++i) {
      inventory.add(ObjectStore::make<Item>(i % 2 == 0 ? VaseKind : SwordKind));
    }
    return inventory;
  }

  // Lower-left pixel of the icon in column col, row row of the grid.
  static float iconLeft(int col) { return std::trunc(X + col * CELL - CELL * 0.5f); }
  static float iconBottom(int row) { return std::trunc(Y + HEIGHT - row * CELL - CELL * 1.5f); }
};

TEST_F(InventoryTest, WeightIsARunningTotal) {
  Inventory inventory;
  EXPECT_TRUE(inventory.isEmpty());
  EXPECT_EQ(inventory.getTotalWeight(), 0.0);
  inventory.addWeight(-1.0);
  EXPECT_EQ(inventory.getTotalWeight(), -1.0);
  EXPECT_TRUE(inventory.isEmpty());

  Item *gold = ObjectStore::make<Item>(GoldKind);
  Item *vase = ObjectStore::make<Item>(VaseKind);
  inventory.add(gold);
  inventory.add(vase);
  EXPECT_DOUBLE_EQ(inventory.getTotalWeight(), 0.1);
  EXPECT_EQ(inventory.removeAt(1), vase);
  EXPECT_DOUBLE_EQ(inventory.getTotalWeight(), -0.9);
  EXPECT_EQ(inventory.removeAt(0), gold);
  EXPECT_DOUBLE_EQ(inventory.getTotalWeight(), -1.0);
  EXPECT_TRUE(inventory.isEmpty());
}

TEST_F(InventoryTest, KeepsInsertionOrderAndRemovesAnywhere) {
  Item *items[] = {ObjectStore::make<Item>(VaseKind), ObjectStore::make<Item>(HelmKind),
                   ObjectStore::make<Item>(AppleKind)};
  Inventory inventory;
  for (Item *item : items) {
    inventory.add(item);
  }
  ASSERT_EQ(inventory.size(), 3);
  EXPECT_EQ(inventory.at(0), items[0]);
  EXPECT_EQ(inventory.at(2), items[2]);
  EXPECT_EQ(inventory.removeAt(1), items[1]);
  EXPECT_EQ(inventory.size(), 2);
  EXPECT_EQ(inventory.at(1), items[2]);
  EXPECT_DOUBLE_EQ(inventory.getTotalWeight(), 2.0);
}

TEST_F(InventoryTest, PositionsOutsideTheListAndNullChangeNothing) {
  Inventory inventory = filled(2);
  EXPECT_EQ(inventory.at(2), nullptr);
  EXPECT_EQ(inventory.at(-1), nullptr);
  EXPECT_EQ(inventory.removeAt(2), nullptr);
  EXPECT_EQ(inventory.removeAt(-1), nullptr);
  inventory.add(nullptr);
  EXPECT_EQ(inventory.size(), 2);
  EXPECT_DOUBLE_EQ(inventory.getTotalWeight(), 2.0);
}

TEST_F(InventoryTest, CopiesShareTheObjectsButNotTheList) {
  Inventory original = filled(3);
  original.addWeight(0.5);
  Inventory copy;
  copy = original;
  ASSERT_EQ(copy.size(), 3);
  EXPECT_EQ(copy.at(1), original.at(1));
  EXPECT_DOUBLE_EQ(copy.getTotalWeight(), 3.5);
  copy.removeAt(0);
  EXPECT_EQ(original.size(), 3);
  EXPECT_DOUBLE_EQ(original.getTotalWeight(), 3.5);
}

TEST_F(InventoryTest, GridShowsAtMostSevenRowsFromTheFirstRow) {
  const Inventory inventory = filled(43);
  EXPECT_EQ(quadsOf(captureFeedback([&] { inventory.drawGrid(X, Y, WIDTH, HEIGHT, 0); })).size(),
            42u);
  const auto quads = quadsOf(captureFeedback([&] { inventory.drawGrid(X, Y, WIDTH, HEIGHT, 1); }));
  ASSERT_EQ(quads.size(), 37u);

  // Icons run left to right, then down; the 37th opens the grid's 7th row.
  const int places[][3] = {{0, 0, 0}, {5, 5, 0}, {6, 0, 1}, {36, 0, 6}};
  for (const auto &[index, col, row] : places) {
    SCOPED_TRACE(index);
    EXPECT_EQ(quads[index].corners[0].x, iconLeft(col));
    EXPECT_EQ(quads[index].corners[0].y, iconBottom(row));
    EXPECT_EQ(quads[index].corners[2].x, std::trunc(X + col * CELL - CELL * 0.5f + CELL));
    EXPECT_EQ(quads[index].corners[2].y, std::trunc(Y + HEIGHT - row * CELL - CELL * 1.5f + CELL));
    EXPECT_EQ(quads[index].corners[0].s, 1.0f) << "icons are mirrored";
  }
}

TEST_F(InventoryTest, GridIconsArePickedByTheirPlaceInTheGrid) {
  const Inventory inventory = filled(43);
  std::int32_t counterAfter = 0;
  const auto pickAt = [&](int col, int row, std::int32_t firstRow) {
    const auto hits = captureSelection(
        [&] {
          inventory.drawGrid(X, Y, WIDTH, HEIGHT, firstRow);
          counterAfter = pickingPass;
        },
        static_cast<int>(iconLeft(col) + CELL / 2), static_cast<int>(iconBottom(row) + CELL / 2));
    return hits.size() == 1 && hits[0].names.size() == 1 ? static_cast<int>(hits[0].names[0]) : -1;
  };
  EXPECT_EQ(pickAt(0, 0, 0), 0);
  EXPECT_EQ(counterAfter, 43) << "one name per drawn icon";
  EXPECT_EQ(pickAt(2, 1, 0), 8);
  EXPECT_EQ(pickAt(5, 6, 0), 41);
  EXPECT_EQ(pickAt(0, 0, 1), 0);
  EXPECT_EQ(pickAt(0, 6, 1), 36);
  EXPECT_EQ(counterAfter, 38);
  EXPECT_EQ(pickAt(1, 6, 1), -1) << "position 43 does not exist";
}

TEST_F(InventoryTest, GridPastTheEndDrawsAndNamesNothing) {
  const Inventory inventory = filled(42);
  for (std::int32_t firstRow : {7, 8, -1}) {
    SCOPED_TRACE(firstRow);
    EXPECT_TRUE(
        captureFeedback([&] { inventory.drawGrid(X, Y, WIDTH, HEIGHT, firstRow); }).empty());
    std::int32_t counterAfter = 0;
    captureSelection(
        [&] {
          inventory.drawGrid(X, Y, WIDTH, HEIGHT, firstRow);
          counterAfter = pickingPass;
        },
        0, 0);
    EXPECT_EQ(counterAfter, 1);
  }
}

} // namespace
