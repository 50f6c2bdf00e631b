// Pictures read back from a window, and the pixel probe every test uses.
#include "picture.h"

#include <cstdlib>
#include <ostream>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

bool operator==(const Rgb& a, const Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

std::ostream& operator<<(std::ostream& out, const Rgb& colour)
{
    return out << "(" << colour.r << ", " << colour.g << ", " << colour.b << ")";
}

Rgb Picture::at(int x, int y) const
{
    const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return {p[0], p[1], p[2]};
}

namespace {

bool near(Rgb a, Rgb b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

bool inside(const Picture& picture, int x, int y)
{
    return x >= 0 && y >= 0 && x < picture.width && y < picture.height;
}

} // namespace

::testing::AssertionResult probe(const Picture& picture, int x, int y, Rgb expected, int tolerance)
{
    if (!inside(picture, x, y))
        return ::testing::AssertionFailure()
               << "probe at (" << x << ", " << y << ") lies outside the " << picture.width << " x "
               << picture.height << " picture";
    const Rgb observed = picture.at(x, y);
    if (near(observed, expected, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << "): expected " << expected
                                         << ", observed " << observed;
}

::testing::AssertionResult probeRect(const Picture& picture, int x0, int y0, int x1, int y1, Rgb expected,
                                     int tolerance)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            ::testing::AssertionResult result = probe(picture, x, y, expected, tolerance);
            if (!result)
                return result << " (in the rectangle " << x0 << "," << y0 << " .. " << x1 << "," << y1 << ")";
        }
    return ::testing::AssertionSuccess();
}

int countNear(const Picture& picture, int x0, int y0, int x1, int y1, Rgb colour, int tolerance)
{
    int count = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (inside(picture, x, y) && near(picture.at(x, y), colour, tolerance))
                ++count;
    return count;
}

bool regionsDiffer(const Picture& a, const Picture& b, int x0, int y0, int x1, int y1)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (!(a.at(x, y) == b.at(x, y)))
                return true;
    return false;
}

bool savePng(const Picture& picture, const std::string& path)
{
    return stbi_write_png(path.c_str(), picture.width, picture.height, 3, picture.rgb.data(),
                          picture.width * 3) != 0;
}
