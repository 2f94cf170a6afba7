#pragma once
// The one place that decides what the game's gl* and glu* calls reach: the
// system's OpenGL 1.1 and GLU on the desktop, or, in an OpenGL ES build
// (PICKRPG_GL_ES: the browser, or the desktop's ES tests), the layer in
// gfx/es that implements the same subset over ES 2.
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
#endif
