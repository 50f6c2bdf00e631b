// The frame of the letter-scene viewer, drawn in a real 1024 x 768 window
// with solid-colour texture files, and probed where the geometry puts each
// piece.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "frame.h"
#include "glFrames.h"
#include "glWindow.h"
#include "glyphs.h"
#include "input.h"
#include "okelScene.h"
#include "scene.h"
#include "textures.h"

namespace {

constexpr int WIDTH = 1024;
constexpr int HEIGHT = 768;
const Rgb BLACK{0, 0, 0};
const Rgb WHITE{255, 255, 255};

class Frame : public ::testing::Test {
protected:
    void SetUp() override
    {
        openTestWindow(WIDTH, HEIGHT);
        initGL();
        reshapeScene(WIDTH, HEIGHT);
        makePatterns();
        resetScene();
        writeSolidTextures();
    }

    // Draws two frames, so that the first frame's modulated patterns are
    // gone, and returns what the second drew.
    Picture drawFrames()
    {
        drawScene();
        drawScene();
        return lastFrame();
    }

    Rgb colourOf(const char* file) { return solidColourOf(file); }

    ScratchFolder folder;
};

struct Probe {
    const char* piece;
    double x;
    double y;
    const char* file; // nullptr: the backdrop's earth colour
};

TEST_F(Frame, BlockWordPiecesStandWhereTheirGlyphsPutThemInTheirSlotColours)
{
    glyphSlot1 = 2; // metal
    glyphSlot2 = 4; // tablecloth
    glyphSlot3 = 5; // envwall
    glyphSlot4 = 9; // sunset
    const Picture picture = drawFrames();
    keepForFailure(picture, "blocks");

    const Probe probes[] = {
        {"A1 column", -125, 0, "metal6464.raw"},
        {"A1 top bar", -103, 45, "metal6464.raw"},
        {"A1 bottom bar", -147, -45, "metal6464.raw"},
        {"A1 left of column", -148, 0, nullptr},
        {"A1 right of column", -102, 0, nullptr},
        {"A2 column", -50, 0, "tablecloth256.raw"},
        {"A2 top bar", -72, 45, "tablecloth256.raw"},
        {"A2 bottom bar", -28, -45, "tablecloth256.raw"},
        {"between A1 and A2", -87, 0, nullptr},
        {"B top bar", 40, 48.5, "envwall128.raw"},
        {"B middle bar", 25, -1, "envwall128.raw"},
        {"B bottom bar", 10, -50.5, "envwall128.raw"},
        {"B right upright", 50, -20, "envwall128.raw"},
        {"B right upright, just above the bottom bar", 50, -37, "envwall128.raw"},
        {"B left upright, just below the top bar", 0, 35, "envwall128.raw"},
        {"B left upright", 0, 25, "envwall128.raw"},
        {"B upper gap", 30, 24, nullptr},
        {"B lower gap", 20, -26, nullptr},
        {"B right of the left upright, below the top bar", 10, 30, nullptr},
        {"C column", 100, -30, "sunset.raw"},
        {"C top bar left", 78, 39, "sunset.raw"},
        {"C top bar right", 122, 39, "sunset.raw"},
        {"C beside the column", 78, -30, nullptr},
        {"above the word", 0, 120, nullptr},
        {"below the word", 0, -120, nullptr},
    };
    for (const Probe& p : probes) {
        const Rgb expected = p.file ? colourOf(p.file) : colourOf("earth1024.raw");
        EXPECT_TRUE(probe(picture, px(p.x), py(p.y), expected)) << p.piece;
    }
}

TEST_F(Frame, BlockGlyphsReachExactlyTheirOuterEdges)
{
    glyphSlot1 = glyphSlot2 = glyphSlot3 = glyphSlot4 = 7; // blue.raw everywhere
    const Picture picture = drawFrames();
    const Rgb glyph = colourOf("blue.raw");
    const Rgb backdrop = colourOf("earth1024.raw");
    struct Edges {
        const char* glyph;
        double left, right, bottom, top; // outer box
        double rowY;                     // a row through a full-width bar
        double columnX;                  // a column through the full height
    };
    const Edges edges[] = {
        {"A1", -155, -95, -60, 60, 45, -125},
        {"A2", -80, -20, -60, 60, -45, -50},
        {"B", -5, 55, -61.5, 59.5, 48.5, 0},
        {"C", 70, 130, -61, 59, 39, 100},
    };
    // Two pixels inside and outside each edge (2.67 pixels a unit across,
    // 2 pixels a unit up).
    for (const Edges& e : edges) {
        const int row = py(e.rowY);
        EXPECT_TRUE(probe(picture, px(e.left) + 2, row, glyph)) << e.glyph << " left edge";
        EXPECT_TRUE(probe(picture, px(e.left) - 2, row, backdrop)) << e.glyph << " left edge";
        EXPECT_TRUE(probe(picture, px(e.right) - 2, row, glyph)) << e.glyph << " right edge";
        EXPECT_TRUE(probe(picture, px(e.right) + 2, row, backdrop)) << e.glyph << " right edge";
    }
    // The glyph B column at x = 0 only spans its left upright and the bars,
    // so probe its top and bottom through the bars at their middles.
    const Edges& b = edges[2];
    EXPECT_TRUE(probe(picture, px(25), py(b.top) + 2, glyph)) << "B top edge";
    EXPECT_TRUE(probe(picture, px(25), py(b.top) - 2, backdrop)) << "B top edge";
    EXPECT_TRUE(probe(picture, px(25), py(b.bottom) - 2, glyph)) << "B bottom edge";
    EXPECT_TRUE(probe(picture, px(25), py(b.bottom) + 2, backdrop)) << "B bottom edge";
    for (const Edges* e : {&edges[0], &edges[1], &edges[3]}) {
        EXPECT_TRUE(probe(picture, px(e->columnX), py(e->top) + 2, glyph)) << e->glyph << " top edge";
        EXPECT_TRUE(probe(picture, px(e->columnX), py(e->top) - 2, backdrop)) << e->glyph << " top edge";
        EXPECT_TRUE(probe(picture, px(e->columnX), py(e->bottom) - 2, glyph)) << e->glyph << " bottom edge";
        EXPECT_TRUE(probe(picture, px(e->columnX), py(e->bottom) + 2, backdrop)) << e->glyph << " bottom edge";
    }
}

// Each box's front face carries the whole texture once: on an unturned box
// s grows from 0 at its bottom to 1 at its top and t from its left to its
// right; on a turned one s grows from left to right and t from top to
// bottom. A texture whose every texel tells where it is (red 256 s, green
// 256 t) shows on every box that part of it that the box's place and size
// give, away from the edges and from where boxes overlap.
TEST_F(Frame, EveryBoxFaceShowsTheWholeTextureOnceAcrossItsPlaceAndSize)
{
    std::vector<unsigned char> gradient;
    for (int row = 0; row < 64; ++row)
        for (int column = 0; column < 64; ++column)
            gradient.insert(gradient.end(),
                            {static_cast<unsigned char>(4 * column + 2), static_cast<unsigned char>(4 * row + 2), 60});
    writeFile("metal6464.raw", gradient);
    glyphSlot1 = glyphSlot2 = glyphSlot3 = glyphSlot4 = 2;
    const Picture picture = drawFrames();
    keepForFailure(picture, "gradient");

    auto inside = [](const WordBox& b, double x, double y, double margin) {
        return x > b.left - margin && x < b.right + margin && y > b.bottom - margin && y < b.top + margin;
    };
    for (const WordBox& box : WORD_BOXES) {
        int probed = 0;
        for (double u : {0.1, 0.3, 0.5, 0.7, 0.9})
            for (double v : {0.1, 0.3, 0.5, 0.7, 0.9}) {
                // The centre of the pixel nearest to the point u, v of the
                // face, in the view box, and where it lies on the face.
                const int column = px(box.left + u * (box.right - box.left));
                const int row = py(box.bottom + v * (box.top - box.bottom));
                const double x = (column + 0.5) * VIEW_SIZE / WIDTH - VIEW_SIZE / 2.0;
                const double y = VIEW_SIZE / 2.0 - (row + 0.5) * VIEW_SIZE / HEIGHT;
                const double across = (x - box.left) / (box.right - box.left);
                const double up = (y - box.bottom) / (box.top - box.bottom);
                // Two pixels from any edge, and outside every other box.
                bool covered = !inside(box, x, y, -1.0);
                for (const WordBox& other : WORD_BOXES)
                    covered = covered || (&other != &box && inside(other, x, y, 1.0));
                if (covered)
                    continue;
                const double s = box.turned ? across : up, t = box.turned ? 1 - up : across;
                const Rgb expected{static_cast<int>(std::lround(256 * s)), static_cast<int>(std::lround(256 * t)), 60};
                EXPECT_TRUE(probe(picture, column, row, expected, 4)) << box.name << " at s " << s << ", t " << t;
                ++probed;
            }
        EXPECT_GE(probed, 5) << box.name;
    }
}

TEST_F(Frame, StartSlotsShowCheckerGradientMetalAndStars)
{
    const Picture picture = drawFrames();
    keepForFailure(picture, "start");
    // Glyph 1 wears the checker: both black and white squares on its column.
    const int x0 = px(-138), x1 = px(-112), y0 = py(28), y1 = py(-28);
    EXPECT_GT(countNear(picture, x0, y0, x1, y1, BLACK), 500);
    EXPECT_GT(countNear(picture, x0, y0, x1, y1, WHITE), 500);
    // Glyph 2 wears the gradient: neither one flat colour nor the backdrop.
    const int area = (px(-38) - px(-62) + 1) * (py(-28) - py(28) + 1);
    EXPECT_LT(countNear(picture, px(-62), py(28), px(-38), py(-28), picture.at(px(-50), py(0)), 0), area / 2);
    EXPECT_EQ(countNear(picture, px(-62), py(28), px(-38), py(-28), colourOf("earth1024.raw")), 0);
    EXPECT_TRUE(probe(picture, px(25), py(-1), colourOf("metal6464.raw")));
    EXPECT_TRUE(probe(picture, px(100), py(-30), colourOf("star1024.raw")));
}

TEST_F(Frame, FirstFrameModulatesThePatternsUntilTheFirstFileLoad)
{
    // A fresh context starts in modulate mode: the checker's white squares
    // take the lit surface colour, which is darker than white.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    drawScene();
    const Picture first = lastFrame();
    const Picture later = drawFrames();
    const int x0 = px(-138), x1 = px(-112), y0 = py(28), y1 = py(-28);
    EXPECT_GT(countNear(later, x0, y0, x1, y1, WHITE), 500);
    EXPECT_EQ(countNear(first, x0, y0, x1, y1, WHITE), 0);
}

TEST_F(Frame, StatusTextIsWhiteInItsTwoRowsAtTheLowerLeft)
{
    const Picture picture = drawFrames();
    // Baselines 177 and 187 units below the centre: rows 738 and 758.
    const Rgb backdrop = colourOf("earth1024.raw");
    EXPECT_GT(countNear(picture, 0, 726, 700, 740, WHITE), 200) << "first line";
    EXPECT_GT(countNear(picture, 0, 746, 700, 760, WHITE), 200) << "second line";
    EXPECT_EQ(countNear(picture, 0, 743, 700, 745, WHITE), 0) << "gap between the lines";
    EXPECT_EQ(countNear(picture, 0, 600, WIDTH - 1, 720, WHITE), 0) << "above the text";
    EXPECT_EQ(countNear(picture, 700, 726, WIDTH - 1, 767, WHITE), 0) << "right of the text";
    EXPECT_TRUE(probe(picture, 5, 733, backdrop)) << "left margin";
}

TEST_F(Frame, StatusLinesShowCameraAndAxis)
{
    char line[TEXT_BUFFER_SIZE];
    std::snprintf(line, sizeof line, CAMERA_FORMAT, 0.0, 0.0, 50.0);
    EXPECT_STREQ(line, "camera x : 0.0   camera y : 0.0     camera z :  50");
    std::snprintf(line, sizeof line, CAMERA_FORMAT, 20.0, -256.0, -50.0);
    EXPECT_STREQ(line, "camera x : 20.0   camera y : -256.0     camera z : -50");

    // The second line is the last one the frame formats into textBuffer.
    drawScene();
    EXPECT_STREQ(textBuffer, "rotate teaz : 0.0  rotate teax : 0.0  rotate teay : 1.0");
    teaz = static_cast<float>(0.0 + 0.1);
    teax = -1.0f;
    drawScene();
    EXPECT_STREQ(textBuffer, "rotate teaz : 0.1  rotate teax : -1.0  rotate teay : 1.0");
}

TEST_F(Frame, FontListsAreBuiltOnceOnTheFirstFrame)
{
    drawScene();
    const GLuint first = fontBase;
    ASSERT_NE(first, 0u);
    for (GLuint code = 0; code < 256; ++code)
        ASSERT_TRUE(glIsList(first + code)) << "list for code " << code;
    drawScene();
    EXPECT_EQ(fontBase, first);
    EXPECT_FALSE(glIsList(first + 256)) << "a later frame built more lists";
}

TEST_F(Frame, BigScaleTriplesTheWordAndPutsTheBackdropBeyondTheFarPlane)
{
    glyphSlot3 = 5;
    bigScale = 1;
    const Picture picture = drawFrames();
    keepForFailure(picture, "big");
    // Glyph B's top bar now spans y 112.5 .. 178.5 and x -15 .. 165.
    EXPECT_TRUE(probe(picture, px(75), py(145), colourOf("envwall128.raw")));
    EXPECT_TRUE(probe(picture, px(60), py(70), BLACK)) << "the backdrop is not drawn";
    EXPECT_TRUE(probe(picture, px(-40), py(0), BLACK));
    EXPECT_GT(countNear(picture, 0, 726, 700, 760, WHITE), 400) << "the status text keeps its size";
}

TEST_F(Frame, FromTheBackTheBackdropIsClippedAndTheMoonAndSpheresShow)
{
    glyphSlot1 = glyphSlot2 = glyphSlot3 = glyphSlot4 = 7; // no white on the word
    cameraZ = -50.0f;
    const Picture picture = drawFrames();
    keepForFailure(picture, "back");
    // Seen from behind, x is mirrored: the moon at (-60, 120) shows at x 60.
    EXPECT_TRUE(probe(picture, px(60), py(120), colourOf("moon256.raw")));
    // The first sphere of the small cluster at (15, 100) shows at x -15.
    EXPECT_TRUE(probe(picture, px(-15), py(100), WHITE));
    // The large cluster's sphere at (-60, -100) shows at x 60, below the
    // word.
    EXPECT_TRUE(probe(picture, px(60), py(-100), WHITE));
    EXPECT_TRUE(probe(picture, px(0), py(150), BLACK));
    EXPECT_EQ(countNear(picture, 0, 0, WIDTH - 1, HEIGHT - 1, colourOf("earth1024.raw")), 0);

    // Tripled, the clusters and the moon lie beyond the far plane too.
    bigScale = 1;
    const Picture big = drawFrames();
    EXPECT_EQ(countNear(big, 0, 0, WIDTH - 1, 700, colourOf("moon256.raw")), 0);
    EXPECT_EQ(countNear(big, 0, 0, WIDTH - 1, 700, WHITE), 0);
}

TEST_F(Frame, TeapotWordReplacesTheBlocks)
{
    glyphSlot1 = 2;
    glyphSlot4 = 9;
    teapotMode = 1;
    const Picture picture = drawFrames();
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

class TeapotWord : public Frame, public ::testing::WithParamInterface<TeapotGlyph> {};

// Every teapot of the glyph shows its texture at its centre, and its body's
// front stands where one at the glyph's depth has it; the ground shows all
// around it, wherever no other teapot stands. A teapot moved 10 units any
// way covers ground that should show, or leaves its centre or its depth.
TEST_P(TeapotWord, EveryTeapotStandsAtItsOffsetFromTheGlyph)
{
    const TeapotGlyph& glyph = GetParam();
    glyphSlot1 = 2;
    glyphSlot2 = 4;
    glyphSlot3 = 5;
    glyphSlot4 = 9;
    teapotMode = 1;
    teapotAngle = 90.0f;
    const Picture picture = drawFrames();
    keepForFailure(picture, "teapots");
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

INSTANTIATE_TEST_SUITE_P(Glyphs, TeapotWord, ::testing::ValuesIn(TEAPOT_GLYPHS),
                         [](const ::testing::TestParamInfo<TeapotGlyph>& info) { return info.param.name; });

TEST_F(Frame, MissingTextureFileKeepsTheEarlierPictureAndTheFrameGoesOn)
{
    std::remove("earth1024.raw");
    glyphSlot4 = 3; // the last load before the backdrop fills the whole buffer
    const Picture picture = drawFrames();
    EXPECT_TRUE(probe(picture, px(0), py(120), colourOf("star1024.raw")));
    EXPECT_TRUE(probe(picture, px(25), py(-1), colourOf("metal6464.raw")));
    EXPECT_GT(countNear(picture, 0, 726, 700, 760, WHITE), 400);
}

TEST_F(Frame, ViewBoxIsStretchedOverTheViewport)
{
    reshapeScene(512, 384);
    glyphSlot3 = 5;
    const Picture picture = drawFrames();
    reshapeScene(WIDTH, HEIGHT);
    // Half the size, drawn at the bottom left of the window.
    EXPECT_TRUE(probe(picture, px(25) / 2, HEIGHT / 2 + py(-1) / 2, colourOf("envwall128.raw")));
    EXPECT_TRUE(probe(picture, 700, 100, BLACK)) << "outside the viewport nothing is drawn";
}

} // namespace
