// Another build's programs started on the test display, each beside this
// build's own, one after the other: where nothing animates they show the
// same picture. The other programs are the arm64 build's, started through
// qemu-aarch64 with this machine's arm64 libraries, or programs started in a
// root of another Debian release with its libraries (OTHER_ROOT): those that
// the packages made here install there, started from a user's home folder
// through their launchers, and the arm64 build's, started there through
// that release's qemu-aarch64. A program in a root must draw with the GL
// library of that root, which its process maps.
//
// GoogleTest and the support headers come before any X11 header: Xlib's
// macros would clash with GoogleTest's names.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

#include "okelScene.h"
#include "programWindow.h"

namespace {

using namespace std::chrono_literals;

// Under the emulator the first frame takes up to half a minute on a busy
// machine, a frame of the letter scene over a second.
constexpr auto NATIVE_TIMEOUT = 30s;
constexpr std::chrono::seconds OTHER_TIMEOUT{OTHER_TIMEOUT_SECONDS};

// True if the process maps a GL library from a file under the folder.
bool mapsGlLibraryFrom(pid_t pid, const std::string& folder)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    for (std::string line; std::getline(maps, line);) {
        const auto path = line.find(" /");
        if (path != std::string::npos && line.compare(path + 1, folder.size(), folder) == 0 &&
            line.find("/libGL", path) != std::string::npos)
            return true;
    }
    return false;
}

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
// A program of a root (`root` not empty) must draw with its GL library.
template <typename Shown>
Picture pictureOf(const std::string& program, const char* title, std::chrono::milliseconds timeout, Shown shown,
                  const std::string& root = "")
{
    ProgramWindow window(program, title);
    window.workDir = TEXTURE_DIR;
    EXPECT_TRUE(window.openDisplay(timeout));
    EXPECT_TRUE(window.launchProgram({}, timeout));
    const Picture picture = shown(window, timeout);
    if (!root.empty()) {
        EXPECT_TRUE(mapsGlLibraryFrom(window.run.pid, root)) << program << " draws with no libGL of " << root;
    }
    EXPECT_EQ(window.outputs(), "program output:\nprogram errors:\n");
    return picture;
}

class OtherPrograms : public ::testing::Test {
protected:
    void SetUp() override { programEmulator = OTHER_EMULATOR; }
    void TearDown() override { programEmulator = ""; }
};

TEST_F(OtherPrograms, OkelShowsTheWordAsTheBuildMachinesOwnDoes)
{
    const Picture native = pictureOf(OKEL_PROGRAM, OKEL_TITLE, NATIVE_TIMEOUT, settledWordOf);
    keepForFailure(native, "native");
    const Picture other = pictureOf(OTHER_OKEL, OKEL_TITLE, OTHER_TIMEOUT, settledWordOf, OTHER_ROOT);
    keepForFailure(other, "other");
    ASSERT_EQ(other.width, native.width);
    // Each box two pixels in from its edges: glyphs 1 and 2 wear the
    // textures the program computes, 3 and 4 texture files.
    for (const WordBox& box : WORD_BOXES) {
        const int difference =
            largestDifference(native, other, px(box.left) + 2, py(box.top) + 2, px(box.right) - 2, py(box.bottom) - 2);
        EXPECT_LE(difference, box.glyph <= 2 ? 0 : 2) << box.name;
    }
}

TEST_F(OtherPrograms, OkelwalkShowsTheFrameAndHelpPanelAsTheBuildMachinesOwnDoes)
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
    const Picture other = pictureOf(OTHER_OKELWALK, WALK_TITLE, OTHER_TIMEOUT, lettered, OTHER_ROOT);
    keepForFailure(other, "other");
    ASSERT_EQ(other.width, 500);
    // Everything but the 3D view, at (10, 10) and 480 x 400.
    EXPECT_TRUE(samePicture(other, native, PixelRect{10, 10, 489, 409}));
}

} // namespace
