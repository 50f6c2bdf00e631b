// The status text of the letter-scene viewer's frame: where it stands, what
// it says, and the font lists it is drawn with.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "okel/frame.h"
#include "okel/scene.h"
#include "tests/okel/frameFixture.h"
#include "tests/support/picture.h"

namespace {

TEST_F(Frame, StatusTextIsWhiteInItsTwoRowsAtTheLowerLeft)
{
    const Screenshot picture = drawFrames();
    // Baselines 177 and 187 units below the centre: rows 738 and 758.
    const Rgb backdrop = colourOf("earth1024.raw");
    EXPECT_GT(countNear(picture, 0, 726, 700, 740, WHITE), 200) << "first line";
    EXPECT_GT(countNear(picture, 0, 746, 700, 760, WHITE), 200) << "second line";
    EXPECT_EQ(countNear(picture, 0, 743, 700, 745, WHITE), 0) << "gap between the lines";
    EXPECT_EQ(countNear(picture, 0, 600, WIDTH - 1, 720, WHITE), 0) << "above the text";
    EXPECT_EQ(countNear(picture, 700, 726, WIDTH - 1, 767, WHITE), 0) << "right of the text";
    EXPECT_TRUE(probe(picture, 5, 733, backdrop)) << "left margin";
}

TEST_F(Frame, StatusLinesShowCameraAndAxis)
{
    char line[TEXT_BUFFER_SIZE];
    std::snprintf(line, sizeof line, CAMERA_FORMAT, 0.0, 0.0, 50.0);
    EXPECT_STREQ(line, "camera x : 0.0   camera y : 0.0     camera z :  50");
    std::snprintf(line, sizeof line, CAMERA_FORMAT, 20.0, -256.0, -50.0);
    EXPECT_STREQ(line, "camera x : 20.0   camera y : -256.0     camera z : -50");

    // The second line is the last one the frame formats into textBuffer.
    drawScene();
    EXPECT_STREQ(textBuffer, "rotate teaz : 0.0  rotate teax : 0.0  rotate teay : 1.0");
    teaz = static_cast<float>(0.0 + 0.1);
    teax = -1.0f;
    drawScene();
    EXPECT_STREQ(textBuffer, "rotate teaz : 0.1  rotate teax : -1.0  rotate teay : 1.0");
}

TEST_F(Frame, FontListsAreBuiltOnceOnTheFirstFrame)
{
    drawScene();
    const GLuint first = fontBase;
    ASSERT_NE(first, 0u);
    for (GLuint code = 0; code < 256; ++code)
        ASSERT_TRUE(glIsList(first + code)) << "list for code " << code;
    drawScene();
    EXPECT_EQ(fontBase, first);
    EXPECT_FALSE(glIsList(first + 256)) << "a later frame built more lists";
}

} // namespace
