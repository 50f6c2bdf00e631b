// The walk-through's windows as the end-to-end and platform tests see them.
#include "tests/support/walkWindow.h"

#include <utility>

#include <X11/keysym.h>

bool framed(const Screenshot& window)
{
    for (const PixelRect& m : FRAME_MARGINS)
        if (countNear(window, m, FRAME_GREY) != m.area())
            return false;
    return countNear(window, HELP_IN_WINDOW, HELP_TEXT) > 300;
}

namespace {

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

} // namespace

const ArrowWalk WALK_FORWARD{"UpWalksTowardsTheWord", XK_Up, 40, walkedTo(3.0), -1.0, 10, 200};
const ArrowWalk TURN_LEFT{"LeftTurnsToTheSideWall", XK_Left, 60, turnedTo(90.0), -4.5, 90, 330};

WalkWindow::WalkWindow(std::vector<std::string> command, bool throughLauncher)
    : ProgramWindow(std::move(command), OKELWALK_TITLE, WALK_WINDOW_SIZE, WALK_WINDOW_SIZE, throughLauncher)
{
}

::testing::AssertionResult WalkWindow::launch(const std::vector<std::string>& arguments)
{
    if (::testing::AssertionResult launched = launchProgram(arguments); !launched)
        return launched;
    return waitForChildrenOfHeights(display, window, VIEW_HEIGHT, view, HELP_HEIGHT, help, startTimeout);
}

::testing::AssertionResult WalkWindow::launchWithSolidTextures()
{
    writeSolidWalkTextures();
    if (::testing::AssertionResult launched = launch(); !launched)
        return launched;
    const PixelRect middleBar = blockFront(START, WORD_BLOCKS[3], 4);
    if (!waitForView([&](const Screenshot& p) { return allOf(p, middleBar, isGlyph, "red"); }, startTimeout))
        return ::testing::AssertionFailure() << "the word never appeared; " << outputs();
    start = last;
    return ::testing::AssertionSuccess();
}

bool WalkWindow::waitForView(const std::function<bool(const Screenshot&)>& shows, std::chrono::milliseconds timeout)
{
    return waitForPictureOf(view, VIEW_WIDTH, VIEW_HEIGHT, shows, timeout);
}

bool WalkWindow::keepsDrawing()
{
    const Screenshot first = grab(view);
    return waitForView(
        [&](const Screenshot& p) { return regionsDiffer(first, p, 0, 0, VIEW_WIDTH - 1, VIEW_HEIGHT - 1); });
}
