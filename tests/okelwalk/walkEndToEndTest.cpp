// End-to-end tests of the room walk-through: the built program runs on the
// test display in a folder of its own, and each test finds its windows by
// title, presses keys through the X server and reads what the screen shows.
// The solid texture files give every surface a hue of its own (glyphs red,
// walls blue, ceiling yellow; the floor is black and green-ish squares), so
// a pixel tells which surface it shows however the lamp lights it. Where a
// surface must show follows from the eye, the view's frustum and the places
// of the blocks and walls.
//
// Testing an installed tree (OKEL_INSTALLED_PREFIX), the same tests start
// the installed launcher (OKELWALK_COMMAND) from the user's home folder, and
// it runs the installed program (OKELWALK_PROGRAM) in the test's folder.
//
// GoogleTest and the support headers come before any X11 header: Xlib's
// macros would clash with GoogleTest's names.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/bmpWriter.h"
#include "tests/support/files.h"
#include "tests/support/gl11.h"
#include "tests/support/glWindow.h"
#include "tests/support/picture.h"
#include "tests/support/processes.h"
#include "tests/support/programWindow.h"
#include "tests/support/walkTestScene.h"
#include "tests/support/walkWindow.h"
#include "tests/support/xDisplay.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

using namespace std::chrono_literals;

const PixelRect WHOLE_VIEW{0, 0, VIEW_WIDTH - 1, VIEW_HEIGHT - 1};

// One run of the program in a scratch folder, stopped after every test
// whatever happened.
class WalkRun : public ::testing::Test, protected WalkWindow {
protected:
    WalkRun() : WalkWindow({OKELWALK_COMMAND}, OKEL_THROUGH_LAUNCHER) {}
    void SetUp() override { ASSERT_TRUE(openDisplay()); }
};

// The program with the solid texture files, its first frame of the word on
// the screen.
class WalkProgram : public WalkRun {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(WalkRun::SetUp());
        ASSERT_TRUE(launchWithSolidTextures());
    }
};

// The program as it starts, with the solid texture files, launched once for
// the suite: these tests only look at it.
class WalkStart : public SharedLaunch<WalkWindow> {
protected:
    static void SetUpTestSuite() { share(new WalkWindow({OKELWALK_COMMAND}, OKEL_THROUGH_LAUNCHER)); }
    WalkWindow* const walk = program;
};

TEST_F(WalkStart, WindowsHaveTheirTitlePlacesAndSizes)
{
    const WindowPlace top = placeOf(walk->display, walk->window);
    EXPECT_EQ(top.x, 100);
    EXPECT_EQ(top.y, 150);
    EXPECT_EQ(top.width, WALK_WINDOW_SIZE);
    EXPECT_EQ(top.height, WALK_WINDOW_SIZE);

    EXPECT_EQ(childrenOf(walk->display, walk->window).size(), 2u);
    const WindowPlace viewPlace = placeOf(walk->display, walk->view);
    EXPECT_EQ(viewPlace.x - top.x, 10);
    EXPECT_EQ(viewPlace.y - top.y, 10);
    EXPECT_EQ(viewPlace.width, VIEW_WIDTH);
    const WindowPlace helpPlace = placeOf(walk->display, walk->help);
    EXPECT_EQ(helpPlace.x - top.x, 10);
    EXPECT_EQ(helpPlace.y - top.y, 420);
    EXPECT_EQ(helpPlace.width, 480);
}

TEST_F(WalkStart, GreyFrameSurroundsTheViewAndTheHelpPanel)
{
    const bool shows = walk->waitForPicture([](const Screenshot& p) {
        for (const PixelRect& m : FRAME_MARGINS)
            if (countNear(p, m, FRAME_GREY) != m.area())
                return false;
        return true;
    });
    keepForFailure(walk->last, "layout");
    ASSERT_EQ(walk->last.width, WALK_WINDOW_SIZE);
    for (const PixelRect& m : FRAME_MARGINS)
        EXPECT_TRUE(probeRect(walk->last, m.x0, m.y0, m.x1, m.y1, FRAME_GREY))
            << "the grey frame never showed: " << shows;
}

TEST_F(WalkStart, HelpPanelShowsThreeGreenLinesOnDarkGrey)
{
    Screenshot panel;
    const auto lettered = [&] {
        panel = walk->grab(walk->help);
        return countNear(panel, 0, 0, 479, 69, HELP_TEXT) > 300;
    };
    ASSERT_TRUE(waitUntil(lettered, FRAME_TIMEOUT));
    keepForFailure(panel, "help");
    // Nothing but the panel's grey and the text's green.
    EXPECT_EQ(countNear(panel, 0, 0, 479, 69, HELP_GREY) + countNear(panel, 0, 0, 479, 69, HELP_TEXT), 480 * 70);
    EXPECT_GT(countNear(panel, 0, 0, 479, 69, HELP_GREY), 480 * 70 * 3 / 4);
    // The lines stand on baselines 52.5, 35 and 17.5 pixels above the
    // panel's bottom: their capitals fill the 9 rows above the baseline,
    // descenders the 3 rows below it.
    std::vector<int> baselines; // the last row of capitals
    for (double above : {52.5, 35.0, 17.5})
        baselines.push_back(static_cast<int>(std::ceil(HELP_HEIGHT - above)) - 1);
    for (int baseline : baselines)
        EXPECT_GT(countNear(panel, 0, baseline - 8, 479, baseline, HELP_TEXT), 150) << "line on row " << baseline;
    // Nothing above the first line, between the lines nor below the last.
    EXPECT_EQ(countNear(panel, 0, 0, 479, baselines[0] - 9, HELP_TEXT), 0);
    EXPECT_EQ(countNear(panel, 0, baselines[0] + 4, 479, baselines[1] - 9, HELP_TEXT), 0);
    EXPECT_EQ(countNear(panel, 0, baselines[1] + 4, 479, baselines[2] - 9, HELP_TEXT), 0);
    EXPECT_EQ(countNear(panel, 0, baselines[2] + 4, 479, HELP_HEIGHT - 1, HELP_TEXT), 0);
    // The lines start 20 of the panel's 300 units, 32 pixels, from its left.
    EXPECT_EQ(countNear(panel, 0, 0, 29, HELP_HEIGHT - 1, HELP_TEXT), 0);
    EXPECT_GT(countNear(panel, 30, 0, 40, HELP_HEIGHT - 1, HELP_TEXT), 0);
}

TEST_F(WalkStart, TextureFilesThatLoadAreNotReported) { EXPECT_EQ(outputOf(walk->run), ""); }

TEST_F(WalkStart, ViewShowsGlyphsCeilingFloorAndFarWall) { expectStartView(walk->start); }

TEST_F(WalkProgram, UpArrowWalksTowardsTheWordAndItGrows)
{
    // The eye stands 2.5 from the word's front; glyph B's left edge is 1.6
    // columns from where one step fewer or more would put it.
    press(WALK_FORWARD.key, WALK_FORWARD.presses);
    Viewer near = WALK_FORWARD.viewer;
    const bool walked = waitForView([&](const Screenshot& p) { return WALK_FORWARD.shows(p); });
    keepForFailure(last, "walked");
    ASSERT_TRUE(walked) << "glyph B's left edge is not at column " << WALK_FORWARD.column();
    // The bob's phase steps 30 degrees a step and starts again after 13
    // steps (30 .. 360, then 0), so after 40 it stands at 30: the eye is
    // 0.1 sin 30 higher. That shows in the back edge of the underside of
    // glyph B's top bar, right of the upper-left column, some 3 rows from
    // where no bob or twice as much would put it.
    near.height = 0.25 + 0.1 * std::sin(30.0 * M_PI / 180.0);
    const double underside = viewPixel(near, 0.0, 2.0, BACK_Z).y;
    const int from = static_cast<int>(viewPixel(near, 0.0, 2.0, BACK_Z).x) + 3;
    const int to = static_cast<int>(viewPixel(near, 2.0, 2.0, BACK_Z).x) - 3;
    EXPECT_TRUE(glyphEdgeAt(last, underside, Side::Top, from, to))
        << "the bar's underside does not end at row " << underside;
    // Glyph B's top bar now covers the top of the view, where the ceiling
    // showed.
    const PixelRect topBar = blockFront(near, WORD_BLOCKS[2], 4);
    EXPECT_GT(countKind(start, topBar, isCeiling), topBar.area() / 2);
    EXPECT_TRUE(allOf(last, topBar, isGlyph, "glyph red"));
    // The word covers half as much again at least, though part of it now
    // lies beyond the view's edges.
    EXPECT_GT(countKind(last, WHOLE_VIEW, isGlyph), 3 * countKind(start, WHOLE_VIEW, isGlyph) / 2);
}

TEST_F(WalkProgram, LeftArrowSixtyTimesTurnsToTheSideWall)
{
    // The eye looks along -x at the wall x = -10. Of the word only the first
    // block's front remains, at the right; its far edge (4.5 to the right at
    // 4.5 deep) is some 10 columns from where one turn fewer or more would
    // put it.
    press(TURN_LEFT.key, TURN_LEFT.presses);
    const Viewer turned = TURN_LEFT.viewer;
    const double edge = TURN_LEFT.column();
    const bool turned90 = waitForView([&](const Screenshot& p) { return TURN_LEFT.shows(p); });
    keepForFailure(last, "turned-left");
    ASSERT_TRUE(turned90) << "the first block's edge is not at column " << edge;
    EXPECT_EQ(countKind(last, {0, 0, static_cast<int>(edge) - 2, VIEW_HEIGHT - 1}, isGlyph), 0);
    // Where glyph B stood the side wall shows between ceiling and floor; the
    // lamp, a small white box, may pass in front of it.
    const PixelRect sideWall =
        between(viewPixel(turned, -10.0, CEILING_Y, 9.0), viewPixel(turned, -10.0, FLOOR_Y, -0.5), 4);
    const PixelRect glyphB = blockFront(START, WORD_BLOCKS[2], 0);
    const PixelRect wallWhereBStood{glyphB.x0, sideWall.y0, glyphB.x1, sideWall.y1};
    EXPECT_GT(countKind(start, wallWhereBStood, isGlyph), wallWhereBStood.area() / 2);
    EXPECT_GT(countKind(last, wallWhereBStood, isWall), wallWhereBStood.area() * 9 / 10);
    EXPECT_GT(countKind(last, sideWall, isWall), sideWall.area() * 9 / 10);
}

// Thirty steps of the head's tilt move the line of the word's top edge or
// bottom edge; beyond it only the ceiling or the floor shows.
struct TiltCase {
    const char* name;
    unsigned long key;
    double tilt;
};

void PrintTo(const TiltCase& tiltCase, std::ostream* out) { *out << tiltCase.name; }

class WalkTilt : public WalkProgram, public ::testing::WithParamInterface<TiltCase> {};

TEST_P(WalkTilt, PageKeysTiltTheHead)
{
    const TiltCase& tiltCase = GetParam();
    press(tiltCase.key, 30);
    Viewer tilted;
    tilted.tilt = tiltCase.tilt;
    const bool up = tiltCase.tilt < 0;
    const PixelRect band = up ? between({4, 4}, viewPixel(tilted, 0, CEILING_Y, FRONT_Z), 4)
                              : between(viewPixel(tilted, 0, FLOOR_Y, FRONT_Z), {VIEW_WIDTH - 5, VIEW_HEIGHT - 5}, 4);
    const Kind grows = up ? Kind(isCeiling) : Kind(isFloor);
    const Kind shrinks = up ? Kind(isFloor) : Kind(isCeiling);
    // Glyph B's front: its top edge shows the look up, its bottom edge the
    // look down; one degree moves either some 3.5 rows.
    const double edge = viewPixel(tilted, 0.5, up ? CEILING_Y : FLOOR_Y, FRONT_Z).y;
    const int left = static_cast<int>(viewPixel(tilted, -1.0, up ? CEILING_Y : FLOOR_Y, FRONT_Z).x) + 3;
    const int right = static_cast<int>(viewPixel(tilted, 2.0, up ? CEILING_Y : FLOOR_Y, FRONT_Z).x) - 3;
    const Side glyphSide = up ? Side::Bottom : Side::Top;
    const bool tiltedView =
        waitForView([&](const Screenshot& p) { return glyphEdgeAt(p, edge, glyphSide, left, right); });
    keepForFailure(last, std::string("tilt-") + tiltCase.name);
    ASSERT_TRUE(tiltedView) << "glyph B's edge is not at row " << edge;
    EXPECT_TRUE(allOf(last, band, grows, up ? "ceiling yellow" : "floor"));
    EXPECT_GT(countKind(last, WHOLE_VIEW, grows), 2 * countKind(start, WHOLE_VIEW, grows));
    EXPECT_LT(countKind(last, WHOLE_VIEW, shrinks), countKind(start, WHOLE_VIEW, shrinks) / 2);
}

INSTANTIATE_TEST_SUITE_P(Keys, WalkTilt,
                         ::testing::Values(TiltCase{"PageUpLooksUp", XK_Page_Up, -30.0},
                                           TiltCase{"PageDownLooksDown", XK_Page_Down, 30.0}),
                         [](const ::testing::TestParamInfo<TiltCase>& info) { return info.param.name; });

TEST_F(WalkProgram, CirclingLampChangesTheLightingButNotTheHelpPanel)
{
    // The lamp circles behind the word, never in front of it: when the
    // first block's front changes, the light it carries has moved.
    const PixelRect front = blockFront(START, WORD_BLOCKS[0], 3);
    const int x = VIEW_IN_WINDOW.x0, y = VIEW_IN_WINDOW.y0;
    const Screenshot first = grab(window);
    Screenshot later;
    const bool relit = waitUntil(
        [&] {
            later = grab(window);
            return regionsDiffer(first, later, front.x0 + x, front.y0 + y, front.x1 + x, front.y1 + y);
        },
        FRAME_TIMEOUT);
    keepForFailure(first, "lamp-first");
    keepForFailure(later, "lamp-later");
    EXPECT_TRUE(relit) << "the lighting stayed the same with no input";
    const PixelRect& help = HELP_IN_WINDOW;
    EXPECT_FALSE(regionsDiffer(first, later, help.x0, help.y0, help.x1, help.y1)) << "the help panel changed";
}

// Bad texture files and command lines. A file the BMP reader refuses is
// reported like a missing one, and the surface it was for shows its lit
// material colour only; the other surfaces and the floor's checker, which
// needs no file, show as usual. A named pipe, with a writer or none, or a
// link to one, is refused at once; a symbolic link to a good file loads. GLUT takes
// its own options from the command line and leaves the rest, which the
// program ignores; the program sets its own window size and place after
// GLUT has read them.
enum class FileKind {
    Missing,            // no file at all
    Solid,              // a good 256 x 256 picture of the surface's hue
    RandomBytes,        // 4096 bytes of noise
    CutOffRows,         // a 256 x 256 picture with only its lower half of rows
    HugeClaimedSize,    // a 24-bit header claiming 16384 x 16384, one row of data
    ZeroSides,          // a 24-bit header claiming 0 x 0
    Png,                // a valid PNG picture under the BMP name
    Directory,          // a folder in place of the file
    RleHugeClaimedSize, // RLE8 claiming 16384 x 16384, holding only an end-of-picture code
    RleCutBeforeEnd,    // RLE8 256 x 256, its data cut before the end-of-picture code
    NamedPipe,          // a named pipe that nobody writes
    LinkToNamedPipe,    // a symbolic link to a named pipe that a writer holds open
    LinkToSolid,        // a symbolic link to a Solid file
};

// The kinds whose picture loads.
bool loads(FileKind kind) { return kind == FileKind::Solid || kind == FileKind::LinkToSolid; }

// A palette of 256 colours for the 8-bit files: entry 1 the surface's hue,
// the others black.
std::vector<unsigned char> paletteOf(Rgb colour)
{
    std::vector<Rgb> colours(256, BLACK);
    colours[1] = colour;
    return bmpPalette(colours);
}

constexpr int BI_RLE8 = 1;

void writeTextureFile(const std::string& name, FileKind kind, Rgb colour)
{
    switch (kind) {
    case FileKind::Missing: break;
    case FileKind::Solid: writeSolidBitmap(name, 256, 256, colour); break;
    case FileKind::RandomBytes: {
        std::mt19937 noise(7);
        std::vector<unsigned char> bytes(4096);
        for (unsigned char& byte : bytes)
            byte = static_cast<unsigned char>(noise());
        writeFile(name, bytes);
        break;
    }
    case FileKind::CutOffRows:
        writeSolidBitmap(name, 256, 256, colour);
        std::filesystem::resize_file(name, 54 + 256 * 3 * 128);
        break;
    case FileKind::HugeClaimedSize:
        writeFile(name, bmpFile(16384, 16384, 24, 0, {}, 0, std::vector<unsigned char>(16384 * 3, 0x80)));
        break;
    case FileKind::ZeroSides: writeBitmap(name, 0, 0, {}); break;
    case FileKind::Png: {
        Screenshot picture;
        picture.width = picture.height = 2;
        picture.rgb.assign(2 * 2 * 3, 0);
        for (size_t i = 0; i < picture.rgb.size(); i += 3) {
            picture.rgb[i] = static_cast<unsigned char>(colour.r);
            picture.rgb[i + 1] = static_cast<unsigned char>(colour.g);
            picture.rgb[i + 2] = static_cast<unsigned char>(colour.b);
        }
        EXPECT_TRUE(savePng(picture, name));
        break;
    }
    case FileKind::Directory: std::filesystem::create_directory(name); break;
    case FileKind::RleHugeClaimedSize:
        writeFile(name, bmpFile(16384, 16384, 8, BI_RLE8, paletteOf(colour), 0, {0, 1}));
        break;
    case FileKind::RleCutBeforeEnd: {
        // 100 whole rows of palette entry 1, each two runs and an
        // end-of-line code; no end-of-picture code follows.
        std::vector<unsigned char> data;
        for (int row = 0; row < 100; ++row)
            data.insert(data.end(), {128, 1, 128, 1, 0, 0});
        writeFile(name, bmpFile(256, 256, 8, BI_RLE8, paletteOf(colour), 0, data));
        break;
    }
    case FileKind::NamedPipe: makeNamedPipe(name); break;
    case FileKind::LinkToNamedPipe:
        makeNamedPipe(name + ".pipe", true);
        std::filesystem::create_symlink(name + ".pipe", name);
        break;
    case FileKind::LinkToSolid:
        writeSolidBitmap(name + ".real", 256, 256, colour);
        std::filesystem::create_symlink(name + ".real", name);
        break;
    }
}

struct WalkBadInput {
    const char* name;
    FileKind wall;
    FileKind glyph;
    FileKind ceiling;
    std::vector<std::string> arguments;
    // The window asks the window manager to start it iconified. With no
    // window manager on the test display nothing acts on the hint, and the
    // window shows and draws as usual.
    bool iconic = false;
};

void PrintTo(const WalkBadInput& input, std::ostream* out) { *out << input.name; }

const WalkBadInput WALK_BAD_INPUTS[] = {
    {"NoTextureFiles", FileKind::Missing, FileKind::Missing, FileKind::Missing, {}},
    {"RandomWallCutOffGlyph", FileKind::RandomBytes, FileKind::CutOffRows, FileKind::Solid, {}},
    {"ZeroSidedGlyphHugeCeiling", FileKind::Solid, FileKind::ZeroSides, FileKind::HugeClaimedSize, {}},
    {"DirectoryWallPngGlyph", FileKind::Directory, FileKind::Png, FileKind::Solid, {}},
    {"RleHugeGlyphRleCutCeiling", FileKind::Solid, FileKind::RleHugeClaimedSize, FileKind::RleCutBeforeEnd, {}},
    {"PipeGlyphLinkToPipeCeiling", FileKind::Solid, FileKind::NamedPipe, FileKind::LinkToNamedPipe, {}},
    {"LinksToSolidFiles", FileKind::LinkToSolid, FileKind::LinkToSolid, FileKind::LinkToSolid, {}},
    {"GeometryOption", FileKind::Solid, FileKind::Solid, FileKind::Solid, {"-geometry", "300x200+10+10"}},
    {"IconicOption", FileKind::Solid, FileKind::Solid, FileKind::Solid, {"-iconic"}, true},
    {"UnknownArguments", FileKind::Solid, FileKind::Solid, FileKind::Solid, {"--frobnicate", "foo"}},
};

class WalkBadInputRun : public WalkRun, public ::testing::WithParamInterface<WalkBadInput> {};

TEST_P(WalkBadInputRun, ReportsEachUnreadableFileAndDrawsOn)
{
    const WalkBadInput& input = GetParam();
    writeTextureFile("corrigatedIronTexture.bmp", input.wall, WALL_COLOUR);
    writeTextureFile("leopard.bmp", input.glyph, GLYPH_COLOUR);
    writeTextureFile("concrete.bmp", input.ceiling, CEILING_COLOUR);
    ASSERT_TRUE(launch(input.arguments));

    // The surfaces whose files load show their hue, the others none of it;
    // the floor always shows its checker.
    struct Surface {
        FileKind file;
        Kind hue;
        PixelRect where;
        const char* what;
    };
    const Surface surfaces[] = {
        {input.wall, isWall, WALL_BETWEEN_A, "wall blue"},
        {input.glyph, isGlyph, blockFront(START, WORD_BLOCKS[3], 4), "glyph red"},
        {input.ceiling, isCeiling, CEILING_BAND, "ceiling yellow"},
    };
    const auto expected = [&](const Screenshot& p) {
        for (const Surface& s : surfaces) {
            const int count = countKind(p, loads(s.file) ? s.where : WHOLE_VIEW, s.hue);
            if (loads(s.file) ? count < s.where.area() * 9 / 10 : count != 0)
                return false;
        }
        return countKind(p, FLOOR_BAND, isLitFloor) > 1000;
    };
    const bool shows = waitForView(expected, START_TIMEOUT);
    keepForFailure(last, std::string("bad-") + input.name);
    EXPECT_TRUE(shows) << "the surfaces do not show their files' hues";

    std::string lines;
    if (!loads(input.wall))
        lines += "failed to load bitmap for wall texture\n";
    if (!loads(input.glyph))
        lines += "failed to load bitmap for okel texture\n";
    if (!loads(input.ceiling))
        lines += "failed to load bitmap for ceiling texture\n";
    EXPECT_EQ(outputOf(run), lines);
    EXPECT_EQ(errorsOf(run), "");

    // Whatever it was given, the window keeps its own size and place.
    const WindowPlace top = placeOf(display, window);
    EXPECT_EQ(top.x, 100);
    EXPECT_EQ(top.y, 150);
    EXPECT_EQ(top.width, WALK_WINDOW_SIZE);
    EXPECT_EQ(top.height, WALK_WINDOW_SIZE);
    EXPECT_EQ(asksToStartIconic(display, window), input.iconic);
    EXPECT_TRUE(keepsDrawing()) << "the lamp does not move";
}

INSTANTIATE_TEST_SUITE_P(Matrix, WalkBadInputRun, ::testing::ValuesIn(WALK_BAD_INPUTS),
                         [](const ::testing::TestParamInfo<WalkBadInput>& info) { return info.param.name; });

TEST_F(WalkRun, DisplayThatDoesNotExistEndsAtOnceWithGlutsMessage)
{
    expectEndsAtOnceWithoutDisplay(OKELWALK_COMMAND, folder.path);
}

// X refuses a window of 0 x 0 pixels (BadValue), so the test does what a
// window manager can do when a user shrinks the window to nothing and
// iconifies it: it shrinks the top-level window to 1 x 1, the smallest size
// X allows, unmaps and maps it again, and gives it back its size. A window
// manager changes only the top-level window; the subwindows keep their
// sizes and places and are cut off by it meanwhile.
TEST_F(WalkProgram, ShrunkToOnePixelIconifiedAndRestoredDrawsOn)
{
    resizeWindow(display, window, 1, 1);
    hideAndShowWindow(display, window);
    resizeWindow(display, window, WALK_WINDOW_SIZE, WALK_WINDOW_SIZE);
    // Mapped again, the windows hold nothing until the program repaints
    // them: the grey frame, the help text and the word show again.
    const bool repainted = waitForPicture(framed);
    keepForFailure(last, "restored");
    EXPECT_TRUE(repainted) << "the frame and the help panel were not repainted";
    const PixelRect middleBar = blockFront(START, WORD_BLOCKS[3], 4);
    EXPECT_TRUE(waitForView([&](const Screenshot& p) { return countKind(p, middleBar, isGlyph) == middleBar.area(); }));
    EXPECT_EQ(placeOf(display, view).width, VIEW_WIDTH);
    EXPECT_EQ(placeOf(display, help).width, 480);
    EXPECT_TRUE(keepsDrawing()) << "the lamp does not move";
    EXPECT_EQ(outputOf(run), "");
    EXPECT_EQ(errorsOf(run), "");
}

// The program calls OpenGL 1.1 alone, whatever its libGL offers.
TEST(WalkImports, OnlyOpenGl11FunctionsFromLibGL) { EXPECT_TRUE(onlyGl11(glImportsOf(OKELWALK_PROGRAM))); }

} // namespace
