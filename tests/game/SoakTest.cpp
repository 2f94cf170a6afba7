// Long runs: seeded random play through the real hooks with the whole world
// audited after every frame, mode switches that must leak nothing, and clicks
// through the shell that must leave memory flat. PICKRPG_SOAK_FRAMES,
// PICKRPG_SOAK_SEED and PICKRPG_RESTARTS size them.

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
#include <sstream>
#include <tuple>

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

// The process's memory in kilobytes: resident and its peak; under
// AddressSanitizer, whose quarantine of freed blocks fills the resident set,
// what counts is the heap allocated and not freed.
struct Memory {
  long resident = 0, peak = 0, live = 0;
  long held() const { return live > 0 ? live : resident; }
};

Memory measureMemory() {
  Memory memory;
#ifdef SOAK_ADDRESS_SANITIZER
  // Emptied of the quarantine's freed blocks, only live memory stays.
  __sanitizer_purge_allocator();
  memory.live = long(__sanitizer_get_current_allocated_bytes() / 1024);
#endif
  // Freed heap pages go back to the system first: what stays resident is held.
  malloc_trim(0);
  std::ifstream status("/proc/self/status");
  for (std::string field; status >> field;) {
    field == "VmRSS:" ? void(status >> memory.resident) : void();
    field == "VmHWM:" ? void(status >> memory.peak) : void();
  }
  EXPECT_GT(memory.resident, 0) << "no VmRSS in /proc/self/status";
  return memory;
}

// What a being's pack holds, or what it wears.
double weight(const Being &being, bool worn) {
  double sum = 0.0;
  for (std::int32_t k = 0; k < being.getInventory().size() && !worn; ++k) {
    const auto *item = dynamic_cast<const Item *>(being.getInventory().at(k));
    sum += item == nullptr ? 0.0 : item->getWeight();
  }
  for (std::int32_t slot = PickHeadSlot; slot <= PickFeetSlot && worn; ++slot) {
    sum += being.getEquipped(slot) == nullptr ? 0.0 : being.getEquipped(slot)->getWeight();
  }
  return sum;
}

// The bookkeeping of the running game: after every frame it counts the
// places that hold each item and being (the piles and squares of all 8100
// spaces, square k being x = k / 30 % 30, y = k % 30 of cell (k / 2700,
// k / 900 % 3); each being's pack and slots; the cursor) and names each rule
// that no longer holds, one a line.
class Audit {
public:
  long carried = 0, eaten = 0; // frames with an item on the cursor, apples eaten: over every game

  void beginGame() {
    objects.clear(), wornAtStart.clear(), eatenBefore = eaten;
    ObjectStore::forEach([this](const WorldObject &object) {
      const auto *being = dynamic_cast<const Being *>(&object);
      being != nullptr ? void(wornAtStart[being] = weight(*being, true)) : void();
      being != nullptr || dynamic_cast<const Item *>(&object) != nullptr
          ? objects.push_back(&object)
          : void();
    });
    logLines = game.getTextWindow().getLines().size();
  }

  std::string check() {
    const std::vector<std::string> &log = game.getTextWindow().getLines();
    for (; logLines < log.size(); ++logLines) {
      eaten += log[logLines] == "You ate one apple." ? 1 : 0;
    }
    std::map<const WorldObject *, int> found; // how many places hold each object
    for (int k = 0; k < 9 * 900; ++k) {
      const Space &space =
          game.getWorld().getCell(k / 2700, k / 900 % 3).getSpace(k / 30 % 30, k % 30);
      for (std::int32_t i = 0; i < space.getItemPile().size(); ++i) {
        ++found[space.getItemPile().at(i)];
      }
      ++found[space.getBeing()];
    }
    std::ostringstream problems;
    for (const auto &[being, worn] : wornAtStart) {
      for (std::int32_t i = 0; i < being->getInventory().size(); ++i) {
        ++found[being->getInventory().at(i)];
      }
      for (std::int32_t slot = PickHeadSlot; slot <= PickFeetSlot; ++slot) {
        ++found[being->getEquipped(slot)];
      }
      // Equipping adds an item's weight and taking it off subtracts it, but a
      // being is made wearing its items without their weight: so the total
      // is the pack, plus what is worn now, minus what was worn at the start.
      const double total = being->getInventory().getTotalWeight();
      const double expected = weight(*being, false) + weight(*being, true) - worn;
      if (std::fabs(total - expected) > 1e-9) {
        problems << being->getName() << " carries " << total << ", its pack and slots make "
                 << expected << "\n";
      }
    }
    ++found[game.getHeldObject()];
    carried += game.getHeldObject() != nullptr ? 1 : 0;
    long applesGone = 0; // only eaten apples may vanish; a being is on one square
    for (const WorldObject *object : objects) {
      const bool apple = object->getKind() == AppleKind;
      applesGone += apple && found[object] == 0 ? 1 : 0;
      if (found[object] > 1 || (found[object] == 0 && !apple)) {
        problems << object->getName() << " is in " << found[object] << " places\n";
      }
    }
    if (applesGone != eaten - eatenBefore) {
      problems << applesGone << " apples gone, " << eaten - eatenBefore << " eaten\n";
    }
    return problems.str();
  }

private:
  std::vector<const WorldObject *> objects;
  std::map<const Being *, double> wornAtStart;
  std::size_t logLines = 0;
  long eatenBefore = 0; // by the games before this one
};

// Where a player clicks, in pixels from the top left: anywhere (the world
// mostly), a button, the pack's items, its close and scroll squares, or (a
// third of the clicks while an item is held) a slot of the equipment figure,
// so that items are worn and taken off as well as moved. A click meant for
// the closed pack opens it.
std::pair<int, int> playerClick(const std::function<int(int)> &below) {
  const InventoryWindow &pack = game.getInventoryWindow();
  const int half = pack.getWidth() / 2, cell = half / 6, h = pack.getHeight(), slot = below(5);
  const int mx = half / 2 - cell / 2, my = h / 2 - cell / 2; // the middle of the figure
  const int slotX[] = {mx, cell, half - 2 * cell, mx, mx};
  const int slotY[] = {h - 2 * cell, my, my, my, cell};
  const int target = game.getHeldObject() != nullptr && below(3) == 0 ? 4 : below(4);
  const bool opening = target >= 2 && !pack.isOpen();
  const std::array<int, 4> rectangles[] = {
      {0, 0, LOGICAL_SCREEN_WIDTH, LOGICAL_SCREEN_HEIGHT},
      {game.buttonAt(opening ? 5 : below(Game::BUTTON_COUNT)).getX() + 1, 11, 66, 66},
      {pack.getX() + half, pack.getY(), half, h},
      {pack.getX() + 2 * half - 30, pack.getY(), 30, h},
      {pack.getX() + slotX[slot] + 1, pack.getY() + slotY[slot] + 1, cell - 2, cell - 2}};
  const auto [x, y, width, height] = rectangles[opening ? 1 : target];
  const int up = below(height);
  return {x + below(width), LOGICAL_SCREEN_HEIGHT - y - up};
}

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
  Audit audit;
  Memory settled; // once the first games have filled the driver's caches
  for (std::uint32_t frame = 0; frame <= frames; ++frame) {
    frame == WARM_UP_FRAMES ? void(settled = measureMemory()) : void();
    SCOPED_TRACE(testing::Message() << "frame " << frame << " of seed " << seed);
    const int roll = frame == 0 ? 0 : below(1000);
    if (roll < 4) { // frame 0 starts the first game
      keys.down[roll < 3 ? KeyF1 : KeyEscape] = frame > 0;
      advanceScene(16);
      stopScene(), keys.clear();
      ASSERT_TRUE(startScene(&window, &keys));
      std::srand(random()); // the scene seeds the wandering with the time; the soak's seed decides
      audit.beginGame();
    } else if (roll < 504) {
      std::tie(mouseX, mouseY) = playerClick(below);
      pickAtCursor(true);
    } else if (roll < 724) {
      for (int n = below(10) == 0 ? 2 : 1; n > 0; --n) { // at times two at once
        keys.down[gameKeys[below(12)]] = true;
      }
    } else if (roll < 744) {
      mouseX = below(LOGICAL_SCREEN_WIDTH), mouseY = below(LOGICAL_SCREEN_HEIGHT);
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
    ASSERT_EQ(audit.check(), "") << "roll " << roll << " at (" << mouseX << ", " << mouseY
                                 << "), then a frame of " << elapsed << " ms";
  }
  const int restarts = window.modeToggleRequests + window.quitRequests;
  const Memory end = measureMemory();
  std::printf(
      "soak: %u frames, seed %u: %d restarts, %ld frames carrying, %ld apples eaten; resident "
      "%ld kB after %u frames, peak %ld kB, live heap %ld then %ld kB\n",
      frames, seed, restarts, audit.carried, audit.eaten, settled.resident, WARM_UP_FRAMES,
      end.peak, settled.live, end.live);
  // A game holds the same objects however long it runs, so after the warm-up
  // only a leak can add more than the bound, by any count of frames.
  if (frames > WARM_UP_FRAMES) {
    EXPECT_LE(end.live > 0 ? end.live - settled.live : end.peak - settled.resident, PEAK_GROWTH_KB);
  }
  if (frames >= ciFrames) { // a soak that moved nothing would have proved nothing
    EXPECT_GT(audit.carried, 0);
    EXPECT_GT(restarts, 0);
  }
}

// The one context here outlives every start, so whatever a stop kept would
// pile up; under LeakSanitizer the process's exit also proves that no switch
// leaked. The first switch is F1 as the shell carries it out, in a game
// paused with an item held and the pack open, into a window of another size:
// nothing of the old game is left.
TEST_F(Soak, RestartsFreeTheObjectsImagesAndFontAndLeaveMemoryFlat) {
  const std::uint32_t restarts = parameter("PICKRPG_RESTARTS", 200);
  const std::size_t objectsPerGame = ObjectStore::count();
  const GLuint font = fontListBase, first = textures[0].textureId,
               last = textures[TEXTURE_COUNT - 1].textureId;
  game.setHeldObject(ObjectStore::make<Item>(SwordKind));
  press(KeyI), press(KeySpace), press(KeyF1);
  ASSERT_EQ(window.modeToggleRequests, 1);
  window.width = 800, window.height = 600;
  Memory settled;
  for (std::uint32_t i = 1; i <= restarts; ++i) {
    stopScene();
    EXPECT_FALSE(i == 1 && (glIsList(font) || glIsTexture(first) || glIsTexture(last)));
    keys.clear();
    ASSERT_TRUE(startScene(&window, &keys)) << "switch " << i;
    advanceScene(16), renderScene();
    glFinish(); // as the buffer swap does: else llvmpipe queues frames and holds their memory
    ASSERT_EQ(ObjectStore::count(), objectsPerGame) << "switch " << i;
    EXPECT_FALSE(game.getHeldObject() != nullptr || game.isPaused() ||
                 game.getInventoryWindow().isOpen() || game.getPlayerWorldX() != 44)
        << "switch " << i;
    // The first switches fill the GL driver's caches and the allocator's free lists.
    i == std::max(1u, restarts / 4) ? void(settled = measureMemory()) : void();
  }
  const Memory end = measureMemory();
  std::printf("restarts: %u mode switches; resident %ld then %ld kB, live heap %ld then %ld kB\n",
              restarts, settled.resident, end.resident, settled.live, end.live);
  EXPECT_LE(end.resident, settled.resident * 1.05);
  EXPECT_LE(end.live, settled.live * 1.05);
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
    if (messages.empty()) {
      return Message::NoneWaiting;
    }
    const auto message = messages.front();
    messages.pop_front();
    return message ? (message(*this), Message::Handled) : Message::Quit;
  }
  void waitForMessage() override {}
  bool isVisible() const override { return true; }
  void swapBuffers() override { glFinish(); }
  std::uint32_t tickCount() override { return ticks += 16; }
  void showError(const char *text) override { ADD_FAILURE() << text; }
  void postQuit() override { messages.push_back(nullptr); }
  void postModeToggle() override {}

private:
  std::uint32_t ticks = 0;
};

// Every kind of click a player makes, each followed by a frame, with an item
// held or not, in every action mode (chosen by key or by button). Resident
// memory after the first hundred clicks must stay where it was.
TEST_F(GlTest, ClicksOfEveryKindThroughTheShellLeaveMemoryFlat) {
  ASSERT_EQ(chdir(PICKRPG_SOURCE_DIR), 0);
  HeadlessShell shell;
  ASSERT_TRUE(shell.begin(false));
  std::mt19937 random(20);
  const auto below = [&random](int bound) { return int(random() % unsigned(bound)); };
  const int modeKeys[] = {KeyG, KeyL, KeyU, KeyA, KeyM, KeyI, KeyS};
  Memory settled;
  int heldClicks = 0;
  for (int click = 1; click <= CLICKS; ++click) {
    if (below(4) == 0) { // a mode, or a window opened or closed, by key
      const int key = modeKeys[below(7)];
      shell.messages.push_back([key](HeadlessShell &s) { s.keyDown(key), s.keyUp(key); });
    }
    const InventoryWindow &pack = game.getInventoryWindow();
    const int slot = pack.getWidth() / 12; // a sixth of the figure's half
    const auto area = [](const Widget &widget) {
      return std::array<int, 4>{widget.getX(), widget.getY(), widget.getWidth(),
                                widget.getHeight()};
    };
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
              "%ld then %ld kB\n",
              CLICKS, heldClicks, settled.resident, end.resident, settled.live, end.live);
  EXPECT_GT(heldClicks, CLICKS / 20); // items were taken up, carried and put down
  EXPECT_LT(end.held() - settled.held(), CLICK_GROWTH_KB);
  shell.requestQuit();
  EXPECT_EQ(shell.step(), MainLoop::Pass::Ended);
  EXPECT_EQ(shell.finish(), 0);
}

} // namespace
