// Helpers for tests of the room walk-through.
#pragma once

#include <string>
#include <vector>

#include "picture.h"

// Puts every scene-state variable of the walk-through back to its start
// value, as a fresh process would have it.
void resetWalkScene();

// Writes a 24-bit BMP file; `pixels` runs from the bottom row up, left to
// right, and each row is padded to 4 bytes in the file.
void writeBitmap(const std::string& name, int width, int height, const std::vector<Rgb>& pixels);

// Writes a 24-bit BMP file of one colour.
void writeSolidBitmap(const std::string& name, int width, int height, Rgb colour);

// Writes the three texture files of the walk-through in the current folder,
// 256 x 256 each, in the colours below, so that a probe tells the surfaces
// apart by hue.
void writeSolidWalkTextures();
extern const Rgb WALL_COLOUR;    // corrigatedIronTexture.bmp
extern const Rgb GLYPH_COLOUR;   // leopard.bmp
extern const Rgb CEILING_COLOUR; // concrete.bmp
