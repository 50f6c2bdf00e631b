// The fixture of the letter-scene viewer's frame tests: the program's own
// functions drawing into a real 1024 x 768 window, with solid-colour texture
// files in a scratch folder. The tests of each part of the frame share it
// (frameWordTest.cpp, frameBoxFacesTest.cpp, frameStatusTest.cpp,
// frameBackdropTest.cpp, frameTeapotsTest.cpp); GoogleTest wants one class
// for all the tests of a suite, so it is not in an unnamed namespace.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "okel/frame.h"
#include "okel/input.h"
#include "okel/scene.h"
#include "okel/textures.h"
#include "tests/support/files.h"
#include "tests/support/glFrames.h"
#include "tests/support/glWindow.h"
#include "tests/support/okelTestScene.h"

constexpr int WIDTH = WINDOW_WIDTH;
constexpr int HEIGHT = WINDOW_HEIGHT;

class Frame : public ::testing::Test {
protected:
    void SetUp() override
    {
        openTestWindow(WIDTH, HEIGHT);
        initGL();
        reshapeScene(WIDTH, HEIGHT);
        makePatterns();
        resetScene();
        writeSolidTextures();
    }

    // Draws two frames, so that the first frame's modulated patterns are
    // gone, and returns what the second drew.
    Screenshot drawFrames()
    {
        drawScene();
        drawScene();
        return lastFrame();
    }

    Rgb colourOf(const char* file) { return solidColourOf(file); }

    ScratchFolder folder;
};

// Writes metal6464.raw as a texture whose every texel tells where it is: red
// 256 s and green 256 t, at the middle of each texel, blue 60.
inline void writeGradientMetal()
{
    std::vector<unsigned char> gradient;
    for (int row = 0; row < 64; ++row)
        for (int column = 0; column < 64; ++column)
            gradient.insert(gradient.end(),
                            {static_cast<unsigned char>(4 * column + 2), static_cast<unsigned char>(4 * row + 2), 60});
    writeFile("metal6464.raw", gradient);
}

// The pixels on either side of a line at window coordinate `at`: a pixel is
// drawn when its centre lies inside a face, so the line falls between the
// last pixel whose centre lies before it and the next. False where a centre
// lies so close to the line that either side may take it.
inline bool pixelsAround(double at, int& before, int& after)
{
    before = static_cast<int>(std::floor(at - 0.5));
    after = before + 1;
    return std::abs(at - (before + 0.5)) > 0.05 && std::abs(at - (after + 0.5)) > 0.05;
}
