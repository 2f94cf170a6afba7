#pragma once
// The GL entry points themselves. The benchmark is linked with --wrap for
// each of them, so the game's calls reach GlRecorder's __wrap_ functions
// first and these names reach the library.

#include "gfx/Gl.h"

extern "C" {
void __real_glClear(GLbitfield mask);
void __real_glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void __real_glMatrixMode(GLenum mode);
void __real_glLoadIdentity();
void __real_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
void __real_glTranslated(GLdouble x, GLdouble y, GLdouble z);
void __real_glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void __real_glPushMatrix();
void __real_glPopMatrix();
void __real_glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
                    GLdouble zFar);
void __real_glBindTexture(GLenum target, GLuint texture);
void __real_glBegin(GLenum mode);
void __real_glEnd();
void __real_glNormal3f(GLfloat x, GLfloat y, GLfloat z);
void __real_glTexCoord2f(GLfloat s, GLfloat t);
void __real_glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void __real_glVertex2f(GLfloat x, GLfloat y);
void __real_glVertex2i(GLint x, GLint y);
void __real_glColor3f(GLfloat red, GLfloat green, GLfloat blue);
void __real_glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void __real_glListBase(GLuint base);
void __real_glCallLists(GLsizei n, GLenum type, const GLvoid *lists);
void __real_glFlush();
void __real_glLoadName(GLuint name);
void __real_glEnable(GLenum cap);
void __real_glDisable(GLenum cap);
}
