// Scene state and window layout of the room walk-through.
//
// One top-level window holds two subwindows: the 3D view of the room at the
// top and a help panel below it. The scene state is a set of process-wide
// variables: the special-key and idle callbacks write them, the 3D view's
// frame reads them. OKELWALK_SCENE_STATE lists each with its start value;
// the list declares, defines and resets them, and the tests compare whole
// states by it.
#pragma once

#include <GL/gl.h>

#define OKELWALK_SCENE_STATE(VARIABLE)                                                                                 \
    VARIABLE(float, eyeX, 0.0f) /* viewer position on the floor plane, room units */                                   \
    VARIABLE(float, eyeZ, 5.0f)                                                                                        \
    VARIABLE(float, bobHeight, 0.0f) /* walking bob added to the eye height */                                         \
    VARIABLE(float, bobPhase, 0.0f)  /* phase of the walking bob, degrees */                                           \
    VARIABLE(float, heading, 0.0f)   /* degrees about the vertical axis; 0 looks along -z */                           \
    VARIABLE(float, tilt, 0.0f)      /* head tilt, degrees; positive looks down */                                     \
    VARIABLE(float, lampAngle, 0.0f) /* the lamp's orbit angle about the vertical axis */

#define OKELWALK_DECLARE_VARIABLE(type, name, start) extern type name;
OKELWALK_SCENE_STATE(OKELWALK_DECLARE_VARIABLE)
#undef OKELWALK_DECLARE_VARIABLE

// Puts every variable of OKELWALK_SCENE_STATE back to its start value.
void resetWalkScene();

// Set once at start-up and kept for the whole run, so not in the list.
extern int mainWindow; // GLUT id of the top-level window
extern int helpWindow; // GLUT id of the help panel
extern int viewWindow; // GLUT id of the 3D view

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
