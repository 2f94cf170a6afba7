#include "shell/MainLoop.h"

#include "gfx/Gl.h"
#include "shell/Scene.h"

#include <string>

const SceneHooks gameScene = {startScene,  stopScene,    advanceScene,
                              renderScene, pickAtCursor, sceneFailedFile};

namespace {

const char *const REGISTER_FAILED_TEXT = "Error Registering Window Class!";
const char *const OPEN_FAILED_TEXT = "Error Creating OpenGL Window";
const char *const LOAD_FAILED_PREFIX = "Cannot load ";

constexpr int EXIT_NORMAL = 0;
constexpr int EXIT_NO_PLATFORM = -1;
constexpr int EXIT_FAILED = 1;

constexpr double FIELD_OF_VIEW = 45.0;
constexpr double NEAR_PLANE = 1.0;
constexpr double FAR_PLANE = 100.0;

} // namespace

int MainLoop::run() {
  const bool fullScreen = askFullScreen();
  if (!registerShell()) {
    showError(REGISTER_FAILED_TEXT);
    return EXIT_NO_PLATFORM;
  }
  programRunning = true;
  fullScreenRequested = fullScreen;
  std::string failure;
  while (programRunning) {
    if (!openShellWindow(fullScreenRequested)) {
      failure = OPEN_FAILED_TEXT;
      programRunning = false;
    } else if (runScene() == SceneEnd::FailedStart) {
      failure = std::string(LOAD_FAILED_PREFIX) + hooks.sceneFailedFile();
    }
  }
  unregisterShell();
  if (failure.empty()) {
    return EXIT_NORMAL;
  }
  // Shown once the window is gone, so that a full-screen window cannot hide
  // it, and once the platform is shut down: SDL shows X11 boxes from a forked
  // process, which could fail while the GL driver's threads were still alive.
  showError(failure.c_str());
  return EXIT_FAILED;
}

void MainLoop::requestQuit() {
  programRunning = false;
  postQuit();
}

void MainLoop::requestModeToggle() {
  postModeToggle();
}

void MainLoop::keyDown(int virtualKey) {
  if (virtualKey >= 0 && virtualKey < KeyTable::SIZE) {
    keys.down[virtualKey] = true;
  }
}

void MainLoop::keyUp(int virtualKey) {
  if (virtualKey >= 0 && virtualKey < KeyTable::SIZE) {
    keys.down[virtualKey] = false;
  }
}

void MainLoop::mouseMoved(std::int32_t x, std::int32_t y) {
  mouseX = x;
  mouseY = y;
}

void MainLoop::leftButtonDown(std::int32_t x, std::int32_t y) {
  mouseMoved(x, y);
  hooks.pickAtCursor(true);
}

void MainLoop::modeToggleArrived() {
  fullScreenRequested = !fullScreenRequested;
  postQuit();
}

MainLoop::SceneEnd MainLoop::runScene() {
  // A key held across a mode toggle counts again only from its next key-down.
  keys.clear();
  lastTicks = tickCount();
  const bool started = hooks.startScene(this, &keys);
  if (started) {
    pumpMessagesAndFrames();
  } else {
    // Ends the run without posting a quit message: one left in the queue
    // would close the error box that follows as soon as it opened.
    programRunning = false;
  }
  hooks.stopScene();
  closeShellWindow();
  return started ? SceneEnd::Quit : SceneEnd::FailedStart;
}

void MainLoop::pumpMessagesAndFrames() {
  for (;;) {
    switch (handleNextMessage()) {
    case Message::Quit:
      return;
    case Message::Handled:
      break;
    case Message::NoneWaiting:
      if (isVisible()) {
        runFrame();
      } else {
        waitForMessage();
      }
      break;
    }
  }
}

void MainLoop::runFrame() {
  // lastTicks moves only here, so the first frame after the window was
  // minimised is handed the whole time it spent minimised.
  const std::uint32_t now = tickCount();
  hooks.advanceScene(elapsedMilliseconds(lastTicks, now));
  lastTicks = now;
  hooks.renderScene();
  swapBuffers();
}

void resizeViewport(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  // A window dragged down to no height would otherwise divide by zero.
  const double aspect = static_cast<double>(width) / static_cast<double>(height > 0 ? height : 1);
  gluPerspective(FIELD_OF_VIEW, aspect, NEAR_PLANE, FAR_PLANE);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
