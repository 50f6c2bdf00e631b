// Writing BMP files for the tests and benchmarks of the walk-through, byte by
// byte as the format lays them out, so that a file can be as odd as a test
// needs. Plain C++ without GoogleTest: the benchmarks link it too.
#pragma once

#include <cstddef>
#include <vector>

#include "tools/screenshot.h"

// A BMP file: the 14-byte file header, a 40-byte information header, the
// palette (4 bytes an entry: blue, green, red, 0; the header declares
// palette.size() / 4 entries), `gap` junk bytes, then `pixels` as they are.
// The headers' sizes and offsets match what follows them.
std::vector<unsigned char> bmpFile(long width, long height, unsigned int bitCount, unsigned int compression,
                                   const std::vector<unsigned char>& palette, std::size_t gap,
                                   const std::vector<unsigned char>& pixels);

// The palette of a BMP file holding the colours, in order.
std::vector<unsigned char> bmpPalette(const std::vector<Rgb>& colours);

// A 24-bit BMP file of width x height pixels; `pixels` runs from the bottom
// row up, left to right, and each row is padded with zeros to 4 bytes.
std::vector<unsigned char> bmp24BitFile(int width, int height, const std::vector<Rgb>& pixels);
