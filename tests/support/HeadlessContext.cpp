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
  EGLConfig config = nullptr;
  EGLSurface surface = EGL_NO_SURFACE;
  EGLContext context = EGL_NO_CONTEXT;
};

EglState eglState;

bool createContextOnly(EglState &state) {
  const EGLint contextAttributes[] = {CONTEXT_VERSION_ATTRIBUTE, CONTEXT_VERSION, EGL_NONE};
  state.context = eglCreateContext(state.display, state.config, EGL_NO_CONTEXT, contextAttributes);
  return state.context != EGL_NO_CONTEXT &&
         eglMakeCurrent(state.display, state.surface, state.surface, state.context);
}

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
  EGLint count = 0;
  if (!eglChooseConfig(state.display, configAttributes, &state.config, 1, &count) || count < 1) {
    return false;
  }
  const EGLint surfaceAttributes[] = {EGL_WIDTH, SURFACE_WIDTH, EGL_HEIGHT, SURFACE_HEIGHT,
                                      EGL_NONE};
  state.surface = eglCreatePbufferSurface(state.display, state.config, surfaceAttributes);
  return state.surface != EGL_NO_SURFACE && createContextOnly(state);
}

} // namespace

bool makeTestContextCurrent() {
  static const bool created = createContext(eglState);
  return created &&
         eglMakeCurrent(eglState.display, eglState.surface, eglState.surface, eglState.context);
}

bool recreateTestContext() {
  if (!makeTestContextCurrent()) {
    return false;
  }
  eglMakeCurrent(eglState.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(eglState.display, eglState.context);
  return createContextOnly(eglState);
}
