#pragma once
// The page's on-screen controls for what only keys do on the desktop. Each
// stands for one key and enters the game as that key; a step arrow held
// down repeats as a held key does, at the keyboard's usual delay and rate.

#include <cstdint>
#include <vector>

class ControlPad {
public:
  // In the order the page numbers its buttons (data-control).
  enum Control { StepUp, StepDown, StepLeft, StepRight, Pause, FullScreen, EndGame, COUNT };

  // The virtual-key code a control stands for, or -1 for no control.
  static int keyOf(int control);

  // A control going down at time now (milliseconds of a wrapping counter);
  // the key to press, or -1 when it is no control or is already down.
  int press(int control, std::uint32_t now);
  // The key to release, or -1 when the control was not down.
  int release(int control);
  // The keys of every control that is down; none is down afterwards.
  std::vector<int> releaseAll();
  // The keys whose held control repeats by now, each at most once.
  std::vector<int> repeatsDue(std::uint32_t now);

private:
  struct Held {
    bool down = false;
    std::uint32_t since = 0;
    std::uint32_t wait = 0;
  };
  Held held[COUNT];

  static bool isControl(int control) { return control >= 0 && control < COUNT; }
};
