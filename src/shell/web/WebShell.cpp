#include "shell/web/WebShell.h"

#include "shell/web/CanvasPixels.h"
#include "shell/web/DomKeys.h"

#include <GLES2/gl2.h>
#include <emscripten.h>

namespace {

const char *const CANVAS = "#canvas";
constexpr unsigned short LEFT_BUTTON = 0;
constexpr int RGBA_BYTES = 4;

// Full screen is the canvas alone, its picture scaled to the screen; the
// drawing buffer keeps its size, so the game's layout does not change. The
// browser may still refuse once the request is on its way.
EM_JS(void, requestCanvasFullScreen, (const char *canvas, const char *refusedText), {
  var refused = UTF8ToString(refusedText);
  var element = document.querySelector(UTF8ToString(canvas));
  var request = element.requestFullscreen ? element.requestFullscreen() : Promise.reject();
  request.catch(function() { Module['showNotice'](refused); });
});

EM_JS(void, showPageError, (const char *caption, const char *text),
      { Module['showError'](UTF8ToString(caption), UTF8ToString(text)); });

bool succeeded(EMSCRIPTEN_RESULT result) {
  return result == EMSCRIPTEN_RESULT_SUCCESS;
}

bool canvasIsFullScreen() {
  EmscriptenFullscreenChangeEvent status;
  return succeeded(emscripten_get_fullscreen_status(&status)) && status.isFullscreen;
}

} // namespace

int WebShell::getDrawableWidth() const {
  int width = 0;
  int height = 0;
  emscripten_get_canvas_element_size(CANVAS, &width, &height);
  return width;
}

int WebShell::getDrawableHeight() const {
  int width = 0;
  int height = 0;
  emscripten_get_canvas_element_size(CANVAS, &width, &height);
  return height;
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
  return succeeded(emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE,
                                                   onKey)) &&
         succeeded(
             emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, onKey)) &&
         succeeded(emscripten_set_mousemove_callback(CANVAS, this, EM_TRUE, onMouse)) &&
         succeeded(emscripten_set_mousedown_callback(CANVAS, this, EM_TRUE, onMouse));
}

void WebShell::unregisterShell() {
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
  emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
  emscripten_set_mousemove_callback(CANVAS, nullptr, EM_TRUE, nullptr);
  emscripten_set_mousedown_callback(CANVAS, nullptr, EM_TRUE, nullptr);
}

bool WebShell::openShellWindow(bool fullScreen) {
  if (!makeContextCurrent()) {
    return false;
  }
  if (fullScreen) {
    requestCanvasFullScreen(CANVAS, MODE_SWITCH_FAILED_TEXT);
  }
  resizeViewport(getDrawableWidth(), getDrawableHeight());
  return true;
}

void WebShell::closeShellWindow() {
  // The context stays for the next scene: the page keeps one for its life.
  if (canvasIsFullScreen()) {
    emscripten_exit_fullscreen();
  }
  // What is still queued was meant for the scene that is gone, as on Windows.
  events.clear();
}

MainLoop::Message WebShell::handleNextMessage() {
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
  // is handed the whole time it was hidden.
  EmscriptenVisibilityChangeEvent status;
  return succeeded(emscripten_get_visibility_status(&status)) && !status.hidden;
}

void WebShell::swapBuffers() {
  // The browser shows the frame once the step is over; until then the
  // drawing buffer still holds it.
  if (keepingNextFrame) {
    const int width = getDrawableWidth();
    const int height = getDrawableHeight();
    frame.resize(static_cast<std::size_t>(width) * height * RGBA_BYTES);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    keepingNextFrame = false;
  }
  ++frameCount;
}

std::uint32_t WebShell::tickCount() {
  // Whole milliseconds of the page's clock, wrapping as GetTickCount does.
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(emscripten_get_now()));
}

void WebShell::showError(const char *text) {
  showPageError(ERROR_CAPTION, text);
}

void WebShell::postQuit() {
  events.push_back({PageEvent::Kind::Quit, 0, 0, 0});
}

void WebShell::postModeToggle() {
  events.push_back({PageEvent::Kind::ModeToggle, 0, 0, 0});
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

void WebShell::queuePointer(PageEvent::Kind kind, const EmscriptenMouseEvent &event) {
  double cssWidth = 0.0;
  double cssHeight = 0.0;
  emscripten_get_element_css_size(CANVAS, &cssWidth, &cssHeight);
  const CanvasPixel pixel = canvasPixelAt(event.targetX, event.targetY, cssWidth, cssHeight,
                                          getDrawableWidth(), getDrawableHeight());
  events.push_back({kind, 0, pixel.x, pixel.y});
}

EM_BOOL WebShell::onKey(int eventType, const EmscriptenKeyboardEvent *event, void *shell) {
  if (isSystemDomKey(event->code, event->altKey)) {
    return EM_FALSE;
  }
  const int key = virtualKeyOfDomKey(event->key, event->code);
  const auto kind =
      eventType == EMSCRIPTEN_EVENT_KEYDOWN ? PageEvent::Kind::KeyDown : PageEvent::Kind::KeyUp;
  static_cast<WebShell *>(shell)->events.push_back({kind, key, 0, 0});
  // True keeps the browser from acting on the key as well.
  return claimsKeyFromBrowser(key, event->ctrlKey || event->metaKey);
}

EM_BOOL WebShell::onMouse(int eventType, const EmscriptenMouseEvent *event, void *shell) {
  WebShell *self = static_cast<WebShell *>(shell);
  if (eventType == EMSCRIPTEN_EVENT_MOUSEMOVE) {
    self->queuePointer(PageEvent::Kind::MouseMove, *event);
    return EM_FALSE;
  }
  if (event->button != LEFT_BUTTON) {
    return EM_FALSE;
  }
  self->queuePointer(PageEvent::Kind::LeftButtonDown, *event);
  // Keeps a click from selecting text on the page around the canvas.
  return EM_TRUE;
}
