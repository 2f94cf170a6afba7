// The game drawn and picked through the ES layer on an OpenGL ES 2 context,
// compared with the same scenes drawn and picked by the real OpenGL 1.1 in
// the gl_reference program.

#include "ReferenceProgram.h"
#include "Scenarios.h"

#include "HeadlessContext.h"

#include "gfx/Gl.h"
#include "gfx/es/ShaderProgram.h"
#include "shell/KeyCodes.h"
#include "shell/Scene.h"
#include "shell/ShellWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <unistd.h>

namespace {

// Channels within this much count as equal; none may differ by more than
// MAXIMUM_DIFFERENCE, and at least MINIMUM_EQUAL of the pixels must be equal.
constexpr int CHANNEL_TOLERANCE = 3;
constexpr int MAXIMUM_DIFFERENCE = 32;
constexpr double MINIMUM_EQUAL = 0.995;
constexpr unsigned FRAME_MILLISECONDS = 16;

struct Comparison {
  double equalFraction = 0.0;
  int largestDifference = 0;
};

Comparison compare(const Frame &expected, const Frame &actual) {
  Comparison result;
  std::size_t equal = 0;
  const std::size_t pixels = expected.rgb.size() / 3;
  for (std::size_t p = 0; p < pixels; ++p) {
    int largest = 0;
    for (int c = 0; c < 3; ++c) {
      largest = std::max(largest, std::abs(expected.rgb[p * 3 + c] - actual.rgb[p * 3 + c]));
    }
    equal += largest <= CHANNEL_TOLERANCE ? 1 : 0;
    result.largestDifference = std::max(result.largestDifference, largest);
  }
  result.equalFraction = pixels > 0 ? static_cast<double>(equal) / pixels : 0.0;
  return result;
}

// A blank frame would match anything.
constexpr std::size_t MINIMUM_COLOURS = 2;

std::size_t drawnColours(const Frame &frame) {
  std::set<std::uint32_t> colours;
  for (std::size_t p = 0; p + 2 < frame.rgb.size(); p += 3) {
    colours.insert(frame.rgb[p] << 16 | frame.rgb[p + 1] << 8 | frame.rgb[p + 2]);
  }
  return colours.size();
}

std::string scratchFile(const std::string &name) {
  return ::testing::TempDir() + "gles_" + name;
}

bool referenceScene(const std::string &name, Frame &frame) {
  const std::string file = scratchFile(name + ".ppm");
  return runReference({"scene", name, file}) && readPpm(file, frame);
}

// Both figures are printed for every scene, passing or not.
void expectSameFrame(const std::string &name) {
  Frame expected, actual;
  ASSERT_TRUE(referenceScene(name, expected)) << name << ": the real OpenGL could not draw it";
  ASSERT_TRUE(drawNamedScene(name, actual)) << name << ": the layer could not draw it";
  ASSERT_EQ(expected.rgb.size(), actual.rgb.size());
  const Comparison result = compare(expected, actual);
  std::printf("%-20s %.4f %% of the pixels within %d/255, largest difference %d/255\n",
              name.c_str(), 100.0 * result.equalFraction, CHANNEL_TOLERANCE,
              result.largestDifference);
  EXPECT_GE(drawnColours(expected), MINIMUM_COLOURS) << name << ": nothing drawn to compare";
  EXPECT_GE(result.equalFraction, MINIMUM_EQUAL) << name;
  EXPECT_LE(result.largestDifference, MAXIMUM_DIFFERENCE) << name;
  if (::testing::Test::HasFailure()) {
    writePpm(scratchFile(name + "_layer.ppm"), actual);
  }
}

class LayerProof : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(makeTestContextCurrent()) << "no headless OpenGL ES 2 context (Mesa EGL)";
  }
};

TEST_F(LayerProof, GameFramesMatchTheRealOpenGl) {
  for (const std::string &name : gameFrameNames()) {
    expectSameFrame(name);
  }
}

TEST_F(LayerProof, FeatureScenesMatchTheRealOpenGl) {
  for (const std::string &name : featureSceneNames()) {
    expectSameFrame(name);
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
  EXPECT_GE(drawnColours(before), MINIMUM_COLOURS);
  EXPECT_EQ(compare(before, after).largestDifference, 0);
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
