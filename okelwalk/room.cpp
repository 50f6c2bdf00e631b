// The frames of the room walk-through's three windows.
#include "okelwalk/room.h"

#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>

#include "okelwalk/lists.h"
#include "okelwalk/walk.h"

namespace {

// The word's nine blocks, each a cube scaled to its half-extents: glyph A
// twice as a plain column, glyph B as three bars joined by two half-height
// columns, glyph C as a column with a bar on top.
struct Block {
    GLfloat translate[3];
    GLfloat scale[3];
};

const Block GLYPH_BLOCKS[9] = {
    {{-4.0f, 0.0f, 0.0f}, {0.5f, 3.0f, 0.5f}}, // glyph A, first
    {{-2.0f, 0.0f, 0.0f}, {0.5f, 3.0f, 0.5f}}, // glyph A, second
    {{0.5f, 2.5f, 0.0f}, {1.5f, 0.5f, 0.5f}},  // glyph B, top bar
    {{0.5f, 0.0f, 0.0f}, {1.5f, 0.5f, 0.5f}},  // glyph B, middle bar
    {{0.5f, -2.5f, 0.0f}, {1.5f, 0.5f, 0.5f}}, // glyph B, bottom bar
    {{-0.5f, 1.5f, 0.0f}, {0.5f, 1.5f, 0.5f}}, // glyph B, upper-left column
    {{1.5f, -1.5f, 0.0f}, {0.5f, 1.5f, 0.5f}}, // glyph B, lower-right column
    {{4.0f, 0.0f, 0.0f}, {0.5f, 3.0f, 0.5f}},  // glyph C, column
    {{4.0f, 2.5f, 0.0f}, {1.5f, 0.5f, 0.5f}},  // glyph C, top bar
};

// Where each wall stands and which way it is turned about y, so that all
// four face into the room.
struct WallPlace {
    GLfloat translate[3];
    GLfloat angle; // 0: no rotation
};

const WallPlace WALLS[4] = {
    {{-10.0f, 0.0f, 0.0f}, 90.0f}, // x = -10, facing +x
    {{0.0f, 0.0f, -10.0f}, 0.0f},  // z = -10, facing +z
    {{10.0f, 0.0f, 0.0f}, -90.0f}, // x = 10, facing -x
    {{0.0f, 0.0f, 10.0f}, 180.0f}, // z = 10, facing -z
};

struct HelpLine {
    float x;
    float y;
    const char* text;
};

const HelpLine HELP_LINES[3] = {
    {20.0f, 75.0f, "    Arrow keys: up/down to walk forward/back"},
    {20.0f, 50.0f, "                    : left/right to turn"},
    {20.0f, 25.0f, "Page up/down: tilt head up/down"},
};

// The lamp box on its orbit; the light is placed in the same frame, so it
// stands beyond the box, on the lamp's bearing.
void drawLamp()
{
    glDisable(GL_TEXTURE_2D);
    setMaterial(MAT_LAMP);
    glPushMatrix();
    glRotatef(lampAngle, 0.0f, 1.0f, 0.0f);
    glTranslatef(lightPosition[0], lightPosition[1], lightPosition[2]);
    glScalef(0.2f, 0.2f, 0.5f);
    glCallList(LIST_CUBE);
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glPopMatrix();
}

void drawGlyphs()
{
    setMaterial(MAT_GLYPH);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, glyphTexture);
    for (const Block& block : GLYPH_BLOCKS) {
        glPushMatrix();
        glTranslatef(block.translate[0], block.translate[1], block.translate[2]);
        glScalef(block.scale[0], block.scale[1], block.scale[2]);
        glCallList(LIST_CUBE);
        glPopMatrix();
    }
}

// The floor and ceiling quads are flattened onto their planes by a zero
// vertical scale.
void drawFloor()
{
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, floorTexture);
    setMaterial(MAT_FLOOR);
    glPushMatrix();
    glTranslatef(0.0f, -3.0f, 0.0f);
    glScalef(10.0f, 0.0f, 10.0f);
    glCallList(LIST_FLOOR);
    glPopMatrix();
}

void drawWalls()
{
    glBindTexture(GL_TEXTURE_2D, wallTexture);
    setMaterial(MAT_WALL);
    for (const WallPlace& wall : WALLS) {
        glPushMatrix();
        glTranslatef(wall.translate[0], wall.translate[1], wall.translate[2]);
        if (wall.angle != 0.0f)
            glRotatef(wall.angle, 0.0f, 1.0f, 0.0f);
        glScalef(10.0f, 3.0f, 1.0f);
        glCallList(LIST_WALL);
        glPopMatrix();
    }
}

void drawCeiling()
{
    glBindTexture(GL_TEXTURE_2D, ceilingTexture);
    setMaterial(MAT_CEILING);
    glPushMatrix();
    glTranslatef(0.0f, 3.0f, 0.0f);
    glScalef(10.0f, 0.0f, 10.0f);
    glCallList(LIST_CEILING);
    glPopMatrix();
}

} // namespace

void drawView()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();

    // The eye stands at (eyeX, 0.25 + bobHeight, eyeZ).
    glRotatef(tilt, 1.0f, 0.0f, 0.0f);
    glRotatef(360.0f - heading, 0.0f, 1.0f, 0.0f);
    glTranslatef(-eyeX, -bobHeight - 0.25f, -eyeZ);

    drawLamp();
    drawGlyphs();
    drawFloor();
    drawWalls();
    drawCeiling();

    glFlush();
    glutSwapBuffers();
}

void drawHelp()
{
    glClearColor(0.3f, 0.3f, 0.3f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glColor3f(0.0f, 1.0f, 0.0f);
    for (const HelpLine& line : HELP_LINES)
        drawBitmapText(GLUT_BITMAP_HELVETICA_12, line.x, line.y, "%s", line.text);
    glFlush();
    glutSwapBuffers();
}

void drawMainWindow()
{
    glClearColor(0.6f, 0.6f, 0.6f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glFlush();
    glutSwapBuffers();
}

void drawBitmapText(void* font, float x, float y, const char* format, ...)
{
    // A longer text is cut at BITMAP_TEXT_SIZE - 1 characters.
    char text[BITMAP_TEXT_SIZE];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);

    glRasterPos2f(x, y);
    for (const char* c = text; *c != '\0'; ++c)
        glutBitmapCharacter(font, static_cast<unsigned char>(*c));
}
