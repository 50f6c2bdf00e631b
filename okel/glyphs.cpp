// Glyph shapes of the letter-scene viewer.
#include "okel/glyphs.h"

#include <GL/freeglut.h>

#include "okel/scene.h"

const GLfloat vertexTable[8][3] = {
    {-1.0f, -1.0f, -1.0f},
    {1.0f, -1.0f, -1.0f},
    {1.0f, 1.0f, -1.0f},
    {-1.0f, 1.0f, -1.0f},
    {-1.0f, -1.0f, 1.0f},
    {1.0f, -1.0f, 1.0f},
    {1.0f, 1.0f, 1.0f},
    {-1.0f, 1.0f, 1.0f},
};

const GLfloat colorTable[8][4] = {
    {1.0f, 1.0f, 1.0f, 0.5f},
    {1.0f, 1.0f, 1.0f, 0.5f},
    {1.0f, 1.0f, 1.0f, 0.5f},
    {1.0f, 1.0f, 1.0f, 0.5f},
    {1.0f, 1.0f, 1.0f, 0.5f},
    {1.0f, 1.0f, 1.0f, 0.5f},
    {1.0f, 1.0f, 1.0f, 0.5f},
    {1.0f, 1.0f, 1.0f, 0.5f},
};

void drawFace(int a, int b, int c, int d)
{
    // The whole texture once across the face: (0,0) at the first corner
    // and (1,1) at the third.
    const int corners[4] = {a, b, c, d};
    static const GLfloat texCoords[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    glBegin(GL_POLYGON);
    for (int i = 0; i < 4; ++i) {
        glColor4fv(colorTable[corners[i]]);
        glTexCoord2fv(texCoords[i]);
        glVertex3fv(vertexTable[corners[i]]);
    }
    glEnd();
}

void drawColorCube()
{
    drawFace(0, 3, 2, 1); // z = -1
    drawFace(2, 3, 7, 6); // y = +1
    drawFace(0, 4, 7, 3); // x = -1
    drawFace(1, 2, 6, 5); // x = +1
    drawFace(4, 5, 6, 7); // z = +1
    drawFace(0, 1, 5, 4); // y = -1
}

void drawTeapot(float angle)
{
    glRotatef(angle, teax, teay, teaz);
    glutSolidTeapot(10.0);
}

namespace {

struct TeapotOffset {
    double dx;
    double dy;
};

const TeapotOffset TEAPOTS_A[] = {
    {0, 0},
    {25, 0},
    {50, 0},
    {25, -25},
    {25, -50},
    {25, -75},
    {0, -100},
    {25, -100},
    {50, -100},
};

const TeapotOffset TEAPOTS_B[] = {
    {5, -10},
    {25, 0},
    {45, -10},
    {0, -25},
    {5, -40},
    {25, -50},
    {45, -60},
    {50, -75},
    {5, -90},
    {25, -100},
    {45, -90},
};

const TeapotOffset TEAPOTS_C[] = {
    {0, 0},
    {25, 0},
    {50, 0},
    {25, -25},
    {25, -50},
    {25, -75},
    {25, -100},
};

template <int N>
void drawTeapots(const TeapotOffset (&offsets)[N], float x, float y, float angle)
{
    for (const TeapotOffset& offset : offsets) {
        glPushMatrix();
        glTranslated(x + offset.dx, y + offset.dy, 0.0);
        drawTeapot(angle);
        glPopMatrix();
    }
}

// One box of glyph B: moved (all but the first), sized, and turned a
// quarter about z so that its faces show the texture turned.
struct BlockPiece {
    bool moved;
    GLfloat translate[3];
    GLfloat scale[3];
};

const BlockPiece PIECES_B[] = {
    {false, {0, 0, 0}, {60, 20, 30}},    // top bar
    {true, {0, -180, 0}, {60, 20, 30}},  // bottom bar
    {true, {0, -90, 0}, {40, 20, 30}},   // middle bar
    {true, {50, -115, 0}, {10, 45, 30}}, // right upright
    {true, {-50, -65, 0}, {10, 45, 30}}, // left upright
};

} // namespace

void teapotGlyphA(float x, float y, float angle) { drawTeapots(TEAPOTS_A, x, y, angle); }
void teapotGlyphB(float x, float y, float angle) { drawTeapots(TEAPOTS_B, x, y, angle); }
void teapotGlyphC(float x, float y, float angle) { drawTeapots(TEAPOTS_C, x, y, angle); }

void blockGlyphA()
{
    glPushMatrix();
    glScalef(30.0f, 60.0f, 30.0f); // column
    drawColorCube();
    glTranslatef(0.0f, 1.5f, 0.0f); // top bar
    glScalef(2.0f, 0.5f, 1.0f);
    drawColorCube();
    glTranslatef(0.0f, -6.0f, 0.0f); // bottom bar
    drawColorCube();
    glPopMatrix();
}

void blockGlyphB()
{
    for (const BlockPiece& piece : PIECES_B) {
        glPushMatrix();
        if (piece.moved)
            glTranslatef(piece.translate[0], piece.translate[1], piece.translate[2]);
        glScalef(piece.scale[0], piece.scale[1], piece.scale[2]);
        glRotatef(-90.0f, 0.0f, 0.0f, 1.0f);
        drawColorCube();
        glPopMatrix();
    }
}

void blockGlyphC()
{
    glPushMatrix();
    glScalef(30.0f, 80.0f, 30.0f); // column
    drawColorCube();
    glTranslatef(0.0f, 1.5f, 0.0f); // top bar
    glScalef(2.0f, 0.5f, 1.0f);
    drawColorCube();
    glPopMatrix();
}
