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

GLuint compileShader(GLenum kind, const char *source) {
  const GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint compiled = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (compiled != GL_TRUE) {
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

GLuint linkProgram() {
  const GLuint vertex = compileShader(GL_VERTEX_SHADER, VERTEX_SHADER);
  const GLuint fragment = compileShader(GL_FRAGMENT_SHADER, FRAGMENT_SHADER);
  GLuint program = 0;
  if (vertex != 0 && fragment != 0) {
    program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glBindAttribLocation(program, PositionAttribute, "position");
    glBindAttribLocation(program, ColourAttribute, "colour");
    glBindAttribLocation(program, TexCoordAttribute, "texCoord");
    glLinkProgram(program);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
      glDeleteProgram(program);
      program = 0;
    }
  }
  // The program keeps what it needs; the shaders go with it.
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  return program;
}

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

bool DrawState::operator==(const DrawState &other) const {
  return textured == other.textured && texture == other.texture && blend == other.blend &&
         blendSource == other.blendSource && blendDestination == other.blendDestination &&
         depthTest == other.depthTest && depthFunction == other.depthFunction && cull == other.cull;
}

void EsRenderer::draw(const std::vector<EsVertex> &triangles, const DrawState &state) {
  if (triangles.empty() || !prepare()) {
    return;
  }
  apply(state);
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
  // A fresh store every batch, so the driver never waits for the last draw.
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(triangles.size() * sizeof(EsVertex)),
               triangles.data(), GL_STREAM_DRAW);
  pointAttribute(PositionAttribute, 4, offsetof(EsVertex, position));
  pointAttribute(ColourAttribute, 4, offsetof(EsVertex, colour));
  pointAttribute(TexCoordAttribute, 2, offsetof(EsVertex, texCoord));
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(triangles.size()));
}

bool EsRenderer::prepare() {
  if (program == 0) {
    program = linkProgram();
    if (program == 0) {
      return false;
    }
    glGenBuffers(1, &vertexBuffer);
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "image"), 0);
    texturedLocation = glGetUniformLocation(program, "textured");
    haveAppliedState = false;
  }
  return true;
}

void EsRenderer::apply(const DrawState &state) {
  const bool all = !haveAppliedState;
  if (all || state.textured != applied.textured) {
    glUniform1f(texturedLocation, state.textured ? 1.0f : 0.0f);
  }
  if (all || state.texture != applied.texture) {
    glBindTexture(GL_TEXTURE_2D, state.texture);
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
  if (texture == applied.texture) {
    haveAppliedState = false;
  }
  glDeleteTextures(1, &texture);
}

void EsRenderer::bindForEditing(std::uint32_t texture) {
  glBindTexture(GL_TEXTURE_2D, texture);
  // The next draw binds its own texture again.
  applied.texture = texture;
}

void EsRenderer::setTextureFilters(std::uint32_t texture, std::uint32_t minFilter,
                                   std::uint32_t magFilter) {
  bindForEditing(texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(minFilter));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(magFilter));
}

void EsRenderer::uploadTextureLevel(std::uint32_t texture, int level, const PixelImage &image) {
  bindForEditing(texture);
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

void EsRenderer::forget() {
  program = 0;
  vertexBuffer = 0;
  texturedLocation = -1;
  haveAppliedState = false;
}
