// The smallest program that shows Mesa's GL_SELECT keeping memory (22.3,
// llvmpipe): on a surfaceless EGL pbuffer, each round draws a frame of
// immediate-mode quads, waits for it as a buffer swap does, then runs one
// selection pass of a hundred named quads. Resident memory grows by about
// the frame's vertex data every round; without the pass (none) it stays flat.
// It calls the GL directly, not through gfx/Gl.h.
//
//   pickrpg_selection_leak select|none [ROUNDS] [QUADS PER FRAME]

#define PICKRPG_GL_SELECT_MODE
#include "gfx/Gl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

constexpr int WIDTH = 1024, HEIGHT = 768;
constexpr int WARM_UP_ROUNDS = 50;
constexpr int PASS_QUADS = 100;
constexpr int SELECTION_ENTRIES = 512;
constexpr int EXIT_USAGE = 2;

long residentKilobytes() {
  std::ifstream status("/proc/self/status");
  long value = 0;
  for (std::string field; status >> field && field != "VmRSS:";) {
  }
  status >> value;
  return value;
}

bool makeContext() {
  auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  EGLDisplay display =
      getPlatformDisplay == nullptr
          ? EGL_NO_DISPLAY
          : getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr) ||
      !eglBindAPI(EGL_OPENGL_API)) {
    return false;
  }
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                     EGL_OPENGL_BIT,   EGL_DEPTH_SIZE,  16,
                                     EGL_NONE};
  EGLConfig config = nullptr;
  EGLint count = 0;
  if (!eglChooseConfig(display, configAttributes, &config, 1, &count) || count < 1) {
    return false;
  }
  const EGLint surfaceAttributes[] = {EGL_WIDTH, WIDTH, EGL_HEIGHT, HEIGHT, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
  return surface != EGL_NO_SURFACE && context != EGL_NO_CONTEXT &&
         eglMakeCurrent(display, surface, surface, context);
}

// count thin quads across the view, each under its own name in a pass.
void drawQuads(int count) {
  for (int i = 0; i < count; ++i) {
    const float x = -1.0f + 2.0f * static_cast<float>(i) / static_cast<float>(count);
    glLoadName(static_cast<GLuint>(i));
    glBegin(GL_QUADS);
    glVertex3f(x, -1.0f, 0.0f);
    glVertex3f(x + 0.01f, -1.0f, 0.0f);
    glVertex3f(x + 0.01f, 1.0f, 0.0f);
    glVertex3f(x, 1.0f, 0.0f);
    glEnd();
  }
}

void round(bool select, int frameQuads) {
  static GLuint records[SELECTION_ENTRIES];
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawQuads(frameQuads);
  glFinish();
  if (select) {
    glSelectBuffer(SELECTION_ENTRIES, records);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    drawQuads(PASS_QUADS);
    glRenderMode(GL_RENDER);
  }
}

} // namespace

int main(int argc, char **argv) {
  const bool select = argc > 1 && std::strcmp(argv[1], "select") == 0;
  if (argc < 2 || (!select && std::strcmp(argv[1], "none") != 0)) {
    std::fprintf(stderr, "usage: pickrpg_selection_leak select|none [ROUNDS] [QUADS PER FRAME]\n");
    return EXIT_USAGE;
  }
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 300;
  const int frameQuads = argc > 3 ? std::atoi(argv[3]) : 4000;
  if (!makeContext()) {
    std::fprintf(stderr, "no surfaceless EGL context with desktop OpenGL\n");
    return 1;
  }
  for (int i = 0; i < WARM_UP_ROUNDS; ++i) {
    round(select, frameQuads);
  }
  const long before = residentKilobytes();
  for (int i = 0; i < rounds; ++i) {
    round(select, frameQuads);
  }
  const long after = residentKilobytes();
  std::printf("%s, %d rounds of %d quads (%d vertex bytes a frame): resident %ld -> %ld kB, "
              "%.1f kB a round\n",
              argv[1], rounds, frameQuads, frameQuads * 4 * 12, before, after,
              static_cast<double>(after - before) / rounds);
  return 0;
}
