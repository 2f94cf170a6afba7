#pragma once
// The program's outer and inner loops, once for every platform. A backend
// (SDL2, Win32, the browser) derives from MainLoop and supplies only the
// primitives: the start-up question, the window with its GL context, the
// message queue, the buffer swap, the millisecond counter and the message
// box. It reports input through the protected handlers so that key, mouse
// and mode-toggle handling is the same everywhere.

#include "shell/DataFolders.h"
#include "shell/KeyLatch.h"
#include "shell/ShellWindow.h"
#include "shell/StartMode.h"

#include <cstdint>
#include <string>

// The scene hooks the loop drives. gameScene holds the game's own; tests put
// in others.
struct SceneHooks {
  bool (*startScene)(ShellWindow *window, KeyTable *keys);
  void (*stopScene)();
  void (*advanceScene)(std::uint32_t elapsed);
  void (*renderScene)();
  void (*pickAtCursor)(bool isClick);
  const char *(*sceneFailedFile)();
};

extern const SceneHooks gameScene;

class MainLoop : public ShellWindow {
public:
  explicit MainLoop(const SceneHooks &hooks = gameScene) : hooks(hooks) {}

  // Asks for the display mode, then opens the window, starts the scene and
  // pumps messages until the scene ends, as often as the mode is toggled.
  // Returns the process exit code: 0 after a normal end, -1 when the
  // platform cannot be set up, 1 when the window or the scene cannot be made.
  // It is begin, step until the run ends (sleeping while the window is
  // hidden) and finish, which a host that calls back once per frame (a
  // browser) drives itself.
  int run();

  // A mode chosen on the command line skips the start-up question.
  void setStartMode(StartMode mode) { startMode = mode; }
  // The folders the images were looked for in, named when one cannot be loaded.
  void setDataFolders(const DataFolders &folders) { dataFolders = folders; }

  // What one step did: drew a frame, found the window hidden (nothing
  // drawn, the elapsed time keeps growing), or saw the run end.
  enum class Pass { Drew, Hidden, Ended };

  // Sets up the platform and starts the first scene in the given mode;
  // false when the run ended at once (finish then tells how).
  bool begin(bool fullScreen);
  // Handles every waiting message, then draws one frame if the window is
  // visible. A mode toggle among the messages rebuilds the window and starts
  // a new scene within the same step.
  Pass step();
  // Shuts the platform down, shows what ended the run if it failed, and
  // returns the exit code run would.
  int finish();

  // Ends the run once the current message has been handled.
  void requestQuit() override;
  // Leaves the message loop to build the window again in the other mode.
  void requestModeToggle() override;

protected:
  enum class Message { Handled, NoneWaiting, Quit };

  // What every backend shows the same way.
  static constexpr const char *WINDOW_TITLE = "Tavu's Picking Tutorial";
  // A new window shows the logical screen at its own size (times the
  // screen's scale where the platform has one).
  static constexpr int WINDOW_WIDTH = LOGICAL_SCREEN_WIDTH;
  static constexpr int WINDOW_HEIGHT = LOGICAL_SCREEN_HEIGHT;
  static constexpr int COLOUR_BITS = 16;
  static constexpr int DEPTH_BITS = 16;
  static constexpr const char *QUESTION_TEXT = "Would You Like To Run In Fullscreen Mode?";
  static constexpr const char *QUESTION_CAPTION = "Start FullScreen?";
  static constexpr const char *ERROR_CAPTION = "Error";

  // The start-up question: true for full screen.
  virtual bool askFullScreen() = 0;
  // Sets up what every window needs (window class, video subsystem); on
  // failure the backend has already said why if it can.
  virtual bool registerShell() = 0;
  virtual void unregisterShell() = 0;
  // Opens the window with a current GL context and the viewport set. Full
  // screen covers the monitor the game is on without changing its display
  // mode, so it cannot fail where a window would not.
  virtual bool openShellWindow(bool fullScreen) = 0;
  // Releases the context and the window.
  virtual void closeShellWindow() = 0;
  // Takes one waiting message, if any, and handles it; the quit message
  // posted by postQuit is reported, not handled.
  virtual Message handleNextMessage() = 0;
  // Sleeps until a message waits, without taking it.
  virtual void waitForMessage() = 0;
  virtual bool isVisible() const = 0;
  virtual void swapBuffers() = 0;
  // A wrapping 32-bit millisecond counter.
  virtual std::uint32_t tickCount() = 0;
  virtual void showError(const char *text) = 0;
  // Queue the quit message, and the mode-toggle message that reaches
  // modeToggleArrived once the messages before it are handled.
  virtual void postQuit() = 0;
  virtual void postModeToggle() = 0;

  // Input as the backend's message handling sees it: virtual-key codes, and
  // pointer positions in drawable pixels with the origin at the top-left
  // corner (a backend whose events count in points scales them first). The
  // pointer is mapped to the logical screen; over a bar beside the picture
  // it neither moves the game's cursor nor picks.
  void keyDown(int virtualKey);
  void keyUp(int virtualKey);
  // Every held key goes up: the window lost the keyboard.
  void releaseAllKeys();
  void mouseMoved(double x, double y);
  void leftButtonDown(double x, double y);
  void modeToggleArrived();

private:
  const SceneHooks hooks;
  KeyLatch keys;
  StartMode startMode = StartMode::Ask;
  DataFolders dataFolders;
  bool programRunning = false;
  bool fullScreenRequested = false;
  bool shellRegistered = false;
  bool sceneRunning = false;
  std::uint32_t lastTicks = 0;
  // What ended the run, shown by finish; empty after a normal end.
  std::string failure;
  int failureCode = 0;

  // Opens the window in the requested mode and starts the scene in it.
  bool openScene();
  void closeScene();
  void failRun(std::string text, int exitCode);
  // Moves the game's cursor to the logical pixel under a drawable position;
  // false, leaving it where it was, when the position is not on the picture.
  bool pointAtPicture(double x, double y);
  bool fullScreenAtStart();
  void runFrame();
};

// Viewport over the picture fitted into a drawable of that size, with a
// provisional perspective; every frame sets its own viewport and projection,
// these hold until the first.
void resizeViewport(int drawableWidth, int drawableHeight);
