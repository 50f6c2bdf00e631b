// The teapot word of the letter-scene viewer's frame: where each teapot
// stands, and its outline against a lone teapot drawn in its place.
#include <GL/freeglut.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <ostream>
#include <vector>

#include "okel/scene.h"
#include "tests/okel/frameFixture.h"
#include "tests/support/glFrames.h"
#include "tests/support/okelTestScene.h"
#include "tests/support/picture.h"

namespace {

TEST_F(Frame, TeapotWordReplacesTheBlocks)
{
    glyphSlot1 = 2;
    glyphSlot4 = 9;
    teapotMode = 1;
    const Screenshot picture = drawFrames();
    keepForFailure(picture, "teapots");
    // Teapot centres: glyph 1 from (-155, 50), glyph 4 from (75, 50).
    EXPECT_TRUE(probe(picture, px(-155), py(50), colourOf("metal6464.raw")));
    EXPECT_TRUE(probe(picture, px(-130), py(0), colourOf("metal6464.raw")));
    EXPECT_TRUE(probe(picture, px(100), py(-50), colourOf("sunset.raw")));
    // Where glyph C's block bar was, between its teapots, the backdrop shows.
    EXPECT_TRUE(probe(picture, px(125), py(30), colourOf("earth1024.raw")));
    EXPECT_TRUE(probe(picture, px(-125), py(-15), colourOf("earth1024.raw")));
}

// The teapot word with every teapot turned a quarter about the vertical, so
// that each shows end on: a body some 19 units wide and 16 high about its
// centre (9.5 to either side, 7.5 below and 8.5 above, with the lid's knob),
// which the glyph's texture colours. Each glyph position wears a texture of
// its own.
struct Teapot {
    double dx, dy;
};
struct TeapotGlyph {
    const char* name;
    double x, y;      // where the frame puts the glyph
    const char* file; // what its slot shows
    std::vector<Teapot> teapots;
};
const TeapotGlyph TEAPOT_GLYPHS[] = {
    {"A1",
     -155,
     50,
     "metal6464.raw",
     {{0, 0}, {25, 0}, {50, 0}, {25, -25}, {25, -50}, {25, -75}, {0, -100}, {25, -100}, {50, -100}}},
    {"A2",
     -75,
     50,
     "tablecloth256.raw",
     {{0, 0}, {25, 0}, {50, 0}, {25, -25}, {25, -50}, {25, -75}, {0, -100}, {25, -100}, {50, -100}}},
    {"B",
     0,
     50,
     "envwall128.raw",
     {{5, -10},
      {25, 0},
      {45, -10},
      {0, -25},
      {5, -40},
      {25, -50},
      {45, -60},
      {50, -75},
      {5, -90},
      {25, -100},
      {45, -90}}},
    {"C", 75, 50, "sunset.raw", {{0, 0}, {25, 0}, {50, 0}, {25, -25}, {25, -50}, {25, -75}, {25, -100}}},
};

// True if the point lies within `margin` units of any teapot of the word:
// an ellipse about each body, 9.5 units to either side and 8 up and down
// from 0.5 above its centre.
bool nearAnyTeapot(double x, double y, double margin)
{
    for (const TeapotGlyph& glyph : TEAPOT_GLYPHS)
        for (const Teapot& t : glyph.teapots) {
            const double u = (x - glyph.x - t.dx) / (9.5 + margin);
            const double v = (y - glyph.y - t.dy - 0.5) / (8 + margin);
            if (u * u + v * v <= 1)
                return true;
        }
    return false;
}

void PrintTo(const TeapotGlyph& glyph, std::ostream* out) { *out << "glyph " << glyph.name; }

class TeapotWord : public Frame, public ::testing::WithParamInterface<TeapotGlyph> {
protected:
    // The teapot word, each glyph position wearing a texture of its own and
    // every teapot turned a quarter, so that it shows end on.
    Screenshot drawTeapotWord()
    {
        glyphSlot1 = 2;
        glyphSlot2 = 4;
        glyphSlot3 = 5;
        glyphSlot4 = 9;
        teapotMode = 1;
        teapotAngle = 90.0f;
        const Screenshot picture = drawFrames();
        keepForFailure(picture, "teapots");
        return picture;
    }
};

// Every teapot of the glyph shows its texture at its centre, and its body's
// front stands where one at the glyph's depth has it; the ground shows all
// around it, wherever no other teapot stands. A teapot moved 10 units any
// way covers ground that should show, or leaves its centre or its depth.
TEST_P(TeapotWord, EveryTeapotStandsAtItsOffsetFromTheGlyph)
{
    const TeapotGlyph& glyph = GetParam();
    const Screenshot picture = drawTeapotWord();
    const Rgb texture = colourOf(glyph.file);
    const Rgb ground = colourOf("earth1024.raw");
    for (const Teapot& t : glyph.teapots) {
        const double x = glyph.x + t.dx, y = glyph.y + t.dy;
        SCOPED_TRACE(::testing::Message() << glyph.name << " teapot at (" << x << ", " << y << ")");
        EXPECT_TRUE(probe(picture, px(x), py(y), texture)) << "centre";
        // The body 5 units left of the axis and 3 below the centre: about
        // 8.7 units in front of the glyph's plane. The depth buffer maps the
        // view box's depth, 50 units behind the eye to 500 before it, onto
        // 0 .. 1; the eye is 50 units in front of the plane.
        GLfloat depth = 0;
        glReadPixels(px(x - 5), HEIGHT - 1 - py(y - 3), 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        const double front = 100.0 - depth * 550.0;
        EXPECT_TRUE(front > 7.0 && front < 10.5) << "body front " << front << " units before the plane";
        // Ground on a ring around the body, where no teapot stands.
        int grounds = 0;
        for (int step = 0; step < 8; ++step) {
            const double angle = step * M_PI / 4;
            const double gx = x + 13 * std::cos(angle), gy = y + 0.5 + 12 * std::sin(angle);
            if (nearAnyTeapot(gx, gy, 1.0))
                continue;
            ++grounds;
            EXPECT_TRUE(probe(picture, px(gx), py(gy), ground)) << "ground at (" << gx << ", " << gy << ")";
        }
        EXPECT_GE(grounds, 2) << "too few ground probes";
    }
}

// A lone teapot turned a quarter about the vertical at (x, y), drawn here
// alone on black, untextured and unlit, through the frame's view box from
// the start position; it shows in the window as it stands.
Screenshot loneTeapot(double x, double y)
{
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-VIEW_SIZE / 2.0, VIEW_SIZE / 2.0, -VIEW_SIZE / 2.0, VIEW_SIZE / 2.0, -50, 500);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, 50, 0, 0, 0, 0, 1, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(1, 1, 1);
    glTranslated(x, y, 0);
    glRotated(90, 0, 1, 0);
    glutSolidTeapot(10);
    glPopAttrib();
    glutSwapBuffers();
    return lastFrame();
}

// Every teapot's outline is that of a lone teapot drawn where the glyph's
// place and the teapot's offset put it, within a pixel: every pixel of the
// teapot's surroundings that the lone teapot covers shows the glyph's
// texture and every other one does not, but for pixels next to the lone
// teapot's outline and pixels that the glyph's other teapots cover. A
// teapot moved by one unit (2.7 pixels across, 2 up), resized or missing
// differs on a band wider than that.
TEST_P(TeapotWord, EveryTeapotsOutlineIsThatOfALoneTeapotInItsPlace)
{
    const TeapotGlyph& glyph = GetParam();
    const Screenshot word = drawTeapotWord();
    const Rgb texture = colourOf(glyph.file);
    std::vector<Screenshot> lone;
    for (const Teapot& t : glyph.teapots)
        lone.push_back(loneTeapot(glyph.x + t.dx, glyph.y + t.dy));
    const auto covers = [](const Screenshot& p, int x, int y) { return !(p.at(x, y) == Rgb{0, 0, 0}); };
    const auto nearOutline = [&](const Screenshot& p, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (covers(p, x + dx, y + dy) != covers(p, x, y))
                    return true;
        return false;
    };
    for (size_t i = 0; i < lone.size(); ++i) {
        const double x = glyph.x + glyph.teapots[i].dx, y = glyph.y + glyph.teapots[i].dy;
        SCOPED_TRACE(::testing::Message() << glyph.name << " teapot at (" << x << ", " << y << ")");
        int area = 0, wrong = 0;
        for (int row = py(y + 14); row <= py(y - 14); ++row)
            for (int column = px(x - 14); column <= px(x + 14); ++column) {
                bool other = false;
                for (size_t j = 0; j < lone.size(); ++j)
                    other = other || (j != i && (covers(lone[j], column, row) || nearOutline(lone[j], column, row)));
                if (other || nearOutline(lone[i], column, row))
                    continue;
                const bool inside = covers(lone[i], column, row);
                area += inside ? 1 : 0;
                ::testing::AssertionResult right = probe(word, column, row, texture);
                if (static_cast<bool>(right) != inside && ++wrong <= 3)
                    ADD_FAILURE() << "pixel (" << column << ", " << row << ") "
                                  << (inside ? "lies in the lone teapot but shows " : "lies outside it but shows ")
                                  << word.at(column, row);
            }
        EXPECT_EQ(wrong, 0);
        EXPECT_GT(area, 500) << "the lone teapot covers too little";
    }
}

INSTANTIATE_TEST_SUITE_P(Glyphs, TeapotWord, ::testing::ValuesIn(TEAPOT_GLYPHS),
                         [](const ::testing::TestParamInfo<TeapotGlyph>& info) { return info.param.name; });

} // namespace
