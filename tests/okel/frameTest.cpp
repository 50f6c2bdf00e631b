// The frame of the letter-scene viewer, drawn in a real 1024 x 768 window
// with solid-colour texture files, and probed where the geometry puts each
// piece.
#include <GL/freeglut.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "okel/frame.h"
#include "okel/glyphs.h"
#include "okel/input.h"
#include "okel/scene.h"
#include "okel/textures.h"
#include "tests/support/files.h"
#include "tests/support/geometry.h"
#include "tests/support/glFrames.h"
#include "tests/support/glWindow.h"
#include "tests/support/okelTestScene.h"

namespace {

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

struct Probe {
    const char* piece;
    double x;
    double y;
    const char* file; // nullptr: the backdrop's earth colour
};

TEST_F(Frame, BlockWordPiecesStandWhereTheirGlyphsPutThemInTheirSlotColours)
{
    glyphSlot1 = 2; // metal
    glyphSlot2 = 4; // tablecloth
    glyphSlot3 = 5; // envwall
    glyphSlot4 = 9; // sunset
    const Screenshot picture = drawFrames();
    keepForFailure(picture, "blocks");

    const Probe probes[] = {
        {"A1 column", -125, 0, "metal6464.raw"},
        {"A1 top bar", -103, 45, "metal6464.raw"},
        {"A1 bottom bar", -147, -45, "metal6464.raw"},
        {"A1 left of column", -148, 0, nullptr},
        {"A1 right of column", -102, 0, nullptr},
        {"A2 column", -50, 0, "tablecloth256.raw"},
        {"A2 top bar", -72, 45, "tablecloth256.raw"},
        {"A2 bottom bar", -28, -45, "tablecloth256.raw"},
        {"between A1 and A2", -87, 0, nullptr},
        {"B top bar", 40, 48.5, "envwall128.raw"},
        {"B middle bar", 25, -1, "envwall128.raw"},
        {"B bottom bar", 10, -50.5, "envwall128.raw"},
        {"B right upright", 50, -20, "envwall128.raw"},
        {"B right upright, just above the bottom bar", 50, -37, "envwall128.raw"},
        {"B left upright, just below the top bar", 0, 35, "envwall128.raw"},
        {"B left upright", 0, 25, "envwall128.raw"},
        {"B upper gap", 30, 24, nullptr},
        {"B lower gap", 20, -26, nullptr},
        {"B right of the left upright, below the top bar", 10, 30, nullptr},
        {"C column", 100, -30, "sunset.raw"},
        {"C top bar left", 78, 39, "sunset.raw"},
        {"C top bar right", 122, 39, "sunset.raw"},
        {"C beside the column", 78, -30, nullptr},
        {"above the word", 0, 120, nullptr},
        {"below the word", 0, -120, nullptr},
    };
    for (const Probe& p : probes) {
        const Rgb expected = p.file ? colourOf(p.file) : colourOf("earth1024.raw");
        EXPECT_TRUE(probe(picture, px(p.x), py(p.y), expected)) << p.piece;
    }
}

TEST_F(Frame, BlockGlyphsReachExactlyTheirOuterEdges)
{
    glyphSlot1 = glyphSlot2 = glyphSlot3 = glyphSlot4 = 7; // blue.raw everywhere
    const Screenshot picture = drawFrames();
    const Rgb glyph = colourOf("blue.raw");
    const Rgb backdrop = colourOf("earth1024.raw");
    struct Edges {
        const char* glyph;
        double left, right, bottom, top; // outer box
        double rowY;                     // a row through a full-width bar
        double columnX;                  // a column through the full height
    };
    const Edges edges[] = {
        {"A1", -155, -95, -60, 60, 45, -125},
        {"A2", -80, -20, -60, 60, -45, -50},
        {"B", -5, 55, -61.5, 59.5, 48.5, 0},
        {"C", 70, 130, -61, 59, 39, 100},
    };
    // Two pixels inside and outside each edge (2.67 pixels a unit across,
    // 2 pixels a unit up).
    for (const Edges& e : edges) {
        const int row = py(e.rowY);
        EXPECT_TRUE(probe(picture, px(e.left) + 2, row, glyph)) << e.glyph << " left edge";
        EXPECT_TRUE(probe(picture, px(e.left) - 2, row, backdrop)) << e.glyph << " left edge";
        EXPECT_TRUE(probe(picture, px(e.right) - 2, row, glyph)) << e.glyph << " right edge";
        EXPECT_TRUE(probe(picture, px(e.right) + 2, row, backdrop)) << e.glyph << " right edge";
    }
    // The glyph B column at x = 0 only spans its left upright and the bars,
    // so probe its top and bottom through the bars at their middles.
    const Edges& b = edges[2];
    EXPECT_TRUE(probe(picture, px(25), py(b.top) + 2, glyph)) << "B top edge";
    EXPECT_TRUE(probe(picture, px(25), py(b.top) - 2, backdrop)) << "B top edge";
    EXPECT_TRUE(probe(picture, px(25), py(b.bottom) - 2, glyph)) << "B bottom edge";
    EXPECT_TRUE(probe(picture, px(25), py(b.bottom) + 2, backdrop)) << "B bottom edge";
    for (const Edges* e : {&edges[0], &edges[1], &edges[3]}) {
        EXPECT_TRUE(probe(picture, px(e->columnX), py(e->top) + 2, glyph)) << e->glyph << " top edge";
        EXPECT_TRUE(probe(picture, px(e->columnX), py(e->top) - 2, backdrop)) << e->glyph << " top edge";
        EXPECT_TRUE(probe(picture, px(e->columnX), py(e->bottom) - 2, glyph)) << e->glyph << " bottom edge";
        EXPECT_TRUE(probe(picture, px(e->columnX), py(e->bottom) + 2, backdrop)) << e->glyph << " bottom edge";
    }
}

// The pixels on either side of a line at window coordinate `at`: a pixel is
// drawn when its centre lies inside a face, so the line falls between the
// last pixel whose centre lies before it and the next. False where a centre
// lies so close to the line that either side may take it.
bool pixelsAround(double at, int& before, int& after)
{
    before = static_cast<int>(std::floor(at - 0.5));
    after = before + 1;
    return std::abs(at - (before + 0.5)) > 0.05 && std::abs(at - (after + 0.5)) > 0.05;
}

// The word's edges to the pixel, each glyph position in a colour of its
// own: along every edge of every box, inner edges included, the pixels
// either side show what the boxes' places put at their centres, the
// glyph's colour inside a box and the backdrop outside all of them. A piece
// moved by one glyph unit (1.3 pixels across, 1 up) or grown by half a unit
// shows on the wrong side of one of them.
TEST_F(Frame, EveryPieceEdgeStandsWithinAPixelOfItsPlace)
{
    glyphSlot1 = 2;
    glyphSlot2 = 4;
    glyphSlot3 = 5;
    glyphSlot4 = 9;
    const char* const files[] = {"earth1024.raw", "metal6464.raw", "tablecloth256.raw", "envwall128.raw", "sunset.raw"};
    const Screenshot picture = drawFrames();
    keepForFailure(picture, "edges");
    // What the boxes put at a pixel's centre, or nothing (-1) where the
    // centre lies too close to an edge to tell.
    const auto expectedAt = [](int column, int row) {
        const double cx = column + 0.5, cy = row + 0.5;
        int glyph = 0;
        for (const WordBox& box : WORD_BOXES) {
            const double l = windowX(box.left), r = windowX(box.right), t = windowY(box.top), b = windowY(box.bottom);
            if (cx > l - 0.05 && cx < r + 0.05 && cy > t - 0.05 && cy < b + 0.05) {
                if (cx < l + 0.05 || cx > r - 0.05 || cy < t + 0.05 || cy > b - 0.05)
                    return -1;
                glyph = box.glyph;
            }
        }
        return glyph;
    };
    int wrong = 0, checked = 0;
    const auto check = [&](const WordBox& box, const char* edge, int column, int row) {
        const int glyph = expectedAt(column, row);
        if (glyph < 0)
            return;
        ++checked;
        ::testing::AssertionResult right = probe(picture, column, row, colourOf(files[glyph]));
        if (!right && ++wrong <= 5)
            ADD_FAILURE() << right.message() << " by the " << edge << " edge of " << box.name;
    };
    for (const WordBox& box : WORD_BOXES) {
        int before = 0, after = 0;
        // Along each edge, a pixel apart, from end to end.
        for (int row = py(box.top) + 1; row < py(box.bottom) - 1; ++row) {
            if (pixelsAround(windowX(box.left), before, after))
                check(box, "left", before, row), check(box, "left", after, row);
            if (pixelsAround(windowX(box.right), before, after))
                check(box, "right", before, row), check(box, "right", after, row);
        }
        for (int column = px(box.left) + 1; column < px(box.right) - 1; ++column) {
            if (pixelsAround(windowY(box.top), before, after))
                check(box, "top", column, before), check(box, "top", column, after);
            if (pixelsAround(windowY(box.bottom), before, after))
                check(box, "bottom", column, before), check(box, "bottom", column, after);
        }
    }
    EXPECT_EQ(wrong, 0) << "pixels by the edges that show the wrong thing";
    EXPECT_GT(checked, 3000);
}

// Writes metal6464.raw as a texture whose every texel tells where it is: red
// 256 s and green 256 t, at the middle of each texel, blue 60.
void writeGradientMetal()
{
    std::vector<unsigned char> gradient;
    for (int row = 0; row < 64; ++row)
        for (int column = 0; column < 64; ++column)
            gradient.insert(gradient.end(),
                            {static_cast<unsigned char>(4 * column + 2), static_cast<unsigned char>(4 * row + 2), 60});
    writeFile("metal6464.raw", gradient);
}

// Each box's front face carries the whole texture once: on an unturned box
// s grows from 0 at its bottom to 1 at its top and t from its left to its
// right; on a turned one s grows from left to right and t from top to
// bottom. A texture whose every texel tells where it is (red 256 s, green
// 256 t) shows on every box that part of it that the box's place and size
// give, away from the edges and from where boxes overlap.
TEST_F(Frame, EveryBoxFaceShowsTheWholeTextureOnceAcrossItsPlaceAndSize)
{
    writeGradientMetal();
    glyphSlot1 = glyphSlot2 = glyphSlot3 = glyphSlot4 = 2;
    const Screenshot picture = drawFrames();
    keepForFailure(picture, "gradient");

    auto inside = [](const WordBox& b, double x, double y, double margin) {
        return x > b.left - margin && x < b.right + margin && y > b.bottom - margin && y < b.top + margin;
    };
    for (const WordBox& box : WORD_BOXES) {
        int probed = 0;
        for (double u : {0.1, 0.3, 0.5, 0.7, 0.9})
            for (double v : {0.1, 0.3, 0.5, 0.7, 0.9}) {
                // The centre of the pixel nearest to the point u, v of the
                // face, in the view box, and where it lies on the face.
                const int column = px(box.left + u * (box.right - box.left));
                const int row = py(box.bottom + v * (box.top - box.bottom));
                const double x = (column + 0.5) * VIEW_SIZE / WIDTH - VIEW_SIZE / 2.0;
                const double y = VIEW_SIZE / 2.0 - (row + 0.5) * VIEW_SIZE / HEIGHT;
                const double across = (x - box.left) / (box.right - box.left);
                const double up = (y - box.bottom) / (box.top - box.bottom);
                // Two pixels from any edge, and outside every other box.
                bool covered = !inside(box, x, y, -1.0);
                for (const WordBox& other : WORD_BOXES)
                    covered = covered || (&other != &box && inside(other, x, y, 1.0));
                if (covered)
                    continue;
                const double s = box.turned ? across : up, t = box.turned ? 1 - up : across;
                const Rgb expected{static_cast<int>(std::lround(256 * s)), static_cast<int>(std::lround(256 * t)), 60};
                EXPECT_TRUE(probe(picture, column, row, expected, 4)) << box.name << " at s " << s << ", t " << t;
                ++probed;
            }
        EXPECT_GE(probed, 5) << box.name;
    }
}

// The ray of a pixel's centre from the camera where the scene's state puts
// it (geometry.h).
Ray cameraRay(double column, double row)
{
    const double eye[3] = {cameraX, cameraY, cameraZ};
    return orthographicRay(eye, upSign, VIEW_SIZE, WIDTH, HEIGHT, column, row);
}

// The cube's faces in the order it draws them: the axis and side each lies
// on, and the cube axes along which its texture's s and t grow (t the other
// way on the y = +1 face).
struct CubeFace {
    int axis, side, sAxis, tAxis, tSign;
};
const CubeFace CUBE_FACES[6] = {
    {2, -1, 0, 1, +1},
    {1, +1, 2, 0, -1},
    {0, -1, 1, 2, +1},
    {0, +1, 2, 1, +1},
    {2, +1, 1, 0, +1},
    {1, -1, 2, 0, +1},
};

// What a ray meets first among the word's boxes (all 30 deep about z = 0):
// the box, the cube face (index into CUBE_FACES) and the texture coordinate
// there. A turned box holds the cube turned a quarter, so that the cube's
// point (x, y) lies at the box's (y, -x). `clear` is false where two boxes
// are entered at once.
struct BoxHit {
    int box = -1;
    int face = 0;
    double s = 0, t = 0;
    bool clear = true;
};

BoxHit castBoxRay(const Ray& ray)
{
    BoxHit hit;
    double nearest = 1e9;
    for (int b = 0; b < 13; ++b) {
        const WordBox& word = WORD_BOXES[b];
        const Box box{{word.left, word.bottom, -15}, {word.right, word.top, 15}};
        const BoxCrossing crossing = crossBox(ray, box);
        if (!crossing.meets())
            continue;
        const double enter = crossing.enter;
        if (std::abs(enter - nearest) < 1e-6)
            hit.clear = false;
        if (enter > nearest)
            continue;
        hit.clear = hit.clear && enter < nearest - 1e-6;
        nearest = enter;
        hit.box = b;
        double local[3];
        boxPoint(ray, enter, box, local);
        const double cube[3] = {word.turned ? -local[1] : local[0], word.turned ? local[0] : local[1], local[2]};
        int axis = 0;
        for (int a = 1; a < 3; ++a)
            if (std::abs(cube[a]) > std::abs(cube[axis]))
                axis = a;
        for (int f = 0; f < 6; ++f)
            if (CUBE_FACES[f].axis == axis && (cube[axis] > 0) == (CUBE_FACES[f].side > 0))
                hit.face = f;
        const CubeFace& face = CUBE_FACES[hit.face];
        hit.s = (cube[face.sAxis] + 1) / 2;
        hit.t = (face.tSign * cube[face.tAxis] + 1) / 2;
    }
    return hit;
}

// A view the camera keys, the mouse and the idle steps reach from the
// start: each character is a key press, but '*' an idle step and 'L' a
// left mouse press (the horizontal sweep).
struct CameraView {
    const char* name;
    std::string steps;
    std::vector<int> faces; // cube faces that must show on the word
};

void PrintTo(const CameraView& view, std::ostream* out) { *out << "view " << view.name; }

class BoxFaces : public Frame, public ::testing::WithParamInterface<CameraView> {};

// Every pixel whose neighbours two pixels away show the same face of the
// same box shows the texel of the gradient that the box's place, size and
// turn put there, and every pixel whose ray meets no box shows none. A
// corner of the cube moved, a face drawn with a wrong corner, a box moved,
// resized or turned wrong shows texels that do not belong where they show,
// from one of the views.
TEST_P(BoxFaces, EveryVisibleFaceShowsTheTexelItsBoxGives)
{
    const CameraView& view = GetParam();
    writeGradientMetal();
    writeFile("moon256.raw", solidRaw(256, 256, 160, 100, 200)); // not the gradient's blue
    glyphSlot1 = glyphSlot2 = glyphSlot3 = glyphSlot4 = 2;
    for (char step : view.steps) {
        if (step == '*')
            animateScene();
        else if (step == 'L')
            mouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
        else
            keyPressed(static_cast<unsigned char>(step), 0, 0);
    }
    const Screenshot picture = drawFrames();
    keepForFailure(picture, view.name);

    int checked[6] = {0}, wrong = 0;
    for (int row = 2; row < HEIGHT - 2; row += 2)
        for (int column = 2; column < WIDTH - 2; column += 2) {
            const BoxHit hit = castBoxRay(cameraRay(column, row));
            bool sharp = hit.clear;
            double step = 0; // how far s or t moves from one pixel to the next
            for (const auto& [dx, dy] : {std::pair{-2, 0}, std::pair{2, 0}, std::pair{0, -2}, std::pair{0, 2}}) {
                const BoxHit other = castBoxRay(cameraRay(column + dx, row + dy));
                sharp = sharp && other.clear && other.box == hit.box && (hit.box < 0 || other.face == hit.face);
                step = std::max({step, std::abs(other.s - hit.s) / 2, std::abs(other.t - hit.t) / 2});
            }
            // The filters blend the texture's far side in within a texel of
            // its edges, a texel of the mipmap level that the step picks.
            const double margin = 0.02 + 1.5 * step;
            if (!sharp || (hit.box >= 0 && (std::min(hit.s, hit.t) < margin || std::max(hit.s, hit.t) > 1 - margin)))
                continue;
            const Rgb seen = picture.at(column, row);
            ::testing::AssertionResult right = ::testing::AssertionSuccess();
            if (hit.box < 0) {
                if (std::abs(seen.b - 60) <= 20)
                    right = ::testing::AssertionFailure()
                            << "pixel (" << column << ", " << row << ") shows a box: " << seen;
            } else {
                ++checked[hit.face];
                const Rgb texel{
                    static_cast<int>(std::lround(256 * hit.s)), static_cast<int>(std::lround(256 * hit.t)), 60};
                right = probe(picture, column, row, texel, 4);
                if (!right)
                    right << " on the cube's face " << hit.face << " of " << WORD_BOXES[hit.box].name << " at s "
                          << hit.s << ", t " << hit.t;
            }
            if (!right && ++wrong <= 5)
                ADD_FAILURE() << right.message();
        }
    EXPECT_EQ(wrong, 0) << "pixels that show the wrong thing";
    for (int face : view.faces)
        EXPECT_GE(checked[face], 200) << "the cube's face " << face << " is hardly seen";
}

// The cube's faces: 0 z = -1 (back), 1 y = +1, 2 x = -1, 3 x = +1, 4 z = +1
// (front), 5 y = -1; on glyph B's turned boxes y = +1 is the right side, x
// = -1 the top, x = +1 the bottom and y = -1 the left.
const CameraView CAMERA_VIEWS[] = {
    {"Left", "jjjj", {4, 2, 5}},
    {"Right", "llll", {4, 3, 1}},
    {"Up", "iiii", {4, 1, 2}},
    {"Down", "kkkk", {4, 5, 3}},
    {"UpAndRight", "iiillll", {4, 1, 2, 3}},
    {"PastTheRightLimit", std::string(13, 'l') + "*", {0, 3, 1}},
    {"PastTheRightLimitAndBackLeft", std::string(13, 'l') + "*" + std::string(20, 'l'), {0, 2, 5}},
    {"PastTheTopLimit", std::string(13, 'i') + "*", {0, 1, 2}},
    {"SweptPastTheLimit", "L" + std::string(16, '*'), {0, 3, 1}},
};

INSTANTIATE_TEST_SUITE_P(Views, BoxFaces, ::testing::ValuesIn(CAMERA_VIEWS),
                         [](const ::testing::TestParamInfo<CameraView>& info) { return info.param.name; });

TEST_F(Frame, StartSlotsShowCheckerGradientMetalAndStars)
{
    const Screenshot picture = drawFrames();
    keepForFailure(picture, "start");
    // Glyph 1 wears the checker: both black and white squares on its column.
    const int x0 = px(-138), x1 = px(-112), y0 = py(28), y1 = py(-28);
    EXPECT_GT(countNear(picture, x0, y0, x1, y1, BLACK), 500);
    EXPECT_GT(countNear(picture, x0, y0, x1, y1, WHITE), 500);
    // Glyph 2 wears the gradient: neither one flat colour nor the backdrop.
    const int area = (px(-38) - px(-62) + 1) * (py(-28) - py(28) + 1);
    EXPECT_LT(countNear(picture, px(-62), py(28), px(-38), py(-28), picture.at(px(-50), py(0)), 0), area / 2);
    EXPECT_EQ(countNear(picture, px(-62), py(28), px(-38), py(-28), colourOf("earth1024.raw")), 0);
    EXPECT_TRUE(probe(picture, px(25), py(-1), colourOf("metal6464.raw")));
    EXPECT_TRUE(probe(picture, px(100), py(-30), colourOf("star1024.raw")));
}

TEST_F(Frame, FirstFrameModulatesThePatternsUntilTheFirstFileLoad)
{
    // A fresh context starts in modulate mode: the checker's white squares
    // take the lit surface colour, which is darker than white.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    drawScene();
    const Screenshot first = lastFrame();
    const Screenshot later = drawFrames();
    const int x0 = px(-138), x1 = px(-112), y0 = py(28), y1 = py(-28);
    EXPECT_GT(countNear(later, x0, y0, x1, y1, WHITE), 500);
    EXPECT_EQ(countNear(first, x0, y0, x1, y1, WHITE), 0);
}

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

TEST_F(Frame, BigScaleTriplesTheWordAndPutsTheBackdropBeyondTheFarPlane)
{
    glyphSlot3 = 5;
    bigScale = 1;
    const Screenshot picture = drawFrames();
    keepForFailure(picture, "big");
    // Glyph B's top bar now spans y 112.5 .. 178.5 and x -15 .. 165.
    EXPECT_TRUE(probe(picture, px(75), py(145), colourOf("envwall128.raw")));
    EXPECT_TRUE(probe(picture, px(60), py(70), BLACK)) << "the backdrop is not drawn";
    EXPECT_TRUE(probe(picture, px(-40), py(0), BLACK));
    EXPECT_GT(countNear(picture, 0, 726, 700, 760, WHITE), 400) << "the status text keeps its size";
}

// Glyph B's middle bar in the tripled view, 4 pixels to a glyph unit
// across, under the gradient: at each of its ends the bar's texture gives
// way to the upright's, whose faces lie in the bar's plane, where the
// boxes' places put the end. Every pixel by the ends shows the texel that
// the box its centre lies in gives, but for those within half a texel (and
// a pixel) of a face's edge, which the filter blends with the far side of
// the texture. A bar a glyph unit longer or shorter at each end moves its
// ends by 4 pixels.
TEST_F(Frame, TripledGlyphBsMiddleBarEndsWhereItsBoxDoes)
{
    writeGradientMetal();
    glyphSlot3 = 2;
    bigScale = 1;
    const Screenshot picture = drawFrames();
    keepForFailure(picture, "tripled-bar");
    // What the ray through a pixel's centre meets in the untripled word.
    const auto hitAt = [](int column, int row) {
        Ray ray = cameraRay(column, row);
        for (double& a : ray.origin)
            a /= 3;
        return castBoxRay(ray);
    };
    const int bar = 8;
    const WordBox& b = WORD_BOXES[bar];
    ASSERT_STREQ(b.name, "B middle bar");
    int checked[2] = {0, 0}, wrong = 0;
    for (const double end : {b.left, b.right})
        for (int row = py(3 * b.top); row <= py(3 * b.bottom); ++row)
            for (int column = px(3 * end) - 12; column <= px(3 * end) + 12; ++column) {
                const BoxHit hit = hitAt(column, row);
                if (!hit.clear || hit.box < 0)
                    continue;
                // How far s and t move from one pixel to the next on the
                // same face.
                double step = 0;
                for (const auto& [dx, dy] : {std::pair{-1, 0}, std::pair{1, 0}, std::pair{0, -1}, std::pair{0, 1}}) {
                    const BoxHit other = hitAt(column + dx, row + dy);
                    if (other.box == hit.box)
                        step = std::max({step, std::abs(other.s - hit.s), std::abs(other.t - hit.t)});
                }
                const double margin = 0.5 / 64 + step;
                if (std::min(hit.s, hit.t) < margin || std::max(hit.s, hit.t) > 1 - margin)
                    continue;
                ++checked[hit.box == bar ? 0 : 1];
                const Rgb texel{
                    static_cast<int>(std::lround(256 * hit.s)), static_cast<int>(std::lround(256 * hit.t)), 60};
                ::testing::AssertionResult right = probe(picture, column, row, texel, 4);
                if (!right && ++wrong <= 5)
                    ADD_FAILURE() << right.message() << " on " << WORD_BOXES[hit.box].name << " at s " << hit.s
                                  << ", t " << hit.t;
            }
    EXPECT_EQ(wrong, 0) << "pixels by the bar's ends that show the wrong box's texel";
    EXPECT_GT(checked[0], 500) << "the bar is hardly seen";
    EXPECT_GT(checked[1], 500) << "the uprights are hardly seen";
}

TEST_F(Frame, FromTheBackTheBackdropIsClippedAndTheMoonAndSpheresShow)
{
    glyphSlot1 = glyphSlot2 = glyphSlot3 = glyphSlot4 = 7; // no white on the word
    cameraZ = -50.0f;
    const Screenshot picture = drawFrames();
    keepForFailure(picture, "back");
    // Seen from behind, x is mirrored: the moon at (-60, 120) shows at x 60.
    EXPECT_TRUE(probe(picture, px(60), py(120), colourOf("moon256.raw")));
    // The first sphere of the small cluster at (15, 100) shows at x -15.
    EXPECT_TRUE(probe(picture, px(-15), py(100), WHITE));
    // The large cluster's sphere at (-60, -100) shows at x 60, below the
    // word.
    EXPECT_TRUE(probe(picture, px(60), py(-100), WHITE));
    EXPECT_TRUE(probe(picture, px(0), py(150), BLACK));
    EXPECT_EQ(countNear(picture, 0, 0, WIDTH - 1, HEIGHT - 1, colourOf("earth1024.raw")), 0);

    // Tripled, the clusters and the moon lie beyond the far plane too.
    bigScale = 1;
    const Screenshot big = drawFrames();
    EXPECT_EQ(countNear(big, 0, 0, WIDTH - 1, 700, colourOf("moon256.raw")), 0);
    EXPECT_EQ(countNear(big, 0, 0, WIDTH - 1, 700, WHITE), 0);
}

// The backdrop group from behind, at three spins: each sphere of the two
// clusters is a disc of radius 4 pixels (1.5 units across, 2 up in the
// spun frame) about its centre, and the moon a 60 x 80 rectangle, each
// where the group's spin puts it, mirrored; the word hides some of them.
// Every pixel about each sphere whose centre lies more than half a pixel
// inside its outline shows it white and every one more than half a pixel
// outside shows the black beyond the clipped backdrop, so a sphere a
// quarter larger or smaller, its outline a pixel away, fails; at each corner
// of the moon the pixels either side of both edges show where it ends. The
// spheres show at this size only: tripled, they lie beyond the clipping
// planes from every place the camera reaches.
TEST_F(Frame, FromBehindEverySphereAndTheMoonStandWhereTheGroupPutsThem)
{
    glyphSlot1 = glyphSlot2 = glyphSlot3 = glyphSlot4 = 7; // no white on the word
    cameraZ = -50.0f;
    // Sphere centres in the spun frame: the small cluster, then the large.
    const double centres[][2] = {
        {15, 100},
        {30, 100},
        {45, 80},
        {45, 60},
        {30, 40},
        {15, 40},
        {-15, -20},
        {-30, -20},
        {-45, -20},
        {-60, -20},
        {-75, -20},
        {-90, -20},
        {-60, -60},
        {-60, -100},
        {-60, -140},
        {-30, -140},
        {-45, -160},
        {-60, -160},
    };
    int seen[18] = {0}, corners = 0;
    for (const float spin : {0.0f, 180.0f, 270.0f}) {
        spinAngle = spin;
        const Screenshot picture = drawFrames();
        keepForFailure(picture, "behind");
        SCOPED_TRACE(::testing::Message() << "spin " << spin);
        const double c = std::cos(spin * M_PI / 180), sn = std::sin(spin * M_PI / 180);
        // The view-box point of a spun-frame point, and the other way.
        const auto toView = [&](double x, double y) { return std::pair{-(x * c - y * sn), x * sn + y * c}; };
        const auto toSpun = [&](double x, double y) { return std::pair{-x * c + y * sn, x * sn + y * c}; };
        const auto hidden = [](double x, double y) {
            for (const WordBox& box : WORD_BOXES)
                if (-x > box.left - 1 && -x < box.right + 1 && y > box.bottom - 1 && y < box.top + 1)
                    return true;
            return false;
        };
        for (int i = 0; i < 18; ++i) {
            const auto [vx, vy] = toView(centres[i][0], centres[i][1]);
            for (int row = py(vy) - 7; row <= py(vy) + 7; ++row)
                for (int column = px(vx) - 7; column <= px(vx) + 7; ++column) {
                    const double x = (column + 0.5) * VIEW_SIZE / WIDTH - VIEW_SIZE / 2.0;
                    const double y = VIEW_SIZE / 2.0 - (row + 0.5) * VIEW_SIZE / HEIGHT;
                    const auto [sx, sy] = toSpun(x, y);
                    const double r = std::hypot((sx - centres[i][0]) / 1.5, (sy - centres[i][1]) / 2);
                    if (hidden(x, y) || std::abs(r - 1) < 0.125)
                        continue;
                    seen[i] += r < 0.25 ? 1 : 0;
                    EXPECT_TRUE(probe(picture, column, row, r < 1 ? WHITE : BLACK))
                        << "sphere " << i << " at (" << centres[i][0] << ", " << centres[i][1] << "), " << r
                        << " of its radius from its centre";
                }
        }
        const Rgb moon = colourOf("moon256.raw");
        for (const double mx : {-90.0, -30.0})
            for (const double my : {80.0, 160.0}) {
                const auto [vx, vy] = toView(mx, my);
                const auto [cx, cy] = toView(-60, 120);
                if (hidden(vx, vy))
                    continue;
                int left = 0, right = 0, top = 0, bottom = 0;
                ASSERT_TRUE(pixelsAround(windowX(vx), left, right) && pixelsAround(windowY(vy), top, bottom));
                // The pixel inside the corner, and the one past each edge.
                const int inX = vx < cx ? right : left, outX = vx < cx ? left : right;
                const int inY = vy > cy ? bottom : top, outY = vy > cy ? top : bottom;
                SCOPED_TRACE(::testing::Message() << "moon corner (" << mx << ", " << my << ")");
                ++corners;
                EXPECT_TRUE(probe(picture, inX, inY, moon));
                EXPECT_TRUE(probe(picture, outX, inY, BLACK));
                EXPECT_TRUE(probe(picture, inX, outY, BLACK));
            }
    }
    for (int i = 0; i < 18; ++i)
        EXPECT_GT(seen[i], 0) << "sphere " << i << " is hidden at every spin";
    EXPECT_GE(corners, 8);
}

TEST_F(Frame, TeapotWordReplacesTheBlocks)
{
    glyphSlot1 = 2;
    glyphSlot4 = 9;
    teapotMode = 1;
    const Screenshot picture = drawFrames();
    keepForFailure(picture, "teapots");
    // Teapot centres: glyph 1 from (-155, 50), glyph 4 from (75, 50).
    EXPECT_TRUE(probe(picture, px(-155), py(50), colourOf("metal6464.raw")));
    EXPECT_TRUE(probe(picture, px(-130), py(0), colourOf("metal6464.raw")));
    EXPECT_TRUE(probe(picture, px(100), py(-50), colourOf("sunset.raw")));
    // Where glyph C's block bar was, between its teapots, the backdrop shows.
    EXPECT_TRUE(probe(picture, px(125), py(30), colourOf("earth1024.raw")));
    EXPECT_TRUE(probe(picture, px(-125), py(-15), colourOf("earth1024.raw")));
}

// The teapot word with every teapot turned a quarter about the vertical, so
// that each shows end on: a body some 19 units wide and 16 high about its
// centre (9.5 to either side, 7.5 below and 8.5 above, with the lid's knob),
// which the glyph's texture colours. Each glyph position wears a texture of
// its own.
struct Teapot {
    double dx, dy;
};
struct TeapotGlyph {
    const char* name;
    double x, y;      // where the frame puts the glyph
    const char* file; // what its slot shows
    std::vector<Teapot> teapots;
};
const TeapotGlyph TEAPOT_GLYPHS[] = {
    {"A1",
     -155,
     50,
     "metal6464.raw",
     {{0, 0}, {25, 0}, {50, 0}, {25, -25}, {25, -50}, {25, -75}, {0, -100}, {25, -100}, {50, -100}}},
    {"A2",
     -75,
     50,
     "tablecloth256.raw",
     {{0, 0}, {25, 0}, {50, 0}, {25, -25}, {25, -50}, {25, -75}, {0, -100}, {25, -100}, {50, -100}}},
    {"B",
     0,
     50,
     "envwall128.raw",
     {{5, -10},
      {25, 0},
      {45, -10},
      {0, -25},
      {5, -40},
      {25, -50},
      {45, -60},
      {50, -75},
      {5, -90},
      {25, -100},
      {45, -90}}},
    {"C", 75, 50, "sunset.raw", {{0, 0}, {25, 0}, {50, 0}, {25, -25}, {25, -50}, {25, -75}, {25, -100}}},
};

// True if the point lies within `margin` units of any teapot of the word:
// an ellipse about each body, 9.5 units to either side and 8 up and down
// from 0.5 above its centre.
bool nearAnyTeapot(double x, double y, double margin)
{
    for (const TeapotGlyph& glyph : TEAPOT_GLYPHS)
        for (const Teapot& t : glyph.teapots) {
            const double u = (x - glyph.x - t.dx) / (9.5 + margin);
            const double v = (y - glyph.y - t.dy - 0.5) / (8 + margin);
            if (u * u + v * v <= 1)
                return true;
        }
    return false;
}

void PrintTo(const TeapotGlyph& glyph, std::ostream* out) { *out << "glyph " << glyph.name; }

class TeapotWord : public Frame, public ::testing::WithParamInterface<TeapotGlyph> {
protected:
    // The teapot word, each glyph position wearing a texture of its own and
    // every teapot turned a quarter, so that it shows end on.
    Screenshot drawTeapotWord()
    {
        glyphSlot1 = 2;
        glyphSlot2 = 4;
        glyphSlot3 = 5;
        glyphSlot4 = 9;
        teapotMode = 1;
        teapotAngle = 90.0f;
        const Screenshot picture = drawFrames();
        keepForFailure(picture, "teapots");
        return picture;
    }
};

// Every teapot of the glyph shows its texture at its centre, and its body's
// front stands where one at the glyph's depth has it; the ground shows all
// around it, wherever no other teapot stands. A teapot moved 10 units any
// way covers ground that should show, or leaves its centre or its depth.
TEST_P(TeapotWord, EveryTeapotStandsAtItsOffsetFromTheGlyph)
{
    const TeapotGlyph& glyph = GetParam();
    const Screenshot picture = drawTeapotWord();
    const Rgb texture = colourOf(glyph.file);
    const Rgb ground = colourOf("earth1024.raw");
    for (const Teapot& t : glyph.teapots) {
        const double x = glyph.x + t.dx, y = glyph.y + t.dy;
        SCOPED_TRACE(::testing::Message() << glyph.name << " teapot at (" << x << ", " << y << ")");
        EXPECT_TRUE(probe(picture, px(x), py(y), texture)) << "centre";
        // The body 5 units left of the axis and 3 below the centre: about
        // 8.7 units in front of the glyph's plane. The depth buffer maps the
        // view box's depth, 50 units behind the eye to 500 before it, onto
        // 0 .. 1; the eye is 50 units in front of the plane.
        GLfloat depth = 0;
        glReadPixels(px(x - 5), HEIGHT - 1 - py(y - 3), 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        const double front = 100.0 - depth * 550.0;
        EXPECT_TRUE(front > 7.0 && front < 10.5) << "body front " << front << " units before the plane";
        // Ground on a ring around the body, where no teapot stands.
        int grounds = 0;
        for (int step = 0; step < 8; ++step) {
            const double angle = step * M_PI / 4;
            const double gx = x + 13 * std::cos(angle), gy = y + 0.5 + 12 * std::sin(angle);
            if (nearAnyTeapot(gx, gy, 1.0))
                continue;
            ++grounds;
            EXPECT_TRUE(probe(picture, px(gx), py(gy), ground)) << "ground at (" << gx << ", " << gy << ")";
        }
        EXPECT_GE(grounds, 2) << "too few ground probes";
    }
}

// A lone teapot turned a quarter about the vertical at (x, y), drawn here
// alone on black, untextured and unlit, through the frame's view box from
// the start position; it shows in the window as it stands.
Screenshot loneTeapot(double x, double y)
{
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-VIEW_SIZE / 2.0, VIEW_SIZE / 2.0, -VIEW_SIZE / 2.0, VIEW_SIZE / 2.0, -50, 500);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, 50, 0, 0, 0, 0, 1, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(1, 1, 1);
    glTranslated(x, y, 0);
    glRotated(90, 0, 1, 0);
    glutSolidTeapot(10);
    glPopAttrib();
    glutSwapBuffers();
    return lastFrame();
}

// Every teapot's outline is that of a lone teapot drawn where the glyph's
// place and the teapot's offset put it, within a pixel: every pixel of the
// teapot's surroundings that the lone teapot covers shows the glyph's
// texture and every other one does not, but for pixels next to the lone
// teapot's outline and pixels that the glyph's other teapots cover. A
// teapot moved by one unit (2.7 pixels across, 2 up), resized or missing
// differs on a band wider than that.
TEST_P(TeapotWord, EveryTeapotsOutlineIsThatOfALoneTeapotInItsPlace)
{
    const TeapotGlyph& glyph = GetParam();
    const Screenshot word = drawTeapotWord();
    const Rgb texture = colourOf(glyph.file);
    std::vector<Screenshot> lone;
    for (const Teapot& t : glyph.teapots)
        lone.push_back(loneTeapot(glyph.x + t.dx, glyph.y + t.dy));
    const auto covers = [](const Screenshot& p, int x, int y) { return !(p.at(x, y) == Rgb{0, 0, 0}); };
    const auto nearOutline = [&](const Screenshot& p, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (covers(p, x + dx, y + dy) != covers(p, x, y))
                    return true;
        return false;
    };
    for (size_t i = 0; i < lone.size(); ++i) {
        const double x = glyph.x + glyph.teapots[i].dx, y = glyph.y + glyph.teapots[i].dy;
        SCOPED_TRACE(::testing::Message() << glyph.name << " teapot at (" << x << ", " << y << ")");
        int area = 0, wrong = 0;
        for (int row = py(y + 14); row <= py(y - 14); ++row)
            for (int column = px(x - 14); column <= px(x + 14); ++column) {
                bool other = false;
                for (size_t j = 0; j < lone.size(); ++j)
                    other = other || (j != i && (covers(lone[j], column, row) || nearOutline(lone[j], column, row)));
                if (other || nearOutline(lone[i], column, row))
                    continue;
                const bool inside = covers(lone[i], column, row);
                area += inside ? 1 : 0;
                ::testing::AssertionResult right = probe(word, column, row, texture);
                if (static_cast<bool>(right) != inside && ++wrong <= 3)
                    ADD_FAILURE() << "pixel (" << column << ", " << row << ") "
                                  << (inside ? "lies in the lone teapot but shows " : "lies outside it but shows ")
                                  << word.at(column, row);
            }
        EXPECT_EQ(wrong, 0);
        EXPECT_GT(area, 500) << "the lone teapot covers too little";
    }
}

INSTANTIATE_TEST_SUITE_P(Glyphs, TeapotWord, ::testing::ValuesIn(TEAPOT_GLYPHS),
                         [](const ::testing::TestParamInfo<TeapotGlyph>& info) { return info.param.name; });

TEST_F(Frame, MissingTextureFileKeepsTheEarlierPictureAndTheFrameGoesOn)
{
    std::remove("earth1024.raw");
    glyphSlot4 = 3; // the last load before the backdrop fills the whole buffer
    const Screenshot picture = drawFrames();
    EXPECT_TRUE(probe(picture, px(0), py(120), colourOf("star1024.raw")));
    EXPECT_TRUE(probe(picture, px(25), py(-1), colourOf("metal6464.raw")));
    EXPECT_GT(countNear(picture, 0, 726, 700, 760, WHITE), 400);
}

TEST_F(Frame, ViewBoxIsStretchedOverTheViewport)
{
    reshapeScene(512, 384);
    glyphSlot3 = 5;
    const Screenshot picture = drawFrames();
    reshapeScene(WIDTH, HEIGHT);
    // Half the size, drawn at the bottom left of the window.
    EXPECT_TRUE(probe(picture, px(25) / 2, HEIGHT / 2 + py(-1) / 2, colourOf("envwall128.raw")));
    EXPECT_TRUE(probe(picture, 700, 100, BLACK)) << "outside the viewport nothing is drawn";
}

} // namespace
