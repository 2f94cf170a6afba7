#include "shell/web/ControlPad.h"

#include "shell/KeyCodes.h"
#include "shell/ShellWindow.h"

namespace {

constexpr int NO_KEY = -1;
// A keyboard's usual repeat: half a second before the first, then thirty a
// second.
constexpr std::uint32_t REPEAT_DELAY = 500;
constexpr std::uint32_t REPEAT_INTERVAL = 33;

const int controlKeys[ControlPad::COUNT] = {KeyUp,    KeyDown, KeyLeft,  KeyRight,
                                            KeySpace, KeyF1,   KeyEscape};

bool repeats(int control) {
  return control <= ControlPad::StepRight;
}

} // namespace

int ControlPad::keyOf(int control) {
  return isControl(control) ? controlKeys[control] : NO_KEY;
}

int ControlPad::press(int control, std::uint32_t now) {
  if (!isControl(control) || held[control].down) {
    return NO_KEY;
  }
  held[control] = {true, now, REPEAT_DELAY};
  return controlKeys[control];
}

int ControlPad::release(int control) {
  if (!isControl(control) || !held[control].down) {
    return NO_KEY;
  }
  held[control].down = false;
  return controlKeys[control];
}

std::vector<int> ControlPad::releaseAll() {
  std::vector<int> keys;
  for (int control = 0; control < COUNT; ++control) {
    if (release(control) != NO_KEY) {
      keys.push_back(controlKeys[control]);
    }
  }
  return keys;
}

std::vector<int> ControlPad::repeatsDue(std::uint32_t now) {
  std::vector<int> keys;
  for (int control = 0; control < COUNT; ++control) {
    Held &state = held[control];
    if (state.down && repeats(control) && elapsedMilliseconds(state.since, now) >= state.wait) {
      // A late frame repeats once, not once for every interval it missed.
      state.since = now;
      state.wait = REPEAT_INTERVAL;
      keys.push_back(controlKeys[control]);
    }
  }
  return keys;
}
