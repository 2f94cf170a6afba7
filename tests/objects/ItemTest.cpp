#include "ObjectTestSupport.h"

#include "gfx/Gl.h"
#include "gfx/Texture.h"
#include "objects/Item.h"
#include "objects/ObjectStore.h"

namespace {

struct KindRow {
  std::int32_t kind;
  std::string name;
  double weight;
  int texture;
  std::int32_t category;
  std::int32_t damage;
  std::string lookLine;
};

const KindRow kindTable[] = {
    {4, "vase", 1.0, 4, 6, 0, "You see one vase. It weights 1."},
    {5, "helm", 1.0, 3, 0, 0, "You see one helm. It weights 1."},
    {6, "sword", 1.0, 3, 1, 10, "You see one sword. It weights 1."},
    {7, "armor", 1.0, 3, 3, 0, "You see one armor. It weights 1."},
    {8, "pair of boots", 1.0, 3, 4, 0, "You see one pair of boots. It weights 1."},
    {9, "apple", 1.0, 3, 5, 0, "You see one apple. It weights 1."},
    {10, "gold", 0.1, 3, 7, 0, "You see one gold. It weights 0."},
};

class ItemTest : public ObjectGlTest {};

TEST_F(ItemTest, EveryKindIsLoadedFromItsRowAtConstruction) {
  for (const KindRow &row : kindTable) {
    SCOPED_TRACE(row.name);
    const Item *item = ObjectStore::make<Item>(row.kind);
    EXPECT_EQ(item->getKind(), row.kind);
    EXPECT_EQ(item->getName(), row.name);
    EXPECT_DOUBLE_EQ(item->getWeight(), row.weight);
    EXPECT_EQ(item->getTexture(), row.texture);
    EXPECT_EQ(item->getCategory(), row.category);
    EXPECT_EQ(item->getDamage(), row.damage);
    EXPECT_TRUE(item->isPortable());
    EXPECT_FALSE(item->isSolid());
    for (int side = 0; side < 4; ++side) {
      EXPECT_FALSE(item->blocksSide(side));
    }
    EXPECT_EQ(item->getOffsetX(), 0.0f);
    EXPECT_EQ(item->getOffsetY(), 0.0f);
  }
}

TEST_F(ItemTest, KindsOutsideTheTableStayBlankAndDrawNothing) {
  Item *stranger = ObjectStore::make<Item>(PlayerKind);
  EXPECT_EQ(stranger->getName(), "");
  EXPECT_FALSE(stranger->isPortable());
  EXPECT_EQ(stranger->getWeight(), 0.0);
  setWorldProjection();
  EXPECT_TRUE(captureFeedback([&] { stranger->draw(2, 2); }).empty());
}

TEST_F(ItemTest, LookingReportsTheWeightTruncated) {
  MessageRecorder recorder;
  for (const KindRow &row : kindTable) {
    ObjectStore::make<Item>(row.kind)->onLook();
  }
  std::vector<std::string> expected;
  for (const KindRow &row : kindTable) {
    expected.push_back(row.lookLine);
  }
  EXPECT_EQ(recorder.messages(), expected);
}

TEST_F(ItemTest, OnlyFoodCanBeUsedAndUsingChangesNothing) {
  MessageRecorder recorder;
  Item *apple = ObjectStore::make<Item>(AppleKind);
  apple->onUse();
  EXPECT_EQ(recorder.messages(), std::vector<std::string>{"You ate one apple."});
  EXPECT_EQ(apple->getName(), "apple");
  EXPECT_DOUBLE_EQ(apple->getWeight(), 1.0);
  EXPECT_EQ(apple->getCategory(), FoodCategory);

  for (std::int32_t kind : {VaseKind, HelmKind, SwordKind, ArmorKind, BootsKind, GoldKind}) {
    recorder.clear();
    ObjectStore::make<Item>(kind)->onUse();
    EXPECT_EQ(recorder.messages(), std::vector<std::string>{"This item can't be used."}) << kind;
  }
}

TEST_F(ItemTest, PushedItemSlidesBackInTwoHundredMillisecondsXFirst) {
  Item *vase = ObjectStore::make<Item>(VaseKind);
  vase->setOffsetX(-1.0f);
  vase->setOffsetY(1.0f);
  for (int frame = 0; frame < 8; ++frame) {
    const float before = vase->getOffsetX();
    vase->update(25.0f);
    EXPECT_GT(vase->getOffsetX(), before);
    EXPECT_LE(vase->getOffsetX(), 0.0f);
    EXPECT_EQ(vase->getOffsetY(), 1.0f) << "y moved while x was still sliding";
  }
  EXPECT_EQ(vase->getOffsetX(), 0.0f);

  // Frames that do not divide the step evenly: the last one is clamped.
  vase->update(30.0f);
  EXPECT_FLOAT_EQ(vase->getOffsetY(), 0.85f);
  for (int frame = 0; frame < 6; ++frame) {
    vase->update(30.0f);
    EXPECT_GE(vase->getOffsetY(), 0.0f);
  }
  EXPECT_EQ(vase->getOffsetY(), 0.0f);
  EXPECT_EQ(vase->getOffsetX(), 0.0f);
}

TEST_F(ItemTest, ItemsAtRestOrWithoutElapsedTimeStayPut) {
  Item *helm = ObjectStore::make<Item>(HelmKind);
  helm->update(16.0f);
  EXPECT_EQ(helm->getOffsetX(), 0.0f);
  EXPECT_EQ(helm->getOffsetY(), 0.0f);

  helm->setOffsetX(0.5f);
  helm->setOffsetY(-0.5f);
  helm->update(0.0f);
  EXPECT_EQ(helm->getOffsetX(), 0.5f);
  EXPECT_EQ(helm->getOffsetY(), -0.5f);
}

TEST_F(ItemTest, DrawsOneLitQuadOverTheInnerSpaceAtItsOffset) {
  setWorldProjection();
  Item *vase = ObjectStore::make<Item>(VaseKind);
  vase->setOffsetX(-0.5f);
  const auto quads = quadsOf(captureFeedback([&] { vase->draw(3.0f, 4.0f); }));
  ASSERT_EQ(quads.size(), 1u);
  const float x = 2.5f; // the space's corner plus the offset
  const float y = 4.0f;
  const float p = PIXELS_PER_UNIT;
  const float corners[4][4] = {{(x + 0.2f) * p, (y + 0.2f) * p, 1, 0},
                               {(x + 0.8f) * p, (y + 0.2f) * p, 0, 0},
                               {(x + 0.8f) * p, (y + 0.8f) * p, 0, 1},
                               {(x + 0.2f) * p, (y + 0.8f) * p, 1, 1}};
  expectCorners(quads[0], corners, 1e-3f);
  EXPECT_EQ(boundTextureEntry(), VaseTexture);

  // The normal of each corner is its own position: the last one remains.
  GLfloat normal[3];
  glGetFloatv(GL_CURRENT_NORMAL, normal);
  EXPECT_FLOAT_EQ(normal[0], x + 0.2f);
  EXPECT_FLOAT_EQ(normal[1], y + 0.8f);
  EXPECT_FLOAT_EQ(normal[2], 1.1f);

  // Height 1.1 maps to depth 0.5 - 1.1 / 20 in this projection.
  for (const FeedbackVertex &corner : quads[0].corners) {
    EXPECT_NEAR(corner.z, 0.5f - 1.1f / 20.0f, 1e-5f);
  }

  ObjectStore::make<Item>(SwordKind)->draw(0, 0);
  EXPECT_EQ(boundTextureEntry(), CokeTexture);
}

TEST_F(ItemTest, IconIsMirroredWithTruncatedCorners) {
  const Item *sword = ObjectStore::make<Item>(SwordKind);
  const auto quads = quadsOf(captureFeedback([&] { sword->drawIcon(10.7f, 20.2f, 50.9f); }));
  ASSERT_EQ(quads.size(), 1u);
  const float corners[4][4] = {{10, 20, 1, 0}, {61, 20, 0, 0}, {61, 71, 0, 1}, {10, 71, 1, 1}};
  expectCorners(quads[0], corners);
  EXPECT_EQ(boundTextureEntry(), CokeTexture);
}

} // namespace
