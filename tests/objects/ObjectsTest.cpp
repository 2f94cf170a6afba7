// The world objects against a real GL context: what each kind is made as,
// what it says, how it slides, and how it and its containers draw and pick.

#include "MessageRecorder.h"
#include "ObjectGlTest.h"
#include "ScreenQuads.h"

#include "gfx/Font.h"
#include "gfx/Gl.h"
#include "gfx/Picking.h"
#include "objects/Being.h"

#include <cmath>
#include <tuple>

namespace {

using Lines = std::vector<std::string>;
const Lines START_LINES = {"Experience: 0/1000", "Level: 1",      "Hit points: 20/20",
                           "Magic points: 5/5",  "Strength: 15",  "Intelligence: 15",
                           "Agility: 15",        "Endurance: 15", "Encumbrance: 0/150"};

class ObjectTest : public ObjectGlTest {
protected:
  MessageRecorder said;

  static Item *item(std::int32_t kind) { return ObjectStore::make<Item>(kind); }
  static Being *being(std::int32_t kind) { return ObjectStore::make<Being>(kind); }
  static std::vector<ScreenQuad> quadsDrawnBy(const std::function<void()> &draw) {
    return screenQuadsOf(captureFeedback(draw));
  }
};

// A quad's bounds in whole pixels, the texture coordinates at its lower-left
// and upper-right corners, and whether it winds anticlockwise.
std::vector<float> shapeOf(const ScreenQuad &q) {
  const auto [s0, t0] = q.texCoordAt(q.left, q.bottom);
  const auto [s1, t1] = q.texCoordAt(q.right, q.top);
  const float l = std::round(q.left), b = std::round(q.bottom);
  const float r = std::round(q.right), t = std::round(q.top);
  return {l, b, r, t, s0, t0, s1, t1, float(q.counterClockwise)};
}

// The text shown by count glyph quads from first on, read back from the
// 16 x 8 font cells their upper-left texture coordinates select.
std::string textOf(const std::vector<ScreenQuad> &quads, std::size_t first, std::size_t count) {
  std::string text;
  for (std::size_t i = first; i < first + count && i < quads.size(); ++i) {
    const long column = std::lround(quads[i].corners[3].s * 16);
    const long row = std::lround((1.0f - quads[i].corners[3].t) * 8);
    text += static_cast<char>(FONT_FIRST_CHAR + row * 16 + column);
  }
  return text;
}

TEST_F(ObjectTest, EveryItemKindLoadsItsRowAndAnswersLookAndUse) {
  // Kind, texture, category, damage, look line: its weight is truncated.
  const std::tuple<std::int32_t, int, int, int, std::string> kinds[] = {
      {4, 4, 6, 0, "You see one vase. It weights 1."},
      {5, 3, 0, 0, "You see one helm. It weights 1."},
      {6, 3, 1, 10, "You see one sword. It weights 1."},
      {7, 3, 3, 0, "You see one armor. It weights 1."},
      {8, 3, 4, 0, "You see one pair of boots. It weights 1."},
      {9, 3, 5, 0, "You see one apple. It weights 1."},
      {10, 3, 7, 0, "You see one gold. It weights 0."},
  };
  for (const auto &[kind, texture, category, damage, lookLine] : kinds) {
    Item *made = item(kind);
    EXPECT_EQ(std::tie(texture, category, damage),
              std::make_tuple(made->getTexture(), made->getCategory(), made->getDamage()));
    made->onLook();
    made->onUse();
    EXPECT_EQ(said.take(),
              (Lines{lookLine, kind == 9 ? "You ate one apple." : "This item can't be used."}));
  }
}

TEST_F(ObjectTest, ThePlayerStartsEquippedCarryingNothingAndThePersonEmptyHanded) {
  const Being *person = being(PersonKind), *player = being(PlayerKind);
  EXPECT_EQ(ObjectStore::count(), 7u) << "the player's five items belong to the store too";
  const std::int32_t worn[] = {HelmKind, SwordKind, SwordKind, ArmorKind, BootsKind};
  for (std::int32_t slot = PickHeadSlot; slot <= PickFeetSlot; ++slot) {
    EXPECT_EQ(player->getEquipped(slot)->getKind(), worn[slot - PickHeadSlot]);
    EXPECT_EQ(person->getEquipped(slot), nullptr);
  }
  for (const Being *each : {player, person}) {
    EXPECT_TRUE(each->getActionMode() == None && each->getInventory().isEmpty());
    EXPECT_EQ(formatStatLines(each->getStats(), each->getInventory().getTotalWeight()),
              START_LINES);
  }
}

TEST_F(ObjectTest, ABeingTalksAndReportsEveryHitAndDeathBelowOneHitPointEveryTime) {
  Being *person = being(PersonKind);
  person->onUse();
  EXPECT_EQ(said.take(), Lines{"Talking to someone."});
  // damage, hit points after, whether the death line follows
  const std::tuple<std::int32_t, std::int32_t, bool> hits[] = {
      {0, 20, false}, {10, 10, false}, {10, 0, true}, {10, -10, true}, {0, -10, true}};
  for (const auto &[damage, hitPoints, dead] : hits) {
    person->onHit(damage);
    const std::string line =
        "someone has been hit for " + std::to_string(damage) + " health points.";
    EXPECT_EQ(said.take(), (dead ? Lines{line, "someone is dead!"} : Lines{line}));
    EXPECT_EQ(formatStatLines(person->getStats(), 0.0)[2],
              "Hit points: " + std::to_string(hitPoints) + "/20");
  }
}

TEST_F(ObjectTest, AWalkEndsWhenTheSlideIsClampedOrOneUpdateAfterLandingOnZero) {
  Being *person = being(PersonKind);
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
  // A pushed item slides back by the same rule, having no mode.
  Item *vase = item(VaseKind);
  vase->setOffsetY(1.0f);
  vase->update(100.0f);
  EXPECT_EQ(vase->getOffsetY(), 0.5f);
}

TEST_F(ObjectTest, ThePlayerFollowsTheViewOffsetAndThePersonIsTintedRed) {
  glScalef(100, 100, 0.1f); // 100 pixels per world unit; height h at depth 0.5 - h / 20
  Being *player = being(PlayerKind), *person = being(PersonKind);
  player->setOffsetX(0.75f); // not what the player draws with
  person->setOffsetY(-0.5f);
  viewOffsetX = 0.25f;
  viewOffsetY = -0.5f;
  glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
  // Both over the space at (3, 4): the spaces are drawn shifted by minus the
  // view offset, which the player adds back; the person adds its own.
  const auto figures = quadsDrawnBy([&] { player->draw(2.75f, 4.5f), person->draw(3.0f, 4.5f); });
  ASSERT_EQ(figures.size(), 2u);
  for (const ScreenQuad &figure : figures) {
    EXPECT_EQ(shapeOf(figure), (std::vector<float>{320, 420, 380, 480, 0, 0, 1, 1, 1}));
    EXPECT_NEAR(figure.corners[0].z, 0.5f - 1.5f / 20.0f, 1e-5f);
  }
  const FeedbackVertex &grey = figures[0].corners[0], &red = figures[1].corners[0];
  EXPECT_EQ((std::vector<float>{grey.r, red.r, red.g, red.b}), (std::vector<float>{0.5f, 1, 0, 0}))
      << "the player keeps the current colour, the person is tinted red";
  EXPECT_EQ(currentColour(), (std::vector<float>{1, 1, 1, 1}));
}

TEST_F(ObjectTest, StatLinesAreFifteenPixelsApartWithTheCarriedWeightTruncated) {
  Being *player = being(PlayerKind);
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

TEST_F(ObjectTest, TheGridShowsSevenRowsFromTheFirstRowNamedInDrawingOrder) {
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
  // Name k is the entry at firstRow * 6 + k; none where no icon was hit.
  const int picks[][4] = {{0, 0, 0, 0}, {0, 2, 1, 8}, {0, 5, 6, 41}, {1, 0, 6, 36}, {1, 1, 6, -1}};
  for (const auto &[row0, col, row, name] : picks) {
    firstRow = row0;
    const Names hit = firstHitAt(grid, int(x + col * cell), int(y + height - (row + 1) * cell));
    EXPECT_EQ(hit, name < 0 ? Names{} : Names{std::uint32_t(name)});
  }
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
