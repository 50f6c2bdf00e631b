// Helpers for tests of the letter-scene viewer.
#pragma once

#include <string>

#include "tests/support/picture.h"

// Writes the ten texture files in the current folder, each of one colour of
// its own (the table in okelTestScene.cpp), so that a probe tells which file a
// surface shows.
void writeSolidTextures();

// The colour writeSolidTextures gives to the named file.
Rgb solidColourOf(const std::string& fileName);

// The program's window, and where the scene shows in it: the view box
// (-VIEW_SIZE/2 .. VIEW_SIZE/2 in x and y) is stretched over the window.
constexpr int WINDOW_WIDTH = 1024;
constexpr int WINDOW_HEIGHT = 768;

// A rectangle of the view box, in scene units.
struct ViewBox {
    double left;
    double bottom;
    double right;
    double top;
};

double windowX(double x);
double windowY(double y);
// The same as whole pixels: the one the point falls in.
int px(double x);
int py(double y);

// The column of glyph 1 at the start: the block word is drawn at half size,
// so its box of 60 x 120 units stands 30 x 60 in the view, its face flat in
// the view.
extern const ViewBox GLYPH1_COLUMN;

// Glyph 1 starts with the checker picture once across each face: 8 x 8
// squares, the one at the face's lower left corner black. True if the face
// shows them, black and white, looking at the centre of every square. The
// program's first frame draws them lit, with dark grey for white; the frames
// after it show them white.
::testing::AssertionResult showsChecker(const Screenshot& picture, const ViewBox& face);

// The word's ten boxes as they stand in the view box at the start (in
// view-box units): the glyph position (1 to 4) each belongs to, and whether
// it is turned a quarter (glyph B's are), which turns its texture with it.
struct WordBox : ViewBox {
    const char* name;
    int glyph;
    bool turned;
};
extern const WordBox WORD_BOXES[13];
