// The Wayland desktop of the end-to-end tests: weston and its Xwayland.
#include "tests/support/westonDesktop.h"

#include <X11/Xutil.h>

#include <cstdlib>
#include <cstring>

using namespace std::chrono_literals;

namespace {

// weston's window on the test display has this class (WM_CLASS); its title
// is only in _NET_WM_NAME, where findWindowByTitle does not look.
constexpr const char* COMPOSITOR_CLASS = "Weston Compositor";

// The middle row of weston's panel, 32 pixels high along the bottom of its
// window (startCompositor puts it there), counted from that bottom.
constexpr int PANEL_ROW_FROM_BOTTOM = 16;

// Weston gives a newly mapped window the keyboard at once; this leaves room
// for a slow, busy machine.
constexpr auto FOCUS_TIMEOUT = 10s;

bool isCompositor(Display* display, Window window)
{
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint))
        return false;
    const bool found = hint.res_class && std::strcmp(hint.res_class, COMPOSITOR_CLASS) == 0;
    XFree(hint.res_name);
    XFree(hint.res_class);
    return found;
}

} // namespace

WestonDesktop::~WestonDesktop()
{
    if (xwayland)
        XCloseDisplay(xwayland);
    if (test)
        XCloseDisplay(test);
}

::testing::AssertionResult WestonDesktop::open()
{
    const char* name = std::getenv("OKEL_WAYLAND_DISPLAY");
    if (!name || !*name)
        return ::testing::AssertionFailure()
               << "OKEL_WAYLAND_DISPLAY is not set: these tests need weston with Xwayland on the test display, "
                  "which CTest starts (the fixture westonDesktop)";
    xwaylandName = name;
    test = openDisplay();
    if (!test)
        return ::testing::AssertionFailure() << "no test display; is DISPLAY set?";
    xwayland = openDisplay(name);
    if (!xwayland)
        return ::testing::AssertionFailure() << "cannot open weston's Xwayland display " << name;
    for (Window window : childrenOf(test, DefaultRootWindow(test)))
        if (isCompositor(test, window))
            compositor = window;
    if (!compositor)
        return ::testing::AssertionFailure() << "no weston window on the test display " << DisplayString(test);
    takeInput();
    return ::testing::AssertionSuccess();
}

void WestonDesktop::takeInput()
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(test, compositor, &attributes))
        return;
    XSetInputFocus(test, compositor, RevertToParent, CurrentTime);
    XWarpPointer(test, None, compositor, 0, 0, 0, 0, attributes.width / 2, attributes.height - PANEL_ROW_FROM_BOTTOM);
    XSync(test, False);
}

::testing::AssertionResult WestonDesktop::press(Window window, unsigned long keySym, int times)
{
    takeInput();
    const bool focused = waitUntil(
        [&] {
            Window focus = 0;
            int revert = 0;
            XGetInputFocus(xwayland, &focus, &revert);
            return focus == window;
        },
        FOCUS_TIMEOUT);
    if (!focused)
        return ::testing::AssertionFailure() << "weston did not give the program's window the keyboard";
    for (int i = 0; i < times; ++i)
        pressKey(test, keySym);
    return ::testing::AssertionSuccess();
}

CoveredDesktop::CoveredDesktop(WestonDesktop& desktop) : display(desktop.test)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, desktop.compositor, &attributes))
        return;
    const unsigned long black = BlackPixel(display, DefaultScreen(display));
    sheet = XCreateSimpleWindow(display,
                                DefaultRootWindow(display),
                                attributes.x,
                                attributes.y,
                                static_cast<unsigned int>(attributes.width),
                                static_cast<unsigned int>(attributes.height),
                                0,
                                black,
                                black);
    XMapWindow(display, sheet);
    XSync(display, False);
}

CoveredDesktop::~CoveredDesktop()
{
    if (!sheet)
        return;
    XDestroyWindow(display, sheet);
    XSync(display, False);
}

Screenshot WestonDesktop::shown(Window window)
{
    XSync(test, False);
    const WindowPlace place = placeOf(xwayland, window);
    return grabArea(test, compositor, place.x, place.y, place.width, place.height);
}
