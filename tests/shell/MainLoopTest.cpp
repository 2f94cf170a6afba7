// The platform-neutral loop, driven by a scripted platform: every primitive
// adds a word to a trace, the message queue is a list of actions, and a
// script says what happens each time the loop goes idle (after a frame's
// buffer swap, or instead of sleeping while the window is minimised); the run
// ends when the script does.

#include "shell/MainLoop.h"
#include "shell/KeyCodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::string trace;
std::vector<std::uint32_t> elapsedTimes;
bool startSucceeds = true;
KeyTable *startedKeys = nullptr;

const SceneHooks recordingScene = {
    [](ShellWindow *, KeyTable *keys) {
      trace += keys->down[KeyA] ? "start-with-A " : "start ";
      return startedKeys = keys, startSucceeds;
    },
    [] { trace += "stop "; },
    [](std::uint32_t elapsed) { trace += "advance ", elapsedTimes.push_back(elapsed); },
    [] { trace += "render "; },
    [](bool) { trace += "pick@" + std::to_string(mouseX) + "," + std::to_string(mouseY) + " "; },
    [] { return "Data/Font.tga"; }};

class ScriptedShell : public MainLoop {
public:
  using Action = std::function<void(ScriptedShell &)>; // an empty one is the quit message
  bool fullScreen = false, registers = true, visible = false;
  int drawableWidth = WINDOW_WIDTH, drawableHeight = WINDOW_HEIGHT;
  int windowsThatOpen = -1; // before opening fails; -1: every one opens
  std::uint32_t ticks = 1000;
  std::deque<Action> idleScript;

  ScriptedShell() : MainLoop(recordingScene) {
    trace.clear(), elapsedTimes.clear(), startSucceeds = true;
  }
  void send(Action action) { queue.push_back(std::move(action)); }
  using MainLoop::keyDown, MainLoop::keyUp, MainLoop::leftButtonDown, MainLoop::mouseMoved;
  int getDrawableWidth() const override { return drawableWidth; }
  int getDrawableHeight() const override { return drawableHeight; }

protected:
  bool askFullScreen() override { return trace += "ask ", fullScreen; }
  bool registerShell() override { return trace += "register ", registers; }
  void unregisterShell() override { trace += "unregister "; }
  bool openShellWindow(bool full) override {
    trace += full ? "full-screen " : "windowed ";
    return visible = windowsThatOpen-- != 0;
  }
  // Whatever was queued belonged to the window that is gone.
  void closeShellWindow() override { trace += "close ", queue.clear(); }
  Message handleNextMessage() override {
    // A loop that spins while hidden is ended here, and its test fails.
    if (queue.empty() && !visible && ++hiddenPolls > 100) {
      requestQuit();
    }
    return queue.empty() ? Message::NoneWaiting : handle(pop(queue));
  }
  void waitForMessage() override { trace += "wait ", idle(); }
  bool isVisible() const override { return visible; }
  void swapBuffers() override { trace += "swap ", idle(); }
  std::uint32_t tickCount() override { return ticks; }
  void showError(const char *text) override { trace += std::string("error: ") + text; }
  void postQuit() override { queue.push_back(nullptr); }
  void postModeToggle() override { send(&ScriptedShell::modeToggleArrived); }

private:
  std::deque<Action> queue;
  int hiddenPolls = 0;
  Message handle(const Action &message) {
    return message ? (message(*this), Message::Handled) : Message::Quit;
  }
  void idle() { idleScript.empty() ? requestQuit() : pop(idleScript)(*this); }
  static Action pop(std::deque<Action> &actions) {
    const Action first = actions.front();
    actions.pop_front();
    return first;
  }
};

const auto toggle = [](ScriptedShell &shell) { shell.requestModeToggle(); };

} // namespace

// Every waiting message is handled before the next frame: keys outside the
// table are ignored, a key tapped between two frames stays down until the
// next update has run, a click picks between two frames. The close box
// arrives between two key presses: the key behind it is still handled, the
// quit message queued after it ends the loop. In a 1600 x 900 drawable the
// picture is 1200 x 900 with bars of 200 at the sides: the pointer reaches
// the game as a logical pixel; over a bar, or off the window (SDL reports
// presses there while another button is held), it neither moves the game's
// cursor nor picks.
TEST(MainLoop, HandlesEveryWaitingMessageBeforeTheNextFrame) {
  ScriptedShell shell;
  shell.drawableWidth = 1600, shell.drawableHeight = 900;
  shell.idleScript = {
      [](ScriptedShell &s) {
        s.send([](ScriptedShell &t) { t.keyDown(KeyEscape), t.keyDown(256), t.keyDown(-1); });
        s.send([](ScriptedShell &t) {
          t.keyDown(KeyA), t.keyUp(KeyA);
          EXPECT_TRUE(startedKeys->down[KeyA]) << "latched for the update";
          t.mouseMoved(800.5, 450.5), t.leftButtonDown(199.9, 450), t.mouseMoved(1400.5, 10);
          t.leftButtonDown(1400.5, 10);
        });
      },
      [](ScriptedShell &s) {
        EXPECT_EQ(std::count(startedKeys->down, startedKeys->down + KeyTable::SIZE, true), 1);
        EXPECT_EQ(std::make_pair(mouseX, mouseY), std::make_pair(512, 384));
        s.send([](ScriptedShell &t) {
          t.keyUp(KeyEscape), t.leftButtonDown(-5000, 9000), t.leftButtonDown(200, 0);
        });
      }};
  EXPECT_EQ(shell.run(), 0);
  EXPECT_EQ(trace, "ask register windowed start advance render swap advance render swap "
                   "pick@0,0 advance render swap stop close unregister ");
  EXPECT_FALSE(startedKeys->down[KeyEscape]);

  // A hidden window sleeps until a message comes instead of spinning.
  ScriptedShell hidden;
  hidden.idleScript = {[](ScriptedShell &s) { s.visible = false; }};
  EXPECT_EQ(hidden.run(), 0);
  EXPECT_NE(trace.find("swap wait stop"), std::string::npos) << trace;
}

// A mode chosen on the command line opens the first window without asking;
// a mode toggle rebuilds the window in the other mode and starts anew, and a
// key held across it counts again only from its next key-down. The error box
// comes after the window and the platform are gone, so that neither a
// full-screen window nor the GL driver's threads are in its way.
TEST(MainLoop, RunsOpenInTheChosenModeToggleAndEndWithTheirFailure) {
  const std::string scene = "start advance render swap stop close ";
  const std::string noWindow = "unregister error: Error Creating OpenGL Window";
  // The mode asked for, the answer to the question, whether the platform
  // registers and the scene starts, the windows that open; the exit code and
  // the trace.
  const std::tuple<StartMode, bool, bool, bool, int, int, std::string> rows[] = {
      {StartMode::Ask, true, true, true, -1, 0,
       "ask register full-screen " + scene + "windowed " + scene + "unregister "},
      {StartMode::Ask, false, true, true, -1, 0,
       "ask register windowed " + scene + "full-screen " + scene + "unregister "},
      {StartMode::Windowed, true, true, true, -1, 0,
       "register windowed " + scene + "full-screen " + scene + "unregister "},
      {StartMode::FullScreen, false, true, true, -1, 0,
       "register full-screen " + scene + "windowed " + scene + "unregister "},
      {StartMode::Ask, false, false, true, -1, -1,
       "ask register error: Error Registering Window Class!"},
      {StartMode::Ask, false, true, true, 0, 1, "ask register windowed " + noWindow},
      {StartMode::Ask, false, true, false, -1, 1,
       "ask register windowed start stop close unregister error: Cannot load Data/Font.tga"},
      // Also when the window goes missing on its way to the other mode.
      {StartMode::Ask, false, true, true, 1, 1,
       "ask register windowed " + scene + "full-screen " + noWindow}};
  for (const auto &[mode, answer, registers, starts, windowsThatOpen, exitCode, expected] : rows) {
    ScriptedShell shell;
    shell.setStartMode(mode);
    shell.fullScreen = answer, shell.registers = registers;
    shell.windowsThatOpen = windowsThatOpen, startSucceeds = starts;
    shell.idleScript = {[](ScriptedShell &s) { s.keyDown(KeyA), toggle(s); }};
    EXPECT_EQ(shell.run(), exitCode) << expected;
    EXPECT_EQ(trace, expected);
  }
}

// The same loop driven one step at a time, as a browser calls it once per
// animation frame: a run that could not begin has no step to take; a page
// offers a new run once one has ended, and it starts clean. A step never
// sleeps: while the window is hidden it draws nothing, and the first frame
// after it gets the whole time it was hidden, also across a wrap of the
// counter. The step that meets a mode toggle ends the old scene and draws the
// first frame of the new one, and a quit ends the run only when the step that
// meets it is over.
TEST(MainLoopSteps, EachStepDrawsOneFrameAndRunsFollowOneAnother) {
  ScriptedShell shell;
  startSucceeds = false;
  EXPECT_FALSE(shell.begin(true));
  EXPECT_EQ(shell.step(), MainLoop::Pass::Ended);
  EXPECT_EQ(shell.finish(), 1);
  startSucceeds = true, trace.clear(), elapsedTimes.clear(), shell.ticks = 0xFFFFFFF0u;
  const auto nothing = [](ScriptedShell &) {};
  shell.idleScript = {nothing, toggle, nothing, nothing};
  ASSERT_TRUE(shell.begin(false));
  EXPECT_EQ(shell.step(), MainLoop::Pass::Drew);
  shell.visible = false, shell.ticks = 0x10;
  EXPECT_EQ(shell.step(), MainLoop::Pass::Hidden);
  shell.visible = true, shell.ticks = 0x1010;
  EXPECT_EQ(shell.step(), MainLoop::Pass::Drew);
  EXPECT_EQ(shell.step(), MainLoop::Pass::Drew); // meets the toggle
  shell.send([](ScriptedShell &s) { s.requestQuit(); });
  shell.send([](ScriptedShell &s) { s.keyDown(KeyS); });
  EXPECT_EQ(shell.step(), MainLoop::Pass::Ended);
  EXPECT_EQ(shell.step(), MainLoop::Pass::Ended);
  EXPECT_EQ(shell.finish(), 0);
  EXPECT_EQ(trace, "register windowed start advance render swap advance render swap stop close "
                   "full-screen start advance render swap stop close unregister ");
  EXPECT_EQ(elapsedTimes, (std::vector<std::uint32_t>{0, 0x1020, 0}));
  EXPECT_TRUE(startedKeys->down[KeyS]) << "the key behind the quit message is still handled";
}
