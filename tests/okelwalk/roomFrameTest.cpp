// The frames of the room walk-through drawn in a real 480 x 400 window: the
// 3D view with the solid-colour texture files of walkScene (glyphs red,
// walls blue, ceiling yellow, the floor's checker black and green-ish under
// the floor material), the help panel's text and the grey top-level window.
//
// Where a surface shows follows from the start view: the eye at
// (0, 0.25, 5) looks along -z through a frustum 2.4 wide and 2 high each
// way at the near plane, 2 units away.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "glWindow.h"
#include "lists.h"
#include "navigation.h"
#include "picture.h"
#include "room.h"
#include "walk.h"
#include "walkScene.h"
#include "walkTextures.h"

namespace {

constexpr int WIDTH = 480;
constexpr int HEIGHT = 400;
constexpr double EYE_HEIGHT = 0.25;

struct Pixel {
    int x, y; // from the top left
};

// Where the viewer stands and looks; the start view by default.
struct View {
    double eyeX = 0.0, eyeZ = 5.0, heading = 0.0, tilt = 0.0;
};

// The window pixel of a world point, as drawView moves the world and the
// projection shows it.
Pixel viewPixel(double x, double y, double z, const View& view = {})
{
    const ViewPoint p = ::viewPixel(Viewer{view.eyeX, EYE_HEIGHT, view.eyeZ, view.heading, view.tilt}, x, y, z);
    return {static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y))};
}

::testing::AssertionResult shows(const Picture& picture, Pixel at, const Kind& kind, const char* what)
{
    const Rgb colour = picture.at(at.x, at.y);
    if (kind(colour))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << at.x << ", " << at.y << ") is " << colour << ", not " << what;
}

class RoomFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        openTestWindow(WIDTH, HEIGHT);
        // As a fresh context has it; the other panels' tests change these.
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 0);
        writeSolidWalkTextures();
        resetWalkScene();
        initLighting();
        initTextures();
        buildLists();
        reshapeView(WIDTH, HEIGHT);
    }
    void TearDown() override { resetWalkScene(); }

    Picture frame(const char* keptAs = nullptr)
    {
        drawView();
        Picture picture = grabCurrentWindow();
        if (keptAs)
            keepForFailure(picture, keptAs);
        return picture;
    }

    ScratchFolder folder;
};

constexpr double FRONT = 0.5;

TEST_F(RoomFrame, StartViewShowsGlyphsWallsCeilingAndFloorWhereTheGeometryPutsThem)
{
    // A clear colour no surface shows: the room must cover every pixel.
    const Rgb magenta{255, 0, 255};
    glClearColor(1, 0, 1, 0);
    const Picture picture = frame("start");
    EXPECT_EQ(countNear(picture, 0, 0, WIDTH - 1, HEIGHT - 1, magenta), 0) << "background shows";
    // Each block's front face, at its centre and 0.15 units in from its
    // corners.
    for (const WordBlock& b : WORD_BLOCKS) {
        EXPECT_TRUE(shows(picture, viewPixel(b.centreX(), b.centreY(), FRONT), isGlyph, "glyph")) << b.name;
        for (int sx : {-1, 1})
            for (int sy : {-1, 1}) {
                const Pixel p = viewPixel(
                    b.centreX() + sx * (b.halfWidth() - 0.15), b.centreY() + sy * (b.halfHeight() - 0.15), FRONT);
                EXPECT_TRUE(shows(picture, p, isGlyph, "glyph")) << b.name << " corner " << sx << " " << sy;
            }
    }

    struct Point {
        const char* name;
        double x, y, z;
        Kind kind;
        const char* kindName;
    };
    const Point points[] = {
        // Seen past the blocks' edges, through the gaps between glyphs A's
        // columns and between glyphs B and C, and through B's openings.
        {"left of glyph A", -4.75, 0.0, FRONT, isWall, "wall"},
        {"right of glyph C", 4.75, 0.0, FRONT, isWall, "wall"},
        {"far wall, between A's columns", -9.0, EYE_HEIGHT, -10.0, isWall, "wall"},
        {"far wall, between B and C", 8.0, EYE_HEIGHT, -10.0, isWall, "wall"},
        {"far wall, through B's upper opening", 1.0, 0.8, FRONT, isWall, "wall"},
        {"floor, through B's lower opening", 0.0, -1.25, FRONT, isFloor, "floor"},
        {"left wall", -10.0, EYE_HEIGHT, -4.0, isWall, "wall"},
        {"right wall", 10.0, EYE_HEIGHT, -4.0, isWall, "wall"},
        // In front of the glyphs, whose tops reach the ceiling.
        {"ceiling above the eye", 0.0, 3.0, 2.0, isCeiling, "ceiling"},
        {"ceiling, left", -3.0, 3.0, 1.0, isCeiling, "ceiling"},
        {"ceiling, right", 2.0, 3.0, 1.5, isCeiling, "ceiling"},
    };
    for (const Point& p : points)
        EXPECT_TRUE(shows(picture, viewPixel(p.x, p.y, p.z), p.kind, p.kindName)) << p.name;

    // The floor in front of the glyphs, from y = -3 at 4.2 units away down
    // to the bottom edge: black and green-ish squares of 0.83 units.
    const int top = viewPixel(0, -3.0, 5.0 - 4.2).y;
    const int area = WIDTH * (HEIGHT - top);
    const int black = countKind(picture, 0, top, WIDTH - 1, HEIGHT - 1, isBlack);
    const int green = countKind(picture, 0, top, WIDTH - 1, HEIGHT - 1, isLitFloor);
    EXPECT_EQ(black + green, area) << "only floor below the glyphs";
    EXPECT_GT(black, area / 5);
    EXPECT_GT(green, area / 5);
}

TEST_F(RoomFrame, LightStandsBeyondTheLampOnItsOrbit)
{
    // The lamp's offset (0, 1.5, 10) taken again in the lamp box's own,
    // scaled frame: the light stands at (0, 1.8, 15) turned by the lamp
    // angle about y. glGetLightfv gives it in eye space, from the start eye.
    struct Case {
        float angle;
        double x, z; // world
    };
    const Case cases[] = {{0.0f, 0.0, 15.0}, {90.0f, 15.0, 0.0}, {180.0f, 0.0, -15.0}};
    for (const Case& c : cases) {
        lampAngle = c.angle;
        frame();
        GLfloat position[4];
        glGetLightfv(GL_LIGHT0, GL_POSITION, position);
        EXPECT_NEAR(position[0], c.x, 1e-4) << "lamp angle " << c.angle;
        EXPECT_NEAR(position[1], 1.8 - EYE_HEIGHT, 1e-4) << "lamp angle " << c.angle;
        EXPECT_NEAR(position[2], c.z - 5.0, 1e-4) << "lamp angle " << c.angle;
        EXPECT_EQ(position[3], 1.0f) << "lamp angle " << c.angle;
    }
}

TEST_F(RoomFrame, BlocksMoveWithTheViewersPlaceHeadingAndTilt)
{
    const View views[] = {{0, 5, 15, 0}, {0, 5, -15, 0}, {0, 5, 0, 12}, {0, 5, 0, -12}, {1.5, 4, 0, 0}};
    for (const View& v : views) {
        SCOPED_TRACE(::testing::Message()
                     << "eye (" << v.eyeX << ", " << v.eyeZ << ") heading " << v.heading << " tilt " << v.tilt);
        eyeX = static_cast<float>(v.eyeX);
        eyeZ = static_cast<float>(v.eyeZ);
        heading = static_cast<float>(v.heading);
        tilt = static_cast<float>(v.tilt);
        const Picture picture = frame();
        int seen = 0;
        for (const WordBlock& b : WORD_BLOCKS) {
            const Pixel p = viewPixel(b.centreX(), b.centreY(), FRONT, v);
            if (p.x < 20 || p.x >= WIDTH - 20 || p.y < 20 || p.y >= HEIGHT - 20)
                continue;
            ++seen;
            EXPECT_TRUE(shows(picture, p, isGlyph, "glyph")) << b.name;
        }
        EXPECT_GE(seen, 5);
    }
}

TEST_F(RoomFrame, SurfaceWhoseFileFailedToLoadShowsItsLitMaterialUntextured)
{
    ASSERT_EQ(std::remove("leopard.bmp"), 0);
    ::testing::internal::CaptureStdout();
    initTextures();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "failed to load bitmap for okel texture\n");
    const Picture picture = frame("no-glyph-texture");

    // The glyph material is orange-brown: red over green over blue.
    for (const WordBlock& b : WORD_BLOCKS) {
        const Pixel p = viewPixel(b.centreX(), b.centreY(), FRONT);
        const Rgb c = picture.at(p.x, p.y);
        EXPECT_TRUE(c.r > c.g + 10 && c.g > c.b + 10 && c.b >= 20) << b.name << ": " << c;
    }
    // The other surfaces keep their textures.
    EXPECT_TRUE(shows(picture, viewPixel(-9.0, EYE_HEIGHT, -10.0), isWall, "wall"));
    EXPECT_TRUE(shows(picture, viewPixel(0.0, 3.0, 2.0), isCeiling, "ceiling"));
}

TEST_F(RoomFrame, LampIsAWhiteBoxBehindTheStartingEye)
{
    heading = 180.0f;
    const View back{0, 5, 180, 0};
    const Picture picture = frame("lamp");
    // The lamp box: 0.4 x 0.4 x 1 about (0, 1.5, 10); its face towards the
    // eye is at z = 9.5, 4.5 units away.
    const Pixel centre = viewPixel(0.0, 1.5, 9.5, back);
    const Pixel corner = viewPixel(0.15, 1.65, 9.5, back); // inside the face
    const int dx = std::abs(corner.x - centre.x), dy = std::abs(corner.y - centre.y);
    EXPECT_TRUE(probeRect(picture, centre.x - dx, centre.y - dy, centre.x + dx, centre.y + dy, Rgb{255, 255, 255}));
    // Beside it, the wall behind the start position.
    EXPECT_TRUE(shows(picture, viewPixel(-0.8, 1.5, 10.0, back), isWall, "wall"));
    EXPECT_TRUE(shows(picture, viewPixel(0.8, 1.5, 10.0, back), isWall, "wall"));
    EXPECT_TRUE(shows(picture, viewPixel(0.0, 2.3, 10.0, back), isWall, "wall"));
}

TEST_F(RoomFrame, NearPlaneTwoUnitsAwayCutsAwayACloserGlyph)
{
    struct Case {
        float eyeZ;
        Kind kind;
        const char* what;
    };
    // Glyph B's middle bar faces the eye at z = 0.5: 2.1 units away it is
    // still seen, 1 unit away it is cut and the far wall shows through.
    const Case cases[] = {{2.6f, isGlyph, "glyph"}, {1.5f, isWall, "far wall"}};
    for (const Case& c : cases) {
        eyeZ = c.eyeZ;
        const Picture picture = frame(c.eyeZ < 2.0f ? "near" : nullptr);
        EXPECT_TRUE(shows(picture, {WIDTH / 2, HEIGHT / 2}, c.kind, c.what)) << "eye at z = " << c.eyeZ;
    }
}

// ---------------------------------------------------------------------------
// The help panel's text and the top-level window, drawn into the test
// window with the state their own contexts have. Where the help panel's
// lines stand is checked on the running program (WalkStart).

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
    const Picture picture = grabCurrentWindow();
    EXPECT_TRUE(probeRect(picture, 0, 0, WIDTH - 1, HEIGHT - 1, Rgb{153, 153, 153}, 1));
}

} // namespace
