// Scene state and window layout of the room walk-through.
#include "okelwalk/walk.h"

#include <GL/freeglut.h>

int mainWindow = 0;
int helpWindow = 0;
int viewWindow = 0;

#define OKELWALK_DEFINE_VARIABLE(type, name, start) type name = start;
OKELWALK_SCENE_STATE(OKELWALK_DEFINE_VARIABLE)

GLfloat lightPosition[4] = {0.0f, 1.5f, 10.0f, 1.0f};
float degToRad = 0.017453292f;

GLuint wallTexture = 0;
GLuint glyphTexture = 0;
GLuint ceilingTexture = 0;
GLuint floorTexture = 0;

void resetWalkScene()
{
#define OKELWALK_RESET_VARIABLE(type, name, start) name = start;
    OKELWALK_SCENE_STATE(OKELWALK_RESET_VARIABLE)
}

void redisplayView()
{
    glutSetWindow(viewWindow);
    glutPostRedisplay();
}
