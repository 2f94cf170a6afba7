#include "FeedbackQuads.h"
#include "GlContext.h"

#include "gfx/Gl.h"
#include "gfx/Texture.h"
#include "ui/Button.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace {

// The Stats button on a 1024 x 768 client area.
constexpr int X = 758, Y = 10, SIZE = 68;

using TexCoord = std::pair<float, float>;

// A quad drawn with whatever colour is current, as the next element would be.
void drawUncolouredQuad() {
  glBegin(GL_QUADS);
  glVertex2i(0, 0);
  glVertex2i(10, 0);
  glVertex2i(10, 10);
  glVertex2i(0, 10);
  glEnd();
}

} // namespace

using ButtonTest = GlTest;

TEST_F(ButtonTest, ConstructedButtonsStartInactive) {
  const Button stats(X, Y, SIZE, SIZE, StatsButtonTexture);
  EXPECT_FALSE(stats.isActive());
  EXPECT_EQ(stats.getTextureIndex(), StatsButtonTexture);
  EXPECT_EQ(stats.getX(), X);
  EXPECT_EQ(stats.getY(), Y);
  EXPECT_EQ(stats.getWidth(), SIZE);
  EXPECT_EQ(stats.getHeight(), SIZE);
  EXPECT_FALSE(Button().isActive());
}

TEST_F(ButtonTest, AssignmentCarriesRectanglePictureAndState) {
  Button member;
  Button configured(X, Y, SIZE, SIZE, StatsButtonTexture);
  configured.setActive(true);
  member = configured;
  EXPECT_TRUE(member.isActive());
  EXPECT_EQ(member.getTextureIndex(), StatsButtonTexture);
  EXPECT_EQ(member.getX(), X);
  EXPECT_EQ(member.getHeight(), SIZE);
}

TEST_F(ButtonTest, PointOnTheBorderIsOutside) {
  const Button stats(X, Y, SIZE, SIZE, StatsButtonTexture);
  // The bar's buttons span cursor rows 768 - 78 = 690 to 768 - 10 = 758.
  EXPECT_TRUE(stats.contains(X + 1, 757));
  EXPECT_TRUE(stats.contains(X + SIZE - 1, 691));
  EXPECT_FALSE(stats.contains(X, 720));
  EXPECT_FALSE(stats.contains(X + SIZE, 720));
  EXPECT_FALSE(stats.contains(X + 30, 690));
  EXPECT_FALSE(stats.contains(X + 30, 758));
}

TEST_F(ButtonTest, PictureCoversTheRectangleUnmirrored) {
  Button stats(X, Y, SIZE, SIZE, StatsButtonTexture);
  const std::vector<FeedbackQuad> quads = quadsOf(captureFeedback([&] { stats.draw(); }));
  ASSERT_EQ(quads.size(), 1u);
  const FeedbackQuad &picture = quads[0];
  EXPECT_FLOAT_EQ(picture.left, X);
  EXPECT_FLOAT_EQ(picture.bottom, Y);
  EXPECT_FLOAT_EQ(picture.right, X + SIZE);
  EXPECT_FLOAT_EQ(picture.top, Y + SIZE);
  EXPECT_TRUE(picture.counterClockwise);
  EXPECT_EQ(picture.texCoordAt(X, Y), TexCoord(0, 0));
  EXPECT_EQ(picture.texCoordAt(X + SIZE, Y), TexCoord(1, 0));
  EXPECT_EQ(picture.texCoordAt(X + SIZE, Y + SIZE), TexCoord(1, 1));
  EXPECT_EQ(picture.texCoordAt(X, Y + SIZE), TexCoord(0, 1));
}

TEST_F(ButtonTest, BindsItsOwnPicture) {
  // Stands in a real texture name for the table entry, whatever is loaded.
  const std::uint32_t loaded = textures[StatsButtonTexture].textureId;
  GLuint name = 0;
  glGenTextures(1, &name);
  textures[StatsButtonTexture].textureId = name;
  Button(X, Y, SIZE, SIZE, StatsButtonTexture).draw();
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  textures[StatsButtonTexture].textureId = loaded;
  glDeleteTextures(1, &name);
  EXPECT_EQ(static_cast<GLuint>(bound), name);
}

TEST_F(ButtonTest, InactiveIsFaintAndLeavesTheNextElementOpaque) {
  Button stats(X, Y, SIZE, SIZE, StatsButtonTexture);
  const std::vector<FeedbackQuad> quads = quadsOf(captureFeedback([&] {
    stats.draw();
    drawUncolouredQuad();
  }));
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_FLOAT_EQ(quads[0].alpha(), 0.3f);
  EXPECT_FLOAT_EQ(quads[0].vertices[0].g, 1.0f);
  EXPECT_FLOAT_EQ(quads[1].alpha(), 1.0f);
  EXPECT_FLOAT_EQ(quads[1].vertices[0].r, 1.0f);
  // This GL keeps the current colour unclamped; only the vertices it
  // produces are clamped to 1.
  EXPECT_EQ(currentColour(), (std::vector<float>{100.0f, 100.0f, 100.0f, 1.0f}));
}

TEST_F(ButtonTest, ActiveIsOpaque) {
  Button stats(X, Y, SIZE, SIZE, StatsButtonTexture);
  stats.setActive(true);
  const std::vector<FeedbackQuad> quads = quadsOf(captureFeedback([&] { stats.draw(); }));
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_FLOAT_EQ(quads[0].alpha(), 1.0f);
  EXPECT_FLOAT_EQ(currentColour()[3], 1.0f);
}

TEST_F(ButtonTest, LoadsNoPickName) {
  Button stats(X, Y, SIZE, SIZE, StatsButtonTexture);
  const std::vector<SelectionHit> hits = captureSelection([&] { stats.draw(); }, X + 30, Y + 30);
  ASSERT_EQ(hits.size(), 1u);
  // Hit under the name the pass started with: the button named nothing.
  EXPECT_EQ(hits[0].names, std::vector<std::uint32_t>{0});
}
