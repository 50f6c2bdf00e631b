// A real OpenGL context for tests: one GLUT window on the test display, in
// which the programs' own functions run.
#pragma once

#include <GL/gl.h>

#include <string>
#include <vector>

#include "tests/support/picture.h"

// Opens the process's one test window with the given size at the top left
// of the screen, and waits until the X server shows it; its context stays
// current. A later call only makes it current again. The window is created
// with double buffering, RGB colour and a depth buffer, as the programs ask.
void openTestWindow(int width, int height);

// The back buffer of the current window, before a swap. The GL tests read
// every frame this way (glFrames.h), never through the X server.
Screenshot readBackBuffer();

// True if the current context's renderer string (GL_RENDERER) holds `name`,
// such as "softpipe" or "zink".
bool rendererHas(const char* name);

// The GL_TEXTURE_2D image of the bound texture at a level, as RGB bytes with
// the first row at t = 0.
std::vector<unsigned char> readTextureImage(int level, int& width, int& height);

// A parameter of the bound GL_TEXTURE_2D texture, such as
// GL_TEXTURE_MIN_FILTER, as an integer.
GLint texParameter(GLenum name);
