#include "ObjectTestSupport.h"

#include "gfx/Gl.h"
#include "gfx/Texture.h"
#include "objects/ObjectStore.h"

#include <cmath>

namespace {

GLuint savedIds[TEXTURE_COUNT];
GLuint testIds[TEXTURE_COUNT];

constexpr int GLYPH_COLUMNS = 16;
constexpr int GLYPH_ROWS = 8;
constexpr int FIRST_GLYPH = 32;

} // namespace

void ObjectGlTest::SetUp() {
  GlTest::SetUp();
  glGenTextures(TEXTURE_COUNT, testIds);
  for (int i = 0; i < TEXTURE_COUNT; ++i) {
    savedIds[i] = textures[i].textureId;
    textures[i].textureId = testIds[i];
    glBindTexture(GL_TEXTURE_2D, testIds[i]); // creates the object
  }
  glBindTexture(GL_TEXTURE_2D, 0);
}

void ObjectGlTest::TearDown() {
  for (int i = 0; i < TEXTURE_COUNT; ++i) {
    textures[i].textureId = savedIds[i];
  }
  glDeleteTextures(TEXTURE_COUNT, testIds);
  ObjectStore::clear();
  GlTest::TearDown();
}

int ObjectGlTest::boundTextureEntry() {
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  for (int i = 0; i < TEXTURE_COUNT; ++i) {
    if (testIds[i] == static_cast<GLuint>(bound)) {
      return i;
    }
  }
  return -1;
}

void ObjectGlTest::setWorldProjection() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, TEST_WIDTH / PIXELS_PER_UNIT, 0, TEST_HEIGHT / PIXELS_PER_UNIT, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

std::vector<FeedbackQuad> quadsOf(const std::vector<FeedbackPolygon> &polygons) {
  std::vector<FeedbackQuad> quads;
  for (std::size_t i = 0; i < polygons.size(); ++i) {
    const auto &vertices = polygons[i].vertices;
    if (vertices.size() == 4) {
      quads.push_back({{vertices[0], vertices[1], vertices[2], vertices[3]}});
      continue;
    }
    if (vertices.size() != 3 || i + 1 >= polygons.size() || polygons[i + 1].vertices.size() != 3) {
      ADD_FAILURE() << "feedback polygon " << i << " is not part of a quad";
      return quads;
    }
    const auto &second = polygons[++i].vertices;
    quads.push_back({{vertices[0], vertices[1], second[1], vertices[2]}});
  }
  return quads;
}

std::string textOf(const std::vector<FeedbackQuad> &glyphs) {
  std::string text;
  for (const FeedbackQuad &glyph : glyphs) {
    // Lower-left corner: the cell's left edge; upper-left: its top edge.
    const int column = static_cast<int>(std::lround(glyph.corners[0].s * GLYPH_COLUMNS));
    const int row = static_cast<int>(std::lround((1.0f - glyph.corners[3].t) * GLYPH_ROWS));
    text += static_cast<char>(FIRST_GLYPH + row * GLYPH_COLUMNS + column);
  }
  return text;
}

void expectCorners(const FeedbackQuad &quad, const float (&expected)[4][4], float tolerance) {
  for (int c = 0; c < 4; ++c) {
    SCOPED_TRACE("corner " + std::to_string(c));
    EXPECT_NEAR(quad.corners[c].x, expected[c][0], tolerance);
    EXPECT_NEAR(quad.corners[c].y, expected[c][1], tolerance);
    EXPECT_EQ(quad.corners[c].s, expected[c][2]);
    EXPECT_EQ(quad.corners[c].t, expected[c][3]);
  }
}
