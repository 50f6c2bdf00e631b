// Helpers for tests of the room walk-through.
#include "walkScene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <vector>

#include "bmpWriter.h"
#include "glWindow.h"
#include "walk.h"

// Pure hues: a lit surface keeps its hue, only its brightness changes.
const Rgb WALL_COLOUR{0, 0, 255};
const Rgb GLYPH_COLOUR{255, 0, 0};
const Rgb CEILING_COLOUR{255, 255, 0};

const Rgb FRAME_GREY{153, 153, 153};
const Rgb HELP_GREY{77, 77, 77};
const Rgb HELP_TEXT{0, 255, 0};

void resetWalkScene()
{
    eyeX = 0.0f;
    eyeZ = 5.0f;
    bobHeight = 0.0f;
    bobPhase = 0.0f;
    heading = 0.0f;
    tilt = 0.0f;
    lampAngle = 0.0f;
}

void writeBitmap(const std::string& name, int width, int height, const std::vector<Rgb>& pixels)
{
    // Bottom-up rows of blue, green, red, each padded with zeros to 4 bytes.
    const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    std::vector<unsigned char> rows(rowBytes * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb& colour = pixels[static_cast<size_t>(y) * width + x];
            unsigned char* p = &rows[y * rowBytes + x * 3];
            p[0] = static_cast<unsigned char>(colour.b);
            p[1] = static_cast<unsigned char>(colour.g);
            p[2] = static_cast<unsigned char>(colour.r);
        }
    writeFile(name, bmpFile(width, height, 24, 0, {}, 0, rows));
}

void writeSolidBitmap(const std::string& name, int width, int height, Rgb colour)
{
    writeBitmap(name, width, height, std::vector<Rgb>(static_cast<size_t>(width) * height, colour));
}

void writeSolidWalkTextures()
{
    writeSolidBitmap("corrigatedIronTexture.bmp", 256, 256, WALL_COLOUR);
    writeSolidBitmap("leopard.bmp", 256, 256, GLYPH_COLOUR);
    writeSolidBitmap("concrete.bmp", 256, 256, CEILING_COLOUR);
}

bool isGlyph(Rgb c) { return c.r >= 20 && c.g <= 3 && c.b <= 3; }
bool isWall(Rgb c) { return c.b >= 20 && c.r <= 3 && c.g <= 3; }
bool isCeiling(Rgb c) { return c.r >= 20 && c.g >= 20 && c.b <= 3 && std::abs(c.r - c.g) <= 8; }
bool isBlack(Rgb c) { return c.r <= 3 && c.g <= 3 && c.b <= 3; }
bool isLitFloor(Rgb c) { return c.g > c.r + 10 && c.g > c.b + 10; }
bool isFloor(Rgb c) { return isBlack(c) || isLitFloor(c); }

int countKind(const Picture& picture, int x0, int y0, int x1, int y1, const Kind& kind)
{
    int count = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            count += kind(picture.at(x, y)) ? 1 : 0;
    return count;
}

ViewPoint viewPixel(const Viewer& viewer, double x, double y, double z)
{
    const double degree = M_PI / 180.0;
    const double dx = x - viewer.x, dy = y - viewer.height, dz = z - viewer.z;
    const double h = -viewer.heading * degree, t = viewer.tilt * degree;
    const double ex = dx * std::cos(h) + dz * std::sin(h);
    const double ez0 = -dx * std::sin(h) + dz * std::cos(h);
    const double ey = dy * std::cos(t) - ez0 * std::sin(t);
    const double ez = dy * std::sin(t) + ez0 * std::cos(t);
    const double nearX = 2.0 * ex / -ez, nearY = 2.0 * ey / -ez;
    return {VIEW_WIDTH / 2.0 * (1.0 + nearX / 2.4), VIEW_HEIGHT / 2.0 * (1.0 - nearY / 2.0)};
}

ViewRay viewRay(const Viewer& viewer, ViewPoint at)
{
    // The point of the near plane, 2 units before the eye, in the eye's
    // frame; then turned back by the tilt and the heading.
    const double degree = M_PI / 180.0;
    const double h = -viewer.heading * degree, t = viewer.tilt * degree;
    const double ex = (at.x / (VIEW_WIDTH / 2.0) - 1.0) * 2.4, ey = (1.0 - at.y / (VIEW_HEIGHT / 2.0)) * 2.0, ez = -2.0;
    const double dy = ey * std::cos(t) + ez * std::sin(t);
    const double ez0 = -ey * std::sin(t) + ez * std::cos(t);
    return {{viewer.x, viewer.height, viewer.z},
            {ex * std::cos(h) - ez0 * std::sin(h), dy, ex * std::sin(h) + ez0 * std::cos(h)}};
}

bool glyphEdgeAt(const Picture& picture, double at, Side glyph, int from, int to)
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
