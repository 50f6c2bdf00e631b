// Changing the programs' windows on the X display as a window manager
// does, and reading what they ask of it; finding, focusing, typing into and
// reading windows comes from tools/xWindows.h, which the screenshot tool
// shares.
#pragma once

// The picture header brings GoogleTest, which must come before Xlib: Xlib
// defines macros such as None that GoogleTest uses as names.
#include "tests/support/picture.h"
#include "tools/xWindows.h"

#include <chrono>

// Gives the window a new size and waits until the server has it.
void resizeWindow(Display* display, Window window, int width, int height);

// Unmaps the window and maps it again, as a window manager does when a user
// iconifies it and restores it, waiting until the server has done each.
void hideAndShowWindow(Display* display, Window window);

// Waits until the window has mapped children of both heights (subwindows
// may be mapped a little after their parent) and sets `first` and `second`
// to them; says which is missing if they do not come within the timeout.
::testing::AssertionResult waitForChildrenOfHeights(Display* display, Window window, int firstHeight, Window& first,
                                                    int secondHeight, Window& second,
                                                    std::chrono::milliseconds timeout);

// True if the window asks, through its window-manager hints, to start
// iconified.
bool asksToStartIconic(Display* display, Window window);
