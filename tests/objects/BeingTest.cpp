#include "ObjectTestSupport.h"

#include "gfx/Font.h"
#include "gfx/Gl.h"
#include "gfx/Picking.h"
#include "gfx/Texture.h"
#include "objects/Being.h"
#include "objects/ObjectStore.h"
#include "world/View.h"

namespace {

class BeingTest : public ObjectGlTest {
protected:
  void TearDown() override {
    viewOffsetX = 0.0f;
    viewOffsetY = 0.0f;
    ObjectGlTest::TearDown();
  }

  // The corners of a figure drawn over the space at (x, y), in pixels.
  static void expectFigureAt(const FeedbackQuad &quad, float x, float y) {
    const float p = PIXELS_PER_UNIT;
    const float corners[4][4] = {{(x + 0.8f) * p, (y + 0.8f) * p, 1, 1},
                                 {(x + 0.2f) * p, (y + 0.8f) * p, 0, 1},
                                 {(x + 0.2f) * p, (y + 0.2f) * p, 0, 0},
                                 {(x + 0.8f) * p, (y + 0.2f) * p, 1, 0}};
    expectCorners(quad, corners, 1e-3f);
    // Height 1.5 maps to depth 0.5 - 1.5 / 20 in this projection.
    for (const FeedbackVertex &corner : quad.corners) {
      EXPECT_NEAR(corner.z, 0.5f - 1.5f / 20.0f, 1e-5f);
    }
  }
};

void expectStartStats(const Stats &stats) {
  EXPECT_EQ(stats.intelligence, 15);
  EXPECT_EQ(stats.strength, 15);
  EXPECT_EQ(stats.endurance, 15);
  EXPECT_EQ(stats.agility, 15);
  EXPECT_EQ(stats.hitPoints, 20);
  EXPECT_EQ(stats.maxHitPoints, 20);
  EXPECT_EQ(stats.magicPoints, 5);
  EXPECT_EQ(stats.maxMagicPoints, 5);
  EXPECT_EQ(stats.experience, 0);
  EXPECT_EQ(stats.level, 1);
  EXPECT_EQ(stats.maxEncumbrance, 150.0);
}

void expectBlocksEverything(const Being &being) {
  for (int side = 0; side < 4; ++side) {
    EXPECT_TRUE(being.blocksSide(side));
  }
  EXPECT_TRUE(being.isSolid());
  EXPECT_FALSE(being.blocksSide(4)) << "there is no fifth side";
  EXPECT_FALSE(being.blocksSide(-1));
}

TEST_F(BeingTest, PlayerStartsEquippedButCarryingNothing) {
  const Being *player = ObjectStore::make<Being>(PlayerKind);
  EXPECT_EQ(ObjectStore::count(), 6u) << "the player and its five items";
  EXPECT_EQ(player->getName(), "Player");
  EXPECT_EQ(player->getKind(), PlayerKind);
  expectBlocksEverything(*player);
  EXPECT_EQ(player->getOffsetX(), 0.0f);
  EXPECT_EQ(player->getOffsetY(), 0.0f);
  EXPECT_EQ(player->getActionMode(), None);
  expectStartStats(player->getStats());
  EXPECT_TRUE(player->getInventory().isEmpty());
  EXPECT_EQ(player->getInventory().getTotalWeight(), 0.0);

  const std::pair<std::int32_t, std::int32_t> slots[] = {{PickHeadSlot, HelmKind},
                                                         {PickLeftHandSlot, SwordKind},
                                                         {PickRightHandSlot, SwordKind},
                                                         {PickBodySlot, ArmorKind},
                                                         {PickFeetSlot, BootsKind}};
  for (const auto &[slot, kind] : slots) {
    ASSERT_NE(player->getEquipped(slot), nullptr) << slot;
    EXPECT_EQ(player->getEquipped(slot)->getKind(), kind) << slot;
    EXPECT_TRUE(player->getEquipment().isWearing(slot));
  }
  EXPECT_NE(player->getEquipped(PickLeftHandSlot), player->getEquipped(PickRightHandSlot));
  EXPECT_EQ(player->getEquipped(PickLeftHandSlot)->getDamage(), 10);
  EXPECT_EQ(player->getEquipped(PickPortrait), nullptr);
}

TEST_F(BeingTest, PersonStartsWithEmptySlots) {
  const Being *person = ObjectStore::make<Being>(PersonKind);
  EXPECT_EQ(ObjectStore::count(), 1u);
  EXPECT_EQ(person->getName(), "someone");
  EXPECT_EQ(person->getKind(), PersonKind);
  expectBlocksEverything(*person);
  expectStartStats(person->getStats());
  for (std::int32_t slot = PickHeadSlot; slot <= PickFeetSlot; ++slot) {
    EXPECT_FALSE(person->getEquipment().isWearing(slot)) << slot;
  }
  EXPECT_TRUE(person->getInventory().isEmpty());
}

TEST_F(BeingTest, LookingAndTalking) {
  MessageRecorder recorder;
  Being *person = ObjectStore::make<Being>(PersonKind);
  person->onLook();
  person->onUse();
  EXPECT_EQ(recorder.messages(),
            (std::vector<std::string>{"You see someone.", "Talking to someone."}));
}

TEST_F(BeingTest, HitsLowerHitPointsAndReportDeathBelowOneEveryTime) {
  MessageRecorder recorder;
  Being *person = ObjectStore::make<Being>(PersonKind);
  const std::string hitLine = "someone has been hit for 10 health points.";
  person->onHit(10);
  EXPECT_EQ(person->getStats().hitPoints, 10);
  EXPECT_EQ(recorder.messages(), std::vector<std::string>{hitLine});

  recorder.clear();
  person->onHit(10);
  EXPECT_EQ(person->getStats().hitPoints, 0);
  EXPECT_EQ(recorder.messages(), (std::vector<std::string>{hitLine, "someone is dead!"}));

  recorder.clear();
  person->onHit(10);
  EXPECT_EQ(person->getStats().hitPoints, -10);
  EXPECT_EQ(recorder.messages(), (std::vector<std::string>{hitLine, "someone is dead!"}));
  EXPECT_EQ(formatStatLines(person->getStats(), 0.0)[2], "Hit points: -10/20");
}

TEST_F(BeingTest, HitOfZeroReportsDeathOnlyForTheDead) {
  MessageRecorder recorder;
  Being *player = ObjectStore::make<Being>(PlayerKind);
  player->onHit(0);
  EXPECT_EQ(player->getStats().hitPoints, 20);
  EXPECT_EQ(recorder.messages(),
            std::vector<std::string>{"Player has been hit for 0 health points."});

  player->onHit(20);
  recorder.clear();
  player->onHit(0);
  EXPECT_EQ(
      recorder.messages(),
      (std::vector<std::string>{"Player has been hit for 0 health points.", "Player is dead!"}));
}

TEST_F(BeingTest, WalkEndsWhenTheSlideIsClamped) {
  Being *person = ObjectStore::make<Being>(PersonKind);
  person->setAction(Walking);
  person->setOffsetX(-1.0f);
  person->update(150.0f);
  EXPECT_FLOAT_EQ(person->getOffsetX(), -0.25f);
  EXPECT_EQ(person->getActionMode(), Walking);
  person->update(150.0f);
  EXPECT_EQ(person->getOffsetX(), 0.0f);
  EXPECT_EQ(person->getActionMode(), None);

  person->setAction(Walking);
  person->setOffsetY(1.0f);
  person->update(250.0f);
  EXPECT_EQ(person->getOffsetY(), 0.0f);
  EXPECT_EQ(person->getActionMode(), None);
}

TEST_F(BeingTest, OffsetLandingExactlyOnZeroNeedsOneMoreUpdate) {
  Being *player = ObjectStore::make<Being>(PlayerKind);
  player->setAction(Walking);
  player->setOffsetX(1.0f);
  player->update(100.0f);
  player->update(100.0f);
  EXPECT_EQ(player->getOffsetX(), 0.0f);
  EXPECT_EQ(player->getActionMode(), Walking);
  player->update(100.0f);
  EXPECT_EQ(player->getOffsetX(), 0.0f);
  EXPECT_EQ(player->getOffsetY(), 0.0f);
  EXPECT_EQ(player->getActionMode(), None);
}

TEST_F(BeingTest, BeingThatIsNotWalkingKeepsItsOffset) {
  Being *person = ObjectStore::make<Being>(PersonKind);
  person->setOffsetX(0.5f);
  person->setOffsetY(-0.25f);
  for (ActionMode mode : {None, Look, Attack}) {
    person->setAction(mode);
    person->update(100.0f);
    EXPECT_EQ(person->getOffsetX(), 0.5f) << mode;
    EXPECT_EQ(person->getOffsetY(), -0.25f) << mode;
    EXPECT_EQ(person->getActionMode(), mode);
  }
}

TEST_F(BeingTest, PlayerFigureFollowsTheViewOffsetSoItStaysCentred) {
  setWorldProjection();
  Being *player = ObjectStore::make<Being>(PlayerKind);
  player->setOffsetX(0.75f); // its own offset is not what it draws with
  viewOffsetX = 0.25f;
  viewOffsetY = -0.5f;
  glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
  // The space is drawn shifted by minus the view offset.
  const auto quads = quadsOf(captureFeedback([&] { player->draw(3.0f - 0.25f, 4.0f + 0.5f); }));
  ASSERT_EQ(quads.size(), 1u);
  expectFigureAt(quads[0], 3.0f, 4.0f);
  EXPECT_EQ(boundTextureEntry(), BlueFaceTexture);
  EXPECT_EQ(currentColour(), (std::vector<float>{0.5f, 0.5f, 0.5f, 1.0f}));
}

TEST_F(BeingTest, PersonIsTintedRedAndDrawnAtItsOwnOffset) {
  setWorldProjection();
  Being *person = ObjectStore::make<Being>(PersonKind);
  person->setOffsetY(-0.5f);
  viewOffsetX = 0.25f;
  const auto quads = quadsOf(captureFeedback([&] { person->draw(3.0f, 4.0f); }));
  ASSERT_EQ(quads.size(), 1u);
  expectFigureAt(quads[0], 3.0f, 3.5f);
  for (const FeedbackVertex &corner : quads[0].corners) {
    EXPECT_EQ(corner.r, 1.0f);
    EXPECT_EQ(corner.g, 0.0f);
    EXPECT_EQ(corner.b, 0.0f);
  }
  EXPECT_EQ(currentColour(), (std::vector<float>{1, 1, 1, 1}));
  EXPECT_EQ(boundTextureEntry(), BlueFaceTexture);
}

TEST_F(BeingTest, FaceShowsTheNameAboveAMirroredPortraitPickedAsPortrait) {
  buildFontLists();
  const Being *player = ObjectStore::make<Being>(PlayerKind);
  const auto quads =
      quadsOf(captureFeedback([&] { player->drawFace(10.5f, 20.7f, 64.9f, 64.9f); }));
  ASSERT_EQ(quads.size(), 7u);
  const std::vector<FeedbackQuad> glyphs(quads.begin(), quads.begin() + 6);
  EXPECT_EQ(textOf(glyphs), "Player");
  EXPECT_EQ(glyphs[0].corners[0].x, 10.0f);
  EXPECT_EQ(glyphs[0].corners[0].y, 85.0f);

  const float corners[4][4] = {{10, 20, 1, 0}, {75, 20, 0, 0}, {75, 85, 0, 1}, {10, 85, 1, 1}};
  expectCorners(quads[6], corners);
  EXPECT_EQ(boundTextureEntry(), BlueFaceTexture);

  const auto hits = captureSelection([&] { player->drawFace(10.5f, 20.7f, 64.9f, 64.9f); }, 40, 50);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].names, std::vector<std::uint32_t>{PickPortrait});
  deleteFontLists();
}

TEST_F(BeingTest, StatLinesOfANewPlayerAndAfterTheStartingPack) {
  Being *player = ObjectStore::make<Being>(PlayerKind);
  const std::vector<std::string> expected = {
      "Experience: 0/1000", "Level: 1",    "Hit points: 20/20", "Magic points: 5/5", "Strength: 15",
      "Intelligence: 15",   "Agility: 15", "Endurance: 15",     "Encumbrance: 0/150"};
  EXPECT_EQ(formatStatLines(player->getStats(), player->getInventory().getTotalWeight()), expected);

  for (int i = 0; i < 50; ++i) {
    player->getInventory().add(ObjectStore::make<Item>(VaseKind));
  }
  player->getInventory().add(ObjectStore::make<Item>(AppleKind));
  EXPECT_EQ(formatStatLines(player->getStats(), player->getInventory().getTotalWeight())[8],
            "Encumbrance: 51/150");

  // Fractions are cut off, never rounded, on both sides of zero.
  EXPECT_EQ(formatStatLines(player->getStats(), 51.9)[8], "Encumbrance: 51/150");
  EXPECT_EQ(formatStatLines(player->getStats(), -0.9)[8], "Encumbrance: 0/150");
}

TEST_F(BeingTest, DrawStatPrintsTheNineLinesFifteenPixelsApart) {
  buildFontLists();
  Being *player = ObjectStore::make<Being>(PlayerKind);
  player->getInventory().add(ObjectStore::make<Item>(GoldKind));
  player->getInventory().addWeight(2.0);
  const std::vector<std::string> lines =
      formatStatLines(player->getStats(), player->getInventory().getTotalWeight());
  ASSERT_EQ(lines.back(), "Encumbrance: 2/150");

  const auto quads = quadsOf(captureFeedback([&] { player->drawStat(100.7f, 300.0f, 512.0f); }));
  std::size_t first = 0;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    SCOPED_TRACE(lines[k]);
    ASSERT_LE(first + lines[k].size(), quads.size());
    const std::vector<FeedbackQuad> glyphs(quads.begin() + first,
                                           quads.begin() + first + lines[k].size());
    EXPECT_EQ(textOf(glyphs), lines[k]);
    EXPECT_EQ(glyphs[0].corners[0].x, 100.0f);
    EXPECT_EQ(glyphs[0].corners[0].y, 300.0f - 15.0f * (k + 2));
    first += lines[k].size();
  }
  EXPECT_EQ(first, quads.size()) << "nothing but the nine lines is drawn";
  deleteFontLists();
}

} // namespace
