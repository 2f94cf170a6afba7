#pragma once
// The one place that decides what the game's gl* and glu* calls reach: the
// system's OpenGL 1.1 and GLU on the desktop, with its selection passes
// done on the processor (gfx/desktop/SoftwareSelection.h), or, in an OpenGL
// ES build (PICKRPG_GL_ES: the browser, or the desktop's ES tests), the
// layer in gfx/es that implements the same subset over ES 2.
#if defined(PICKRPG_GL_ES)
#include "gfx/es/Gl11.h"
// The game's code names the calls as OpenGL does; only this header knows
// where they live.
using namespace gl11;
#else
// OpenGL 1.1 and GLU without dragging windows.h into game code: the Windows
// headers need only these two calling-convention macros.
#if defined(_WIN32)
#ifndef APIENTRY
#define APIENTRY __stdcall
#endif
#ifndef WINGDIAPI
#define WINGDIAPI __declspec(dllimport)
#endif
#ifndef CALLBACK
#define CALLBACK __stdcall
#endif
#endif
#include <GL/gl.h>
#include <GL/glu.h>
// PICKRPG_GL_SELECT_MODE keeps the GL's own selection mode: for the file
// that forwards to it, and for the reference the software selection is
// proven against. Everywhere else these calls reach the software selection
// first, which hands them to the GL outside a selection pass.
#if !defined(PICKRPG_GL_SELECT_MODE)
#include "gfx/desktop/SoftwareSelection.h"
#define glSelectBuffer pickgl::glSelectBuffer
#define glRenderMode pickgl::glRenderMode
#define glInitNames pickgl::glInitNames
#define glPushName pickgl::glPushName
#define glLoadName pickgl::glLoadName
#define glBegin pickgl::glBegin
#define glEnd pickgl::glEnd
#define glVertex2i pickgl::glVertex2i
#define glVertex2f pickgl::glVertex2f
#define glVertex3f pickgl::glVertex3f
#define glTranslated pickgl::glTranslated
#define glNewList pickgl::glNewList
#define glEndList pickgl::glEndList
#define glDeleteLists pickgl::glDeleteLists
#define glCallLists pickgl::glCallLists
#endif
#endif
