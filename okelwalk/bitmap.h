// The walk-through's own BMP reader. It turns a .bmp file into the picture
// layout that the texture upload expects: rows from the bottom of the picture
// to the top, each row width x 3 bytes in the order blue, green, red, padded
// with zeros to a multiple of 4 bytes.
//
// Memory is bounded before anything is allocated: a picture whose decoded
// rows would take more than BITMAP_MAX_BYTES is refused, whatever its file
// holds, and so is a file whose pixel data is shorter than its headers claim
// (uncompressed rows that do not fit, or RLE data that runs out before its
// end-of-picture code). See bitmap.cpp for the full list of rules.
#pragma once

#include <cstddef>
#include <vector>

// Largest width or height the reader accepts; anything bigger is refused
// before any size arithmetic is done. It is the largest texture side common
// OpenGL implementations take; the memory budget below keeps such a side to
// a narrow strip (16384 x 1365 at most).
constexpr unsigned int BITMAP_MAX_SIDE = 16384;

// Memory budget for one decoded picture: the padded 24-bit rows the reader
// would allocate. 64 MiB holds a 4096 x 4096 picture (48 MiB) but refuses a
// small file that claims, say, 16384 x 16384 pixels (768 MiB).
constexpr std::size_t BITMAP_MAX_BYTES = std::size_t(64) << 20;

// A picture read from a file. `bits` holds height rows of `rowBytes` bytes;
// it stays valid until releaseBitmap.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::size_t rowBytes = 0;
    std::vector<unsigned char> bits;
};

// What the reader accepts at most: a side, and the bytes of the decoded
// picture's padded 24-bit rows. The program reads with these defaults; a
// caller may set smaller ones (the fuzz target does, so that every input is
// cheap to decode however large a picture it claims).
struct BitmapLimits {
    unsigned int maxSide = BITMAP_MAX_SIDE;
    std::size_t maxBytes = BITMAP_MAX_BYTES;
};

// Reads the whole file and decodes it. Returns false, leaving `bitmap` empty,
// for a file that is missing, unreadable, not a regular file (a pipe, a
// device, a folder, or a link to one: refused without waiting), not a BMP,
// of an unsupported encoding, corrupt, cut short, larger than the limits'
// side on either side or over their budget once decoded.
bool readBitmapFile(const char* name, Bitmap& bitmap, const BitmapLimits& limits = BitmapLimits());

// Decodes a BMP file already in memory; the same outcomes as readBitmapFile.
bool decodeBitmap(const unsigned char* data, std::size_t size, Bitmap& bitmap,
                  const BitmapLimits& limits = BitmapLimits());

// Frees the pixels and empties the bitmap.
void releaseBitmap(Bitmap& bitmap);
