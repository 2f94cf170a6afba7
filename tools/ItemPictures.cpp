#include "ItemPictures.h"

#include <cmath>
#include <vector>

namespace {

constexpr int ICON_SIZE = 64;
constexpr float CENTRE = ICON_SIZE / 2.0f;
constexpr int SMALL_SIZE = 32;
constexpr float TURN = 6.2831853f;

constexpr Colour CLEAR{0, 0, 0, 0};
constexpr Colour WHITE{255, 255, 255};
constexpr Colour FACE_LIGHT{120, 170, 255};
constexpr Colour FACE_DARK{28, 58, 168};
constexpr Colour NAVY{16, 24, 72};
constexpr Colour CLAY_LIGHT{226, 132, 76};
constexpr Colour CLAY_DARK{132, 60, 28};
constexpr Colour CLAY_OUTLINE{70, 30, 14};
constexpr Colour BURLAP_LIGHT{206, 172, 112};
constexpr Colour BURLAP_DARK{134, 100, 58};
constexpr Colour BURLAP_OUTLINE{74, 52, 26};
constexpr Colour ROPE{96, 62, 30};
constexpr Colour BOX_WOOD{168, 120, 66};
constexpr Colour GOLD{240, 200, 70};
constexpr Colour SHADOW{0, 0, 0, 90};

// Lighter on the vertical middle line, darker towards both sides: a round
// body lit from the front, and symmetric.
Image::Paint roundBody(Colour light, Colour dark, float halfWidth) {
  return [=](float x, float) { return mixColours(light, dark, std::fabs(x - CENTRE) / halfWidth); };
}

// Light in the middle of a disc, dark at its rim.
Image::Paint dome(Colour light, Colour dark, float centreX, float centreY, float radius) {
  return [=](float x, float y) {
    return mixColours(light, dark, std::hypot(x - centreX, y - centreY) / radius);
  };
}

void outlineAndFill(Image &image, const std::vector<Point> &leftSide, float width, Colour outline,
                    const Image::Paint &paint) {
  image.fill(Shape::symmetricPolygon(leftSide, CENTRE), paint);
  std::vector<Point> corners(leftSide);
  for (auto corner = leftSide.rbegin(); corner != leftSide.rend(); ++corner) {
    corners.push_back({2 * CENTRE - corner->x, corner->y});
  }
  for (std::size_t i = 0; i < corners.size(); ++i) {
    image.fill(Shape::segment(corners[i], corners[(i + 1) % corners.size()], width), outline);
  }
}

// A sack tied at the top, seen from above: a round bag with its knot.
void sackFromAbove(Image &image, float x, float y, float radius) {
  image.fill(Shape::circle(x, y, radius + 1), BURLAP_OUTLINE);
  image.fill(Shape::circle(x, y, radius), dome(BURLAP_LIGHT, BURLAP_DARK, x, y, radius * 1.3f));
  image.fill(Shape::ring(x, y, radius * 0.45f, radius * 0.25f), ROPE);
  image.fill(Shape::circle(x, y, radius * 0.22f), BURLAP_DARK);
}

// A pot seen from above: its rim and the dark opening.
void potFromAbove(Image &image, float x, float y, float radius) {
  image.fill(Shape::circle(x, y, radius + 1), CLAY_OUTLINE);
  image.fill(Shape::circle(x, y, radius), dome(CLAY_LIGHT, CLAY_DARK, x, y, radius * 1.2f));
  image.fill(Shape::ring(x, y, radius * 0.6f, radius * 0.42f), CLAY_DARK);
  image.fill(Shape::circle(x, y, radius * 0.42f), Colour{40, 18, 8});
}

void boxFromAbove(Image &image, float left, float top, float size) {
  const float right = left + size;
  const float bottom = top + size;
  image.fill(Shape::rectangle(left - 1, top - 1, right + 1, bottom + 1), BURLAP_OUTLINE);
  image.fill(Shape::rectangle(left, top, right, bottom), BOX_WOOD);
  const float third = size / 3;
  for (float seam : {top + third, top + 2 * third}) {
    image.fill(Shape::rectangle(left, seam - 0.5f, right, seam + 0.5f), BURLAP_OUTLINE);
  }
  image.fill(Shape::segment({left + 2, top + 2}, {right - 2, bottom - 2}, 2.5f), ROPE);
  image.fill(Shape::segment({right - 2, top + 2}, {left + 2, bottom - 2}, 2.5f), ROPE);
}

} // namespace

namespace ItemPictures {

Image blueFace() {
  return blueFaceScaledTo(ICON_SIZE);
}

Image blueFaceScaledTo(int size) {
  Image image(size, size, true, CLEAR);
  // Drawn on the portrait's 64-pixel grid; scaling by 1 leaves it exact.
  const float scale = static_cast<float>(size) / ICON_SIZE;
  auto fill = [&](const Shape &shape, const Image::Paint &paint) {
    image.fill(shape.scaled(scale), [&](float x, float y) { return paint(x / scale, y / scale); });
  };
  auto plain = [](Colour colour) { return [colour](float, float) { return colour; }; };
  fill(Shape::circle(CENTRE, CENTRE, 30), plain(NAVY));
  fill(Shape::circle(CENTRE, CENTRE, 28), dome(FACE_LIGHT, FACE_DARK, CENTRE, 22, 38));
  // One eye and its brow, mirrored into the other: the face stays exact.
  constexpr float EYE = CENTRE - 10;
  fill(Shape::ellipse(EYE, 26, 6.5f, 8), plain(NAVY));
  fill(Shape::ellipse(EYE, 26, 5, 6.5f), plain(WHITE));
  fill(Shape::circle(EYE, 28, 3.2f), plain(NAVY));
  fill(Shape::circle(EYE + 1, 26.5f, 1.2f), plain(WHITE));
  fill(Shape::segment({EYE - 5, 15}, {EYE + 4, 13.5f}, 2.2f), plain(NAVY));
  image.mirrorLeftHalf();
  fill(Shape::ring(CENTRE, 33, 16, 13).intersectedWith(Shape::rectangle(12, 40, 52, 52)),
       plain(NAVY));
  fill(Shape::ellipse(CENTRE - 19, 40, 4, 2.5f), plain(Colour{200, 120, 220, 90}));
  fill(Shape::ellipse(CENTRE + 19, 40, 4, 2.5f), plain(Colour{200, 120, 220, 90}));
  image.spreadColourUnderTransparency();
  return image;
}

Image vase() {
  Image image(ICON_SIZE, ICON_SIZE, true, CLEAR);
  const std::vector<Point> profile = {{21, 4},  {21, 8},  {25, 11}, {25, 17}, {17, 24},
                                      {12, 33}, {12, 41}, {16, 50}, {23, 56}, {21, 60}};
  image.fill(Shape::ellipse(CENTRE, 60, 16, 3), SHADOW);
  outlineAndFill(image, profile, 2, CLAY_OUTLINE, roundBody(CLAY_LIGHT, CLAY_DARK, 22));
  const Shape body = Shape::symmetricPolygon(profile, CENTRE);
  image.fill(Shape::rectangle(0, 34, ICON_SIZE, 38).intersectedWith(body), CLAY_OUTLINE);
  image.fill(Shape::rectangle(0, 44, ICON_SIZE, 46).intersectedWith(body), CLAY_OUTLINE);
  for (float x : {CENTRE - 12, CENTRE - 4, CENTRE + 4, CENTRE + 12}) {
    image.fill(Shape::polygon({{x, 38}, {x + 3, 41}, {x, 44}, {x - 3, 41}}), GOLD);
  }
  image.fill(Shape::ellipse(CENTRE, 6, 9, 2), Colour{60, 24, 10});
  image.mirrorLeftHalf(); // edge samples on the axis may round either way
  image.spreadColourUnderTransparency();
  return image;
}

Image sack() {
  Image image(ICON_SIZE, ICON_SIZE, true, CLEAR);
  image.fill(Shape::ellipse(CENTRE, 59, 20, 3.5f), SHADOW);
  const std::vector<Point> outline = {{22, 5},  {27, 11}, {29, 19}, {25, 23}, {16, 30},
                                      {11, 40}, {12, 50}, {18, 57}, {26, 60}};
  outlineAndFill(image, outline, 2, BURLAP_OUTLINE, roundBody(BURLAP_LIGHT, BURLAP_DARK, 24));
  // The frilled top above the knot.
  image.fill(Shape::polygon({{24, 8}, {CENTRE, 12}, {40, 8}, {37, 18}, {27, 18}}), BURLAP_DARK);
  image.fill(Shape::roundedRectangle(24, 17, 40, 22, 2), ROPE);
  image.fill(Shape::segment({CENTRE, 21}, {CENTRE - 7, 30}, 2), ROPE);
  image.fill(Shape::segment({CENTRE, 21}, {CENTRE + 7, 30}, 2), ROPE);
  for (float y : {36.0f, 44.0f, 52.0f}) {
    image.fill(Shape::segment({CENTRE - 3, y}, {CENTRE + 3, y}, 1.2f), BURLAP_OUTLINE);
  }
  image.mirrorLeftHalf(); // edge samples on the axis may round either way
  image.spreadColourUnderTransparency();
  return image;
}

Image pile() {
  Image image(ICON_SIZE, ICON_SIZE, true, CLEAR);
  image.fill(Shape::ellipse(CENTRE, CENTRE + 2, 30, 27), SHADOW);
  sackFromAbove(image, 17, 18, 11);
  sackFromAbove(image, ICON_SIZE - 17, 18, 11);
  potFromAbove(image, 15, 45, 9);
  potFromAbove(image, ICON_SIZE - 15, 45, 9);
  boxFromAbove(image, 21, 21, 22);
  sackFromAbove(image, CENTRE, 51, 9);
  for (float x : {CENTRE - 13, CENTRE + 13}) {
    image.fill(Shape::circle(x, 31, 3), Colour{150, 110, 20});
    image.fill(Shape::circle(x, 31, 2.2f), GOLD);
  }
  image.fill(Shape::circle(CENTRE, 8, 3), Colour{150, 110, 20});
  image.fill(Shape::circle(CENTRE, 8, 2.2f), GOLD);
  image.mirrorLeftHalf(); // edge samples on the axis may round either way
  image.spreadColourUnderTransparency();
  return image;
}

Image bucket() {
  Image image(SMALL_SIZE, SMALL_SIZE, true, CLEAR);
  const float middle = SMALL_SIZE / 2.0f;
  image.fill(Shape::ring(middle, 12, 11, 9.5f).intersectedWith(Shape::rectangle(0, 0, 32, 12)),
             Colour{80, 80, 90});
  image.fill(Shape::polygon({{5, 12}, {27, 12}, {24, 29}, {8, 29}}), Colour{90, 96, 110});
  image.fill(Shape::polygon({{6, 12}, {26, 12}, {23.2f, 28}, {8.8f, 28}}), [=](float x, float) {
    return mixColours(Colour{200, 205, 215}, Colour{110, 116, 130}, std::fabs(x - middle) / 11);
  });
  image.fill(Shape::ellipse(middle, 12, 11, 2.5f), Colour{60, 90, 160});
  image.spreadColourUnderTransparency();
  return image;
}

Image target() {
  Image image(SMALL_SIZE, SMALL_SIZE, true, CLEAR);
  const float middle = SMALL_SIZE / 2.0f;
  const Colour rings[] = {{200, 30, 30}, WHITE, {200, 30, 30}, WHITE, {200, 30, 30}};
  float radius = 15;
  for (Colour ring : rings) {
    image.fill(Shape::circle(middle, middle, radius), ring);
    radius -= 3;
  }
  image.spreadColourUnderTransparency();
  return image;
}

Image explosion() {
  Image image(SMALL_SIZE, SMALL_SIZE, true, CLEAR);
  const float middle = SMALL_SIZE / 2.0f;
  auto star = [&](float outer, float inner) {
    constexpr int POINTS = 12;
    std::vector<Point> corners;
    for (int i = 0; i < 2 * POINTS; ++i) {
      const float radius = i % 2 == 0 ? outer : inner;
      const float angle = TURN * i / (2 * POINTS);
      corners.push_back({middle + radius * std::sin(angle), middle - radius * std::cos(angle)});
    }
    return Shape::polygon(corners);
  };
  image.fill(star(15, 8), Colour{220, 60, 20});
  image.fill(star(11, 5.5f), Colour{255, 160, 30});
  image.fill(Shape::circle(middle, middle, 4.5f), Colour{255, 240, 150});
  image.spreadColourUnderTransparency();
  return image;
}

} // namespace ItemPictures
