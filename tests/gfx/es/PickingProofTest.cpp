// The game's selection passes, done in software, against the real OpenGL's
// GL_SELECT in the gl_reference program: every hit record at every grid point
// of every game state. Built twice: over the ES layer (test_gles) and over
// the desktop's OpenGL with its software selection (test_desktop_picking).

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

// Every 8th pixel both ways; PICKRPG_PICK_STEP sets another step (the
// sanitized run takes a coarser grid: it looks for memory faults, not
// for differences the plain run has already ruled out).
int pickStep() {
  const char *step = std::getenv("PICKRPG_PICK_STEP");
  return step != nullptr && std::atoi(step) > 0 ? std::atoi(step) : 8;
}

std::string scratchFile(const std::string &name) {
  return ::testing::TempDir() + "picks_" + name;
}

class PickingProof : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(makeTestContextCurrent()) << "no headless context (Mesa EGL)";
  }
};

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

TEST_F(PickingProof, PickingMatchesTheRealSelectionBufferEverywhere) {
  const int step = pickStep();
  for (const std::string &state : pickStateNames()) {
    const std::string file = scratchFile(state + ".picks");
    PickGrid expected, actual;
    ASSERT_TRUE(runReference({"picks", state, std::to_string(step), file}));
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
                        << "; ours " << describe(got[i]);
        }
      }
    }
    std::printf("%-10s %zu points, %d hit records, %d differences\n", state.c_str(),
                expected.world.size(), records, mismatches);
    EXPECT_EQ(mismatches, 0) << state;
  }
}

} // namespace
