// The textures on the faces of the letter-scene viewer's block word: a
// texture whose every texel tells where it is, checked on every face the
// camera's views show against the texel that a ray cast through the word's
// boxes (geometry.h) finds there.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "okel/input.h"
#include "okel/scene.h"
#include "tests/okel/frameFixture.h"
#include "tests/support/files.h"
#include "tests/support/geometry.h"
#include "tests/support/okelTestScene.h"
#include "tests/support/picture.h"

namespace {

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

} // namespace
