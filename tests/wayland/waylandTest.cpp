// End-to-end tests of both viewers on a Wayland desktop: weston runs as a
// window on the test display and runs X programs through its Xwayland (see
// westonDesktop.h), and each program starts there in a folder of the
// solid-colour texture files. The compositor places the windows, so the
// tests check their sizes, not where they are; what weston shows of them
// must be what the same program shows on the plain test display, wherever
// nothing animates; and keys typed into weston's window must reach them.
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
#include "tests/support/walkTestScene.h"
#include "tests/support/walkWindow.h"
#include "tests/support/westonDesktop.h"
#include "tests/support/xDisplay.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

// Each test starts its program on the desktop, and checks at its end that
// the program wrote nothing on standard output or standard error.
template <typename Program>
class OnWeston : public ::testing::Test {
protected:
    explicit OnWeston(const char* built) : program({built}) {}
    void SetUp() override
    {
        ASSERT_TRUE(desktop.open());
        program.desktop = &desktop;
        ASSERT_TRUE(program.openDisplay());
    }
    void TearDown() override
    {
        EXPECT_EQ(outputOf(program.run), "");
        EXPECT_EQ(errorsOf(program.run), "");
    }

    // The picture of its window that the program shows on the plain test
    // display, once `ready` holds of it. The program runs there only for
    // this, before it starts on the desktop, and above a black sheet: its
    // window would cover weston's, and until it has drawn, it shows what
    // lies beneath.
    Screenshot onPlainDisplay(const std::function<bool(const Screenshot&)>& ready)
    {
        CoveredDesktop covered(desktop);
        Program plain(program.command);
        EXPECT_TRUE(plain.openDisplay());
        EXPECT_TRUE(plain.launchWithSolidTextures());
        EXPECT_TRUE(plain.waitForPicture(ready, START_TIMEOUT))
            << "the program never showed its picture on the plain display";
        keepForFailure(plain.last, "plain");
        return plain.last;
    }

    WestonDesktop desktop;
    Program program;
};

// okel, in a folder of the solid-colour texture files. With them the
// spinning backdrop shows one flat colour, so nothing in the picture moves
// once the word shows its textures.
class OkelOnWeston : public OnWeston<OkelWindow> {
protected:
    OkelOnWeston() : OnWeston(OKEL_PROGRAM) {}
};

TEST_F(OkelOnWeston, OpensItsWindowAtItsSizeShowingWhatThePlainDisplayShows)
{
    const Screenshot plain = onPlainDisplay([](const Screenshot&) { return true; });
    ASSERT_TRUE(program.launchWithSolidTextures());
    const WindowPlace place = placeOf(program.display, program.window);
    EXPECT_EQ(place.width, WINDOW_WIDTH);
    EXPECT_EQ(place.height, WINDOW_HEIGHT);
    EXPECT_TRUE(program.waitForPicture([&](const Screenshot& p) { return samePicture(p, plain); }))
        << samePicture(program.last, plain).message();
}

TEST_F(OkelOnWeston, KeyTTypedIntoWestonSwapsTheBlocksForTurningTeapots)
{
    ASSERT_TRUE(program.launchWithSolidTextures());
    const Screenshot blocks = program.start;
    // Above the status lines, with these texture files, only the teapots
    // ever move, and only the camera moves the lines' text, which `t` does
    // not.
    const int statusTop = pixelsInside(STATUS_AREA, 0).y0;
    const auto wordChanged = [&](const Screenshot& before) {
        return program.waitForPicture(
            [&](const Screenshot& p) { return regionsDiffer(before, p, 0, 0, WINDOW_WIDTH - 1, statusTop - 1); });
    };
    program.press(XK_t);
    ASSERT_TRUE(wordChanged(blocks)) << "the word stayed as it was";
    const Screenshot teapots = program.last;
    keepForFailure(teapots, "teapots");
    EXPECT_TRUE(wordChanged(teapots)) << "the teapots do not turn";
    EXPECT_FALSE(regionsDiffer(blocks, program.last, 0, statusTop, WINDOW_WIDTH - 1, WINDOW_HEIGHT - 1))
        << "the status lines changed";
    // The teapots wear the glyphs' textures: glyph 3's metal, glyph 4's star.
    for (const char* file : {"metal6464.raw", "star1024.raw"})
        EXPECT_GT(countNear(teapots, 0, 0, WINDOW_WIDTH - 1, statusTop - 1, solidColourOf(file)), 1000) << file;
}

TEST_F(OkelOnWeston, EscapeTypedIntoWestonEndsItWithStatus1)
{
    ASSERT_TRUE(program.launchWithSolidTextures());
    program.press(XK_Escape);
    int status = 0;
    ASSERT_TRUE(waitForExit(program.run, FRAME_TIMEOUT, status)) << "okel still runs";
    EXPECT_EQ(status, 1);
}

// okelwalk, in a folder of the solid texture files, with its two
// subwindows. The lamp circles and changes the light in the view; the grey
// frame and the help panel around it stand still.
class WalkOnWeston : public OnWeston<WalkWindow> {
protected:
    WalkOnWeston() : OnWeston(OKELWALK_PROGRAM) {}
};

TEST_F(WalkOnWeston, OpensItsWindowsAtTheirSizesFramedAsOnThePlainDisplay)
{
    const Screenshot plain = onPlainDisplay(framed);
    ASSERT_TRUE(program.launchWithSolidTextures());
    const WindowPlace top = placeOf(program.display, program.window);
    EXPECT_EQ(top.width, WALK_WINDOW_SIZE);
    EXPECT_EQ(top.height, WALK_WINDOW_SIZE);
    EXPECT_EQ(childrenOf(program.display, program.window).size(), 2u);
    const WindowPlace view = placeOf(program.display, program.view);
    EXPECT_EQ(view.width, VIEW_WIDTH);
    EXPECT_EQ(view.height, VIEW_HEIGHT);
    const WindowPlace help = placeOf(program.display, program.help);
    EXPECT_EQ(help.width, 480);
    EXPECT_EQ(help.height, HELP_HEIGHT);

    EXPECT_TRUE(program.waitForPicture([&](const Screenshot& p) { return samePicture(p, plain, VIEW_IN_WINDOW); }))
        << samePicture(program.last, plain, VIEW_IN_WINDOW).message();
}

class WalkArrows : public WalkOnWeston, public ::testing::WithParamInterface<ArrowWalk> {};

TEST_P(WalkArrows, TypedIntoWestonMoveTheView)
{
    const ArrowWalk& arrow = GetParam();
    ASSERT_TRUE(program.launchWithSolidTextures());
    program.press(arrow.key, arrow.presses);
    EXPECT_TRUE(program.waitForView([&](const Screenshot& p) { return arrow.shows(p); }))
        << "the word's edge at x " << arrow.edgeX << " is not at column " << arrow.column();
}

INSTANTIATE_TEST_SUITE_P(Keys, WalkArrows, ::testing::Values(WALK_FORWARD, TURN_LEFT),
                         [](const ::testing::TestParamInfo<ArrowWalk>& info) { return info.param.name; });

} // namespace
