#include "InterfacePictures.h"

#include "TileableNoise.h"

namespace {

constexpr int MENU_SIZE = 128;
constexpr int CASE_SIZE = 32;
constexpr float CASE_MIDDLE = CASE_SIZE / 2.0f;
constexpr int CROSSHAIR_SIZE = 32;
constexpr int SLOT_SIZE = 64;

constexpr Colour WHITE{255, 255, 255};
constexpr Colour PANEL{28, 32, 48};
constexpr Colour PANEL_RIM{128, 138, 176};
constexpr Colour PANEL_EDGE{8, 10, 16};
constexpr Colour CLOSE_RED{150, 44, 40};
constexpr Colour SCROLL_BLUE{56, 74, 120};

// A raised square: lighter top edge, darker bottom edge, the same on the
// left and the right so mirroring changes nothing.
Image raisedSquare(Colour face) {
  Image image(CASE_SIZE, CASE_SIZE, false, shadeColour(face, 0.45f));
  image.fill(Shape::rectangle(1, 1, CASE_SIZE - 1, CASE_SIZE - 1), shadeColour(face, 1.5f));
  image.fill(Shape::rectangle(1, 3, CASE_SIZE - 1, CASE_SIZE - 1), shadeColour(face, 0.7f));
  image.fill(Shape::rectangle(3, 3, CASE_SIZE - 3, CASE_SIZE - 3), [face](float, float y) {
    return mixColours(shadeColour(face, 1.2f), face, y / CASE_SIZE);
  });
  return image;
}

// An arrow pointing up when pointsUp, else down, centred on the square.
Shape arrow(bool pointsUp) {
  auto y = [pointsUp](float fromTop) { return pointsUp ? fromTop : CASE_SIZE - fromTop; };
  return Shape::symmetricPolygon({{CASE_MIDDLE, y(6)},
                                  {CASE_MIDDLE - 10, y(17)},
                                  {CASE_MIDDLE - 3.5f, y(17)},
                                  {CASE_MIDDLE - 3.5f, y(26)}},
                                 CASE_MIDDLE);
}

Image scrollCase(bool pointsUp) {
  Image image = raisedSquare(SCROLL_BLUE);
  image.fill(arrow(pointsUp).translated(0, 1), PANEL_EDGE.withAlpha(150));
  image.fill(arrow(pointsUp), WHITE);
  return image;
}

void crosshairArms(Image &image, float grow, Colour colour) {
  constexpr float NEAR = 12.5f;
  constexpr float FAR = 3;
  constexpr float LOW = 15;
  constexpr float HIGH = 17;
  image.fill(Shape::rectangle(FAR - grow, LOW - grow, NEAR + grow, HIGH + grow), colour);
  image.fill(Shape::rectangle(CROSSHAIR_SIZE - NEAR - grow, LOW - grow, CROSSHAIR_SIZE - FAR + grow,
                              HIGH + grow),
             colour);
  image.fill(Shape::rectangle(LOW - grow, FAR - grow, HIGH + grow, NEAR + grow), colour);
  image.fill(Shape::rectangle(LOW - grow, CROSSHAIR_SIZE - NEAR - grow, HIGH + grow,
                              CROSSHAIR_SIZE - FAR + grow),
             colour);
  image.fill(Shape::rectangle(LOW - grow, LOW - grow, HIGH + grow, HIGH + grow), colour);
}

} // namespace

namespace InterfacePictures {

Image menu() {
  Image image(MENU_SIZE, MENU_SIZE, false, PANEL_EDGE);
  const TileableNoise texture(16, 16, 0x5BE0CD19u);
  image.fill(Shape::rectangle(2, 2, MENU_SIZE - 2, MENU_SIZE - 2), PANEL_RIM);
  image.fill(Shape::rectangle(4, 4, MENU_SIZE - 4, MENU_SIZE - 4), PANEL_EDGE);
  image.fill(Shape::rectangle(5, 5, MENU_SIZE - 5, MENU_SIZE - 5), [&](float x, float y) {
    const float shade = 0.85f + 0.3f * texture.fractal(x / MENU_SIZE, y / MENU_SIZE, 3);
    return shadeColour(mixColours(shadeColour(PANEL, 1.25f), PANEL, y / MENU_SIZE), shade);
  });
  image.mirrorLeftHalf();
  return image;
}

Image closeCase() {
  Image image = raisedSquare(CLOSE_RED);
  for (float shadow : {1.0f, 0.0f}) {
    const Colour colour = shadow > 0 ? PANEL_EDGE.withAlpha(150) : WHITE;
    image.fill(Shape::segment({9, 9 + shadow}, {23, 23 + shadow}, 4), colour);
    image.fill(Shape::segment({23, 9 + shadow}, {9, 23 + shadow}, 4), colour);
  }
  return image;
}

Image upCase() {
  return scrollCase(true);
}

Image downCase() {
  return scrollCase(false);
}

Image crosshair() {
  Image image(CROSSHAIR_SIZE, CROSSHAIR_SIZE, true, WHITE.withAlpha(0));
  crosshairArms(image, 1, Colour{0, 0, 0, 150});
  crosshairArms(image, 0, WHITE);
  return image;
}

Image equipmentSlot() {
  Image image(SLOT_SIZE, SLOT_SIZE, true, PANEL.withAlpha(0));
  const Shape outer = Shape::roundedRectangle(2, 2, SLOT_SIZE - 2, SLOT_SIZE - 2, 8);
  const Shape inner = Shape::roundedRectangle(6, 6, SLOT_SIZE - 6, SLOT_SIZE - 6, 5);
  image.fill(inner, [](float, float y) {
    return mixColours(Colour{10, 12, 20, 190}, Colour{40, 46, 66, 150}, y / SLOT_SIZE);
  });
  image.fill(outer.without(inner), PANEL_RIM);
  image.fill(Shape::roundedRectangle(6, 6, SLOT_SIZE - 6, 9, 3), PANEL_EDGE.withAlpha(160));
  image.spreadColourUnderTransparency();
  return image;
}

} // namespace InterfacePictures
