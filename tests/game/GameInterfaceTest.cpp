#include "GameFixture.h"

#include "gfx/Gl.h"
#include "objects/Being.h"
#include "objects/Item.h"
#include "objects/ObjectStore.h"
#include "shell/KeyCodes.h"
#include "shell/Scene.h"

#include <algorithm>

namespace {

// Draws the interface layer as renderScene does, with the cursor at (x, y).
std::vector<FeedbackPolygon> interfaceAtCursor(int x, int y) {
  return GlTest::captureFeedback([x, y] {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(x, TEST_HEIGHT - y, 0);
    game.drawInterface();
    glLoadIdentity();
  });
}

float minX(const FeedbackPolygon &p) {
  float value = p.vertices[0].x;
  for (const FeedbackVertex &v : p.vertices) {
    value = std::min(value, v.x);
  }
  return value;
}
float maxX(const FeedbackPolygon &p) {
  float value = p.vertices[0].x;
  for (const FeedbackVertex &v : p.vertices) {
    value = std::max(value, v.x);
  }
  return value;
}
float minY(const FeedbackPolygon &p) {
  float value = p.vertices[0].y;
  for (const FeedbackVertex &v : p.vertices) {
    value = std::min(value, v.y);
  }
  return value;
}

} // namespace

class GameInterface : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    // The world is not part of these pictures; a plain 2D projection is.
    setOrthoProjection();
  }
};

TEST_F(GameInterface, CursorIsACrosshairOrTheHeldItemCentredOnIt) {
  std::vector<FeedbackPolygon> layer = interfaceAtCursor(300, 400);
  const FeedbackPolygon &crosshair = layer.back();
  EXPECT_FLOAT_EQ(minX(crosshair), 300 - 16);
  EXPECT_FLOAT_EQ(maxX(crosshair), 300 + 16);
  EXPECT_FLOAT_EQ(minY(crosshair), 768 - 400 - 16);

  game.setHeldObject(ObjectStore::make<Item>(VaseKind));
  layer = interfaceAtCursor(300, 400);
  // The icon is one inventory grid cell: ((512 / 2) / 6) / 2 = 21 each side.
  const FeedbackPolygon &icon = layer.back();
  EXPECT_FLOAT_EQ(minX(icon), 300 - 21);
  EXPECT_FLOAT_EQ(maxX(icon), 300 + 21);
  EXPECT_EQ(layer.size(), interfaceAtCursor(300, 400).size());
}

TEST_F(GameInterface, PauseIsPrintedFiftyPixelsInFromTheTopLeft) {
  const std::size_t unpaused = interfaceAtCursor(500, 500).size();
  keys.down[KeySpace] = true;
  advanceScene(16);
  ASSERT_TRUE(game.isPaused());
  const std::vector<FeedbackPolygon> layer = interfaceAtCursor(500, 500);
  // Five glyphs of PAUSE, each quad fed back as two triangles.
  ASSERT_EQ(layer.size(), unpaused + 10);
  const FeedbackPolygon &firstGlyph = layer[unpaused];
  EXPECT_FLOAT_EQ(minX(firstGlyph), 50);
  EXPECT_FLOAT_EQ(minY(firstGlyph), 768 - 50);
}

TEST_F(GameInterface, OpenWindowsAreDrawnAfterTheButtonsAndTheLogLast) {
  const std::size_t closed = interfaceAtCursor(10, 10).size();
  keys.down[KeyS] = true;
  advanceScene(16);
  const std::vector<FeedbackPolygon> layer = interfaceAtCursor(10, 10);
  ASSERT_GT(layer.size(), closed);
  // Seven buttons first (two triangles each); the stats window's frame follows them.
  EXPECT_FLOAT_EQ(minX(layer[14]), 512);
  EXPECT_FLOAT_EQ(minY(layer[14]), 136);
}

TEST_F(GameInterface, AClickOverAnOpenWindowNeverReachesTheButtonBarOrTheWorld) {
  keys.down[KeyI] = true;
  advanceScene(16);
  renderScene();
  // A bare corner of the inventory window, beside the equipment figure.
  clickAt(530, 768 - 470);
  EXPECT_EQ(game.findMarkedSpace(), nullptr);
  EXPECT_EQ(game.getHeldObject(), nullptr);
}

TEST_F(GameInterface, AClickOnACarriedVaseTakesItOntoTheCursor) {
  keys.down[KeyI] = true;
  advanceScene(16);
  renderScene();
  // The first icon of the grid is centred on the right half's left edge
  // (x 768), its centre one cell (256 / 6) below the top of the screen.
  clickAt(768, 43);
  ASSERT_NE(game.getHeldObject(), nullptr);
  EXPECT_EQ(game.getHeldObject()->getKind(), VaseKind);
  EXPECT_EQ(game.getPlayer()->getInventory().size(), 50);
}
