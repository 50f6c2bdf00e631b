// Helpers for tests of the letter-scene viewer.
#pragma once

#include <chrono>
#include <string>

#include "programWindow.h"

// Puts every scene-state variable back to its start value, as a fresh
// process would have it.
void resetScene();

// Writes the ten texture files in the current folder, each of one colour of
// its own (the table in okelScene.cpp), so that a probe tells which file a
// surface shows.
void writeSolidTextures();

struct Rgb;
// The colour writeSolidTextures gives to the named file.
Rgb solidColourOf(const std::string& fileName);

// The word's ten boxes as they stand in the view box at the start (in
// view-box units, the window's pixels by px and py below): the glyph
// position (1 to 4) each belongs to, and whether it is turned a quarter
// (glyph B's are), which turns its texture with it.
struct WordBox {
    const char* name;
    int glyph;
    double left, right, bottom, top;
    bool turned;
};
extern const WordBox WORD_BOXES[13];

// The window pixel, counted from the top left, of a point of the view box
// in the 1024 x 768 window at the start camera.
int px(double x);
int py(double y);

// The letter scene's window once its frames show glyph 1's checker in
// black and white: the first frame draws it lit and dark, before the first
// file texture sets the texture environment.
Picture settledWordOf(ProgramWindow& program, std::chrono::milliseconds timeout);
