// The frame of the letter-scene viewer and its stroke-font text.
#include "okel/frame.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstring>

#include "generated/textureFiles.h"
#include "okel/glyphs.h"
#include "okel/scene.h"
#include "okel/textures.h"

namespace {

constexpr int FONT_LISTS = 256;
constexpr double SPHERE_RADIUS = 1.0;
constexpr int SPHERE_DETAIL = 50; // slices and stacks

// The moves between the spheres of each cluster, in cluster units.
const GLfloat SMALL_CLUSTER_MOVES[][3] = {
    {10, 0, 0},
    {10, -10, 0},
    {0, -10, 0},
    {-10, -10, 0},
    {-10, 0, 0},
};
const GLfloat LARGE_CLUSTER_MOVES[][3] = {
    {-10, 0, 0},
    {-10, 0, 0},
    {-10, 0, 0},
    {-10, 0, 0},
    {-10, 0, 0},
    {20, -20, 0},
    {0, -20, 0},
    {0, -20, 0},
    {20, 0, 0},
    {-10, -10, 0},
    {-10, 0, 0},
};

// Draws a sphere here, then one more after each move.
template <int N>
void drawSphereCluster(const GLfloat (&moves)[N][3])
{
    glutSolidSphere(SPHERE_RADIUS, SPHERE_DETAIL, SPHERE_DETAIL);
    for (const GLfloat* move : moves) {
        glTranslatef(move[0], move[1], move[2]);
        glutSolidSphere(SPHERE_RADIUS, SPHERE_DETAIL, SPHERE_DETAIL);
    }
}

// Formats one status line into textBuffer and draws it at the given height
// from the lower left corner of the view box, unaffected by the camera.
void drawStatusLine(float y, const char* format, double a, double b, double c)
{
    glPushMatrix();
    glLoadIdentity();
    glColor3f(1.0f, 1.0f, 1.0f);
    glTranslatef(-VIEW_SIZE / 2 + 5, y, 10.0f);
    glScalef(0.04f, 0.04f, 1.0f);
    std::snprintf(textBuffer, sizeof textBuffer, format, a, b, c);
    drawStrokeText(textBuffer);
    glPopMatrix();
}

void drawBlockWord()
{
    glPushMatrix();
    glScalef(0.5f, 0.5f, 0.5f);
    selectTexture(static_cast<unsigned int>(glyphSlot1));
    glTranslatef(-250.0f, 0.0f, 0.0f);
    blockGlyphA();
    glTranslatef(150.0f, 0.0f, 0.0f);
    selectTexture(static_cast<unsigned int>(glyphSlot2));
    blockGlyphA();
    glTranslatef(150.0f, 0.0f, 0.0f);
    selectTexture(static_cast<unsigned int>(glyphSlot3));
    glPushMatrix();
    glTranslatef(0.0f, 97.0f, 0.0f);
    glScalef(1.0f, 1.1f, 1.0f);
    blockGlyphB();
    glPopMatrix();
    glTranslatef(150.0f, -42.0f, 0.0f);
    selectTexture(static_cast<unsigned int>(glyphSlot4));
    blockGlyphC();
    glPopMatrix();
}

void drawTeapotWord()
{
    selectTexture(static_cast<unsigned int>(glyphSlot1));
    teapotGlyphA(-155.0f, 50.0f, teapotAngle);
    selectTexture(static_cast<unsigned int>(glyphSlot2));
    teapotGlyphA(-75.0f, 50.0f, teapotAngle);
    selectTexture(static_cast<unsigned int>(glyphSlot3));
    teapotGlyphB(0.0f, 50.0f, teapotAngle);
    selectTexture(static_cast<unsigned int>(glyphSlot4));
    teapotGlyphC(75.0f, 50.0f, teapotAngle);
}

// The spinning group behind the word: the Earth backdrop, two clusters of
// small white spheres and the moon.
void drawBackdropGroup()
{
    glRotatef(spinAngle, 0.0f, 0.0f, 1.0f);
    glTranslatef(0.0f, 0.0f, -200.0f);
    loadTextureFile(EARTH_FILE);
    glScalef(300.0f, 400.0f, 1.0f);
    drawFace(0, 3, 2, 1);

    loadTextureFile(WHITEBRIGHT_FILE);
    glPushMatrix();
    glScalef(0.005f, 0.005f, 1.0f);
    glTranslatef(10.0f, 50.0f, 400.0f);
    drawSphereCluster(SMALL_CLUSTER_MOVES);
    glPopMatrix();

    glPushMatrix();
    glScalef(0.005f, 0.005f, 1.0f);
    glTranslatef(0.0f, 0.0f, 400.0f);
    glTranslatef(-10.0f, -10.0f, 0.0f);
    drawSphereCluster(LARGE_CLUSTER_MOVES);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(-0.2f, 0.3f, 410.0f);
    loadTextureFile(MOON_FILE);
    glScalef(0.1f, 0.1f, 1.0f);
    drawFace(0, 3, 2, 1);
    glPopMatrix();
}

} // namespace

void drawStrokeText(const char* text)
{
    if (fontBase == 0) {
        fontBase = glGenLists(FONT_LISTS);
        for (int code = 0; code < FONT_LISTS; ++code) {
            glNewList(fontBase + code, GL_COMPILE);
            glutStrokeCharacter(GLUT_STROKE_MONO_ROMAN, code);
            glEndList();
        }
    }
    glListBase(fontBase);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
}

void drawScene()
{
    glMatrixMode(GL_PROJECTION);
    glEnable(GL_TEXTURE_2D);
    glLoadIdentity();
    glOrtho(-VIEW_SIZE / 2, VIEW_SIZE / 2, -VIEW_SIZE / 2, VIEW_SIZE / 2, -50.0, 500.0);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(cameraX, cameraY, cameraZ, 0.0, 0.0, 0.0, 0.0, upSign, 0.0);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    // The tripled scale holds for everything up to the status text.
    if (bigScale == 1)
        glScalef(3.0f, 3.0f, 3.0f);

    if (teapotMode != 0)
        drawTeapotWord();
    else
        drawBlockWord();

    drawBackdropGroup();

    loadTextureFile(WHITEBRIGHT_FILE);
    drawStatusLine(-VIEW_SIZE / 2 + 15, CAMERA_FORMAT, cameraX, cameraY, cameraZ);
    drawStatusLine(-VIEW_SIZE / 2 + 5, AXIS_FORMAT, teaz, teax, teay);

    glutPostRedisplay();
    glutSwapBuffers();
}
