// okelwalk, the room walk-through: the word as textured blocks in a room lit
// by a circling lamp, walked through with the arrow and page keys.
#include <GL/freeglut.h>

#include "okelwalk/lists.h"
#include "okelwalk/navigation.h"
#include "okelwalk/room.h"
#include "okelwalk/textures.h"
#include "okelwalk/walk.h"

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(500, 500);
    glutInitWindowPosition(100, 150);
    mainWindow = glutCreateWindow(OKELWALK_TITLE); // set in the top-level CMakeLists.txt
    glutReshapeFunc(reshapeView);
    glutDisplayFunc(drawMainWindow);
    glutSpecialFunc(specialKey);
    glutIdleFunc(animateLamp);

    helpWindow = glutCreateSubWindow(mainWindow, 10, 420, 480, 70);
    glutDisplayFunc(drawHelp);
    glutReshapeFunc(reshapeHelp);

    viewWindow = glutCreateSubWindow(mainWindow, 10, 10, 480, 400);
    glutReshapeFunc(reshapeView);
    glutDisplayFunc(drawView);
    glutSpecialFunc(specialKey);

    // Lights, textures and lists belong to the 3D view's context alone.
    initLighting();
    initTextures();
    buildLists();

    redisplayView();
    glutMainLoop();
    return 0;
}
