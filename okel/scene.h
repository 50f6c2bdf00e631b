// Scene state and window set-up of the letter-scene viewer.
//
// The scene state is a set of process-wide variables that exist with their
// start values before the window opens and live for the whole run. The
// keyboard, mouse and idle handlers write them; the frame reads them.
#pragma once

#include <GL/gl.h>

// The frame's orthographic box spans -VIEW_SIZE/2 .. VIEW_SIZE/2 in x and y.
constexpr int VIEW_SIZE = 384;
// cameraX and cameraY are held within -CAMERA_RANGE/2 .. CAMERA_RANGE/2.
constexpr int CAMERA_RANGE = 512;

// Size of the buffer that holds one formatted status line.
constexpr int TEXT_BUFFER_SIZE = 256;

extern float cameraX;     // eye x; the camera always looks at the origin
extern float cameraY;     // eye y
extern float cameraZ;     // eye z: always +50 (front) or -50 (back)
extern int upSign;        // y of the up vector (0, upSign, 0): +1 or -1
extern int sweepX;        // 1 while the camera sweeps horizontally
extern int sweepY;        // 1 while the camera sweeps vertically
extern int spinPaused;    // 1 while the backdrop group stands still
extern float spinAngle;   // degrees of the backdrop group about z
extern float teapotAngle; // degrees of every teapot about its own axis
extern float teax;        // teapot rotation axis
extern float teay;
extern float teaz;
extern int teapotMode;   // 0: block glyphs; otherwise teapot glyphs
extern int bigScale;     // 1: the scene (not the status text) is tripled
extern float glyphSlot1; // texture slot of each glyph position, 0..9
extern float glyphSlot2;
extern float glyphSlot3;
extern float glyphSlot4;
extern char textBuffer[TEXT_BUFFER_SIZE]; // the status line being drawn
extern GLuint fontBase;                   // first stroke-font list; 0 until built

// Sets the OpenGL state that holds for the whole run: light 0's diffuse
// colour, lighting, depth test and texturing, the texture wrap and filters,
// and the black clear colour.
void initGL();
