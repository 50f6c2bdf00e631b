// Textures of the room walk-through: three pictures read from BMP files for
// the walls, the glyph blocks and the ceiling, and a checkerboard made in
// memory for the floor.
#pragma once

#include <GL/gl.h>

constexpr int CHECKER_SIZE = 64;

// Makes the floor's checkerboard and the three file textures, reporting a
// file that cannot be read as one line on standard output, then sets the
// texture environment. Runs once, with the 3D view current.
void initTextures();

// Generates a texture name into `texture`, then reads the named BMP file
// and uploads it with linear filtering, leaving it bound. Returns false,
// with the name generated but no picture uploaded, if the file cannot be
// read.
bool loadBitmapTexture(const char* name, GLuint& texture);

// Fills a 64 x 64 black and white checkerboard (8 x 8 texel squares, black
// at the first row and column) into the floor's texture, sampled nearest.
void makeChecker();
