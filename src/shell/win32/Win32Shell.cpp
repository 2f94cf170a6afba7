#include "shell/win32/Win32Shell.h"

#include "shell/win32/UserReply.h"
#include "shell/win32/WideText.h"

#include <shellscalingapi.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr UINT MODE_TOGGLE_MESSAGE = WM_USER + 1;
// A system-colour brush; the GL drawing covers the client area anyway.
constexpr INT_PTR BACKGROUND_BRUSH = COLOR_APPWORKSPACE;
constexpr WPARAM SYSTEM_COMMAND_MASK = 0xFFF0;
// The game's icon among the executable's resources (dist/windows/pickrpg.rc.in).
constexpr WORD ICON_RESOURCE = 1;
const char *const REGISTER_CLASS_FAILED_TEXT = "RegisterClassEx Failed!";

// The DPI Windows treats as 100 %.
constexpr UINT STANDARD_DPI = 96;

// The monitor's scale: 1 at 100 %, 1.5 at 150 %.
double monitorScale(HMONITOR monitor) {
  UINT dpiX = STANDARD_DPI;
  UINT dpiY = STANDARD_DPI;
  if (GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY) != S_OK || dpiX == 0) {
    return 1.0;
  }
  return static_cast<double>(dpiX) / STANDARD_DPI;
}

LONG widthOf(const RECT &rectangle) {
  return rectangle.right - rectangle.left;
}

LONG heightOf(const RECT &rectangle) {
  return rectangle.bottom - rectangle.top;
}

// A rectangle of the given size centred in the area, no larger than it.
RECT centredIn(const RECT &area, LONG width, LONG height) {
  width = std::min(width, widthOf(area));
  height = std::min(height, heightOf(area));
  const LONG left = area.left + (widthOf(area) - width) / 2;
  const LONG top = area.top + (heightOf(area) - height) / 2;
  return {left, top, left + width, top + height};
}

// Client pixels from a mouse message: signed, since a captured pointer can
// lie left of or above the window.
double pointerCoordinate(WORD word) {
  return static_cast<SHORT>(word);
}

PIXELFORMATDESCRIPTOR pixelFormatRequest(int colourBits, int depthBits) {
  PIXELFORMATDESCRIPTOR format = {};
  format.nSize = sizeof(format);
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = colourBits;
  format.cDepthBits = depthBits;
  format.iLayerType = PFD_MAIN_PLANE;
  return format;
}

// Key codes arrive in a pointer-sized parameter; only the first 256 have a
// table entry.
int keyCode(WPARAM wParam) {
  return wParam < KeyTable::SIZE ? static_cast<int>(wParam) : -1;
}

} // namespace

int Win32Shell::getDrawableWidth() const {
  return clientRectangle().right;
}

int Win32Shell::getDrawableHeight() const {
  return clientRectangle().bottom;
}

bool Win32Shell::askFullScreen() {
  return MessageBoxA(nullptr, QUESTION_TEXT, QUESTION_CAPTION, MB_YESNO | MB_ICONQUESTION) != IDNO;
}

void Win32Shell::unregisterShell() {
  UnregisterClassA(app.className, app.instance);
}

bool Win32Shell::openShellWindow(bool fullScreen) {
  // Full screen is a borderless window over the whole monitor at its own
  // mode: no mode change, so other windows keep their places and a flat
  // panel draws the picture at its native resolution.
  const DWORD style = fullScreen ? WS_POPUP : WS_OVERLAPPEDWINDOW;
  // The interface layer draws its own cursor.
  ShowCursor(FALSE);
  const RECT rectangle = windowRectangle(fullScreen);
  window = CreateWindowExA(WS_EX_APPWINDOW, app.className, WINDOW_TITLE, style, rectangle.left,
                           rectangle.top, widthOf(rectangle), heightOf(rectangle), nullptr, nullptr,
                           app.instance, this);
  if (window == nullptr || !createGlContext()) {
    // Also gives back the cursor.
    closeShellWindow();
    return false;
  }
  ShowWindow(window, SW_NORMAL);
  visible = true;
  resizeViewport(getDrawableWidth(), getDrawableHeight());
  return true;
}

RECT Win32Shell::windowRectangle(bool wholeMonitor) const {
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  const HMONITOR on =
      monitor != nullptr ? monitor : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
  if (!GetMonitorInfoA(on, &info)) {
    info.rcMonitor = info.rcWork = {0, 0, WINDOW_WIDTH, WINDOW_HEIGHT};
  }
  if (wholeMonitor) {
    return info.rcMonitor;
  }
  // The logical screen at the monitor's scale: as large as on a 100 %
  // screen, but drawn with every pixel the monitor has.
  const double scale = monitorScale(on);
  RECT frame = {0, 0, std::lround(WINDOW_WIDTH * scale), std::lround(WINDOW_HEIGHT * scale)};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW);
  return centredIn(info.rcWork, widthOf(frame), heightOf(frame));
}

void Win32Shell::closeShellWindow() {
  if (window != nullptr) {
    if (deviceContext != nullptr) {
      wglMakeCurrent(nullptr, nullptr);
      if (renderingContext != nullptr) {
        wglDeleteContext(renderingContext);
        renderingContext = nullptr;
      }
      ReleaseDC(window, deviceContext);
      deviceContext = nullptr;
    }
    // A quit still queued for the window would end the next message box's
    // own loop at once.
    MSG leftOver;
    while (PeekMessageA(&leftOver, window, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    monitor = MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY);
    DestroyWindow(window);
    window = nullptr;
  }
  ShowCursor(TRUE);
}

MainLoop::Message Win32Shell::handleNextMessage() {
  // Filtered on the window, so WM_QUIT has to be posted to it, not to the
  // thread. No TranslateMessage: the game reads keys, not characters.
  MSG message;
  if (!PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
    return Message::NoneWaiting;
  }
  if (message.message == WM_QUIT) {
    return Message::Quit;
  }
  DispatchMessageA(&message);
  return Message::Handled;
}

void Win32Shell::showError(const char *text) {
  // Also where a console or a log reads it, whole, as the SDL shell does.
  writeToStandardStream(std::string(ERROR_CAPTION) + ": " + text + "\n", true);
  // The folders a "Cannot load" box names may be outside the code page.
  MessageBoxW(nullptr, wideFromUtf8(text).c_str(), wideFromUtf8(ERROR_CAPTION).c_str(),
              MB_OK | MB_ICONEXCLAMATION);
}

void Win32Shell::postQuit() {
  PostMessageA(window, WM_QUIT, 0, 0);
}

void Win32Shell::postModeToggle() {
  PostMessageA(window, MODE_TOGGLE_MESSAGE, 0, 0);
}

HICON Win32Shell::loadIcon(int widthMetric, int heightMetric) const {
  // A shared icon: the system frees it with the module.
  return static_cast<HICON>(LoadImageA(app.instance, MAKEINTRESOURCEA(ICON_RESOURCE), IMAGE_ICON,
                                       GetSystemMetrics(widthMetric),
                                       GetSystemMetrics(heightMetric), LR_SHARED));
}

bool Win32Shell::registerShellClass() {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = shellWindowProc;
  windowClass.hInstance = app.instance;
  // The title bar, the task bar and Alt+Tab show the class's icons; without
  // them Windows shows its generic one, not the executable's.
  windowClass.hIcon = loadIcon(SM_CXICON, SM_CYICON);
  windowClass.hIconSm = loadIcon(SM_CXSMICON, SM_CYSMICON);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(BACKGROUND_BRUSH);
  windowClass.lpszClassName = app.className;
  if (RegisterClassExA(&windowClass) == 0) {
    showError(REGISTER_CLASS_FAILED_TEXT);
    return false;
  }
  return true;
}

bool Win32Shell::createGlContext() {
  deviceContext = GetDC(window);
  if (deviceContext == nullptr) {
    return false;
  }
  const PIXELFORMATDESCRIPTOR request = pixelFormatRequest(COLOUR_BITS, DEPTH_BITS);
  const int format = ChoosePixelFormat(deviceContext, &request);
  if (format == 0 || !SetPixelFormat(deviceContext, format, &request)) {
    return false;
  }
  renderingContext = wglCreateContext(deviceContext);
  return renderingContext != nullptr && wglMakeCurrent(deviceContext, renderingContext);
}

RECT Win32Shell::clientRectangle() const {
  RECT rectangle = {0, 0, 0, 0};
  if (window != nullptr) {
    GetClientRect(window, &rectangle);
  }
  return rectangle;
}

LRESULT CALLBACK Win32Shell::shellWindowProc(HWND handle, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_CREATE) {
    // A pointer does not fit the 32-bit GWL_USERDATA slot on 64-bit Windows.
    const auto *creation = reinterpret_cast<const CREATESTRUCTA *>(lParam);
    SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    return 0;
  }
  auto *shell = reinterpret_cast<Win32Shell *>(GetWindowLongPtrA(handle, GWLP_USERDATA));
  if (shell == nullptr) {
    // Messages sent while CreateWindowEx runs, before WM_CREATE.
    return DefWindowProcA(handle, message, wParam, lParam);
  }
  return shell->handleMessage(handle, message, wParam, lParam);
}

LRESULT Win32Shell::handleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_SIZE:
    if (wParam == SIZE_MINIMIZED) {
      visible = false;
      return 0;
    }
    if (wParam == SIZE_MAXIMIZED || wParam == SIZE_RESTORED) {
      visible = true;
      resizeViewport(LOWORD(lParam), HIWORD(lParam));
      return 0;
    }
    break;
  case WM_DPICHANGED: {
    // Moved to a monitor of another scale: Windows proposes the rectangle
    // that keeps the window's size in its terms.
    const auto *proposed = reinterpret_cast<const RECT *>(lParam);
    SetWindowPos(handle, nullptr, proposed->left, proposed->top, widthOf(*proposed),
                 heightOf(*proposed), SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
  }
  case WM_KILLFOCUS:
    // The key-ups of keys held now go to another window.
    releaseAllKeys();
    break;
  case WM_CLOSE:
    requestQuit();
    return 0;
  case WM_KEYDOWN:
    if (keyCode(wParam) >= 0) {
      keyDown(keyCode(wParam));
      return 0;
    }
    break;
  case WM_KEYUP:
    if (keyCode(wParam) >= 0) {
      keyUp(keyCode(wParam));
      return 0;
    }
    break;
  case WM_SYSCOMMAND:
    // No screen saver and no monitor power-down while the game runs.
    if ((wParam & SYSTEM_COMMAND_MASK) == SC_SCREENSAVE ||
        (wParam & SYSTEM_COMMAND_MASK) == SC_MONITORPOWER) {
      return 0;
    }
    break;
  case WM_MOUSEMOVE:
    mouseMoved(pointerCoordinate(LOWORD(lParam)), pointerCoordinate(HIWORD(lParam)));
    break;
  case WM_LBUTTONDOWN:
    leftButtonDown(pointerCoordinate(LOWORD(lParam)), pointerCoordinate(HIWORD(lParam)));
    break;
  case MODE_TOGGLE_MESSAGE:
    modeToggleArrived();
    break;
  default:
    break;
  }
  return DefWindowProcA(handle, message, wParam, lParam);
}
