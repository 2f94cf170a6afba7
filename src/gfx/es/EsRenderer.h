#pragma once
// The only part of the layer that speaks OpenGL ES 2 (with ShaderProgram):
// one shader pair that draws triangles whose vertices arrive already
// transformed to clip space and already lit, with the texture modulating the
// colour. A frame's vertices go to the GPU in one upload and are drawn in
// ranges, each under its own state. Nothing else in the layer includes the
// ES headers.

#include "gfx/es/DrawState.h"
#include "gfx/es/Mipmaps.h"
#include "gfx/es/ShaderProgram.h"

#include <cstdint>
#include <string>
#include <vector>

struct EsVertex {
  float position[4];
  float colour[4];
  float texCoord[2];
};

class EsRenderer {
public:
  // False, drawing nothing, when the shaders cannot be built (see
  // failureLog()); they are not tried again until restore().
  bool draw(const std::vector<EsVertex> &vertices, const std::vector<DrawRange> &ranges);

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

  // The context came back without the program, buffer and textures it had:
  // builds the program and buffer again. False when the shaders fail.
  bool restore();
  // The driver's log of the last shader that failed; empty when none did.
  const std::string &failureLog() const { return shaders.failureLog(); }

private:
  ShaderProgram shaders;
  bool shadersFailed = false;
  std::uint32_t vertexBuffer = 0;
  int texturedLocation = -1;
  std::uint32_t boundTexture = 0;
  bool haveAppliedState = false;
  DrawState applied;

  bool prepare();
  void apply(const DrawState &state);
  void bind(std::uint32_t texture);
};
