// Helpers for tests of the room walk-through.
#include "tests/support/walkTestScene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <vector>

#include "generated/textureFiles.h"
#include "tests/support/files.h"

// Pure hues: a lit surface keeps its hue, only its brightness changes.
const Rgb WALL_COLOUR{0, 0, 255};
const Rgb GLYPH_COLOUR{255, 0, 0};
const Rgb CEILING_COLOUR{255, 255, 0};

const Rgb FRAME_GREY{153, 153, 153};
const Rgb HELP_GREY{77, 77, 77};
const Rgb HELP_TEXT{0, 255, 0};

void writeSolidWalkTextures()
{
    writeSolidBitmap(WALL_FILE.name, WALL_FILE.size, WALL_FILE.size, WALL_COLOUR);
    writeSolidBitmap(GLYPH_FILE.name, GLYPH_FILE.size, GLYPH_FILE.size, GLYPH_COLOUR);
    writeSolidBitmap(CEILING_FILE.name, CEILING_FILE.size, CEILING_FILE.size, CEILING_COLOUR);
}

bool isGlyph(Rgb c) { return c.r >= 20 && c.g <= 3 && c.b <= 3; }
bool isWall(Rgb c) { return c.b >= 20 && c.r <= 3 && c.g <= 3; }
bool isCeiling(Rgb c) { return c.r >= 20 && c.g >= 20 && c.b <= 3 && std::abs(c.r - c.g) <= 8; }
bool isBlack(Rgb c) { return c.r <= 3 && c.g <= 3 && c.b <= 3; }
bool isLitFloor(Rgb c) { return c.g > c.r + 10 && c.g > c.b + 10; }
bool isFloor(Rgb c) { return isBlack(c) || isLitFloor(c); }

int countKind(const Screenshot& picture, int x0, int y0, int x1, int y1, const Kind& kind)
{
    int count = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            count += kind(picture.at(x, y)) ? 1 : 0;
    return count;
}

int countKind(const Screenshot& picture, const PixelRect& rect, const Kind& kind)
{
    return countKind(picture, rect.x0, rect.y0, rect.x1, rect.y1, kind);
}

::testing::AssertionResult allOf(const Screenshot& picture, const PixelRect& rect, const Kind& kind, const char* what)
{
    for (int y = rect.y0; y <= rect.y1; ++y)
        for (int x = rect.x0; x <= rect.x1; ++x)
            if (!kind(picture.at(x, y)))
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << picture.at(x, y)
                                                     << ", not " << what << " (in the rectangle " << rect.x0 << ","
                                                     << rect.y0 << " .. " << rect.x1 << "," << rect.y1 << ")";
    return ::testing::AssertionSuccess();
}

bool glyphEdgeAt(const Screenshot& picture, double at, Side glyph, int from, int to)
{
    const bool column = glyph == Side::Left || glyph == Side::Right;
    const bool glyphAfter = glyph == Side::Right || glyph == Side::Bottom;
    const int inside = glyphAfter ? static_cast<int>(std::floor(at)) + 1 : static_cast<int>(std::ceil(at)) - 2;
    const int outside = glyphAfter ? static_cast<int>(std::floor(at)) - 2 : static_cast<int>(std::ceil(at)) + 1;
    // The glyph's pixels on the line at `place`, and the line's length.
    const auto glyphPixels = [&](int place) {
        return column ? countKind(picture, place, from, place, to, isGlyph)
                      : countKind(picture, from, place, to, place, isGlyph);
    };
    return glyphPixels(inside) == to - from + 1 && glyphPixels(outside) == 0;
}

const WordBlock WORD_BLOCKS[9] = {
    {"glyph A, first column", -4.5, -3.5, -3.0, 3.0},
    {"glyph A, second column", -2.5, -1.5, -3.0, 3.0},
    {"glyph B, top bar", -1.0, 2.0, 2.0, 3.0},
    {"glyph B, middle bar", -1.0, 2.0, -0.5, 0.5},
    {"glyph B, bottom bar", -1.0, 2.0, -3.0, -2.0},
    {"glyph B, upper-left column", -1.0, 0.0, 0.0, 3.0},
    {"glyph B, lower-right column", 1.0, 2.0, -3.0, 0.0},
    {"glyph C, column", 3.5, 4.5, -3.0, 3.0},
    {"glyph C, top bar", 2.5, 5.5, 2.0, 3.0},
};

PixelRect between(ViewPoint a, ViewPoint b, int inset)
{
    PixelRect rect{static_cast<int>(std::ceil(std::min(a.x, b.x))) + inset,
                   static_cast<int>(std::ceil(std::min(a.y, b.y))) + inset,
                   static_cast<int>(std::floor(std::max(a.x, b.x))) - inset,
                   static_cast<int>(std::floor(std::max(a.y, b.y))) - inset};
    rect.x0 = std::max(rect.x0, 0);
    rect.y0 = std::max(rect.y0, 0);
    rect.x1 = std::min(rect.x1, VIEW_WIDTH - 1);
    rect.y1 = std::min(rect.y1, VIEW_HEIGHT - 1);
    return rect;
}

PixelRect blockFront(const Viewer& viewer, const WordBlock& block, int inset)
{
    return between(
        viewPixel(viewer, block.x0, block.y0, FRONT_Z), viewPixel(viewer, block.x1, block.y1, FRONT_Z), inset);
}

const Viewer START;

const PixelRect CEILING_BAND = between({4, 4}, viewPixel(START, 0, CEILING_Y, FRONT_Z), 4);
const PixelRect FLOOR_BAND = between(viewPixel(START, 0, FLOOR_Y, FRONT_Z), {VIEW_WIDTH - 5, VIEW_HEIGHT - 5}, 4);
namespace {
const double FAR_WALL_TOP = viewPixel(START, 0, CEILING_Y, FAR_WALL_Z).y;
const double FAR_WALL_BOTTOM = viewPixel(START, 0, FLOOR_Y, FAR_WALL_Z).y;
// The far wall through glyph B's upper opening: right of its upper-left
// column (in line with the eye), left of glyph C's column at its back, below
// the ceiling at the far wall, above the middle bar's front edge.
const PixelRect WALL_THROUGH_B = between({viewPixel(START, 0, 0, FRONT_Z).x, FAR_WALL_TOP},
                                         {viewPixel(START, 3.5, 0, BACK_Z).x, viewPixel(START, 0, 0.5, FRONT_Z).y}, 4);
} // namespace

// The far wall behind the gap between glyph A's blocks: from the first
// block's inner side at its back to the second block's front, and between
// the ceiling and the floor at the far wall.
const PixelRect WALL_BETWEEN_A = between({viewPixel(START, -3.5, 0, BACK_Z).x, FAR_WALL_TOP},
                                         {viewPixel(START, -2.5, 0, FRONT_Z).x, FAR_WALL_BOTTOM}, 3);

void expectStartView(const Screenshot& view)
{
    for (const WordBlock& block : WORD_BLOCKS)
        EXPECT_TRUE(allOf(view, blockFront(START, block, 3), isGlyph, "glyph red")) << block.name;
    EXPECT_TRUE(allOf(view, CEILING_BAND, isCeiling, "ceiling yellow"));
    EXPECT_TRUE(allOf(view, FLOOR_BAND, isFloor, "floor"));
    EXPECT_GT(countKind(view, FLOOR_BAND, isBlack), FLOOR_BAND.area() / 5);
    EXPECT_GT(countKind(view, FLOOR_BAND, isLitFloor), FLOOR_BAND.area() / 5);
    // The far wall behind the gaps; the lamp, a small white box, may pass
    // in front of it, but no other surface may show there.
    for (const PixelRect& wall : {WALL_BETWEEN_A, WALL_THROUGH_B}) {
        EXPECT_GT(countKind(view, wall, isWall), wall.area() * 9 / 10)
            << "in " << wall.x0 << "," << wall.y0 << " .. " << wall.x1 << "," << wall.y1;
        EXPECT_EQ(countKind(view, wall, isGlyph) + countKind(view, wall, isCeiling), 0);
    }
}
