// The walk-through's own BMP reader. It turns a .bmp file into the picture
// layout that the texture upload expects: rows from the bottom of the picture
// to the top, each row width x 3 bytes in the order blue, green, red, padded
// with zeros to a multiple of 4 bytes.
#pragma once

#include <cstddef>
#include <vector>

// Largest width or height the reader accepts; anything bigger is refused
// before any size arithmetic is done.
constexpr unsigned int BITMAP_MAX_SIDE = 16384;

// A picture read from a file. `bits` holds height rows of `rowBytes` bytes;
// it stays valid until releaseBitmap.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::size_t rowBytes = 0;
    std::vector<unsigned char> bits;
};

// Reads the whole file and decodes it. Returns false, leaving `bitmap` empty,
// for a file that is missing, unreadable, not a BMP, of an unsupported
// encoding, corrupt or larger than BITMAP_MAX_SIDE on either side.
bool readBitmapFile(const char* name, Bitmap& bitmap);

// Decodes a BMP file already in memory; the same outcomes as readBitmapFile.
bool decodeBitmap(const unsigned char* data, std::size_t size, Bitmap& bitmap);

// Frees the pixels and empties the bitmap.
void releaseBitmap(Bitmap& bitmap);
