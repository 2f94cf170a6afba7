#pragma once
// The soak test's bookkeeping. After every frame it walks every place where
// an object of the running game can be (the item piles and squares of all
// 9 x 900 spaces, every being's carried list and five slots, the cursor)
// and names each rule of the game that no longer holds.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class Being;
class Game;
class WorldObject;

// One place where an object was found.
struct SoakPlace {
  enum Kind { Pile, Square, Carried, Slot, Cursor };
  Kind kind = Cursor;
  // Pile and Square: cell * 900 + x * 30 + y; Slot: the slot's pick name.
  std::int32_t where = 0;
  // Carried and Slot: whose.
  const Being *owner = nullptr;

  bool operator==(const SoakPlace &other) const {
    return kind == other.kind && where == other.where && owner == other.owner;
  }
  bool operator!=(const SoakPlace &other) const { return !(*this == other); }
  std::string describe() const;
};

class SoakAudit {
public:
  // Takes stock of a game just set up: its items and beings, where each
  // is, and the weight each being wore when it was made.
  void beginGame(Game &game);
  // Walks the game as it stands; one sentence per broken rule, none when
  // all hold.
  std::vector<std::string> check(Game &game);

  // Over every game since the first beginGame.
  long getEatenApples() const { return eatenApples; }
  // Items found somewhere else than at the check before.
  long getItemMoves() const { return itemMoves; }
  // Moves of items into an equipment slot.
  long getEquips() const { return equips; }

private:
  using Places = std::map<const WorldObject *, std::vector<SoakPlace>>;

  std::vector<const WorldObject *> stockItems;
  std::vector<const Being *> stockBeings;
  // Every object of the game, walls too, by its place in the store.
  std::map<const WorldObject *, int> stockIndex;
  std::map<const Being *, double> weightWornAtStart;
  std::map<const WorldObject *, SoakPlace> lastPlace;
  std::size_t logLinesSeen = 0;
  long applesEatenThisGame = 0;
  long eatenApples = 0;
  long itemMoves = 0;
  long equips = 0;

  void countMeals(Game &game);
  Places walk(Game &game) const;
  void checkItems(const Places &places, std::vector<std::string> &problems) const;
  void checkBeings(Game &game, const Places &places, std::vector<std::string> &problems) const;
  void checkCarriedWeights(std::vector<std::string> &problems) const;
  void checkPileWeights(Game &game, std::vector<std::string> &problems) const;
  void checkSlots(std::vector<std::string> &problems) const;
  void checkPosition(Game &game, std::vector<std::string> &problems) const;
  void recordMoves(const Places &places);
  std::string nameOf(const WorldObject *object) const;
};
