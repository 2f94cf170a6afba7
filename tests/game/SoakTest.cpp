// Long runs: seeded random play through the real hooks with the whole world
// audited after every frame, and mode switches that must leak nothing.
// PICKRPG_SOAK_FRAMES, PICKRPG_SOAK_SEED and PICKRPG_RESTARTS size them.

#include "GameFixture.h"

#include "gfx/Font.h"
#include "gfx/Texture.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <random>

#if defined(__SANITIZE_ADDRESS__)
#define SOAK_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOAK_ADDRESS_SANITIZER 1
#endif
#endif
#ifdef SOAK_ADDRESS_SANITIZER
// From the sanitizer runtime; GCC ships no header that declares them.
extern "C" void __sanitizer_purge_allocator();
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// The whole number in the environment variable, else the value CI runs with.
std::uint32_t parameter(const char *name, std::uint32_t ciValue) {
  const char *text = std::getenv(name);
  char *end = nullptr; // past the number; too large a one reads as the largest
  const unsigned long long value =
      text != nullptr && *text >= '0' && *text <= '9' ? std::strtoull(text, &end, 10) : 0;
  return end != nullptr && *end == '\0' && value <= UINT32_MAX ? std::uint32_t(value) : ciValue;
}

// What the items of a list weigh, and those the being wears.
double weight(const Inventory *list, const Being *wearer) {
  double sum = 0.0;
  for (std::int32_t k = 0; list != nullptr && k < list->size(); ++k) {
    const auto *item = dynamic_cast<const Item *>(list->at(k));
    sum += item == nullptr ? 0.0 : item->getWeight();
  }
  for (std::int32_t slot = PickHeadSlot; wearer != nullptr && slot <= PickFeetSlot; ++slot) {
    sum += wearer->getEquipped(slot) == nullptr ? 0.0 : wearer->getEquipped(slot)->getWeight();
  }
  return sum;
}

// The bookkeeping of the running game: after every frame it walks every place
// an object can be (the piles and squares of all 8100 spaces, square k being
// x = k / 30 % 30, y = k % 30 of cell (k / 2700, k / 900 % 3); every being's
// pack and slots; the cursor) and names each rule that no longer holds, one a line.
class Audit {
public:
  long moves = 0, eaten = 0; // over every game

  void beginGame() {
    items.clear(), wornAtStart.clear(), lastPlace.clear();
    ObjectStore::forEach([this](const WorldObject &object) {
      if (const auto *being = dynamic_cast<const Being *>(&object)) {
        wornAtStart[being] = weight(nullptr, being);
      } else if (dynamic_cast<const Item *>(&object) != nullptr) {
        items.push_back(&object);
      }
    });
    logLines = game.getTextWindow().getLines().size();
    eatenBefore = eaten;
    check();
  }

  std::string check() {
    const std::vector<std::string> &log = game.getTextWindow().getLines();
    for (; logLines < log.size(); ++logLines) {
      eaten += log[logLines] == "You ate one apple." ? 1 : 0;
    }
    std::map<const WorldObject *, std::string> places; // each a list: "a; b"
    const auto put = [&places](const WorldObject *object, const std::string &place) {
      places[object] += (places[object].empty() ? "" : "; ") + place;
    };
    for (int k = 0; k < 9 * 900; ++k) {
      const Space &space =
          game.getWorld().getCell(k / 2700, k / 900 % 3).getSpace(k / 30 % 30, k % 30);
      for (std::int32_t i = 0; i < space.getItemPile().size(); ++i) {
        put(space.getItemPile().at(i), "the pile of square " + std::to_string(k));
      }
      put(space.getBeing(), "square " + std::to_string(k));
    }
    for (const auto &[being, worn] : wornAtStart) {
      for (std::int32_t i = 0; i < being->getInventory().size(); ++i) {
        put(being->getInventory().at(i), "the pack of " + being->getName());
      }
      for (std::int32_t slot = PickHeadSlot; slot <= PickFeetSlot; ++slot) {
        put(being->getEquipped(slot), "slot " + std::to_string(slot) + " of " + being->getName());
      }
    }
    put(game.getHeldObject(), "the cursor");
    places.erase(nullptr); // empty squares, slots and cursor
    std::string problems;
    for (const auto &[being, worn] : wornAtStart) {
      // Equipping adds an item's weight and taking it off subtracts it, but a
      // being is made wearing its items without their weight: so the total
      // is the pack, plus what is worn now, minus what was worn at the start.
      const double total = being->getInventory().getTotalWeight();
      const double expected = weight(&being->getInventory(), being) - worn;
      if (std::fabs(total - expected) > 1e-9) {
        problems += being->getName() + " carries " + std::to_string(total) +
                    ", its pack and slots make " + std::to_string(expected) + "\n";
      }
      if (places[being].rfind("square ", 0) != 0 || places[being].find(';') != std::string::npos) {
        problems += being->getName() + " is not on one square: " + places[being] + "\n";
      }
    }
    long applesGone = 0;
    for (const WorldObject *item : items) {
      const std::string &place = places[item];
      const bool apple = item->getKind() == AppleKind;
      applesGone += place.empty() && apple ? 1 : 0;
      if (place.empty() && !apple) {
        problems += item->getName() + " is nowhere; it was last in " + lastPlace[item] + "\n";
      } else if (place.find(';') != std::string::npos) {
        problems += item->getName() + " is in " + place + "\n";
      } else if (!place.empty()) {
        moves += !lastPlace[item].empty() && lastPlace[item] != place ? 1 : 0;
        lastPlace[item] = place;
      }
    }
    if (applesGone != eaten - eatenBefore) {
      problems += "apples gone: " + std::to_string(applesGone) +
                  ", apples eaten: " + std::to_string(eaten - eatenBefore) + "\n";
    }
    return problems;
  }

private:
  std::vector<const WorldObject *> items;
  std::map<const Being *, double> wornAtStart;
  std::map<const WorldObject *, std::string> lastPlace;
  std::size_t logLines = 0;
  long eatenBefore = 0; // by the games before this one
};

using Soak = GameTest;

// Random but repeatable play as the shell delivers it: clicks, mostly where a
// player would click; every game key; frames of varied length; and now and
// then Escape or F1, which stay down until the shell acts on them: it quits
// or builds the window anew, and either way a new game follows.
TEST_F(Soak, RandomPlayLosesNoItemAndKeepsEveryBeingAndWeight) {
  const std::uint32_t ciFrames = 3000, frames = parameter("PICKRPG_SOAK_FRAMES", ciFrames);
  // With this seed the run also eats an apple, which few seeds reach.
  const std::uint32_t seed = parameter("PICKRPG_SOAK_SEED", 4);
  std::mt19937 random(seed);
  const auto below = [&random](int bound) { return int(random() % unsigned(bound)); };
  const int gameKeys[] = {KeyUp, KeyDown, KeyLeft, KeyRight, KeyI, KeyG,
                          KeyS,  KeyM,    KeyL,    KeyU,     KeyA, KeySpace};
  const InventoryWindow &pack = game.getInventoryWindow();
  Audit audit;
  for (std::uint32_t frame = 0; frame <= frames; ++frame) {
    SCOPED_TRACE(testing::Message() << "frame " << frame << " of seed " << seed);
    const int roll = frame == 0 ? 0 : below(1000);
    std::string action;
    if (roll < 4) { // frame 0 starts the first game
      keys.down[roll < 3 ? KeyF1 : KeyEscape] = frame > 0;
      advanceScene(16);
      stopScene(), keys.clear();
      ASSERT_TRUE(startScene(&window, &keys));
      std::srand(random()); // the scene seeds the wandering with the time; the soak's seed decides
      audit.beginGame();
    } else if (roll < 504) {
      // Anywhere, on a button, or on the inventory window: an item of the
      // pack, a close or scroll square, or (a third of the clicks while an
      // item is held) a slot of the equipment figure, so that items are worn
      // and taken off as well as moved. A click meant for the closed window opens it.
      const int half = pack.getWidth() / 2, cell = half / 6, h = pack.getHeight(), slot = below(5);
      const int mx = half / 2 - cell / 2, my = h / 2 - cell / 2; // the middle of the figure
      const int slotX[] = {mx, cell, half - 2 * cell, mx, mx};
      const int slotY[] = {h - 2 * cell, my, my, my, cell};
      const int target = game.getHeldObject() != nullptr && below(3) == 0 ? 4 : below(4);
      const bool opening = target >= 2 && !pack.isOpen();
      const int button = game.buttonAt(opening ? 5 : below(7)).getX();
      const int rectangles[][4] = {
          {0, 0, window.getClientWidth(), window.getClientHeight()}, // anywhere: the world too
          {button + 1, 11, 66, 66},                                  // a button
          {pack.getX() + half, pack.getY(), half, h},                // the pack
          {pack.getX() + 2 * half - 30, pack.getY(), 30, h},         // close and scroll squares
          {pack.getX() + slotX[slot] + 1, pack.getY() + slotY[slot] + 1, cell - 2, cell - 2}};
      const auto [x, y, width, height] = rectangles[opening ? 1 : target];
      clickAt(x + below(width), window.getClientHeight() - y - below(height));
      action = "click at (" + std::to_string(mouseX) + ", " + std::to_string(mouseY) + ")";
    } else if (roll < 724) {
      for (int n = below(10) == 0 ? 2 : 1; n > 0; --n) { // at times two at once
        keys.down[gameKeys[below(12)]] = true;
      }
    } else if (roll < 744) {
      mouseX = below(window.getClientWidth()),
      mouseY = below(window.getClientHeight()); // drawn there next frame
    }
    // Mostly ordinary frame times; sometimes none, sometimes the long gap
    // after the window was hidden, now and then any 32-bit count.
    const int time = below(100);
    const std::uint32_t elapsed = time < 15   ? 0
                                  : time < 85 ? 1 + below(40)
                                  : time < 95 ? 41 + below(960)
                                  : time < 99 ? 1001 + below(100000)
                                              : random();
    advanceScene(elapsed), renderScene();
    ASSERT_EQ(audit.check(), "") << action << ", frame of " << elapsed << " ms";
  }
  const int restarts = window.modeToggleRequests + window.quitRequests;
  std::printf("soak: %u frames, seed %u: %d restarts, %ld item moves, %ld apples eaten\n", frames,
              seed, restarts, audit.moves, audit.eaten);
  if (frames >= ciFrames) { // a soak that moved nothing would have proved nothing
    EXPECT_GT(audit.moves, 0);
    EXPECT_GT(restarts, 0);
  }
}

// The soak is only as good as its bookkeeping: each rule catches the fault it
// stands for (that the game's own moves pass it, the soak shows).
TEST_F(Soak, TheAuditNamesEveryBrokenRule) {
  Audit audit;
  audit.beginGame();
  Inventory &pack = player().getInventory();
  // Squares 4004 and 4034: (13, 14) and (14, 14) of the centre cell.
  Space &ground = centreSpace(13, 14), &own = centreSpace(14, 14);
  WorldObject *vase = pack.at(0);
  const std::pair<std::function<void()>, std::string> faults[] = {
      {[] {}, ""},
      {[&] { pack.removeAt(pack.size() - 1); }, "apples gone: 1, apples eaten: 0\n"},
      {[&] { printMessage("You ate one apple."); }, ""},
      {[&] { ground.addItem(vase); }, "vase is in the pile of square 4004; the pack of Player\n"},
      {[&] { ground.removeTop(), pack.removeAt(0); },
       "vase is nowhere; it was last in the pack of Player\n"},
      {[&] { pack.add(vase), pack.addWeight(1.0); }, "Player carries "},
      {[&] { pack.addWeight(-1.0), own.removeBeing(); }, "Player is not on one square: \n"},
      {[&] { ground.setBeing(&player()), own.setBeing(&player()); },
       "Player is not on one square: square 4004; square 4034\n"}};
  for (const auto &[fault, report] : faults) {
    fault();
    const std::string found = audit.check();
    EXPECT_EQ(found.substr(0, report.size()), report);
    EXPECT_EQ(found.empty(), report.empty()) << found;
  }
  EXPECT_EQ(audit.eaten, 1);
}

// The one context here outlives every start, so whatever a stop kept would
// pile up; under LeakSanitizer the process's exit also proves that no switch leaked.
TEST_F(Soak, RestartsFreeTheObjectsImagesAndFontAndLeaveMemoryFlat) {
  const std::uint32_t restarts = parameter("PICKRPG_RESTARTS", 200);
  const std::size_t objectsPerGame = ObjectStore::count();
  const GLuint font = fontListBase, first = textures[0].textureId,
               last = textures[TEXTURE_COUNT - 1].textureId;
  long resident[2] = {0, 0}; // kilobytes, after the warm-up and after the last switch
  double live[2] = {0, 0};   // bytes allocated and not freed, as AddressSanitizer counts
  const auto measure = [&resident, &live](int at) {
#ifdef SOAK_ADDRESS_SANITIZER
    // Freed blocks wait in a quarantine to catch late uses; emptied, only live memory stays.
    __sanitizer_purge_allocator();
    live[at] = double(__sanitizer_get_current_allocated_bytes());
#endif
    std::ifstream status("/proc/self/status");
    for (std::string field; status >> field && field != "VmRSS:";) {
    }
    status >> resident[at];
  };
  for (std::uint32_t i = 1; i <= restarts; ++i) {
    stopScene();
    EXPECT_FALSE(i == 1 && (glIsList(font) || glIsTexture(first) || glIsTexture(last)));
    keys.clear();
    ASSERT_TRUE(startScene(&window, &keys)) << "switch " << i;
    advanceScene(16), renderScene();
    glFinish(); // as the buffer swap does: else llvmpipe queues frames and holds their memory
    ASSERT_EQ(ObjectStore::count(), objectsPerGame) << "switch " << i;
    // The first switches fill the GL driver's caches and the allocator's free lists.
    i == std::max(1u, restarts / 4) ? measure(0) : void();
  }
  measure(1);
  std::printf(
      "restarts: %u mode switches; resident %ld then %ld kB, live heap %.0f then %.0f bytes\n",
      restarts, resident[0], resident[1], live[0], live[1]);
  ASSERT_GT(resident[0], 0) << "no VmRSS in /proc/self/status";
  EXPECT_LE(resident[1], resident[0] * 1.05);
  EXPECT_LE(live[1], live[0] * 1.05);
}

} // namespace
