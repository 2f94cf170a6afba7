#include "GlContext.h"

#include "gfx/Gl.h"
#include "shell/MainLoop.h"

#include <cmath>

namespace {

struct Projected {
  GLdouble x, y, depth;
};

Projected project(double x, double y, double z) {
  GLdouble modelview[16];
  GLdouble projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  Projected out{};
  gluProject(x, y, z, modelview, projection, viewport, &out.x, &out.y, &out.depth);
  return out;
}

} // namespace

using ResizeViewport = GlTest;

TEST_F(ResizeViewport, CoversTheClientAreaWithA45DegreePerspective) {
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(3, 4, 5);
  resizeViewport(800, 600);

  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[0], 0);
  EXPECT_EQ(viewport[1], 0);
  EXPECT_EQ(viewport[2], 800);
  EXPECT_EQ(viewport[3], 600);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);

  // Half of the 45 degrees up from the axis is the top edge; the sides follow
  // from the 4:3 aspect; the near and far planes are 1 and 100 units away.
  const double halfHeight = std::tan(22.5 * M_PI / 180.0);
  const Projected top = project(0, halfHeight * 10, -10);
  EXPECT_NEAR(top.x, 400, 1e-3);
  EXPECT_NEAR(top.y, 600, 1e-3);
  const Projected right = project(halfHeight * 10 * 800 / 600, 0, -10);
  EXPECT_NEAR(right.x, 800, 1e-3);
  EXPECT_NEAR(project(0, 0, -1).depth, 0, 1e-6);
  EXPECT_NEAR(project(0, 0, -100).depth, 1, 1e-6);
}

TEST_F(ResizeViewport, AWindowWithNoHeightStillGetsAUsableProjection) {
  resizeViewport(640, 0);
  GLdouble projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  for (GLdouble value : projection) {
    EXPECT_TRUE(std::isfinite(value));
  }
}
