// Files for the tests: a scratch folder to write them in, and writers of the
// files the programs read (any bytes, RAW and BMP pictures) or must survive
// (named pipes).
#pragma once

#include <string>
#include <vector>

#include "tools/screenshot.h"

// Makes a fresh, empty folder the current directory for the life of the
// object, and returns to the previous one afterwards.
struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path;
    std::string previous;
};

// Writes the bytes to a file and returns its name; fails the test if it
// cannot.
std::string writeFile(const std::string& name, const std::vector<unsigned char>& bytes);

// Makes a named pipe; fails the test if it cannot. Nobody writes it, so a
// plain open() for reading waits for ever. With `held` the test program
// holds it open for writing, without writing, until it ends: the open
// returns at once, but a plain read waits for ever.
void makeNamedPipe(const std::string& name, bool held = false);

// A RAW picture of one colour: width x height pixels of r, g, b.
std::vector<unsigned char> solidRaw(int width, int height, unsigned char r, unsigned char g, unsigned char b);

// Writes a 24-bit BMP file (bmp24BitFile of bmpWriter.h).
void writeBitmap(const std::string& name, int width, int height, const std::vector<Rgb>& pixels);

// Writes a 24-bit BMP file of one colour.
void writeSolidBitmap(const std::string& name, int width, int height, Rgb colour);
