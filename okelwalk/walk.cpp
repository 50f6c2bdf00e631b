// Scene state and window layout of the room walk-through.
#include "walk.h"

#include <GL/freeglut.h>

int mainWindow = 0;
int helpWindow = 0;
int viewWindow = 0;

float eyeX = 0.0f;
float eyeZ = 5.0f;
float bobHeight = 0.0f;
float bobPhase = 0.0f;
float heading = 0.0f;
float tilt = 0.0f;
float lampAngle = 0.0f;

GLfloat lightPosition[4] = {0.0f, 1.5f, 10.0f, 1.0f};
float degToRad = 0.017453292f;

GLuint wallTexture = 0;
GLuint glyphTexture = 0;
GLuint ceilingTexture = 0;
GLuint floorTexture = 0;

void redisplayView()
{
    glutSetWindow(viewWindow);
    glutPostRedisplay();
}
