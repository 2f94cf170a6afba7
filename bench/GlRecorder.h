#pragma once
// Captures the GL calls the game issues. The benchmark is linked so that
// every GL entry point the game uses passes through this recorder first
// (the --wrap list in CMakeLists.txt); outside a recording each call goes
// straight on to the GL.

#include "FrameRecording.h"

class GlRecorder {
public:
  // From now on every GL call is appended to recording as well as issued.
  static void start(FrameRecording &recording);
  static void stop();
};
