// The game fitted into drawables of other sizes on the headless context,
// built twice: on the real OpenGL (test_game) and on the ES layer (test_gles).
// Picking at a logical pixel finds what the 1024 x 768 game finds there,
// record for record, and the larger frame is drawn at its own resolution:
// box-filtered down, it is the 1024 x 768 frame.

#include "GameFixture.h"

#include "gfx/Gl.h"
#include "shell/Scene.h"

#include <gtest/gtest.h>

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

// Over the picture's 2 x 2 blocks, per colour channel: the mean squared
// spread of each block around its mean, its detail finer than two pixels;
// and how far the block's mean is from the pixel of a picture half as large
// (none when this one box-filtered down is that one).
std::pair<double, double> blockStatistics(const Picture &picture, const Picture *half = nullptr) {
  double spread = 0.0, difference = 0.0;
  for (int y = 0; y < picture.height / 2; ++y) {
    for (int x = 0; x < picture.width / 2; ++x) {
      for (int c = 0; c < 3; ++c) {
        const int block[] = {picture.at(2 * x, 2 * y, c), picture.at(2 * x + 1, 2 * y, c),
                             picture.at(2 * x, 2 * y + 1, c), picture.at(2 * x + 1, 2 * y + 1, c)};
        const double mean = std::accumulate(block, block + 4, 0) / 4.0;
        difference += half != nullptr ? std::abs(mean - half->at(x, y, c)) : 0.0;
        for (const int value : block) {
          spread += (value - mean) * (value - mean);
        }
      }
    }
  }
  const double values = 3.0 * (picture.width / 2) * (picture.height / 2);
  return {spread / values, difference / values};
}

} // namespace

TEST_F(DrawableSizes, PicksAtALogicalPixelAreThoseOfThe1024By768Game) {
  const char *every = std::getenv("PICKRPG_PICK_STEP");
  const int step = every != nullptr && std::atoi(every) > 0 ? std::atoi(every) : 8;
  const std::vector<Records> reference = pickGrid(1024, 768, step);
  const int drawables[][2] = {{2048, 1536}, {1600, 900}, {1280, 1024}, {800, 600}};
  for (const auto &size : drawables) {
    EXPECT_TRUE(pickGrid(size[0], size[1], step) == reference) << size[0] << " x " << size[1];
  }
}

// Box-filtered down by two, the 2048 x 1536 frame is the 1024 x 768 one: on
// llvmpipe it differs by under one level on average where a move by one
// logical pixel gives over two. It is also drawn at its own size, with edges
// as sharp as the small frame's: its detail within a logical pixel is 0.29 of
// the small frame's within two, where the small frame stretched smoothly (as
// a browser or a compositor stretches a picture) has 0.17, pixel by pixel none.
TEST_F(DrawableSizes, TheTwiceAsLargeFrameIsTheSamePictureDrawnSharp) {
  constexpr double SAME_PICTURE = 1.5, SHARP = 0.23;
  const Picture small = frameAt(1024, 768), large = frameAt(2048, 1536);
  const auto [detail, difference] = blockStatistics(large, &small);
  const double smallDetail = blockStatistics(small).first;
  std::printf("2048 x 1536: %.2f from the small frame, detail %.1f, the small frame's %.1f\n",
              difference, detail, smallDetail);
  EXPECT_LT(difference, SAME_PICTURE);
  EXPECT_GT(detail, SHARP * smallDetail);
}
