#include "Image.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int SAMPLES_PER_AXIS = 4;
constexpr float SAMPLE_WEIGHT = 1.0f / (SAMPLES_PER_AXIS * SAMPLES_PER_AXIS);
constexpr int SPREAD_PASSES = 4;

std::uint8_t toChannel(float value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0.0f, 255.0f) + 0.5f);
}

} // namespace

Image::Image(int width, int height, bool keepsAlpha, Colour background)
    : width(width), height(height), withAlpha(keepsAlpha),
      pixels(static_cast<std::size_t>(width) * height, background) {}

Colour Image::getPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) {
    return {0, 0, 0, 0};
  }
  return pixels[static_cast<std::size_t>(y) * width + x];
}

void Image::setPixel(int x, int y, Colour colour) {
  if (x >= 0 && y >= 0 && x < width && y < height) {
    pixels[static_cast<std::size_t>(y) * width + x] = colour;
  }
}

void Image::blendPixel(int x, int y, Colour colour, float coverage) {
  if (x < 0 || y < 0 || x >= width || y >= height || coverage <= 0) {
    return;
  }
  Colour &target = pixels[static_cast<std::size_t>(y) * width + x];
  const float source = colour.a / 255.0f * std::min(coverage, 1.0f);
  const float below = target.a / 255.0f * (1 - source);
  const float result = source + below;
  if (result <= 0) {
    return;
  }
  // Straight (not premultiplied) alpha: weight both colours by their share.
  auto channel = [&](std::uint8_t top, std::uint8_t bottom) {
    return toChannel((top * source + bottom * below) / result);
  };
  target = {channel(colour.r, target.r), channel(colour.g, target.g), channel(colour.b, target.b),
            toChannel(result * 255)};
}

void Image::fill(const Shape &shape, Colour colour) {
  fill(shape, [colour](float, float) { return colour; });
}

void Image::fill(const Shape &shape, const Paint &paint) {
  const int left = std::max(0, static_cast<int>(std::floor(shape.getLeft())));
  const int top = std::max(0, static_cast<int>(std::floor(shape.getTop())));
  const int right = std::min(width, static_cast<int>(std::ceil(shape.getRight())) + 1);
  const int bottom = std::min(height, static_cast<int>(std::ceil(shape.getBottom())) + 1);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      int inside = 0;
      for (int sy = 0; sy < SAMPLES_PER_AXIS; ++sy) {
        for (int sx = 0; sx < SAMPLES_PER_AXIS; ++sx) {
          inside += shape.contains(x + (sx + 0.5f) / SAMPLES_PER_AXIS,
                                   y + (sy + 0.5f) / SAMPLES_PER_AXIS);
        }
      }
      if (inside > 0) {
        blendPixel(x, y, paint(x + 0.5f, y + 0.5f), inside * SAMPLE_WEIGHT);
      }
    }
  }
}

void Image::fillWrapped(const Shape &shape, Colour colour) {
  for (int dy = -height; dy <= height; dy += height) {
    for (int dx = -width; dx <= width; dx += width) {
      fill(shape.translated(static_cast<float>(dx), static_cast<float>(dy)), colour);
    }
  }
}

void Image::mirrorLeftHalf() {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width / 2; ++x) {
      setPixel(width - 1 - x, y, getPixel(x, y));
    }
  }
}

void Image::spreadColourUnderTransparency() {
  std::vector<bool> known(pixels.size());
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    known[i] = pixels[i].a != 0;
  }
  for (int pass = 0; pass < SPREAD_PASSES; ++pass) {
    const std::vector<bool> knownBefore = known;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const std::size_t index = static_cast<std::size_t>(y) * width + x;
        if (!knownBefore[index]) {
          spreadInto(x, y, knownBefore, known);
        }
      }
    }
  }
}

void Image::spreadInto(int x, int y, const std::vector<bool> &knownBefore,
                       std::vector<bool> &known) {
  int r = 0, g = 0, b = 0, count = 0;
  for (int ny = std::max(0, y - 1); ny <= std::min(height - 1, y + 1); ++ny) {
    for (int nx = std::max(0, x - 1); nx <= std::min(width - 1, x + 1); ++nx) {
      const std::size_t index = static_cast<std::size_t>(ny) * width + nx;
      if (knownBefore[index]) {
        r += pixels[index].r;
        g += pixels[index].g;
        b += pixels[index].b;
        ++count;
      }
    }
  }
  if (count > 0) {
    const std::size_t index = static_cast<std::size_t>(y) * width + x;
    pixels[index] = {static_cast<std::uint8_t>(r / count), static_cast<std::uint8_t>(g / count),
                     static_cast<std::uint8_t>(b / count), 0};
    known[index] = true;
  }
}
