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

#include <chrono>
#include <fstream>
#include <functional>
#include <string>

#include "okelScene.h"
#include "okelWindow.h"
#include "picture.h"
#include "programWindow.h"
#include "walkWindow.h"

namespace {

using namespace std::chrono_literals;

// Under the emulator the first frame takes up to half a minute on a busy
// machine, a frame of the letter scene over a second.
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

// Starts a program, as `Program` (okel's or okelwalk's window), in the
// build's texture folder and waits until its window's picture is `ready`;
// the program is ended and its window gone afterwards. A program of a root
// (`root` not empty) must draw with its GL library.
template <typename Program>
Picture pictureOf(const std::string& program, std::chrono::milliseconds timeout,
                  const std::function<bool(const Picture&)>& ready, const std::string& root = "")
{
    Program window({program});
    window.workDir = TEXTURE_DIR;
    window.startTimeout = timeout;
    EXPECT_TRUE(window.openDisplay());
    EXPECT_TRUE(window.launch());
    EXPECT_TRUE(window.waitForPicture(ready, timeout));
    if (!root.empty()) {
        EXPECT_TRUE(mapsGlLibraryFrom(window.run.pid, root)) << program << " draws with no libGL of " << root;
    }
    EXPECT_EQ(window.outputs(), "program output:\nprogram errors:\n");
    return window.last;
}

class OtherPrograms : public ::testing::Test {
protected:
    void SetUp() override { programEmulator = OTHER_EMULATOR; }
    void TearDown() override { programEmulator = ""; }
};

TEST_F(OtherPrograms, OkelShowsTheWordAsTheBuildMachinesOwnDoes)
{
    // The word shows once glyph 1 shows its checker (launch).
    const auto shown = [](const Picture&) { return true; };
    const Picture native = pictureOf<OkelWindow>(OKEL_PROGRAM, START_TIMEOUT, shown);
    keepForFailure(native, "native");
    const Picture other = pictureOf<OkelWindow>(OTHER_OKEL, OTHER_TIMEOUT, shown, OTHER_ROOT);
    keepForFailure(other, "other");
    ASSERT_EQ(other.width, native.width);
    // Each box two pixels in from its edges: glyphs 1 and 2 wear the
    // textures the program computes, exactly alike, 3 and 4 texture files,
    // filtered with 2 to spare in each channel.
    for (const WordBox& box : WORD_BOXES) {
        const PixelRect inside = pixelsInside(box, 2);
        EXPECT_TRUE(samePicture(partOf(other, inside), partOf(native, inside), {0, 0, -1, -1}, box.glyph <= 2 ? 0 : 2))
            << box.name;
    }
}

TEST_F(OtherPrograms, OkelwalkShowsTheFrameAndHelpPanelAsTheBuildMachinesOwnDoes)
{
    const Picture native = pictureOf<WalkWindow>(OKELWALK_PROGRAM, START_TIMEOUT, framed);
    keepForFailure(native, "native");
    const Picture other = pictureOf<WalkWindow>(OTHER_OKELWALK, OTHER_TIMEOUT, framed, OTHER_ROOT);
    keepForFailure(other, "other");
    ASSERT_EQ(other.width, WALK_WINDOW_SIZE);
    // Everything but the 3D view.
    EXPECT_TRUE(samePicture(other, native, VIEW_IN_WINDOW));
}

} // namespace
