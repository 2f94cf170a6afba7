// The game drawn through the ES layer on an OpenGL ES 2 context, compared
// with the same scenes drawn by the real OpenGL 1.1 in the gl_reference
// program.

#include "ReferenceProgram.h"
#include "Scenarios.h"

#include "HeadlessContext.h"

#include "gfx/Gl.h"
#include "gfx/es/ShaderProgram.h"
#include "shell/Scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Channels within this much count as equal; none may differ by more than
// MAXIMUM_DIFFERENCE, and at least MINIMUM_EQUAL of the pixels must be equal.
constexpr int CHANNEL_TOLERANCE = 3;
constexpr int MAXIMUM_DIFFERENCE = 32;
constexpr double MINIMUM_EQUAL = 0.995;
constexpr std::size_t RGBA = 4;

// A blank frame would match anything. Every byte equal to the one a pixel
// before it: every pixel alike.
bool isBlank(const Frame &frame) {
  return std::equal(frame.begin() + RGBA, frame.end(), frame.begin());
}

// Both figures are printed for every scene, passing or not; a failing
// scene's picture through the layer is left in the scratch folder. Colour
// channels only: the two contexts' alpha need not agree.
TEST(LayerProof, ScenesMatchTheRealOpenGl) {
  for (const std::string &name : sceneNames()) {
    Frame expected, actual;
    ASSERT_TRUE(runReference({"scene", name}, expected)) << name << ": the real OpenGL failed";
    ASSERT_TRUE(drawScene(name, SCENE_SEED, actual)) << name << ": the layer could not draw it";
    ASSERT_EQ(expected.size(), actual.size());
    std::size_t equal = 0;
    int largest = 0;
    for (std::size_t p = 0; p < expected.size(); p += RGBA) {
      int pixel = 0;
      for (std::size_t c = 0; c < 3; ++c) {
        pixel = std::max(pixel, std::abs(expected[p + c] - actual[p + c]));
      }
      equal += pixel <= CHANNEL_TOLERANCE ? 1 : 0;
      largest = std::max(largest, pixel);
    }
    const double equalFraction = static_cast<double>(equal * RGBA) / expected.size();
    std::printf("%-20s %.4f %% of the pixels within %d/255, largest difference %d/255\n",
                name.c_str(), 100.0 * equalFraction, CHANNEL_TOLERANCE, largest);
    EXPECT_FALSE(isBlank(expected)) << name << ": nothing drawn to compare";
    EXPECT_GE(equalFraction, MINIMUM_EQUAL) << name;
    EXPECT_LE(largest, MAXIMUM_DIFFERENCE) << name;
    if (HasFailure()) {
      writePpm(::testing::TempDir() + "gles_" + name + ".ppm", actual);
    }
  }
}

// The game on a context destroyed and made anew, as a browser loses a WebGL
// context and gives another: after restoreGpuObjects the frame is the one
// drawn before, textures and all, under the names the game still holds.
TEST(LayerProof, AContextMadeAnewDrawsTheSameFrameAfterRestoring) {
  // The windows open: the font, the windows' images and the mipmapped
  // ground all show.
  ASSERT_TRUE(startNamedScene("windows", SCENE_SEED)) << "the game could not start on the layer";
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
TEST(LayerProof, ShaderFailuresKeepTheDriversLog) {
  ASSERT_TRUE(makeTestContextCurrent()) << "no headless OpenGL ES 2 context (Mesa EGL)";
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
