#include "shell/sdl/SdlShell.h"

#include "shell/sdl/VirtualKeys.h"

#include <cstdio>

namespace {

constexpr int ANSWER_NO = 0;
constexpr int ANSWER_YES = 1;
constexpr int OWN_EVENT_COUNT = 2;
constexpr int MESSAGE_BOX_ATTEMPTS = 3;
constexpr int RED_BITS = 5;
constexpr int GREEN_BITS = 6;
constexpr int BLUE_BITS = 5;
constexpr Uint32 FULL_SCREEN_FORMAT = SDL_PIXELFORMAT_RGB565;
constexpr int PRIMARY_DISPLAY = 0;
constexpr Uint32 NO_EVENT_TYPES = static_cast<Uint32>(-1);

// The display's own mode of exactly width x height, if it has one.
bool findDisplayMode(int width, int height, SDL_DisplayMode &mode) {
  const SDL_DisplayMode wanted = {FULL_SCREEN_FORMAT, width, height, 0, nullptr};
  return SDL_GetClosestDisplayMode(PRIMARY_DISPLAY, &wanted, &mode) != nullptr && mode.w == width &&
         mode.h == height;
}

// Shows the full-screen window in mode; true only if the display really took
// that size.
bool enterDisplayMode(SDL_Window *window, const SDL_DisplayMode &mode) {
  if (SDL_SetWindowDisplayMode(window, &mode) != 0) {
    return false;
  }
  SDL_ShowWindow(window);
  SDL_DisplayMode current;
  return SDL_GetCurrentDisplayMode(SDL_GetWindowDisplayIndex(window), &current) == 0 &&
         current.w == mode.w && current.h == mode.h;
}

// SDL shows an X11 box from a child process, which now and then fails to
// start on a busy machine; a second try has always got through.
bool showMessageBox(const SDL_MessageBoxData &box, int &pressedButton) {
  for (int attempt = 0; attempt < MESSAGE_BOX_ATTEMPTS; ++attempt) {
    if (SDL_ShowMessageBox(&box, &pressedButton) == 0) {
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

int SdlShell::getClientWidth() const {
  int width = 0;
  if (window != nullptr) {
    SDL_GetWindowSize(window, &width, nullptr);
  }
  return width;
}

int SdlShell::getClientHeight() const {
  int height = 0;
  if (window != nullptr) {
    SDL_GetWindowSize(window, nullptr, &height);
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
  if (!showMessageBox(box, answer)) {
    std::fprintf(stderr, "%s (no message box: %s)\n", QUESTION_TEXT, SDL_GetError());
    return false;
  }
  return answer == ANSWER_YES;
}

bool SdlShell::registerShell() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
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
  resizeViewport(WINDOW_WIDTH, WINDOW_HEIGHT);
  return true;
}

void SdlShell::closeShellWindow() {
  // SDL gives the display its desktop mode back with the full-screen window.
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
    mouseMoved(event.motion.x, event.motion.y);
    break;
  case SDL_MOUSEBUTTONDOWN:
    // While another button is held SDL reports presses outside the window
    // too; they must not pick what lies off the screen.
    if (event.button.button == SDL_BUTTON_LEFT && isInClientArea(event.button.x, event.button.y)) {
      leftButtonDown(event.button.x, event.button.y);
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
  if (!showMessageBox(box, pressed)) {
    std::fprintf(stderr, "(no message box: %s)\n", SDL_GetError());
  }
}

void SdlShell::postQuit() {
  pushEvent(quitEvent);
}

void SdlShell::postModeToggle() {
  pushEvent(modeToggleEvent);
}

SDL_Window *SdlShell::createWindow(bool wantFullScreen) {
  SDL_DisplayMode mode;
  bool fullScreen = wantFullScreen && findDisplayMode(WINDOW_WIDTH, WINDOW_HEIGHT, mode);
  if (wantFullScreen && !fullScreen) {
    showError(MODE_SWITCH_FAILED_TEXT);
  }
  const Uint32 flags = SDL_WINDOW_OPENGL | (fullScreen ? SDL_WINDOW_FULLSCREEN | SDL_WINDOW_HIDDEN
                                                       : SDL_WINDOW_RESIZABLE);
  SDL_Window *made = SDL_CreateWindow(WINDOW_TITLE, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                      WINDOW_WIDTH, WINDOW_HEIGHT, flags);
  if (made != nullptr && fullScreen && !enterDisplayMode(made, mode)) {
    // The system listed the mode but kept another size: go on in a window.
    SDL_SetWindowFullscreen(made, 0);
    SDL_SetWindowSize(made, WINDOW_WIDTH, WINDOW_HEIGHT);
    SDL_SetWindowResizable(made, SDL_TRUE);
    showError(MODE_SWITCH_FAILED_TEXT);
  }
  return made;
}

void SdlShell::releaseWindow() {
  if (window == nullptr) {
    return;
  }
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
    resizeViewport(event.data1, event.data2);
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

void SdlShell::pushEvent(Uint32 type) {
  SDL_Event event = {};
  event.type = type;
  SDL_PushEvent(&event);
}
