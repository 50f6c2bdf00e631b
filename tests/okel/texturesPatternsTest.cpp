// The two procedural pictures of slots 0 and 1 (textures.cpp's makePatterns).
#include <gtest/gtest.h>

#include "okel/textures.h"
#include "tests/support/picture.h"

namespace {

Rgb texel(const unsigned char* image, int row, int column)
{
    const unsigned char* p = &image[row * 192 + column * 3];
    return {p[0], p[1], p[2]};
}

struct TexelCase {
    int row;
    int column;
    Rgb colour;
};

class Patterns : public ::testing::Test {
protected:
    static void SetUpTestSuite() { makePatterns(); }
};

TEST_F(Patterns, CheckerIsBlackAtTheOriginAndAlternatesEveryEightTexels)
{
    EXPECT_EQ(texel(checkerImage, 0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(texel(checkerImage, 0, 8), (Rgb{255, 255, 255}));
    for (int row = 0; row < PATTERN_SIZE; ++row)
        for (int column = 0; column < PATTERN_SIZE; ++column) {
            const bool white = ((row / 8) + (column / 8)) % 2 == 1;
            const int value = white ? 255 : 0;
            ASSERT_EQ(texel(checkerImage, row, column), (Rgb{value, value, value}))
                << "row " << row << ", column " << column;
        }
}

TEST_F(Patterns, GradientHasTheListedTexels)
{
    const TexelCase cases[] = {
        {0, 0, {255, 255, 255}},
        {0, 7, {248, 255, 248}},
        {7, 7, {0, 0, 0}},
        {0, 8, {18, 2, 18}},
        {8, 8, {247, 247, 239}},
        {1, 9, {20, 4, 22}},
        {63, 63, {0, 0, 0}},
    };
    for (const TexelCase& c : cases)
        EXPECT_EQ(texel(gradientImage, c.row, c.column), c.colour) << "row " << c.row << ", column " << c.column;
}

TEST_F(Patterns, GradientIsBlackExactlyOnTheBlackSquaresBeyondTheirTriangle)
{
    // In a black checker square the triangle on the side of its first corner
    // shows the ramp; the rest of the square is black.
    int black = 0;
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 8; ++column) {
            const bool inTriangle = row + column < 8;
            const Rgb colour = texel(gradientImage, row, column);
            if (!inTriangle) {
                EXPECT_EQ(colour, (Rgb{0, 0, 0})) << row << ", " << column;
                ++black;
            } else {
                EXPECT_EQ(colour, (Rgb{255 - column, 255 - row, 255 - row - column})) << row << ", " << column;
            }
        }
    EXPECT_EQ(black, 64 - 36);
}

} // namespace
