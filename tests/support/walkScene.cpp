// Helpers for tests of the room walk-through.
#include "walkScene.h"

#include <gtest/gtest.h>

#include <vector>

#include "bmpWriter.h"
#include "glWindow.h"
#include "walk.h"

// Pure hues: a lit surface keeps its hue, only its brightness changes.
const Rgb WALL_COLOUR{0, 0, 255};
const Rgb GLYPH_COLOUR{255, 0, 0};
const Rgb CEILING_COLOUR{255, 255, 0};

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
