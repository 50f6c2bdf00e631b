// The GL tests' view of the frames that the programs' own functions draw.
// Every GL test program links glFrames.cpp with glutSwapBuffers wrapped
// (the glTests function of tests/CMakeLists.txt): a swap there first checks
// that the frame raised no GL error and reads what it drew from the buffer
// it was drawn into, the back buffer, while its contents are still defined.
// Nothing goes through the X server, so the tests read the same pixels on
// every OpenGL implementation, whether its windows reach the X server or
// not and whether its back buffer survives a swap or not. Each test also
// fails, at its end, on a GL error left by any call it drove.
#pragma once

#include <GL/gl.h>

#include <gtest/gtest.h>

#include "tests/support/picture.h"

// What the last frame drew into the current window, as it stood just
// before its buffer swap.
Screenshot lastFrame();

// The name of a glGetError value, such as "GL_INVALID_OPERATION".
const char* glErrorName(GLenum error);

// Success if the current context holds no GL error; otherwise names the
// first, and `where` it was found.
::testing::AssertionResult noGlError(const char* where);
