// The game drawn through the ES layer on an OpenGL ES 2 context, compared
// with the same scenes drawn by the real OpenGL 1.1 in the gl_reference
// program.

#include "ReferenceProgram.h"
#include "Scenarios.h"

#include "HeadlessContext.h"

#include "gfx/Gl.h"
#include "gfx/es/ShaderProgram.h"
#include "shell/KeyCodes.h"
#include "shell/Scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// Channels within this much count as equal; none may differ by more than
// MAXIMUM_DIFFERENCE, and at least MINIMUM_EQUAL of the pixels must be equal.
constexpr int CHANNEL_TOLERANCE = 3;
constexpr int MAXIMUM_DIFFERENCE = 32;
constexpr double MINIMUM_EQUAL = 0.995;
constexpr std::size_t RGBA = 4;
constexpr unsigned FRAME_MILLISECONDS = 16;

struct Difference {
  double equalFraction = 0.0;
  int largest = 0;
};

// Colour channels only: the two contexts' alpha need not agree.
Difference compare(const Frame &expected, const Frame &actual) {
  Difference result;
  std::size_t equal = 0;
  for (std::size_t p = 0; p < expected.size(); p += RGBA) {
    int largest = 0;
    for (std::size_t c = 0; c < 3; ++c) {
      largest = std::max(largest, std::abs(expected[p + c] - actual[p + c]));
    }
    equal += largest <= CHANNEL_TOLERANCE ? 1 : 0;
    result.largest = std::max(result.largest, largest);
  }
  result.equalFraction =
      static_cast<double>(equal * RGBA) / std::max<std::size_t>(expected.size(), 1);
  return result;
}

// A blank frame would match anything.
bool isBlank(const Frame &frame) {
  for (std::size_t p = RGBA; p < frame.size(); p += RGBA) {
    if (!std::equal(&frame[p], &frame[p + 3], &frame[0])) {
      return false;
    }
  }
  return true;
}

class LayerProof : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(makeTestContextCurrent()) << "no headless OpenGL ES 2 context (Mesa EGL)";
  }
};

// Both figures are printed for every scene, passing or not; a failing
// scene's picture through the layer is left in the scratch folder.
TEST_F(LayerProof, ScenesMatchTheRealOpenGl) {
  for (const std::string &name : sceneNames()) {
    Frame expected, actual;
    ASSERT_TRUE(runReference({"scene", name}, expected)) << name << ": the real OpenGL failed";
    ASSERT_TRUE(drawScene(name, SCENE_SEED, actual)) << name << ": the layer could not draw it";
    ASSERT_EQ(expected.size(), actual.size());
    const Difference difference = compare(expected, actual);
    std::printf("%-20s %.4f %% of the pixels within %d/255, largest difference %d/255\n",
                name.c_str(), 100.0 * difference.equalFraction, CHANNEL_TOLERANCE,
                difference.largest);
    EXPECT_FALSE(isBlank(expected)) << name << ": nothing drawn to compare";
    EXPECT_GE(difference.equalFraction, MINIMUM_EQUAL) << name;
    EXPECT_LE(difference.largest, MAXIMUM_DIFFERENCE) << name;
    if (HasFailure()) {
      writePpm(::testing::TempDir() + "gles_" + name + ".ppm", actual);
    }
  }
}

// The game on a context destroyed and made anew, as a browser loses a WebGL
// context and gives another: after restoreGpuObjects the frame is the one
// drawn before, textures and all, under the names the game still holds.
TEST_F(LayerProof, AContextMadeAnewDrawsTheSameFrameAfterRestoring) {
  ASSERT_EQ(chdir(PICKRPG_SOURCE_DIR), 0);
  HeadlessWindow window;
  KeyTable keys;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  ASSERT_TRUE(startScene(&window, &keys));
  // The inventory open: the font, the window's images and the mipmapped
  // ground all show.
  keys.down[KeyI] = true;
  advanceScene(FRAME_MILLISECONDS);
  renderScene();
  renderScene();
  Frame before, after;
  readFrame(before);
  ASSERT_TRUE(recreateTestContext());
  EXPECT_TRUE(restoreGpuObjects()) << gpuFailureLog();
  renderScene();
  readFrame(after);
  stopScene();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_FALSE(isBlank(before));
  EXPECT_TRUE(before == after) << "the frame changed";
}

// A shader the driver rejects leaves the driver's own words, after saying
// which step failed; one it takes leaves no log.
TEST_F(LayerProof, ShaderFailuresKeepTheDriversLog) {
  const char *vertex = "attribute vec4 p; void main() { gl_Position = p; }";
  const char *fragment = "precision mediump float; void main() { gl_FragColor = vec4(1.0); }";
  struct Case {
    const char *vertex;
    const char *fragment;
    std::string says;
  };
  const Case cases[] = {
      {vertex, fragment, ""},
      {"void main() { gl_Position = undeclared; }", fragment,
       "The vertex shader did not compile: "},
      {vertex, "void main() { gl_FragColor = vec4(1.0) }", "The fragment shader did not compile: "},
      {vertex, "precision mediump float; varying vec4 c; void main() { gl_FragColor = c; }",
       "The shaders did not link: "}};
  for (const Case &c : cases) {
    ShaderProgram program;
    EXPECT_EQ(program.build(c.vertex, c.fragment, {"p"}), c.says.empty()) << c.says;
    const std::string &log = program.failureLog();
    EXPECT_EQ(log.substr(0, c.says.size()), c.says) << log;
    EXPECT_EQ(log.size() > c.says.size(), !c.says.empty()) << "no driver's log: " << log;
  }
}

} // namespace
