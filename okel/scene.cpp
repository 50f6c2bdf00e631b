// Scene state and window set-up of the letter-scene viewer.
#include "okel/scene.h"

#define OKEL_DEFINE_VARIABLE(type, name, start) type name = start;
OKEL_SCENE_STATE(OKEL_DEFINE_VARIABLE)

char textBuffer[TEXT_BUFFER_SIZE];
GLuint fontBase = 0;

void resetScene()
{
#define OKEL_RESET_VARIABLE(type, name, start) name = start;
    OKEL_SCENE_STATE(OKEL_RESET_VARIABLE)
}

void initGL()
{
    // Only the diffuse colour of light 0 is set; its position, ambient and
    // specular keep OpenGL's defaults.
    static const GLfloat lightDiffuse[] = {0.7f, 0.7f, 0.7f, 1.0f};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);

    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);

    // Every texture lives in the default texture object; each load later
    // replaces the two filters, the wrap modes hold for the whole run.
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}
