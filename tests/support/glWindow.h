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

// Makes a fresh, empty folder the current directory for the life of the
// object, and returns to the previous one afterwards.
struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path;
    std::string previous;
};

// Writes the bytes to a file; fails the test if it cannot.
void writeFile(const std::string& name, const std::vector<unsigned char>& bytes);

// Makes a named pipe; fails the test if it cannot. Nobody writes it, so a
// plain open() for reading waits for ever. With `held` the test program
// holds it open for writing, without writing, until it ends: the open
// returns at once, but a plain read waits for ever.
void makeNamedPipe(const std::string& name, bool held = false);

// A RAW picture of one colour: width x height pixels of r, g, b.
std::vector<unsigned char> solidRaw(int width, int height, unsigned char r, unsigned char g, unsigned char b);
