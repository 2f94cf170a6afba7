// The game drawn and picked through the ES layer on an OpenGL ES 2 context,
// compared with the same scenes drawn and picked by the real OpenGL 1.1 in
// the gl_reference program.

#include "Scenarios.h"

#include "HeadlessContext.h"

#include "gfx/Font.h"
#include "gfx/Gl.h"
#include "gfx/Texture.h"
#include "shell/Scene.h"

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

TEST_F(LayerProof, PickingMatchesTheRealSelectionBufferEverywhere) {
  const int step = pickStep();
  for (const std::string &state : pickStateNames()) {
    const std::string file = scratchFile(state + ".picks");
    PickGrid expected, actual;
    ASSERT_TRUE(runReference("picks " + state + " " + std::to_string(step) + " " + file));
    ASSERT_TRUE(readPickGrid(file, expected));
    ASSERT_TRUE(pickNamedState(state, step, actual));
    ASSERT_EQ(expected.world.size(), actual.world.size());
    int mismatches = 0, hits = 0;
    for (auto pass : {&PickGrid::world, &PickGrid::interface}) {
      const std::vector<PickSample> &want = expected.*pass;
      const std::vector<PickSample> &got = actual.*pass;
      for (std::size_t i = 0; i < want.size(); ++i) {
        hits += want[i].hits > 0 ? 1 : 0;
        const bool same =
            want[i].hits == got[i].hits && want[i].firstName == got[i].firstName &&
            std::abs(static_cast<double>(want[i].minDepth) - got[i].minDepth) <= DEPTH_TOLERANCE &&
            std::abs(static_cast<double>(want[i].maxDepth) - got[i].maxDepth) <= DEPTH_TOLERANCE;
        if (!same && ++mismatches <= 10) {
          ADD_FAILURE() << state << (pass == &PickGrid::world ? " world" : " interface")
                        << " pick at (" << (i % expected.columns) * step << ", "
                        << (i / expected.columns) * step << "): GL " << want[i].hits
                        << " hits, first " << want[i].firstName << " [" << want[i].minDepth << ", "
                        << want[i].maxDepth << "]; layer " << got[i].hits << " hits, first "
                        << got[i].firstName << " [" << got[i].minDepth << ", " << got[i].maxDepth
                        << "]";
        }
      }
    }
    std::printf("%-10s %zu points, %d passes with hits, %d differences\n", state.c_str(),
                expected.world.size(), hits, mismatches);
    EXPECT_EQ(mismatches, 0) << state;
  }
}

// Glyph-like lists, one per printable character: a textured quad whose
// colour and texture cell depend on the code, then a step to the right.
constexpr GLuint FIRST_CODE = 32;
constexpr GLsizei CODES = 96;
constexpr double ADVANCE = 11.0;

void glyphCommands(GLuint code) {
  const float u = static_cast<float>(code % 16) / 16.0f;
  const float v = static_cast<float>(code / 16 % 8) / 8.0f;
  glColor3f(0.5f + (code % 5) * 0.1f, 1.0f, 0.3f + (code % 7) * 0.1f);
  glBegin(GL_QUADS);
  glTexCoord2f(u, v);
  glVertex2i(0, 0);
  glTexCoord2f(u + 0.0625f, v);
  glVertex2i(16, 0);
  glTexCoord2f(u + 0.0625f, v + 0.125f);
  glVertex2i(16, 16);
  glTexCoord2f(u, v + 0.125f);
  glVertex2i(0, 16);
  glEnd();
  glTranslated(ADVANCE, 0.0, 0.0);
}

std::vector<unsigned char> framebuffer() {
  std::vector<unsigned char> rgba(static_cast<std::size_t>(TEST_WIDTH) * TEST_HEIGHT * 4);
  glReadPixels(0, 0, TEST_WIDTH, TEST_HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return rgba;
}

void clearToOrtho() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, TEST_WIDTH, 0, TEST_HEIGHT, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

// Lines of text called through the lists, and the same commands drawn
// directly: the same pixels. Codes without a list (below the first, or a
// deleted one) draw nothing and do not move the pen; a list that calls
// other lists runs them where it is called.
TEST_F(LayerProof, TextThroughDisplayListsEqualsDirectDrawing) {
  ASSERT_EQ(chdir(PICKRPG_SOURCE_DIR), 0);
  ASSERT_EQ(loadTextureTable(), -1);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  bindTexture(FontTexture);
  const GLuint base = glGenLists(CODES);
  ASSERT_NE(base, 0u);
  for (GLuint code = FIRST_CODE; code < FIRST_CODE + CODES; ++code) {
    glNewList(base + code - FIRST_CODE, GL_COMPILE);
    glyphCommands(code);
    glEndList();
  }
  glDeleteLists(base + 'Q' - FIRST_CODE, 1);
  const GLuint word = glGenLists(1);
  const std::string wordText = "list";
  glNewList(word, GL_COMPILE);
  glListBase(base - FIRST_CODE);
  glCallLists(static_cast<GLsizei>(wordText.size()), GL_UNSIGNED_BYTE, wordText.data());
  glEndList();

  const std::vector<std::string> lines = {"You see a part of building wall.",
                                          "Quiet Q: deleted, \x01\x1f: none", "codes \x01 and \x7f",
                                          ""};
  clearToOrtho();
  glListBase(base - FIRST_CODE);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    glLoadIdentity();
    glTranslated(20.0, 700.0 - 40.0 * i, 0.0);
    glCallLists(static_cast<GLsizei>(lines[i].size()), GL_UNSIGNED_BYTE, lines[i].data());
  }
  glLoadIdentity();
  glTranslated(20.0, 500.0, 0.0);
  glListBase(word);
  const GLubyte first = 0;
  glCallLists(1, GL_UNSIGNED_BYTE, &first);
  const std::vector<unsigned char> throughLists = framebuffer();

  clearToOrtho();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    glLoadIdentity();
    glTranslated(20.0, 700.0 - 40.0 * i, 0.0);
    for (unsigned char code : lines[i]) {
      if (code >= FIRST_CODE && code < FIRST_CODE + CODES && code != 'Q') {
        glyphCommands(code);
      }
    }
  }
  glLoadIdentity();
  glTranslated(20.0, 500.0, 0.0);
  for (char code : wordText) {
    glyphCommands(static_cast<GLuint>(code));
  }
  const std::vector<unsigned char> direct = framebuffer();

  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_TRUE(throughLists == direct) << "the lists drew other pixels";
  const auto lit =
      std::count_if(direct.begin(), direct.end(), [](unsigned char c) { return c > 64; });
  EXPECT_GT(lit, 10000) << "nothing was drawn";
  glDeleteLists(base, CODES);
  glDeleteLists(word, 1);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glListBase(0);
  for (Texture &texture : textures) {
    glDeleteTextures(1, &texture.textureId);
    texture.textureId = 0;
  }
}

} // namespace
