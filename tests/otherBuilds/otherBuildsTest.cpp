// Another build's programs started on the test display, each beside this
// build's own, one after the other: where nothing animates they show the
// same picture. The other programs are the arm64 build's, started through
// qemu-aarch64 (OTHER_EMULATOR) with the arm64 libraries of the machine
// the tests run on.
//
// GoogleTest and the support headers come before any X11 header: Xlib's
// macros would clash with GoogleTest's names.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "tests/support/okelTestScene.h"
#include "tests/support/okelWindow.h"
#include "tests/support/picture.h"
#include "tests/support/processes.h"
#include "tests/support/programWindow.h"
#include "tests/support/walkWindow.h"

namespace {

using namespace std::chrono_literals;

// Under the emulator the first frame takes up to half a minute on a busy
// machine, a frame of the letter scene over a second.
constexpr std::chrono::seconds OTHER_TIMEOUT{OTHER_TIMEOUT_SECONDS};

// Starts a program, as `Program` (okel's or okelwalk's window), in the
// build's texture folder and waits until its window's picture is `ready`;
// the program is ended and its window gone afterwards.
template <typename Program>
Screenshot pictureOf(const std::string& program, std::chrono::milliseconds timeout,
                     const std::function<bool(const Screenshot&)>& ready)
{
    Program window({program});
    window.workDir = TEXTURE_DIR;
    window.startTimeout = timeout;
    EXPECT_TRUE(window.openDisplay());
    EXPECT_TRUE(window.launch());
    EXPECT_TRUE(window.waitForPicture(ready, timeout));
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
    const auto shown = [](const Screenshot&) { return true; };
    const Screenshot native = pictureOf<OkelWindow>(OKEL_PROGRAM, START_TIMEOUT, shown);
    keepForFailure(native, "native");
    const Screenshot other = pictureOf<OkelWindow>(OTHER_OKEL, OTHER_TIMEOUT, shown);
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
    const Screenshot native = pictureOf<WalkWindow>(OKELWALK_PROGRAM, START_TIMEOUT, framed);
    keepForFailure(native, "native");
    const Screenshot other = pictureOf<WalkWindow>(OTHER_OKELWALK, OTHER_TIMEOUT, framed);
    keepForFailure(other, "other");
    ASSERT_EQ(other.width, WALK_WINDOW_SIZE);
    // Everything but the 3D view.
    EXPECT_TRUE(samePicture(other, native, VIEW_IN_WINDOW));
}

} // namespace
