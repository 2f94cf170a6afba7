#include "objects/Item.h"

#include "gfx/Gl.h"
#include "gfx/Texture.h"
#include "ui/MessageOutput.h"

namespace {

struct ItemKindRow {
  std::int32_t kind;
  const char *name;
  double weight;
  std::int32_t texture;
  std::int32_t category;
  std::int32_t damage;
};

const ItemKindRow itemKinds[] = {
    {VaseKind, "vase", 1.0, VaseTexture, VesselCategory, 0},
    {HelmKind, "helm", 1.0, CokeTexture, HeadCategory, 0},
    {SwordKind, "sword", 1.0, CokeTexture, HandCategory, 10},
    {ArmorKind, "armor", 1.0, CokeTexture, BodyCategory, 0},
    {BootsKind, "pair of boots", 1.0, CokeTexture, FeetCategory, 0},
    {AppleKind, "apple", 1.0, CokeTexture, FoodCategory, 0},
    {GoldKind, "gold", 0.1, CokeTexture, ValuableCategory, 0},
};

const ItemKindRow *findKind(std::int32_t kind) {
  for (const ItemKindRow &row : itemKinds) {
    if (row.kind == kind) {
      return &row;
    }
  }
  return nullptr;
}

constexpr float ITEM_HEIGHT = 1.1f;
constexpr float INNER_LOW = 0.2f;
constexpr float INNER_HIGH = 0.8f;

// The normal is the corner's own position, as the scene's lighting expects.
void cornerAt(float x, float y, float s, float t) {
  glNormal3f(x, y, ITEM_HEIGHT);
  glTexCoord2f(s, t);
  glVertex3f(x, y, ITEM_HEIGHT);
}

} // namespace

Item::Item(std::int32_t newKind) {
  setKind(newKind);
  Item::load();
}

void Item::load() {
  const ItemKindRow *row = findKind(kind);
  if (row == nullptr) {
    return;
  }
  setAll(row->name, kind, 0, 0, false, false, false, false, false);
  weight = row->weight;
  portable = true;
  texture = row->texture;
  category = row->category;
  damage = row->damage;
}

void Item::draw(float theX, float theY) {
  if (findKind(kind) == nullptr) {
    return;
  }
  const float x = theX + offsetX;
  const float y = theY + offsetY;
  bindTexture(texture);
  glBegin(GL_QUADS);
  cornerAt(x + INNER_LOW, y + INNER_LOW, 1, 0);
  cornerAt(x + INNER_HIGH, y + INNER_LOW, 0, 0);
  cornerAt(x + INNER_HIGH, y + INNER_HIGH, 0, 1);
  cornerAt(x + INNER_LOW, y + INNER_HIGH, 1, 1);
  glEnd();
}

void drawIconSquare(float x, float y, float size) {
  glBegin(GL_QUADS);
  glTexCoord2f(1, 0);
  glVertex2i(static_cast<GLint>(x), static_cast<GLint>(y));
  glTexCoord2f(0, 0);
  glVertex2i(static_cast<GLint>(x + size), static_cast<GLint>(y));
  glTexCoord2f(0, 1);
  glVertex2i(static_cast<GLint>(x + size), static_cast<GLint>(y + size));
  glTexCoord2f(1, 1);
  glVertex2i(static_cast<GLint>(x), static_cast<GLint>(y + size));
  glEnd();
}

void Item::drawIcon(float x, float y, float size) const {
  bindTexture(texture);
  drawIconSquare(x, y, size);
}

void Item::onLook() {
  printMessage("You see one " + name + ". It weights " +
               intToString(static_cast<std::int32_t>(weight)) + ".");
}

void Item::onUse() {
  if (category == FoodCategory) {
    printMessage("You ate one " + name + ".");
  } else {
    printMessage("This item can't be used.");
  }
}

void Item::update(float milliseconds) {
  slideTowardsRest(milliseconds);
}
