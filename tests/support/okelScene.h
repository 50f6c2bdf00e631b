// Helpers for tests of the letter-scene viewer.
#pragma once

#include <string>

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
