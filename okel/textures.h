// Textures of the letter-scene viewer.
//
// There is one current texture, the default texture of the single texture
// unit: every load replaces the image and the filters of the one before.
// Ten slots serve the glyph positions: 0 and 1 are computed at start, 2..9
// are RAW files. A RAW file is headerless 8-bit RGB, rows one after another
// with the first row at the bottom of the picture; its size is given by the
// caller, not stored in the file.
#pragma once

#include <cstddef>

#include "generated/textureFiles.h"

// Large enough for the biggest picture any caller asks for, 1024 x 1024.
constexpr std::size_t RAW_BUFFER_SIZE = 1024 * 1024 * 3;
constexpr int PATTERN_SIZE = 64;

// The pixels of the file texture being loaded, shared by every load and
// never cleared: bytes past what a load reads keep what earlier loads left.
extern unsigned char rawBuffer[RAW_BUFFER_SIZE];
// The two procedural pictures of slots 0 and 1, row i, column j, channel k
// at byte i * 192 + j * 3 + k.
extern unsigned char checkerImage[PATTERN_SIZE * PATTERN_SIZE * 3];
extern unsigned char gradientImage[PATTERN_SIZE * PATTERN_SIZE * 3];

// Computes checkerImage (8 x 8 black and white squares, black at row 0,
// column 0) and gradientImage (the checker folded with a triangle pattern
// and colour ramps).
void makePatterns();

// Reads width x height x 3 bytes of the named file into rawBuffer and makes
// it the current texture, with all its mipmap levels, drawn in GL_REPLACE
// mode. A missing file or a short one reads what it can; the rest of the
// picture is what earlier loads left in rawBuffer. A name that is not a
// regular file (a pipe, a device, a folder, or a link to one) reads
// nothing, without waiting.
void loadRawTexture(const char* name, int width, int height);

// loadRawTexture of one of the program's texture files, at its size.
void loadTextureFile(const TextureFile& file);

// Makes procedural picture 0 (checker) or 1 (gradient) the current texture
// with nearest filtering; any other value only sets the parameters.
void uploadPattern(int which);

// Makes the texture of a slot current: 0 and 1 the procedural pictures,
// 2..9 the files. A larger slot leaves the current texture in place.
void selectTexture(unsigned int slot);
