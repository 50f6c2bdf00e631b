// Helpers for tests of the room walk-through.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/support/geometry.h"
#include "tests/support/picture.h"

// Writes the three texture files of the walk-through in the current folder,
// 256 x 256 each, in the colours below, so that a probe tells the surfaces
// apart by hue.
void writeSolidWalkTextures();
extern const Rgb WALL_COLOUR;    // corrigatedIronTexture.bmp
extern const Rgb GLYPH_COLOUR;   // leopard.bmp
extern const Rgb CEILING_COLOUR; // concrete.bmp

// The window's grey frame around the 3D view and the help panel; the panel,
// 480 x HELP_HEIGHT pixels below the view, with green lines on dark grey.
extern const Rgb FRAME_GREY;
constexpr int HELP_HEIGHT = 70;
extern const Rgb HELP_GREY;
extern const Rgb HELP_TEXT;

// The 3D view (VIEW_WIDTH x VIEW_HEIGHT pixels, geometry.h) as the solid
// texture files show it: which surface a pixel shows. The lit textures keep
// their hue: the channels a texture lacks stay zero.
bool isGlyph(Rgb c);
bool isWall(Rgb c);
bool isCeiling(Rgb c);
// The floor's checker: black squares, and white ones lit green-ish.
bool isBlack(Rgb c);
bool isLitFloor(Rgb c);
bool isFloor(Rgb c);
using Kind = std::function<bool(Rgb)>;

// How many pixels of a rectangle, corners included, are of the kind.
int countKind(const Screenshot& picture, int x0, int y0, int x1, int y1, const Kind& kind);
int countKind(const Screenshot& picture, const PixelRect& rect, const Kind& kind);

// Every pixel of the rectangle is of the kind; otherwise names the first
// that is not.
::testing::AssertionResult allOf(const Screenshot& picture, const PixelRect& rect, const Kind& kind, const char* what);

// The word's nine blocks as x, y ranges; their front faces stand at z
// FRONT_Z, their backs at z BACK_Z.
constexpr double FRONT_Z = 0.5;
constexpr double BACK_Z = -0.5;
struct WordBlock {
    const char* name;
    double x0, x1, y0, y1;

    double centreX() const { return (x0 + x1) / 2; }
    double centreY() const { return (y0 + y1) / 2; }
    double halfWidth() const { return (x1 - x0) / 2; }
    double halfHeight() const { return (y1 - y0) / 2; }
};
extern const WordBlock WORD_BLOCKS[9];

// Which side of an edge a glyph lies on.
enum class Side { Left, Right, Top, Bottom };

// True if a glyph's edge runs along the view line `at` (a column for Left
// and Right, a row for Top and Bottom), from `from` to `to` across: the
// pixels one past the line on the glyph's side all show the glyph, those two
// past it on the other side none. A step of a key moves such an edge by
// several pixels, so this tells the state after the last key from the
// states before it.
bool glyphEdgeAt(const Screenshot& picture, double at, Side glyph, int from, int to);

// The pixels well inside the view rectangle spanned by two points, `inset`
// pixels from each edge and clipped to the view.
PixelRect between(ViewPoint a, ViewPoint b, int inset);

// A block's front face in the view, `inset` pixels inside its edges.
PixelRect blockFront(const Viewer& viewer, const WordBlock& block, int inset);

// The room's far wall, ceiling and floor, and where the program starts.
constexpr double FAR_WALL_Z = -10.0;
constexpr double CEILING_Y = 3.0;
constexpr double FLOOR_Y = -3.0;
extern const Viewer START;

// At the start, above the word only the ceiling shows and below it only the
// floor; the far wall shows behind the gap between glyph A's blocks.
extern const PixelRect CEILING_BAND;
extern const PixelRect FLOOR_BAND;
extern const PixelRect WALL_BETWEEN_A;

// The 3D view as the program starts with the solid texture files: each
// block's front in the glyph colour, the ceiling above the word, the floor's
// two kinds of square below it, and the far wall through the word's gaps.
// Each that does not hold fails the current test.
void expectStartView(const Screenshot& view);
