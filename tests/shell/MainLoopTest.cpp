// The platform-neutral loop, driven by a scripted platform: every primitive
// records itself in a trace, the message queue is a list of actions, and a
// script says what happens each time the loop goes idle (after a frame's
// buffer swap, or instead of sleeping while the window is minimised).

#include "shell/MainLoop.h"
#include "shell/KeyCodes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> trace;
std::vector<std::uint32_t> elapsedTimes;
std::vector<bool> keyAHeldAtStart;
bool startSucceeds = true;
ShellWindow *startedWindow = nullptr;
KeyTable *startedKeys = nullptr;

bool recordStart(ShellWindow *window, KeyTable *keys) {
  trace.push_back("start");
  startedWindow = window;
  startedKeys = keys;
  keyAHeldAtStart.push_back(keys->down[KeyA]);
  return startSucceeds;
}
void recordStop() {
  trace.push_back("stop");
}
void recordAdvance(std::uint32_t elapsed) {
  trace.push_back("advance");
  elapsedTimes.push_back(elapsed);
}
void recordRender() {
  trace.push_back("render");
}
void recordPick(bool isClick) {
  trace.push_back(isClick ? "pick click" : "pick hover");
}
const char *missingFile() {
  return "Data/Font.tga";
}

const SceneHooks recordingScene = {recordStart,  recordStop, recordAdvance,
                                   recordRender, recordPick, missingFile};

class ScriptedShell : public MainLoop {
public:
  using Action = std::function<void(ScriptedShell &)>;

  bool answerFullScreen = false;
  bool registerSucceeds = true;
  std::deque<bool> openResults; // empty: every window opens
  bool visible = false;
  std::uint32_t ticks = 1000;
  std::deque<Action> idleScript;

  ScriptedShell() : MainLoop(recordingScene) {}

  // A message as the backend would queue it: handling it runs the action.
  void send(Action action) { queue.emplace_back(std::move(action)); }

  using MainLoop::keyDown;
  using MainLoop::keyUp;
  using MainLoop::leftButtonDown;
  using MainLoop::mouseMoved;

  int getClientWidth() const override { return WINDOW_WIDTH; }
  int getClientHeight() const override { return WINDOW_HEIGHT; }

protected:
  bool askFullScreen() override {
    trace.push_back("ask");
    return answerFullScreen;
  }
  bool registerShell() override {
    trace.push_back("register");
    return registerSucceeds;
  }
  void unregisterShell() override { trace.push_back("unregister"); }
  bool openShellWindow(bool fullScreen) override {
    trace.push_back(fullScreen ? "open full screen" : "open windowed");
    const bool opened = openResults.empty() || openResults.front();
    if (!openResults.empty()) {
      openResults.pop_front();
    }
    visible = opened;
    return opened;
  }
  void closeShellWindow() override {
    trace.push_back("close");
    // Whatever was queued belonged to the window that is gone.
    queue.clear();
  }
  Message handleNextMessage() override {
    if (queue.empty()) {
      return Message::NoneWaiting;
    }
    std::optional<Action> message = queue.front();
    queue.pop_front();
    if (!message) {
      return Message::Quit;
    }
    (*message)(*this);
    return Message::Handled;
  }
  void waitForMessage() override {
    trace.push_back("wait");
    runIdleStep();
  }
  bool isVisible() const override { return visible; }
  void swapBuffers() override {
    trace.push_back("swap");
    runIdleStep();
  }
  std::uint32_t tickCount() override { return ticks; }
  void showError(const char *text) override { trace.push_back(std::string("error: ") + text); }
  void postQuit() override { queue.emplace_back(std::nullopt); }
  void postModeToggle() override {
    send([](ScriptedShell &shell) { shell.modeToggleArrived(); });
  }

private:
  std::deque<std::optional<Action>> queue; // an empty entry is the quit message

  void runIdleStep() {
    if (idleScript.empty()) {
      ADD_FAILURE() << "the loop went on past the end of its script";
      requestQuit();
      return;
    }
    Action step = idleScript.front();
    idleScript.pop_front();
    step(*this);
  }
};

void quit(ScriptedShell &shell) {
  shell.requestQuit();
}
void nothing(ScriptedShell &) {}

class MainLoopTest : public ::testing::Test {
protected:
  ScriptedShell shell;

  void SetUp() override {
    trace.clear();
    elapsedTimes.clear();
    keyAHeldAtStart.clear();
    startSucceeds = true;
    startedWindow = nullptr;
    startedKeys = nullptr;
  }
};

using Trace = std::vector<std::string>;
const Trace FRAME = {"advance", "render", "swap"};

Trace joined(std::initializer_list<Trace> parts) {
  Trace whole;
  for (const Trace &part : parts) {
    whole.insert(whole.end(), part.begin(), part.end());
  }
  return whole;
}

} // namespace

TEST_F(MainLoopTest, RunsFramesUntilTheSceneAsksToQuit) {
  shell.idleScript = {nothing, quit};
  EXPECT_EQ(shell.run(), 0);
  EXPECT_EQ(trace, joined({{"ask", "register", "open windowed", "start"},
                           FRAME,
                           FRAME,
                           {"stop", "close", "unregister"}}));
  EXPECT_EQ(startedWindow, &shell);
}

TEST_F(MainLoopTest, HandlesEveryWaitingMessageBeforeTheNextFrame) {
  // The close box arrives between two key presses: the key behind it is still
  // handled, the quit message queued after it ends the loop, no frame runs.
  shell.idleScript = {[](ScriptedShell &s) {
    s.send([](ScriptedShell &t) { t.keyDown(KeyA); });
    s.send(quit);
    s.send([](ScriptedShell &t) { t.keyDown(KeyS); });
  }};
  EXPECT_EQ(shell.run(), 0);
  EXPECT_EQ(trace, joined({{"ask", "register", "open windowed", "start"},
                           FRAME,
                           {"stop", "close", "unregister"}}));
  ASSERT_NE(startedKeys, nullptr);
  EXPECT_TRUE(startedKeys->down[KeyA]);
  EXPECT_TRUE(startedKeys->down[KeyS]);
}

TEST_F(MainLoopTest, ModeToggleRebuildsTheWindowInTheOtherModeAndStartsAnew) {
  shell.answerFullScreen = true;
  shell.idleScript = {[](ScriptedShell &s) {
                        s.send([](ScriptedShell &t) { t.keyDown(KeyA); });
                        s.requestModeToggle();
                      },
                      [](ScriptedShell &s) { s.requestModeToggle(); }, quit};
  EXPECT_EQ(shell.run(), 0);
  EXPECT_EQ(trace, joined({{"ask", "register", "open full screen", "start"},
                           FRAME,
                           {"stop", "close", "open windowed", "start"},
                           FRAME,
                           {"stop", "close", "open full screen", "start"},
                           FRAME,
                           {"stop", "close", "unregister"}}));
  // The key went down before the toggle and was never released, yet the new
  // scene sees it up until its next key-down.
  EXPECT_EQ(keyAHeldAtStart, (std::vector<bool>{false, false, false}));
}

TEST_F(MainLoopTest, AWindowThatCannotBeMadeEndsTheRunWithAnError) {
  shell.openResults = {false};
  EXPECT_NE(shell.run(), 0);
  EXPECT_EQ(trace, (Trace{"ask", "register", "open windowed", "unregister",
                          "error: Error Creating OpenGL Window"}));

  // Also when the window goes missing on its way to the other mode.
  trace.clear();
  ScriptedShell toggled;
  toggled.openResults = {true, false};
  toggled.idleScript = {[](ScriptedShell &s) { s.requestModeToggle(); }};
  EXPECT_NE(toggled.run(), 0);
  EXPECT_EQ(trace, joined({{"ask", "register", "open windowed", "start"},
                           FRAME,
                           {"stop", "close", "open full screen", "unregister",
                            "error: Error Creating OpenGL Window"}}));
}

TEST_F(MainLoopTest, ASceneThatCannotStartNamesTheMissingFileAndFails) {
  startSucceeds = false;
  EXPECT_NE(shell.run(), 0);
  // The box comes after the window and the platform are gone, so that
  // neither a full-screen window nor the GL driver's threads are in its way.
  EXPECT_EQ(trace, (Trace{"ask", "register", "open windowed", "start", "stop", "close",
                          "unregister", "error: Cannot load Data/Font.tga"}));
}

TEST_F(MainLoopTest, APlatformThatCannotBeSetUpEndsBeforeAnyWindow) {
  shell.registerSucceeds = false;
  EXPECT_EQ(shell.run(), -1);
  EXPECT_EQ(trace, (Trace{"ask", "register", "error: Error Registering Window Class!"}));
}

TEST_F(MainLoopTest, NoFramesWhileMinimisedAndTheFirstAfterwardsGetsTheWholeTime) {
  shell.ticks = 1000;
  shell.idleScript = {[](ScriptedShell &s) {
                        s.ticks = 1020;
                        s.send([](ScriptedShell &t) { t.visible = false; });
                      },
                      [](ScriptedShell &s) { s.ticks = 4000; },
                      [](ScriptedShell &s) {
                        s.ticks = 7020;
                        s.send([](ScriptedShell &t) { t.visible = true; });
                      },
                      quit};
  EXPECT_EQ(shell.run(), 0);
  EXPECT_EQ(trace, joined({{"ask", "register", "open windowed", "start"},
                           FRAME,
                           {"wait", "wait"},
                           FRAME,
                           {"stop", "close", "unregister"}}));
  EXPECT_EQ(elapsedTimes, (std::vector<std::uint32_t>{0, 6020}));
}

TEST_F(MainLoopTest, FrameTimesStayRightAcrossAWrapOfTheCounter) {
  shell.ticks = 0xFFFFFFF0u;
  shell.idleScript = {[](ScriptedShell &s) { s.ticks = 0x10; },
                      [](ScriptedShell &s) { s.ticks = 0x25; }, quit};
  EXPECT_EQ(shell.run(), 0);
  EXPECT_EQ(elapsedTimes, (std::vector<std::uint32_t>{0, 0x20, 0x15}));
}

TEST_F(MainLoopTest, KeysOutsideTheTableAreIgnored) {
  shell.idleScript = {[](ScriptedShell &s) {
                        s.keyDown(KeyEscape);
                        s.keyDown(KeyTable::SIZE - 1);
                        s.keyDown(KeyTable::SIZE);
                        s.keyDown(-1);
                        s.keyUp(KeyTable::SIZE);
                      },
                      [](ScriptedShell &s) {
                        KeyTable expected;
                        expected.down[KeyEscape] = true;
                        expected.down[KeyTable::SIZE - 1] = true;
                        for (int key = 0; key < KeyTable::SIZE; ++key) {
                          EXPECT_EQ(startedKeys->down[key], expected.down[key]) << key;
                        }
                        s.keyUp(KeyEscape);
                        EXPECT_FALSE(startedKeys->down[KeyEscape]);
                      },
                      quit};
  EXPECT_EQ(shell.run(), 0);
}

TEST_F(MainLoopTest, TheCursorIsStoredAndALeftClickPicksBetweenFrames) {
  shell.idleScript = {
      [](ScriptedShell &s) { s.send([](ScriptedShell &t) { t.mouseMoved(12, 34); }); },
      [](ScriptedShell &s) {
        EXPECT_EQ(mouseX, 12);
        EXPECT_EQ(mouseY, 34);
        s.send([](ScriptedShell &t) { t.leftButtonDown(500, 600); });
      },
      [](ScriptedShell &s) {
        EXPECT_EQ(mouseX, 500);
        EXPECT_EQ(mouseY, 600);
        s.requestQuit();
      }};
  EXPECT_EQ(shell.run(), 0);
  EXPECT_EQ(trace, joined({{"ask", "register", "open windowed", "start"},
                           FRAME,
                           FRAME,
                           {"pick click"},
                           FRAME,
                           {"stop", "close", "unregister"}}));
}

TEST(ElapsedMilliseconds, CountsForwardAcrossTheWrapOfTheCounter) {
  EXPECT_EQ(elapsedMilliseconds(100, 250), 150u);
  EXPECT_EQ(elapsedMilliseconds(7, 7), 0u);
  EXPECT_EQ(elapsedMilliseconds(0xFFFFFF9Cu, 100), 200u);
  EXPECT_EQ(elapsedMilliseconds(0xFFFFFFFFu, 0), 1u);
}
