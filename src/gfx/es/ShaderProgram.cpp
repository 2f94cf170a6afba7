#include "gfx/es/ShaderProgram.h"

#include <GLES2/gl2.h>

#include <vector>

namespace {

template <typename Query, typename Read>
std::string driverLog(GLuint object, Query query, Read read) {
  GLint length = 0;
  query(object, GL_INFO_LOG_LENGTH, &length);
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  read(object, static_cast<GLsizei>(text.size()), nullptr, text.data());
  return text.data();
}

} // namespace

bool ShaderProgram::build(const char *vertexSource, const char *fragmentSource,
                          std::initializer_list<const char *> attributes) {
  program = 0;
  const GLuint vertex = compile(GL_VERTEX_SHADER, vertexSource, "vertex");
  const GLuint fragment = vertex != 0 ? compile(GL_FRAGMENT_SHADER, fragmentSource, "fragment") : 0;
  if (vertex != 0 && fragment != 0) {
    program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    GLuint location = 0;
    for (const char *attribute : attributes) {
      glBindAttribLocation(program, location++, attribute);
    }
    glLinkProgram(program);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
      log = "The shaders did not link: " + driverLog(program, glGetProgramiv, glGetProgramInfoLog);
      glDeleteProgram(program);
      program = 0;
    }
  }
  // The program keeps what it needs; the shaders go with it.
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  return program != 0;
}

std::uint32_t ShaderProgram::compile(std::uint32_t kind, const char *source, const char *what) {
  const GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint compiled = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (compiled == GL_TRUE) {
    return shader;
  }
  log = std::string("The ") + what +
        " shader did not compile: " + driverLog(shader, glGetShaderiv, glGetShaderInfoLog);
  glDeleteShader(shader);
  return 0;
}
