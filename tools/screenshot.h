// RGB pictures as read back from a window, and writing them as PNG files.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

bool operator==(const Rgb& a, const Rgb& b);
std::ostream& operator<<(std::ostream& out, const Rgb& colour);

// An RGB picture with its first row at the top, as on the screen.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    Rgb at(int x, int y) const;
};

// Writes the picture as PNG, for a person to look at.
bool savePng(const Screenshot& picture, const std::string& path);
