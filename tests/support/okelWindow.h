// The letter-scene viewer's window as the end-to-end and platform tests see
// it: started as a command (the built program, wine and okel.exe, another
// build's program), waited for until the word shows, and read back by the
// places of the view box: the box (-VIEW_SIZE/2 .. VIEW_SIZE/2 in x and y)
// is stretched over the 1024 x 768 window.
#pragma once

// GoogleTest comes with the support headers, before any X11 header.
#include "tests/support/okelTestScene.h"
#include "tests/support/picture.h"
#include "tests/support/programWindow.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// The pixels well inside a box of the view: `inset` pixels away from each
// edge, so that filtering and rounding at the edges do not matter. Boxes
// reaching the window's edge keep to the window.
PixelRect pixelsInside(const ViewBox& box, int inset = 4);

// Every pixel well inside the box is of the colour; otherwise names the
// first that is not.
::testing::AssertionResult showsOnly(const Screenshot& picture, const ViewBox& box, Rgb colour);
bool flatIn(const Screenshot& picture, const ViewBox& box, Rgb colour);

// Every pixel of the window.
constexpr PixelRect WHOLE_WINDOW{0, 0, WINDOW_WIDTH - 1, WINDOW_HEIGHT - 1};

// Glyph 3's top bar, which wears the metal file at the start.
inline const ViewBox& GLYPH3_TOP_BAR = WORD_BOXES[6];
// Glyph 1's teapots, however they turn.
extern const ViewBox GLYPH1_TEAPOTS;
// The lower left corner of glyph 4's top bar: no teapot of the teapot word
// reaches it (the teapot row above ends near y 42, the column's teapots span
// x 83..117 however they turn, glyph 3's last teapots end near x 62).
extern const ViewBox GLYPH4_BAR_CORNER;
// Above the block word only the backdrop shows.
extern const ViewBox ABOVE_THE_WORD;
// The two status lines at the lower left: baselines at y -177 and -187,
// letters about 4.8 units tall, some 55 characters of 4.2 units each from
// x -187. Only the camera and the keys that step the axis move their text.
extern const ViewBox STATUS_AREA;
extern const ViewBox STATUS_LINE1;
extern const ViewBox STATUS_LINE2;

struct OkelWindow : ProgramWindow {
    explicit OkelWindow(std::vector<std::string> command, bool throughLauncher = false);

    // Starts the program and waits until its window shows the word's first
    // glyph, the checker picture, which needs no file. The first frame draws
    // the procedural pictures lit (the texture mode is only set by the first
    // file load, whether or not the file could be read), so its white
    // squares come out dark; the frames after it show them white.
    ::testing::AssertionResult launch(const std::vector<std::string>& arguments = {});

    // Starts the program in a folder of the ten solid-colour texture files
    // (written into the current folder, the scratch folder) and waits until
    // its word shows them (glyph 3 wears the metal file), which `start`
    // keeps.
    ::testing::AssertionResult launchWithSolidTextures();

    Screenshot grab() { return ProgramWindow::grab(window); }

    // The program still takes keys and draws frame after frame: `t` swaps
    // the blocks for teapots, and the teapots of glyph 1, which wear the
    // checker picture and so need no file, turn from one frame to the next.
    ::testing::AssertionResult keepsDrawing();
};
