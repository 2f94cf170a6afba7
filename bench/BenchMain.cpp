// The game's performance benchmark: the real scene hooks on the headless
// context at 1024 x 768, and one recorded game frame replayed bare, with no
// game code, for comparison. Run from the source folder so that Data/ is
// found. Prints its figures as Markdown; exits 1 when the benchmark could
// not run or its self-check failed (the targets only inform).

#include "BenchScene.h"
#include "FrameRecording.h"
#include "GlRecorder.h"
#include "HeadlessContext.h"
#include "Samples.h"
#include "SquareOnScreen.h"

#include "game/Game.h"
#include "gfx/Gl.h"
#include "gfx/Picking.h"
#include "objects/Being.h"
#include "objects/Equipment.h"
#include "shell/KeyCodes.h"
#include "shell/Scene.h"
#include "shell/ShellWindow.h"
#include "world/Space.h"
#include "world/View.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

using namespace bench;

constexpr int START_RUNS = 15;
constexpr int ADVANCE_RUNS = 1000;
constexpr int FRAME_RUNS = 300;
constexpr int CLICK_RUNS = 500;

constexpr double START_TARGET = 150.0;
constexpr double ADVANCE_TARGET = 0.2;
constexpr double FRAME_TARGET = 16.7;
constexpr double CLICK_TARGET = 2.0;
constexpr double RATIO_TARGET = 1.10;
constexpr double TAIL_PERCENT = 99.0;

constexpr int BYTES_PER_PIXEL = 4;

HeadlessWindow window;
KeyTable keys;

void frame() {
  advanceScene(FRAME_MILLISECONDS);
  renderScene();
}

void drawAndFinish() {
  renderScene();
  glFinish();
}

bool measureStart(Samples &samples) {
  for (int run = 0; run < START_RUNS; ++run) {
    bool started = false;
    samples.time([&started] {
      started = startScene(&window, &keys);
      glFinish();
    });
    if (!started) {
      std::fprintf(stderr, "cannot load %s: run from the source folder\n", sceneFailedFile());
      return false;
    }
    stopScene();
  }
  return true;
}

// Puts the cursor where the centre of space (x, y) of the centre cell is
// drawn through the camera of a frame.
void aimAtSpace(int x, int y) {
  squareOnScreen(x, y, window.getClientWidth(), window.getClientHeight(), mouseX, mouseY);
}

Space &worldClickSpace() {
  return game.getWorld()
      .getCell(LoadedArea::CENTRE, LoadedArea::CENTRE)
      .getSpace(static_cast<int>(game.getPlayerLocalX()) + WORLD_CLICK_DX,
                static_cast<int>(game.getPlayerLocalY()));
}

void aimAtWorldClick() {
  aimAtSpace(static_cast<int>(game.getPlayerLocalX()) + WORLD_CLICK_DX,
             static_cast<int>(game.getPlayerLocalY()));
}

// What a click that only marks, or hits bare window background, must leave
// alone.
struct GameState {
  WorldObject *held;
  std::int32_t mode;
  std::int32_t carried;
  bool inventoryOpen;
  bool pileOpen;
  std::size_t logLines;
  Space *marked;
  std::array<Item *, 5> worn;

  static GameState now() {
    const Equipment &equipment = game.getPlayer()->getEquipment();
    return {game.getHeldObject(),
            game.getPlayer()->getActionMode(),
            game.getPlayer()->getInventory().size(),
            game.getInventoryWindow().isOpen(),
            game.getPileWindow().isOpen(),
            game.getTextWindow().getLines().size(),
            game.findMarkedSpace(),
            {equipment.get(PickHeadSlot), equipment.get(PickLeftHandSlot),
             equipment.get(PickRightHandSlot), equipment.get(PickBodySlot),
             equipment.get(PickFeetSlot)}};
  }

  bool operator==(const GameState &other) const {
    return held == other.held && mode == other.mode && carried == other.carried &&
           inventoryOpen == other.inventoryOpen && pileOpen == other.pileOpen &&
           logLines == other.logLines && marked == other.marked && worn == other.worn;
  }
};

// A started game with the inventory window open and the square beside the
// player marked by a click, the cursor over that square.
bool prepareGame() {
  if (!startScene(&window, &keys)) {
    return false;
  }
  std::srand(WALK_SEED);
  // The first update derives every square's flags, as in the running game.
  frame();
  keys.down[KeyI] = true;
  frame();
  aimAtWorldClick();
  pickAtCursor(true);
  frame();
  return game.getInventoryWindow().isOpen() &&
         worldClickSpace().getSelected() == Game::MARK_CHOSEN && game.getHeldObject() == nullptr;
}

std::vector<unsigned char> readFrame() {
  std::vector<unsigned char> pixels(static_cast<std::size_t>(window.width) * window.height *
                                    BYTES_PER_PIXEL);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, window.width, window.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

struct PixelComparison {
  std::size_t differing = 0;
  int largest = 0;
  std::size_t lit = 0; // pixels of the first frame that are not black

  PixelComparison() = default;
  PixelComparison(const std::vector<unsigned char> &first,
                  const std::vector<unsigned char> &second) {
    for (std::size_t p = 0; p < first.size(); p += BYTES_PER_PIXEL) {
      int difference = 0;
      bool black = true;
      for (int c = 0; c < 3; ++c) {
        difference = std::max(difference, std::abs(first[p + c] - second[p + c]));
        black = black && first[p + c] == 0;
      }
      differing += difference > 0 ? 1 : 0;
      largest = std::max(largest, difference);
      lit += black ? 0 : 1;
    }
  }
};

// Processor time of the whole process, every thread (llvmpipe rasterises
// on its own threads), spent in the operation: unlike the elapsed time it
// does not grow when other processes take the processors.
template <typename Operation> double cpuMillisecondsOf(Operation operation) {
  const std::clock_t start = std::clock();
  operation();
  return 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// How busy the machine is: other processes slow the elapsed figures.
std::string loadAverage() {
  double averages[3] = {};
  std::FILE *file = std::fopen("/proc/loadavg", "r");
  if (file == nullptr) {
    return "unknown";
  }
  const int read = std::fscanf(file, "%lf %lf %lf", &averages[0], &averages[1], &averages[2]);
  std::fclose(file);
  if (read != 3) {
    return "unknown";
  }
  char text[64];
  std::snprintf(text, sizeof text, "%.2f, %.2f, %.2f", averages[0], averages[1], averages[2]);
  return text;
}

const char *yesNo(bool value) {
  return value ? "yes" : "no";
}

void printFigure(const char *name, const Samples &samples, double target) {
  const double median = samples.median();
  std::printf("| %s | %zu | %.3f | %.3f | <= %.1f | %s |\n", name, samples.count(), median,
              samples.percentile(TAIL_PERCENT), target, yesNo(median <= target));
}

struct FrameFigures {
  Samples game;
  Samples replay;
  double gameProcessor = 0.0; // per frame
  double replayProcessor = 0.0;
};

void replayAndFinish(const FrameRecording &recording) {
  recording.replay();
  glFinish();
}

Samples measureAdvance() {
  Samples samples;
  for (int run = 0; run < ADVANCE_RUNS; ++run) {
    samples.time([] { advanceScene(FRAME_MILLISECONDS); });
    // Finished, so that the rasteriser's threads do not share the
    // processors with the next update.
    drawAndFinish();
  }
  return samples;
}

// Interleaved, so that a busy machine slows both alike.
FrameFigures measureFrames(const FrameRecording &recording) {
  for (int run = 0; run < WARM_UP_FRAMES; ++run) {
    drawAndFinish();
    replayAndFinish(recording);
  }
  FrameFigures figures;
  for (int run = 0; run < FRAME_RUNS; ++run) {
    figures.gameProcessor += cpuMillisecondsOf([&figures] { figures.game.time(drawAndFinish); });
    figures.replayProcessor += cpuMillisecondsOf([&figures, &recording] {
      figures.replay.time([&recording] { replayAndFinish(recording); });
    });
  }
  figures.gameProcessor /= FRAME_RUNS;
  figures.replayProcessor /= FRAME_RUNS;
  return figures;
}

// Clicks come between frames, as from the window procedure.
template <typename Aim> Samples measureClicks(Aim aim) {
  Samples samples;
  for (int run = 0; run < CLICK_RUNS; ++run) {
    aim();
    samples.time([] { pickAtCursor(true); });
    drawAndFinish();
  }
  return samples;
}

void aimAtBackground() {
  mouseX = BACKGROUND_X;
  mouseY = BACKGROUND_Y;
}

struct SelfCheck {
  FrameRecording recording;
  bool stable = false;
  PixelComparison pixels;
  bool stateKept = false;

  bool passed() const {
    return recording.unreplayedCalls().empty() && stable && pixels.differing == 0 &&
           pixels.lit > 0 && stateKept;
  }
};

// Records one frame twice, then draws it once by the game and once by the
// replay and compares the pictures.
void recordFrame(SelfCheck &check) {
  GlRecorder::start(check.recording);
  drawAndFinish();
  GlRecorder::stop();
  FrameRecording again;
  GlRecorder::start(again);
  drawAndFinish();
  GlRecorder::stop();
  check.stable = check.recording.sameCallsAs(again);

  drawAndFinish();
  const std::vector<unsigned char> gamePixels = readFrame();
  replayAndFinish(check.recording);
  check.pixels = PixelComparison(gamePixels, readFrame());
}

void printFigures(const Samples &start, const Samples &advance, const FrameFigures &frames,
                  const Samples &worldClicks, const Samples &interfaceClicks) {
  std::printf("## Figures\n\n");
  std::printf("| Measure | Runs | Median (ms) | 99th percentile (ms) | Target (ms) | Met |\n");
  std::printf("|---|---|---|---|---|---|\n");
  printFigure("startScene (textures, font, set-up)", start, START_TARGET);
  printFigure("advanceScene", advance, ADVANCE_TARGET);
  printFigure("renderScene + glFinish", frames.game, FRAME_TARGET);
  printFigure("bare replay + glFinish", frames.replay, FRAME_TARGET);
  printFigure("world click (pickAtCursor)", worldClicks, CLICK_TARGET);
  printFigure("interface click (pickAtCursor)", interfaceClicks, CLICK_TARGET);
  const double ratio = frames.game.median() / frames.replay.median();
  std::printf("\nGame frame / bare replay (medians): %.3f (target <= %.2f: %s)\n\n", ratio,
              RATIO_TARGET, yesNo(ratio <= RATIO_TARGET));
  std::printf("Processor time per frame, all threads: game %.3f ms, bare replay %.3f ms.\n\n",
              frames.gameProcessor, frames.replayProcessor);
}

void printSelfCheck(const SelfCheck &check) {
  const FrameRecording &recording = check.recording;
  std::printf("## Self-check\n\n");
  std::printf("- one frame issues %zu GL calls: %zu quads begun, %zu texture binds (%zu of them "
              "rebind the bound texture), %zu text strings through call lists\n",
              recording.size(), recording.countOf(GlOp::Begin),
              recording.countOf(GlOp::BindTexture), recording.redundantBinds(),
              recording.countOf(GlOp::CallLists));
  std::printf("- every call of the frame is replayed: %s",
              yesNo(recording.unreplayedCalls().empty()));
  for (const std::string &name : recording.unreplayedCalls()) {
    std::printf(" (not %s)", name.c_str());
  }
  std::printf("\n- two game frames issue the same calls: %s\n", yesNo(check.stable));
  std::printf("- game frame against replay frame: %zu of %d pixels differ, largest channel "
              "difference %d (%zu pixels drawn, not black)\n",
              check.pixels.differing, window.width * window.height, check.pixels.largest,
              check.pixels.lit);
  std::printf("- the clicks left the game as it was (inventory open, one square marked, nothing "
              "held or moved): %s\n",
              yesNo(check.stateKept));
}

} // namespace

int main() {
  if (!makeTestContextCurrent()) {
    std::fprintf(stderr, "no headless OpenGL context\n");
    return 1;
  }
  std::printf("- Renderer: %s\n- OpenGL version: %s\n",
              reinterpret_cast<const char *>(glGetString(GL_RENDERER)),
              reinterpret_cast<const char *>(glGetString(GL_VERSION)));
  const std::string loadAtStart = loadAverage();

  Samples start;
  if (!measureStart(start) || !prepareGame()) {
    std::fprintf(stderr, "the game could not be set up\n");
    return 1;
  }
  const GameState prepared = GameState::now();
  const Samples advance = measureAdvance();
  // From here on nothing advances: every frame draws the same scene.
  aimAtWorldClick();
  SelfCheck check;
  recordFrame(check);
  const FrameFigures frames = measureFrames(check.recording);
  const Samples worldClicks = measureClicks(aimAtWorldClick);
  const bool marked = worldClickSpace().getSelected() == Game::MARK_CHOSEN;
  const Samples interfaceClicks = measureClicks(aimAtBackground);
  check.stateKept =
      marked && game.isOverInventory(BACKGROUND_X, BACKGROUND_Y) && GameState::now() == prepared;
  stopScene();

  std::printf("- Load average (1, 5, 15 min) at start: %s; at end: %s\n\n", loadAtStart.c_str(),
              loadAverage().c_str());
  printFigures(start, advance, frames, worldClicks, interfaceClicks);
  printSelfCheck(check);
  return check.passed() ? 0 : 1;
}
