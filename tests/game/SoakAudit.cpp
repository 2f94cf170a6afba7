#include "SoakAudit.h"

#include "game/Game.h"
#include "gfx/Picking.h"
#include "objects/Being.h"
#include "objects/Item.h"
#include "objects/ObjectStore.h"
#include "world/Cell.h"
#include "world/Movement.h"
#include "world/Space.h"

#include <cmath>
#include <cstdio>

namespace {

const char *const MEAL_MESSAGE = "You ate one apple.";
constexpr int SPACES_PER_CELL = Cell::SIZE * Cell::SIZE;
// Weights are sums of a few tenths and ones: anything beyond rounding is a fault.
constexpr double WEIGHT_TOLERANCE = 1e-9;

struct SlotRule {
  std::int32_t slot;
  std::int32_t category;
};
const SlotRule SLOT_RULES[] = {{PickHeadSlot, HeadCategory},
                               {PickLeftHandSlot, HandCategory},
                               {PickRightHandSlot, HandCategory},
                               {PickBodySlot, BodyCategory},
                               {PickFeetSlot, FeetCategory}};

const Item *asItem(const WorldObject *object) {
  return dynamic_cast<const Item *>(object);
}

double weightOf(const WorldObject *object) {
  const Item *item = asItem(object);
  return item == nullptr ? 0.0 : item->getWeight();
}

double listWeight(const Inventory &list) {
  double sum = 0.0;
  for (std::int32_t i = 0; i < list.size(); ++i) {
    sum += weightOf(list.at(i));
  }
  return sum;
}

double wornWeight(const Being &being) {
  double sum = 0.0;
  for (const SlotRule &rule : SLOT_RULES) {
    sum += weightOf(being.getEquipped(rule.slot));
  }
  return sum;
}

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

std::string spaceName(std::int32_t where) {
  const int cell = where / SPACES_PER_CELL;
  const int inCell = where % SPACES_PER_CELL;
  return "space (" + std::to_string(inCell / Cell::SIZE) + ", " +
         std::to_string(inCell % Cell::SIZE) + ") of cell (" +
         std::to_string(cell / LoadedArea::CELLS) + ", " +
         std::to_string(cell % LoadedArea::CELLS) + ")";
}

template <typename Visit> void forEachSpace(Game &game, Visit visit) {
  for (int i = 0; i < LoadedArea::CELLS; ++i) {
    for (int j = 0; j < LoadedArea::CELLS; ++j) {
      for (int x = 0; x < Cell::SIZE; ++x) {
        for (int y = 0; y < Cell::SIZE; ++y) {
          const std::int32_t where =
              (i * LoadedArea::CELLS + j) * SPACES_PER_CELL + x * Cell::SIZE + y;
          visit(game.getWorld().getCell(i, j).getSpace(x, y), where);
        }
      }
    }
  }
}

} // namespace

std::string SoakPlace::describe() const {
  const std::string whose = owner == nullptr ? "nobody" : owner->getName();
  switch (kind) {
  case Pile:
    return "the pile of " + spaceName(where);
  case Square:
    return spaceName(where);
  case Carried:
    return "the carried list of " + whose;
  case Slot:
    return "slot " + std::to_string(where) + " of " + whose;
  default:
    return "the cursor";
  }
}

void SoakAudit::beginGame(Game &game) {
  stockItems.clear();
  stockBeings.clear();
  stockIndex.clear();
  weightWornAtStart.clear();
  lastPlace.clear();
  ObjectStore::forEach([this](const WorldObject &object) {
    stockIndex[&object] = static_cast<int>(stockIndex.size());
    if (asItem(&object) != nullptr) {
      stockItems.push_back(&object);
    } else if (const auto *being = dynamic_cast<const Being *>(&object)) {
      stockBeings.push_back(being);
      weightWornAtStart[being] = wornWeight(*being);
    }
  });
  logLinesSeen = game.getTextWindow().getLines().size();
  applesEatenThisGame = 0;
  recordMoves(walk(game));
}

std::vector<std::string> SoakAudit::check(Game &game) {
  std::vector<std::string> problems;
  countMeals(game);
  const Places places = walk(game);
  checkItems(places, problems);
  checkBeings(game, places, problems);
  checkCarriedWeights(problems);
  checkPileWeights(game, problems);
  checkSlots(problems);
  checkPosition(game, problems);
  recordMoves(places);
  return problems;
}

void SoakAudit::countMeals(Game &game) {
  const std::vector<std::string> &lines = game.getTextWindow().getLines();
  for (std::size_t i = logLinesSeen; i < lines.size(); ++i) {
    if (lines[i] == MEAL_MESSAGE) {
      ++applesEatenThisGame;
      ++eatenApples;
    }
  }
  logLinesSeen = lines.size();
}

SoakAudit::Places SoakAudit::walk(Game &game) const {
  Places places;
  forEachSpace(game, [&places](const Space &space, std::int32_t where) {
    const Inventory &pile = space.getItemPile();
    for (std::int32_t k = 0; k < pile.size(); ++k) {
      places[pile.at(k)].push_back({SoakPlace::Pile, where, nullptr});
    }
    if (space.hasBeing()) {
      places[space.getBeing()].push_back({SoakPlace::Square, where, nullptr});
    }
  });
  for (const Being *being : stockBeings) {
    const Inventory &carried = being->getInventory();
    for (std::int32_t k = 0; k < carried.size(); ++k) {
      places[carried.at(k)].push_back({SoakPlace::Carried, 0, being});
    }
    for (const SlotRule &rule : SLOT_RULES) {
      if (const Item *worn = being->getEquipped(rule.slot)) {
        places[worn].push_back({SoakPlace::Slot, rule.slot, being});
      }
    }
  }
  if (game.getHeldObject() != nullptr) {
    places[game.getHeldObject()].push_back({SoakPlace::Cursor, 0, nullptr});
  }
  return places;
}

// Every item is in exactly one place; only eaten apples are in none.
void SoakAudit::checkItems(const Places &places, std::vector<std::string> &problems) const {
  for (const auto &[object, found] : places) {
    if (stockIndex.count(object) == 0) {
      problems.push_back(found.front().describe() +
                         " refers to an object that this game never made (freed or stale)");
      continue;
    }
    const bool isItem = asItem(object) != nullptr;
    for (const SoakPlace &place : found) {
      if (isItem == (place.kind == SoakPlace::Square)) {
        problems.push_back(nameOf(object) + " is in the wrong kind of place: " + place.describe());
      }
    }
    if (isItem && found.size() > 1) {
      std::string list;
      for (const SoakPlace &place : found) {
        list += (list.empty() ? "" : "; ") + place.describe();
      }
      problems.push_back(nameOf(object) + " is in " + std::to_string(found.size()) +
                         " places at once: " + list);
    }
  }
  long missingApples = 0;
  for (const WorldObject *item : stockItems) {
    if (places.count(item) != 0) {
      continue;
    }
    if (item->getKind() == AppleKind) {
      ++missingApples;
      continue;
    }
    const auto last = lastPlace.find(item);
    problems.push_back(nameOf(item) + " is nowhere; it was last in " +
                       (last == lastPlace.end() ? "no place" : last->second.describe()));
  }
  if (missingApples != applesEatenThisGame) {
    problems.push_back("apples gone: " + std::to_string(missingApples) +
                       ", apples eaten: " + std::to_string(applesEatenThisGame));
  }
}

void SoakAudit::checkBeings(Game &game, const Places &places,
                            std::vector<std::string> &problems) const {
  for (const Being *being : stockBeings) {
    const auto found = places.find(being);
    const std::size_t squares = found == places.end() ? 0 : found->second.size();
    if (squares != 1) {
      problems.push_back(nameOf(being) + " stands on " + std::to_string(squares) + " squares");
    }
  }
  if (game.getPlayerSpace().getBeing() != game.getPlayer()) {
    problems.push_back("the player's position fields do not name the square the player is on");
  }
}

// The carried weight counts the carried list and the equipped items, but
// only from when an item goes through the inventory window: equipping adds
// its weight, unequipping subtracts it. The player is made already wearing
// its five items without their weight being added, so taking one of them
// off subtracts a weight that was never added. What holds is therefore
// total == carried list + worn now - worn when the being was made.
void SoakAudit::checkCarriedWeights(std::vector<std::string> &problems) const {
  for (const Being *being : stockBeings) {
    const double expected =
        listWeight(being->getInventory()) + wornWeight(*being) - weightWornAtStart.at(being);
    const double total = being->getInventory().getTotalWeight();
    if (std::fabs(total - expected) > WEIGHT_TOLERANCE) {
      problems.push_back(nameOf(being) + " carries weight " + number(total) +
                         ", but the carried list and the slots make " + number(expected));
    }
  }
}

// Nothing is ever worn from a pile: its total is the sum of its entries.
void SoakAudit::checkPileWeights(Game &game, std::vector<std::string> &problems) const {
  forEachSpace(game, [&problems](const Space &space, std::int32_t where) {
    const Inventory &pile = space.getItemPile();
    if (std::fabs(pile.getTotalWeight() - listWeight(pile)) > WEIGHT_TOLERANCE) {
      problems.push_back("the pile of " + spaceName(where) + " weighs " +
                         number(pile.getTotalWeight()) + ", its entries " +
                         number(listWeight(pile)));
    }
  });
}

void SoakAudit::checkSlots(std::vector<std::string> &problems) const {
  for (const Being *being : stockBeings) {
    for (const SlotRule &rule : SLOT_RULES) {
      const Item *worn = being->getEquipped(rule.slot);
      if (worn != nullptr && worn->getCategory() != rule.category) {
        problems.push_back(nameOf(worn) + " does not fit slot " + std::to_string(rule.slot) +
                           " of " + being->getName());
      }
    }
  }
}

void SoakAudit::checkPosition(Game &game, std::vector<std::string> &problems) const {
  if (game.getPlayerLocalX() != wrapToCell(game.getPlayerWorldX()) ||
      game.getPlayerLocalY() != wrapToCell(game.getPlayerWorldY())) {
    problems.push_back("the player's local position " + number(game.getPlayerLocalX()) + ", " +
                       number(game.getPlayerLocalY()) + " is not its world position " +
                       number(game.getPlayerWorldX()) + ", " + number(game.getPlayerWorldY()) +
                       " within the cell");
  }
}

void SoakAudit::recordMoves(const Places &places) {
  for (const WorldObject *item : stockItems) {
    const auto found = places.find(item);
    if (found == places.end() || found->second.size() != 1) {
      continue;
    }
    const SoakPlace &now = found->second.front();
    const auto last = lastPlace.find(item);
    if (last != lastPlace.end() && last->second != now) {
      ++itemMoves;
      equips += now.kind == SoakPlace::Slot ? 1 : 0;
    }
    lastPlace[item] = now;
  }
}

std::string SoakAudit::nameOf(const WorldObject *object) const {
  const auto index = stockIndex.find(object);
  return object->getName() + " #" +
         (index == stockIndex.end() ? std::string("?") : std::to_string(index->second));
}
