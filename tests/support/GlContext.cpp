#include "GlContext.h"

#include "gfx/Gl.h"
#include "gfx/Picking.h"

void GlTest::SetUp() {
  ASSERT_TRUE(makeTestContextCurrent()) << "no headless OpenGL context (Mesa EGL surfaceless)";
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
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, TEST_WIDTH, 0, TEST_HEIGHT, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  currentWindow = &window;
  pickingPass = 0;
}

void GlTest::TearDown() {
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  currentWindow = nullptr;
  pickingPass = 0;
}

std::vector<FeedbackPolygon> GlTest::captureFeedback(const std::function<void()> &draw) {
  static std::vector<GLfloat> buffer(1 << 20);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint used = glRenderMode(GL_RENDER);
  std::vector<FeedbackPolygon> polygons;
  // The game draws nothing but polygons: a token, a vertex count, then 3D +
  // RGBA colour + 4 texture coordinates per vertex.
  constexpr int VERTEX_FLOATS = 3 + 4 + 4;
  for (GLint i = 0; i < used;) {
    if (static_cast<GLint>(buffer[i++]) != GL_POLYGON_TOKEN) {
      ADD_FAILURE() << "feedback holds something other than a polygon";
      break;
    }
    FeedbackPolygon &polygon = polygons.emplace_back();
    for (int v = static_cast<int>(buffer[i++]); v > 0; --v, i += VERTEX_FLOATS) {
      const GLfloat *f = &buffer[i];
      polygon.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8]});
    }
  }
  return polygons;
}

std::vector<Names> GlTest::captureSelection(const std::function<void()> &draw, int x, int y) {
  static GLuint buffer[4096];
  GLint viewport[4];
  GLfloat projection[16];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glSelectBuffer(4096, buffer);
  glRenderMode(GL_SELECT);
  glInitNames();
  glPushName(0);
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
  // Each record: the name count, two depths, the names.
  std::vector<Names> hits;
  GLuint *record = buffer;
  for (GLint h = 0; h < hitCount; ++h, record += 3 + record[0]) {
    hits.emplace_back(record + 3, record + 3 + record[0]);
  }
  return hits;
}

Names GlTest::firstHitAt(const std::function<void()> &draw, int x, int y) {
  const std::vector<Names> hits = captureSelection(draw, x, y);
  return hits.empty() ? Names{} : hits.front();
}

std::vector<float> GlTest::currentColour() {
  std::vector<float> colour(4);
  glGetFloatv(GL_CURRENT_COLOR, colour.data());
  return colour;
}
