// This file alone reaches the GL's own entry points of the calls gfx/Gl.h
// routes here.
#define PICKRPG_GL_SELECT_MODE
#include "gfx/Gl.h"

#include "gfx/desktop/SoftwareSelection.h"
#include "gfx/es/SelectionBuffer.h"

#include <map>
#include <vector>

namespace {

constexpr int QUAD_CORNERS = 4;

// What selection needs of a compiled display list: its quads' corners and
// the steps that move the pen between them.
struct ListStep {
  enum class Kind { Begin, Vertex, End, Translate };
  Kind kind;
  GLdouble x, y, z;
};

class SoftwareSelection {
public:
  bool isSelecting() const { return selecting; }
  bool isCompiling() const { return compiledList != 0; }

  void setBuffer(GLsizei size, GLuint *buffer) { selection.setBuffer(size, buffer); }

  GLint enterSelection() {
    const GLint hits = leaveSelection();
    selection.begin();
    selecting = true;
    return hits;
  }

  // The hit count of the pass that ends, 0 outside one.
  GLint leaveSelection() {
    const GLint hits = selecting ? selection.end() : 0;
    selecting = false;
    return hits;
  }

  SelectionBuffer &names() { return selection; }

  // The GL's matrices and culling as they stand when the quads begin.
  void beginQuads(GLenum mode) {
    GLfloat modelview[16], projection[16];
    ::glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    ::glGetFloatv(GL_PROJECTION_MATRIX, projection);
    toClip = Matrix::fromColumnMajor(projection) * Matrix::fromColumnMajor(modelview);
    cull = cullNow();
    quads = mode == GL_QUADS;
    cornerCount = 0;
  }

  void vertex(GLfloat x, GLfloat y, GLfloat z) {
    if (!quads) {
      return;
    }
    corners[cornerCount] = toClip.transform({x, y, z, 1.0f});
    if (++cornerCount == QUAD_CORNERS) {
      selection.addQuad(corners, cull);
      cornerCount = 0;
    }
  }

  void endQuads() { quads = false; }

  void startList(GLuint list) {
    compiledList = list;
    lists[list].clear();
  }

  void record(ListStep::Kind kind, GLdouble x = 0.0, GLdouble y = 0.0, GLdouble z = 0.0) {
    lists[compiledList].push_back({kind, x, y, z});
  }

  void endList() { compiledList = 0; }

  void forgetLists(GLuint first, GLsizei range) {
    lists.erase(lists.lower_bound(first), lists.lower_bound(first + static_cast<GLuint>(range)));
  }

  // Runs a recorded list inside a pass: its quads are picked, its steps
  // move the GL's matrix as calling the list would.
  void replay(GLuint list) {
    const auto found = lists.find(list);
    if (found == lists.end()) {
      return;
    }
    for (const ListStep &step : found->second) {
      switch (step.kind) {
      case ListStep::Kind::Begin:
        beginQuads(static_cast<GLenum>(step.x));
        break;
      case ListStep::Kind::Vertex:
        vertex(static_cast<GLfloat>(step.x), static_cast<GLfloat>(step.y),
               static_cast<GLfloat>(step.z));
        break;
      case ListStep::Kind::End:
        endQuads();
        break;
      case ListStep::Kind::Translate:
        ::glTranslated(step.x, step.y, step.z);
        break;
      }
    }
  }

private:
  SelectionBuffer selection;
  bool selecting = false;
  Matrix toClip = Matrix::identity();
  CullMode cull = CullMode::None;
  bool quads = false;
  Vector4 corners[QUAD_CORNERS];
  int cornerCount = 0;
  GLuint compiledList = 0;
  std::map<GLuint, std::vector<ListStep>> lists;

  static CullMode cullNow() {
    if (!::glIsEnabled(GL_CULL_FACE)) {
      return CullMode::None;
    }
    GLint face = GL_BACK;
    ::glGetIntegerv(GL_CULL_FACE_MODE, &face);
    return face == GL_FRONT            ? CullMode::Front
           : face == GL_FRONT_AND_BACK ? CullMode::Both
                                       : CullMode::Back;
  }
};

// One for the process, as the game has one current context.
SoftwareSelection &state() {
  static SoftwareSelection instance;
  return instance;
}

// A vertex outside a pass: compiled into the list being built, if one is,
// and handed to the GL.
template <typename Forward> void vertexOutsidePass(GLfloat x, GLfloat y, GLfloat z, Forward call) {
  if (state().isCompiling()) {
    state().record(ListStep::Kind::Vertex, x, y, z);
  }
  call();
}

} // namespace

namespace pickgl {

void glSelectBuffer(GLsizei size, GLuint *buffer) {
  state().setBuffer(size, buffer);
}

// The GL itself stays in render mode throughout a pass.
GLint glRenderMode(GLenum mode) {
  if (mode == GL_SELECT) {
    return state().enterSelection();
  }
  if (state().isSelecting()) {
    const GLint hits = state().leaveSelection();
    if (mode != GL_RENDER) {
      ::glRenderMode(mode);
    }
    return hits;
  }
  return ::glRenderMode(mode);
}

// Outside a pass the GL ignores the name stack, and so does this.
void glInitNames() {
  if (state().isSelecting()) {
    state().names().initNames();
  }
}

void glPushName(GLuint name) {
  if (state().isSelecting()) {
    state().names().pushName(name);
  }
}

void glLoadName(GLuint name) {
  if (state().isSelecting()) {
    state().names().loadName(name);
  }
}

void glBegin(GLenum mode) {
  if (state().isSelecting()) {
    state().beginQuads(mode);
    return;
  }
  if (state().isCompiling()) {
    state().record(ListStep::Kind::Begin, mode);
  }
  ::glBegin(mode);
}

void glEnd() {
  if (state().isSelecting()) {
    state().endQuads();
    return;
  }
  if (state().isCompiling()) {
    state().record(ListStep::Kind::End);
  }
  ::glEnd();
}

void glVertex2i(GLint x, GLint y) {
  const auto fx = static_cast<GLfloat>(x), fy = static_cast<GLfloat>(y);
  if (state().isSelecting()) {
    state().vertex(fx, fy, 0.0f);
    return;
  }
  vertexOutsidePass(fx, fy, 0.0f, [=] { ::glVertex2i(x, y); });
}

void glVertex2f(GLfloat x, GLfloat y) {
  if (state().isSelecting()) {
    state().vertex(x, y, 0.0f);
    return;
  }
  vertexOutsidePass(x, y, 0.0f, [=] { ::glVertex2f(x, y); });
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (state().isSelecting()) {
    state().vertex(x, y, z);
    return;
  }
  vertexOutsidePass(x, y, z, [=] { ::glVertex3f(x, y, z); });
}

void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
  if (state().isCompiling()) {
    state().record(ListStep::Kind::Translate, x, y, z);
  }
  ::glTranslated(x, y, z);
}

void glNewList(GLuint list, GLenum mode) {
  state().startList(list);
  ::glNewList(list, mode);
}

void glEndList() {
  state().endList();
  ::glEndList();
}

void glDeleteLists(GLuint list, GLsizei range) {
  state().forgetLists(list, range);
  ::glDeleteLists(list, range);
}

void glCallLists(GLsizei count, GLenum type, const GLvoid *lists) {
  if (!state().isSelecting()) {
    ::glCallLists(count, type, lists);
    return;
  }
  GLint base = 0;
  ::glGetIntegerv(GL_LIST_BASE, &base);
  const auto *names = static_cast<const GLubyte *>(lists);
  for (GLsizei i = 0; type == GL_UNSIGNED_BYTE && i < count; ++i) {
    state().replay(static_cast<GLuint>(base) + names[i]);
  }
}

} // namespace pickgl
