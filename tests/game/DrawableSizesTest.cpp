// The game fitted into drawables of other sizes on the headless context,
// built twice: on the real OpenGL (test_game) and on the ES layer (test_gles).
// Picking at a logical pixel finds what the 1024 x 768 game finds there,
// record for record, and the larger frame is drawn at its own resolution:
// box-filtered down, it is the 1024 x 768 frame.

#include "GameFixture.h"

#include "gfx/Gl.h"
#include "shell/Scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// What both selection passes at one logical pixel left in the buffer: the
// hit count, then every record's words (name count, two depths, the names).
using Records = std::vector<std::uint32_t>;

Records recordsOf(std::int32_t hits) {
  const std::uint32_t *first = selectionRecords(), *end = first;
  for (std::int32_t k = 0; k < hits; ++k) {
    end += 3 + end[0];
  }
  Records words = {static_cast<std::uint32_t>(hits)};
  words.insert(words.end(), first, end);
  return words;
}

int pickStep() {
  const char *step = std::getenv("PICKRPG_PICK_STEP");
  return step != nullptr && std::atoi(step) > 0 ? std::atoi(step) : 8;
}

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba; // rows bottom-up
  int at(int x, int y, int channel) const { return rgba[(y * width + x) * 4 + channel]; }
};

class DrawableSizes : public SceneTest {
protected:
  void TearDown() override { useDrawable(TEST_WIDTH, TEST_HEIGHT), SceneTest::TearDown(); }

  // A window of that size: its drawable, and a new one's depth buffer,
  // which the frames clear only when they are done.
  void useDrawable(int width, int height) {
    ASSERT_TRUE(makeTestContextCurrent(width, height));
    window.width = width, window.height = height;
    glClear(GL_DEPTH_BUFFER_BIT);
  }

  // Both passes at every step-th logical pixel, in a drawable of that size
  // (a frame drawn first, so that its viewport is the one in force).
  std::vector<Records> pickGrid(int width, int height, int step) {
    useDrawable(width, height);
    renderScene();
    std::vector<Records> grid;
    for (mouseY = 0; mouseY < LOGICAL_SCREEN_HEIGHT; mouseY += step) {
      for (mouseX = 0; mouseX < LOGICAL_SCREEN_WIDTH; mouseX += step) {
        grid.push_back(recordsOf(selectWorldAtCursor()));
        grid.push_back(recordsOf(selectInterfaceAtCursor()));
      }
    }
    return grid;
  }

  Picture frameAt(int width, int height) {
    useDrawable(width, height);
    mouseX = 300, mouseY = 200; // the game's cursor over the world
    renderScene();
    Picture picture{width, height, std::vector<unsigned char>(width * height * 4)};
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, picture.rgba.data());
    return picture;
  }
};

// Over the 2 x 2 blocks of a twice as large picture, per colour channel:
// how far the block's mean is from the small picture's pixel (none when the
// large one box-filtered down is the small one), and the block's mean squared
// spread around its mean, its detail finer than a logical pixel (none in a
// picture stretched pixel by pixel, about half as much in one stretched
// smoothly as in one drawn at that size).
std::pair<double, double> blockStatistics(const Picture &small, const Picture &large) {
  double difference = 0.0, spread = 0.0;
  for (int y = 0; y < small.height; ++y) {
    for (int x = 0; x < small.width; ++x) {
      for (int c = 0; c < 3; ++c) {
        const int block[] = {large.at(2 * x, 2 * y, c), large.at(2 * x + 1, 2 * y, c),
                             large.at(2 * x, 2 * y + 1, c), large.at(2 * x + 1, 2 * y + 1, c)};
        const double mean = std::accumulate(block, block + 4, 0) / 4.0;
        difference += std::abs(mean - small.at(x, y, c));
        for (const int value : block) {
          spread += (value - mean) * (value - mean);
        }
      }
    }
  }
  const double values = 3.0 * small.width * small.height;
  return {difference / values, spread / values};
}

// The small frame stretched to twice its size by bilinear filtering, as a
// browser or a compositor stretches a picture: each pixel weighs the small
// pixel it lies in by 3/4 and the next one towards it (none at the edge) by 1/4.
Picture smoothlyStretched(const Picture &small) {
  Picture large{small.width * 2, small.height * 2,
                std::vector<unsigned char>(small.rgba.size() * 4)};
  for (int y = 0; y < large.height; ++y) {
    const int y0 = y / 2, y1 = std::clamp(y0 + y % 2 * 2 - 1, 0, small.height - 1);
    for (int x = 0; x < large.width; ++x) {
      const int x0 = x / 2, x1 = std::clamp(x0 + x % 2 * 2 - 1, 0, small.width - 1);
      for (int c = 0; c < 4; ++c) {
        const double value = 0.75 * (0.75 * small.at(x0, y0, c) + 0.25 * small.at(x1, y0, c)) +
                             0.25 * (0.75 * small.at(x0, y1, c) + 0.25 * small.at(x1, y1, c));
        large.rgba[(y * large.width + x) * 4 + c] = static_cast<unsigned char>(value + 0.5);
      }
    }
  }
  return large;
}

} // namespace

TEST_F(DrawableSizes, PicksAtALogicalPixelAreThoseOfThe1024By768Game) {
  const int step = pickStep();
  const std::vector<Records> reference = pickGrid(1024, 768, step);
  const int drawables[][2] = {{2048, 1536}, {1600, 900}, {1280, 1024}, {800, 600}};
  for (const auto &size : drawables) {
    EXPECT_TRUE(pickGrid(size[0], size[1], step) == reference) << size[0] << " x " << size[1];
  }
}

// Box-filtered down by two, the 2048 x 1536 frame is the 1024 x 768 one: on
// llvmpipe it differs by under one level on average where a move by one
// logical pixel gives over two. It is also drawn at its own size: a stretched
// frame, pixel by pixel or smoothly, averages back to the small frame but has
// little or no detail within a logical pixel.
TEST_F(DrawableSizes, TheTwiceAsLargeFrameIsTheSamePictureDrawnSharp) {
  constexpr double SAME_PICTURE = 1.5, SHARPER_THAN_STRETCHED = 1.3;
  const Picture small = frameAt(1024, 768), large = frameAt(2048, 1536);
  const auto [difference, detail] = blockStatistics(small, large);
  std::printf("2048 x 1536: %.2f from the small frame, detail %.1f, stretched smoothly %.1f\n",
              difference, detail, blockStatistics(small, smoothlyStretched(small)).second);
  EXPECT_LT(difference, SAME_PICTURE);
  EXPECT_GT(detail,
            SHARPER_THAN_STRETCHED * blockStatistics(small, smoothlyStretched(small)).second);
}
