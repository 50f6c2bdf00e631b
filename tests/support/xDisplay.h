// Driving programs on the X display as a person would: start them, find
// their windows by title, give focus, press keys and mouse buttons through
// XTest, and read what the screen shows.
#pragma once

// The picture header brings GoogleTest, which must come before Xlib: Xlib
// defines macros such as None that GoogleTest uses as names.
#include "picture.h"

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// What a window shows on the screen now, its inferiors included.
Picture grabWindow(Display* display, Window window);

// Calls `done` every few milliseconds until it returns true or the timeout
// passes; returns its last answer.
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

// A program started in a folder of its own, its standard output and its
// standard error each going to a file there.
struct ProgramRun {
    pid_t pid = -1;
    std::string outputPath;
    std::string errorPath;
};

// Starts the program in the folder, with `arguments` after its name on its
// command line. Each `environment` entry "NAME=value" sets a variable for
// it, and a bare "NAME" removes one it would otherwise inherit.
ProgramRun startProgram(const std::string& path, const std::string& workDir,
                        const std::vector<std::string>& arguments = {},
                        const std::vector<std::string>& environment = {});

// Waits for the program to end; true with its exit status (or 128 + signal)
// if it did within the timeout.
bool waitForExit(ProgramRun& run, std::chrono::milliseconds timeout, int& status);

// Ends the program if it still runs.
void stopProgram(ProgramRun& run);

// Everything the program has written to standard output so far.
std::string outputOf(const ProgramRun& run);

// Everything the program has written to standard error so far.
std::string errorsOf(const ProgramRun& run);

// Starts the program with GLUT's -display option naming a display that does
// not exist, and checks that it ends at once with a non-zero status, GLUT's
// message on standard error and nothing on standard output.
void expectEndsAtOnceWithoutDisplay(const std::string& path, const std::string& workDir);

// Gives the window a new size and waits until the server has it.
void resizeWindow(Display* display, Window window, int width, int height);

// Unmaps the window and maps it again, as a window manager does when a user
// iconifies it and restores it, waiting until the server has done each.
void hideAndShowWindow(Display* display, Window window);

// True if the window asks, through its window-manager hints, to start
// iconified.
bool asksToStartIconic(Display* display, Window window);
