#include "ObjectTestSupport.h"

#include "gfx/Picking.h"
#include "gfx/Texture.h"
#include "objects/Equipment.h"
#include "objects/ObjectStore.h"

#include <cmath>

namespace {

class EquipmentTest : public ObjectGlTest {};

TEST_F(EquipmentTest, SlotsAreAddressedByTheirPickNamesOnly) {
  Equipment equipment;
  Item *sword = ObjectStore::make<Item>(SwordKind);
  EXPECT_FALSE(equipment.isWearing(PickLeftHandSlot));
  EXPECT_EQ(equipment.take(PickLeftHandSlot), nullptr);

  equipment.set(sword, PickLeftHandSlot);
  EXPECT_TRUE(equipment.isWearing(PickLeftHandSlot));
  EXPECT_EQ(equipment.get(PickLeftHandSlot), sword);
  EXPECT_FALSE(equipment.isWearing(PickRightHandSlot));

  for (std::int32_t outside : {9003, 9009, 0, 4}) {
    SCOPED_TRACE(outside);
    EXPECT_EQ(equipment.get(outside), nullptr);
    EXPECT_FALSE(equipment.isWearing(outside));
    EXPECT_EQ(equipment.take(outside), nullptr);
    equipment.set(sword, outside);
  }
  for (std::int32_t slot = PickHeadSlot; slot <= PickFeetSlot; ++slot) {
    EXPECT_EQ(equipment.isWearing(slot), slot == PickLeftHandSlot) << slot;
  }

  EXPECT_EQ(equipment.take(PickLeftHandSlot), sword);
  EXPECT_FALSE(equipment.isWearing(PickLeftHandSlot));
  EXPECT_EQ(equipment.take(PickLeftHandSlot), nullptr);
}

TEST_F(EquipmentTest, FiveItemConstructorFillsTheSlotsInOrder) {
  Item *items[5];
  for (Item *&item : items) {
    item = ObjectStore::make<Item>(VaseKind);
  }
  const Equipment equipment(items[0], items[1], items[2], items[3], items[4]);
  EXPECT_EQ(equipment.get(PickHeadSlot), items[0]);
  EXPECT_EQ(equipment.get(PickLeftHandSlot), items[1]);
  EXPECT_EQ(equipment.get(PickRightHandSlot), items[2]);
  EXPECT_EQ(equipment.get(PickBodySlot), items[3]);
  EXPECT_EQ(equipment.get(PickFeetSlot), items[4]);
}

TEST_F(EquipmentTest, EmptySlotIsTheMirroredSlotPicture) {
  const auto quads = quadsOf(captureFeedback([] { Equipment::drawEmptySlot(5.9f, 7.5f, 40.4f); }));
  ASSERT_EQ(quads.size(), 1u);
  const float corners[4][4] = {{5, 7, 1, 0}, {46, 7, 0, 0}, {46, 47, 0, 1}, {5, 47, 1, 1}};
  expectCorners(quads[0], corners);
  EXPECT_EQ(boundTextureEntry(), EquipmentSlotTexture);
}

TEST_F(EquipmentTest, FigurePlacesAndNamesEverySlot) {
  // The left half of an inventory window at (512, 300), 512 x 468.
  const float x = 512, y = 300, width = 256, height = 468;
  const float cell = width / 6;
  struct Place {
    std::int32_t slot;
    float px, py;
  };
  const Place places[] = {
      {PickHeadSlot, x + width * 0.5f - cell * 0.5f, y + height - 2 * cell},
      {PickLeftHandSlot, x + cell, y + height * 0.5f - cell * 0.5f},
      {PickRightHandSlot, x + width - 2 * cell, y + height * 0.5f - cell * 0.5f},
      {PickBodySlot, x + width * 0.5f - cell * 0.5f, y + height * 0.5f - cell * 0.5f},
      {PickFeetSlot, x + width * 0.5f - cell * 0.5f, y + cell},
  };
  Equipment equipment;
  equipment.set(ObjectStore::make<Item>(HelmKind), PickHeadSlot);
  equipment.set(ObjectStore::make<Item>(SwordKind), PickRightHandSlot);

  const auto quads = quadsOf(captureFeedback([&] { equipment.draw(x, y, width, height); }));
  ASSERT_EQ(quads.size(), 5u);
  EXPECT_EQ(boundTextureEntry(), EquipmentSlotTexture) << "the empty feet slot comes last";
  for (std::size_t i = 0; i < 5; ++i) {
    const Place &place = places[i];
    SCOPED_TRACE(place.slot);
    // The slot's corner is truncated before the icon adds its size.
    const float left = std::trunc(place.px);
    const float bottom = std::trunc(place.py);
    EXPECT_EQ(quads[i].corners[0].x, left);
    EXPECT_EQ(quads[i].corners[0].y, bottom);
    EXPECT_EQ(quads[i].corners[2].x, std::trunc(left + cell));
    EXPECT_EQ(quads[i].corners[2].y, std::trunc(bottom + cell));

    const auto hits =
        captureSelection([&] { equipment.draw(x, y, width, height); },
                         static_cast<int>(left + cell / 2), static_cast<int>(bottom + cell / 2));
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].names, std::vector<std::uint32_t>{static_cast<std::uint32_t>(place.slot)});
  }

  equipment.set(ObjectStore::make<Item>(BootsKind), PickFeetSlot);
  captureFeedback([&] { equipment.draw(x, y, width, height); });
  EXPECT_EQ(boundTextureEntry(), CokeTexture) << "worn boots show their own icon";
}

} // namespace
