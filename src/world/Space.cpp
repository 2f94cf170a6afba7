#include "world/Space.h"

#include "gfx/Font.h"
#include "gfx/Gl.h"
#include "gfx/Picking.h"
#include "objects/Being.h"
#include "objects/Item.h"
#include "ui/MessageOutput.h"
#include "world/View.h"
#include "world/Wall.h"

namespace {

constexpr float OVERLAY_HEIGHT = 1.1f;
constexpr float MARKER_INSET = 0.2f;
constexpr float MARKER_FAR = 0.8f;

void vertexWithNormal(float x, float y, float z, float s, float t) {
  glNormal3f(x, y, z);
  glTexCoord2f(s, t);
  glVertex3f(x, y, z);
}

bool isFood(const WorldObject *object) {
  const auto *item = dynamic_cast<const Item *>(object);
  return item != nullptr && item->getCategory() == FoodCategory;
}

} // namespace

Space::Space(std::int32_t newGroundTexture) : groundTexture(newGroundTexture) {}

void Space::addItem(WorldObject *newItem) {
  itemPile.add(newItem);
}

WorldObject *Space::removeTop() {
  return itemPile.removeAt(0);
}

void Space::update(float milliseconds) {
  for (std::int32_t i = 0; i < itemPile.size(); ++i) {
    itemPile.at(i)->update(milliseconds);
  }
  if (being != nullptr) {
    being->update(milliseconds);
  }
  if (wall != nullptr) {
    wall->update(milliseconds);
  }
  updateBlocked();
  updateOccupied();
}

// A wall decides the space's sides alone, even when a being stands there
// too; items add whatever they block.
void Space::updateBlocked() {
  const WorldObject *standing = standingObject();
  for (std::int32_t side = 0; side < DIRECTION_COUNT; ++side) {
    blocked[side] = standing != nullptr && standing->blocksSide(side);
  }
  for (std::int32_t i = 0; i < itemPile.size(); ++i) {
    const WorldObject *item = itemPile.at(i);
    for (std::int32_t side = 0; side < DIRECTION_COUNT; ++side) {
      blocked[side] = blocked[side] || item->blocksSide(side);
    }
  }
}

void Space::updateOccupied() {
  const WorldObject *standing = standingObject();
  occupied = standing != nullptr && standing->isSolid();
  for (std::int32_t i = 0; i < itemPile.size(); ++i) {
    occupied = occupied || itemPile.at(i)->isSolid();
  }
}

// The flags follow the wall before the being, the verbs and the drawing the
// being before the wall.
WorldObject *Space::standingObject() const {
  if (wall != nullptr) {
    return wall;
  }
  return being;
}

void Space::drawGrid(float theX, float theY) {
  if (pickingPass > 0) {
    glLoadName(static_cast<GLuint>(pickingPass));
    selectId = pickingPass;
    ++pickingPass;
  }
  bindTexture(groundTexture);
  drawSquare(theX, theY, GROUND_HEIGHT);
}

void Space::drawSquare(float theX, float theY, float height) const {
  glBegin(GL_QUADS);
  vertexWithNormal(theX + 1.0f, theY + 1.0f, height, 1.0f, 0.0f);
  vertexWithNormal(theX, theY + 1.0f, height, 0.0f, 0.0f);
  vertexWithNormal(theX, theY, height, 0.0f, 1.0f);
  vertexWithNormal(theX + 1.0f, theY, height, 1.0f, 1.0f);
  glEnd();
}

void Space::draw(float theX, float theY) {
  if (itemPile.size() > 1) {
    drawPileMarker(theX, theY);
  } else if (itemPile.size() == 1) {
    itemPile.at(0)->draw(theX, theY);
  }
  if (being != nullptr) {
    being->draw(theX, theY);
  } else if (wall != nullptr) {
    wall->draw(theX, theY);
  }
}

void Space::drawPileMarker(float theX, float theY) const {
  const float nearX = theX + MARKER_INSET;
  const float nearY = theY + MARKER_INSET;
  const float farX = theX + MARKER_FAR;
  const float farY = theY + MARKER_FAR;
  bindTexture(PileTexture);
  glBegin(GL_QUADS);
  vertexWithNormal(nearX, nearY, OVERLAY_HEIGHT, 1.0f, 0.0f);
  vertexWithNormal(farX, nearY, OVERLAY_HEIGHT, 0.0f, 0.0f);
  vertexWithNormal(farX, farY, OVERLAY_HEIGHT, 0.0f, 1.0f);
  vertexWithNormal(nearX, farY, OVERLAY_HEIGHT, 1.0f, 1.0f);
  glEnd();
}

void Space::drawSelected(float theX, float theY) {
  if (selected == NoMark) {
    return;
  }
  // The 100s are clamped to full green and blue by the pipeline.
  glColor4f(0.0f, 100.0f, 100.0f, 0.3f);
  if (selected == TemporaryMark) {
    bindTexture(SelectTempTexture);
    selected = NoMark;
  } else {
    bindTexture(SelectPermTexture);
  }
  drawSquare(theX, theY, OVERLAY_HEIGHT);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void Space::drawIcon(float theX, float theY, float width) const {
  printText(static_cast<std::int32_t>(theX), static_cast<std::int32_t>(theY + width), "Ground");
  const float half = width / 2.0f;
  auto corner = [](float x, float y, float s, float t) {
    glTexCoord2f(s, t);
    glVertex2i(static_cast<GLint>(x), static_cast<GLint>(y));
  };
  bindTexture(groundTexture);
  glBegin(GL_QUADS);
  corner(theX, theY + half, 1.0f, 0.0f);
  corner(theX + half, theY, 0.0f, 0.0f);
  corner(theX + width, theY + half, 0.0f, 1.0f);
  corner(theX + half, theY + width, 1.0f, 1.0f);
  glEnd();
}

WorldObject *Space::answeringObject() const {
  if (being != nullptr) {
    return being;
  }
  return wall;
}

void Space::look() {
  if (WorldObject *object = answeringObject()) {
    object->onLook();
  } else if (itemPile.isEmpty()) {
    printMessage("You see nothing interesting.");
  } else if (itemPile.size() == 1) {
    itemPile.at(0)->onLook();
  } else {
    printMessage("You see a pile of items.");
  }
}

void Space::use() {
  if (WorldObject *object = answeringObject()) {
    object->onUse();
  } else if (itemPile.isEmpty()) {
    printMessage("Nothing to use.");
  } else if (itemPile.size() == 1) {
    itemPile.at(0)->onUse();
    // Food is eaten: it leaves the world, although its object lives on.
    if (isFood(itemPile.at(0))) {
      removeTop();
    }
  } else {
    printMessage("You can't use a pile of items.");
  }
}

void Space::hit(std::int32_t damage) {
  if (being != nullptr) {
    being->onHit(damage);
  } else if (wall != nullptr) {
    printMessage("You can't attack a wall.");
  } else if (itemPile.isEmpty()) {
    printMessage("Nothing to attack.");
  } else {
    printMessage("You can't attack items.");
  }
}
