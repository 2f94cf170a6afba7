#include "FrameRecording.h"

#include "RealGl.h"

#include <algorithm>
#include <cstring>

void FrameRecording::clear() {
  calls.clear();
  doubles.clear();
  bytes.clear();
  unreplayed.clear();
}

void FrameRecording::addFloats(GlOp op, GLfloat a, GLfloat b, GLfloat c, GLfloat d) {
  GlCall call{op, 0, {}};
  call.arg.f[0] = a;
  call.arg.f[1] = b;
  call.arg.f[2] = c;
  call.arg.f[3] = d;
  calls.push_back(call);
}

void FrameRecording::addInts(GlOp op, GLint a, GLint b, GLint c, GLint d) {
  GlCall call{op, 0, {}};
  call.arg.i[0] = a;
  call.arg.i[1] = b;
  call.arg.i[2] = c;
  call.arg.i[3] = d;
  calls.push_back(call);
}

void FrameRecording::addDoubles(GlOp op, const GLdouble *values, int count) {
  GlCall call{op, static_cast<std::uint32_t>(doubles.size()), {}};
  doubles.insert(doubles.end(), values, values + count);
  calls.push_back(call);
}

void FrameRecording::addByteLists(GLsizei count, const void *lists) {
  GlCall call{GlOp::CallLists, static_cast<std::uint32_t>(bytes.size()), {}};
  call.arg.i[0] = count;
  const auto *first = static_cast<const unsigned char *>(lists);
  bytes.insert(bytes.end(), first, first + count);
  calls.push_back(call);
}

void FrameRecording::addUnreplayed(const char *name) {
  unreplayed.emplace_back(name);
}

void FrameRecording::replay() const {
  for (const GlCall &call : calls) {
    const GLfloat *f = call.arg.f;
    const GLint *i = call.arg.i;
    const GLuint *u = call.arg.u;
    const GLdouble *d = doubles.data() + call.extra;
    switch (call.op) {
    case GlOp::Clear:
      __real_glClear(u[0]);
      break;
    case GlOp::Viewport:
      __real_glViewport(i[0], i[1], i[2], i[3]);
      break;
    case GlOp::MatrixMode:
      __real_glMatrixMode(u[0]);
      break;
    case GlOp::LoadIdentity:
      __real_glLoadIdentity();
      break;
    case GlOp::Perspective:
      __real_gluPerspective(d[0], d[1], d[2], d[3]);
      break;
    case GlOp::Translated:
      __real_glTranslated(d[0], d[1], d[2]);
      break;
    case GlOp::Rotatef:
      __real_glRotatef(f[0], f[1], f[2], f[3]);
      break;
    case GlOp::PushMatrix:
      __real_glPushMatrix();
      break;
    case GlOp::PopMatrix:
      __real_glPopMatrix();
      break;
    case GlOp::Ortho:
      __real_glOrtho(d[0], d[1], d[2], d[3], d[4], d[5]);
      break;
    case GlOp::BindTexture:
      __real_glBindTexture(u[0], u[1]);
      break;
    case GlOp::Begin:
      __real_glBegin(u[0]);
      break;
    case GlOp::End:
      __real_glEnd();
      break;
    case GlOp::Normal3f:
      __real_glNormal3f(f[0], f[1], f[2]);
      break;
    case GlOp::TexCoord2f:
      __real_glTexCoord2f(f[0], f[1]);
      break;
    case GlOp::Vertex3f:
      __real_glVertex3f(f[0], f[1], f[2]);
      break;
    case GlOp::Vertex2f:
      __real_glVertex2f(f[0], f[1]);
      break;
    case GlOp::Vertex2i:
      __real_glVertex2i(i[0], i[1]);
      break;
    case GlOp::Color3f:
      __real_glColor3f(f[0], f[1], f[2]);
      break;
    case GlOp::Color4f:
      __real_glColor4f(f[0], f[1], f[2], f[3]);
      break;
    case GlOp::ListBase:
      __real_glListBase(u[0]);
      break;
    case GlOp::CallLists:
      __real_glCallLists(i[0], GL_UNSIGNED_BYTE, bytes.data() + call.extra);
      break;
    case GlOp::Flush:
      __real_glFlush();
      break;
    case GlOp::LoadName:
      __real_glLoadName(u[0]);
      break;
    case GlOp::Enable:
      __real_glEnable(u[0]);
      break;
    case GlOp::Disable:
      __real_glDisable(u[0]);
      break;
    }
  }
}

std::size_t FrameRecording::countOf(GlOp op) const {
  return static_cast<std::size_t>(std::count_if(
      calls.begin(), calls.end(), [op](const GlCall &call) { return call.op == op; }));
}

std::size_t FrameRecording::redundantBinds() const {
  std::size_t redundant = 0;
  bool anyBound = false;
  GLuint bound = 0;
  for (const GlCall &call : calls) {
    if (call.op != GlOp::BindTexture) {
      continue;
    }
    if (anyBound && call.arg.u[1] == bound) {
      ++redundant;
    }
    anyBound = true;
    bound = call.arg.u[1];
  }
  return redundant;
}

bool FrameRecording::sameCallsAs(const FrameRecording &other) const {
  auto sameCall = [](const GlCall &a, const GlCall &b) {
    return a.op == b.op && a.extra == b.extra && std::memcmp(&a.arg, &b.arg, sizeof a.arg) == 0;
  };
  return std::equal(calls.begin(), calls.end(), other.calls.begin(), other.calls.end(), sameCall) &&
         doubles == other.doubles && bytes == other.bytes && unreplayed == other.unreplayed;
}
