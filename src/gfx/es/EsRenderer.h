#pragma once
// The only part of the layer that speaks OpenGL ES 2: one shader pair that
// draws triangles whose vertices arrive already transformed to clip space
// and already lit, with the texture modulating the colour, and the state a
// batch is drawn under. Nothing else in the layer includes the ES headers.

#include "gfx/es/Mipmaps.h"
#include "gfx/es/SelectionBuffer.h"

#include <cstdint>
#include <vector>

struct EsVertex {
  float position[4];
  float colour[4];
  float texCoord[2];
};

// What a batch of triangles is drawn under. GL enum values are the same in
// OpenGL 1.1 and ES 2 for everything here.
struct DrawState {
  bool textured = false;
  std::uint32_t texture = 0;
  bool blend = false;
  std::uint32_t blendSource = 1;      // GL_ONE
  std::uint32_t blendDestination = 0; // GL_ZERO
  bool depthTest = false;
  std::uint32_t depthFunction = 0x0201; // GL_LESS
  CullMode cull = CullMode::None;

  bool operator==(const DrawState &other) const;
  bool operator!=(const DrawState &other) const { return !(*this == other); }
};

class EsRenderer {
public:
  void draw(const std::vector<EsVertex> &triangles, const DrawState &state);

  std::uint32_t createTexture();
  void deleteTexture(std::uint32_t texture);
  void setTextureFilters(std::uint32_t texture, std::uint32_t minFilter, std::uint32_t magFilter);
  // Tightly packed RGB or RGBA texels.
  void uploadTextureLevel(std::uint32_t texture, int level, const PixelImage &image);

  void setViewport(int x, int y, int width, int height);
  void setClearColour(float r, float g, float b, float a);
  void setClearDepth(float depth);
  void clear(std::uint32_t mask);
  void flush();
  void finish();
  void readPixels(int x, int y, int width, int height, std::uint32_t format, std::uint32_t type,
                  void *pixels);
  std::uint32_t takeError();

  // The context is gone: its program and buffer with it.
  void forget();

private:
  std::uint32_t program = 0;
  std::uint32_t vertexBuffer = 0;
  int texturedLocation = -1;
  bool haveAppliedState = false;
  DrawState applied;

  bool prepare();
  void apply(const DrawState &state);
  void bindForEditing(std::uint32_t texture);
};
