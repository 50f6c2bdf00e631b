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
#include <ostream>
#include <string>

#include "okelScene.h"
#include "picture.h"
#include "programWindow.h"
#include "walkScene.h"
#include "westonDesktop.h"
#include "xDisplay.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

using namespace std::chrono_literals;

// The software renderer draws a frame in tens to hundreds of milliseconds,
// and the compositor takes its own time to show it; these leave room for a
// slow, busy machine.
constexpr auto START_TIMEOUT = 30s;
constexpr auto FRAME_TIMEOUT = 20s;

// Each test starts its program on the desktop, and checks at its end that
// the program wrote nothing on standard output or standard error.
template <typename Program>
class OnWeston : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(desktop.open());
        program.desktop = &desktop;
        ASSERT_TRUE(program.openDisplay(START_TIMEOUT));
    }
    void TearDown() override
    {
        EXPECT_EQ(outputOf(program.run), "");
        EXPECT_EQ(errorsOf(program.run), "");
    }

    ::testing::AssertionResult startOnWeston()
    {
        ::testing::AssertionResult launched = program.launch();
        return launched ? launched : launched << "; " << program.outputs();
    }

    // The picture of its window that the program shows on the plain test
    // display, once `ready` holds of it. The program runs there only for
    // this, before it starts on the desktop, and above a black sheet: its
    // window would cover weston's, and until it has drawn, it shows what
    // lies beneath.
    Picture onPlainDisplay(int width, int height, const std::function<bool(const Picture&)>& ready)
    {
        CoveredDesktop covered(desktop);
        Program plain;
        EXPECT_TRUE(plain.openDisplay(START_TIMEOUT));
        EXPECT_TRUE(plain.launch()) << plain.outputs();
        EXPECT_TRUE(plain.waitForPictureOf(plain.window, width, height, ready, START_TIMEOUT))
            << "the program never showed its picture on the plain display";
        keepForFailure(plain.last, "plain");
        return plain.last;
    }

    WestonDesktop desktop;
    Program program;
};

// okel, in a folder of the solid-colour texture files. With them the
// spinning backdrop shows one flat colour, so nothing in the picture moves
// from the second frame on, the first whose glyph 1 shows its checker white.
struct Okel : ProgramWindow {
    Okel() : ProgramWindow(OKEL_PROGRAM, OKEL_TITLE) {}

    ::testing::AssertionResult launch()
    {
        writeSolidTextures();
        return launchProgram({}, START_TIMEOUT);
    }

    static bool drawn(const Picture& picture) { return showsChecker(picture, GLYPH1_COLUMN); }
};

using OkelOnWeston = OnWeston<Okel>;

TEST_F(OkelOnWeston, OpensItsWindowAtItsSizeShowingWhatThePlainDisplayShows)
{
    const Picture plain = onPlainDisplay(WINDOW_WIDTH, WINDOW_HEIGHT, Okel::drawn);
    ASSERT_TRUE(startOnWeston());
    const WindowPlace place = placeOf(program.display, program.window);
    EXPECT_EQ(place.width, WINDOW_WIDTH);
    EXPECT_EQ(place.height, WINDOW_HEIGHT);
    EXPECT_TRUE(program.waitForPictureOf(
        program.window,
        WINDOW_WIDTH,
        WINDOW_HEIGHT,
        [&](const Picture& p) { return samePicture(p, plain); },
        FRAME_TIMEOUT))
        << samePicture(program.last, plain).message();
}

TEST_F(OkelOnWeston, KeyTTypedIntoWestonSwapsTheBlocksForTurningTeapots)
{
    ASSERT_TRUE(startOnWeston());
    ASSERT_TRUE(program.waitForPictureOf(program.window, WINDOW_WIDTH, WINDOW_HEIGHT, Okel::drawn, START_TIMEOUT));
    const Picture blocks = program.last;
    // The two status lines fill the rows below y -168 of the view box; above
    // them, with these texture files, only the teapots ever move, and only
    // the camera moves the lines' text, which `t` does not.
    const int statusTop = static_cast<int>(windowY(-168.0));
    const auto wordChanged = [&](const Picture& before) {
        return program.waitForPictureOf(
            program.window,
            WINDOW_WIDTH,
            WINDOW_HEIGHT,
            [&](const Picture& p) { return regionsDiffer(before, p, 0, 0, WINDOW_WIDTH - 1, statusTop - 1); },
            FRAME_TIMEOUT);
    };
    program.press(XK_t);
    ASSERT_TRUE(wordChanged(blocks)) << "the word stayed as it was";
    const Picture teapots = program.last;
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
    ASSERT_TRUE(startOnWeston());
    program.press(XK_Escape);
    int status = 0;
    ASSERT_TRUE(waitForExit(program.run, FRAME_TIMEOUT, status)) << "okel still runs";
    EXPECT_EQ(status, 1);
}

// okelwalk, in a folder of the solid texture files, with its two
// subwindows. The lamp circles and changes the light in the view; the grey
// frame and the help panel around it stand still.
struct Walk : ProgramWindow {
    Walk() : ProgramWindow(OKELWALK_PROGRAM, WALK_TITLE) {}

    ::testing::AssertionResult launch()
    {
        writeSolidWalkTextures();
        if (::testing::AssertionResult launched = launchProgram({}, START_TIMEOUT); !launched)
            return launched;
        return waitForChildrenOfHeights(display, window, VIEW_HEIGHT, view, HELP_HEIGHT, help, START_TIMEOUT);
    }

    // The window, 500 x 500, once its grey frame and its help panel's lines
    // show.
    static bool framed(const Picture& picture)
    {
        return countNear(picture, 0, 0, 499, 9, FRAME_GREY) == 500 * 10 &&
               countNear(picture, 10, 420, 489, 489, HELP_TEXT) > 300;
    }

    Window view = 0;
    Window help = 0;
};

// The view's place in the window.
const PixelRect VIEW_IN_WINDOW{10, 10, 10 + VIEW_WIDTH - 1, 10 + VIEW_HEIGHT - 1};

using WalkOnWeston = OnWeston<Walk>;

TEST_F(WalkOnWeston, OpensItsWindowsAtTheirSizesFramedAsOnThePlainDisplay)
{
    const Picture plain = onPlainDisplay(500, 500, Walk::framed);
    ASSERT_TRUE(startOnWeston());
    const WindowPlace top = placeOf(program.display, program.window);
    EXPECT_EQ(top.width, 500);
    EXPECT_EQ(top.height, 500);
    EXPECT_EQ(childrenOf(program.display, program.window).size(), 2u);
    const WindowPlace view = placeOf(program.display, program.view);
    EXPECT_EQ(view.width, VIEW_WIDTH);
    EXPECT_EQ(view.height, VIEW_HEIGHT);
    const WindowPlace help = placeOf(program.display, program.help);
    EXPECT_EQ(help.width, 480);
    EXPECT_EQ(help.height, HELP_HEIGHT);

    EXPECT_TRUE(program.waitForPictureOf(
        program.window,
        500,
        500,
        [&](const Picture& p) { return samePicture(p, plain, VIEW_IN_WINDOW); },
        FRAME_TIMEOUT))
        << samePicture(program.last, plain, VIEW_IN_WINDOW).message();
}

// An arrow key pressed some times puts an edge of the word at a column of
// the view that follows from the eye's new place or heading, several
// columns from where one press fewer or more would put it.
struct ArrowCase {
    const char* name;
    unsigned long key;
    int presses;
    Viewer viewer; // after the presses
    double edgeX;  // the room's x of the edge, on the blocks' fronts
    int from, to;  // the rows along which it runs
};

void PrintTo(const ArrowCase& arrow, std::ostream* out) { *out << arrow.name; }

class WalkArrows : public WalkOnWeston, public ::testing::WithParamInterface<ArrowCase> {};

TEST_P(WalkArrows, TypedIntoWestonMoveTheView)
{
    const ArrowCase& arrow = GetParam();
    ASSERT_TRUE(startOnWeston());
    program.press(arrow.key, arrow.presses);
    const double edge = viewPixel(arrow.viewer, arrow.edgeX, 0.0, FRONT_Z).x;
    const bool moved = program.waitForPictureOf(
        program.view,
        VIEW_WIDTH,
        VIEW_HEIGHT,
        [&](const Picture& p) { return glyphEdgeAt(p, edge, Side::Right, arrow.from, arrow.to); },
        FRAME_TIMEOUT);
    EXPECT_TRUE(moved) << "the word's edge at x " << arrow.edgeX << " is not at column " << edge;
}

// Forty steps of 0.05 bring the eye to z 3, where glyph B's left edge (x -1)
// stands at column 160; the head bob moves the view only up and down. Sixty
// turns of 1.5 degrees look along -x, where the first block's far edge
// (x -4.5) stands at column 440.
Viewer walkedTo(double z)
{
    Viewer viewer;
    viewer.z = z;
    return viewer;
}

Viewer turnedTo(double heading)
{
    Viewer viewer;
    viewer.heading = heading;
    return viewer;
}

INSTANTIATE_TEST_SUITE_P(Keys, WalkArrows,
                         ::testing::Values(ArrowCase{"UpWalksTowardsTheWord", XK_Up, 40, walkedTo(3.0), -1.0, 10, 200},
                                           ArrowCase{
                                               "LeftTurnsToTheSideWall", XK_Left, 60, turnedTo(90.0), -4.5, 90, 330}),
                         [](const ::testing::TestParamInfo<ArrowCase>& info) { return info.param.name; });

} // namespace
