#include "shell/web/WebShell.h"

#include "gfx/Gl.h"
#include "shell/KeyCodes.h"
#include "shell/web/DomKeys.h"

#include <emscripten.h>

#include <string>

namespace {

const char *const CANVAS = "#canvas";
constexpr int RGBA_BYTES = 4;
constexpr int NO_KEY = -1;
const char *const SHADER_FAILED_TEXT = "The browser's graphics driver rejected the game's "
                                       "shaders, so the picture cannot be drawn:";
const char *const RESTORE_FAILED_TEXT = "The picture cannot be made again after the graphics "
                                        "were lost. Reload the page.";

// Browsers grant full screen only inside the handler of the key or button
// that asks for it, so the page switches there, by what the document shows
// (however the player left full screen before), and the game's own F1
// handling then starts the new game.
EM_JS(void, toggleFullScreen, (), { Module['toggleFullScreen'](); });

EM_JS(void, showPageError, (const char *caption, const char *text),
      { Module['showError'](UTF8ToString(caption), UTF8ToString(text)); });

bool succeeded(EMSCRIPTEN_RESULT result) {
  return result == EMSCRIPTEN_RESULT_SUCCESS;
}

CanvasSize canvasSize() {
  CanvasSize size{};
  emscripten_get_element_css_size(CANVAS, &size.cssWidth, &size.cssHeight);
  emscripten_get_canvas_element_size(CANVAS, &size.bufferWidth, &size.bufferHeight);
  return size;
}

} // namespace

int WebShell::getDrawableWidth() const {
  return canvasSize().bufferWidth;
}

int WebShell::getDrawableHeight() const {
  return canvasSize().bufferHeight;
}

void WebShell::pointerEvent(const PagePointerEvent &event) {
  const PointerAction action = pointerAction(event, canvasSize());
  if (action.moves) {
    events.push_back({PageEvent::Kind::MouseMove, 0, action.x, action.y});
  }
  if (action.clicks) {
    events.push_back({PageEvent::Kind::LeftButtonDown, 0, action.x, action.y});
  }
}

void WebShell::controlChanged(int control, bool down) {
  if (down) {
    const int key = controls.press(control, tickCount());
    if (key != NO_KEY) {
      pressKey(key);
    }
  } else {
    const int key = controls.release(control);
    if (key != NO_KEY) {
      queueKey(PageEvent::Kind::KeyUp, key);
    }
  }
}

void WebShell::releaseEverything() {
  // In turn with the key events before it, so that none of those presses
  // a key again afterwards.
  controls.releaseAll();
  queueKey(PageEvent::Kind::ReleaseAll, 0);
}

void WebShell::contextLost() {
  contextGone = true;
}

bool WebShell::contextRestored() {
  if (!makeContextCurrent() || !gl11::restoreGpuObjects()) {
    const std::string log = gl11::gpuFailureLog();
    showPageError(ERROR_CAPTION, (RESTORE_FAILED_TEXT + (log.empty() ? "" : "\n" + log)).c_str());
    return false;
  }
  contextGone = false;
  return true;
}

void WebShell::keepNextFrame() {
  keepingNextFrame = true;
  frame.clear();
}

const std::uint8_t *WebShell::keptFrame() const {
  return frame.empty() ? nullptr : frame.data();
}

bool WebShell::registerShell() {
  // Keys are taken from the whole page, so that the canvas needs no focus.
  // The page hands pointers and controls over itself (the runtime has no
  // pointer events).
  return succeeded(emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE,
                                                   onKey)) &&
         succeeded(
             emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, onKey));
}

void WebShell::unregisterShell() {
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
  emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
  // A control held when the run ended is up for the next.
  controls.releaseAll();
}

bool WebShell::openShellWindow(bool /*fullScreen: the page has switched already*/) {
  if (!makeContextCurrent()) {
    return false;
  }
  resizeViewport(getDrawableWidth(), getDrawableHeight());
  return true;
}

void WebShell::closeShellWindow() {
  // The context stays for the next scene: the page keeps one for its life.
  // What is still queued was meant for the scene that is gone, as on Windows.
  events.clear();
}

MainLoop::Message WebShell::handleNextMessage() {
  if (events.empty()) {
    queueRepeats();
  }
  if (events.empty()) {
    return Message::NoneWaiting;
  }
  const PageEvent event = events.front();
  events.pop_front();
  switch (event.kind) {
  case PageEvent::Kind::Quit:
    return Message::Quit;
  case PageEvent::Kind::KeyDown:
    keyDown(event.key);
    break;
  case PageEvent::Kind::KeyUp:
    keyUp(event.key);
    break;
  case PageEvent::Kind::ReleaseAll:
    releaseAllKeys();
    break;
  case PageEvent::Kind::MouseMove:
    mouseMoved(event.x, event.y);
    break;
  case PageEvent::Kind::LeftButtonDown:
    leftButtonDown(event.x, event.y);
    break;
  case PageEvent::Kind::ModeToggle:
    modeToggleArrived();
    break;
  }
  return Message::Handled;
}

bool WebShell::isVisible() const {
  // A hidden tab is the minimised window: no frames, and the first one back
  // is handed the whole time it was hidden. Without a context there is
  // nothing to draw on either.
  EmscriptenVisibilityChangeEvent status;
  return !contextGone && succeeded(emscripten_get_visibility_status(&status)) && !status.hidden;
}

void WebShell::swapBuffers() {
  // The browser shows the frame once the step is over; until then the
  // drawing buffer still holds it.
  if (keepingNextFrame) {
    keptWidth = getDrawableWidth();
    keptHeight = getDrawableHeight();
    frame.resize(static_cast<std::size_t>(keptWidth) * keptHeight * RGBA_BYTES);
    glReadPixels(0, 0, keptWidth, keptHeight, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    keepingNextFrame = false;
  }
  ++frameCount;
  // A shader the driver rejects leaves the picture empty: the page says why
  // once, with the driver's own words.
  const char *shaderLog = gl11::gpuFailureLog();
  if (!shaderFailureShown && shaderLog[0] != '\0') {
    showPageError(ERROR_CAPTION, (std::string(SHADER_FAILED_TEXT) + "\n" + shaderLog).c_str());
    shaderFailureShown = true;
  }
}

std::uint32_t WebShell::tickCount() {
  // Whole milliseconds of the page's clock, wrapping as GetTickCount does.
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(emscripten_get_now()));
}

void WebShell::showError(const char *text) {
  showPageError(ERROR_CAPTION, text);
}

void WebShell::postQuit() {
  events.push_back({PageEvent::Kind::Quit, 0, 0.0, 0.0});
}

void WebShell::postModeToggle() {
  events.push_back({PageEvent::Kind::ModeToggle, 0, 0.0, 0.0});
}

bool WebShell::makeContextCurrent() {
  if (context <= 0) {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    // An opaque canvas (the game clears to transparent black), no
    // multisampling, so that the picture is the same pixels the desktop
    // draws, and software rendering accepted.
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    attributes.failIfMajorPerformanceCaveat = EM_FALSE;
    attributes.majorVersion = 1;
    attributes.minorVersion = 0;
    context = emscripten_webgl_create_context(CANVAS, &attributes);
  }
  return context > 0 && succeeded(emscripten_webgl_make_context_current(context));
}

void WebShell::pressKey(int key) {
  if (key == KeyF1) {
    toggleFullScreen();
  }
  queueKey(PageEvent::Kind::KeyDown, key);
}

void WebShell::queueKey(PageEvent::Kind kind, int key) {
  events.push_back({kind, key, 0.0, 0.0});
}

void WebShell::queueRepeats() {
  for (int key : controls.repeatsDue(tickCount())) {
    queueKey(PageEvent::Kind::KeyDown, key);
  }
}

EM_BOOL WebShell::onKey(int eventType, const EmscriptenKeyboardEvent *event, void *shell) {
  if (isSystemDomKey(event->code, event->altKey)) {
    return EM_FALSE;
  }
  WebShell *self = static_cast<WebShell *>(shell);
  const int key = virtualKeyOfDomKey(event->key, event->code);
  // True keeps the browser from acting on the key as well.
  const EM_BOOL claimed = claimsKeyFromBrowser(key, event->ctrlKey || event->metaKey);
  if (eventType == EMSCRIPTEN_EVENT_KEYUP) {
    self->queueKey(PageEvent::Kind::KeyUp, key);
  } else if (key != KeyF1 || !event->repeat) {
    // One switch per press of F1, however long it is held.
    self->pressKey(key);
  }
  return claimed;
}
