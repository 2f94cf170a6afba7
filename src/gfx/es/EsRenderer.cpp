#include "gfx/es/EsRenderer.h"

#include <GLES2/gl2.h>

#include <cstddef>

namespace {

const char *const VERTEX_SHADER = R"(
attribute vec4 position;
attribute vec4 colour;
attribute vec2 texCoord;
varying vec4 vertexColour;
varying vec2 vertexTexCoord;
void main() {
  gl_Position = position;
  vertexColour = colour;
  vertexTexCoord = texCoord;
}
)";

const char *const FRAGMENT_SHADER = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D image;
uniform float textured;
varying vec4 vertexColour;
varying vec2 vertexTexCoord;
void main() {
  vec4 texel = textured > 0.5 ? texture2D(image, vertexTexCoord) : vec4(1.0);
  gl_FragColor = vertexColour * texel;
}
)";

enum Attribute : GLuint { PositionAttribute, ColourAttribute, TexCoordAttribute };

void setCapability(GLenum capability, bool enabled) {
  if (enabled) {
    glEnable(capability);
  } else {
    glDisable(capability);
  }
}

GLenum cullFace(CullMode cull) {
  switch (cull) {
  case CullMode::Front:
    return GL_FRONT;
  case CullMode::Both:
    return GL_FRONT_AND_BACK;
  default:
    return GL_BACK;
  }
}

void pointAttribute(Attribute attribute, int components, std::size_t offset) {
  glEnableVertexAttribArray(attribute);
  glVertexAttribPointer(attribute, components, GL_FLOAT, GL_FALSE, sizeof(EsVertex),
                        reinterpret_cast<const void *>(offset));
}

} // namespace

bool EsRenderer::draw(const std::vector<EsVertex> &vertices, const std::vector<DrawRange> &ranges) {
  if (vertices.empty()) {
    return true;
  }
  if (!prepare()) {
    return false;
  }
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
  // A fresh store for every frame, so the driver never waits for the last.
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(EsVertex)),
               vertices.data(), GL_STREAM_DRAW);
  for (const DrawRange &range : ranges) {
    apply(range.state);
    glDrawArrays(GL_TRIANGLES, range.first, range.count);
  }
  return true;
}

bool EsRenderer::prepare() {
  if (shaders.name() != 0) {
    return true;
  }
  if (shadersFailed ||
      !shaders.build(VERTEX_SHADER, FRAGMENT_SHADER, {"position", "colour", "texCoord"})) {
    shadersFailed = true;
    return false;
  }
  const GLuint program = shaders.name();
  glUseProgram(program);
  glUniform1i(glGetUniformLocation(program, "image"), 0);
  texturedLocation = glGetUniformLocation(program, "textured");
  glGenBuffers(1, &vertexBuffer);
  // The attributes stay pointed into this one buffer; each frame refills it.
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
  pointAttribute(PositionAttribute, 4, offsetof(EsVertex, position));
  pointAttribute(ColourAttribute, 4, offsetof(EsVertex, colour));
  pointAttribute(TexCoordAttribute, 2, offsetof(EsVertex, texCoord));
  haveAppliedState = false;
  return true;
}

bool EsRenderer::restore() {
  shaders.forget();
  shadersFailed = false;
  vertexBuffer = 0;
  texturedLocation = -1;
  boundTexture = 0;
  haveAppliedState = false;
  return prepare();
}

void EsRenderer::apply(const DrawState &state) {
  const bool all = !haveAppliedState;
  if (all || state.textured != applied.textured) {
    glUniform1f(texturedLocation, state.textured ? 1.0f : 0.0f);
  }
  // Untextured triangles sample nothing: whatever is bound may stay.
  if (state.textured && state.texture != boundTexture) {
    bind(state.texture);
  }
  if (all || state.blend != applied.blend) {
    setCapability(GL_BLEND, state.blend);
  }
  if (all || state.blendSource != applied.blendSource ||
      state.blendDestination != applied.blendDestination) {
    glBlendFunc(state.blendSource, state.blendDestination);
  }
  if (all || state.depthTest != applied.depthTest) {
    setCapability(GL_DEPTH_TEST, state.depthTest);
  }
  if (all || state.depthFunction != applied.depthFunction) {
    glDepthFunc(state.depthFunction);
  }
  if (all || state.cull != applied.cull) {
    setCapability(GL_CULL_FACE, state.cull != CullMode::None);
    glCullFace(cullFace(state.cull));
  }
  applied = state;
  haveAppliedState = true;
}

std::uint32_t EsRenderer::createTexture() {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  return texture;
}

void EsRenderer::deleteTexture(std::uint32_t texture) {
  // Deleting the bound texture binds the default one.
  if (texture == boundTexture) {
    boundTexture = 0;
  }
  glDeleteTextures(1, &texture);
}

void EsRenderer::bind(std::uint32_t texture) {
  glBindTexture(GL_TEXTURE_2D, texture);
  boundTexture = texture;
}

void EsRenderer::setTextureFilters(std::uint32_t texture, std::uint32_t minFilter,
                                   std::uint32_t magFilter) {
  bind(texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(minFilter));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(magFilter));
}

void EsRenderer::uploadTextureLevel(std::uint32_t texture, int level, const PixelImage &image) {
  bind(texture);
  const GLenum format = image.components == 4 ? GL_RGBA : GL_RGB;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, level, static_cast<GLint>(format), image.width, image.height, 0,
               format, GL_UNSIGNED_BYTE, image.pixels.data());
}

void EsRenderer::setViewport(int x, int y, int width, int height) {
  glViewport(x, y, width, height);
}

void EsRenderer::setClearColour(float r, float g, float b, float a) {
  glClearColor(r, g, b, a);
}

void EsRenderer::setClearDepth(float depth) {
  glClearDepthf(depth);
}

void EsRenderer::clear(std::uint32_t mask) {
  glClear(mask);
}

void EsRenderer::flush() {
  glFlush();
}

void EsRenderer::finish() {
  glFinish();
}

void EsRenderer::readPixels(int x, int y, int width, int height, std::uint32_t format,
                            std::uint32_t type, void *pixels) {
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(x, y, width, height, format, type, pixels);
}

std::uint32_t EsRenderer::takeError() {
  return glGetError();
}
