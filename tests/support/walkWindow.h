// The walk-through's windows as the end-to-end and platform tests see them:
// started as a command (the built program, wine and okelwalk.exe, another
// build's program), its 500 x 500 top-level window holding the 3D view at
// (10, 10) and the help panel at (10, 420), with the grey frame around both.
#pragma once

// GoogleTest comes with the support headers, before any X11 header.
#include "tests/support/picture.h"
#include "tests/support/programWindow.h"
#include "tests/support/walkTestScene.h"

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

constexpr int WALK_WINDOW_SIZE = 500;
constexpr PixelRect VIEW_IN_WINDOW{10, 10, 10 + VIEW_WIDTH - 1, 10 + VIEW_HEIGHT - 1};
constexpr PixelRect HELP_IN_WINDOW{10, 420, 489, 419 + HELP_HEIGHT};
// The grey margins: above, left and right of the view, between view and
// panel, and below the panel.
constexpr PixelRect FRAME_MARGINS[] = {
    {0, 0, 499, 9}, {0, 0, 9, 499}, {490, 0, 499, 499}, {0, 410, 499, 419}, {0, 490, 499, 499}};

// The window's picture shows the grey frame and the help panel's lines.
bool framed(const Screenshot& window);

// Some presses of an arrow key put an edge of the word at a column of the
// view that follows from the eye's new place or heading, several columns
// from where one press fewer or more would put it; the glyph lies on the
// edge's right, along the rows `from` to `to`.
struct ArrowWalk {
    const char* name;
    unsigned long key;
    int presses;
    Viewer viewer; // after the presses
    double edgeX;  // the room's x of the edge, on the blocks' fronts
    int from, to;

    double column() const { return viewPixel(viewer, edgeX, 0.0, FRONT_Z).x; }
    bool shows(const Screenshot& view) const { return glyphEdgeAt(view, column(), Side::Right, from, to); }
};
inline void PrintTo(const ArrowWalk& arrow, std::ostream* out) { *out << arrow.name; }
// Forty steps of 0.05 bring the eye to z 3, where glyph B's left edge (x -1)
// stands at column 160; the head bob moves the view only up and down.
extern const ArrowWalk WALK_FORWARD;
// Sixty turns of 1.5 degrees look along -x, where the first block's far
// edge (x -4.5) stands at column 440.
extern const ArrowWalk TURN_LEFT;

// `launch` starts the program and finds its window and the two subwindows,
// told apart by their sizes; `launchWithSolidTextures` does so in a folder
// of the solid texture files (written into the current folder, the scratch
// folder) and waits for the first frame of the word, which `start` keeps.
struct WalkWindow : ProgramWindow {
    explicit WalkWindow(std::vector<std::string> command, bool throughLauncher = false);
    ::testing::AssertionResult launch(const std::vector<std::string>& arguments = {});
    ::testing::AssertionResult launchWithSolidTextures();

    // Grabs the 3D view until it satisfies `shows` or the timeout passes;
    // `last` keeps the last picture.
    bool waitForView(const std::function<bool(const Screenshot&)>& shows,
                     std::chrono::milliseconds timeout = FRAME_TIMEOUT);

    // The view draws frame after frame with no input: the circling lamp
    // changes its picture.
    bool keepsDrawing();

    Window view = 0;
    Window help = 0;
};
