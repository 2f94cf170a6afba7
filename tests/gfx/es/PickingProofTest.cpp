// Selection passes done in software against the real OpenGL's GL_SELECT in
// the gl_reference program: every hit record at every grid point of every
// game state and of a scene of scattered quads. Built twice: over the ES
// layer (test_gles) and over the desktop's OpenGL with its software
// selection (test_desktop_picking).

#include "ReferenceProgram.h"
#include "Scenarios.h"

#include "HeadlessContext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Hit depths may differ by this fraction of the full range.
constexpr double DEPTH_TOLERANCE = 1e-4 * 4294967295.0;
// A pick's words: the pixel, the pass, the hit count, then the records.
enum PickWord { X, Y, PASS, HITS, FIRST_RECORD };

// Every 8th pixel both ways; PICKRPG_PICK_STEP sets another step (the
// sanitized run takes a coarser grid: it looks for memory faults, not
// for differences the plain run has already ruled out).
int pickStep() {
  const char *step = std::getenv("PICKRPG_PICK_STEP");
  return step != nullptr && std::atoi(step) > 0 ? std::atoi(step) : 8;
}

// The picks one after another, each as its words.
std::vector<std::vector<std::uint32_t>> split(const std::vector<std::uint32_t> &words) {
  std::vector<std::vector<std::uint32_t>> picks;
  for (std::size_t i = 0; i < words.size() && words[i] <= words.size() - i - 1; i += 1 + words[i]) {
    picks.emplace_back(words.begin() + i + 1, words.begin() + i + 1 + words[i]);
  }
  return picks;
}

// Every word alike, but the depths of each record within DEPTH_TOLERANCE.
bool samePick(const std::vector<std::uint32_t> &want, const std::vector<std::uint32_t> &got) {
  if (want.size() != got.size()) {
    return false;
  }
  std::size_t record = FIRST_RECORD;
  for (std::size_t i = 0; i < want.size(); ++i) {
    if (i > record && i == record + 3 + want[record]) {
      record = i;
    }
    const bool isDepth = i == record + 1 || i == record + 2;
    if (std::abs(static_cast<double>(want[i]) - got[i]) > (isDepth ? DEPTH_TOLERANCE : 0.0)) {
      return false;
    }
  }
  return true;
}

TEST(PickingProof, PickingMatchesTheRealSelectionBufferEverywhere) {
  const std::string step = std::to_string(pickStep());
  for (const std::string &scene : sceneNames(true)) {
    std::vector<std::uint32_t> expectedWords, actualWords;
    ASSERT_TRUE(runReference({"picks", scene, step}, expectedWords)) << scene;
    ASSERT_TRUE(pickScene(scene, pickStep(), actualWords)) << scene << ": no context or state";
    const auto expected = split(expectedWords), actual = split(actualWords);
    ASSERT_EQ(expected.size(), actual.size()) << scene;
    int mismatches = 0, hits = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      hits += std::max(static_cast<std::int32_t>(expected[i][HITS]), 0);
      if (!samePick(expected[i], actual[i]) && ++mismatches <= 10) {
        ADD_FAILURE() << scene << " pick (x, y, pass, hits, records):\n GL  "
                      << ::testing::PrintToString(expected[i]) << "\n ours "
                      << ::testing::PrintToString(actual[i]);
      }
    }
    std::printf("%-16s %zu picks, %d hit records, %d differences\n", scene.c_str(), expected.size(),
                hits, mismatches);
    EXPECT_EQ(mismatches, 0) << scene;
    EXPECT_GT(hits, 0) << scene << ": nothing hit to compare";
  }
}

} // namespace
