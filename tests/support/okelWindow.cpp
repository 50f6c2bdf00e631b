// The letter-scene viewer's window as the end-to-end and platform tests see
// it.
#include "tests/support/okelWindow.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <X11/keysym.h>

PixelRect pixelsInside(const ViewBox& box, int inset)
{
    return {std::max(0, static_cast<int>(std::ceil(windowX(box.left))) + inset),
            std::max(0, static_cast<int>(std::ceil(windowY(box.top))) + inset),
            std::min(WINDOW_WIDTH - 1, static_cast<int>(std::floor(windowX(box.right))) - inset),
            std::min(WINDOW_HEIGHT - 1, static_cast<int>(std::floor(windowY(box.bottom))) - inset)};
}

::testing::AssertionResult showsOnly(const Screenshot& picture, const ViewBox& box, Rgb colour)
{
    const PixelRect rect = pixelsInside(box);
    return probeRect(picture, rect.x0, rect.y0, rect.x1, rect.y1, colour);
}

bool flatIn(const Screenshot& picture, const ViewBox& box, Rgb colour)
{
    return static_cast<bool>(showsOnly(picture, box, colour));
}

const ViewBox GLYPH1_TEAPOTS{-170, -65, -80, 65};
const ViewBox GLYPH4_BAR_CORNER{71, 21, 80, 40};
const ViewBox ABOVE_THE_WORD{-185, 80, 185, 185};
const ViewBox STATUS_AREA{-192, -192, 100, -168};
const ViewBox STATUS_LINE1{-192, -180.5, 100, -168};
const ViewBox STATUS_LINE2{-192, -192, 100, -180.5};

OkelWindow::OkelWindow(std::vector<std::string> command, bool throughLauncher)
    : ProgramWindow(std::move(command), OKEL_TITLE, WINDOW_WIDTH, WINDOW_HEIGHT, throughLauncher)
{
}

::testing::AssertionResult OkelWindow::launch(const std::vector<std::string>& arguments)
{
    if (::testing::AssertionResult launched = launchProgram(arguments); !launched)
        return launched;
    if (!waitForPicture([&](const Screenshot& p) { return static_cast<bool>(showsChecker(p, GLYPH1_COLUMN)); },
                        startTimeout))
        return ::testing::AssertionFailure() << "the word never appeared; " << outputs();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult OkelWindow::launchWithSolidTextures()
{
    writeSolidTextures();
    if (::testing::AssertionResult launched = launch(); !launched)
        return launched;
    const Rgb metal = solidColourOf("metal6464.raw");
    if (!waitForPicture([&](const Screenshot& p) { return flatIn(p, GLYPH3_TOP_BAR, metal); }, startTimeout))
        return ::testing::AssertionFailure() << "glyph 3 never showed the metal file; " << outputs();
    start = last;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult OkelWindow::keepsDrawing()
{
    const PixelRect glyph1 = pixelsInside(GLYPH1_TEAPOTS, 0);
    const auto changed = [&](const Screenshot& before) {
        return waitForPicture(
            [&](const Screenshot& p) { return regionsDiffer(before, p, glyph1.x0, glyph1.y0, glyph1.x1, glyph1.y1); });
    };
    const Screenshot blocks = grab();
    press(XK_t);
    if (!changed(blocks))
        return ::testing::AssertionFailure() << "the teapots never appeared";
    const Screenshot teapots = last;
    if (!changed(teapots))
        return ::testing::AssertionFailure() << "the teapots do not turn";
    return ::testing::AssertionSuccess();
}
