#include "gfx/es/Gl11.h"

#include "gfx/es/FixedPipeline.h"

namespace {

// The one pipeline of the process, as the GL has one current context.
FixedPipeline &pipeline() {
  static FixedPipeline instance;
  return instance;
}

// Calls the GL compiles into display lists are recorded while a list is
// being compiled, and run otherwise.
template <typename Call> void runOrRecord(Call call) {
  DisplayLists &lists = pipeline().displayLists();
  if (lists.isCompiling()) {
    lists.record(call);
  } else {
    call();
  }
}

} // namespace

namespace gl11 {

void glBegin(GLenum mode) {
  runOrRecord([=] { pipeline().begin(mode); });
}

void glEnd() {
  runOrRecord([] { pipeline().end(); });
}

void glVertex2i(GLint x, GLint y) {
  const auto fx = static_cast<float>(x), fy = static_cast<float>(y);
  runOrRecord([=] { pipeline().vertex(fx, fy, 0.0f); });
}

void glVertex2f(GLfloat x, GLfloat y) {
  runOrRecord([=] { pipeline().vertex(x, y, 0.0f); });
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  runOrRecord([=] { pipeline().vertex(x, y, z); });
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue) {
  runOrRecord([=] { pipeline().colour(red, green, blue, 1.0f); });
}

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  runOrRecord([=] { pipeline().colour(red, green, blue, alpha); });
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  runOrRecord([=] { pipeline().normal(x, y, z); });
}

void glTexCoord2f(GLfloat s, GLfloat t) {
  runOrRecord([=] { pipeline().texCoord(s, t); });
}

void glMatrixMode(GLenum mode) {
  runOrRecord([=] { pipeline().matrixMode(mode); });
}

void glLoadIdentity() {
  runOrRecord([] { pipeline().loadMatrix(Matrix::identity()); });
}

void glPushMatrix() {
  runOrRecord([] { pipeline().pushMatrix(); });
}

void glPopMatrix() {
  runOrRecord([] { pipeline().popMatrix(); });
}

// The GL keeps single-precision matrices: double arguments round first.
void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
  const Matrix step =
      Matrix::translation(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
  runOrRecord([=] { pipeline().multiplyMatrix(step); });
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  const Matrix step = Matrix::rotation(angle, x, y, z);
  runOrRecord([=] { pipeline().multiplyMatrix(step); });
}

void glMultMatrixf(const GLfloat *matrix) {
  const Matrix step = Matrix::fromColumnMajor(matrix);
  runOrRecord([=] { pipeline().multiplyMatrix(step); });
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearVal,
             GLdouble farVal) {
  const Matrix step = Matrix::ortho(static_cast<float>(left), static_cast<float>(right),
                                    static_cast<float>(bottom), static_cast<float>(top),
                                    static_cast<float>(nearVal), static_cast<float>(farVal));
  runOrRecord([=] { pipeline().multiplyMatrix(step); });
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  const Matrix step = Matrix::perspective(fovy, aspect, zNear, zFar);
  runOrRecord([=] { pipeline().multiplyMatrix(step); });
}

void gluPickMatrix(GLdouble x, GLdouble y, GLdouble width, GLdouble height, GLint viewport[4]) {
  for (const Matrix &step : Matrix::pick(x, y, width, height, viewport)) {
    runOrRecord([=] { pipeline().multiplyMatrix(step); });
  }
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  runOrRecord([=] { pipeline().viewport(x, y, width, height); });
}

void glEnable(GLenum capability) {
  runOrRecord([=] { pipeline().setCapability(capability, true); });
}

void glDisable(GLenum capability) {
  runOrRecord([=] { pipeline().setCapability(capability, false); });
}

void glLightfv(GLenum light, GLenum name, const GLfloat *params) {
  const std::array<GLfloat, 4> values{params[0], params[1], params[2], params[3]};
  runOrRecord([=] { pipeline().light(light, name, values.data()); });
}

void glBlendFunc(GLenum sourceFactor, GLenum destinationFactor) {
  runOrRecord([=] { pipeline().blendFunction(sourceFactor, destinationFactor); });
}

void glDepthFunc(GLenum function) {
  runOrRecord([=] { pipeline().depthFunction(function); });
}

void glCullFace(GLenum mode) {
  runOrRecord([=] { pipeline().cullFace(mode); });
}

// Alpha testing is never switched on by the game, and the only shading
// model and hint it asks for are what the layer always does (smooth,
// perspective-correct): these three are accepted and change nothing.
void glAlphaFunc(GLenum, GLclampf) {}

void glShadeModel(GLenum) {}

void glHint(GLenum, GLenum) {}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
  runOrRecord([=] { pipeline().clearColour(red, green, blue, alpha); });
}

void glClearDepth(GLclampd depth) {
  const auto value = static_cast<float>(depth);
  runOrRecord([=] { pipeline().clearDepth(value); });
}

void glClear(GLbitfield mask) {
  runOrRecord([=] { pipeline().clear(mask); });
}

void glFlush() {
  pipeline().flush();
}

void glFinish() {
  pipeline().finish();
}

void glGenTextures(GLsizei count, GLuint *names) {
  pipeline().generateTextures(count, names);
}

void glDeleteTextures(GLsizei count, const GLuint *names) {
  pipeline().deleteTextures(count, names);
}

void glBindTexture(GLenum target, GLuint name) {
  runOrRecord([=] { pipeline().bindTexture(target, name); });
}

void glTexParameteri(GLenum target, GLenum name, GLint value) {
  runOrRecord([=] { pipeline().textureParameter(target, name, value); });
}

void glTexParameterf(GLenum target, GLenum name, GLfloat value) {
  const auto integer = static_cast<GLint>(value);
  runOrRecord([=] { pipeline().textureParameter(target, name, integer); });
}

// Images go to the texture at once, also while a list is compiled: the
// game never puts one in a list.
void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid *pixels) {
  pipeline().textureImage(target, level, internalFormat, width, height, border, format, type,
                          pixels);
}

GLint gluBuild2DMipmaps(GLenum target, GLint components, GLsizei width, GLsizei height,
                        GLenum format, GLenum type, const void *pixels) {
  return pipeline().buildMipmaps(target, components, width, height, format, type, pixels);
}

GLuint glGenLists(GLsizei range) {
  return pipeline().displayLists().generate(range);
}

void glDeleteLists(GLuint list, GLsizei range) {
  pipeline().displayLists().remove(list, range);
}

void glNewList(GLuint list, GLenum mode) {
  pipeline().newList(list, mode);
}

void glEndList() {
  pipeline().endList();
}

void glListBase(GLuint base) {
  runOrRecord([=] { pipeline().listBase(base); });
}

void glCallLists(GLsizei count, GLenum type, const GLvoid *lists) {
  if (count <= 0) {
    return;
  }
  DisplayLists &displayLists = pipeline().displayLists();
  if (!displayLists.isCompiling()) {
    pipeline().callLists(count, type, lists);
    return;
  }
  // A recorded call keeps its own copy of the names.
  const auto *bytes = static_cast<const GLubyte *>(lists);
  const std::vector<GLubyte> names(bytes, bytes + count);
  displayLists.record([=] { pipeline().callLists(count, type, names.data()); });
}

void glSelectBuffer(GLsizei size, GLuint *buffer) {
  pipeline().selectBuffer(size, buffer);
}

GLint glRenderMode(GLenum mode) {
  return pipeline().renderMode(mode);
}

void glInitNames() {
  runOrRecord([] { pipeline().initNames(); });
}

void glPushName(GLuint name) {
  runOrRecord([=] { pipeline().pushName(name); });
}

void glLoadName(GLuint name) {
  runOrRecord([=] { pipeline().loadName(name); });
}

void glGetIntegerv(GLenum name, GLint *values) {
  pipeline().getIntegerv(name, values);
}

void glGetFloatv(GLenum name, GLfloat *values) {
  pipeline().getFloatv(name, values);
}

GLenum glGetError() {
  return pipeline().takeError();
}

void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                  GLvoid *pixels) {
  pipeline().readPixels(x, y, width, height, format, type, pixels);
}

bool restoreGpuObjects() {
  return pipeline().restoreGpuObjects();
}

const char *gpuFailureLog() {
  return pipeline().gpuFailureLog();
}

} // namespace gl11
