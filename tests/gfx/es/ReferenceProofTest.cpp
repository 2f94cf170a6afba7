// The game's states and the feature scenes drawn and picked here, through
// the ES layer (test_gles) or with the desktop's software selection
// (test_desktop_picking), against the same scenes on the real OpenGL 1.1
// and its GL_SELECT in the gl_reference program: every pixel, and every hit
// record at every grid point.

#include "Scenarios.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Channels within this much count as equal; none may differ by more than
// MAXIMUM_DIFFERENCE, and at least MINIMUM_EQUAL of the pixels must be equal.
constexpr int CHANNEL_TOLERANCE = 3;
constexpr int MAXIMUM_DIFFERENCE = 32;
constexpr double MINIMUM_EQUAL = 0.995;
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

// Quoted, since the checkout's path may hold spaces or quotes.
std::string shellQuoted(const std::string &word) {
  std::string quoted = "'";
  for (const char c : word) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

// Runs gl_reference, which draws on the real OpenGL, in a process of its own
// (the layer takes the GL's names in this one), and reads its words.
bool runReference(const std::string &scene, std::vector<std::uint32_t> &words) {
  const std::string command =
      shellQuoted(GL_REFERENCE) + " scene " + scene + " " + std::to_string(pickStep());
  FILE *output = popen(command.c_str(), "r");
  for (std::uint32_t word = 0; output != nullptr && std::fread(&word, sizeof word, 1, output);) {
    words.push_back(word);
  }
  return output != nullptr && pclose(output) == 0 && words.size() >= FRAME_WORDS;
}

// Colour channels only: the two contexts' alpha need not agree. Both figures
// are printed for every scene, passing or not.
void compareFrames(const std::string &scene, const std::vector<std::uint32_t> &expectedWords,
                   const std::vector<std::uint32_t> &actualWords) {
  const auto *expected = reinterpret_cast<const unsigned char *>(expectedWords.data());
  const auto *actual = reinterpret_cast<const unsigned char *>(actualWords.data());
  std::size_t equal = 0;
  int largest = 0;
  for (std::size_t p = 0; p < FRAME_WORDS * 4; p += 4) {
    int pixel = 0;
    for (std::size_t c = 0; c < 3; ++c) {
      pixel = std::max(pixel, std::abs(expected[p + c] - actual[p + c]));
    }
    equal += pixel <= CHANNEL_TOLERANCE ? 1 : 0;
    largest = std::max(largest, pixel);
  }
  const double equalFraction = static_cast<double>(equal) / FRAME_WORDS;
  std::printf("%-16s %.4f %% of the pixels within %d/255, largest difference %d/255\n",
              scene.c_str(), 100.0 * equalFraction, CHANNEL_TOLERANCE, largest);
  // A blank frame, every pixel alike, would match anything.
  EXPECT_FALSE(std::equal(expected + 4, expected + FRAME_WORDS * 4, expected))
      << scene << ": nothing drawn to compare";
  EXPECT_GE(equalFraction, MINIMUM_EQUAL) << scene;
  EXPECT_LE(largest, MAXIMUM_DIFFERENCE) << scene;
}

// The picks one after another, after the frame, each as its words.
std::vector<std::vector<std::uint32_t>> split(const std::vector<std::uint32_t> &words) {
  std::vector<std::vector<std::uint32_t>> picks;
  for (std::size_t i = FRAME_WORDS; i < words.size() && words[i] <= words.size() - i - 1;
       i += 1 + words[i]) {
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

void comparePicks(const std::string &scene, const std::vector<std::uint32_t> &expectedWords,
                  const std::vector<std::uint32_t> &actualWords) {
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
  EXPECT_TRUE(expected.empty() || hits > 0) << scene << ": nothing hit to compare";
}

TEST(ReferenceProof, ScenesDrawAndPickAsTheRealOpenGlDoes) {
  for (const std::string &scene : sceneNames()) {
    std::vector<std::uint32_t> expected, actual;
    ASSERT_TRUE(runReference(scene, expected)) << scene << ": the real OpenGL failed";
    ASSERT_TRUE(runScene(scene, SCENE_SEED, pickStep(), actual))
        << scene << ": no context or state";
    compareFrames(scene, expected, actual);
    comparePicks(scene, expected, actual);
  }
}

} // namespace
