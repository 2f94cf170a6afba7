#include "shell/sdl/SdlShell.h"

#include "shell/sdl/VirtualKeys.h"

#include <cstdio>

namespace {

constexpr int ANSWER_NO = 0;
constexpr int ANSWER_YES = 1;
constexpr int OWN_EVENT_COUNT = 2;
constexpr int RED_BITS = 5;
constexpr int GREEN_BITS = 6;
constexpr int BLUE_BITS = 5;
constexpr Uint32 NO_EVENT_TYPES = static_cast<Uint32>(-1);
// SDL falls back on these when it reaches no display: a game that runs
// there shows nothing and cannot be played or ended.
const char *const INVISIBLE_DRIVERS[] = {"offscreen", "dummy"};
const char *const NO_DISPLAY_TEXT =
    "pickrpg cannot open a window: no display was found (DISPLAY and WAYLAND_DISPLAY).";

bool isInvisibleDriver(const char *driver) {
  for (const char *invisible : INVISIBLE_DRIVERS) {
    if (driver != nullptr && SDL_strcmp(driver, invisible) == 0) {
      return true;
    }
  }
  return false;
}

void setContextAttributes(int depthBits) {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, RED_BITS);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, GREEN_BITS);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, BLUE_BITS);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

} // namespace

int SdlShell::getDrawableWidth() const {
  int width = 0;
  if (window != nullptr) {
    SDL_GL_GetDrawableSize(window, &width, nullptr);
  }
  return width;
}

int SdlShell::getDrawableHeight() const {
  int height = 0;
  if (window != nullptr) {
    SDL_GL_GetDrawableSize(window, nullptr, &height);
  }
  return height;
}

bool SdlShell::askFullScreen() {
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, ANSWER_YES, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, ANSWER_NO, "No"}};
  const SDL_MessageBoxData box = {SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
                                  nullptr,
                                  QUESTION_CAPTION,
                                  QUESTION_TEXT,
                                  SDL_arraysize(buttons),
                                  buttons,
                                  nullptr};
  int answer = ANSWER_NO;
  if (SDL_ShowMessageBox(&box, &answer) != 0) {
    std::fprintf(stderr, "%s (no message box: %s)\n", QUESTION_TEXT, SDL_GetError());
    return false;
  }
  return answer == ANSWER_YES;
}

bool SdlShell::registerShell() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "%s (SDL: %s)\n", NO_DISPLAY_TEXT, SDL_GetError());
    return false;
  }
  if (isInvisibleDriver(SDL_GetCurrentVideoDriver())) {
    std::fprintf(stderr, "%s\n", NO_DISPLAY_TEXT);
    SDL_Quit();
    return false;
  }
  quitEvent = SDL_RegisterEvents(OWN_EVENT_COUNT);
  modeToggleEvent = quitEvent + 1;
  return quitEvent != NO_EVENT_TYPES;
}

void SdlShell::unregisterShell() {
  SDL_Quit();
}

bool SdlShell::openShellWindow(bool wantFullScreen) {
  // The interface layer draws its own cursor.
  SDL_ShowCursor(SDL_DISABLE);
  setContextAttributes(DEPTH_BITS);
  window = createWindow(wantFullScreen);
  if (window != nullptr) {
    context = SDL_GL_CreateContext(window);
  }
  if (context == nullptr || SDL_GL_MakeCurrent(window, context) != 0) {
    // Also gives the cursor back.
    closeShellWindow();
    return false;
  }
  // No frame-rate limit: a frame whenever the queue is empty.
  SDL_GL_SetSwapInterval(0);
  visible = true;
  resizeViewport(getDrawableWidth(), getDrawableHeight());
  return true;
}

void SdlShell::closeShellWindow() {
  releaseWindow();
  SDL_ShowCursor(SDL_ENABLE);
  // What is still queued was meant for the window that is gone, as on Windows.
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

MainLoop::Message SdlShell::handleNextMessage() {
  SDL_Event event;
  if (!SDL_PollEvent(&event)) {
    return Message::NoneWaiting;
  }
  if (event.type == quitEvent) {
    return Message::Quit;
  }
  if (event.type == modeToggleEvent) {
    modeToggleArrived();
    return Message::Handled;
  }
  switch (event.type) {
  case SDL_QUIT: // the close box of the one window, or a signal
    requestQuit();
    break;
  case SDL_WINDOWEVENT:
    handleWindowEvent(event.window);
    break;
  case SDL_KEYDOWN:
  case SDL_KEYUP:
    handleKey(event.key);
    break;
  case SDL_MOUSEMOTION:
    mouseMoved(event.motion.x * drawablePixelsPerPoint(),
               event.motion.y * drawablePixelsPerPoint());
    break;
  case SDL_MOUSEBUTTONDOWN:
    if (event.button.button == SDL_BUTTON_LEFT) {
      leftButtonDown(event.button.x * drawablePixelsPerPoint(),
                     event.button.y * drawablePixelsPerPoint());
    }
    break;
  default:
    break;
  }
  return Message::Handled;
}

void SdlShell::waitForMessage() {
  SDL_WaitEvent(nullptr);
}

void SdlShell::swapBuffers() {
  SDL_GL_SwapWindow(window);
}

std::uint32_t SdlShell::tickCount() {
  return SDL_GetTicks();
}

void SdlShell::showError(const char *text) {
  const SDL_MessageBoxButtonData ok = {
      SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "OK"};
  const SDL_MessageBoxData box = {
      SDL_MESSAGEBOX_WARNING, nullptr, ERROR_CAPTION, text, 1, &ok, nullptr};
  // Also on the standard error stream, where it is read when no display
  // can show the box.
  std::fprintf(stderr, "%s: %s\n", ERROR_CAPTION, text);
  int pressed = 0;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) {
    std::fprintf(stderr, "(no message box: %s)\n", SDL_GetError());
  }
}

void SdlShell::postQuit() {
  pushEvent(quitEvent);
}

void SdlShell::postModeToggle() {
  pushEvent(modeToggleEvent);
}

SDL_Window *SdlShell::createWindow(bool fullScreen) {
  // Full screen is a borderless window over the whole display at its own
  // mode: no mode change, so other windows keep their places and a flat
  // panel draws the picture at its native resolution.
  const Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE |
                       (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  const int centred = static_cast<int>(SDL_WINDOWPOS_CENTERED_DISPLAY(displayIndex));
  return SDL_CreateWindow(WINDOW_TITLE, centred, centred, WINDOW_WIDTH, WINDOW_HEIGHT, flags);
}

void SdlShell::releaseWindow() {
  if (window == nullptr) {
    return;
  }
  displayIndex = SDL_max(SDL_GetWindowDisplayIndex(window), 0);
  if (context != nullptr) {
    SDL_GL_MakeCurrent(window, nullptr);
    SDL_GL_DeleteContext(context);
    context = nullptr;
  }
  SDL_DestroyWindow(window);
  window = nullptr;
  visible = false;
}

void SdlShell::handleWindowEvent(const SDL_WindowEvent &event) {
  switch (event.event) {
  case SDL_WINDOWEVENT_MINIMIZED:
  case SDL_WINDOWEVENT_HIDDEN:
    visible = false;
    break;
  case SDL_WINDOWEVENT_RESTORED:
  case SDL_WINDOWEVENT_MAXIMIZED:
  case SDL_WINDOWEVENT_SHOWN:
    visible = true;
    break;
  case SDL_WINDOWEVENT_SIZE_CHANGED:
    // The event counts in points; the viewport takes drawable pixels.
    resizeViewport(getDrawableWidth(), getDrawableHeight());
    break;
  default:
    break;
  }
}

void SdlShell::handleKey(const SDL_KeyboardEvent &event) {
  if (isSystemKey(event.keysym.sym, event.keysym.mod)) {
    return;
  }
  const int key = virtualKeyCode(event.keysym.sym, event.keysym.mod);
  if (event.type == SDL_KEYDOWN) {
    keyDown(key);
  } else {
    keyUp(key);
  }
}

double SdlShell::drawablePixelsPerPoint() const {
  int pointsWide = 0;
  SDL_GetWindowSize(window, &pointsWide, nullptr);
  return pointsWide > 0 ? static_cast<double>(getDrawableWidth()) / pointsWide : 1.0;
}

void SdlShell::pushEvent(Uint32 type) {
  SDL_Event event = {};
  event.type = type;
  SDL_PushEvent(&event);
}
