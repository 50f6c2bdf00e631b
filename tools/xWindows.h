// Working with windows on the X display as a person would: find them by
// title, give focus, press keys and mouse buttons through XTest, and read
// what the screen shows.
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tools/screenshot.h"

// Opens the display of the given name, or the one DISPLAY names when there
// is none. The windows of other programs come and go while they are looked
// at, so X errors about windows that no longer exist are passed over instead
// of ending the process; the calls below then see an empty answer.
Display* openDisplay(const char* name = nullptr);

// What a window shows on the screen now, its inferiors included; an empty
// picture if the window has gone.
Screenshot grabWindow(Display* display, Window window);

// What a rectangle of a window shows, from (x, y) of the window on; an empty
// picture if the window has gone or does not hold the whole rectangle.
Screenshot grabArea(Display* display, Window window, int x, int y, int width, int height);

// Calls `done` every few milliseconds until it returns true or the timeout
// passes; returns its last answer. In a build whose programs run through an
// emulator every timeout is twenty times as long: a wait measures progress,
// and there the programs draw a frame in seconds.
bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// The first window, searched from the root down, whose name is exactly
// `title`; 0 if none appears within the timeout.
Window findWindowByTitle(Display* display, const std::string& title, std::chrono::milliseconds timeout);

struct WindowPlace {
    int x = 0; // relative to the root window
    int y = 0;
    int width = 0;
    int height = 0;
};
WindowPlace placeOf(Display* display, Window window);

// The child windows of a window, bottom to top.
std::vector<Window> childrenOf(Display* display, Window window);

// Moves the pointer into the window and gives it the keyboard focus; with no
// window manager nothing else would.
void focusWindow(Display* display, Window window);

// Presses and releases a key, by its X key symbol, and waits until the
// server has handled both.
void pressKey(Display* display, unsigned long keySym);

// Presses and releases a mouse button (1 left, 3 right) at (x, y) inside the
// window.
void clickButton(Display* display, Window window, unsigned int button, int x, int y);
