// okel, the letter-scene viewer: the word as textured boxes or spinning
// teapots in front of a spinning backdrop, looked at by a camera driven from
// the keyboard and the mouse.
#include <GL/freeglut.h>

#include "okel/frame.h"
#include "okel/input.h"
#include "okel/scene.h"
#include "okel/textures.h"

int main(int argc, char** argv)
{
    makePatterns();
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(1024, 768);
    glutInitWindowPosition(0, 0);
    glutCreateWindow(OKEL_TITLE); // set in the top-level CMakeLists.txt
    glutDisplayFunc(drawScene);
    glutReshapeFunc(reshapeScene);
    glutMouseFunc(mouseButton);
    glutKeyboardFunc(keyPressed);
    glutIdleFunc(animateScene);
    initGL();
    glutMainLoop();
    return 0;
}
