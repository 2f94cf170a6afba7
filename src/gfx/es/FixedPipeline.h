#pragma once
// The state machine behind the layer's OpenGL 1.1 calls. Vertices are
// transformed and lit here, on the processor, as the fixed pipeline does per
// vertex; in render mode the lit quads collect into the frame's triangles, in
// ranges by drawing state, which the ES renderer draws at once when something
// outside them must follow (a clear, a flush, a texture change); in
// selection mode they go to the software selection buffer instead. Every
// texture keeps its images, so that a context lost and found again gets them
// back under the names the game holds.

#include "gfx/es/DisplayLists.h"
#include "gfx/es/EsRenderer.h"
#include "gfx/es/Gl11.h"
#include "gfx/es/Lighting.h"
#include "gfx/es/MatrixStack.h"
#include "gfx/es/SelectionBuffer.h"

#include <array>
#include <map>
#include <vector>

class FixedPipeline {
public:
  FixedPipeline();

  void begin(GLenum mode);
  void end();
  void vertex(float x, float y, float z);
  void colour(float r, float g, float b, float a);
  void normal(float x, float y, float z) { currentNormal = {x, y, z}; }
  void texCoord(float s, float t) { currentTexCoord = {s, t}; }

  void matrixMode(GLenum mode);
  void loadMatrix(const Matrix &matrix);
  void multiplyMatrix(const Matrix &matrix);
  void pushMatrix();
  void popMatrix();
  void viewport(GLint x, GLint y, GLsizei width, GLsizei height);

  void setCapability(GLenum capability, bool enabled);
  void light(GLenum light, GLenum name, const GLfloat *params);
  void blendFunction(GLenum source, GLenum destination);
  void depthFunction(GLenum function);
  void cullFace(GLenum mode);
  void clearColour(float r, float g, float b, float a);
  void clearDepth(float depth);
  void clear(GLbitfield mask);
  void flush();
  void finish();

  void generateTextures(GLsizei count, GLuint *names);
  void deleteTextures(GLsizei count, const GLuint *names);
  void bindTexture(GLenum target, GLuint name);
  void textureParameter(GLenum target, GLenum name, GLint value);
  void textureImage(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                    GLint border, GLenum format, GLenum type, const GLvoid *pixels);
  GLint buildMipmaps(GLenum target, GLint components, GLsizei width, GLsizei height, GLenum format,
                     GLenum type, const void *pixels);

  DisplayLists &displayLists() { return lists; }
  void newList(GLuint list, GLenum mode);
  void endList();
  void listBase(GLuint base) { currentListBase = base; }
  void callLists(GLsizei count, GLenum type, const GLvoid *names);

  void selectBuffer(GLsizei size, GLuint *buffer);
  GLint renderMode(GLenum mode);
  void initNames();
  void pushName(GLuint name);
  void loadName(GLuint name);

  void getIntegerv(GLenum name, GLint *values);
  void getFloatv(GLenum name, GLfloat *values);
  GLenum takeError();
  void readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                  GLvoid *pixels);

  bool restoreGpuObjects();
  const char *gpuFailureLog() const { return renderer.failureLog().c_str(); }

private:
  struct TextureRecord {
    std::uint32_t esTexture = 0;
    std::vector<PixelImage> levels; // 0 x 0: no image at that level
    GLenum minFilter = GL_NEAREST_MIPMAP_LINEAR;
    GLenum magFilter = GL_LINEAR;

    bool isComplete() const;
  };

  MatrixStack modelview;
  MatrixStack projection;
  GLenum currentMatrixMode = GL_MODELVIEW;
  std::array<GLint, 4> viewportBox{0, 0, 0, 0};

  Colour currentColour;
  std::array<float, 3> currentNormal{0.0f, 0.0f, 1.0f};
  std::array<float, 2> currentTexCoord{0.0f, 0.0f};

  bool textureEnabled = false;
  bool lightingEnabled = false;
  bool colourMaterial = false;
  bool cullEnabled = false;
  GLenum cullMode = GL_BACK;
  DrawState state;
  Lighting lighting;

  std::map<GLuint, TextureRecord> textureRecords;
  GLuint boundTexture = 0;
  GLuint nextTextureName = 1;
  std::array<float, 4> clearColourValue{0.0f, 0.0f, 0.0f, 0.0f};
  float clearDepthValue = 1.0f;

  DisplayLists lists;
  GLuint currentListBase = 0;

  GLenum mode = GL_RENDER;
  SelectionBuffer selection;

  bool inPrimitive = false;
  int cornerCount = 0;
  std::array<Vector4, 4> clipCorners;
  std::array<EsVertex, 4> quadVertices;
  // Quads since the last change of state, bound texture or matrix, and
  // whether any needs clipping; then the triangles not drawn yet, in ranges.
  std::vector<std::array<EsVertex, 4>> segment;
  bool segmentClipped = false;
  DrawState segmentState;
  GLuint segmentTexture = 0;
  std::vector<EsVertex> frameVertices;
  std::vector<DrawRange> draws;

  // Derived from the stacks, recomputed when their versions move on.
  Matrix modelviewProjection;
  std::array<float, 9> normalMatrix{};
  unsigned derivedModelview = ~0u;
  unsigned derivedProjection = ~0u;

  GLenum error = GL_NO_ERROR;
  EsRenderer renderer;

  MatrixStack &currentStack();
  void updateDerivedMatrices();
  EsVertex shadeVertex(const Vector4 &object, const Vector4 &clip);
  void emitQuad();
  DrawState drawStateNow() const;
  void endSegment();
  void drawQueued();
  TextureRecord &makeTexture(GLuint name);
  void uploadLevel(int level, const PixelImage &image);
  void setError(GLenum newError);
};
