#include "GlContext.h"

#include "gfx/Gl.h"
#include "gfx/Picking.h"
#include "gfx/Texture.h"

#include <unistd.h>

namespace {

void resetGlState() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glViewport(0, 0, TEST_WIDTH, TEST_HEIGHT);
  glColor4f(1, 1, 1, 1);
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glBindTexture(GL_TEXTURE_2D, 0);
  glRenderMode(GL_RENDER);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  while (glGetError() != GL_NO_ERROR) {
  }
}

} // namespace

void GlTest::SetUp() {
  ASSERT_TRUE(makeTestContextCurrent()) << "no headless OpenGL context (Mesa EGL surfaceless)";
  resetGlState();
  setOrthoProjection();
  currentWindow = &window;
  pickingPass = 0;
}

void GlTest::TearDown() {
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  currentWindow = nullptr;
  pickingPass = 0;
}

void GlTest::loadGameTextures() {
  ASSERT_EQ(chdir(PICKRPG_SOURCE_DIR), 0);
  if (textures[0].textureId == 0) {
    ASSERT_EQ(loadTextureTable(), -1) << "cannot load the game's images from Data/";
  }
}

void GlTest::setOrthoProjection() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, TEST_WIDTH, 0, TEST_HEIGHT, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

std::vector<FeedbackPolygon> GlTest::captureFeedback(const std::function<void()> &draw) {
  static std::vector<GLfloat> buffer(1 << 20);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint used = glRenderMode(GL_RENDER);
  std::vector<FeedbackPolygon> polygons;
  // 3D + RGBA colour + 4 texture coordinates per vertex.
  constexpr int VERTEX_FLOATS = 3 + 4 + 4;
  for (GLint i = 0; i < used;) {
    const auto token = static_cast<GLint>(buffer[i++]);
    if (token == GL_POLYGON_TOKEN) {
      const auto count = static_cast<int>(buffer[i++]);
      FeedbackPolygon polygon;
      for (int v = 0; v < count; ++v, i += VERTEX_FLOATS) {
        const GLfloat *f = &buffer[i];
        polygon.vertices.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8]});
      }
      polygons.push_back(polygon);
    } else if (token == GL_PASS_THROUGH_TOKEN) {
      i += 1;
    } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN ||
               token == GL_DRAW_PIXEL_TOKEN || token == GL_COPY_PIXEL_TOKEN) {
      i += VERTEX_FLOATS;
    } else {
      // Lines carry two vertices; nothing in the game draws them.
      i += 2 * VERTEX_FLOATS;
    }
  }
  return polygons;
}

std::vector<SelectionHit> GlTest::captureSelection(const std::function<void()> &draw, int x,
                                                   int y) {
  static GLuint buffer[4096];
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glSelectBuffer(4096, buffer);
  glRenderMode(GL_SELECT);
  glInitNames();
  glPushName(0);
  GLfloat projection[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluPickMatrix(x, y, 1, 1, viewport);
  glMultMatrixf(projection);
  glMatrixMode(GL_MODELVIEW);
  pickingPass = 1;
  draw();
  pickingPass = 0;
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  const GLint hitCount = glRenderMode(GL_RENDER);
  std::vector<SelectionHit> hits;
  GLuint *record = buffer;
  for (GLint h = 0; h < hitCount; ++h) {
    const GLuint nameCount = record[0];
    SelectionHit hit;
    hit.names.assign(record + 3, record + 3 + nameCount);
    hits.push_back(hit);
    record += 3 + nameCount;
  }
  return hits;
}

std::vector<float> GlTest::currentColour() {
  std::vector<float> colour(4);
  glGetFloatv(GL_CURRENT_COLOR, colour.data());
  return colour;
}
