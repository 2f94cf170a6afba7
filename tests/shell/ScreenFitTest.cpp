// The logical 1024 x 768 screen fitted into drawables of every shape: the
// viewport the picture is drawn through, and the pointer mapped back.

#include "shell/ScreenFit.h"
#include "shell/ShellWindow.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

namespace {

using Pixel = std::pair<std::int32_t, std::int32_t>;
constexpr Pixel OFF_PICTURE = {-1, -1};

Pixel logicalAt(const ScreenFit &fit, double x, double y) {
  Pixel pixel = OFF_PICTURE;
  return fit.toLogical(x, y, pixel.first, pixel.second) ? pixel : OFF_PICTURE;
}

} // namespace

// One scale for both axes (fractional too), the picture centred, the rest
// bars; each logical pixel's centre maps back to that pixel, and the picture's
// far edges and everything beyond belong to the bars. The game at its own
// size on a screen of density 1.25, 1.5, 2 or 3 (a backend scales the pointer
// from points to drawable pixels) lands every point where density 1 does.
TEST(ScreenFit, FitsThePictureWholeAndMapsThePointerBack) {
  const struct Row {
    int drawableWidth, drawableHeight, left, bottom, width, height;
  } rows[] = {{1024, 768, 0, 0, 1024, 768},     {2048, 1536, 0, 0, 2048, 1536}, // 1, 2
              {1600, 900, 200, 0, 1200, 900},   {1280, 1024, 0, 32, 1280, 960}, // 1.171875, 1.25
              {1366, 768, 171, 0, 1024, 768},   {800, 600, 0, 0, 800, 600},     // 1, 0.78125
              {3840, 2160, 480, 0, 2880, 2160}, {1, 1, 0, 0, 1, 1},             // 2.8125, a speck
              {1280, 960, 0, 0, 1280, 960},     {1536, 1152, 0, 0, 1536, 1152}, // 1.25, 1.5
              {3072, 2304, 0, 0, 3072, 2304}};                                  // 3
  for (const Row &row : rows) {
    SCOPED_TRACE(std::to_string(row.drawableWidth) + " x " + std::to_string(row.drawableHeight));
    const ScreenFit fit(row.drawableWidth, row.drawableHeight);
    EXPECT_EQ((std::array<int, 4>{fit.left(), fit.bottom(), fit.width(), fit.height()}),
              (std::array<int, 4>{row.left, row.bottom, row.width, row.height}));
    const double top = row.drawableHeight - row.bottom - row.height;
    const double scaleX = row.width / 1024.0, scaleY = row.height / 768.0;
    for (int y = 0; y < LOGICAL_SCREEN_HEIGHT; y += 5) {
      for (int x = 0; x < LOGICAL_SCREEN_WIDTH; x += 5) {
        const double cx = row.left + (x + 0.5) * scaleX, cy = top + (y + 0.5) * scaleY;
        ASSERT_EQ(logicalAt(fit, cx, cy), Pixel(x, y)) << cx << ", " << cy;
      }
    }
    const double left = row.left, right = left + row.width, bottom = top + row.height;
    EXPECT_EQ(logicalAt(fit, left, top), Pixel(0, 0));
    EXPECT_EQ(logicalAt(fit, right - 1e-6, bottom - 1e-6), Pixel(1023, 767));
    const double outside[][2] = {{right, top},      {left, bottom}, {left - 0.5, top},
                                 {left, top - 0.5}, {-1e9, 1e9},    {right + 1, bottom}};
    for (const auto &point : outside) {
      EXPECT_EQ(logicalAt(fit, point[0], point[1]), OFF_PICTURE) << point[0] << ", " << point[1];
    }
  }
  // A drawable without pixels shows nothing to point at.
  EXPECT_EQ(logicalAt(ScreenFit(0, 768), 0, 0), OFF_PICTURE);
  EXPECT_EQ(logicalAt(ScreenFit(1024, -1), 0, 0), OFF_PICTURE);
}
