#include "GameFixture.h"

#include "gfx/Picking.h"
#include "objects/Being.h"
#include "objects/Item.h"
#include "objects/ObjectStore.h"
#include "shell/KeyCodes.h"
#include "world/Cell.h"
#include "world/Space.h"

namespace {

// Squares of the generated test arrangement around the player's (14, 14).
constexpr int WALL_ABOVE_X = 14, WALL_ABOVE_Y = 15;
constexpr int FREE_LEFT_X = 13, FREE_LEFT_Y = 14;
constexpr int VASE_PILE_X = 20, VASE_PILE_Y = 8;

constexpr int LOOK_BUTTON = 2;
constexpr int ATTACK_BUTTON = 4;

} // namespace

class GameClicks : public GameTest {
protected:
  void clickBarButton(int index) {
    const Button &button = game.buttonAt(index);
    clickAt(button.getX() + button.getWidth() / 2,
            window.height - (button.getY() + button.getHeight() / 2));
  }
  // Puts the other person right of the player, where clicks and keys reach it.
  Being *personNextToPlayer() {
    Being *person = nullptr;
    for (int x = 0; x < 30 && person == nullptr; ++x) {
      for (int y = 0; y < 30; ++y) {
        Space &space = centreSpace(x, y);
        if (space.hasBeing() && space.getBeing()->getKind() == PersonKind) {
          person = space.getBeing();
          space.removeBeing();
          break;
        }
      }
    }
    centreSpace(15, 14).setBeing(person);
    return person;
  }
};

TEST_F(GameClicks, LookButtonThenAWallClickPrintsTheWallAndEndsTheMode) {
  clickBarButton(LOOK_BUTTON);
  EXPECT_EQ(modeOfPlayer(), Look);
  clickSpace(WALL_ABOVE_X, WALL_ABOVE_Y);
  EXPECT_EQ(newLogText(), "You see a part of building wall.");
  EXPECT_EQ(modeOfPlayer(), None);
  EXPECT_EQ(game.findMarkedSpace(), nullptr);
}

TEST_F(GameClicks, AVerbButtonCancelsAnotherVerbInsteadOfSwitching) {
  clickBarButton(LOOK_BUTTON);
  clickBarButton(ATTACK_BUTTON);
  EXPECT_EQ(modeOfPlayer(), None);
  clickBarButton(ATTACK_BUTTON);
  EXPECT_EQ(modeOfPlayer(), Attack);
}

TEST_F(GameClicks, ClickingAMarkedSquareAgainKeepsItMarked) {
  clickSpace(FREE_LEFT_X, FREE_LEFT_Y);
  ASSERT_EQ(game.findMarkedSpace(), &centreSpace(FREE_LEFT_X, FREE_LEFT_Y));
  clickSpace(FREE_LEFT_X, FREE_LEFT_Y);
  EXPECT_EQ(game.findMarkedSpace(), &centreSpace(FREE_LEFT_X, FREE_LEFT_Y));
  // A new click moves the mark: one chosen square at a time.
  clickSpace(FREE_LEFT_X, FREE_LEFT_Y - 1);
  EXPECT_EQ(game.findMarkedSpace(), &centreSpace(FREE_LEFT_X, FREE_LEFT_Y - 1));
  EXPECT_EQ(centreSpace(FREE_LEFT_X, FREE_LEFT_Y).getSelected(), 0);
}

TEST_F(GameClicks, ALogClickNeverReachesTheWorld) {
  const TextWindow &log = game.getTextWindow();
  clickAt(log.getX() + log.getWidth() / 2, window.height - log.getHeight() / 2);
  EXPECT_EQ(game.findMarkedSpace(), nullptr);
}

TEST_F(GameClicks, GetTakesASingleItemOrOpensThePileWindow) {
  Space &single = centreSpace(FREE_LEFT_X, FREE_LEFT_Y);
  Item *helm = ObjectStore::make<Item>(HelmKind);
  single.addItem(helm);
  keys.down[KeyG] = true;
  frame();
  ASSERT_EQ(modeOfPlayer(), Get);
  clickSpace(FREE_LEFT_X, FREE_LEFT_Y);
  EXPECT_EQ(game.getHeldObject(), helm);
  EXPECT_TRUE(single.getItemPile().isEmpty());
  EXPECT_EQ(modeOfPlayer(), None);

  // The big pile opens its window and nothing is taken.
  game.setHeldObject(nullptr);
  keys.down[KeyG] = true;
  frame();
  clickSpace(VASE_PILE_X, VASE_PILE_Y);
  EXPECT_TRUE(game.getPileWindow().isOpen());
  EXPECT_EQ(centreSpace(VASE_PILE_X, VASE_PILE_Y).getItemPile().size(), 50);
  EXPECT_EQ(game.getHeldObject(), nullptr);
}

TEST_F(GameClicks, GetWhileHoldingSomethingLosesNothing) {
  Item *held = ObjectStore::make<Item>(SwordKind);
  Item *lying = ObjectStore::make<Item>(HelmKind);
  centreSpace(FREE_LEFT_X, FREE_LEFT_Y).addItem(lying);
  clickBarButton(0);
  game.setHeldObject(held);
  clickSpace(FREE_LEFT_X, FREE_LEFT_Y);
  EXPECT_EQ(game.getHeldObject(), held);
  EXPECT_EQ(centreSpace(FREE_LEFT_X, FREE_LEFT_Y).getItemPile().at(0), lying);
  EXPECT_EQ(modeOfPlayer(), None);
}

TEST_F(GameClicks, WithoutAModeTheHeldItemGoesToThePlayerOrAFreeSquareOnly) {
  Item *vase = ObjectStore::make<Item>(VaseKind);
  game.setHeldObject(vase);
  clickSpace(WALL_ABOVE_X, WALL_ABOVE_Y);
  EXPECT_EQ(game.getHeldObject(), vase) << "a wall square keeps the item on the cursor";

  clickSpace(FREE_LEFT_X, FREE_LEFT_Y);
  EXPECT_EQ(game.getHeldObject(), nullptr);
  EXPECT_EQ(centreSpace(FREE_LEFT_X, FREE_LEFT_Y).getItemPile().at(0), vase);

  Item *apple = ObjectStore::make<Item>(AppleKind);
  game.setHeldObject(apple);
  const int carried = game.getPlayer()->getInventory().size();
  clickSpace(14, 14);
  EXPECT_EQ(game.getHeldObject(), nullptr);
  EXPECT_EQ(game.getPlayer()->getInventory().size(), carried + 1);
  EXPECT_EQ(game.getPlayer()->getInventory().at(carried), apple);
}

TEST_F(GameClicks, AttackHitsForTheLeftHandSwordElseTheRightElseOne) {
  Being *person = personNextToPlayer();
  clickBarButton(ATTACK_BUTTON);
  clickSpace(15, 14);
  EXPECT_EQ(newLogText(), "someone has been hit for 10 health points.");
  EXPECT_EQ(person->getStats().hitPoints, 10);

  game.getPlayer()->getEquipment().take(PickLeftHandSlot);
  game.getPlayer()->getEquipment().take(PickRightHandSlot);
  clickBarButton(ATTACK_BUTTON);
  clickSpace(15, 14);
  EXPECT_EQ(person->getStats().hitPoints, 9);
}

TEST_F(GameClicks, UseOnBareGroundAndAttackOnAWallAnswerInTheLog) {
  keys.down[KeyU] = true;
  frame();
  clickSpace(FREE_LEFT_X, FREE_LEFT_Y);
  keys.down[KeyA] = true;
  frame();
  clickSpace(WALL_ABOVE_X, WALL_ABOVE_Y);
  EXPECT_EQ(newLogText(), "Nothing to use. You can't attack a wall.");
}
