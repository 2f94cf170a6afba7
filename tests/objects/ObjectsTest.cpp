// The world objects against a real GL context: what each kind is made as,
// what it says, how it slides, and how it and its containers draw and pick.

#include "MessageRecorder.h"
#include "ObjectGlTest.h"
#include "ScreenQuads.h"

#include "gfx/Font.h"
#include "gfx/Gl.h"
#include "gfx/Picking.h"
#include "objects/Being.h"
#include "objects/ObjectStore.h"
#include "world/View.h"

#include <cmath>
#include <tuple>

namespace {

class ObjectTest : public ObjectGlTest {
protected:
  static Item *item(std::int32_t kind) { return ObjectStore::make<Item>(kind); }
  static std::vector<ScreenQuad> quadsDrawnBy(const std::function<void()> &draw) {
    return screenQuadsOf(captureFeedback(draw));
  }
};
class ItemTest : public ObjectTest {};
class BeingTest : public ObjectTest {};
class InventoryTest : public ObjectTest {};

// A quad's bounds in whole pixels, the texture coordinates at its lower-left
// and upper-right corners, and whether it winds anticlockwise.
std::vector<float> shapeOf(const ScreenQuad &q) {
  const auto [s0, t0] = q.texCoordAt(q.left, q.bottom);
  const auto [s1, t1] = q.texCoordAt(q.right, q.top);
  const auto px = [](float v) { return std::round(v); };
  const float winding = q.counterClockwise ? 1.0f : 0.0f;
  return {px(q.left), px(q.bottom), px(q.right), px(q.top), s0, t0, s1, t1, winding};
}

// The text shown by count glyph quads from first on, read back from the
// 16 x 8 font cells their upper-left texture coordinates select.
std::string textOf(const std::vector<ScreenQuad> &quads, std::size_t first, std::size_t count) {
  std::string text;
  for (std::size_t i = first; i < first + count && i < quads.size(); ++i) {
    const int column = static_cast<int>(std::lround(quads[i].corners[3].s * 16));
    const int row = static_cast<int>(std::lround((1.0f - quads[i].corners[3].t) * 8));
    text += static_cast<char>(FONT_FIRST_CHAR + row * 16 + column);
  }
  return text;
}

using Lines = std::vector<std::string>;
const Lines START_LINES = {"Experience: 0/1000", "Level: 1",      "Hit points: 20/20",
                           "Magic points: 5/5",  "Strength: 15",  "Intelligence: 15",
                           "Agility: 15",        "Endurance: 15", "Encumbrance: 0/150"};

TEST_F(ItemTest, EveryKindLoadsItsRowAndAnswersLookAndUse) {
  // The weight in the look line is truncated: gold's 0.1 reads 0.
  const std::tuple<std::int32_t, std::string, double, int, int, int, std::string> kinds[] = {
      {4, "vase", 1.0, 4, 6, 0, "You see one vase. It weights 1."},
      {5, "helm", 1.0, 3, 0, 0, "You see one helm. It weights 1."},
      {6, "sword", 1.0, 3, 1, 10, "You see one sword. It weights 1."},
      {7, "armor", 1.0, 3, 3, 0, "You see one armor. It weights 1."},
      {8, "pair of boots", 1.0, 3, 4, 0, "You see one pair of boots. It weights 1."},
      {9, "apple", 1.0, 3, 5, 0, "You see one apple. It weights 1."},
      {10, "gold", 0.1, 3, 7, 0, "You see one gold. It weights 0."},
  };
  MessageRecorder recorder;
  for (const auto &[kind, name, weight, texture, category, damage, lookLine] : kinds) {
    Item *made = item(kind);
    EXPECT_EQ(std::tie(name, weight, texture, category, damage),
              std::make_tuple(made->getName(), made->getWeight(), made->getTexture(),
                              made->getCategory(), made->getDamage()));
    EXPECT_TRUE(made->isPortable() && !made->isSolid() && !made->blocksSide(0) &&
                !made->blocksSide(1) && !made->blocksSide(2) && !made->blocksSide(3));
    made->onLook();
    made->onUse();
    const std::string useLine = kind == 9 ? "You ate one apple." : "This item can't be used.";
    EXPECT_EQ(recorder.take(), (Lines{lookLine, useLine}));
  }
}

TEST_F(ItemTest, PushedItemSlidesBackXBeforeYAndNeverPastItsSpace) {
  Item *vase = item(VaseKind);
  vase->setOffsetX(-1.0f);
  vase->setOffsetY(1.0f);
  // x comes to rest after 8 x 25 = 200 ms; then y, in frames that overshoot.
  for (int frame = 0; frame < 15; ++frame) {
    vase->update(frame < 8 ? 25.0f : 30.0f);
    EXPECT_TRUE(vase->getOffsetX() <= 0.0f && vase->getOffsetY() >= 0.0f) << frame;
    EXPECT_EQ(vase->getOffsetX() == 0.0f, frame >= 7) << frame;
    EXPECT_EQ(vase->getOffsetY() == 1.0f, frame < 8) << frame << ": y waits for x";
  }
  vase->update(16.0f);
  EXPECT_TRUE(vase->getOffsetX() == 0.0f && vase->getOffsetY() == 0.0f) << "at rest it stays";
}

TEST_F(BeingTest, PlayerStartsEquippedCarryingNothingAndThePersonEmptyHanded) {
  const Being *person = ObjectStore::make<Being>(PersonKind);
  const Being *player = ObjectStore::make<Being>(PlayerKind);
  EXPECT_EQ(ObjectStore::count(), 7u) << "the player's five items belong to the store too";
  const std::int32_t playerKinds[] = {HelmKind, SwordKind, SwordKind, ArmorKind, BootsKind};
  for (const Being *being : {player, person}) {
    SCOPED_TRACE(being->getName());
    EXPECT_TRUE(being->isSolid() && being->blocksSide(0) && being->blocksSide(1) &&
                being->blocksSide(2) && being->blocksSide(3));
    EXPECT_TRUE(being->getActionMode() == None && being->getInventory().isEmpty());
    EXPECT_EQ(formatStatLines(being->getStats(), being->getInventory().getTotalWeight()),
              START_LINES);
    for (std::int32_t slot = PickHeadSlot; slot <= PickFeetSlot; ++slot) {
      const Item *worn = being->getEquipped(slot);
      EXPECT_EQ(worn ? worn->getKind() : 0, being == player ? playerKinds[slot - PickHeadSlot] : 0);
    }
  }
}

TEST_F(BeingTest, TalksAndReportsEveryHitAndDeathBelowOneHitPointEveryTime) {
  MessageRecorder recorder;
  Being *person = ObjectStore::make<Being>(PersonKind);
  person->onUse();
  EXPECT_EQ(recorder.take(), Lines{"Talking to someone."});
  // damage, hit points after, whether the death line follows
  const std::tuple<std::int32_t, std::int32_t, bool> hits[] = {
      {0, 20, false}, {10, 10, false}, {10, 0, true}, {10, -10, true}, {0, -10, true}};
  for (const auto &[damage, hitPoints, dead] : hits) {
    person->onHit(damage);
    const std::string line =
        "someone has been hit for " + std::to_string(damage) + " health points.";
    EXPECT_EQ(recorder.take(), (dead ? Lines{line, "someone is dead!"} : Lines{line}));
    EXPECT_EQ(person->getStats().hitPoints, hitPoints);
  }
  EXPECT_EQ(formatStatLines(person->getStats(), 0.0)[2], "Hit points: -10/20");
}

TEST_F(BeingTest, WalkEndsWhenTheSlideIsClampedOrOneUpdateAfterLandingOnZero) {
  Being *person = ObjectStore::make<Being>(PersonKind);
  using State = std::tuple<float, float, ActionMode>; // offset x, offset y, mode
  // Before and after one update of 100 ms.
  const State steps[][2] = {
      {{-1.0f, 0.0f, Walking}, {-0.5f, 0.0f, Walking}},
      {{-0.25f, 0.0f, Walking}, {0.0f, 0.0f, None}},  // clamped
      {{0.5f, 1.0f, Walking}, {0.0f, 1.0f, Walking}}, // x first, y waits
      {{0.5f, 0.0f, Walking}, {0.0f, 0.0f, Walking}}, // landing on 0 is not clamping
      {{0.0f, 0.0f, Walking}, {0.0f, 0.0f, None}},    // the extra update ends the walk
      {{0.5f, -0.5f, Look}, {0.5f, -0.5f, Look}}};    // only walking beings slide
  for (const auto &[before, after] : steps) {
    person->setOffsetX(std::get<0>(before));
    person->setOffsetY(std::get<1>(before));
    person->setAction(std::get<2>(before));
    person->update(100.0f);
    EXPECT_EQ(State(person->getOffsetX(), person->getOffsetY(), person->getActionMode()), after);
  }
}

TEST_F(BeingTest, PlayerFollowsTheViewOffsetAndThePersonIsTintedRed) {
  glScalef(100, 100, 0.1f); // 100 pixels per world unit; height h at depth 0.5 - h / 20
  Being *player = ObjectStore::make<Being>(PlayerKind);
  Being *person = ObjectStore::make<Being>(PersonKind);
  player->setOffsetX(0.75f); // not what the player draws with
  person->setOffsetY(-0.5f);
  viewOffsetX = 0.25f;
  viewOffsetY = -0.5f;
  glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
  // Both over the space at (3, 4): the spaces are drawn shifted by minus the
  // view offset, which the player adds back; the person adds its own.
  const auto figures = quadsDrawnBy([&] {
    player->draw(3.0f - 0.25f, 4.0f + 0.5f);
    person->draw(3.0f, 4.5f);
  });
  ASSERT_EQ(figures.size(), 2u);
  for (const ScreenQuad &figure : figures) {
    EXPECT_EQ(shapeOf(figure), (std::vector<float>{320, 420, 380, 480, 0, 0, 1, 1, 1}));
    EXPECT_NEAR(figure.corners[0].z, 0.5f - 1.5f / 20.0f, 1e-5f);
  }
  EXPECT_EQ(figures[0].corners[0].r, 0.5f) << "the player keeps the current colour";
  const FeedbackVertex &red = figures[1].corners[0];
  EXPECT_TRUE(red.r == 1.0f && red.g == 0.0f && red.b == 0.0f) << "the person is tinted red";
  EXPECT_EQ(currentColour(), (std::vector<float>{1, 1, 1, 1}));
}

TEST_F(BeingTest, FaceIsTheNameAboveAMirroredPortraitPickedAsPortrait) {
  const Being *player = ObjectStore::make<Being>(PlayerKind);
  const auto draw = [&] { player->drawFace(10.5f, 20.7f, 64.9f, 40.3f); };
  const auto quads = quadsDrawnBy(draw);
  ASSERT_EQ(quads.size(), 7u);
  EXPECT_EQ(textOf(quads, 0, 6), "Player");
  EXPECT_TRUE(quads[0].left == 10.0f && quads[0].bottom == 85.0f);
  EXPECT_EQ(shapeOf(quads[6]), (std::vector<float>{10, 20, 75, 61, 1, 0, 0, 1, 1}));
  const auto hits = captureSelection(draw, 40, 50);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].names, std::vector<std::uint32_t>{PickPortrait});
}

TEST_F(BeingTest, StatLinesAreFifteenPixelsApartWithTheCarriedWeightTruncated) {
  Being *player = ObjectStore::make<Being>(PlayerKind);
  for (int i = 0; i < 51; ++i) {
    player->getInventory().add(item(i < 50 ? VaseKind : AppleKind));
  }
  Lines lines = START_LINES;
  lines.back() = "Encumbrance: 51/150";
  const auto quads = quadsDrawnBy([&] { player->drawStat(100.7f, 300.0f, 512.0f); });
  std::size_t first = 0;
  for (std::size_t k = 0; k < lines.size(); first += lines[k++].size()) {
    ASSERT_LT(first, quads.size());
    EXPECT_EQ(textOf(quads, first, lines[k].size()), lines[k]);
    EXPECT_TRUE(quads[first].left == 100.0f && quads[first].bottom == 270.0f - 15.0f * k) << k;
  }
  EXPECT_EQ(first, quads.size()) << "the nine lines and nothing else";
  // Fractions are cut off, never rounded, on both sides of zero.
  EXPECT_EQ(formatStatLines(player->getStats(), 51.9)[8], "Encumbrance: 51/150");
  EXPECT_EQ(formatStatLines(player->getStats(), -0.9)[8], "Encumbrance: 0/150");
}

TEST_F(InventoryTest, KeepsInsertionOrderAndARunningWeight) {
  Inventory inventory;
  inventory.addWeight(-1.0);
  EXPECT_TRUE(inventory.isEmpty() && inventory.getTotalWeight() == -1.0);
  Item *items[] = {item(VaseKind), item(GoldKind), item(AppleKind)};
  for (Item *each : items) {
    inventory.add(each);
  }
  EXPECT_TRUE(inventory.size() == 3 && inventory.at(0) == items[0] && inventory.at(2) == items[2]);
  EXPECT_DOUBLE_EQ(inventory.getTotalWeight(), 1.1) << "a running value, never recomputed";
  EXPECT_EQ(inventory.removeAt(1), items[1]);
  EXPECT_TRUE(inventory.size() == 2 && inventory.at(0) == items[0] && inventory.at(1) == items[2]);
  EXPECT_DOUBLE_EQ(inventory.getTotalWeight(), 1.0);
}

TEST_F(InventoryTest, GridShowsSevenRowsFromTheFirstRowNamedInDrawingOrder) {
  Inventory inventory;
  for (int i = 0; i < 43; ++i) {
    inventory.add(item(i % 2 == 0 ? VaseKind : SwordKind));
  }
  // The right half of the window; icons centred on x + col * cell.
  const float x = 512, y = 0, width = 512, height = 768, cell = width / 6;
  std::int32_t firstRow = 0;
  const auto grid = [&] { inventory.drawGrid(x, y, width, height, firstRow); };
  EXPECT_EQ(quadsDrawnBy(grid).size(), 42u);
  firstRow = 1;
  const auto quads = quadsDrawnBy(grid);
  ASSERT_EQ(quads.size(), 37u);
  EXPECT_EQ(shapeOf(quads[36])[4], 1.0f) << "icons are mirrored";
  // Name k is the entry at firstRow * 6 + k; -1 where no icon was hit.
  const int picks[][4] = {{0, 0, 0, 0}, {0, 2, 1, 8}, {0, 5, 6, 41}, {1, 0, 6, 36}, {1, 1, 6, -1}};
  for (const auto &[row0, col, row, name] : picks) {
    firstRow = row0;
    const auto hits = captureSelection(grid, static_cast<int>(x + col * cell),
                                       static_cast<int>(y + height - (row + 1) * cell));
    EXPECT_EQ(hits.empty() ? -1 : static_cast<int>(hits[0].names.at(0)), name);
  }
  // From the end of the list on nothing is drawn and no name is used.
  inventory.removeAt(42);
  for (firstRow = -1; firstRow <= 7; firstRow += 8) {
    pickingPass = 1;
    EXPECT_TRUE(quadsDrawnBy(grid).empty());
    EXPECT_EQ(pickingPass, 1);
  }
}

TEST(EquipmentTest, SlotsAreAddressedByTheirPickNamesOnly) {
  Equipment equipment;
  Item *sword = ObjectStore::make<Item>(SwordKind);
  EXPECT_EQ(equipment.take(PickLeftHandSlot), nullptr);
  equipment.set(sword, PickLeftHandSlot);
  for (std::int32_t outside : {9003, 9009, 0, 4}) {
    EXPECT_TRUE(equipment.take(outside) == nullptr && !equipment.isWearing(outside)) << outside;
    equipment.set(sword, outside);
  }
  for (std::int32_t slot = PickHeadSlot; slot <= PickFeetSlot; ++slot) {
    EXPECT_EQ(equipment.get(slot), slot == PickLeftHandSlot ? sword : nullptr) << slot;
    EXPECT_EQ(equipment.isWearing(slot), slot == PickLeftHandSlot) << slot;
  }
  EXPECT_EQ(equipment.take(PickLeftHandSlot), sword);
  EXPECT_FALSE(equipment.isWearing(PickLeftHandSlot));
}

// Counts the living, to see the store destroy what it made.
struct Counted : WorldObject {
  static inline int alive = 0;
  Counted() { ++alive; }
  ~Counted() override { --alive; }
  void draw(float, float) override {}
};

TEST(ObjectStoreTest, ClearDestroysEverythingItMade) {
  ObjectStore::clear();
  ObjectStore::make<Counted>();
  ObjectStore::make<Counted>();
  EXPECT_TRUE(ObjectStore::count() == 2 && Counted::alive == 2);
  ObjectStore::clear();
  EXPECT_TRUE(ObjectStore::count() == 0 && Counted::alive == 0);
}

} // namespace
