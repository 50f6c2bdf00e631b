// Writing BMP files for the tests and benchmarks of the BMP reader.
#include "tests/support/bmpWriter.h"

#include <utility>

std::vector<unsigned char> bmpFile(long width, long height, unsigned int bitCount, unsigned int compression,
                                   const std::vector<unsigned char>& palette, std::size_t gap,
                                   const std::vector<unsigned char>& pixels)
{
    const unsigned long offset = 14 + 40 + palette.size() + gap;
    // Each field with its byte count, in file order, little-endian.
    const std::pair<unsigned long, int> fields[] = {
        {offset + pixels.size(), 4},             // file size
        {0, 4},                                  // reserved
        {offset, 4},                             // where the pixels start
        {40, 4},                                 // information header size
        {static_cast<unsigned long>(width), 4},  // width
        {static_cast<unsigned long>(height), 4}, // height, negative for top-down
        {1, 2},                                  // planes
        {bitCount, 2},                           // bits per pixel
        {compression, 4},                        // compression
        {pixels.size(), 4},                      // pixel data size
        {2835, 4},                               // 72 dots per inch, across
        {2835, 4},                               // and down
        {palette.size() / 4, 4},                 // palette entries
        {0, 4}};                                 // important colours: all
    std::vector<unsigned char> file = {'B', 'M'};
    for (const auto& [value, bytes] : fields)
        for (int i = 0; i < bytes; ++i)
            file.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
    file.insert(file.end(), palette.begin(), palette.end());
    file.insert(file.end(), gap, 0xAA);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}
