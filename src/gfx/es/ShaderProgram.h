#pragma once
// One vertex and one fragment shader linked into an OpenGL ES 2 program,
// with the driver's log when either fails, so that a driver that rejects
// them says why.

#include <cstdint>
#include <initializer_list>
#include <string>

class ShaderProgram {
public:
  // Compiles both shaders and links them, the attributes bound to locations
  // 0, 1, ... in the order given. False when a shader does not compile or
  // the program does not link; failureLog() then says which and holds what
  // the driver said.
  bool build(const char *vertexSource, const char *fragmentSource,
             std::initializer_list<const char *> attributes);
  std::uint32_t name() const { return program; }
  const std::string &failureLog() const { return log; }
  // The context that held the program is gone: the name means nothing now.
  void forget() { program = 0; }

private:
  std::uint32_t program = 0;
  std::string log;

  std::uint32_t compile(std::uint32_t kind, const char *source, const char *what);
};
