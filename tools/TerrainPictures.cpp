#include "TerrainPictures.h"

#include "Prng.h"
#include "TileableNoise.h"

#include <cmath>

namespace {

constexpr int GROUND_SIZE = 128;
constexpr int GRASS_BLADES = 1100;
// Bare earth only shows through: a strong patch repeats visibly from square to square.
constexpr float EARTH_STRENGTH = 0.5f;
constexpr int SKY_SIZE = 64;
constexpr int CRATE_SIZE = 128;
constexpr int MARK_SIZE = 64;

constexpr Colour GRASS_DARK{40, 84, 30};
constexpr Colour GRASS_LIGHT{102, 148, 56};
constexpr Colour EARTH_DARK{92, 68, 44};
constexpr Colour EARTH_LIGHT{140, 110, 74};
constexpr Colour WOOD{156, 112, 64};
constexpr Colour FRAME_WOOD{118, 80, 42};
constexpr Colour WOOD_SEAM{58, 36, 18};
constexpr Colour NAIL{52, 52, 56};
constexpr Colour WHITE{255, 255, 255};

float smoothStep(float low, float high, float value) {
  const float t = std::fmin(std::fmax((value - low) / (high - low), 0.0f), 1.0f);
  return t * t * (3 - 2 * t);
}

// Fraction of the ground that is bare earth at texture position (u, v).
float earthShare(const TileableNoise &earth, float u, float v) {
  return smoothStep(0.66f, 0.74f, earth.fractal(u, v, 2));
}

void paintGrassBlades(Image &image, const TileableNoise &earth) {
  Prng random(0x6A09E667u);
  for (int blade = 0; blade < GRASS_BLADES; ++blade) {
    const float x = random.between(0, GROUND_SIZE);
    const float y = random.between(0, GROUND_SIZE);
    const float angle = random.between(0, 6.2831853f);
    const float length = random.between(1.5f, 4.0f);
    const Colour colour = mixColours(GRASS_DARK, GRASS_LIGHT, random.between(0.1f, 1.2f));
    if (earthShare(earth, x / GROUND_SIZE, y / GROUND_SIZE) > 0.5f) {
      continue;
    }
    const Point tip{x + std::cos(angle) * length, y + std::sin(angle) * length};
    image.fillWrapped(Shape::segment({x, y}, tip, 1.0f), colour.withAlpha(170));
  }
}

// Wood with grain along the board: across it the noise varies fast.
Colour grain(const TileableNoise &noise, Colour base, float along, float across) {
  return shadeColour(base, 0.72f + 0.4f * noise.fractal(along, across, 3));
}

void paintBoardOutline(Image &image, float left, float top, float right, float bottom) {
  image.fill(Shape::rectangle(left, top, right, bottom)
                 .without(Shape::rectangle(left + 1, top + 1, right - 1, bottom - 1)),
             WOOD_SEAM.withAlpha(200));
}

Shape markFrame() {
  return Shape::roundedRectangle(2, 2, 62, 62, 6).without(Shape::roundedRectangle(7, 7, 57, 57, 2));
}

} // namespace

namespace TerrainPictures {

Image ground() {
  Image image(GROUND_SIZE, GROUND_SIZE, false, GRASS_DARK);
  const TileableNoise grass(16, 16, 0x243F6A88u);
  const TileableNoise earth(8, 8, 0x85A308D3u);
  const TileableNoise clods(32, 32, 0x13198A2Eu);
  for (int y = 0; y < GROUND_SIZE; ++y) {
    for (int x = 0; x < GROUND_SIZE; ++x) {
      const float u = (x + 0.5f) / GROUND_SIZE;
      const float v = (y + 0.5f) / GROUND_SIZE;
      const Colour turf = mixColours(GRASS_DARK, GRASS_LIGHT, grass.fractal(u, v, 3) * 1.3f - 0.1f);
      const Colour soil = mixColours(EARTH_DARK, EARTH_LIGHT, clods.fractal(u, v, 2));
      image.setPixel(x, y, mixColours(turf, soil, EARTH_STRENGTH * earthShare(earth, u, v)));
    }
  }
  paintGrassBlades(image, earth);
  return image;
}

Image sky() {
  Image image(SKY_SIZE, SKY_SIZE, false, WHITE);
  const TileableNoise clouds(4, 4, 0x03707344u);
  for (int y = 0; y < SKY_SIZE; ++y) {
    for (int x = 0; x < SKY_SIZE; ++x) {
      const float u = (x + 0.5f) / SKY_SIZE;
      const float v = (y + 0.5f) / SKY_SIZE;
      const Colour blue = mixColours(Colour{70, 120, 210}, Colour{150, 190, 240}, v);
      image.setPixel(x, y,
                     mixColours(blue, WHITE, smoothStep(0.5f, 0.75f, clouds.fractal(u, v, 4))));
    }
  }
  return image;
}

Image crate() {
  Image image(CRATE_SIZE, CRATE_SIZE, false, WOOD);
  const TileableNoise noise(2, 24, 0xA4093822u);
  const float half = CRATE_SIZE / 2.0f;
  constexpr float FRAME = 10;
  constexpr float PLANK = 16;
  // The left half is painted and mirrored: the middle post is two frames.
  image.fill(Shape::rectangle(0, 0, half, CRATE_SIZE),
             [&](float x, float y) { return grain(noise, WOOD, x / CRATE_SIZE, y / CRATE_SIZE); });
  for (float top = 0; top < CRATE_SIZE; top += PLANK) {
    paintBoardOutline(image, -1, top, half + 1, top + PLANK);
  }
  auto frameWood = [&](float x, float y) {
    return grain(noise, FRAME_WOOD, y / CRATE_SIZE, x / CRATE_SIZE);
  };
  const Point brace[2] = {{FRAME + 4, CRATE_SIZE - FRAME - 4}, {half - FRAME - 4, FRAME + 4}};
  image.fill(Shape::segment(brace[0], brace[1], 13), WOOD_SEAM);
  image.fill(Shape::segment(brace[0], brace[1], 11), [&](float x, float y) {
    return grain(noise, FRAME_WOOD, (x + y) / CRATE_SIZE, (x - y) / CRATE_SIZE);
  });
  for (float left : {0.0f, half - FRAME}) {
    image.fill(Shape::rectangle(left, 0, left + FRAME, CRATE_SIZE), frameWood);
    paintBoardOutline(image, left, -1, left + FRAME, CRATE_SIZE + 1);
  }
  for (float top : {0.0f, CRATE_SIZE - FRAME}) {
    image.fill(Shape::rectangle(FRAME, top, half - FRAME, top + FRAME), [&](float x, float y) {
      return grain(noise, FRAME_WOOD, x / CRATE_SIZE, y / CRATE_SIZE);
    });
    paintBoardOutline(image, FRAME - 1, top, half - FRAME + 1, top + FRAME);
  }
  for (float x : {FRAME / 2, half - FRAME / 2}) {
    for (float y : {FRAME / 2, CRATE_SIZE - FRAME / 2}) {
      image.fill(Shape::circle(x, y, 1.8f), NAIL);
    }
  }
  image.mirrorLeftHalf();
  return image;
}

Image selectTemp() {
  Image image(MARK_SIZE, MARK_SIZE, true, WHITE.withAlpha(0));
  // Gaps placed symmetrically along every edge; a quarter turn maps the
  // vertical gap strips onto the horizontal ones.
  Shape dashed = markFrame();
  for (float gap : {15.0f, 29.0f, 43.0f}) {
    dashed = dashed.without(Shape::rectangle(gap, 0, gap + 6, MARK_SIZE))
                 .without(Shape::rectangle(0, gap, MARK_SIZE, gap + 6));
  }
  image.fill(dashed, WHITE);
  return image;
}

Image selectPerm() {
  Image image(MARK_SIZE, MARK_SIZE, true, WHITE.withAlpha(0));
  image.fill(Shape::roundedRectangle(4, 4, 60, 60, 4), WHITE.withAlpha(80));
  image.fill(markFrame(), WHITE);
  return image;
}

} // namespace TerrainPictures
