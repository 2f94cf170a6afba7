#include "shell/win32/Win32Shell.h"

#include "shell/win32/UserReply.h"
#include "shell/win32/WideText.h"

namespace {

constexpr UINT MODE_TOGGLE_MESSAGE = WM_USER + 1;
// A system-colour brush; the GL drawing covers the client area anyway.
constexpr INT_PTR BACKGROUND_BRUSH = COLOR_APPWORKSPACE;
constexpr WPARAM SYSTEM_COMMAND_MASK = 0xFFF0;
// The game's icon among the executable's resources (dist/windows/pickrpg.rc.in).
constexpr WORD ICON_RESOURCE = 1;
const char *const REGISTER_CLASS_FAILED_TEXT = "RegisterClassEx Failed!";

bool setDisplayMode(int width, int height, int bitsPerPixel) {
  DEVMODEA mode = {};
  mode.dmSize = sizeof(mode);
  mode.dmPelsWidth = width;
  mode.dmPelsHeight = height;
  mode.dmBitsPerPel = bitsPerPixel;
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
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

int Win32Shell::getClientWidth() const {
  return clientRectangle().right;
}

int Win32Shell::getClientHeight() const {
  return clientRectangle().bottom;
}

bool Win32Shell::askFullScreen() {
  return MessageBoxA(nullptr, QUESTION_TEXT, QUESTION_CAPTION, MB_YESNO | MB_ICONQUESTION) != IDNO;
}

void Win32Shell::unregisterShell() {
  UnregisterClassA(app.className, app.instance);
}

bool Win32Shell::openShellWindow(bool wantFullScreen) {
  fullScreen = wantFullScreen;
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD extendedStyle = WS_EX_APPWINDOW;
  // The interface layer draws its own cursor.
  ShowCursor(FALSE);
  RECT rectangle = {0, 0, WINDOW_WIDTH, WINDOW_HEIGHT};
  if (!fullScreen) {
    AdjustWindowRectEx(&rectangle, style, FALSE, extendedStyle);
  } else if (setDisplayMode(WINDOW_WIDTH, WINDOW_HEIGHT, COLOUR_BITS)) {
    style = WS_POPUP;
    extendedStyle |= WS_EX_TOPMOST;
  } else {
    showError(MODE_SWITCH_FAILED_TEXT);
    fullScreen = false;
  }
  window = CreateWindowExA(extendedStyle, app.className, WINDOW_TITLE, style, 0, 0,
                           rectangle.right - rectangle.left, rectangle.bottom - rectangle.top,
                           nullptr, nullptr, app.instance, this);
  if (window == nullptr || !createGlContext()) {
    // Also gives back the desktop mode and the cursor.
    closeShellWindow();
    return false;
  }
  ShowWindow(window, SW_NORMAL);
  visible = true;
  resizeViewport(WINDOW_WIDTH, WINDOW_HEIGHT);
  return true;
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
    DestroyWindow(window);
    window = nullptr;
  }
  if (fullScreen) {
    ChangeDisplaySettingsA(nullptr, 0);
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
    mouseMoved(LOWORD(lParam), HIWORD(lParam));
    break;
  case WM_LBUTTONDOWN:
    leftButtonDown(LOWORD(lParam), HIWORD(lParam));
    break;
  case MODE_TOGGLE_MESSAGE:
    modeToggleArrived();
    break;
  default:
    break;
  }
  return DefWindowProcA(handle, message, wParam, lParam);
}
