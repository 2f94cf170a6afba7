#include "Scenarios.h"

#include "HeadlessContext.h"

#include "game/Game.h"
#include "gfx/Font.h"
#include "gfx/Gl.h"
#include "gfx/Texture.h"
#include "shell/KeyCodes.h"
#include "shell/Scene.h"
#include "shell/ShellWindow.h"
#include "world/Cell.h"
#include "world/Space.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <unistd.h>

namespace {

constexpr unsigned FRAME_MILLISECONDS = 16;
// Long enough for a step's slide to end within one frame.
constexpr unsigned STEP_MILLISECONDS = 250;
constexpr unsigned DEFAULT_SEED = 1;

HeadlessWindow window;
KeyTable keys;

// Starts the game as the shell does, on the source tree's Data/, with the
// other person's walk seeded.
bool startGame(unsigned seed) {
  if (chdir(PICKRPG_SOURCE_DIR) != 0 || !makeTestContextCurrent()) {
    return false;
  }
  keys.clear();
  // The game clears depth only after a frame; a new window's buffer holds
  // whatever it holds, and a reused context the last scene's depths.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
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

bool windowsOpen() {
  runFrame();
  pressKey(KeyI);
  pressKey(KeyS);
  // The pile window as a Get click on the vase pile opens it.
  Space &pile = game.getWorld().getCell(1, 1).getSpace(20, 8);
  game.getPileWindow().setSpace(&pile);
  game.getPileWindow().setOpen(true);
  mouseX = 600, mouseY = 300;
  runFrame();
  return game.getInventoryWindow().isOpen() && game.getStatsWindow().isOpen();
}

// Right, up four, then left along a row free of walls to the west edge of
// the centre cell, where the view shows the neighbouring cells.
bool atCellEdge() {
  runFrame();
  const std::vector<int> route = {KeyRight, KeyUp, KeyUp, KeyUp, KeyUp};
  for (int key : route) {
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

bool startUp() {
  runFrame();
  return true;
}

const std::map<std::string, std::function<bool()>> &gameStates() {
  static const std::map<std::string, std::function<bool()>> states = {
      {"start-up", startUp}, {"windows", windowsOpen}, {"cell-edge", atCellEdge}};
  return states;
}

// Feature scenes: each on a fresh game's context, with the fixed state the
// game set and then only what the scene is about.

void perspectiveView() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(TEST_WIDTH) / TEST_HEIGHT, 0.1, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void orthoView() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, TEST_WIDTH, 0, TEST_HEIGHT, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void clearScene() {
  // The surface is larger than the scenes: they draw into its corner.
  glViewport(0, 0, TEST_WIDTH, TEST_HEIGHT);
  glClearColor(0.1f, 0.15f, 0.2f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  glColor4f(1, 1, 1, 1);
}

void quad(float x, float y, float z, float size) {
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex3f(x, y, z);
  glTexCoord2f(1, 0);
  glVertex3f(x + size, y, z);
  glTexCoord2f(1, 1);
  glVertex3f(x + size, y + size, z);
  glTexCoord2f(0, 1);
  glVertex3f(x, y + size, z);
  glEnd();
}

// Quads at several depths under the game's light, with normals of several
// directions and lengths (the GL does not normalise them), one light moved
// by the modelview when it was placed.
void litQuads() {
  perspectiveView();
  glEnable(GL_LIGHTING);
  glEnable(GL_DEPTH_TEST);
  const float normals[][3] = {{0, 0, 1},        {0, 0, 2}, {0, 0, 0.5f},        {0.6f, 0, 0.8f},
                              {0, -0.7f, 0.7f}, {1, 1, 1}, {-0.3f, 0.2f, 0.4f}, {0, 0, -1}};
  const float colours[][3] = {{1, 1, 1}, {1, 0.5f, 0.2f}, {0.3f, 0.9f, 0.4f}, {0.6f, 0.6f, 1}};
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 8; ++column) {
      const float depth = -4.0f - 6.0f * row - column;
      const float *n = normals[column];
      const float *c = colours[(row + column) % 4];
      glColor3f(c[0], c[1], c[2]);
      glNormal3f(n[0], n[1], n[2]);
      quad((column - 4) * depth * -0.1f, (row - 2) * depth * -0.1f, depth, -depth * 0.09f);
    }
  }
  glPushMatrix();
  glTranslated(-3.0, 2.0, 0.0);
  const GLfloat moved[] = {0.0f, 0.0f, -2.0f, 1.0f};
  glLightfv(GL_LIGHT1, GL_POSITION, moved);
  glPopMatrix();
  glColor3f(0.9f, 0.9f, 0.9f);
  glNormal3f(0, 0, 1);
  quad(-4.0f, -3.0f, -8.0f, 2.5f);
}

void textureLinear() {
  orthoView();
  glEnable(GL_TEXTURE_2D);
  bindTexture(BlueFaceTexture);
  quad(10, 10, 0, 700);
  quad(750, 500, 0, 100);
  glColor3f(1.0f, 0.6f, 0.3f);
  quad(750, 300, 0, 170);
}

// The mipmapped ground under a grazing view: far squares use the small
// levels.
void textureMipmap() {
  perspectiveView();
  glEnable(GL_TEXTURE_2D);
  bindTexture(GroundTexture);
  for (int row = 0; row < 40; ++row) {
    for (int column = -12; column < 12; ++column) {
      glBegin(GL_QUADS);
      const auto x = static_cast<float>(column);
      const float z = -1.0f - row;
      glTexCoord2f(0, 0);
      glVertex3f(x, -1.0f, z);
      glTexCoord2f(1, 0);
      glVertex3f(x + 1, -1.0f, z);
      glTexCoord2f(1, 1);
      glVertex3f(x + 1, -1.0f, z - 1);
      glTexCoord2f(0, 1);
      glVertex3f(x, -1.0f, z - 1);
      glEnd();
    }
  }
}

void blendOverTexture() {
  orthoView();
  glEnable(GL_TEXTURE_2D);
  bindTexture(CrateTexture);
  quad(100, 100, 0, 500);
  glEnable(GL_BLEND);
  bindTexture(VaseTexture);
  quad(150, 150, 0, 300);
  glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
  bindTexture(GetButtonTexture);
  quad(350, 250, 0, 300);
  glDisable(GL_TEXTURE_2D);
  glColor4f(0.2f, 0.8f, 0.3f, 0.4f);
  quad(50, 400, 0, 400);
}

void font() {
  orthoView();
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glColor3f(1, 1, 1);
  printString(20, 700, "You see a part of building wall.");
  printText(20, 660, "Weight: %i  Encumbrance %i%%", 42, 7);
  printString(20, 620,
              "d\xE9"
              "chets ~!@#$%^&*()_+{}|:\"<>?");
  glColor3f(1.0f, 0.8f, 0.2f);
  printString(300, 300, "PAUSE");
}

// Two pairs of quads, one counter-clockwise and one clockwise, culled as
// back faces and then as front faces.
void culledFaces() {
  orthoView();
  glEnable(GL_CULL_FACE);
  for (GLenum face : {GL_BACK, GL_FRONT}) {
    glCullFace(face);
    const float y = face == GL_BACK ? 450.0f : 100.0f;
    glColor3f(0.9f, 0.2f, 0.2f);
    quad(100, y, 0, 250);
    glColor3f(0.2f, 0.9f, 0.2f);
    glBegin(GL_QUADS);
    glVertex2f(500, y);
    glVertex2f(500, y + 250);
    glVertex2f(750, y + 250);
    glVertex2f(750, y);
    glEnd();
  }
}

// A different colour at each corner: the split of the quad into triangles
// decides how they blend across it. One quad lies inside the view, the
// other reaches past it, which on Mesa decides the split.
void smoothColours() {
  orthoView();
  for (int extent : {400, 900}) {
    glBegin(GL_QUADS);
    glColor3f(1, 0, 0);
    glVertex2i(20, 20);
    glColor3f(0, 1, 0);
    glVertex2i(extent, 60);
    glColor3f(0, 0, 1);
    glVertex2i(extent + 30, extent);
    glColor3f(1, 1, 0);
    glVertex2i(40, extent - 50);
    glEnd();
    glTranslated(500.0, 0.0, 0.0);
  }
}

// A glyph-like list: a textured quad whose colour and texture cell depend
// on the code, then a step to the right.
void glyph(GLuint code) {
  const float u = static_cast<float>(code % 16) / 16.0f;
  const float v = static_cast<float>(code / 16 % 8) / 8.0f;
  glColor3f(0.5f + (code % 5) * 0.1f, 1.0f, 0.3f + (code % 7) * 0.1f);
  glBegin(GL_QUADS);
  glTexCoord2f(u, v);
  glVertex2i(0, 0);
  glTexCoord2f(u + 0.0625f, v);
  glVertex2i(16, 0);
  glTexCoord2f(u + 0.0625f, v + 0.125f);
  glVertex2i(16, 16);
  glTexCoord2f(u, v + 0.125f);
  glVertex2i(0, 16);
  glEnd();
  glTranslated(11.0, 0.0, 0.0);
}

// Lines of text through one list per printable code. Codes without a list
// (below the first, or a deleted one) draw nothing and do not move the pen;
// a list that sets the base and calls other lists runs them where it is
// called, and the base it set stays.
void textLists() {
  constexpr GLuint FIRST_CODE = 32;
  constexpr GLsizei CODES = 96;
  orthoView();
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
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
  glDeleteLists(base, CODES);
  glDeleteLists(word, 1);
  glListBase(0);
}

const std::map<std::string, std::function<void()>> &featureScenes() {
  static const std::map<std::string, std::function<void()>> scenes = {
      {"lit-quads", litQuads},
      {"text-lists", textLists},
      {"texture-linear", textureLinear},
      {"texture-mipmap", textureMipmap},
      {"blend-over-texture", blendOverTexture},
      {"font", font},
      {"culled-faces", culledFaces},
      {"smooth-colours", smoothColours}};
  return scenes;
}

template <typename Map> std::vector<std::string> namesOf(const Map &map) {
  std::vector<std::string> names;
  for (const auto &entry : map) {
    names.push_back(entry.first);
  }
  return names;
}

// Each record: its name count, two depths, then the names.
PickSample recordsOf(std::int32_t hits) {
  const std::uint32_t *records = selectionRecords();
  std::size_t words = 0;
  for (std::int32_t hit = 0; hit < hits; ++hit) {
    words += 3 + records[words];
  }
  return {hits, std::vector<std::uint32_t>(records, records + words)};
}

template <typename T> void writeValue(std::ofstream &out, const T &value) {
  out.write(reinterpret_cast<const char *>(&value), sizeof value);
}

template <typename T> bool readValue(std::ifstream &in, T &value) {
  return static_cast<bool>(in.read(reinterpret_cast<char *>(&value), sizeof value));
}

} // namespace

void readFrame(Frame &frame) {
  frame.width = TEST_WIDTH;
  frame.height = TEST_HEIGHT;
  std::vector<unsigned char> rgba(static_cast<std::size_t>(TEST_WIDTH) * TEST_HEIGHT * 4);
  glReadPixels(0, 0, TEST_WIDTH, TEST_HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  frame.rgb.clear();
  for (std::size_t i = 0; i < rgba.size(); i += 4) {
    frame.rgb.insert(frame.rgb.end(), rgba.begin() + i, rgba.begin() + i + 3);
  }
}

std::vector<std::string> featureSceneNames() {
  return namesOf(featureScenes());
}

std::vector<std::string> gameFrameNames() {
  return {"game-start-up", "game-windows", "game-cell-edge"};
}

bool drawNamedScene(const std::string &name, Frame &frame) {
  const auto feature = featureScenes().find(name);
  const std::string prefix = "game-";
  const auto state = name.rfind(prefix, 0) == 0 ? gameStates().find(name.substr(prefix.size()))
                                                : gameStates().end();
  if (feature == featureScenes().end() && state == gameStates().end()) {
    return false;
  }
  if (!startGame(DEFAULT_SEED)) {
    return false;
  }
  bool drawn = true;
  if (feature != featureScenes().end()) {
    clearScene();
    feature->second();
    glFlush();
  } else {
    drawn = state->second();
  }
  readFrame(frame);
  stopScene();
  return drawn;
}

bool drawGameFrame(unsigned seed, int cursorX, int cursorY, unsigned elapsed, Frame &frame) {
  if (!startGame(seed)) {
    return false;
  }
  mouseX = cursorX, mouseY = cursorY;
  runFrame(elapsed);
  readFrame(frame);
  stopScene();
  return true;
}

std::vector<std::string> pickStateNames() {
  return namesOf(gameStates());
}

bool pickNamedState(const std::string &name, int step, PickGrid &grid) {
  const auto state = gameStates().find(name);
  if (state == gameStates().end() || step <= 0 || !startGame(DEFAULT_SEED) || !state->second()) {
    return false;
  }
  grid.step = step;
  grid.columns = (TEST_WIDTH + step - 1) / step;
  grid.rows = (TEST_HEIGHT + step - 1) / step;
  grid.world.clear();
  grid.interface.clear();
  for (int y = 0; y < TEST_HEIGHT; y += step) {
    for (int x = 0; x < TEST_WIDTH; x += step) {
      mouseX = x, mouseY = y;
      grid.world.push_back(recordsOf(selectWorldAtCursor()));
      grid.interface.push_back(recordsOf(selectInterfaceAtCursor()));
    }
  }
  stopScene();
  return true;
}

bool writePpm(const std::string &path, const Frame &frame) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << frame.width << " " << frame.height << "\n255\n";
  const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
  for (int row = frame.height - 1; row >= 0; --row) {
    out.write(reinterpret_cast<const char *>(&frame.rgb[row * rowBytes]),
              static_cast<std::streamsize>(rowBytes));
  }
  return static_cast<bool>(out);
}

bool readPpm(const std::string &path, Frame &frame) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maximum = 0;
  in >> magic >> frame.width >> frame.height >> maximum;
  in.get();
  if (!in || magic != "P6" || maximum != 255 || frame.width <= 0 || frame.height <= 0) {
    return false;
  }
  const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
  frame.rgb.assign(rowBytes * frame.height, 0);
  for (int row = frame.height - 1; row >= 0; --row) {
    in.read(reinterpret_cast<char *>(&frame.rgb[row * rowBytes]),
            static_cast<std::streamsize>(rowBytes));
  }
  return static_cast<bool>(in);
}

bool writePickGrid(const std::string &path, const PickGrid &grid) {
  std::ofstream out(path, std::ios::binary);
  writeValue(out, grid.step);
  writeValue(out, grid.columns);
  writeValue(out, grid.rows);
  for (const std::vector<PickSample> *samples : {&grid.world, &grid.interface}) {
    for (const PickSample &sample : *samples) {
      writeValue(out, sample.hits);
      writeValue(out, static_cast<std::uint32_t>(sample.records.size()));
      out.write(reinterpret_cast<const char *>(sample.records.data()),
                static_cast<std::streamsize>(sample.records.size() * sizeof(std::uint32_t)));
    }
  }
  return static_cast<bool>(out);
}

bool readPickGrid(const std::string &path, PickGrid &grid) {
  std::ifstream in(path, std::ios::binary);
  if (!readValue(in, grid.step) || !readValue(in, grid.columns) || !readValue(in, grid.rows) ||
      grid.columns <= 0 || grid.rows <= 0) {
    return false;
  }
  const std::size_t points = static_cast<std::size_t>(grid.columns) * grid.rows;
  for (std::vector<PickSample> *samples : {&grid.world, &grid.interface}) {
    samples->assign(points, PickSample());
    for (PickSample &sample : *samples) {
      std::uint32_t words = 0;
      if (!readValue(in, sample.hits) || !readValue(in, words)) {
        return false;
      }
      sample.records.resize(words);
      if (!in.read(reinterpret_cast<char *>(sample.records.data()),
                   static_cast<std::streamsize>(words * sizeof(std::uint32_t)))) {
        return false;
      }
    }
  }
  return true;
}
