// The ES layer's arithmetic against the real OpenGL 1.1 and GLU on the
// desktop context: the matrix stacks after every operation the game uses,
// the per-vertex lighting, GLU's mipmaps and the selection buffer.

#include "GlContext.h"

#include "gfx/Gl.h"
#include "gfx/Texture.h"
#include "gfx/es/Lighting.h"
#include "gfx/es/MatrixStack.h"
#include "gfx/es/Mipmaps.h"
#include "gfx/es/SelectionBuffer.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>

namespace {

constexpr int VIEWPORT[4] = {0, 0, TEST_WIDTH, TEST_HEIGHT};

float ulpTolerance(float value) {
  return 4e-7f * std::max(1.0f, std::fabs(value));
}

void expectSameMatrix(GLenum which, const Matrix &layer, const std::string &step) {
  GLfloat real[16];
  glGetFloatv(which, real);
  for (int i = 0; i < 16; ++i) {
    EXPECT_NEAR(layer.values[i], real[i], ulpTolerance(real[i])) << step << ", element " << i;
  }
}

// One step of the game's matrix use, applied to the real GL and to the
// layer's stack.
struct MatrixStep {
  std::string name;
  std::function<void()> real;
  std::function<void(MatrixStack &)> layer;
};

MatrixStep multiplyStep(const std::string &name, std::function<void()> real, Matrix matrix) {
  return {name, std::move(real), [matrix](MatrixStack &stack) { stack.multiply(matrix); }};
}

std::vector<MatrixStep> gameMatrixSteps() {
  GLint viewport[4] = {VIEWPORT[0], VIEWPORT[1], VIEWPORT[2], VIEWPORT[3]};
  auto pick = [viewport](double x, double y, double w, double h) mutable {
    return MatrixStep{"pick " + std::to_string(x) + "," + std::to_string(y),
                      [=]() mutable { gluPickMatrix(x, y, w, h, viewport); },
                      [=](MatrixStack &stack) {
                        for (const Matrix &m : Matrix::pick(x, y, w, h, viewport)) {
                          stack.multiply(m);
                        }
                      }};
  };
  return {
      {"identity", [] { glLoadIdentity(); }, [](MatrixStack &s) { s.load(Matrix::identity()); }},
      multiplyStep(
          "perspective of the frame", [] { gluPerspective(45.0, 1024.0 / 768, 0.1, 100); },
          Matrix::perspective(45.0, 1024.0 / 768, 0.1, 100)),
      multiplyStep(
          "camera", [] { glTranslated(-0.5, 0.0, -15.0); },
          Matrix::translation(-0.5f, 0.0f, -15.0f)),
      multiplyStep(
          "no rotation", [] { glRotatef(0.0f, 1.0f, 0.0f, 0.0f); },
          Matrix::rotation(0.0f, 1.0f, 0.0f, 0.0f)),
      multiplyStep(
          "rotation about a long axis", [] { glRotatef(33.0f, 1.0f, 2.0f, -0.5f); },
          Matrix::rotation(33.0f, 1.0f, 2.0f, -0.5f)),
      multiplyStep(
          "square offset", [] { glTranslated(0.1, -13.3, 1.0); },
          Matrix::translation(0.1f, -13.3f, 1.0f)),
      {"push", [] { glPushMatrix(); }, [](MatrixStack &s) { s.push(); }},
      {"identity again", [] { glLoadIdentity(); },
       [](MatrixStack &s) { s.load(Matrix::identity()); }},
      pick(612, 768 - 313, 1, 1),
      pick(0.5, 767.25, 1, 1),
      pick(300, 200, 7, 3),
      pick(300, 200, 0, 1),
      multiplyStep(
          "interface ortho", [] { glOrtho(0, 1024, 0, 768, -1, 1); },
          Matrix::ortho(0, 1024, 0, 768, -1, 1)),
      multiplyStep(
          "perspective of a narrow window", [] { gluPerspective(60.0, 0.25, 1, 1000); },
          Matrix::perspective(60.0, 0.25, 1, 1000)),
      multiplyStep(
          "degenerate perspective", [] { gluPerspective(45.0, 0.0, 1, 10); },
          Matrix::perspective(45.0, 0.0, 1, 10)),
      {"pop", [] { glPopMatrix(); }, [](MatrixStack &s) { s.pop(); }},
      multiplyStep(
          "cursor", [] { glTranslated(431.0, 768.0 - 255.0, 0.0); },
          Matrix::translation(431.0f, 513.0f, 0.0f)),
  };
}

TEST_F(GlTest, MatrixStacksFollowTheRealGlThroughTheGamesOperations) {
  for (GLenum mode : {GL_PROJECTION, GL_MODELVIEW}) {
    glMatrixMode(mode);
    glLoadIdentity();
    MatrixStack stack(32);
    const GLenum query = mode == GL_PROJECTION ? GL_PROJECTION_MATRIX : GL_MODELVIEW_MATRIX;
    for (const MatrixStep &step : gameMatrixSteps()) {
      step.real();
      step.layer(stack);
      expectSameMatrix(query, stack.top(), step.name);
    }
    glLoadIdentity();
  }
}

TEST_F(GlTest, MatrixStacksOverflowAndUnderflowWhereTheRealOnesDo) {
  for (GLenum mode : {GL_PROJECTION, GL_MODELVIEW}) {
    glMatrixMode(mode);
    MatrixStack stack(32);
    int pushes = 0;
    for (; pushes < 100; ++pushes) {
      glPushMatrix();
      const bool realOverflowed = glGetError() == GL_STACK_OVERFLOW;
      EXPECT_EQ(stack.push(), !realOverflowed) << pushes;
      if (realOverflowed) {
        break;
      }
    }
    int pops = 0;
    for (; pops < 100; ++pops) {
      glPopMatrix();
      const bool realFailed = glGetError() == GL_STACK_UNDERFLOW;
      EXPECT_EQ(stack.pop(), !realFailed) << pops;
      if (realFailed) {
        break;
      }
    }
    EXPECT_GT(pushes, 1);
    EXPECT_EQ(pops, pushes);
  }
  glMatrixMode(GL_MODELVIEW);
}

// Lit vertex colours as the real GL's feedback buffer reports them, for
// points drawn under the game's light.
std::vector<Colour> realLitColours(const std::function<void()> &draw) {
  std::vector<GLfloat> buffer(1 << 16);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint used = glRenderMode(GL_RENDER);
  std::vector<Colour> colours;
  for (GLint i = 0; i + 7 < used; i += 8) {
    EXPECT_EQ(static_cast<GLint>(buffer[i]), GL_POINT_TOKEN);
    colours.push_back({buffer[i + 4], buffer[i + 5], buffer[i + 6], buffer[i + 7]});
  }
  return colours;
}

struct LitVertex {
  float position[3];
  float normal[3];
  Colour colour;
};

TEST_F(GlTest, LightingMatchesTheRealPerVertexLighting) {
  const GLfloat ambient[] = {0.0f, 0.0f, 0.0f, 0.0f};
  const GLfloat diffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
  const GLfloat position[] = {1.0f, 1.0f, 15.0f, 1.0f};
  const GLfloat tinted[] = {0.3f, 0.1f, 0.2f, 1.0f};
  const GLfloat direction[] = {-0.5f, 0.5f, 1.0f, 0.0f};
  // A projection wide enough that no point is clipped: it plays no part in
  // lighting.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-100, 100, -100, 100, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  Lighting lighting;
  // The game's light placed under the identity; a second, directional one
  // under a rotation, with an ambient part, for the general case.
  glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT1, GL_POSITION, position);
  lighting.setAmbient(1, ambient), lighting.setDiffuse(1, diffuse);
  lighting.setPosition(1, position, Matrix::identity());
  glPushMatrix();
  glRotatef(30.0f, 0.0f, 1.0f, 0.0f);
  glLightfv(GL_LIGHT2, GL_AMBIENT, tinted);
  glLightfv(GL_LIGHT2, GL_DIFFUSE, tinted);
  glLightfv(GL_LIGHT2, GL_POSITION, direction);
  lighting.setAmbient(2, tinted), lighting.setDiffuse(2, tinted);
  lighting.setPosition(2, direction, Matrix::rotation(30.0f, 0.0f, 1.0f, 0.0f));
  glPopMatrix();
  const std::vector<LitVertex> vertices = {{{0, 0, 1}, {0, 0, 1}, {1, 1, 1, 1}},
                                           {{3, -2, 1}, {0, 0, 1}, {0.5f, 0.2f, 0.9f, 0.5f}},
                                           {{-4, 4, 2}, {0, 0, 3}, {1, 1, 1, 1}},
                                           {{-4, 4, 2}, {0, 0, 0.2f}, {1, 1, 1, 1}},
                                           {{2, 2, 1.5f}, {0.7f, 0, 0.7f}, {0.8f, 0.6f, 0.4f, 1}},
                                           {{2, 2, 1.5f}, {0, 0, -1}, {0.8f, 0.6f, 0.4f, 1}},
                                           {{-6, -5, 0.5f}, {-1, 1, 2}, {1, 0.2f, 0.2f, 0.75f}}};
  // Each modelview: the camera alone, a scaled one (normals grow), a rotated one.
  const std::vector<std::function<void()>> realTransforms = {
      [] { glTranslated(-0.5, 0.0, -15.0); },
      [] { glTranslated(0.0, 0.0, -20.0), glScalef(2.0f, 2.0f, 0.5f); },
      [] { glTranslated(1.0, -1.0, -12.0), glRotatef(40.0f, 1.0f, 1.0f, 0.0f); }};
  const std::vector<Matrix> layerTransforms = {
      Matrix::translation(-0.5f, 0.0f, -15.0f),
      Matrix::translation(0.0f, 0.0f, -20.0f) * Matrix::scaling(2.0f, 2.0f, 0.5f),
      Matrix::translation(1.0f, -1.0f, -12.0f) * Matrix::rotation(40.0f, 1.0f, 1.0f, 0.0f)};
  for (bool secondLight : {false, true}) {
    for (bool colourMaterial : {true, false}) {
      for (std::size_t t = 0; t < realTransforms.size(); ++t) {
        glLoadIdentity();
        realTransforms[t]();
        glEnable(GL_LIGHTING), glEnable(GL_LIGHT1);
        secondLight ? glEnable(GL_LIGHT2) : glDisable(GL_LIGHT2);
        colourMaterial ? glEnable(GL_COLOR_MATERIAL) : glDisable(GL_COLOR_MATERIAL);
        lighting.setEnabled(1, true), lighting.setEnabled(2, secondLight);
        const std::vector<Colour> real = realLitColours([&] {
          glBegin(GL_POINTS);
          for (const LitVertex &v : vertices) {
            glColor4f(v.colour.r, v.colour.g, v.colour.b, v.colour.a);
            glNormal3f(v.normal[0], v.normal[1], v.normal[2]);
            glVertex3f(v.position[0], v.position[1], v.position[2]);
          }
          glEnd();
        });
        glDisable(GL_LIGHTING), glDisable(GL_LIGHT1), glDisable(GL_LIGHT2);
        glDisable(GL_COLOR_MATERIAL);
        ASSERT_EQ(real.size(), vertices.size());
        const Matrix &modelview = layerTransforms[t];
        const std::array<float, 9> n = modelview.normalMatrix();
        for (std::size_t i = 0; i < vertices.size(); ++i) {
          const LitVertex &v = vertices[i];
          const Vector4 eye =
              modelview.transform({v.position[0], v.position[1], v.position[2], 1.0f});
          const std::array<float, 3> normal{
              n[0] * v.normal[0] + n[1] * v.normal[1] + n[2] * v.normal[2],
              n[3] * v.normal[0] + n[4] * v.normal[1] + n[5] * v.normal[2],
              n[6] * v.normal[0] + n[7] * v.normal[1] + n[8] * v.normal[2]};
          if (colourMaterial) {
            lighting.setMaterialColour(v.colour);
          }
          const Colour layer = lighting.shade(eye, normal);
          const std::string where = "vertex " + std::to_string(i) + ", modelview " +
                                    std::to_string(t) + (secondLight ? ", two lights" : "") +
                                    (colourMaterial ? ", colour material" : "");
          EXPECT_NEAR(layer.r, real[i].r, 2e-5f) << where;
          EXPECT_NEAR(layer.g, real[i].g, 2e-5f) << where;
          EXPECT_NEAR(layer.b, real[i].b, 2e-5f) << where;
          EXPECT_NEAR(layer.a, real[i].a, 2e-5f) << where;
        }
      }
    }
  }
  glLoadIdentity();
}

PixelImage realLevel(int level, int components) {
  GLint width = 0, height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
  PixelImage image{width, height, components, {}};
  image.pixels.resize(static_cast<std::size_t>(width) * height * components);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, level, components == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE,
                image.pixels.data());
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  return image;
}

PixelImage noiseImage(int width, int height, int components, unsigned seed) {
  std::mt19937 random(seed);
  PixelImage image{width, height, components, {}};
  for (int i = 0; i < width * height * components; ++i) {
    image.pixels.push_back(static_cast<unsigned char>(random() & 0xFF));
  }
  return image;
}

// GLU's levels as the GL holds them, against the layer's, texel for texel:
// square and oblong images, three and four components (three widened to four
// are opaque), and the game's own mipmapped ground as it loads (a 32-bit
// image keeps three components).
TEST_F(GlTest, MipmapsEqualGlusTexelForTexel) {
  struct Case {
    PixelImage image;
    int keptComponents;
  };
  std::vector<Case> cases = {{noiseImage(64, 64, 3, 1), 3}, {noiseImage(32, 32, 4, 2), 3},
                             {noiseImage(16, 4, 4, 3), 4},  {noiseImage(2, 32, 3, 4), 3},
                             {noiseImage(1, 8, 3, 5), 3},   {noiseImage(8, 4, 3, 6), 4}};
  for (const char *file : {"Data/Ground.tga", "Data/Vase.tga"}) {
    std::ifstream in(std::string(PICKRPG_SOURCE_DIR) + "/" + file, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    Texture image;
    ASSERT_TRUE(decodeTga(image, bytes.data(), bytes.size())) << file;
    const int components = static_cast<int>(image.bitsPerPixel / 8);
    cases.push_back({{static_cast<int>(image.width), static_cast<int>(image.height), components,
                      image.imageData},
                     3});
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  for (const Case &c : cases) {
    const GLenum format = c.image.components == 4 ? GL_RGBA : GL_RGB;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    ASSERT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, c.keptComponents, c.image.width, c.image.height,
                                format, GL_UNSIGNED_BYTE, c.image.pixels.data()),
              0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const std::vector<PixelImage> levels = buildMipmaps(keepComponents(c.image, c.keptComponents));
    for (std::size_t level = 0; level < levels.size(); ++level) {
      const PixelImage real = realLevel(static_cast<int>(level), c.keptComponents);
      EXPECT_EQ(levels[level].width, real.width);
      EXPECT_EQ(levels[level].height, real.height);
      EXPECT_EQ(levels[level].pixels, real.pixels)
          << c.image.width << "x" << c.image.height << " level " << level;
    }
  }
  glDeleteTextures(1, &name);
}

// A planar quad in world space under one name.
struct NamedQuad {
  std::uint32_t name;
  std::array<Vector4, 4> corners;
};

// Parallelograms of all orientations around the view, some crossing the
// near plane or behind the eye, some facing away.
std::vector<NamedQuad> scatteredQuads(unsigned seed, int count) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> place(-9.0f, 9.0f), depth(-25.0f, 16.0f), edge(-4.0f, 4.0f);
  std::vector<NamedQuad> quads;
  for (int i = 0; i < count; ++i) {
    const Vector4 centre{place(random), place(random), depth(random), 1.0f};
    const Vector4 a{edge(random), edge(random), edge(random) * 0.5f, 0.0f};
    const Vector4 b{edge(random), edge(random), edge(random) * 0.5f, 0.0f};
    auto corner = [&](float u, float v) {
      return Vector4{centre.x + u * a.x + v * b.x, centre.y + u * a.y + v * b.y,
                     centre.z + u * a.z + v * b.z, 1.0f};
    };
    quads.push_back({static_cast<std::uint32_t>(100 + i),
                     {corner(-1, -1), corner(1, -1), corner(1, 1), corner(-1, 1)}});
  }
  return quads;
}

struct SelectionRun {
  GLint hits = 0;
  std::vector<GLuint> buffer;
};

struct PickView {
  double x, y;
  bool perspective;
  bool cullBackFaces;
};

Matrix viewProjection(const PickView &view) {
  MatrixStack projection(2);
  for (const Matrix &step : Matrix::pick(view.x, view.y, 1.0, 1.0, VIEWPORT)) {
    projection.multiply(step);
  }
  projection.multiply(view.perspective ? Matrix::perspective(45.0, 1024.0 / 768, 0.1, 100)
                                       : Matrix::ortho(-12.0f, 12.0f, -9.0f, 9.0f, -20.0f, 20.0f));
  return projection.top() * Matrix::translation(-0.5f, 0.0f, -15.0f);
}

// Names nest two deep for every fourth quad, so records carry stacks.
template <typename Push, typename Pop, typename Load>
void nameQuad(std::size_t index, std::uint32_t name, Push push, Pop pop, Load load) {
  if (index % 4 == 3) {
    push(name + 1000);
  } else if (index % 4 == 0 && index > 0) {
    pop();
  }
  load(name);
}

SelectionRun realSelection(const std::vector<NamedQuad> &quads, const PickView &view, int size) {
  SelectionRun run;
  run.buffer.assign(std::max(size, 1), 0xDEADBEEF);
  GLint viewport[4] = {VIEWPORT[0], VIEWPORT[1], VIEWPORT[2], VIEWPORT[3]};
  glSelectBuffer(size, run.buffer.data());
  glRenderMode(GL_SELECT);
  glInitNames();
  glPushName(0);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPickMatrix(view.x, view.y, 1.0, 1.0, viewport);
  view.perspective ? gluPerspective(45.0, 1024.0 / 768, 0.1, 100)
                   : glOrtho(-12.0, 12.0, -9.0, 9.0, -20.0, 20.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslated(-0.5, 0.0, -15.0);
  view.cullBackFaces ? glEnable(GL_CULL_FACE) : glDisable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  for (std::size_t i = 0; i < quads.size(); ++i) {
    nameQuad(
        i, quads[i].name, [](GLuint n) { glPushName(n); }, [] { glPopName(); },
        [](GLuint n) { glLoadName(n); });
    glBegin(GL_QUADS);
    for (const Vector4 &c : quads[i].corners) {
      glVertex3f(c.x, c.y, c.z);
    }
    glEnd();
  }
  run.hits = glRenderMode(GL_RENDER);
  glDisable(GL_CULL_FACE);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  return run;
}

SelectionRun layerSelection(const std::vector<NamedQuad> &quads, const PickView &view, int size) {
  SelectionRun run;
  run.buffer.assign(std::max(size, 1), 0xDEADBEEF);
  SelectionBuffer selection;
  selection.setBuffer(size, run.buffer.data());
  selection.begin();
  selection.initNames();
  selection.pushName(0);
  const Matrix toClip = viewProjection(view);
  // The layer's stack has no pop of names: the GL's pop is a load of the
  // name below, here re-pushed as the stack held it.
  std::vector<std::uint32_t> stack{0};
  for (std::size_t i = 0; i < quads.size(); ++i) {
    nameQuad(
        i, quads[i].name,
        [&](std::uint32_t n) {
          selection.pushName(n);
          stack.push_back(n);
        },
        [&] {
          stack.pop_back();
          selection.initNames();
          for (std::uint32_t n : stack) {
            selection.pushName(n);
          }
        },
        [&](std::uint32_t n) {
          selection.loadName(n);
          stack.back() = n;
        });
    Vector4 clip[4];
    for (int c = 0; c < 4; ++c) {
      clip[c] = toClip.transform(quads[i].corners[c]);
    }
    selection.addQuad(clip, view.cullBackFaces ? CullMode::Back : CullMode::None);
  }
  run.hits = selection.end();
  return run;
}

void expectSameRecords(const SelectionRun &real, const SelectionRun &layer, int size,
                       const std::string &where) {
  ASSERT_EQ(layer.hits, real.hits) << where;
  const int written = std::min<int>(size, static_cast<int>(real.buffer.size()));
  for (int i = 0, record = 0; i < written && record < std::max(real.hits, 0) + 1; ++record) {
    const GLuint names = real.buffer[i];
    EXPECT_EQ(layer.buffer[i], names) << where << ", record " << record;
    for (int depth = 1; depth <= 2 && i + depth < written; ++depth) {
      EXPECT_NEAR(static_cast<double>(layer.buffer[i + depth]), real.buffer[i + depth],
                  1e-4 * 4294967295.0)
          << where << ", record " << record;
    }
    for (GLuint n = 0; n < names && i + 3 + static_cast<int>(n) < written; ++n) {
      EXPECT_EQ(layer.buffer[i + 3 + n], real.buffer[i + 3 + n]) << where << ", record " << record;
    }
    i += 3 + static_cast<int>(names);
  }
}

// Pick points over the whole viewport, in perspective and orthographic
// views, with and without back-face culling: the same records in the same
// order, and the same depths within a ten-thousandth of the range.
TEST_F(GlTest, SoftwareSelectionWritesTheRealRecords) {
  const std::vector<NamedQuad> quads = scatteredQuads(7, 60);
  std::mt19937 random(11);
  std::uniform_real_distribution<double> across(0.0, TEST_WIDTH), down(0.0, TEST_HEIGHT);
  int hitsSeen = 0;
  for (int point = 0; point < 300; ++point) {
    const PickView view{std::floor(across(random)), std::floor(down(random)) + 0.5, point % 3 != 0,
                        point % 2 == 0};
    const SelectionRun real = realSelection(quads, view, 4096);
    const SelectionRun layer = layerSelection(quads, view, 4096);
    expectSameRecords(real, layer, 4096, "point " + std::to_string(point));
    hitsSeen += real.hits;
  }
  // The scene is busy enough to test anything at all.
  EXPECT_GT(hitsSeen, 300);
}

// A buffer too small for the records: -1 from both, and what fitted is the
// same. A buffer of exactly the records' size is not an overflow.
TEST_F(GlTest, SoftwareSelectionOverflowsLikeTheRealOne) {
  const std::vector<NamedQuad> quads = scatteredQuads(7, 60);
  const PickView busy{512.0, 384.0, true, false};
  const SelectionRun full = realSelection(quads, busy, 4096);
  ASSERT_GT(full.hits, 2);
  int needed = 0;
  for (GLint h = 0; h < full.hits; ++h) {
    needed += 3 + static_cast<int>(full.buffer[needed]);
  }
  for (int size : {1, 3, 4, needed / 2, needed - 1, needed}) {
    const SelectionRun real = realSelection(quads, busy, size);
    const SelectionRun layer = layerSelection(quads, busy, size);
    EXPECT_EQ(real.hits, size < needed ? -1 : full.hits) << size;
    expectSameRecords(real, layer, size, "buffer of " + std::to_string(size));
  }
}

} // namespace
