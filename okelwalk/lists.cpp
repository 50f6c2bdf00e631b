// Display lists, materials and lighting of the room walk-through.
#include "okelwalk/lists.h"

#include "okelwalk/walk.h"

const GLfloat matSpecular[MATERIAL_COUNT][4] = {
    {0.6f, 0.5f, 0.2f, 1.0f}, // glyph
    {0.9f, 0.9f, 0.9f, 1.0f}, // floor
    {0.7f, 0.8f, 0.9f, 1.0f}, // wall
    {0.9f, 0.9f, 0.9f, 1.0f}, // ceiling
    {1.0f, 1.0f, 1.0f, 1.0f}, // lamp
};
const GLfloat matAmbient[MATERIAL_COUNT][4] = {
    {0.6f, 0.4f, 0.5f, 1.0f},
    {0.3f, 0.8f, 0.3f, 1.0f},
    {0.2f, 0.5f, 0.8f, 1.0f},
    {0.9f, 0.9f, 0.9f, 0.2f},
    {1.0f, 1.0f, 1.0f, 1.0f},
};
const GLfloat matDiffuse[MATERIAL_COUNT][4] = {
    {0.8f, 0.6f, 0.4f, 1.0f},
    {0.4f, 0.9f, 0.4f, 1.0f},
    {0.4f, 0.5f, 0.9f, 1.0f},
    {0.9f, 0.9f, 0.9f, 1.0f},
    {1.0f, 1.0f, 1.0f, 1.0f},
};
// Only the lamp glows.
const GLfloat matEmission[MATERIAL_COUNT][4] = {
    {0.0f, 0.0f, 0.0f, 1.0f},
    {0.0f, 0.0f, 0.0f, 1.0f},
    {0.0f, 0.0f, 0.0f, 1.0f},
    {0.0f, 0.0f, 0.0f, 1.0f},
    {1.0f, 1.0f, 1.0f, 1.0f},
};
const GLfloat matShininess[MATERIAL_COUNT] = {60.0f, 40.0f, 100.0f, 70.0f, 100.0f};

const GLfloat lightAmbient[4] = {0.1f, 0.1f, 0.1f, 1.0f};
const GLfloat lightDiffuse[4] = {0.6f, 0.6f, 0.6f, 1.0f};
const GLfloat lightSpecular[4] = {0.8f, 0.8f, 0.8f, 1.0f};

namespace {

struct Corner {
    GLfloat s, t;
    GLfloat x, y, z;
};

struct Face {
    GLfloat normal[3];
    Corner corners[4];
};

const Face CUBE_FACES[6] = {
    {{0, 0, 1}, {{0, 0, -1, -1, 1}, {1, 0, 1, -1, 1}, {1, 1, 1, 1, 1}, {0, 1, -1, 1, 1}}},      // front
    {{0, 0, -1}, {{1, 0, -1, -1, -1}, {1, 1, -1, 1, -1}, {0, 1, 1, 1, -1}, {0, 0, 1, -1, -1}}}, // back
    {{0, 1, 0}, {{0, 1, -1, 1, -1}, {0, 0, -1, 1, 1}, {1, 0, 1, 1, 1}, {1, 1, 1, 1, -1}}},      // top
    {{0, -1, 0}, {{1, 1, -1, -1, -1}, {0, 1, 1, -1, -1}, {0, 0, 1, -1, 1}, {1, 0, -1, -1, 1}}}, // bottom
    {{1, 0, 0}, {{1, 0, 1, -1, -1}, {1, 1, 1, 1, -1}, {0, 1, 1, 1, 1}, {0, 0, 1, -1, 1}}},      // right
    {{-1, 0, 0}, {{0, 0, -1, -1, -1}, {1, 0, -1, -1, 1}, {1, 1, -1, 1, 1}, {0, 1, -1, 1, -1}}}, // left
};

const Face FLOOR_FACE = {{0, 1, 0}, {{-1, 2, -1, 1, -1}, {-1, -1, -1, 1, 1}, {2, -1, 1, 1, 1}, {2, 2, 1, 1, -1}}};
const Face CEILING_FACE = {{0, -1, 0},
                           {{2, 2, -1, -1, -1}, {-1, 2, 1, -1, -1}, {-1, -1, 1, -1, 1}, {2, -1, -1, -1, 1}}};
const Face WALL_FACE = {{0, 0, 1}, {{0, -2, -1, -1, 0}, {1, -2, 1, -1, 0}, {1, 2, 1, 1, 0}, {0, 2, -1, 1, 0}}};

void emitFace(const Face& face)
{
    glNormal3f(face.normal[0], face.normal[1], face.normal[2]);
    for (const Corner& corner : face.corners) {
        glTexCoord2f(corner.s, corner.t);
        glVertex3f(corner.x, corner.y, corner.z);
    }
}

void drawQuad(const Face& face)
{
    glBegin(GL_POLYGON);
    emitFace(face);
    glEnd();
}

void compileList(GLuint id, void (*draw)())
{
    glNewList(id, GL_COMPILE);
    draw();
    glEndList();
}

} // namespace

void drawCube()
{
    glBegin(GL_QUADS);
    for (const Face& face : CUBE_FACES)
        emitFace(face);
    glEnd();
}

void drawFloorQuad() { drawQuad(FLOOR_FACE); }
void drawWallQuad() { drawQuad(WALL_FACE); }
void drawCeilingQuad() { drawQuad(CEILING_FACE); }

void buildLists()
{
    compileList(LIST_CUBE, drawCube);
    compileList(LIST_FLOOR, drawFloorQuad);
    compileList(LIST_CEILING, drawCeilingQuad);
    compileList(LIST_WALL, drawWallQuad);
}

void setMaterial(int row)
{
    glMaterialfv(GL_FRONT, GL_SPECULAR, matSpecular[row]);
    glMaterialfv(GL_FRONT, GL_AMBIENT, matAmbient[row]);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, matDiffuse[row]);
    glMaterialf(GL_FRONT, GL_SHININESS, matShininess[row]);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, matEmission[row]);
}

void initLighting()
{
    // The modelview matrix is still the identity: the light starts in eye
    // space until the first frame places it with the lamp.
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, lightSpecular);

    glShadeModel(GL_SMOOTH);

    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    // Every list is drawn scaled; normals are rescaled to unit length.
    glEnable(GL_NORMALIZE);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_POLYGON_SMOOTH);

    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);

    glEnable(GL_TEXTURE_2D);
}
