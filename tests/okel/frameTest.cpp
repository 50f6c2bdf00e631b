// The frame of the letter-scene viewer, drawn in a real 1024 x 768 window
// with solid-colour texture files, and probed where the geometry puts each
// piece.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "frame.h"
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

// Window pixel of a point of the 384 x 384 view box, counted from the top
// left, at the start camera.
int px(double x) { return static_cast<int>((x + VIEW_SIZE / 2.0) * WIDTH / VIEW_SIZE); }
int py(double y) { return static_cast<int>((VIEW_SIZE / 2.0 - y) * HEIGHT / VIEW_SIZE); }

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
    // gone, and returns what the window shows.
    Picture drawFrames()
    {
        drawScene();
        drawScene();
        return grabCurrentWindow();
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
    const Picture first = grabCurrentWindow();
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
