#pragma once
// What the game needs of the platform shell. The SDL2 and Win32 backends each
// implement ShellWindow; tests and benchmarks use a headless one. Nothing here
// depends on a platform header.

#include <cstdint>

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

  // Current client-area size in pixels, queried afresh on every call.
  virtual int getClientWidth() const = 0;
  virtual int getClientHeight() const = 0;
  // Whether a point in client pixels lies on the client area.
  bool isInClientArea(std::int32_t x, std::int32_t y) const;

  // Ends the run after the current message has been handled.
  virtual void requestQuit() = 0;
  // Leaves the message loop; the shell destroys the window and builds it
  // again in the other display mode, which starts a new game.
  virtual void requestModeToggle() = 0;
};

// The window the scene was started with; set by startScene.
extern ShellWindow *currentWindow;
// Last cursor position in client pixels, origin at the top-left corner.
extern std::int32_t mouseX;
extern std::int32_t mouseY;

// Milliseconds between two readings of a wrapping 32-bit millisecond counter.
std::uint32_t elapsedMilliseconds(std::uint32_t previousTicks, std::uint32_t nowTicks);
