// The frames of the room walk-through drawn in a real 480 x 400 window: the
// 3D view with the solid-colour texture files of walkTestScene (glyphs red,
// walls blue, ceiling yellow, the floor's checker black and green-ish under
// the floor material), drawn by room.cpp's drawView. Its panels are
// roomPanelsTest.cpp's.
//
// Where a surface shows follows from the start view: the eye at
// (0, 0.25, 5) looks along -z through a frustum 2.4 wide and 2 high each
// way at the near plane, 2 units away.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "okelwalk/lists.h"
#include "okelwalk/navigation.h"
#include "okelwalk/room.h"
#include "okelwalk/textures.h"
#include "okelwalk/walk.h"
#include "tests/support/files.h"
#include "tests/support/geometry.h"
#include "tests/support/glFrames.h"
#include "tests/support/glWindow.h"
#include "tests/support/picture.h"
#include "tests/support/walkTestScene.h"

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

::testing::AssertionResult shows(const Screenshot& picture, Pixel at, const Kind& kind, const char* what)
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

    Screenshot frame(const char* keptAs = nullptr)
    {
        drawView();
        Screenshot picture = lastFrame();
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
    const Screenshot picture = frame("start");
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

// Each corner of the room seen from halfway between it and the middle of
// the floor, looking straight at it: the two walls meet there with no gap,
// so the clear colour shows nowhere, and both walls show half a unit from
// the corner, at the eye's height and near the floor and the ceiling. A
// wall moved along its own plane leaves a slit of the outside at one end.
TEST_F(RoomFrame, WallsMeetAtEveryCornerWithNoGap)
{
    const Rgb magenta{255, 0, 255};
    glClearColor(1, 0, 1, 0);
    const double corners[][2] = {{-10.0, -10.0}, {10.0, -10.0}, {10.0, 10.0}, {-10.0, 10.0}};
    for (const auto& [cx, cz] : corners) {
        SCOPED_TRACE(::testing::Message() << "corner (" << cx << ", " << cz << ")");
        // Turning left (positive heading) looks along -x, a heading of 0
        // along -z.
        const View v{cx / 2, cz / 2, std::atan2(-(cx - cx / 2), -(cz - cz / 2)) * 180.0 / M_PI, 0.0};
        eyeX = static_cast<float>(v.eyeX);
        eyeZ = static_cast<float>(v.eyeZ);
        heading = static_cast<float>(v.heading);
        tilt = 0.0f;
        const Screenshot picture = frame("corner");
        EXPECT_EQ(countNear(picture, 0, 0, WIDTH - 1, HEIGHT - 1, magenta), 0) << "the outside shows";
        const double towardsX = cx > 0 ? -0.5 : 0.5, towardsZ = cz > 0 ? -0.5 : 0.5;
        for (const double y : {FLOOR_Y + 0.5, EYE_HEIGHT, CEILING_Y - 0.5}) {
            const Pixel alongX = viewPixel(cx + towardsX, y, cz, v), alongZ = viewPixel(cx, y, cz + towardsZ, v);
            for (const Pixel& p : {alongX, alongZ})
                ASSERT_TRUE(p.x >= 0 && p.x < WIDTH && p.y >= 0 && p.y < HEIGHT);
            EXPECT_TRUE(shows(picture, alongX, isWall, "wall")) << "wall z = " << cz << " at height " << y;
            EXPECT_TRUE(shows(picture, alongZ, isWall, "wall")) << "wall x = " << cx << " at height " << y;
        }
    }
}

// ---------------------------------------------------------------------------
// The blocks under a texture whose every texel tells where it is: texel
// (column i, row j) is (i, j, 128), so a pixel of a block shows the texture
// coordinates s, t of the point it shows as red 256 s and green 256 t, and
// blue 128 marks a block. Lighting is off for these frames, so that a pixel
// shows its texel unchanged; the walls, floor, ceiling and lamp keep colours
// of their own, none with that blue.

enum Face { FRONT_FACE, BACK_FACE, TOP_FACE, BOTTOM_FACE, RIGHT_FACE, LEFT_FACE };
const char* const FACE_NAMES[] = {"front", "back", "top", "bottom", "right", "left"};

// Where the cube puts the texture on each face, from the point's place in
// the block: u, v, w run from -1 to 1 along x, y and z.
void textureAt(Face face, double u, double v, double w, double& s, double& t)
{
    switch (face) {
    case FRONT_FACE: s = (u + 1) / 2, t = (v + 1) / 2; break;
    case BACK_FACE: s = (1 - u) / 2, t = (v + 1) / 2; break;
    case TOP_FACE: s = (u + 1) / 2, t = (1 - w) / 2; break;
    case BOTTOM_FACE: s = (1 - u) / 2, t = (1 - w) / 2; break;
    case RIGHT_FACE: s = (1 - w) / 2, t = (v + 1) / 2; break;
    case LEFT_FACE: s = (w + 1) / 2, t = (v + 1) / 2; break;
    }
}

// What a ray meets first: a face of a block (block 0 to 8), or the room or
// the lamp (block -1). `clear` is false where the answer is not sharp: two
// blocks' faces in one plane, or a face at the near plane.
struct Hit {
    int block = -1;
    Face face = FRONT_FACE;
    double s = 0, t = 0;
    bool clear = true;
};

// The ray meets a box where it has entered all three of its slabs and left
// none; its faces are seen from outside only, and nothing nearer than the
// near plane (k = 1) is drawn, so a box that the near plane cuts open is
// seen through.
Hit castRay(const Ray& ray)
{
    struct Block {
        int block;
        Box box;
    };
    std::vector<Block> blocks;
    for (int b = 0; b < 9; ++b) {
        const WordBlock& w = WORD_BLOCKS[b];
        blocks.push_back({b, {{w.x0, w.y0, -0.5}, {w.x1, w.y1, 0.5}}});
    }
    blocks.push_back({-1, {{-0.2, 1.3, 9.5}, {0.2, 1.7, 10.5}}}); // the lamp at angle 0
    struct Entry {
        BoxCrossing crossing;
        const Block* block;
    };
    std::vector<Entry> entries;
    Hit hit;
    for (const Block& block : blocks) {
        const BoxCrossing crossing = crossBox(ray, block.box);
        if (!crossing.meets())
            continue;
        hit.clear = hit.clear && std::abs(crossing.enter - 1.0) > 0.05 && std::abs(crossing.leave - 1.0) > 0.05;
        if (crossing.enter > 1.0)
            entries.push_back({crossing, &block});
    }
    if (entries.empty())
        return hit;
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.crossing.enter < b.crossing.enter;
    });
    const Entry& first = entries[0];
    hit.clear = hit.clear && (entries.size() == 1 || entries[1].crossing.enter - first.crossing.enter > 1e-9);
    hit.block = first.block->block;
    // The face on the box's high side is entered going down that axis.
    const int axis = first.crossing.axis;
    const bool high = ray.direction[axis] < 0;
    const Face faces[3][2] = {{LEFT_FACE, RIGHT_FACE}, {BOTTOM_FACE, TOP_FACE}, {BACK_FACE, FRONT_FACE}};
    hit.face = faces[axis][high ? 1 : 0];
    double local[3];
    boxPoint(ray, first.crossing.enter, first.block->box, local);
    textureAt(hit.face, local[0], local[1], local[2], hit.s, hit.t);
    return hit;
}

struct PatternView {
    const char* name;
    Viewer viewer;
    // Block faces that must be seen, each over at least 20 sampled pixels.
    std::vector<std::pair<int, Face>> seen;
};

void PrintTo(const PatternView& view, std::ostream* out) { *out << "view " << view.name; }

class BlockPattern : public RoomFrame, public ::testing::WithParamInterface<PatternView> {};

// Every pixel of the view whose neighbours two pixels away show the same
// face shows the texel that the face's block, by its place and size, puts
// there; every pixel whose ray meets no block shows no block. A block drawn
// elsewhere, larger, smaller, turned or missing shows a part of the texture
// that does not belong there, where the other blocks do not cover it, or a
// shape of its own from the side, from above or from below.
TEST_P(BlockPattern, EachVisibleFaceShowsThePartOfTheTextureItsBlockGivesIt)
{
    const PatternView& view = GetParam();
    std::vector<Rgb> texels;
    for (int row = 0; row < 256; ++row)
        for (int column = 0; column < 256; ++column)
            texels.push_back({column, row, 128});
    writeBitmap("leopard.bmp", 256, 256, texels);
    initTextures();
    glDisable(GL_LIGHTING);
    eyeX = static_cast<float>(view.viewer.x);
    eyeZ = static_cast<float>(view.viewer.z);
    heading = static_cast<float>(view.viewer.heading);
    tilt = static_cast<float>(view.viewer.tilt);
    const Screenshot picture = frame("pattern");

    auto rayAt = [&](int x, int y) { return castRay(viewRay(view.viewer, {x + 0.5, y + 0.5})); };
    std::map<std::pair<int, Face>, int> checked;
    int wrong = 0;
    for (int y = 3; y < HEIGHT - 3; y += 3)
        for (int x = 3; x < WIDTH - 3; x += 3) {
            const Hit hit = rayAt(x, y);
            bool sharp = hit.clear;
            for (const Pixel& n : {Pixel{x - 2, y}, Pixel{x + 2, y}, Pixel{x, y - 2}, Pixel{x, y + 2}}) {
                const Hit other = rayAt(n.x, n.y);
                sharp = sharp && other.clear && other.block == hit.block && (hit.block < 0 || other.face == hit.face);
            }
            if (!sharp)
                continue;
            const Rgb seen = picture.at(x, y);
            ::testing::AssertionResult right = ::testing::AssertionSuccess();
            if (hit.block < 0) {
                if (std::abs(seen.b - 128) <= 40)
                    right = ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") shows a block: " << seen;
            } else {
                ++checked[{hit.block, hit.face}];
                const Rgb texel{static_cast<int>(std::lround(256 * hit.s - 0.5)),
                                static_cast<int>(std::lround(256 * hit.t - 0.5)),
                                128};
                right = probe(picture, x, y, texel, 4);
                if (!right)
                    right << " on the " << FACE_NAMES[hit.face] << " face of " << WORD_BLOCKS[hit.block].name
                          << " at s " << hit.s << ", t " << hit.t;
            }
            if (!right && ++wrong <= 5)
                ADD_FAILURE() << right.message();
        }
    EXPECT_EQ(wrong, 0) << "pixels that show the wrong thing";
    for (const auto& [block, face] : view.seen)
        EXPECT_GE((checked[{block, face}]), 20)
            << "the " << FACE_NAMES[face] << " face of " << WORD_BLOCKS[block].name << " is not seen";
}

// The start view, and views the walking keys reach: from either side of
// the word, and with the head tilted down and up close to glyph B.
// Blocks 0 and 1 are glyph A's columns, 2 to 6 glyph B's top, middle and
// bottom bars and its upper-left and lower-right columns, 7 and 8 glyph C's
// column and bar.
const PatternView PATTERN_VIEWS[] = {
    {"Start",
     {},
     {{0, FRONT_FACE},
      {1, FRONT_FACE},
      {2, FRONT_FACE},
      {3, FRONT_FACE},
      {4, FRONT_FACE},
      {5, FRONT_FACE},
      {6, FRONT_FACE},
      {7, FRONT_FACE},
      {8, FRONT_FACE},
      {0, RIGHT_FACE},
      {7, LEFT_FACE},
      {2, BOTTOM_FACE},
      {4, TOP_FACE}}},
    {"FromTheRight",
     {7.0, 0.25, 3.0, 60.0, 0.0},
     {{1, RIGHT_FACE},
      {2, RIGHT_FACE},
      {3, RIGHT_FACE},
      {5, RIGHT_FACE},
      {6, RIGHT_FACE},
      {7, RIGHT_FACE},
      {8, RIGHT_FACE},
      {8, BOTTOM_FACE}}},
    {"FromTheLeft", {-7.0, 0.25, 3.0, -60.0, 0.0}, {{0, LEFT_FACE}, {1, LEFT_FACE}, {6, LEFT_FACE}, {7, LEFT_FACE}}},
    {"TiltedDown",
     {0.5, 0.25, 3.0, 0.0, 30.0},
     {{4, TOP_FACE}, {3, FRONT_FACE}, {4, FRONT_FACE}, {6, FRONT_FACE}, {0, RIGHT_FACE}, {7, LEFT_FACE}}},
    {"TiltedUp",
     {0.5, 0.25, 3.5, 0.0, -30.0},
     {{2, BOTTOM_FACE}, {2, FRONT_FACE}, {3, FRONT_FACE}, {5, FRONT_FACE}, {0, RIGHT_FACE}}},
};
INSTANTIATE_TEST_SUITE_P(Views, BlockPattern, ::testing::ValuesIn(PATTERN_VIEWS),
                         [](const ::testing::TestParamInfo<PatternView>& info) { return info.param.name; });

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
        const Screenshot picture = frame();
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
    const Screenshot picture = frame("no-glyph-texture");

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
    const Screenshot picture = frame("lamp");
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
        const Screenshot picture = frame(c.eyeZ < 2.0f ? "near" : nullptr);
        EXPECT_TRUE(shows(picture, {WIDTH / 2, HEIGHT / 2}, c.kind, c.what)) << "eye at z = " << c.eyeZ;
    }
}

} // namespace
