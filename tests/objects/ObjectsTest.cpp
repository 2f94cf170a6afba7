// The world objects against a real GL context: what each kind is made as,
// what it says, how it slides, and how a being draws.

#include "MessageRecorder.h"
#include "ObjectGlTest.h"
#include "ScreenQuads.h"

#include "gfx/Gl.h"
#include "gfx/Picking.h"
#include "objects/Being.h"

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
};

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

// Counts the living, to see the store destroy what it made.
struct Counted : WorldObject {
  static inline int alive = 0;
  Counted() { ++alive; }
  ~Counted() override { --alive; }
  void draw(float, float) override {}
};

TEST_F(ObjectTest, ThePlayerStartsEquippedABeingReportsEveryHitAndDeathAndTheStoreFreesThem) {
  Being *person = being(PersonKind), *player = being(PlayerKind);
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
  // Carried weights are cut off, never rounded, on both sides of zero.
  EXPECT_EQ(formatStatLines(player->getStats(), 51.9)[8], "Encumbrance: 51/150");
  EXPECT_EQ(formatStatLines(player->getStats(), -0.9)[8], "Encumbrance: 0/150");
  // Damage, hit points after; below one hit point every hit tells the death.
  const std::pair<std::int32_t, std::int32_t> hits[] = {
      {0, 20}, {10, 10}, {10, 0}, {10, -10}, {0, -10}};
  for (const auto &[damage, hitPoints] : hits) {
    person->onHit(damage);
    const std::string line =
        "someone has been hit for " + std::to_string(damage) + " health points.";
    EXPECT_EQ(said.take(), (hitPoints < 1 ? Lines{line, "someone is dead!"} : Lines{line}));
    EXPECT_EQ(formatStatLines(person->getStats(), 0.0)[2],
              "Hit points: " + std::to_string(hitPoints) + "/20");
  }
  // The store destroys everything it made when cleared.
  ObjectStore::make<Counted>();
  EXPECT_TRUE(ObjectStore::count() == 8 && Counted::alive == 1);
  ObjectStore::clear();
  EXPECT_TRUE(ObjectStore::count() == 0 && Counted::alive == 0);
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
}

TEST_F(ObjectTest, ThePlayerFollowsTheViewOffsetInTheCurrentColour) {
  glScalef(100, 100, 0.1f); // 100 pixels per world unit; height h at depth 0.5 - h / 20
  Being *player = being(PlayerKind);
  player->setOffsetX(0.75f); // not what the player draws with
  viewOffsetX = 0.25f, viewOffsetY = -0.5f;
  glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
  // Over the space at (3, 4): the spaces are drawn shifted by minus the view
  // offset, which the player adds back, showing the whole picture unmirrored.
  const ScreenQuad figure = quadsDrawnBy([&] { player->draw(2.75f, 4.5f); }).at(0);
  EXPECT_EQ(figure.pixelBounds(), (std::array<long, 4>{320, 420, 380, 480}));
  EXPECT_TRUE(figure.showsPicture(false));
  EXPECT_NEAR(figure.corners[0].z, 0.5f - 1.5f / 20.0f, 1e-5f);
  EXPECT_EQ(figure.corners[0].r, 0.5f);
}

} // namespace
