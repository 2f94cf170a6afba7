// The game drawn and picked through the ES layer on an OpenGL ES 2 context,
// compared with the same scenes drawn and picked by the real OpenGL 1.1 in
// the gl_reference program.

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
// Hit depths may differ by this fraction of the full range.
constexpr double DEPTH_TOLERANCE = 1e-4 * 4294967295.0;
constexpr unsigned FRAME_MILLISECONDS = 16;
// Every 8th pixel both ways; PICKRPG_PICK_STEP sets another step (the
// sanitized run takes a coarser grid: it looks for memory faults, not
// for differences the plain run has already ruled out).
int pickStep() {
  const char *step = std::getenv("PICKRPG_PICK_STEP");
  return step != nullptr && std::atoi(step) > 0 ? std::atoi(step) : 8;
}

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

bool runReference(const std::string &arguments) {
  const std::string command = std::string(GL_REFERENCE) + " " + arguments;
  return std::system(command.c_str()) == 0;
}

bool referenceScene(const std::string &name, Frame &frame) {
  const std::string file = scratchFile(name + ".ppm");
  return runReference("scene " + name + " " + file) && readPpm(file, frame);
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

// Every record alike: the same names, and depths within DEPTH_TOLERANCE.
bool sameRecords(const PickSample &want, const PickSample &got) {
  if (want.hits != got.hits || want.records.size() != got.records.size()) {
    return false;
  }
  std::size_t record = 0;
  while (record < want.records.size()) {
    const std::size_t end = record + 3 + want.records[record];
    for (std::size_t i = record; i < end; ++i) {
      const bool isDepth = i == record + 1 || i == record + 2;
      const double difference = std::abs(static_cast<double>(want.records[i]) - got.records[i]);
      if (difference > (isDepth ? DEPTH_TOLERANCE : 0.0)) {
        return false;
      }
    }
    record = end;
  }
  return true;
}

std::string describe(const PickSample &sample) {
  std::string text = std::to_string(sample.hits) + " hits:";
  for (std::uint32_t word : sample.records) {
    text += " " + std::to_string(word);
  }
  return text;
}

TEST_F(LayerProof, PickingMatchesTheRealSelectionBufferEverywhere) {
  const int step = pickStep();
  for (const std::string &state : pickStateNames()) {
    const std::string file = scratchFile(state + ".picks");
    PickGrid expected, actual;
    ASSERT_TRUE(runReference("picks " + state + " " + std::to_string(step) + " " + file));
    ASSERT_TRUE(readPickGrid(file, expected));
    ASSERT_TRUE(pickNamedState(state, step, actual));
    ASSERT_EQ(expected.world.size(), actual.world.size());
    int mismatches = 0, records = 0;
    for (auto pass : {&PickGrid::world, &PickGrid::interface}) {
      const std::vector<PickSample> &want = expected.*pass;
      const std::vector<PickSample> &got = actual.*pass;
      for (std::size_t i = 0; i < want.size(); ++i) {
        records += std::max(want[i].hits, 0);
        if (!sameRecords(want[i], got[i]) && ++mismatches <= 10) {
          ADD_FAILURE() << state << (pass == &PickGrid::world ? " world" : " interface")
                        << " pick at (" << (i % expected.columns) * step << ", "
                        << (i / expected.columns) * step << "): GL " << describe(want[i])
                        << "; layer " << describe(got[i]);
        }
      }
    }
    std::printf("%-10s %zu points, %d hit records, %d differences\n", state.c_str(),
                expected.world.size(), records, mismatches);
    EXPECT_EQ(mismatches, 0) << state;
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
