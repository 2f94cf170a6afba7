#include "gfx/es/Mipmaps.h"

#include <algorithm>

namespace {

PixelImage halve(const PixelImage &image) {
  PixelImage half;
  half.width = std::max(1, image.width / 2);
  half.height = std::max(1, image.height / 2);
  half.components = image.components;
  half.pixels.resize(static_cast<std::size_t>(half.width) * half.height * half.components);
  // A side of one texel is not halved: the box covers 2 x 1 or 1 x 2.
  const int stepX = image.width > 1 ? 1 : 0;
  const int stepY = image.height > 1 ? 1 : 0;
  const int boxTexels = (stepX + 1) * (stepY + 1);
  auto texel = [&](int x, int y, int c) {
    return image.pixels[(static_cast<std::size_t>(y) * image.width + x) * image.components + c];
  };
  std::size_t out = 0;
  for (int y = 0; y < half.height; ++y) {
    for (int x = 0; x < half.width; ++x) {
      for (int c = 0; c < image.components; ++c) {
        const int sx = 2 * x * stepX;
        const int sy = 2 * y * stepY;
        const int sum = texel(sx, sy, c) + texel(sx + stepX, sy, c) + texel(sx, sy + stepY, c) +
                        texel(sx + stepX, sy + stepY, c);
        // GLU rounds a 2 x 2 average half up and truncates a 2 x 1 one
        // (whose two texels the sum counts twice).
        const int average = boxTexels == 4 ? (sum + 2) / 4 : sum / 4;
        half.pixels[out++] = static_cast<unsigned char>(average);
      }
    }
  }
  return half;
}

} // namespace

bool isPowerOfTwo(int size) {
  return size > 0 && (size & (size - 1)) == 0;
}

std::vector<PixelImage> buildMipmaps(const PixelImage &base) {
  std::vector<PixelImage> levels{base};
  while (levels.back().width > 1 || levels.back().height > 1) {
    levels.push_back(halve(levels.back()));
  }
  return levels;
}

PixelImage keepComponents(const PixelImage &image, int components) {
  constexpr unsigned char OPAQUE = 255;
  PixelImage kept{image.width, image.height, components, {}};
  const std::size_t texels = static_cast<std::size_t>(image.width) * image.height;
  kept.pixels.reserve(texels * components);
  for (std::size_t i = 0; i < texels; ++i) {
    for (int c = 0; c < components; ++c) {
      kept.pixels.push_back(c < image.components ? image.pixels[i * image.components + c] : OPAQUE);
    }
  }
  return kept;
}
