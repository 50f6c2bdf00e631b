// The Wayland desktop of the end-to-end tests: weston, the reference Wayland
// compositor, runs as a window on the test display (DISPLAY) and runs X
// programs through its Xwayland, as a user's desktop does. CTest starts it
// (the fixture westonDesktop), and the test's main names Xwayland's X
// display in OKEL_WAYLAND_DISPLAY.
//
// A program on that display draws into Xwayland; weston places its window,
// shows it in weston's own window on the test display, and gives it the
// keyboard when it maps it. Keys are typed into weston's window through
// XTest on the test display, and weston passes them through its Wayland
// keyboard to Xwayland, the way a desktop user's keys go. The pointer is only
// ever moved on the test display: Xwayland 22.1 ends when it is asked to move
// its pointer relative to its root window.
#pragma once

// GoogleTest comes with the support headers, before any X11 header.
#include "tests/support/picture.h"
#include "tools/xWindows.h"

#include <chrono>
#include <string>

class WestonDesktop {
public:
    WestonDesktop() = default;
    ~WestonDesktop();
    WestonDesktop(const WestonDesktop&) = delete;
    WestonDesktop& operator=(const WestonDesktop&) = delete;

    // Opens the test display and Xwayland's, finds weston's window on the
    // test display, and takes the input; says what is missing when no
    // compositor runs.
    ::testing::AssertionResult open();

    // Gives weston's window the keyboard of the test display, as a user's
    // screen gives it the desktop's, and parks the pointer on weston's panel,
    // the bar along the bottom of its desktop: there it covers no program's
    // window in the pictures weston shows.
    void takeInput();

    // Types a key `times` times into weston's window, for `window`, a
    // program's window on Xwayland: takes the input, waits until weston has
    // given `window` the keyboard (its window manager then makes it
    // Xwayland's input focus), and presses the key.
    ::testing::AssertionResult press(Window window, unsigned long keySym, int times = 1);

    // What weston's window shows of a window on Xwayland: the rectangle of
    // the desktop the window covers (Xwayland's root is weston's desktop,
    // one output at its top left corner).
    Screenshot shown(Window window);

    std::string xwaylandName; // as OKEL_WAYLAND_DISPLAY gives it, ":1"
    Display* test = nullptr;  // the test display, which holds weston's window
    Display* xwayland = nullptr;
    Window compositor = 0; // weston's window on the test display
};

// A black window over weston's, on the test display, for the life of the
// object. A program's window on the plain test display shows what lies
// beneath it until the program draws; above the sheet that is black, never
// weston's desktop, which may show the same program's picture: a picture
// that a test waits for there is the program's own.
class CoveredDesktop {
public:
    explicit CoveredDesktop(WestonDesktop& desktop);
    ~CoveredDesktop();
    CoveredDesktop(const CoveredDesktop&) = delete;
    CoveredDesktop& operator=(const CoveredDesktop&) = delete;

private:
    Display* display;
    Window sheet = 0;
};
