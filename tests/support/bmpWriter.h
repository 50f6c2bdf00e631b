// Writing BMP files for the tests and benchmarks of the walk-through's BMP
// reader, byte by byte as the format lays them out, so that a file can be as
// odd as a test needs.
#pragma once

#include <cstddef>
#include <vector>

// A BMP file: the 14-byte file header, a 40-byte information header, the
// palette (4 bytes an entry: blue, green, red, 0; the header declares
// palette.size() / 4 entries), `gap` junk bytes, then `pixels` as they are.
// The headers' sizes and offsets match what follows them.
std::vector<unsigned char> bmpFile(long width, long height, unsigned int bitCount, unsigned int compression,
                                   const std::vector<unsigned char>& palette, std::size_t gap,
                                   const std::vector<unsigned char>& pixels);
