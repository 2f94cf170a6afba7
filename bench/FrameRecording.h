#pragma once
// The GL calls of one game frame, in the order the game issued them, and
// their replay with no game code in between: the same quads, textures,
// colours, matrices and states, straight from a flat list.

#include "gfx/Gl.h"

#include <cstdint>
#include <string>
#include <vector>

enum class GlOp : std::uint8_t {
  Clear,
  Viewport,
  MatrixMode,
  LoadIdentity,
  Perspective,
  Translated,
  Rotatef,
  PushMatrix,
  PopMatrix,
  Ortho,
  BindTexture,
  Begin,
  End,
  Normal3f,
  TexCoord2f,
  Vertex3f,
  Vertex2f,
  Vertex2i,
  Color3f,
  Color4f,
  ListBase,
  CallLists,
  Flush,
  LoadName,
  Enable,
  Disable,
};

// One call: small arguments inline, doubles and call-list bytes in the
// recording's side arrays at offset extra.
struct GlCall {
  GlOp op;
  std::uint32_t extra;
  union {
    GLfloat f[4];
    GLint i[4];
    GLuint u[4];
  } arg;
};

class FrameRecording {
public:
  void clear();
  void addFloats(GlOp op, GLfloat a = 0, GLfloat b = 0, GLfloat c = 0, GLfloat d = 0);
  void addInts(GlOp op, GLint a = 0, GLint b = 0, GLint c = 0, GLint d = 0);
  void addDoubles(GlOp op, const GLdouble *values, int count);
  // Call lists named by unsigned bytes, the only kind the game issues.
  void addByteLists(GLsizei count, const void *lists);
  // A call the replay cannot issue; a recording holding one is not faithful.
  void addUnreplayed(const char *name);

  // Issues every recorded call again, in order, straight to the GL.
  void replay() const;

  std::size_t size() const { return calls.size(); }
  std::size_t countOf(GlOp op) const;
  // Texture binds that rebind the texture already bound.
  std::size_t redundantBinds() const;
  const std::vector<std::string> &unreplayedCalls() const { return unreplayed; }
  bool sameCallsAs(const FrameRecording &other) const;

private:
  std::vector<GlCall> calls;
  std::vector<GLdouble> doubles;
  std::vector<unsigned char> bytes;
  std::vector<std::string> unreplayed;
};
