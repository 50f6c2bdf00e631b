// Changing the programs' windows as a window manager does.
#include "tests/support/xDisplay.h"

#include <X11/Xutil.h>

#include <functional>

namespace {

// Polls the window's attributes until `holds` is true of them.
void waitForAttributes(Display* display, Window window, const std::function<bool(const XWindowAttributes&)>& holds)
{
    waitUntil(
        [&] {
            XWindowAttributes attributes;
            return XGetWindowAttributes(display, window, &attributes) && holds(attributes);
        },
        std::chrono::seconds(10));
}

} // namespace

void resizeWindow(Display* display, Window window, int width, int height)
{
    XResizeWindow(display, window, static_cast<unsigned int>(width), static_cast<unsigned int>(height));
    XSync(display, False);
    waitForAttributes(
        display, window, [&](const XWindowAttributes& a) { return a.width == width && a.height == height; });
}

void hideAndShowWindow(Display* display, Window window)
{
    XUnmapWindow(display, window);
    XSync(display, False);
    waitForAttributes(display, window, [](const XWindowAttributes& a) { return a.map_state == IsUnmapped; });
    XMapWindow(display, window);
    XSync(display, False);
    waitForAttributes(display, window, [](const XWindowAttributes& a) { return a.map_state == IsViewable; });
}

::testing::AssertionResult waitForChildrenOfHeights(Display* display, Window window, int firstHeight, Window& first,
                                                    int secondHeight, Window& second, std::chrono::milliseconds timeout)
{
    const auto mappedChildOfHeight = [&](int height) -> Window {
        for (Window child : childrenOf(display, window)) {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display, child, &attributes) && attributes.map_state == IsViewable &&
                attributes.height == height)
                return child;
        }
        return 0;
    };
    waitUntil(
        [&] {
            first = mappedChildOfHeight(firstHeight);
            second = mappedChildOfHeight(secondHeight);
            return first && second;
        },
        timeout);
    if (!first || !second)
        return ::testing::AssertionFailure()
               << "no mapped subwindows " << firstHeight << " and " << secondHeight << " pixels high";
    return ::testing::AssertionSuccess();
}

bool asksToStartIconic(Display* display, Window window)
{
    XWMHints* hints = XGetWMHints(display, window);
    if (!hints)
        return false;
    const bool iconic = (hints->flags & StateHint) && hints->initial_state == IconicState;
    XFree(hints);
    return iconic;
}
