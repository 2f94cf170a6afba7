#include "SoakAudit.h"
#include "GameFixture.h"

#include "gfx/Picking.h"
#include "objects/Being.h"
#include "objects/Item.h"
#include "ui/MessageOutput.h"
#include "world/Space.h"

#include <string>
#include <vector>

namespace {

// The soak test is only as good as its bookkeeping: each rule must catch
// the fault it stands for, and the game's own moves must pass.
class SoakAuditTest : public GameTest {
protected:
  SoakAudit audit;

  void SetUp() override {
    GameTest::SetUp();
    audit.beginGame(game);
  }

  Inventory &carried() { return game.getPlayer()->getInventory(); }

  // The problems found, one a line.
  std::string problems() {
    std::string text;
    for (const std::string &problem : audit.check(game)) {
      text += problem + "\n";
    }
    return text;
  }

  ::testing::AssertionResult reports(const std::string &fragment) {
    const std::string found = problems();
    if (found.find(fragment) != std::string::npos) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "no \"" << fragment << "\" among:\n" << found;
  }
};

TEST_F(SoakAuditTest, AGameAsSetUpAndItsOrdinaryMovesBreakNoRule) {
  EXPECT_EQ(problems(), "");
  // Taken off as the inventory window does it: out of the slot, its
  // weight subtracted although it was never added, onto the cursor.
  Item *sword = game.getPlayer()->getEquipment().take(PickLeftHandSlot);
  carried().addWeight(-sword->getWeight());
  game.setHeldObject(sword);
  EXPECT_EQ(problems(), "");
  // Dropped on the ground, then a vase from the pack put on the cursor.
  game.setHeldObject(nullptr);
  centreSpace(13, 14).addItem(sword);
  game.setHeldObject(carried().removeAt(0));
  EXPECT_EQ(problems(), "");
  EXPECT_EQ(audit.getItemMoves(), 3);
}

TEST_F(SoakAuditTest, AnItemInTwoPlacesOrInNoneIsNamed) {
  WorldObject *vase = carried().at(0);
  centreSpace(13, 14).addItem(vase);
  EXPECT_TRUE(reports("is in 2 places at once"));

  centreSpace(13, 14).removeTop();
  carried().removeAt(0);
  EXPECT_TRUE(reports("vase #"));
  EXPECT_TRUE(reports("is nowhere; it was last in the carried list of Player"));
}

TEST_F(SoakAuditTest, OnlyAnEatenAppleMayDisappear) {
  const std::int32_t apple = carried().size() - 1;
  ASSERT_EQ(carried().at(apple)->getKind(), AppleKind);
  carried().removeAt(apple);
  EXPECT_TRUE(reports("apples gone: 1, apples eaten: 0"));

  printMessage("You ate one apple.");
  EXPECT_EQ(problems(), "");
  EXPECT_EQ(audit.getEatenApples(), 1);
}

TEST_F(SoakAuditTest, CarriedAndPileWeightsMustMatchTheirItems) {
  carried().addWeight(1.0);
  EXPECT_TRUE(reports("carries weight 52.000, but the carried list and the slots make 51.000"));
  carried().addWeight(-1.0);
  centreSpace(13, 14).getItemPile().addWeight(0.5);
  EXPECT_TRUE(reports("the pile of space (13, 14) of cell (1, 1) weighs"));
}

TEST_F(SoakAuditTest, ABeingOffItsSquareOrAnItemInAWrongSlotIsNamed) {
  Space &own = game.getPlayerSpace();
  own.removeBeing();
  centreSpace(13, 14).setBeing(game.getPlayer());
  EXPECT_TRUE(reports("do not name the square the player is on"));
  centreSpace(13, 14).removeBeing();
  EXPECT_TRUE(reports("Player #"));
  EXPECT_TRUE(reports("stands on 0 squares"));
  own.setBeing(game.getPlayer());

  Equipment &equipment = game.getPlayer()->getEquipment();
  Item *helm = equipment.take(PickHeadSlot);
  equipment.set(helm, PickFeetSlot);
  EXPECT_TRUE(reports("does not fit slot 9008 of Player"));
}

} // namespace
