// The pixel probe every test uses, on pictures read back from a window.
#pragma once

#include <gtest/gtest.h>

#include "tools/screenshot.h"

#include <string>

constexpr Rgb BLACK{0, 0, 0};
constexpr Rgb WHITE{255, 255, 255};

// A rectangle of pixels, corners included, counted from the top left.
struct PixelRect {
    int x0;
    int y0;
    int x1;
    int y1;
    int area() const { return (x1 - x0 + 1) * (y1 - y0 + 1); }
    bool holds(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

// Compares the pixel at (x, y), counted from the top left, with the expected
// colour, allowing `tolerance` in each channel; on failure the message names
// the place, the expected and the observed colour.
::testing::AssertionResult probe(const Screenshot& picture, int x, int y, Rgb expected, int tolerance = 3);

// The same for every pixel of a rectangle; reports the first that differs.
::testing::AssertionResult probeRect(const Screenshot& picture, int x0, int y0, int x1, int y1, Rgb expected,
                                     int tolerance = 3);

// Counts the pixels of a rectangle that are within `tolerance` of a colour.
int countNear(const Screenshot& picture, int x0, int y0, int x1, int y1, Rgb colour, int tolerance = 3);
int countNear(const Screenshot& picture, const PixelRect& rect, Rgb colour, int tolerance = 3);

// The two pictures have one size and the same pixels, each channel within
// `tolerance`, but for those of `except`; otherwise says how many pixels
// differ, and names the first.
::testing::AssertionResult samePicture(const Screenshot& actual, const Screenshot& expected,
                                       PixelRect except = {0, 0, -1, -1}, int tolerance = 0);

// The pixels of a rectangle of the picture, as a picture of their own.
Screenshot partOf(const Screenshot& picture, const PixelRect& rect);

// True if any pixel differs between the two pictures' rectangles.
bool regionsDiffer(const Screenshot& a, const Screenshot& b, int x0, int y0, int x1, int y1);

// Keeps a copy of the picture for the current test: if the test fails, it is
// written as a PNG file named after the test, `name` and the process into
// the temporary folder, and the path printed; if it passes, nothing is
// written. A later picture of the same name replaces an earlier one.
void keepForFailure(const Screenshot& picture, const std::string& name);
