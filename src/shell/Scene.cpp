#include "shell/Scene.h"

#include "game/Game.h"
#include "gfx/Font.h"
#include "gfx/Gl.h"
#include "gfx/Texture.h"
#include "shell/Camera.h"
#include "shell/ScreenFit.h"
#include "shell/ShellWindow.h"

#include <cstdlib>
#include <ctime>

float cameraPitch = 0.0f;
float cameraYaw = 0.0f;

namespace {

// The view is never rotated; picking applies no rotation and relies on it.
constexpr float CAMERA_PITCH_STEP = 0.0f;
constexpr float CAMERA_YAW_STEP = 0.0f;

constexpr int SELECTION_ENTRIES = 512;
// No interface element carries this name, so a pass without hits reaches no element.
constexpr std::int32_t NO_HIT_NAME = -1;

const GLfloat LIGHT_AMBIENT[] = {0.0f, 0.0f, 0.0f, 0.0f};
const GLfloat LIGHT_DIFFUSE[] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat LIGHT_POSITION[] = {1.0f, 1.0f, 15.0f, 1.0f};

// Picking always runs on the logical screen, whatever the drawable: a click
// at a logical pixel picks what the 1024 x 768 game picks there, and hits do
// not depend on the viewport the picture is drawn through.
const GLint LOGICAL_VIEWPORT[4] = {0, 0, LOGICAL_SCREEN_WIDTH, LOGICAL_SCREEN_HEIGHT};

const char *failedFile = "";
std::filesystem::path dataFolder = DATA_FOLDER_NAME;
GLuint selectionBuffer[SELECTION_ENTRIES];

void setFixedState() {
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glAlphaFunc(GL_GREATER, 0.1f);
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glEnable(GL_COLOR_MATERIAL);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glEnable(GL_BLEND);
  glLightfv(GL_LIGHT1, GL_AMBIENT, LIGHT_AMBIENT);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, LIGHT_DIFFUSE);
  glLightfv(GL_LIGHT1, GL_POSITION, LIGHT_POSITION);
  glEnable(GL_LIGHT1);
  glEnable(GL_LIGHTING);
}

void applyPerspective(double width, double height) {
  gluPerspective(camera::FIELD_OF_VIEW, width / height, camera::NEAR_PLANE, camera::FAR_PLANE);
}

// Name of the first hit record: hits are not sorted by depth, the first wins.
std::int32_t firstHitName(GLint hits) {
  return hits > 0 ? static_cast<std::int32_t>(selectionBuffer[3]) : NO_HIT_NAME;
}

void beginSelection() {
  glSelectBuffer(SELECTION_ENTRIES, selectionBuffer);
  glRenderMode(GL_SELECT);
  glInitNames();
  glPushName(0);
}

void pickMatrixAtCursor() {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluPickMatrix(mouseX, LOGICAL_SCREEN_HEIGHT - mouseY, 1.0, 1.0,
                const_cast<GLint *>(LOGICAL_VIEWPORT));
}

GLint selectInWorld() {
  beginSelection();
  glTranslated(-camera::SHIFT_X, 0.0, 0.0);
  pickMatrixAtCursor();
  applyPerspective(LOGICAL_SCREEN_WIDTH, LOGICAL_SCREEN_HEIGHT);
  glMatrixMode(GL_MODELVIEW);
  glTranslated(0.0, 0.0, -camera::DISTANCE);

  pickingPass = 1;
  game.drawWorldForPicking();
  pickingPass = 0;

  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glTranslated(0.0, 0.0, camera::DISTANCE);
  const GLint hits = glRenderMode(GL_RENDER);
  glTranslated(camera::SHIFT_X, 0.0, 0.0);
  return hits;
}

void pickInWorld(bool isClick) {
  const GLint hits = selectInWorld();
  if (hits > 0) {
    game.markWorldHit(firstHitName(hits), isClick ? Game::MARK_CHOSEN : Game::MARK_TEMPORARY);
  }
  if (isClick) {
    game.onWorldClick();
  }
}

GLint selectInInterface() {
  beginSelection();
  pickMatrixAtCursor();
  glOrtho(0, LOGICAL_SCREEN_WIDTH, 0, LOGICAL_SCREEN_HEIGHT, -1, 1);
  glMatrixMode(GL_MODELVIEW);

  pickingPass = 1;
  game.drawWindowForPicking(mouseX, mouseY);
  pickingPass = 0;

  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  return glRenderMode(GL_RENDER);
}

void pickInInterface() {
  const GLint hits = selectInInterface();
  game.onInterfaceClick(hits, firstHitName(hits), mouseX, mouseY);
}

// Every start loads the table anew. The real shell destroys the context
// after a stop, but a context that outlives the scene (the headless harness
// keeps one) would otherwise keep every earlier start's images.
void deleteTextures() {
  for (Texture &texture : textures) {
    if (texture.textureId != 0) {
      glDeleteTextures(1, &texture.textureId);
      texture.textureId = 0;
    }
  }
}

} // namespace

const char *sceneFailedFile() {
  return failedFile;
}

void setSceneDataFolder(const std::filesystem::path &folder) {
  dataFolder = folder;
}

bool startScene(ShellWindow *window, KeyTable *keys) {
  currentWindow = window;
  game.setKeyTable(keys);
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  failedFile = "";
  const int failedTexture = loadTextureTable(dataFolder);
  if (failedTexture >= 0) {
    failedFile = textureFiles[failedTexture].fileName;
    return false;
  }
  buildFontLists();
  setFixedState();
  game.setUp();
  return true;
}

void stopScene() {
  deleteFontLists();
  deleteTextures();
}

void advanceScene(std::uint32_t elapsed) {
  // Through a 64-bit integer, so large counts keep their sign.
  game.update(static_cast<float>(static_cast<std::int64_t>(elapsed)));
}

void renderScene() {
  // The clear covers the bars too; everything else is drawn through the
  // fitted picture at the drawable's full resolution.
  const ScreenFit fit(currentWindow->getDrawableWidth(), currentWindow->getDrawableHeight());
  const int width = LOGICAL_SCREEN_WIDTH;
  const int height = LOGICAL_SCREEN_HEIGHT;
  glClear(GL_COLOR_BUFFER_BIT);
  glViewport(fit.left(), fit.bottom(), fit.width(), fit.height());

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  applyPerspective(width, height);
  glTranslated(-camera::SHIFT_X, 0.0, -camera::DISTANCE);
  glRotatef(cameraPitch, 1.0f, 0.0f, 0.0f);
  glRotatef(cameraYaw, 0.0f, 1.0f, 0.0f);
  game.drawWorld();

  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, width, 0, height, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glTranslated(mouseX, height - mouseY, 0.0);
  game.drawInterface();

  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClear(GL_DEPTH_BUFFER_BIT);
  glFlush();

  cameraPitch += CAMERA_PITCH_STEP;
  cameraYaw += CAMERA_YAW_STEP;
}

std::int32_t selectWorldAtCursor() {
  return selectInWorld();
}

std::int32_t selectInterfaceAtCursor() {
  return selectInInterface();
}

const std::uint32_t *selectionRecords() {
  return selectionBuffer;
}

void pickAtCursor(bool isClick) {
  if (!game.isOverInterface(mouseX, mouseY)) {
    pickInWorld(isClick);
  } else if (isClick) {
    pickInInterface();
  }
}
