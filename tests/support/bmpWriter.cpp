// Writing BMP files for the tests and benchmarks of the walk-through.
#include "tests/support/bmpWriter.h"

#include <cstddef>
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

std::vector<unsigned char> bmpPalette(const std::vector<Rgb>& colours)
{
    std::vector<unsigned char> palette;
    for (const Rgb& colour : colours)
        palette.insert(palette.end(),
                       {static_cast<unsigned char>(colour.b),
                        static_cast<unsigned char>(colour.g),
                        static_cast<unsigned char>(colour.r),
                        0});
    return palette;
}

std::vector<unsigned char> bmp24BitFile(int width, int height, const std::vector<Rgb>& pixels)
{
    // Bottom-up rows of blue, green, red, each padded with zeros to 4 bytes.
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    std::vector<unsigned char> rows(rowBytes * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb& colour = pixels[static_cast<std::size_t>(y) * width + x];
            unsigned char* p = &rows[y * rowBytes + x * 3];
            p[0] = static_cast<unsigned char>(colour.b);
            p[1] = static_cast<unsigned char>(colour.g);
            p[2] = static_cast<unsigned char>(colour.r);
        }
    return bmpFile(width, height, 24, 0, {}, 0, rows);
}
