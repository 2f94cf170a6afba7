#include "HeadlessContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <map>
#include <utility>

namespace {

// The game's own OpenGL 1.1 calls need the compatibility profile; in an ES
// build they reach the layer, which needs an OpenGL ES 2 context.
#if defined(PICKRPG_GL_ES)
constexpr EGLenum CONTEXT_API = EGL_OPENGL_ES_API;
constexpr EGLint RENDERABLE_TYPE = EGL_OPENGL_ES2_BIT;
constexpr EGLint CONTEXT_ATTRIBUTES[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
#else
constexpr EGLenum CONTEXT_API = EGL_OPENGL_API;
constexpr EGLint RENDERABLE_TYPE = EGL_OPENGL_BIT;
constexpr EGLint CONTEXT_ATTRIBUTES[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                         EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
#endif
// Off screen, 8 bits a channel and a depth buffer, as the game's window has.
// clang-format off
constexpr EGLint CONFIG_ATTRIBUTES[] = {
    EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, RENDERABLE_TYPE,
    EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
    EGL_DEPTH_SIZE, 16, EGL_NONE};
// clang-format on

EGLDisplay display = EGL_NO_DISPLAY;
EGLConfig config = nullptr;
EGLContext context = EGL_NO_CONTEXT;
EGLSurface current = EGL_NO_SURFACE;

// One pbuffer per size asked for, kept for the process's life.
EGLSurface surfaceOfSize(int width, int height) {
  static std::map<std::pair<int, int>, EGLSurface> surfaces;
  EGLSurface &surface = surfaces[{width, height}];
  if (surface == EGL_NO_SURFACE) {
    const EGLint attributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    surface = eglCreatePbufferSurface(display, config, attributes);
  }
  return surface;
}

bool makeCurrent(EGLSurface surface) {
  current = surface;
  return surface != EGL_NO_SURFACE && eglMakeCurrent(display, surface, surface, context);
}

bool createContext() {
  context = eglCreateContext(display, config, EGL_NO_CONTEXT, CONTEXT_ATTRIBUTES);
  return context != EGL_NO_CONTEXT;
}

bool openDisplay() {
  display = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  EGLint count = 0;
  return display != EGL_NO_DISPLAY && eglInitialize(display, nullptr, nullptr) &&
         eglBindAPI(CONTEXT_API) &&
         eglChooseConfig(display, CONFIG_ATTRIBUTES, &config, 1, &count) && count == 1 &&
         createContext();
}

} // namespace

bool makeTestContextCurrent(int width, int height) {
  static const bool opened = openDisplay();
  return opened && makeCurrent(surfaceOfSize(width, height));
}

bool recreateTestContext() {
  if (!makeTestContextCurrent()) {
    return false;
  }
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(display, context);
  return createContext() && makeCurrent(current);
}
