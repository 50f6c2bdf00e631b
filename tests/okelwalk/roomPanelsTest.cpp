// The walk-through's help panel and top-level window (the panels of
// room.cpp), drawn into a real 480 x 400 window with the state their own
// contexts have: the help panel's bitmap text and the plain grey window.
// Where the help panel's lines stand is checked on the running program
// (WalkStart).
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <functional>
#include <string>

#include "okelwalk/navigation.h"
#include "okelwalk/room.h"
#include "tests/support/glFrames.h"
#include "tests/support/glWindow.h"
#include "tests/support/picture.h"

namespace {

constexpr int WIDTH = 480;
constexpr int HEIGHT = 400;

class Panels : public ::testing::Test {
protected:
    void SetUp() override
    {
        openTestWindow(WIDTH, HEIGHT);
        for (GLenum cap : {GL_LIGHTING, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_CULL_FACE})
            glDisable(cap);
        glViewport(0, 0, WIDTH, HELP_HEIGHT);
        reshapeHelp(WIDTH, HELP_HEIGHT);
        glLoadIdentity();
    }

    static constexpr int HELP_HEIGHT = 70;
};

// Where the raster position stands after drawing a text from x = 0.
float rasterAdvance(const std::function<void()>& draw)
{
    draw();
    GLfloat position[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    return position[0];
}

TEST_F(Panels, BitmapTextIsFormattedAsPrintfDoesAndCutAt255Characters)
{
    const std::string w254(254, 'W'), w255(255, 'W'), w300(300, 'W');
    void* font = GLUT_BITMAP_HELVETICA_12;
    const float x254 = rasterAdvance([&] { drawBitmapText(font, 0, 50, "%s", w254.c_str()); });
    const float x255 = rasterAdvance([&] { drawBitmapText(font, 0, 50, "%s", w255.c_str()); });
    const float x300 = rasterAdvance([&] { drawBitmapText(font, 0, 50, "%s", w300.c_str()); });
    EXPECT_GT(x255, x254);
    EXPECT_EQ(x300, x255);
    EXPECT_EQ(x255, 255 * glutBitmapWidth(font, 'W'));

    const float number = rasterAdvance([&] { drawBitmapText(font, 0, 50, "%d", 42); });
    const float text = rasterAdvance([&] { drawBitmapText(font, 0, 50, "42"); });
    EXPECT_EQ(number, text);
    EXPECT_EQ(number, glutBitmapWidth(font, '4') + glutBitmapWidth(font, '2'));
}

TEST_F(Panels, TopLevelWindowIsPlainGrey)
{
    glViewport(0, 0, WIDTH, HEIGHT);
    drawMainWindow();
    const Screenshot picture = lastFrame();
    EXPECT_TRUE(probeRect(picture, 0, 0, WIDTH - 1, HEIGHT - 1, Rgb{153, 153, 153}, 1));
}

} // namespace
