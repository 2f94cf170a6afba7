#include "ButtonPictures.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr int SIZE = 64;
constexpr float MIDDLE = SIZE / 2.0f;
constexpr float ICON_Y = 21; // centre line of the icon
constexpr int WORD_BASELINE = 56;
constexpr int WORD_MAX_WIDTH = 58;
constexpr float TURN = 6.2831853f;

constexpr Colour TILE_TOP{88, 116, 170};
constexpr Colour TILE_BOTTOM{30, 42, 80};
constexpr Colour TILE_RIM{176, 196, 236};
constexpr Colour INK{255, 236, 170};
constexpr Colour INK_SHADOW{10, 14, 30, 170};
constexpr Colour WHITE{255, 255, 255};
constexpr Colour STEEL{220, 226, 238};
constexpr Colour LEATHER{150, 98, 52};
constexpr Colour IRIS{60, 110, 200};
constexpr Colour DARK{16, 20, 36};

using IconPart = std::pair<Shape, Colour>;

std::vector<IconPart> getIcon() {
  const Shape arrow = Shape::symmetricPolygon(
      {{MIDDLE - 3, 7}, {MIDDLE - 3, 16}, {MIDDLE - 9, 16}, {MIDDLE, 26}}, MIDDLE);
  const Shape tray = Shape::segment({18, 24}, {18, 32}, 3);
  return {{arrow, INK},
          {tray, INK},
          {Shape::segment({18, 32}, {46, 32}, 3), INK},
          {Shape::segment({46, 32}, {46, 24}, 3), INK}};
}

std::vector<IconPart> moveIcon() {
  std::vector<IconPart> parts = {
      {Shape::rectangle(MIDDLE - 2, ICON_Y - 10, MIDDLE + 2, ICON_Y + 10), INK},
      {Shape::rectangle(MIDDLE - 10, ICON_Y - 2, MIDDLE + 10, ICON_Y + 2), INK}};
  // Four arrow heads, one per direction.
  for (int quarter = 0; quarter < 4; ++quarter) {
    const float angle = TURN * quarter / 4;
    const float dx = std::sin(angle);
    const float dy = -std::cos(angle);
    auto at = [&](float along, float across) {
      return Point{MIDDLE + dx * along - dy * across, ICON_Y + dy * along + dx * across};
    };
    parts.push_back({Shape::polygon({at(15, 0), at(8, 6), at(8, -6)}), INK});
  }
  return parts;
}

std::vector<IconPart> lookIcon() {
  // An almond from two overlapping discs: 30 wide, 16 high.
  const Shape eye = Shape::circle(MIDDLE, ICON_Y + 10, 18)
                        .intersectedWith(Shape::circle(MIDDLE, ICON_Y - 10, 18));
  return {{eye, WHITE},
          {Shape::circle(MIDDLE, ICON_Y, 6.5f), IRIS},
          {Shape::circle(MIDDLE, ICON_Y, 3), DARK},
          {Shape::circle(MIDDLE + 2, ICON_Y - 2, 1.3f), WHITE}};
}

std::vector<IconPart> useIcon() {
  std::vector<IconPart> parts;
  constexpr int TEETH = 8;
  for (int tooth = 0; tooth < TEETH; ++tooth) {
    const float angle = TURN * tooth / TEETH;
    const float dx = std::sin(angle);
    const float dy = -std::cos(angle);
    auto at = [&](float along, float across) {
      return Point{MIDDLE + dx * along - dy * across, ICON_Y + dy * along + dx * across};
    };
    parts.push_back({Shape::polygon({at(7, -3), at(13, -2.5f), at(13, 2.5f), at(7, 3)}), INK});
  }
  parts.push_back({Shape::ring(MIDDLE, ICON_Y, 10, 4), INK});
  return parts;
}

std::vector<IconPart> attackIcon() {
  // A sword from the lower left (grip) to the upper right (point).
  const Point guard{25, 29};
  return {{Shape::polygon({{23.5f, 27}, {40, 10.5f}, {46, 7}, {42.5f, 13}, {27, 30.5f}}), STEEL},
          {Shape::segment({guard.x - 6, guard.y - 6}, {guard.x + 6, guard.y + 6}, 3.5f), INK},
          {Shape::segment(guard, {18.5f, 35.5f}, 3.5f), LEATHER},
          {Shape::circle(17.5f, 36.5f, 2.6f), INK}};
}

std::vector<IconPart> inventoryIcon() {
  // A satchel with its flap, buckle and handle.
  return {{Shape::ring(MIDDLE, 12, 6, 3.5f).intersectedWith(Shape::rectangle(0, 0, SIZE, 12)), INK},
          {Shape::roundedRectangle(19, 11, 45, 35, 5), LEATHER},
          {Shape::roundedRectangle(19, 11, 45, 23, 5), Colour{118, 74, 36}},
          {Shape::rectangle(MIDDLE - 3, 20, MIDDLE + 3, 27), INK}};
}

std::vector<IconPart> statsIcon() {
  std::vector<IconPart> parts;
  constexpr float BASE = 33;
  float top = 25;
  for (float left = 19; left < 46; left += 7) {
    parts.push_back({Shape::rectangle(left, top, left + 5, BASE), INK});
    top -= 5.5f;
  }
  parts.push_back({Shape::rectangle(16, BASE, 48, BASE + 2), WHITE});
  return parts;
}

std::vector<IconPart> iconParts(ButtonPictures::Icon icon) {
  switch (icon) {
  case ButtonPictures::Icon::Get:
    return getIcon();
  case ButtonPictures::Icon::Move:
    return moveIcon();
  case ButtonPictures::Icon::Look:
    return lookIcon();
  case ButtonPictures::Icon::Use:
    return useIcon();
  case ButtonPictures::Icon::Attack:
    return attackIcon();
  case ButtonPictures::Icon::Inventory:
    return inventoryIcon();
  case ButtonPictures::Icon::Stats:
    return statsIcon();
  }
  return {};
}

void paintTile(Image &image) {
  const Shape outer = Shape::roundedRectangle(1, 1, SIZE - 1, SIZE - 1, 9);
  const Shape inner = Shape::roundedRectangle(3, 3, SIZE - 3, SIZE - 3, 7);
  image.fill(outer, TILE_RIM);
  image.fill(inner, [](float, float y) { return mixColours(TILE_TOP, TILE_BOTTOM, y / SIZE); });
  image.fill(Shape::roundedRectangle(5, 4, SIZE - 5, 24, 6), WHITE.withAlpha(28));
}

void paintIcon(Image &image, const std::vector<IconPart> &parts) {
  for (const IconPart &part : parts) {
    image.fill(part.first.translated(1, 1), INK_SHADOW);
  }
  for (const IconPart &part : parts) {
    image.fill(part.first, part.second);
  }
}

} // namespace

bool ButtonPictures::fitWords(const std::vector<std::string> &words, std::string &error) {
  for (wordPixels = LARGEST_WORD_PIXELS; wordPixels >= SMALLEST_WORD_PIXELS; --wordPixels) {
    if (!labels.setPixelSize(wordPixels)) {
      break;
    }
    bool allFit = true;
    for (const std::string &word : words) {
      allFit = allFit && labels.measure(word) <= WORD_MAX_WIDTH;
    }
    if (allFit) {
      return true;
    }
  }
  wordPixels = 0;
  error = "the button words do not fit a " + std::to_string(SIZE) + " pixel button";
  return false;
}

Image ButtonPictures::paint(Icon icon, const std::string &word) {
  Image image(SIZE, SIZE, true, TILE_RIM.withAlpha(0));
  paintTile(image);
  paintIcon(image, iconParts(icon));
  labels.setPixelSize(wordPixels);
  const int left = (SIZE - labels.measure(word)) / 2;
  labels.draw(image, left + 1, WORD_BASELINE + 1, word, INK_SHADOW);
  labels.draw(image, left, WORD_BASELINE, word, WHITE);
  image.spreadColourUnderTransparency();
  return image;
}
