// The arm64 build's programs started through qemu-aarch64 on the test
// display, each beside the build machine's own, one after the other: where
// nothing animates they show the same picture. The word's glyphs in okel
// stand still in front of the spinning backdrop (the computed textures
// exactly alike, the texture files' within the rounding of their filtering),
// and okelwalk's grey frame and help panel stand beside the view that the
// circling lamp lights.
//
// GoogleTest and the support headers come before any X11 header: Xlib's
// macros would clash with GoogleTest's names.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>

#include "okelScene.h"
#include "programWindow.h"

namespace {

using namespace std::chrono_literals;

// Under the emulator the first frame takes up to half a minute on a busy
// machine, a frame of the letter scene over a second.
constexpr auto NATIVE_TIMEOUT = 30s;
constexpr auto EMULATED_TIMEOUT = 180s;

// The largest difference in any channel between the two pictures in a
// rectangle, corners included.
int largestDifference(const Picture& a, const Picture& b, int x0, int y0, int x1, int y1)
{
    int largest = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const Rgb p = a.at(x, y), q = b.at(x, y);
            largest = std::max({largest, std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)});
        }
    return largest;
}

// Starts a program in the build's texture folder and waits until `shown`
// returns its picture; the program is ended and its window gone afterwards.
template <typename Shown>
Picture pictureOf(const std::string& program, const char* title, std::chrono::milliseconds timeout, Shown shown)
{
    ProgramWindow window(program, title);
    window.workDir = TEXTURE_DIR;
    EXPECT_TRUE(window.openDisplay(timeout));
    EXPECT_TRUE(window.launchProgram({}, timeout));
    const Picture picture = shown(window, timeout);
    EXPECT_EQ(window.outputs(), "program output:\nprogram errors:\n");
    return picture;
}

class Arm64 : public ::testing::Test {
protected:
    void SetUp() override { programEmulator = QEMU_AARCH64; }
    void TearDown() override { programEmulator = ""; }
};

TEST_F(Arm64, OkelShowsTheWordAsTheBuildMachinesOwnDoes)
{
    const Picture native = pictureOf(OKEL_PROGRAM, OKEL_TITLE, NATIVE_TIMEOUT, settledWordOf);
    keepForFailure(native, "native");
    const Picture arm64 = pictureOf(ARM64_OKEL, OKEL_TITLE, EMULATED_TIMEOUT, settledWordOf);
    keepForFailure(arm64, "arm64");
    ASSERT_EQ(arm64.width, native.width);
    // Each box two pixels in from its edges: glyphs 1 and 2 wear the
    // textures the program computes, 3 and 4 texture files.
    for (const WordBox& box : WORD_BOXES) {
        const int difference =
            largestDifference(native, arm64, px(box.left) + 2, py(box.top) + 2, px(box.right) - 2, py(box.bottom) - 2);
        EXPECT_LE(difference, box.glyph <= 2 ? 0 : 2) << box.name;
    }
}

TEST_F(Arm64, OkelwalkShowsTheFrameAndHelpPanelAsTheBuildMachinesOwnDoes)
{
    // The grey frame's corner and the help panel's green text.
    const auto lettered = [](ProgramWindow& walk, std::chrono::milliseconds timeout) {
        walk.waitForPictureOf(
            walk.window,
            500,
            500,
            [](const Picture& p) {
                return probe(p, 2, 2, Rgb{153, 153, 153}) && countNear(p, 10, 420, 489, 489, Rgb{0, 255, 0}) > 300;
            },
            timeout);
        return walk.last;
    };
    const Picture native = pictureOf(OKELWALK_PROGRAM, WALK_TITLE, NATIVE_TIMEOUT, lettered);
    keepForFailure(native, "native");
    const Picture arm64 = pictureOf(ARM64_OKELWALK, WALK_TITLE, EMULATED_TIMEOUT, lettered);
    keepForFailure(arm64, "arm64");
    ASSERT_EQ(arm64.width, 500);
    // Everything but the 3D view, at (10, 10) and 480 x 400.
    EXPECT_TRUE(samePicture(arm64, native, PixelRect{10, 10, 489, 409}));
}

} // namespace
