#include "GlRecorder.h"

#include "RealGl.h"

namespace {

FrameRecording *active = nullptr;

void noteUnreplayed(const char *name) {
  if (active != nullptr) {
    active->addUnreplayed(name);
  }
}

} // namespace

void GlRecorder::start(FrameRecording &recording) {
  recording.clear();
  active = &recording;
}

void GlRecorder::stop() {
  active = nullptr;
}

// Calls the replay issues again.
extern "C" {

void __wrap_glClear(GLbitfield mask) {
  if (active != nullptr) {
    active->addInts(GlOp::Clear, static_cast<GLint>(mask));
  }
  __real_glClear(mask);
}

void __wrap_glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  if (active != nullptr) {
    active->addInts(GlOp::Viewport, x, y, width, height);
  }
  __real_glViewport(x, y, width, height);
}

void __wrap_glMatrixMode(GLenum mode) {
  if (active != nullptr) {
    active->addInts(GlOp::MatrixMode, static_cast<GLint>(mode));
  }
  __real_glMatrixMode(mode);
}

void __wrap_glLoadIdentity() {
  if (active != nullptr) {
    active->addInts(GlOp::LoadIdentity);
  }
  __real_glLoadIdentity();
}

void __wrap_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  if (active != nullptr) {
    const GLdouble values[] = {fovy, aspect, zNear, zFar};
    active->addDoubles(GlOp::Perspective, values, 4);
  }
  __real_gluPerspective(fovy, aspect, zNear, zFar);
}

void __wrap_glTranslated(GLdouble x, GLdouble y, GLdouble z) {
  if (active != nullptr) {
    const GLdouble values[] = {x, y, z};
    active->addDoubles(GlOp::Translated, values, 3);
  }
  __real_glTranslated(x, y, z);
}

void __wrap_glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  if (active != nullptr) {
    active->addFloats(GlOp::Rotatef, angle, x, y, z);
  }
  __real_glRotatef(angle, x, y, z);
}

void __wrap_glPushMatrix() {
  if (active != nullptr) {
    active->addInts(GlOp::PushMatrix);
  }
  __real_glPushMatrix();
}

void __wrap_glPopMatrix() {
  if (active != nullptr) {
    active->addInts(GlOp::PopMatrix);
  }
  __real_glPopMatrix();
}

void __wrap_glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
                    GLdouble zFar) {
  if (active != nullptr) {
    const GLdouble values[] = {left, right, bottom, top, zNear, zFar};
    active->addDoubles(GlOp::Ortho, values, 6);
  }
  __real_glOrtho(left, right, bottom, top, zNear, zFar);
}

void __wrap_glBindTexture(GLenum target, GLuint texture) {
  if (active != nullptr) {
    active->addInts(GlOp::BindTexture, static_cast<GLint>(target), static_cast<GLint>(texture));
  }
  __real_glBindTexture(target, texture);
}

void __wrap_glBegin(GLenum mode) {
  if (active != nullptr) {
    active->addInts(GlOp::Begin, static_cast<GLint>(mode));
  }
  __real_glBegin(mode);
}

void __wrap_glEnd() {
  if (active != nullptr) {
    active->addInts(GlOp::End);
  }
  __real_glEnd();
}

void __wrap_glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  if (active != nullptr) {
    active->addFloats(GlOp::Normal3f, x, y, z);
  }
  __real_glNormal3f(x, y, z);
}

void __wrap_glTexCoord2f(GLfloat s, GLfloat t) {
  if (active != nullptr) {
    active->addFloats(GlOp::TexCoord2f, s, t);
  }
  __real_glTexCoord2f(s, t);
}

void __wrap_glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (active != nullptr) {
    active->addFloats(GlOp::Vertex3f, x, y, z);
  }
  __real_glVertex3f(x, y, z);
}

void __wrap_glVertex2f(GLfloat x, GLfloat y) {
  if (active != nullptr) {
    active->addFloats(GlOp::Vertex2f, x, y);
  }
  __real_glVertex2f(x, y);
}

void __wrap_glVertex2i(GLint x, GLint y) {
  if (active != nullptr) {
    active->addInts(GlOp::Vertex2i, x, y);
  }
  __real_glVertex2i(x, y);
}

void __wrap_glColor3f(GLfloat red, GLfloat green, GLfloat blue) {
  if (active != nullptr) {
    active->addFloats(GlOp::Color3f, red, green, blue);
  }
  __real_glColor3f(red, green, blue);
}

void __wrap_glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  if (active != nullptr) {
    active->addFloats(GlOp::Color4f, red, green, blue, alpha);
  }
  __real_glColor4f(red, green, blue, alpha);
}

void __wrap_glListBase(GLuint base) {
  if (active != nullptr) {
    active->addInts(GlOp::ListBase, static_cast<GLint>(base));
  }
  __real_glListBase(base);
}

void __wrap_glCallLists(GLsizei n, GLenum type, const GLvoid *lists) {
  if (active != nullptr) {
    if (type == GL_UNSIGNED_BYTE) {
      active->addByteLists(n, lists);
    } else {
      active->addUnreplayed("glCallLists");
    }
  }
  __real_glCallLists(n, type, lists);
}

void __wrap_glFlush() {
  if (active != nullptr) {
    active->addInts(GlOp::Flush);
  }
  __real_glFlush();
}

void __wrap_glLoadName(GLuint name) {
  if (active != nullptr) {
    active->addInts(GlOp::LoadName, static_cast<GLint>(name));
  }
  __real_glLoadName(name);
}

void __wrap_glEnable(GLenum cap) {
  if (active != nullptr) {
    active->addInts(GlOp::Enable, static_cast<GLint>(cap));
  }
  __real_glEnable(cap);
}

void __wrap_glDisable(GLenum cap) {
  if (active != nullptr) {
    active->addInts(GlOp::Disable, static_cast<GLint>(cap));
  }
  __real_glDisable(cap);
}

} // extern "C"

// Calls the game makes only at start-up or while picking. Met inside a
// recording they make it unfaithful: the replay does not issue them.
#define PASS_UNREPLAYED(Return, name, parameters, arguments)                                       \
  extern "C" Return __real_##name parameters;                                                      \
  extern "C" Return __wrap_##name parameters {                                                     \
    noteUnreplayed(#name);                                                                         \
    return __real_##name arguments;                                                                \
  }

PASS_UNREPLAYED(GLint, glRenderMode, (GLenum mode), (mode))
PASS_UNREPLAYED(void, glLightfv, (GLenum light, GLenum name, const GLfloat *values),
                (light, name, values))
PASS_UNREPLAYED(void, glBlendFunc, (GLenum source, GLenum destination), (source, destination))
PASS_UNREPLAYED(void, glAlphaFunc, (GLenum function, GLclampf reference), (function, reference))
PASS_UNREPLAYED(void, glShadeModel, (GLenum mode), (mode))
PASS_UNREPLAYED(void, glClearColor, (GLclampf r, GLclampf g, GLclampf b, GLclampf a), (r, g, b, a))
PASS_UNREPLAYED(void, glClearDepth, (GLclampd depth), (depth))
PASS_UNREPLAYED(void, glDepthFunc, (GLenum function), (function))
PASS_UNREPLAYED(void, glHint, (GLenum target, GLenum mode), (target, mode))
PASS_UNREPLAYED(void, glCullFace, (GLenum mode), (mode))
PASS_UNREPLAYED(void, glNewList, (GLuint list, GLenum mode), (list, mode))
PASS_UNREPLAYED(void, glTexParameteri, (GLenum target, GLenum name, GLint value),
                (target, name, value))
PASS_UNREPLAYED(void, glTexParameterf, (GLenum target, GLenum name, GLfloat value),
                (target, name, value))
