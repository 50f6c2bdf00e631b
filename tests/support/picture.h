// Pictures read back from a window, and the pixel probe every test uses.
#pragma once

#include <gtest/gtest.h>

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
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    Rgb at(int x, int y) const;
};

// Compares the pixel at (x, y), counted from the top left, with the expected
// colour, allowing `tolerance` in each channel; on failure the message names
// the place, the expected and the observed colour.
::testing::AssertionResult probe(const Picture& picture, int x, int y, Rgb expected, int tolerance = 3);

// The same for every pixel of a rectangle; reports the first that differs.
::testing::AssertionResult probeRect(const Picture& picture, int x0, int y0, int x1, int y1, Rgb expected,
                                     int tolerance = 3);

// Counts the pixels of a rectangle that are within `tolerance` of a colour.
int countNear(const Picture& picture, int x0, int y0, int x1, int y1, Rgb colour, int tolerance = 3);

// True if any pixel differs between the two pictures' rectangles.
bool regionsDiffer(const Picture& a, const Picture& b, int x0, int y0, int x1, int y1);

// Writes the picture as PNG, for a person to look at.
bool savePng(const Picture& picture, const std::string& path);
