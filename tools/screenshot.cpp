// RGB pictures as read back from a window, and writing them as PNG files.
#include "tools/screenshot.h"

#include <cstddef>
#include <ostream>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

bool operator==(const Rgb& a, const Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

std::ostream& operator<<(std::ostream& out, const Rgb& colour)
{
    return out << "(" << colour.r << ", " << colour.g << ", " << colour.b << ")";
}

Rgb Screenshot::at(int x, int y) const
{
    const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return {p[0], p[1], p[2]};
}

bool savePng(const Screenshot& picture, const std::string& path)
{
    return stbi_write_png(path.c_str(), picture.width, picture.height, 3, picture.rgb.data(), picture.width * 3) != 0;
}
