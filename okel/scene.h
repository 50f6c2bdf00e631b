// Scene state and window set-up of the letter-scene viewer.
//
// The scene state is process-wide: the input and idle handlers write it,
// the frame reads it. OKEL_SCENE_STATE lists each variable with its start
// value; the list declares, defines and resets them, and the tests compare
// whole states by it.
#pragma once

#include <GL/gl.h>

// The frame's orthographic box spans -VIEW_SIZE/2 .. VIEW_SIZE/2 in x and y.
constexpr int VIEW_SIZE = 384;
// cameraX and cameraY are held within -CAMERA_RANGE/2 .. CAMERA_RANGE/2.
constexpr int CAMERA_RANGE = 512;

// Size of the buffer that holds one formatted status line.
constexpr int TEXT_BUFFER_SIZE = 256;

#define OKEL_SCENE_STATE(VARIABLE)                                                                                     \
    VARIABLE(float, cameraX, 0.0f)     /* eye x; the camera always looks at the origin */                              \
    VARIABLE(float, cameraY, 0.0f)     /* eye y */                                                                     \
    VARIABLE(float, cameraZ, 50.0f)    /* eye z: always +50 (front) or -50 (back) */                                   \
    VARIABLE(int, upSign, 1)           /* y of the up vector (0, upSign, 0): +1 or -1 */                               \
    VARIABLE(int, sweepX, 0)           /* 1 while the camera sweeps horizontally */                                    \
    VARIABLE(int, sweepY, 0)           /* 1 while the camera sweeps vertically */                                      \
    VARIABLE(int, spinPaused, 0)       /* 1 while the backdrop group stands still */                                   \
    VARIABLE(float, spinAngle, 0.0f)   /* degrees of the backdrop group about z */                                     \
    VARIABLE(float, teapotAngle, 0.0f) /* degrees of every teapot about its own axis */                                \
    VARIABLE(float, teax, 0.0f)        /* teapot rotation axis */                                                      \
    VARIABLE(float, teay, 1.0f)                                                                                        \
    VARIABLE(float, teaz, 0.0f)                                                                                        \
    VARIABLE(int, teapotMode, 0)      /* 0: block glyphs; otherwise teapot glyphs */                                   \
    VARIABLE(int, bigScale, 0)        /* 1: the scene (not the status text) is tripled */                              \
    VARIABLE(float, glyphSlot1, 0.0f) /* texture slot of each glyph position, 0..9 */                                  \
    VARIABLE(float, glyphSlot2, 1.0f)                                                                                  \
    VARIABLE(float, glyphSlot3, 2.0f)                                                                                  \
    VARIABLE(float, glyphSlot4, 3.0f)

#define OKEL_DECLARE_VARIABLE(type, name, start) extern type name;
OKEL_SCENE_STATE(OKEL_DECLARE_VARIABLE)
#undef OKEL_DECLARE_VARIABLE

// Puts every variable of OKEL_SCENE_STATE back to its start value.
void resetScene();

// Made once and kept for the whole run, so not in the list.
extern char textBuffer[TEXT_BUFFER_SIZE]; // the status line being drawn
extern GLuint fontBase;                   // first stroke-font list; 0 until built

// Sets the OpenGL state that holds for the whole run: light 0's diffuse
// colour, lighting, depth test and texturing, the texture wrap and filters,
// and the black clear colour.
void initGL();
