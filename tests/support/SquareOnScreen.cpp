#include "SquareOnScreen.h"

#include "game/Game.h"
#include "gfx/Gl.h"
#include "shell/Camera.h"
#include "world/View.h"

constexpr double HALF_SQUARE = 0.5;

void squareOnScreen(int x, int y, int clientWidth, int clientHeight, int &screenX, int &screenY) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluPerspective(camera::FIELD_OF_VIEW, static_cast<double>(clientWidth) / clientHeight,
                 camera::NEAR_PLANE, camera::FAR_PLANE);
  glTranslated(-camera::SHIFT_X, 0.0, -camera::DISTANCE);
  GLdouble projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  const GLdouble identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  const GLint viewport[4] = {0, 0, clientWidth, clientHeight};
  const double centreX = x - static_cast<int>(game.getPlayerLocalX()) - viewOffsetX + HALF_SQUARE;
  const double centreY = y - static_cast<int>(game.getPlayerLocalY()) - viewOffsetY + HALF_SQUARE;
  GLdouble winX = 0, winY = 0, winZ = 0;
  gluProject(centreX, centreY, GROUND_HEIGHT, identity, projection, viewport, &winX, &winY, &winZ);
  screenX = static_cast<int>(winX);
  screenY = clientHeight - static_cast<int>(winY);
}
