// Scene state and window layout of the room walk-through.
//
// One top-level window holds two subwindows: the 3D view of the room at the
// top and a help panel below it. The scene state is a set of process-wide
// variables: the special-key and idle callbacks write them, the 3D view's
// frame reads them.
#pragma once

#include <GL/gl.h>

extern int mainWindow; // GLUT id of the top-level window
extern int helpWindow; // GLUT id of the help panel
extern int viewWindow; // GLUT id of the 3D view

extern float eyeX; // viewer position on the floor plane, room units
extern float eyeZ;
extern float bobHeight; // walking bob added to the eye height
extern float bobPhase;  // phase of the walking bob, degrees
extern float heading;   // degrees about the vertical axis; 0 looks along -z
extern float tilt;      // head tilt, degrees; positive looks down
extern float lampAngle; // the lamp's orbit angle about the vertical axis

// The lamp's offset from its orbit axis, also the position handed to light 0.
extern GLfloat lightPosition[4];
extern float degToRad;

extern GLuint wallTexture;
extern GLuint glyphTexture;
extern GLuint ceilingTexture;
// The floor's checkerboard lives in the default texture object, name 0.
extern GLuint floorTexture;

// Makes the 3D view current and asks GLUT to draw it again: the one way the
// program asks for a new frame of the room.
void redisplayView();
