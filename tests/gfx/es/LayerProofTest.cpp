// What only the ES layer has: its shaders' failures reported with the
// driver's log. Its drawing and picking are proven against the real OpenGL
// in ReferenceProofTest.

#include "HeadlessContext.h"

#include "gfx/es/ShaderProgram.h"

#include <gtest/gtest.h>

#include <string>

// A shader the driver rejects leaves the driver's own words, after saying
// which step failed; one it takes leaves no log.
TEST(LayerProof, ShaderFailuresKeepTheDriversLog) {
  ASSERT_TRUE(makeTestContextCurrent()) << "no headless OpenGL ES 2 context (Mesa EGL)";
  const char *vertex = "attribute vec4 p; void main() { gl_Position = p; }";
  const char *fragment = "precision mediump float; void main() { gl_FragColor = vec4(1.0); }";
  // The vertex shader, the fragment shader, and how the log begins.
  const char *const cases[][3] = {
      {vertex, fragment, ""},
      {"void main() { gl_Position = undeclared; }", fragment,
       "The vertex shader did not compile: "},
      {vertex, "void main() { gl_FragColor = vec4(1.0) }", "The fragment shader did not compile: "},
      {vertex, "precision mediump float; varying vec4 c; void main() { gl_FragColor = c; }",
       "The shaders did not link: "}};
  for (const auto &[vertexSource, fragmentSource, begins] : cases) {
    const std::string says = begins;
    ShaderProgram program;
    EXPECT_EQ(program.build(vertexSource, fragmentSource, {"p"}), says.empty()) << says;
    const std::string &log = program.failureLog();
    EXPECT_EQ(log.substr(0, says.size()), says) << log;
    EXPECT_EQ(log.size() > says.size(), !says.empty()) << "no driver's log: " << log;
  }
}
