#include "objects/ObjectStore.h"
#include "objects/Being.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Counts how many of its kind are alive.
class CountedObject : public WorldObject {
public:
  static int alive;
  explicit CountedObject(std::int32_t newKind) {
    setKind(newKind);
    ++alive;
  }
  ~CountedObject() override { --alive; }
  void draw(float, float) override {}
};
int CountedObject::alive = 0;

class ObjectStoreTest : public ::testing::Test {
protected:
  void SetUp() override { ObjectStore::clear(); }
  void TearDown() override { ObjectStore::clear(); }
};

TEST_F(ObjectStoreTest, KeepsWhatItMakesUntilCleared) {
  CountedObject *first = ObjectStore::make<CountedObject>(WallKind);
  CountedObject *second = ObjectStore::make<CountedObject>(VaseKind);
  EXPECT_EQ(ObjectStore::count(), 2u);
  EXPECT_EQ(CountedObject::alive, 2);
  EXPECT_NE(first, second);
  EXPECT_EQ(second->getKind(), VaseKind);

  ObjectStore::clear();
  EXPECT_EQ(ObjectStore::count(), 0u);
  EXPECT_EQ(CountedObject::alive, 0);
}

TEST_F(ObjectStoreTest, PlayerStartingItemsBelongToTheStoreToo) {
  ObjectStore::make<Being>(PlayerKind);
  ObjectStore::make<Being>(PersonKind);
  EXPECT_EQ(ObjectStore::count(), 7u);
  ObjectStore::clear();
  EXPECT_EQ(ObjectStore::count(), 0u);

  // A new game after the clear starts from an empty store.
  ObjectStore::make<Being>(PlayerKind);
  EXPECT_EQ(ObjectStore::count(), 6u);
}

TEST_F(ObjectStoreTest, ForEachVisitsEveryLiveObjectOnceInMakingOrder) {
  const WorldObject *wall = ObjectStore::make<CountedObject>(WallKind);
  const WorldObject *vase = ObjectStore::make<CountedObject>(VaseKind);
  std::vector<const WorldObject *> visited;
  ObjectStore::forEach([&visited](const WorldObject &object) { visited.push_back(&object); });
  EXPECT_EQ(visited, (std::vector<const WorldObject *>{wall, vase}));

  ObjectStore::clear();
  int visits = 0;
  ObjectStore::forEach([&visits](const WorldObject &) { ++visits; });
  EXPECT_EQ(visits, 0);
}

} // namespace
