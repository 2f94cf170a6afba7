#include "Scenarios.h"

#include "HeadlessContext.h"

#include "game/Game.h"
#include "gfx/Gl.h"
#include "gfx/Texture.h"
#include "shell/KeyCodes.h"
#include "shell/Scene.h"
#include "shell/ShellWindow.h"
#include "world/Cell.h"
#include "world/Space.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <random>
#include <unistd.h>

namespace {

constexpr unsigned FRAME_MILLISECONDS = 16;
// Long enough for a step's slide to end within one frame.
constexpr unsigned STEP_MILLISECONDS = 250;

HeadlessWindow window;
KeyTable keys;

// Starts the game as the shell does, on the source tree's Data/, with the
// other person's walk seeded and the cursor at the top-left corner.
bool startGame(unsigned seed) {
  if (chdir(PICKRPG_SOURCE_DIR) != 0 || !makeTestContextCurrent()) {
    return false;
  }
  keys.clear();
  mouseX = 0, mouseY = 0;
  // The game clears depth only after a frame; a new window's buffer holds
  // whatever it holds, and a reused context the last scene's depths. It
  // places its light under the modelview, which a new window holds as the
  // identity.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  if (!startScene(&window, &keys)) {
    return false;
  }
  std::srand(seed);
  return true;
}

void runFrame(unsigned elapsed = FRAME_MILLISECONDS) {
  advanceScene(elapsed);
  renderScene();
}

void pressKey(int code, unsigned elapsed = FRAME_MILLISECONDS) {
  keys.down[code] = true;
  runFrame(elapsed);
}

// Game states.

bool startUp() {
  runFrame();
  return true;
}

bool windowsOpen() {
  runFrame();
  pressKey(KeyI);
  pressKey(KeyS);
  // The pile window as a Get click on the vase pile opens it.
  game.getPileWindow().setSpace(&game.getWorld().getCell(1, 1).getSpace(20, 8));
  game.getPileWindow().setOpen(true);
  mouseX = 600, mouseY = 300;
  runFrame();
  return game.getInventoryWindow().isOpen() && game.getStatsWindow().isOpen();
}

// The windows open again on a context destroyed and made anew, as a browser
// loses a WebGL context and gives another: the layer builds its shaders and
// textures again under the names the game still holds.
bool restored() {
  bool reached = windowsOpen();
#if defined(PICKRPG_GL_ES)
  reached = reached && recreateTestContext() && gl11::restoreGpuObjects();
#endif
  renderScene();
  return reached;
}

// Right, up four, then left along a row free of walls to the west edge of
// the centre cell, where the view shows the neighbouring cells.
bool atCellEdge() {
  runFrame();
  for (int key : {KeyRight, KeyUp, KeyUp, KeyUp, KeyUp}) {
    pressKey(key, STEP_MILLISECONDS);
    runFrame(STEP_MILLISECONDS);
  }
  for (int step = 0; step < 15 && game.getPlayerLocalX() > 0; ++step) {
    pressKey(KeyLeft, STEP_MILLISECONDS);
    runFrame(STEP_MILLISECONDS);
  }
  mouseX = 200, mouseY = 200;
  runFrame();
  return game.getPlayerLocalX() == 0;
}

// Feature scenes.

constexpr double ASPECT = static_cast<double>(TEST_WIDTH) / TEST_HEIGHT;

// A quad's corners counter-clockwise, as texture coordinates.
constexpr float CORNERS[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

// Upright, or lying on the ground and reaching away from the eye.
void quad(float x, float y, float z, float size, bool lying = false) {
  glBegin(GL_QUADS);
  for (const auto &c : CORNERS) {
    glTexCoord2f(c[0], c[1]);
    lying ? glVertex3f(x + c[0] * size, y, z - c[1] * size)
          : glVertex3f(x + c[0] * size, y + c[1] * size, z);
  }
  glEnd();
}

// Quads at several depths under the game's light, with normals of several
// directions and lengths (the GL does not normalise them). The light is
// moved by the modelview it is placed under; the lower rows add a
// directional light with an ambient part, placed under a rotation about a
// long axis, and the last row a squashed modelview (normals change
// length). Last, colour material off keeps the last colour the material
// took.
void litQuads() {
  glEnable(GL_LIGHTING);
  glEnable(GL_DEPTH_TEST);
  const float normals[][3] = {{0, 0, 1},        {0, 0, 2}, {0, 0, 0.5f},        {0.6f, 0, 0.8f},
                              {0, -0.7f, 0.7f}, {1, 1, 1}, {-0.3f, 0.2f, 0.4f}, {0, 0, -1}};
  const float colours[][3] = {{1, 1, 1}, {1, 0.5f, 0.2f}, {0.3f, 0.9f, 0.4f}, {0.6f, 0.6f, 1}};
  const GLfloat moved[] = {0.0f, 0.0f, -2.0f, 1.0f}, tinted[] = {0.3f, 0.1f, 0.2f, 1.0f},
                direction[] = {-0.5f, 0.5f, 1.0f, 0.0f};
  const GLfloat squashed[] = {1.2f, 0, 0, 0, 0, 1.0f, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, 1};
  glPushMatrix();
  glTranslated(-3.0, 2.0, 0.0);
  glLightfv(GL_LIGHT1, GL_POSITION, moved);
  glRotatef(30.0f, 1.0f, 2.0f, -0.5f);
  glLightfv(GL_LIGHT0, GL_AMBIENT, tinted);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, tinted);
  glLightfv(GL_LIGHT0, GL_POSITION, direction);
  glPopMatrix();
  for (int row = 0; row < 4; ++row) {
    if (row == 2) {
      glEnable(GL_LIGHT0);
    } else if (row == 3) {
      glMultMatrixf(squashed);
    }
    for (int column = 0; column < 8; ++column) {
      const float depth = -4.0f - 6.0f * row - column;
      const float *n = normals[column];
      const float *c = colours[(row + column) % 4];
      glColor3f(c[0], c[1], c[2]);
      glNormal3f(n[0], n[1], n[2]);
      quad((column - 4) * depth * -0.1f, (row - 2) * depth * -0.1f, depth, -depth * 0.09f);
    }
  }
  glDisable(GL_COLOR_MATERIAL);
  glColor3f(0.1f, 0.1f, 0.9f);
  quad(-1.0f, -3.0f, -8.0f, 2.5f);
  // The game's start-up does not switch it off for the scenes after this one.
  glDisable(GL_LIGHT0);
}

// The mipmapped ground under a grazing view: far squares use the small
// levels.
void textureMipmap() {
  glEnable(GL_TEXTURE_2D);
  bindTexture(GroundTexture);
  for (int row = 0; row < 40; ++row) {
    for (int column = -12; column < 12; ++column) {
      quad(static_cast<float>(column), -1.0f, -1.0f - row, 1.0f, true);
    }
  }
}

// A row of squares pushed one level deeper each and a row popped back:
// pushes past the stack's depth and pops past its bottom are refused, so
// where the squares land shows where the stack ends.
void matrixStack() {
  constexpr int LEVELS = 40;
  for (int level = 0; level < 2 * LEVELS; ++level) {
    level < LEVELS ? glPushMatrix() : glPopMatrix();
    glTranslated(12.0, 0.0, 0.0);
    glColor3f(level < LEVELS ? 1.0f : 0.2f, static_cast<float>(level) / LEVELS / 2, 0.5f);
    quad(0, level < LEVELS ? 300.0f : 400.0f, 0, 10);
  }
  while (glGetError() != GL_NO_ERROR) {
  }
}

// A glyph-like list: the font's image in a square whose colour depends on
// the code, then a step to the right.
void glyph(GLuint code) {
  glColor3f(0.5f + (code % 5) * 0.1f, 1.0f, 0.3f + (code % 7) * 0.1f);
  quad(0, 0, 0, 16);
  glTranslated(11.0, 0.0, 0.0);
}

// Lines of text through one list per printable code. Codes without a list
// (below the first, or a deleted one) draw nothing and do not move the pen;
// a list that sets the base and calls other lists runs them where it is
// called, and the base it set stays.
void textLists() {
  constexpr GLuint FIRST_CODE = 32;
  constexpr GLsizei CODES = 96;
  glEnable(GL_TEXTURE_2D);
  bindTexture(FontTexture);
  const GLuint base = glGenLists(CODES);
  for (GLuint code = FIRST_CODE; code < FIRST_CODE + CODES; ++code) {
    glNewList(base + code - FIRST_CODE, GL_COMPILE);
    glyph(code);
    glEndList();
  }
  glDeleteLists(base + 'Q' - FIRST_CODE, 1);
  const GLuint word = glGenLists(1);
  glNewList(word, GL_COMPILE);
  glListBase(base - FIRST_CODE);
  glCallLists(4, GL_UNSIGNED_BYTE, "list");
  glEndList();
  const std::string lines[] = {"You see a part of building wall.",
                               "Quiet Q: deleted, \x01\x1f: none", "codes \x01 and \x7f"};
  glListBase(base - FIRST_CODE);
  double y = 700.0;
  for (const std::string &line : lines) {
    glLoadIdentity();
    glTranslated(20.0, y, 0.0);
    glCallLists(static_cast<GLsizei>(line.size()), GL_UNSIGNED_BYTE, line.data());
    y -= 40.0;
  }
  glLoadIdentity();
  glTranslated(20.0, y, 0.0);
  glListBase(word);
  const GLubyte first = 0;
  glCallLists(1, GL_UNSIGNED_BYTE, &first);
  glCallLists(5, GL_UNSIGNED_BYTE, "after");
}

// Sixty parallelograms of all orientations around the view behind the
// game's camera, some crossing the near plane or behind the eye, some
// facing away. The names start anew every fourth quad and nest two deep
// in the fourth, so records carry stacks.
void scatteredQuads() {
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslated(-0.5, 0.0, -15.0);
  std::mt19937 random(7);
  std::uniform_real_distribution<float> place(-9.0f, 9.0f), depth(-25.0f, 16.0f), edge(-4.0f, 4.0f);
  for (GLuint name = 100; name < 160; ++name) {
    const float centre[3] = {place(random), place(random), depth(random)};
    const float a[3] = {edge(random), edge(random), edge(random) * 0.5f};
    const float b[3] = {edge(random), edge(random), edge(random) * 0.5f};
    if (name % 4 == 3) {
      glPushName(name + 1000);
    } else if (name % 4 == 0) {
      glInitNames();
      glPushName(0);
    }
    glLoadName(name);
    glColor3f(static_cast<float>(name % 3) / 2, static_cast<float>(name % 5) / 4, 0.8f);
    glBegin(GL_QUADS);
    for (const auto &c : CORNERS) {
      const float u = c[0] * 2 - 1, v = c[1] * 2 - 1;
      glVertex3f(centre[0] + u * a[0] + v * b[0], centre[1] + u * a[1] + v * b[1],
                 centre[2] + u * a[2] + v * b[2]);
    }
    glEnd();
  }
}

// The scattered quads with their front faces culled (the game culls back
// faces).
void scatteredFrontFaces() {
  glEnable(GL_CULL_FACE);
  glCullFace(GL_FRONT);
  scatteredQuads();
}

// Appends one pass's pick: its records, or on overflow every word of the
// buffer (size), so that what fitted is compared too.
void keepPick(std::vector<std::uint32_t> &picks, int x, int y, int pass, std::int32_t hits,
              const std::uint32_t *buffer, std::size_t size) {
  std::size_t words = hits < 0 ? size : 0;
  for (std::int32_t hit = 0; hit < hits; ++hit) {
    words += 3 + buffer[words];
  }
  for (const std::int32_t word : {static_cast<std::int32_t>(4 + words), x, y, pass, hits}) {
    picks.push_back(static_cast<std::uint32_t>(word));
  }
  picks.insert(picks.end(), buffer, buffer + words);
}

// Both of the game's selection passes with the cursor at (x, y).
void pickGame(int x, int y, int, std::vector<std::uint32_t> &picks) {
  mouseX = x, mouseY = y;
  keepPick(picks, x, y, 0, selectWorldAtCursor(), selectionRecords(), 0);
  keepPick(picks, x, y, 1, selectInterfaceAtCursor(), selectionRecords(), 0);
}

// The scattered quads picked in perspective (pass 0) and orthographic
// (pass 1) views. From point to point the culling changes (none, back,
// front) and so does the buffer's size, from one that holds every record
// to ones that overflow or that the records fit exactly.
void pickScatteredQuads(int x, int y, int point, std::vector<std::uint32_t> &picks) {
  constexpr GLuint UNWRITTEN = 0xDEADBEEF;
  const GLsizei sizes[] = {512, 1, 3, 4, 8, 9, 13, 16};
  std::vector<GLuint> buffer(static_cast<std::size_t>(sizes[point / 3 % std::size(sizes)]));
  GLint viewport[4] = {0, 0, TEST_WIDTH, TEST_HEIGHT};
  point % 3 == 0 ? glDisable(GL_CULL_FACE) : glEnable(GL_CULL_FACE);
  glCullFace(point % 3 == 1 ? GL_BACK : GL_FRONT);
  for (int pass = 0; pass < 2; ++pass) {
    std::fill(buffer.begin(), buffer.end(), UNWRITTEN);
    glSelectBuffer(static_cast<GLsizei>(buffer.size()), buffer.data());
    glRenderMode(GL_SELECT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPickMatrix(x + 0.25, TEST_HEIGHT - y - 0.5, 1.0, 1.0, viewport);
    // No quad reaches the far plane: Mesa writes a depth of exactly 1 as 0.
    pass == 0 ? gluPerspective(45.0, ASPECT, 0.1, 100.0)
              : glOrtho(-12.0, 12.0, -9.0, 9.0, -20.0, 50.0);
    scatteredQuads();
    keepPick(picks, x, y, pass, glRenderMode(GL_RENDER), buffer.data(), buffer.size());
  }
}

// A feature scene on a fresh game's context: the fixed state the game set,
// then only what the scene is about.
template <void (*draw)(), bool perspective = false> bool feature() {
  glClearColor(0.1f, 0.15f, 0.2f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  for (GLenum capability : {GL_LIGHTING, GL_TEXTURE_2D, GL_BLEND, GL_CULL_FACE, GL_DEPTH_TEST}) {
    glDisable(capability);
  }
  glColor4f(1, 1, 1, 1);
  // The game's perspective, or one unit a pixel from the bottom-left corner.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  perspective ? gluPerspective(45.0, ASPECT, 0.1, 100.0)
              : glOrtho(0, TEST_WIDTH, 0, TEST_HEIGHT, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  draw();
  glFlush();
  return true;
}

// Each scene: how it is drawn (or its game state reached), and how it is
// picked, if it is.
struct Scene {
  std::string name;
  bool (*reach)();
  void (*pick)(int x, int y, int point, std::vector<std::uint32_t> &picks);
};
const Scene SCENES[] = {{"start-up", startUp, pickGame},
                        {"windows", windowsOpen, pickGame},
                        {"cell-edge", atCellEdge, pickGame},
                        {"restored", restored, nullptr},
                        {"scattered-quads", feature<scatteredFrontFaces, true>, pickScatteredQuads},
                        {"lit-quads", feature<litQuads, true>, nullptr},
                        {"text-lists", feature<textLists>, nullptr},
                        {"texture-mipmap", feature<textureMipmap, true>, nullptr},
                        {"matrix-stack", feature<matrixStack>, nullptr}};

} // namespace

std::vector<std::string> sceneNames() {
  std::vector<std::string> names;
  for (const Scene &scene : SCENES) {
    names.push_back(scene.name);
  }
  return names;
}

bool runScene(const std::string &name, unsigned seed, int step, std::vector<std::uint32_t> &words) {
  const Scene *scene = std::find_if(std::begin(SCENES), std::end(SCENES),
                                    [&](const Scene &s) { return s.name == name; });
  if (scene == std::end(SCENES) || !startGame(seed) || !scene->reach()) {
    return false;
  }
  words.assign(FRAME_WORDS, 0);
  glReadPixels(0, 0, TEST_WIDTH, TEST_HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, words.data());
  int point = 0;
  for (int y = 0; scene->pick != nullptr && step > 0 && y < TEST_HEIGHT; y += step) {
    for (int x = 0; x < TEST_WIDTH; x += step) {
      scene->pick(x, y, point++, words);
    }
  }
  stopScene();
  return true;
}
