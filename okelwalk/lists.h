// Display lists, materials and lighting of the room walk-through.
//
// Everything in the 3D view is drawn from four display lists with fixed ids:
// a textured cube of edge 2 (the glyph blocks and the lamp) and three quads
// of side 2 that the frame scales into the floor, the walls and the ceiling.
// Each kind of surface has a material row of its own; one positional light
// follows the lamp.
#pragma once

#include <GL/gl.h>

constexpr GLuint LIST_CUBE = 1;
constexpr GLuint LIST_FLOOR = 2;
constexpr GLuint LIST_WALL = 3;
constexpr GLuint LIST_CEILING = 4;

constexpr int MAT_GLYPH = 0;
constexpr int MAT_FLOOR = 1;
constexpr int MAT_WALL = 2;
constexpr int MAT_CEILING = 3;
constexpr int MAT_LAMP = 4;
constexpr int MATERIAL_COUNT = 5;

extern const GLfloat matSpecular[MATERIAL_COUNT][4];
extern const GLfloat matAmbient[MATERIAL_COUNT][4];
extern const GLfloat matDiffuse[MATERIAL_COUNT][4];
extern const GLfloat matEmission[MATERIAL_COUNT][4];
extern const GLfloat matShininess[MATERIAL_COUNT];

extern const GLfloat lightAmbient[4];
extern const GLfloat lightDiffuse[4];
extern const GLfloat lightSpecular[4];

// The geometry of the four lists: per face a normal, then texture
// coordinate and vertex for each corner, counter-clockwise seen from the
// side the normal points to.
void drawCube();        // -1..1 on every axis, the whole texture on each face
void drawFloorQuad();   // plane y = 1, facing up, the texture three times each way
void drawWallQuad();    // plane z = 0, facing +z, four times from bottom to top
void drawCeilingQuad(); // plane y = -1, facing down, three times each way

// Compiles the four lists with their fixed ids.
void buildLists();

// Makes a material row (MAT_GLYPH .. MAT_LAMP) the front-face material.
void setMaterial(int row);

// Light 0 with its colours, smooth shading, and the switches that hold for
// the whole run: lighting, depth test, normalising, smoothing, back-face
// culling and texturing.
void initLighting();
