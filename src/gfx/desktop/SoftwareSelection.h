#pragma once
// The desktop's selection mode done on the processor, over the real OpenGL.
// Mesa's own GL_SELECT (22.3, llvmpipe) never frees the vertex buffers that
// a selection pass drew from, so every click that follows a drawn frame
// kept about half a megabyte for good. gfx/Gl.h routes the GL calls a
// picking pass makes to these entry points: outside GL_SELECT they reach the
// GL unchanged; inside it, quads go to the ES layer's SelectionBuffer
// (proven equal to the GL's records), transformed by the GL's own matrices,
// and nothing reaches the GL's vertex path. Display lists are recorded
// while they compile, so that text picks through them as it draws.
//
// Included by gfx/Gl.h after the GL headers; nothing else should include it.

namespace pickgl {

void glSelectBuffer(GLsizei size, GLuint *buffer);
GLint glRenderMode(GLenum mode);
void glInitNames();
void glPushName(GLuint name);
void glLoadName(GLuint name);

// Only GL_QUADS is picked: the one primitive the game draws.
void glBegin(GLenum mode);
void glEnd();
void glVertex2i(GLint x, GLint y);
void glVertex2f(GLfloat x, GLfloat y);
void glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void glTranslated(GLdouble x, GLdouble y, GLdouble z);

void glNewList(GLuint list, GLenum mode);
void glEndList();
void glDeleteLists(GLuint list, GLsizei range);
// Only GL_UNSIGNED_BYTE names, as the font calls them.
void glCallLists(GLsizei count, GLenum type, const GLvoid *lists);

} // namespace pickgl
