#include "HeadlessContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

namespace {

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
  if (!eglBindAPI(EGL_OPENGL_API)) {
    return false;
  }
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                     EGL_PBUFFER_BIT,
                                     EGL_RENDERABLE_TYPE,
                                     EGL_OPENGL_BIT,
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
  const EGLint surfaceAttributes[] = {EGL_WIDTH, TEST_WIDTH, EGL_HEIGHT, TEST_HEIGHT, EGL_NONE};
  state.surface = eglCreatePbufferSurface(state.display, config, surfaceAttributes);
  if (state.surface == EGL_NO_SURFACE) {
    return false;
  }
  const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                      EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
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
