#include "objects/Being.h"

#include "gfx/Font.h"
#include "gfx/Gl.h"
#include "gfx/Picking.h"
#include "gfx/Texture.h"
#include "objects/ObjectStore.h"
#include "ui/MessageOutput.h"
#include "world/View.h"

#include <cmath>

namespace {

constexpr float FIGURE_HEIGHT = 1.5f;
constexpr float INNER_LOW = 0.2f;
constexpr float INNER_HIGH = 0.8f;
constexpr std::int32_t FIRST_STAT_LINE = 2;
constexpr float STAT_LINE_SPACING = 15.0f;

void cornerAt(float x, float y, float s, float t) {
  glNormal3f(x, y, FIGURE_HEIGHT);
  glTexCoord2f(s, t);
  glVertex3f(x, y, FIGURE_HEIGHT);
}

// The figure stands over the inner part of the space at (x, y).
void drawFigure(float x, float y) {
  bindTexture(BlueFaceTexture);
  glBegin(GL_QUADS);
  cornerAt(x + INNER_HIGH, y + INNER_HIGH, 1, 1);
  cornerAt(x + INNER_LOW, y + INNER_HIGH, 0, 1);
  cornerAt(x + INNER_LOW, y + INNER_LOW, 0, 0);
  cornerAt(x + INNER_HIGH, y + INNER_LOW, 1, 0);
  glEnd();
}

GLint truncated(float value) {
  return static_cast<GLint>(value);
}

} // namespace

Being::Being(std::int32_t newKind) {
  setKind(newKind);
  Being::load();
}

void Being::resetState() {
  equipment = Equipment();
  inventory = Inventory();
  stats = Stats();
  actionMode = None;
  portraitTexture = BlueFacePortrait;
}

void Being::load() {
  switch (kind) {
  case PlayerKind: {
    setAll("Player", kind, 0, 0, true, true, true, true, true);
    resetState();
    Item *boots = ObjectStore::make<Item>(BootsKind);
    Item *armor = ObjectStore::make<Item>(ArmorKind);
    Item *leftSword = ObjectStore::make<Item>(SwordKind);
    Item *rightSword = ObjectStore::make<Item>(SwordKind);
    Item *helm = ObjectStore::make<Item>(HelmKind);
    equipment = Equipment(helm, leftSword, rightSword, armor, boots);
    break;
  }
  case PersonKind:
    setAll("someone", kind, 0, 0, true, true, true, true, true);
    resetState();
    break;
  default:
    break;
  }
}

void Being::draw(float theX, float theY) {
  switch (kind) {
  case PlayerKind:
    // The spaces are shifted by minus the view offset, so adding it back
    // keeps the player in the middle of the view during a step.
    drawFigure(theX + viewOffsetX, theY + viewOffsetY);
    break;
  case PersonKind:
    // Over-bright red clamps to full red: the tint that tells people apart.
    glColor3f(100, 0, 0);
    drawFigure(theX + offsetX, theY + offsetY);
    glColor3f(1, 1, 1);
    break;
  default:
    break;
  }
}

void Being::onUse() {
  printMessage("Talking to " + name + ".");
}

void Being::onHit(std::int32_t damage) {
  printMessage(name + " has been hit for " + intToString(damage) + " health points.");
  stats.hitPoints -= damage;
  if (stats.hitPoints < 1) {
    printMessage(name + " is dead!");
  }
}

void Being::update(float milliseconds) {
  if (actionMode != Walking) {
    return;
  }
  if (slideTowardsRest(milliseconds)) {
    actionMode = None;
  }
}

void Being::drawFace(float theX, float theY, float width, float height) const {
  loadPickName(PickPortrait);
  printString(truncated(theX), truncated(theY + width), name);
  bindTexture(portraitTexture);
  glBegin(GL_QUADS);
  glTexCoord2f(1, 0);
  glVertex2i(truncated(theX), truncated(theY));
  glTexCoord2f(0, 0);
  glVertex2i(truncated(theX + width), truncated(theY));
  glTexCoord2f(0, 1);
  glVertex2i(truncated(theX + width), truncated(theY + height));
  glTexCoord2f(1, 1);
  glVertex2i(truncated(theX), truncated(theY + height));
  glEnd();
}

void Being::drawStat(float theX, float theY, float width) const {
  (void)width;
  const std::vector<std::string> lines = formatStatLines(stats, inventory.getTotalWeight());
  std::int32_t k = FIRST_STAT_LINE;
  for (const std::string &line : lines) {
    printText(truncated(theX), truncated(theY - STAT_LINE_SPACING * static_cast<float>(k)), "%s",
              line.c_str());
    ++k;
  }
}
