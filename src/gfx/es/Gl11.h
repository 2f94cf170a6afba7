#pragma once
// The part of OpenGL 1.1 and GLU that the game draws and picks with, for
// platforms that have only OpenGL ES 2 or WebGL: immediate-mode quads, the
// two matrix stacks, one positional light with colour material, textures,
// blending, depth and culling, display lists and the selection buffer.
// gfx/Gl.h brings these names into the game's code in an ES build; nothing
// else should include this header. It deliberately does not include the ES
// headers, whose functions share many of these names.

#include <cstdint>

typedef unsigned int GLenum;
typedef unsigned int GLbitfield;
typedef unsigned int GLuint;
typedef int GLint;
typedef int GLsizei;
typedef unsigned char GLboolean;
typedef unsigned char GLubyte;
typedef float GLfloat;
typedef float GLclampf;
typedef double GLdouble;
typedef double GLclampd;
typedef void GLvoid;

#define GL_FALSE 0
#define GL_TRUE 1
#define GL_NO_ERROR 0
#define GL_INVALID_ENUM 0x0500
#define GL_INVALID_VALUE 0x0501
#define GL_INVALID_OPERATION 0x0502
#define GL_STACK_OVERFLOW 0x0503
#define GL_STACK_UNDERFLOW 0x0504

#define GL_QUADS 0x0007
#define GL_COMPILE 0x1300

#define GL_COLOR_BUFFER_BIT 0x00004000
#define GL_DEPTH_BUFFER_BIT 0x00000100

#define GL_MODELVIEW 0x1700
#define GL_PROJECTION 0x1701
#define GL_VIEWPORT 0x0BA2
#define GL_MODELVIEW_MATRIX 0x0BA6
#define GL_PROJECTION_MATRIX 0x0BA7
#define GL_CURRENT_COLOR 0x0B00

#define GL_RENDER 0x1C00
#define GL_SELECT 0x1C02

#define GL_CULL_FACE 0x0B44
#define GL_LIGHTING 0x0B50
#define GL_COLOR_MATERIAL 0x0B57
#define GL_DEPTH_TEST 0x0B71
#define GL_ALPHA_TEST 0x0BC0
#define GL_BLEND 0x0BE2
#define GL_TEXTURE_2D 0x0DE1
#define GL_LIGHT0 0x4000
#define GL_LIGHT1 0x4001

#define GL_AMBIENT 0x1200
#define GL_DIFFUSE 0x1201
#define GL_POSITION 0x1203

#define GL_FRONT 0x0404
#define GL_BACK 0x0405
#define GL_FRONT_AND_BACK 0x0408

#define GL_NEVER 0x0200
#define GL_LESS 0x0201
#define GL_EQUAL 0x0202
#define GL_LEQUAL 0x0203
#define GL_GREATER 0x0204
#define GL_NOTEQUAL 0x0205
#define GL_GEQUAL 0x0206
#define GL_ALWAYS 0x0207

#define GL_ZERO 0
#define GL_ONE 1
#define GL_SRC_ALPHA 0x0302
#define GL_ONE_MINUS_SRC_ALPHA 0x0303

#define GL_SMOOTH 0x1D01
#define GL_PERSPECTIVE_CORRECTION_HINT 0x0C50
#define GL_NICEST 0x1102

#define GL_UNSIGNED_BYTE 0x1401
#define GL_RGB 0x1907
#define GL_RGBA 0x1908
#define GL_TEXTURE_MAG_FILTER 0x2800
#define GL_TEXTURE_MIN_FILTER 0x2801
#define GL_NEAREST 0x2600
#define GL_LINEAR 0x2601
#define GL_NEAREST_MIPMAP_NEAREST 0x2700
#define GL_LINEAR_MIPMAP_NEAREST 0x2701
#define GL_NEAREST_MIPMAP_LINEAR 0x2702
#define GL_LINEAR_MIPMAP_LINEAR 0x2703

#define GLU_INVALID_VALUE 100901

namespace gl11 {

// Immediate mode. Only GL_QUADS: the one primitive the game draws.
void glBegin(GLenum mode);
void glEnd();
void glVertex2i(GLint x, GLint y);
void glVertex2f(GLfloat x, GLfloat y);
void glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void glColor3f(GLfloat red, GLfloat green, GLfloat blue);
void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void glNormal3f(GLfloat x, GLfloat y, GLfloat z);
void glTexCoord2f(GLfloat s, GLfloat t);

// Matrices and the viewport.
void glMatrixMode(GLenum mode);
void glLoadIdentity();
void glPushMatrix();
void glPopMatrix();
void glTranslated(GLdouble x, GLdouble y, GLdouble z);
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void glMultMatrixf(const GLfloat *matrix);
void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearVal,
             GLdouble farVal);
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
void gluPickMatrix(GLdouble x, GLdouble y, GLdouble width, GLdouble height, GLint viewport[4]);
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height);

// Fixed state.
void glEnable(GLenum capability);
void glDisable(GLenum capability);
void glLightfv(GLenum light, GLenum name, const GLfloat *params);
void glBlendFunc(GLenum sourceFactor, GLenum destinationFactor);
void glDepthFunc(GLenum function);
void glCullFace(GLenum mode);
void glAlphaFunc(GLenum function, GLclampf reference);
void glShadeModel(GLenum mode);
void glHint(GLenum target, GLenum mode);
void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha);
void glClearDepth(GLclampd depth);
void glClear(GLbitfield mask);
void glFlush();
void glFinish();

// Textures.
void glGenTextures(GLsizei count, GLuint *names);
void glDeleteTextures(GLsizei count, const GLuint *names);
void glBindTexture(GLenum target, GLuint name);
void glTexParameteri(GLenum target, GLenum name, GLint value);
void glTexParameterf(GLenum target, GLenum name, GLfloat value);
void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid *pixels);
GLint gluBuild2DMipmaps(GLenum target, GLint components, GLsizei width, GLsizei height,
                        GLenum format, GLenum type, const void *pixels);

// Display lists, compiled only (GL_COMPILE).
GLuint glGenLists(GLsizei range);
void glDeleteLists(GLuint list, GLsizei range);
void glNewList(GLuint list, GLenum mode);
void glEndList();
void glListBase(GLuint base);
void glCallLists(GLsizei count, GLenum type, const GLvoid *lists);

// The selection buffer.
void glSelectBuffer(GLsizei size, GLuint *buffer);
GLint glRenderMode(GLenum mode);
void glInitNames();
void glPushName(GLuint name);
void glLoadName(GLuint name);

// Queries.
void glGetIntegerv(GLenum name, GLint *values);
void glGetFloatv(GLenum name, GLfloat *values);
GLenum glGetError();
void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                  GLvoid *pixels);

// A browser may take a page's WebGL context away at any time and give it back later.
// After a lost context came back: builds the shaders and buffers again and uploads every
// texture again from the images the layer keeps. False when a shader cannot be built.
bool restoreGpuObjects();
// The driver's log of the last shader that failed to compile or link; empty when none failed.
const char *gpuFailureLog();

} // namespace gl11
