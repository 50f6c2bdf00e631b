// Glyph shapes of the letter-scene viewer.
//
// The word is spelled with three glyph shapes: glyph A (a column with a bar
// on top and at the bottom), glyph B (three bars joined in a zigzag by two
// uprights) and glyph C (a column with a bar on top). Each exists as a
// pattern of teapots and as boxes built from one textured cube. Every routine
// draws with whatever texture is current.
#pragma once

#include <GL/gl.h>

// The eight corners of a cube of edge 2 centred on the origin, and one RGBA
// colour per corner. Shared by the cube and the frame's backdrop and moon.
extern const GLfloat vertexTable[8][3];
extern const GLfloat colorTable[8][4];

// One four-cornered polygon through corners a, b, c, d, with texture
// coordinates (0,0), (0,1), (1,1), (1,0) in that order. No normal is given.
void drawFace(int a, int b, int c, int d);

// The six faces of the cube, each counter-clockwise seen from outside.
void drawColorCube();

// Rotates the current matrix by angle degrees about (teax, teay, teaz) and
// draws a teapot of size 10. The caller saves and restores the matrix.
void drawTeapot(float angle);

// Teapot builds: each teapot stands at (x + dx, y + dy, 0) for the offsets of
// its glyph and spins by angle about its own centre.
void teapotGlyphA(float x, float y, float angle);
void teapotGlyphB(float x, float y, float angle);
void teapotGlyphC(float x, float y, float angle);

// Box builds, drawn about the current origin; the matrix is left unchanged.
void blockGlyphA();
void blockGlyphB();
void blockGlyphC();
