#include "HeadlessContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

namespace {

// The game's own OpenGL 1.1 calls need the compatibility profile; in an ES
// build they reach the layer, which needs an OpenGL ES 2 context.
#if defined(PICKRPG_GL_ES)
constexpr EGLenum CONTEXT_API = EGL_OPENGL_ES_API;
constexpr EGLint RENDERABLE_TYPE = EGL_OPENGL_ES2_BIT;
constexpr EGLint CONTEXT_VERSION_ATTRIBUTE = EGL_CONTEXT_CLIENT_VERSION;
constexpr EGLint CONTEXT_VERSION = 2;
#else
constexpr EGLenum CONTEXT_API = EGL_OPENGL_API;
constexpr EGLint RENDERABLE_TYPE = EGL_OPENGL_BIT;
constexpr EGLint CONTEXT_VERSION_ATTRIBUTE = EGL_CONTEXT_OPENGL_PROFILE_MASK;
constexpr EGLint CONTEXT_VERSION = EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT;
#endif

struct EglState {
  EGLDisplay display = EGL_NO_DISPLAY;
  EGLSurface surface = EGL_NO_SURFACE;
  EGLContext context = EGL_NO_CONTEXT;
};

bool createContext(EglState &state) {
  auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (getPlatformDisplay == nullptr) {
    return false;
  }
  state.display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (state.display == EGL_NO_DISPLAY || !eglInitialize(state.display, nullptr, nullptr)) {
    return false;
  }
  if (!eglBindAPI(CONTEXT_API)) {
    return false;
  }
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                     EGL_PBUFFER_BIT,
                                     EGL_RENDERABLE_TYPE,
                                     RENDERABLE_TYPE,
                                     EGL_RED_SIZE,
                                     8,
                                     EGL_GREEN_SIZE,
                                     8,
                                     EGL_BLUE_SIZE,
                                     8,
                                     EGL_ALPHA_SIZE,
                                     8,
                                     EGL_DEPTH_SIZE,
                                     16,
                                     EGL_NONE};
  EGLConfig config = nullptr;
  EGLint count = 0;
  if (!eglChooseConfig(state.display, configAttributes, &config, 1, &count) || count < 1) {
    return false;
  }
  const EGLint surfaceAttributes[] = {EGL_WIDTH, SURFACE_WIDTH, EGL_HEIGHT, SURFACE_HEIGHT,
                                      EGL_NONE};
  state.surface = eglCreatePbufferSurface(state.display, config, surfaceAttributes);
  if (state.surface == EGL_NO_SURFACE) {
    return false;
  }
  const EGLint contextAttributes[] = {CONTEXT_VERSION_ATTRIBUTE, CONTEXT_VERSION, EGL_NONE};
  state.context = eglCreateContext(state.display, config, EGL_NO_CONTEXT, contextAttributes);
  if (state.context == EGL_NO_CONTEXT) {
    return false;
  }
  return eglMakeCurrent(state.display, state.surface, state.surface, state.context);
}

} // namespace

bool makeTestContextCurrent() {
  static EglState state;
  static const bool created = createContext(state);
  return created && eglMakeCurrent(state.display, state.surface, state.surface, state.context);
}
