#include "shell/MainLoop.h"

#include "gfx/Gl.h"
#include "shell/Scene.h"
#include "shell/ScreenFit.h"

#include <string>
#include <utility>

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
  if (begin(fullScreenAtStart())) {
    for (Pass pass = step(); pass != Pass::Ended; pass = step()) {
      if (pass == Pass::Hidden) {
        waitForMessage();
      }
    }
  }
  return finish();
}

bool MainLoop::begin(bool fullScreen) {
  failure.clear();
  if (!registerShell()) {
    failRun(REGISTER_FAILED_TEXT, EXIT_NO_PLATFORM);
    return false;
  }
  shellRegistered = true;
  programRunning = true;
  fullScreenRequested = fullScreen;
  return openScene();
}

MainLoop::Pass MainLoop::step() {
  while (sceneRunning) {
    switch (handleNextMessage()) {
    case Message::Quit:
      closeScene();
      if (programRunning) {
        openScene();
      }
      break;
    case Message::Handled:
      break;
    case Message::NoneWaiting:
      if (!isVisible()) {
        return Pass::Hidden;
      }
      runFrame();
      return Pass::Drew;
    }
  }
  return Pass::Ended;
}

int MainLoop::finish() {
  if (shellRegistered) {
    unregisterShell();
    shellRegistered = false;
  }
  if (failure.empty()) {
    return EXIT_NORMAL;
  }
  // Shown once the window is gone, so that a full-screen window cannot hide
  // it, and once the platform is shut down: SDL shows X11 boxes from a forked
  // process, which could fail while the GL driver's threads were still alive.
  showError(failure.c_str());
  return failureCode;
}

void MainLoop::requestQuit() {
  programRunning = false;
  postQuit();
}

void MainLoop::requestModeToggle() {
  postModeToggle();
}

void MainLoop::keyDown(int virtualKey) {
  keys.press(virtualKey);
}

void MainLoop::keyUp(int virtualKey) {
  keys.release(virtualKey);
}

void MainLoop::releaseAllKeys() {
  keys.releaseAll();
}

void MainLoop::mouseMoved(double x, double y) {
  pointAtPicture(x, y);
}

void MainLoop::leftButtonDown(double x, double y) {
  // A press on a bar, or one SDL reports outside the window while another
  // button is held, must not pick what the picture's edge shows.
  if (pointAtPicture(x, y)) {
    hooks.pickAtCursor(true);
  }
}

bool MainLoop::pointAtPicture(double x, double y) {
  const ScreenFit fit(getDrawableWidth(), getDrawableHeight());
  return fit.toLogical(x, y, mouseX, mouseY);
}

void MainLoop::modeToggleArrived() {
  fullScreenRequested = !fullScreenRequested;
  postQuit();
}

bool MainLoop::openScene() {
  if (!openShellWindow(fullScreenRequested)) {
    failRun(OPEN_FAILED_TEXT, EXIT_FAILED);
    return false;
  }
  // A key held across a mode toggle counts again only from its next key-down.
  keys.clear();
  lastTicks = tickCount();
  sceneRunning = true;
  if (!hooks.startScene(this, &keys.table())) {
    // Ends the run without posting a quit message: one left in the queue
    // would close the error box that follows as soon as it opened.
    closeScene();
    const std::string file = hooks.sceneFailedFile();
    failRun(LOAD_FAILED_PREFIX + file + dataFolders.failureDetails(file), EXIT_FAILED);
    return false;
  }
  return true;
}

void MainLoop::closeScene() {
  hooks.stopScene();
  closeShellWindow();
  sceneRunning = false;
}

void MainLoop::failRun(std::string text, int exitCode) {
  failure = std::move(text);
  failureCode = exitCode;
  programRunning = false;
}

bool MainLoop::fullScreenAtStart() {
  return startMode == StartMode::Ask ? askFullScreen() : startMode == StartMode::FullScreen;
}

void MainLoop::runFrame() {
  // lastTicks moves only here, so the first frame after the window was
  // minimised is handed the whole time it spent minimised.
  const std::uint32_t now = tickCount();
  hooks.advanceScene(elapsedMilliseconds(lastTicks, now));
  // Only now may a key that went up before the update was seen go up.
  keys.updateDone();
  lastTicks = now;
  hooks.renderScene();
  swapBuffers();
}

void resizeViewport(int drawableWidth, int drawableHeight) {
  const ScreenFit fit(drawableWidth, drawableHeight);
  glViewport(fit.left(), fit.bottom(), fit.width(), fit.height());
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  // The picture keeps the logical screen's shape whatever the window's is.
  const double aspect = static_cast<double>(LOGICAL_SCREEN_WIDTH) / LOGICAL_SCREEN_HEIGHT;
  gluPerspective(FIELD_OF_VIEW, aspect, NEAR_PLANE, FAR_PLANE);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
