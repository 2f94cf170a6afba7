#include "SquareOnScreen.h"

#include "game/Game.h"
#include "gfx/Gl.h"
#include "world/View.h"

namespace {
// The camera of renderScene.
constexpr double FIELD_OF_VIEW = 45.0;
constexpr double NEAR_PLANE = 0.1;
constexpr double FAR_PLANE = 100.0;
constexpr double CAMERA_SHIFT_X = 0.5;
constexpr double CAMERA_DISTANCE = 15.0;
constexpr double GROUND_HEIGHT = 1.0;
constexpr double HALF_SQUARE = 0.5;
} // namespace

void squareOnScreen(int x, int y, int clientWidth, int clientHeight, int &screenX, int &screenY) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluPerspective(FIELD_OF_VIEW, static_cast<double>(clientWidth) / clientHeight, NEAR_PLANE,
                 FAR_PLANE);
  glTranslated(-CAMERA_SHIFT_X, 0.0, -CAMERA_DISTANCE);
  GLdouble projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  const GLdouble identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  const GLint viewport[4] = {0, 0, clientWidth, clientHeight};
  const double centreX = x - static_cast<int>(game.getPlayerLocalX()) - viewOffsetX + HALF_SQUARE;
  const double centreY = y - static_cast<int>(game.getPlayerLocalY()) - viewOffsetY + HALF_SQUARE;
  GLdouble winX = 0;
  GLdouble winY = 0;
  GLdouble winZ = 0;
  gluProject(centreX, centreY, GROUND_HEIGHT, identity, projection, viewport, &winX, &winY, &winZ);
  screenX = static_cast<int>(winX);
  screenY = clientHeight - static_cast<int>(winY);
}
