#pragma once
// What the game needs of the platform shell. The SDL2 and Win32 backends each
// implement ShellWindow; tests and benchmarks use a headless one. Nothing here
// depends on a platform header.

#include <cstdint>

// The game's own screen: the game, the interface and picking think in these
// client pixels whatever the real window is; the shell fits it to the window.
constexpr int LOGICAL_SCREEN_WIDTH = 1024;
constexpr int LOGICAL_SCREEN_HEIGHT = 768;

// Key-down table indexed by Windows virtual-key code. The game clears an entry
// itself to consume a press; the shell clears the whole table whenever a
// window is created.
struct KeyTable {
  static constexpr int SIZE = 256;
  bool down[SIZE] = {};

  void clear();
};

class ShellWindow {
public:
  virtual ~ShellWindow() = default;

  // The client area the game lays itself out in: always the logical screen.
  int getClientWidth() const { return LOGICAL_SCREEN_WIDTH; }
  int getClientHeight() const { return LOGICAL_SCREEN_HEIGHT; }
  // The real pixels of the GL drawable the picture is fitted into, queried
  // afresh on every call (a high-density screen has more than the window's
  // size in points).
  virtual int getDrawableWidth() const = 0;
  virtual int getDrawableHeight() const = 0;

  // Ends the run after the current message has been handled.
  virtual void requestQuit() = 0;
  // Leaves the message loop; the shell destroys the window and builds it
  // again in the other display mode, which starts a new game.
  virtual void requestModeToggle() = 0;
};

// The window the scene was started with; set by startScene.
extern ShellWindow *currentWindow;
// Last cursor position in logical client pixels, origin at the top-left
// corner: where the pointer last was over the picture.
extern std::int32_t mouseX;
extern std::int32_t mouseY;

// Milliseconds between two readings of a wrapping 32-bit millisecond counter.
std::uint32_t elapsedMilliseconds(std::uint32_t previousTicks, std::uint32_t nowTicks);
