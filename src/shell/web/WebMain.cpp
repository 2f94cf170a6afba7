// The page's way into the game. The page starts a run once the player has
// chosen a mode (and the images have arrived); the browser then calls one
// step of it before every repaint. The page hands over the input the
// runtime has no events for (pointers, its on-screen controls, focus, the
// WebGL context's loss). The last entry points let a test read what the
// game shows without reading pixels off the screen.

#include "game/Game.h"
#include "objects/Being.h"
#include "shell/Scene.h"
#include "shell/web/WebShell.h"
#include "world/Cell.h"
#include "world/LoadedArea.h"
#include "world/Movement.h"
#include "world/Space.h"

#include <emscripten.h>

#include <cstdlib>
#include <string>

namespace {

constexpr int UNSEEDED = -1;
// Frames per second for emscripten_set_main_loop: 0 is every animation frame.
constexpr int ANIMATION_FRAMES = 0;

bool startSeededScene(ShellWindow *window, KeyTable *keys);

const SceneHooks pageScene = {startSeededScene, stopScene,    advanceScene,
                              renderScene,      pickAtCursor, sceneFailedFile};
WebShell shell(pageScene);
bool runActive = false;
int startSeed = UNSEEDED;
std::string logText;

// A seeded start is repeatable: the seed replaces the clock's right after the
// scene's own start, where the native reference frame puts it, and the
// first frame is kept to compare with that one.
bool startSeededScene(ShellWindow *window, KeyTable *keys) {
  const bool started = startScene(window, keys);
  if (started && startSeed != UNSEEDED) {
    std::srand(static_cast<unsigned>(startSeed));
    shell.keepNextFrame();
  }
  return started;
}

EM_JS(void, reportRunEnded, (int exitCode), { Module['runEnded'](exitCode); });

void endRun() {
  runActive = false;
  reportRunEnded(shell.finish());
}

void stepRun() {
  if (shell.step() == MainLoop::Pass::Ended) {
    emscripten_cancel_main_loop();
    endRun();
  }
}

} // namespace

extern "C" {

// Starts a run in the chosen mode, unless one is going on. seed is -1 for
// the desktop's seeding by the clock. Returns 1 when the run is going, 0 when
// it ended at once (the page has been told why).
EMSCRIPTEN_KEEPALIVE int pickrpg_start(int fullScreen, int seed) {
  if (runActive) {
    return 1;
  }
  startSeed = seed;
  if (!shell.begin(fullScreen != 0)) {
    endRun();
    return 0;
  }
  runActive = true;
  emscripten_set_main_loop(stepRun, ANIMATION_FRAMES, EM_FALSE);
  return 1;
}

// A pointer event on the canvas: kind 0 down, 1 move; x and y in CSS
// pixels from the canvas's top-left corner. Ignored between runs.
EMSCRIPTEN_KEEPALIVE void pickrpg_pointer(int kind, int primary, int button, double x, double y) {
  if (runActive) {
    shell.pointerEvent(
        {kind == 0 ? PointerKind::Down : PointerKind::Move, primary != 0, button, x, y});
  }
}

// An on-screen control (the page's data-control number) going down or up.
EMSCRIPTEN_KEEPALIVE void pickrpg_control(int control, int down) {
  if (runActive) {
    shell.controlChanged(control, down != 0);
  }
}

// The page lost focus or was hidden: every key and control held goes up.
EMSCRIPTEN_KEEPALIVE void pickrpg_release_all() {
  if (runActive) {
    shell.releaseEverything();
  }
}

EMSCRIPTEN_KEEPALIVE void pickrpg_context_lost() {
  shell.contextLost();
}

// 1 when the game draws again, 0 when it cannot (the page has been told).
EMSCRIPTEN_KEEPALIVE int pickrpg_context_restored() {
  return shell.contextRestored() ? 1 : 0;
}

// The message log's lines, oldest first, one per line of text.
EMSCRIPTEN_KEEPALIVE const char *pickrpg_log_lines() {
  logText.clear();
  for (const std::string &line : game.getTextWindow().getLines()) {
    logText += line;
    logText += '\n';
  }
  return logText.c_str();
}

// Where the player stands in the world.
EMSCRIPTEN_KEEPALIVE double pickrpg_player_x() {
  return game.getPlayerWorldX();
}

EMSCRIPTEN_KEEPALIVE double pickrpg_player_y() {
  return game.getPlayerWorldY();
}

// 1 when a step dx squares right would be taken now: the player stands at
// rest (a step pressed while it still slides from the last one is refused,
// as a key tapped then is) and no other being stands there. A test waits for
// this before it steps.
EMSCRIPTEN_KEEPALIVE int pickrpg_player_can_step(int dx) {
  const int x = static_cast<int>(wrapToCell(game.getPlayerWorldX() + static_cast<float>(dx)));
  const int y = static_cast<int>(wrapToCell(game.getPlayerWorldY()));
  const Space &square =
      game.getWorld().getCell(LoadedArea::CENTRE, LoadedArea::CENTRE).getSpace(x, y);
  return game.getPlayer()->getActionMode() == None && square.getBeing() == nullptr ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int pickrpg_frame_count() {
  return shell.framesDrawn();
}

EMSCRIPTEN_KEEPALIVE void pickrpg_keep_next_frame() {
  shell.keepNextFrame();
}

// The kept frame (RGBA rows from the bottom up, the drawing buffer's size
// when it was drawn), or null until it is drawn.
EMSCRIPTEN_KEEPALIVE const std::uint8_t *pickrpg_kept_frame() {
  return shell.keptFrame();
}

EMSCRIPTEN_KEEPALIVE int pickrpg_kept_frame_width() {
  return shell.keptFrameWidth();
}

EMSCRIPTEN_KEEPALIVE int pickrpg_kept_frame_height() {
  return shell.keptFrameHeight();
}
}
