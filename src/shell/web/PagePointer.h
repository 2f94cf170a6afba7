#pragma once
// A pointer event on the canvas (mouse, finger or pen alike, as the page's
// pointer events report them) as what the game sees of a mouse: the cursor
// moving, and a left click. The page gives positions in CSS pixels from the
// canvas's top-left corner; the game wants the drawing buffer's pixels.

enum class PointerKind { Down, Move };

struct PagePointerEvent {
  PointerKind kind;
  // The browser's primary pointer: the mouse, the first finger down, a pen.
  bool primary;
  // The DOM button that went down: 0 the left button, a finger or a pen tip.
  int button;
  double cssX;
  double cssY;
};

// The canvas's size as CSS lays it out and as its drawing buffer has it.
struct CanvasSize {
  double cssWidth;
  double cssHeight;
  int bufferWidth;
  int bufferHeight;
};

struct PointerAction {
  bool moves;
  bool clicks;
  // Drawing-buffer pixels, origin top-left.
  double x;
  double y;
};

// A second finger and other buttons than the left one do not click; a
// second finger does not even move the cursor, so that a pinch or a palm
// leaves the game alone. A finger's tap is a click where it lands.
PointerAction pointerAction(const PagePointerEvent &event, const CanvasSize &canvas);
