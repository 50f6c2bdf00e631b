// The block word of the letter-scene viewer's frame, drawn in a real
// 1024 x 768 window with solid-colour texture files, and probed where the
// geometry puts each piece: its pieces and edges, the textures its slots
// start with, and the view box over the viewport.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "okel/scene.h"
#include "tests/okel/frameFixture.h"
#include "tests/support/glFrames.h"
#include "tests/support/okelTestScene.h"
#include "tests/support/picture.h"

namespace {

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
    const Screenshot picture = drawFrames();
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
    const Screenshot picture = drawFrames();
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

// The word's edges to the pixel, each glyph position in a colour of its
// own: along every edge of every box, inner edges included, the pixels
// either side show what the boxes' places put at their centres, the
// glyph's colour inside a box and the backdrop outside all of them. A piece
// moved by one glyph unit (1.3 pixels across, 1 up) or grown by half a unit
// shows on the wrong side of one of them.
TEST_F(Frame, EveryPieceEdgeStandsWithinAPixelOfItsPlace)
{
    glyphSlot1 = 2;
    glyphSlot2 = 4;
    glyphSlot3 = 5;
    glyphSlot4 = 9;
    const char* const files[] = {"earth1024.raw", "metal6464.raw", "tablecloth256.raw", "envwall128.raw", "sunset.raw"};
    const Screenshot picture = drawFrames();
    keepForFailure(picture, "edges");
    // What the boxes put at a pixel's centre, or nothing (-1) where the
    // centre lies too close to an edge to tell.
    const auto expectedAt = [](int column, int row) {
        const double cx = column + 0.5, cy = row + 0.5;
        int glyph = 0;
        for (const WordBox& box : WORD_BOXES) {
            const double l = windowX(box.left), r = windowX(box.right), t = windowY(box.top), b = windowY(box.bottom);
            if (cx > l - 0.05 && cx < r + 0.05 && cy > t - 0.05 && cy < b + 0.05) {
                if (cx < l + 0.05 || cx > r - 0.05 || cy < t + 0.05 || cy > b - 0.05)
                    return -1;
                glyph = box.glyph;
            }
        }
        return glyph;
    };
    int wrong = 0, checked = 0;
    const auto check = [&](const WordBox& box, const char* edge, int column, int row) {
        const int glyph = expectedAt(column, row);
        if (glyph < 0)
            return;
        ++checked;
        ::testing::AssertionResult right = probe(picture, column, row, colourOf(files[glyph]));
        if (!right && ++wrong <= 5)
            ADD_FAILURE() << right.message() << " by the " << edge << " edge of " << box.name;
    };
    for (const WordBox& box : WORD_BOXES) {
        int before = 0, after = 0;
        // Along each edge, a pixel apart, from end to end.
        for (int row = py(box.top) + 1; row < py(box.bottom) - 1; ++row) {
            if (pixelsAround(windowX(box.left), before, after))
                check(box, "left", before, row), check(box, "left", after, row);
            if (pixelsAround(windowX(box.right), before, after))
                check(box, "right", before, row), check(box, "right", after, row);
        }
        for (int column = px(box.left) + 1; column < px(box.right) - 1; ++column) {
            if (pixelsAround(windowY(box.top), before, after))
                check(box, "top", column, before), check(box, "top", column, after);
            if (pixelsAround(windowY(box.bottom), before, after))
                check(box, "bottom", column, before), check(box, "bottom", column, after);
        }
    }
    EXPECT_EQ(wrong, 0) << "pixels by the edges that show the wrong thing";
    EXPECT_GT(checked, 3000);
}

TEST_F(Frame, StartSlotsShowCheckerGradientMetalAndStars)
{
    const Screenshot picture = drawFrames();
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
    const Screenshot first = lastFrame();
    const Screenshot later = drawFrames();
    const int x0 = px(-138), x1 = px(-112), y0 = py(28), y1 = py(-28);
    EXPECT_GT(countNear(later, x0, y0, x1, y1, WHITE), 500);
    EXPECT_EQ(countNear(first, x0, y0, x1, y1, WHITE), 0);
}

TEST_F(Frame, MissingTextureFileKeepsTheEarlierPictureAndTheFrameGoesOn)
{
    std::remove("earth1024.raw");
    glyphSlot4 = 3; // the last load before the backdrop fills the whole buffer
    const Screenshot picture = drawFrames();
    EXPECT_TRUE(probe(picture, px(0), py(120), colourOf("star1024.raw")));
    EXPECT_TRUE(probe(picture, px(25), py(-1), colourOf("metal6464.raw")));
    EXPECT_GT(countNear(picture, 0, 726, 700, 760, WHITE), 400);
}

TEST_F(Frame, ViewBoxIsStretchedOverTheViewport)
{
    reshapeScene(512, 384);
    glyphSlot3 = 5;
    const Screenshot picture = drawFrames();
    reshapeScene(WIDTH, HEIGHT);
    // Half the size, drawn at the bottom left of the window.
    EXPECT_TRUE(probe(picture, px(25) / 2, HEIGHT / 2 + py(-1) / 2, colourOf("envwall128.raw")));
    EXPECT_TRUE(probe(picture, 700, 100, BLACK)) << "outside the viewport nothing is drawn";
}

} // namespace
