// Long runs: seeded random play through the real hooks with the whole world
// audited after every frame, and mode switches that must leak nothing.
// PICKRPG_SOAK_FRAMES, PICKRPG_SOAK_SEED and PICKRPG_RESTARTS size them.

#include "GameFixture.h"

#include "gfx/Font.h"
#include "gfx/Texture.h"
#include "shell/MainLoop.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <deque>
#include <fstream>
#include <functional>
#include <malloc.h>
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

#ifdef SOAK_ADDRESS_SANITIZER
constexpr bool ADDRESS_SANITIZER = true;
#else
constexpr bool ADDRESS_SANITIZER = false;
#endif
// The soak's frames before its memory is taken as settled: the first games
// and the driver's caches for every kind of frame are made by then.
constexpr std::uint32_t WARM_UP_FRAMES = 300;
// How far the soak's peak may rise above the settled figure. Mode switches
// and piles of items moved about leave the allocator some free blocks, a
// few megabytes in all; a leak of one vertex buffer a click (the fault this
// bound was set for) passed 100 MB within 1,000 frames.
constexpr long PEAK_GROWTH_KB = 32 * 1024;
// What 1,900 clicks after the first hundred may add, and how many.
constexpr long CLICK_GROWTH_KB = 2 * 1024;
constexpr int CLICKS = 2000, CLICKS_BEFORE_MEASURING = 100;

// The whole number in the environment variable, else the value CI runs with.
std::uint32_t parameter(const char *name, std::uint32_t ciValue) {
  const char *text = std::getenv(name);
  char *end = nullptr; // past the number; too large a one reads as the largest
  const unsigned long long value =
      text != nullptr && *text >= '0' && *text <= '9' ? std::strtoull(text, &end, 10) : 0;
  return end != nullptr && *end == '\0' && value <= UINT32_MAX ? std::uint32_t(value) : ciValue;
}

// The process's memory: resident kilobytes (and their peak), and under
// AddressSanitizer the bytes allocated and not freed, which its quarantine
// of freed blocks does not blur as it does the resident figure.
struct Memory {
  long resident = 0, peak = 0;
  double live = 0;
};

Memory measureMemory() {
  Memory memory;
#ifdef SOAK_ADDRESS_SANITIZER
  // Freed blocks wait in a quarantine to catch late uses; emptied, only live memory stays.
  __sanitizer_purge_allocator();
  memory.live = double(__sanitizer_get_current_allocated_bytes());
#endif
  // Freed heap pages go back to the system first: what stays resident is held.
  malloc_trim(0);
  std::ifstream status("/proc/self/status");
  for (std::string field; status >> field;) {
    field == "VmRSS:" ? void(status >> memory.resident) : void();
    field == "VmHWM:" ? void(status >> memory.peak) : void();
  }
  return memory;
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
  Memory settled; // once the first games have filled the driver's caches
  for (std::uint32_t frame = 0; frame <= frames; ++frame) {
    frame == WARM_UP_FRAMES ? void(settled = measureMemory()) : void();
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
  const Memory end = measureMemory();
  std::printf("soak: %u frames, seed %u: %d restarts, %ld item moves, %ld apples eaten; resident "
              "%ld kB after %u frames, peak %ld kB, live heap %.0f then %.0f bytes\n",
              frames, seed, restarts, audit.moves, audit.eaten, settled.resident, WARM_UP_FRAMES,
              end.peak, settled.live, end.live);
  // A game holds the same objects however long it runs, so after the warm-up
  // only a leak can add more than the bound, by any count of frames. The
  // sanitizer's quarantine fills the resident set with freed blocks: there
  // the live heap counts.
  if (frames > WARM_UP_FRAMES) {
    EXPECT_LE(ADDRESS_SANITIZER ? (end.live - settled.live) / 1024 : end.peak - settled.resident,
              PEAK_GROWTH_KB);
  }
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

// The shell's own path on the headless context: each message the loop takes
// is a click or a key, handled between two frames, and each frame ends in the
// buffer swap, which waits for the drawing as a real one does.
class HeadlessShell : public MainLoop {
public:
  std::deque<std::function<void(HeadlessShell &)>> messages;
  using MainLoop::keyDown, MainLoop::keyUp, MainLoop::leftButtonDown;
  int getDrawableWidth() const override { return TEST_WIDTH; }
  int getDrawableHeight() const override { return TEST_HEIGHT; }

protected:
  bool askFullScreen() override { return false; }
  bool registerShell() override { return true; }
  void unregisterShell() override {}
  bool openShellWindow(bool) override { return makeTestContextCurrent(); }
  void closeShellWindow() override {}
  Message handleNextMessage() override {
    if (quitPosted) {
      return quitPosted = false, Message::Quit;
    }
    if (messages.empty()) {
      return Message::NoneWaiting;
    }
    const auto message = messages.front();
    messages.pop_front();
    return message(*this), Message::Handled;
  }
  void waitForMessage() override {}
  bool isVisible() const override { return true; }
  void swapBuffers() override { glFinish(); }
  std::uint32_t tickCount() override { return ticks += FRAME_MILLISECONDS; }
  void showError(const char *text) override { ADD_FAILURE() << text; }
  void postQuit() override { quitPosted = true; }
  void postModeToggle() override {}

private:
  static constexpr std::uint32_t FRAME_MILLISECONDS = 16;
  std::uint32_t ticks = 0;
  bool quitPosted = false;
};

// Every kind of click a player makes, each followed by a frame: on the world
// (bare ground, the person, walls, piles), on the buttons, on the log, the
// statistics, the pack's items and squares and the equipment slots, with an
// item held or not, in every action mode (chosen by key or by button).
// Resident memory after the first hundred clicks must stay where it was.
TEST_F(GlTest, ClicksOfEveryKindThroughTheShellLeaveMemoryFlat) {
  ASSERT_EQ(chdir(PICKRPG_SOURCE_DIR), 0);
  HeadlessShell shell;
  ASSERT_TRUE(shell.begin(false));
  std::mt19937 random(20);
  const auto below = [&random](int bound) { return int(random() % unsigned(bound)); };
  const int modeKeys[] = {KeyG, KeyL, KeyU, KeyA, KeyM, KeyI, KeyS};
  const auto area = [](const Widget &widget) {
    return std::array<int, 4>{widget.getX(), widget.getY(), widget.getWidth(), widget.getHeight()};
  };
  Memory settled;
  int heldClicks = 0;
  for (int click = 1; click <= CLICKS; ++click) {
    if (below(4) == 0) { // a mode, or a window opened or closed, by key
      const int key = modeKeys[below(7)];
      shell.messages.push_back([key](HeadlessShell &s) { s.keyDown(key); });
      shell.messages.push_back([key](HeadlessShell &s) { s.keyUp(key); });
    }
    const InventoryWindow &pack = game.getInventoryWindow();
    const int slot = pack.getWidth() / 12; // a sixth of the figure's half
    const std::array<int, 4> targets[] = {
        {0, 0, TEST_WIDTH, TEST_HEIGHT},                  // anywhere, mostly the world
        {game.buttonAt(below(7)).getX() + 1, 11, 66, 66}, // a button
        area(game.getTextWindow()),                       // the log
        area(game.getStatsWindow()),                      // the statistics
        area(pack),                                       // the pack and its figure
        {pack.getX() + pack.getWidth() / 4, pack.getY(), slot, pack.getHeight()}}; // slots
    const auto [x, y, width, height] = targets[below(6)];
    const int clickX = x + below(std::max(width, 1)), clickY = y + below(std::max(height, 1));
    shell.messages.push_back([clickX, clickY](HeadlessShell &s) {
      s.leftButtonDown(clickX, TEST_HEIGHT - clickY); // the interface counts from the bottom
    });
    ASSERT_EQ(shell.step(), MainLoop::Pass::Drew) << "click " << click;
    heldClicks += game.getHeldObject() != nullptr ? 1 : 0;
    click == CLICKS_BEFORE_MEASURING ? void(settled = measureMemory()) : void();
  }
  const Memory end = measureMemory();
  std::printf("clicks: %d, %d of them with an item held; resident %ld then %ld kB, live heap "
              "%.0f then %.0f bytes\n",
              CLICKS, heldClicks, settled.resident, end.resident, settled.live, end.live);
  EXPECT_GT(heldClicks, CLICKS / 20); // items were taken up, carried and put down
  EXPECT_LT(ADDRESS_SANITIZER ? (end.live - settled.live) / 1024 : end.resident - settled.resident,
            CLICK_GROWTH_KB);
  shell.requestQuit();
  EXPECT_EQ(shell.step(), MainLoop::Pass::Ended);
  EXPECT_EQ(shell.finish(), 0);
}

} // namespace
