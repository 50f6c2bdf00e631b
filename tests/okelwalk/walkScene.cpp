// Helpers for tests of the room walk-through.
#include "walkScene.h"

#include <gtest/gtest.h>

#include <vector>

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

void writeSolidBitmap(const std::string& name, int width, int height, Rgb colour)
{
    // A 54-byte header, then bottom-up rows of blue, green, red padded to
    // 4 bytes.
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const int imageBytes = rowBytes * height;
    std::vector<unsigned char> file(54 + static_cast<size_t>(imageBytes), 0);
    auto put32 = [&](size_t at, unsigned int value) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<unsigned char>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<unsigned int>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<unsigned int>(width));
    put32(22, static_cast<unsigned int>(height));
    file[26] = 1;  // planes
    file[28] = 24; // bits per pixel
    put32(34, static_cast<unsigned int>(imageBytes));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* pixel = &file[54 + static_cast<size_t>(y) * rowBytes + x * 3];
            pixel[0] = static_cast<unsigned char>(colour.b);
            pixel[1] = static_cast<unsigned char>(colour.g);
            pixel[2] = static_cast<unsigned char>(colour.r);
        }
    writeFile(name, file);
}

void writeSolidWalkTextures()
{
    writeSolidBitmap("corrigatedIronTexture.bmp", 256, 256, WALL_COLOUR);
    writeSolidBitmap("leopard.bmp", 256, 256, GLYPH_COLOUR);
    writeSolidBitmap("concrete.bmp", 256, 256, CEILING_COLOUR);
}
