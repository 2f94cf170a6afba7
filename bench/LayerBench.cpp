// The same frame and clicks timed on the real OpenGL 1.1 and on the OpenGL
// ES layer: this file is built twice, into pickrpg_bench_gl (the game on the
// desktop's OpenGL) and pickrpg_bench_es (the game on the layer over the
// desktop's OpenGL ES 2), and bench/run.sh sets their medians side by side.
// Each prints one line per measure: its name and its median in milliseconds.

#include "BenchScene.h"
#include "HeadlessContext.h"
#include "Samples.h"

#include "game/Game.h"
#include "gfx/Gl.h"
#include "gfx/es/Matrix.h"
#include "shell/Camera.h"
#include "shell/KeyCodes.h"
#include "shell/Scene.h"
#include "shell/ShellWindow.h"
#include "world/View.h"

#include <cstdio>
#include <cstdlib>

namespace {

using namespace bench;

constexpr int FRAME_RUNS = 200;
constexpr int CLICK_RUNS = 300;

HeadlessWindow window;
KeyTable keys;

// Where the middle of the square dx squares right of the player's is drawn,
// in client pixels from the top-left corner.
void aimBesidePlayer(float dx) {
  const Matrix camera =
      Matrix::perspective(camera::FIELD_OF_VIEW, static_cast<double>(TEST_WIDTH) / TEST_HEIGHT,
                          camera::NEAR_PLANE, camera::FAR_PLANE) *
      Matrix::translation(static_cast<float>(-camera::SHIFT_X), 0.0f,
                          static_cast<float>(-camera::DISTANCE));
  const Vector4 clip = camera.transform({dx + 0.5f, 0.5f, GROUND_HEIGHT, 1.0f});
  mouseX = static_cast<int>((clip.x / clip.w + 1.0f) * 0.5f * TEST_WIDTH);
  mouseY = TEST_HEIGHT - static_cast<int>((clip.y / clip.w + 1.0f) * 0.5f * TEST_HEIGHT);
}

void report(const char *name, const Samples &samples) {
  std::printf("%s %.3f\n", name, samples.median());
}

} // namespace

int main() {
  if (!makeTestContextCurrent() || !startScene(&window, &keys)) {
    std::fprintf(stderr, "no context, or Data/ not found: run from the source folder\n");
    return 1;
  }
  std::srand(WALK_SEED);
  keys.down[KeyI] = true;
  for (int i = 0; i < WARM_UP_FRAMES; ++i) {
    advanceScene(FRAME_MILLISECONDS);
    renderScene();
  }
  glFinish();
  // The same frame at the logical size and drawn sharp on larger screens:
  // what full resolution costs.
  const struct Drawable {
    const char *name;
    int width, height;
  } drawables[] = {{"frame", TEST_WIDTH, TEST_HEIGHT},
                   {"frame-2048x1536", 2048, 1536},
                   {"frame-2560x1440", 2560, 1440}};
  for (const Drawable &drawable : drawables) {
    window.width = drawable.width, window.height = drawable.height;
    Samples frames;
    for (int run = 0; run < FRAME_RUNS; ++run) {
      frames.time([] {
        renderScene();
        glFinish();
      });
    }
    report(drawable.name, frames);
  }
  window.width = TEST_WIDTH, window.height = TEST_HEIGHT;
  Samples worldClicks, interfaceClicks;
  aimBesidePlayer(static_cast<float>(WORLD_CLICK_DX));
  for (int run = 0; run < CLICK_RUNS; ++run) {
    worldClicks.time([] { pickAtCursor(true); });
  }
  mouseX = BACKGROUND_X, mouseY = BACKGROUND_Y;
  for (int run = 0; run < CLICK_RUNS; ++run) {
    interfaceClicks.time([] { pickAtCursor(true); });
  }
  report("world-click", worldClicks);
  report("interface-click", interfaceClicks);
  stopScene();
  return 0;
}
