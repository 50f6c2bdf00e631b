// End-to-end tests of the letter-scene viewer: the built program runs on the
// test display in a folder of solid-colour texture files, and each test
// drives it with keys and mouse clicks through the X server and reads what
// its window shows. Where a surface must appear follows from the view box
// (-VIEW_SIZE/2 .. VIEW_SIZE/2 in x and y, stretched over the 1024 x 768
// window) and from the glyph boxes' sizes and places in the word.
//
// Testing an installed tree (OKEL_INSTALLED_PREFIX), the same tests start
// the installed launcher (OKEL_COMMAND) from the user's home folder, and it
// runs the installed program (OKEL_PROGRAM) in the test's folder.
//
// GoogleTest and the support headers come before any X11 header: Xlib's
// macros would clash with GoogleTest's names.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "okel/scene.h"
#include "tests/support/files.h"
#include "tests/support/gl11.h"
#include "tests/support/glWindow.h"
#include "tests/support/okelTestScene.h"
#include "tests/support/okelWindow.h"
#include "tests/support/picture.h"
#include "tests/support/processes.h"
#include "tests/support/programWindow.h"
#include "tests/support/xDisplay.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

using namespace std::chrono_literals;

// The sweep needs some 26 frames to cross from one side to the other.
constexpr auto SWEEP_TIMEOUT = 40s;

// The block word at its start size. The boxes are drawn at half size, so a
// box of 60 x 120 x 60 units stands 30 x 60 in the view, and every face seen
// from the front lies flat in the view.
const ViewBox& GLYPH1_TOP_BAR = WORD_BOXES[1];
const ViewBox& GLYPH2_COLUMN = WORD_BOXES[3];
const ViewBox& GLYPH3_MIDDLE_BAR = WORD_BOXES[8];
const ViewBox& GLYPH4_COLUMN = WORD_BOXES[11];
const ViewBox& GLYPH4_TOP_BAR = WORD_BOXES[12];
const ViewBox GLYPH4_WHOLE{GLYPH4_TOP_BAR.left, GLYPH4_COLUMN.bottom, GLYPH4_TOP_BAR.right, GLYPH4_TOP_BAR.top};

// Places where only the backdrop shows behind the block word, besides
// above it: below it and in the gap between glyphs 1 and 2.
const ViewBox BELOW_THE_WORD{-185, -150, 185, -75};
const ViewBox BETWEEN_GLYPHS_1_AND_2{-93, -55, -82, 55};

// The tripled word: glyph 3 spans x -15..165, y -184.5..178.5; its top bar
// y 112.5..178.5, its middle bar x 15..135, y -36..30. Glyph 2 spans x
// -240..-60, y -180..180. Between glyph 2's right end and glyph 3's left end
// nothing is drawn.
constexpr double BIG_GLYPH3_LEFT = -15;
const ViewBox BIG_GLYPH3_TOP_BAR{-15, 112.5, 165, 178.5};
const ViewBox BIG_GLYPH3_MIDDLE_BAR{15, -36, 135, 30};
const ViewBox BIG_GAP_BEFORE_GLYPH3{-55, -150, -22, 180};

// The band above the status lines shows only the backdrop.
const ViewBox ABOVE_THE_STATUS{-192, -165, 100, -100};

PixelRect insideNoInset(const ViewBox& box) { return pixelsInside(box, 0); }

// The places of the near-white pixels of a rectangle: the strokes of the
// status text.
std::set<std::pair<int, int>> whitePixels(const Screenshot& picture, const PixelRect& rect)
{
    std::set<std::pair<int, int>> places;
    for (int y = rect.y0; y <= rect.y1; ++y)
        for (int x = rect.x0; x <= rect.x1; ++x)
            if (probe(picture, x, y, WHITE))
                places.insert({x, y});
    return places;
}

int distinctColours(const Screenshot& picture, const PixelRect& rect)
{
    std::set<std::tuple<int, int, int>> colours;
    for (int y = rect.y0; y <= rect.y1; ++y)
        for (int x = rect.x0; x <= rect.x1; ++x) {
            const Rgb c = picture.at(x, y);
            colours.insert({c.r, c.g, c.b});
        }
    return static_cast<int>(colours.size());
}

// One run of the program in a scratch folder, started by the test with the
// files and arguments it needs, and stopped after every test, whatever
// happened.
class OkelRun : public ::testing::Test, protected OkelWindow {
protected:
    OkelRun() : OkelWindow({OKEL_COMMAND}, OKEL_THROUGH_LAUNCHER) {}
    void SetUp() override { ASSERT_TRUE(openDisplay()); }
};

// The program in a folder holding the ten solid-colour texture files, with
// the word drawn.
class OkelProgram : public OkelRun {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OkelRun::SetUp());
        ASSERT_TRUE(launchWithSolidTextures());
    }

    const Rgb metal = solidColourOf("metal6464.raw");
    const Rgb star = solidColourOf("star1024.raw");
    const Rgb earth = solidColourOf("earth1024.raw");
    const Rgb moon = solidColourOf("moon256.raw");
};

// The program as it starts, in a folder of the solid-colour texture files,
// launched once for the suite: these tests only look at its first frames.
class OkelStart : public SharedLaunch<OkelWindow> {
protected:
    static void SetUpTestSuite() { share(new OkelWindow({OKEL_COMMAND}, OKEL_THROUGH_LAUNCHER)); }
    const Screenshot& start = program->start;
    const Rgb metal = solidColourOf("metal6464.raw");
    const Rgb star = solidColourOf("star1024.raw");
    const Rgb earth = solidColourOf("earth1024.raw");
};

TEST_F(OkelStart, WindowHasItsTitleAndSizeAtTheTopLeftOfTheScreen)
{
    const WindowPlace place = placeOf(program->display, program->window);
    EXPECT_EQ(place.x, 0);
    EXPECT_EQ(place.y, 0);
    EXPECT_EQ(place.width, WINDOW_WIDTH);
    EXPECT_EQ(place.height, WINDOW_HEIGHT);
}

TEST_F(OkelStart, EachGlyphShowsItsTextureOverTheEarth)
{
    EXPECT_TRUE(showsChecker(start, GLYPH1_COLUMN));
    // Glyph 2's gradient: many colours, and neither the backdrop's nor a
    // file's.
    const PixelRect gradient = pixelsInside(GLYPH2_COLUMN);
    EXPECT_GT(distinctColours(start, gradient), 50);
    EXPECT_EQ(countNear(start, gradient, earth), 0);
    EXPECT_EQ(countNear(start, gradient, metal), 0);

    EXPECT_TRUE(showsOnly(start, GLYPH3_TOP_BAR, metal));
    EXPECT_TRUE(showsOnly(start, GLYPH3_MIDDLE_BAR, metal));
    EXPECT_TRUE(showsOnly(start, GLYPH4_TOP_BAR, star));
    EXPECT_TRUE(showsOnly(start, GLYPH4_COLUMN, star));

    EXPECT_TRUE(showsOnly(start, ABOVE_THE_WORD, earth));
    EXPECT_TRUE(showsOnly(start, BELOW_THE_WORD, earth));
    EXPECT_TRUE(showsOnly(start, BETWEEN_GLYPHS_1_AND_2, earth));
}

TEST_F(OkelStart, StatusLinesAreWhiteStrokeTextAtTheLowerLeft)
{
    const PixelRect line1 = insideNoInset(STATUS_LINE1);
    const PixelRect line2 = insideNoInset(STATUS_LINE2);
    // Some 50 characters per line, each with a few dozen pixels of stroke.
    EXPECT_GT(countNear(start, line1, WHITE), 400);
    EXPECT_GT(countNear(start, line2, WHITE), 400);
    // The rest of the lines' band is the backdrop.
    const PixelRect status = insideNoInset(STATUS_AREA);
    EXPECT_EQ(countNear(start, status, WHITE) + countNear(start, status, earth), status.area());
    // Nothing white above them, nor to their right.
    EXPECT_EQ(countNear(start, insideNoInset(ABOVE_THE_STATUS), WHITE), 0);
    EXPECT_EQ(countNear(start, insideNoInset(ViewBox{110, -192, 192, -168}), WHITE), 0);
}

// A key steps one glyph position to the next texture slot; the other
// positions keep theirs.
struct SlotStep {
    unsigned long key;
    int presses;
    ViewBox changed;
    const char* file;
};

void PrintTo(const SlotStep& step, std::ostream* out)
{
    *out << step.presses << " x '" << static_cast<char>(step.key) << "' -> " << step.file;
}

class OkelSlotKeys : public OkelProgram, public ::testing::WithParamInterface<SlotStep> {};

TEST_P(OkelSlotKeys, StepTheirGlyphToTheNextTexture)
{
    const SlotStep& step = GetParam();
    const Rgb expected = solidColourOf(step.file);
    for (int i = 0; i < step.presses; ++i)
        press(step.key);
    EXPECT_TRUE(waitForPicture([&](const Screenshot& p) { return flatIn(p, step.changed, expected); }, FRAME_TIMEOUT))
        << showsOnly(last, step.changed, expected).message();
    keepForFailure(last, std::string("slot-") + step.file);

    if (step.key != XK_q) {
        EXPECT_TRUE(showsChecker(last, GLYPH1_COLUMN));
    }
    if (step.key != XK_e) {
        EXPECT_TRUE(showsOnly(last, GLYPH3_TOP_BAR, metal));
    }
    if (step.key != XK_r) {
        EXPECT_TRUE(showsOnly(last, GLYPH4_TOP_BAR, star));
    }
}

// Glyph 1 starts at slot 0 (checker) and glyph 2 at slot 1 (gradient), so
// two presses of q and one of w reach slot 2, the metal file; glyph 3 starts
// at slot 2 and goes to slot 3, the star file; glyph 4 from slot 3 to slot 4,
// the tablecloth file.
INSTANTIATE_TEST_SUITE_P(Keys, OkelSlotKeys,
                         ::testing::Values(SlotStep{XK_q, 2, GLYPH1_TOP_BAR, "metal6464.raw"},
                                           SlotStep{XK_w, 1, GLYPH2_COLUMN, "metal6464.raw"},
                                           SlotStep{XK_e, 1, GLYPH3_TOP_BAR, "star1024.raw"},
                                           SlotStep{XK_r, 1, GLYPH4_TOP_BAR, "tablecloth256.raw"}),
                         [](const ::testing::TestParamInfo<SlotStep>& info) {
                             return std::string("Key") + static_cast<char>(info.param.key);
                         });

TEST_F(OkelProgram, KeyRRunsGlyph4ThroughAllTenSlotsAndBack)
{
    // Slots 4..9 are files; slots 0 and 1 the checker and the gradient;
    // slot 2 metal again, slot 3 the star it started with.
    const char* const files[] = {
        "tablecloth256.raw", "envwall128.raw", "crackle256.raw", "blue.raw", "metal6464.raw", "sunset.raw"};
    const PixelRect bar = pixelsInside(GLYPH4_TOP_BAR);
    for (const char* file : files) {
        const Rgb colour = solidColourOf(file);
        press(XK_r);
        ASSERT_TRUE(
            waitForPicture([&](const Screenshot& p) { return flatIn(p, GLYPH4_TOP_BAR, colour); }, FRAME_TIMEOUT))
            << file << ": " << showsOnly(last, GLYPH4_TOP_BAR, colour).message();
    }

    press(XK_r); // slot 0: black and white squares
    ASSERT_TRUE(waitForPicture(
        [&](const Screenshot& p) { return countNear(p, bar, BLACK) + countNear(p, bar, WHITE) == bar.area(); },
        FRAME_TIMEOUT));
    EXPECT_GT(countNear(last, bar, BLACK), bar.area() / 4);
    EXPECT_GT(countNear(last, bar, WHITE), bar.area() / 4);

    press(XK_r); // slot 1: the gradient
    ASSERT_TRUE(waitForPicture([&](const Screenshot& p) { return distinctColours(p, bar) > 50; }, FRAME_TIMEOUT));
    keepForFailure(last, "glyph4-gradient");

    press(XK_r);
    ASSERT_TRUE(waitForPicture([&](const Screenshot& p) { return flatIn(p, GLYPH4_TOP_BAR, metal); }, FRAME_TIMEOUT));
    press(XK_r);
    EXPECT_TRUE(waitForPicture([&](const Screenshot& p) { return flatIn(p, GLYPH4_TOP_BAR, star); }, FRAME_TIMEOUT))
        << showsOnly(last, GLYPH4_TOP_BAR, star).message();
}

TEST_F(OkelProgram, KeyTSwapsTheBlocksForTeapotsAndBack)
{
    press(XK_t);
    // Where the block bar stood, the backdrop shows between the teapots.
    ASSERT_TRUE(waitForPicture([&](const Screenshot& p) { return flatIn(p, GLYPH4_BAR_CORNER, earth); }, FRAME_TIMEOUT))
        << showsOnly(last, GLYPH4_BAR_CORNER, earth).message();
    keepForFailure(last, "teapots");
    const PixelRect glyph4 = pixelsInside(GLYPH4_WHOLE, 0);
    const int blockPixels = glyph4.area();
    const int teapotPixels = countNear(last, glyph4, star);
    // The teapots wear the glyphs' textures, flat, since the texture
    // replaces the lit colour: they cover a good part of glyph 4's box, but
    // far from all of it. Glyph 3's teapots wear metal.
    EXPECT_GT(teapotPixels, blockPixels / 5);
    EXPECT_LT(teapotPixels, blockPixels * 3 / 4);
    const PixelRect glyph3 = pixelsInside(ViewBox{-5, -61.5, 55, 59.5}, 0);
    EXPECT_GT(countNear(last, glyph3, metal), glyph3.area() / 5);
    // Glyph 1's teapots show the checker's black and white; the squares
    // are bent over the turning teapots, so the test only counts them.
    const PixelRect glyph1 = pixelsInside(GLYPH1_TEAPOTS, 0);
    EXPECT_GT(countNear(last, glyph1, BLACK, 10), glyph1.area() / 20);
    EXPECT_GT(countNear(last, glyph1, WHITE, 10), glyph1.area() / 20);

    // The teapots spin: the word's picture changes from frame to frame.
    const Screenshot first = last;
    EXPECT_TRUE(waitForPicture(
        [&](const Screenshot& p) { return regionsDiffer(first, p, glyph4.x0, glyph4.y0, glyph4.x1, glyph4.y1); },
        FRAME_TIMEOUT));

    press(XK_t);
    EXPECT_TRUE(waitForPicture([&](const Screenshot& p) { return flatIn(p, GLYPH4_BAR_CORNER, star); }, FRAME_TIMEOUT))
        << showsOnly(last, GLYPH4_BAR_CORNER, star).message();
    keepForFailure(last, "blocks-again");
    EXPECT_TRUE(showsOnly(last, GLYPH4_TOP_BAR, star));
    EXPECT_TRUE(showsOnly(last, GLYPH3_TOP_BAR, metal));
    EXPECT_TRUE(showsChecker(last, GLYPH1_COLUMN));
}

TEST_F(OkelProgram, KeyFTriplesTheWordAndTheBackdropFallsBeyondTheFarPlane)
{
    press(XK_f);
    const bool big =
        waitForPicture([&](const Screenshot& p) { return flatIn(p, BIG_GAP_BEFORE_GLYPH3, BLACK); }, FRAME_TIMEOUT);
    keepForFailure(last, "big");
    ASSERT_TRUE(big) << showsOnly(last, BIG_GAP_BEFORE_GLYPH3, BLACK).message();
    EXPECT_EQ(countNear(last, WHOLE_WINDOW, earth), 0) << "the backdrop still shows";
    EXPECT_TRUE(showsOnly(last, BIG_GLYPH3_TOP_BAR, metal));
    EXPECT_TRUE(showsOnly(last, BIG_GLYPH3_MIDDLE_BAR, metal));
    // The status text keeps its size and place. The tripled glyphs 2 and 3
    // now reach down into the lines and hide parts of them; left of glyph 3
    // the second line lies below glyph 2, over black.
    EXPECT_GT(countNear(last, insideNoInset(STATUS_LINE1), WHITE), 100);
    const PixelRect line2 =
        insideNoInset(ViewBox{STATUS_LINE2.left, STATUS_LINE2.bottom, BIG_GLYPH3_LEFT - 1, STATUS_LINE2.top});
    EXPECT_GT(countNear(last, line2, WHITE), 300);
    EXPECT_EQ(countNear(last, line2, WHITE) + countNear(last, line2, BLACK), line2.area());

    press(XK_f);
    EXPECT_TRUE(waitForPicture([&](const Screenshot& p) { return flatIn(p, ABOVE_THE_WORD, earth); }, FRAME_TIMEOUT));
    EXPECT_TRUE(showsOnly(last, GLYPH3_TOP_BAR, metal));
    EXPECT_TRUE(showsOnly(last, GLYPH4_TOP_BAR, star));
}

TEST_F(OkelProgram, LeftClickSweepsTheCameraToTheBackOfTheSceneAndAgainStopsIt)
{
    const Screenshot start = last;
    const PixelRect line1 = insideNoInset(STATUS_LINE1);
    const PixelRect line2 = insideNoInset(STATUS_LINE2);

    clickButton(display, window, 1, WINDOW_WIDTH / 2, WINDOW_HEIGHT / 2);
    // Seen from behind and nearly straight on, the backdrop lies behind the
    // camera: no earth anywhere, while the moon in front of it shows. The
    // sweep passes such places once on every crossing.
    ASSERT_TRUE(waitForPicture(
        [&](const Screenshot& p) {
            return countNear(p, WHOLE_WINDOW, earth) == 0 && countNear(p, WHOLE_WINDOW, moon) > 500;
        },
        SWEEP_TIMEOUT))
        << "never saw the back of the scene";
    const Screenshot back = last;
    // The second click stops the sweep; it is checked further down.
    clickButton(display, window, 1, WINDOW_WIDTH / 2, WINDOW_HEIGHT / 2);
    keepForFailure(back, "back");
    EXPECT_GT(countNear(back, WHOLE_WINDOW, BLACK), WINDOW_WIDTH * WINDOW_HEIGHT / 2);
    // The small white spheres: above or below the word (the camera moves
    // only across, so the word keeps its rows, y -61.5..60) and above the
    // status text, nothing else is white.
    const int wordTop = static_cast<int>(windowY(60)) - 2;
    const int wordBottom = static_cast<int>(windowY(-61.5)) + 2;
    EXPECT_GT(countNear(back, PixelRect{0, 0, WINDOW_WIDTH - 1, wordTop}, WHITE) +
                  countNear(back, PixelRect{0, wordBottom, WINDOW_WIDTH - 1, line1.y0 - 1}, WHITE),
              0)
        << "no sphere of the clusters shows";
    // The camera line tells another position; the text is still there.
    EXPECT_NE(whitePixels(start, line1), whitePixels(back, line1));
    EXPECT_GT(countNear(back, line1, WHITE), 400);

    // Two frames apart: the z key steps the axis line, and the second
    // picture is the first one that shows a changed axis line. While the
    // camera sweeps, no two frames show the same camera line; once it has
    // stopped, with the spin paused by the click, they show the same picture
    // apart from the axis line.
    Screenshot before;
    Screenshot after;
    const auto twoFrames = [&] {
        before = grab();
        press(XK_z);
        if (!waitForPicture([&](const Screenshot& p) { return whitePixels(before, line2) != whitePixels(p, line2); },
                            FRAME_TIMEOUT))
            return false;
        after = last;
        return whitePixels(before, line1) == whitePixels(after, line1);
    };
    EXPECT_TRUE(waitUntil(twoFrames, FRAME_TIMEOUT)) << "the camera still moves";
    keepForFailure(after, "stopped");
    EXPECT_FALSE(regionsDiffer(before, after, 0, 0, WINDOW_WIDTH - 1, line2.y0 - 1));
}

// Bad texture files and command lines. The program tests nothing of its
// files: one that cannot be read, or is short, leaves rawBuffer with what
// the loads before it left there (zeros before any), and bytes past a
// picture's size are never read. A name that is not a regular file, such as
// a named pipe, with a writer or none, reads nothing at once; a symbolic
// link to a regular file reads that file. GLUT takes its own options from the
// command line and leaves the rest, which the program ignores; the program
// sets its own window size and place after GLUT has read them. In every
// case the program runs on, draws and prints nothing.
struct BadInput {
    const char* name;
    // Prepares the scratch folder, the current directory.
    std::function<void()> prepareFolder;
    std::vector<std::string> arguments;
    // The backdrop's colour above the word once the word shows.
    Rgb backdrop;
    // The window asks the window manager to start it iconified. With no
    // window manager on the test display nothing acts on the hint, and the
    // window shows and draws as usual.
    bool iconic = false;
};

void PrintTo(const BadInput& input, std::ostream* out) { *out << input.name; }

// Every RAW file of the solid set, cut or grown to `size(original size)`.
void resizeEveryFile(const std::function<std::uintmax_t(std::uintmax_t)>& size)
{
    writeSolidTextures();
    for (const auto& entry : std::filesystem::directory_iterator("."))
        if (entry.path().extension() == ".raw")
            std::filesystem::resize_file(entry.path(), size(entry.file_size()));
}

// The solid set with a named pipe nobody writes in the backdrop file's
// place, or a symbolic link to a pipe named `linkTo` that a writer holds
// open.
void pipeForBackdrop(const char* linkTo = nullptr)
{
    writeSolidTextures();
    std::filesystem::remove("earth1024.raw");
    makeNamedPipe(linkTo ? linkTo : "earth1024.raw", linkTo != nullptr);
    if (linkTo)
        std::filesystem::create_symlink(linkTo, "earth1024.raw");
}

const BadInput BAD_INPUTS[] = {
    // Nothing is read: every file texture is black, the procedural
    // pictures of glyphs 1 and 2 still show.
    {"NoTextureFiles", [] {}, {}, BLACK},
    {"EmptyFiles", [] { resizeEveryFile([](std::uintmax_t) { return 0; }); }, {}, BLACK},
    // Grown by zeros to twice their size: the pictures are what they were.
    {"OversizedFiles",
     [] { resizeEveryFile([](std::uintmax_t size) { return 2 * size; }); },
     {},
     solidColourOf("earth1024.raw")},
    // The earth file cannot be read, so the backdrop keeps the picture
    // loaded just before it in the frame: glyph 4's star file, as large.
    {"BackdropFileIsADirectory",
     [] {
         writeSolidTextures();
         std::filesystem::remove("earth1024.raw");
         std::filesystem::create_directory("earth1024.raw");
     },
     {},
     solidColourOf("star1024.raw")},
    {"BackdropFileIsANamedPipe", [] { pipeForBackdrop(); }, {}, solidColourOf("star1024.raw")},
    {"BackdropFileLinksToANamedPipe", [] { pipeForBackdrop("pipe"); }, {}, solidColourOf("star1024.raw")},
    {"BackdropFileLinksToTheFile",
     [] {
         writeSolidTextures();
         std::filesystem::rename("earth1024.raw", "earth.raw");
         std::filesystem::create_symlink("earth.raw", "earth1024.raw");
     },
     {},
     solidColourOf("earth1024.raw")},
    {"GeometryOption", writeSolidTextures, {"-geometry", "300x200+10+10"}, solidColourOf("earth1024.raw")},
    {"IconicOption", writeSolidTextures, {"-iconic"}, solidColourOf("earth1024.raw"), true},
    {"UnknownArguments", writeSolidTextures, {"--frobnicate", "foo"}, solidColourOf("earth1024.raw")},
};

class OkelBadInput : public OkelRun, public ::testing::WithParamInterface<BadInput> {};

TEST_P(OkelBadInput, RunsOnDrawingAndPrintsNothing)
{
    const BadInput& input = GetParam();
    input.prepareFolder();
    ASSERT_TRUE(launch(input.arguments));
    // Glyph 1 drew its checker: the frames after the first are on the screen.
    EXPECT_TRUE(
        waitForPicture([&](const Screenshot& p) { return flatIn(p, ABOVE_THE_WORD, input.backdrop); }, FRAME_TIMEOUT))
        << showsOnly(last, ABOVE_THE_WORD, input.backdrop).message();
    keepForFailure(last, std::string("bad-") + input.name);
    // Whatever it was given, the window keeps its own size and place.
    const WindowPlace place = placeOf(display, window);
    EXPECT_EQ(place.x, 0);
    EXPECT_EQ(place.y, 0);
    EXPECT_EQ(place.width, WINDOW_WIDTH);
    EXPECT_EQ(place.height, WINDOW_HEIGHT);
    EXPECT_EQ(asksToStartIconic(display, window), input.iconic);
    EXPECT_TRUE(keepsDrawing());
    EXPECT_EQ(outputOf(run), "");
    EXPECT_EQ(errorsOf(run), "");
}

INSTANTIATE_TEST_SUITE_P(Matrix, OkelBadInput, ::testing::ValuesIn(BAD_INPUTS),
                         [](const ::testing::TestParamInfo<BadInput>& info) { return info.param.name; });

// Short files: each fills the first half of rawBuffer, the rows at the
// bottom of its picture, so the backdrop is half earth, and half what no
// load ever wrote: black. The halves turn with the spin.
TEST_F(OkelRun, ShortFilesShowWhatTheyHoldAndRunOn)
{
    resizeEveryFile([](std::uintmax_t size) { return size / 2; });
    ASSERT_TRUE(launch());
    const Rgb earth = solidColourOf("earth1024.raw");
    const int third = WINDOW_WIDTH * WINDOW_HEIGHT / 3;
    const auto halfEarth = [&](const Screenshot& p) {
        return countNear(p, WHOLE_WINDOW, earth) > third && countNear(p, WHOLE_WINDOW, BLACK) > third;
    };
    EXPECT_TRUE(waitForPicture(halfEarth, FRAME_TIMEOUT));
    keepForFailure(last, "bad-ShortFiles");
    const Screenshot before = last;
    // The border between the halves, through the middle of the window,
    // turns with the backdrop.
    EXPECT_TRUE(waitForPicture(
        [&](const Screenshot& p) {
            return regionsDiffer(before, p, WHOLE_WINDOW.x0, WHOLE_WINDOW.y0, WHOLE_WINDOW.x1, WHOLE_WINDOW.y1);
        },
        FRAME_TIMEOUT));
    EXPECT_TRUE(keepsDrawing());
    EXPECT_EQ(outputOf(run), "");
    EXPECT_EQ(errorsOf(run), "");
}

// Every frame reads its files again: a named pipe put in the backdrop
// file's place while the program runs reads nothing from then on, and the
// backdrop keeps the star picture loaded before it.
TEST_F(OkelRun, BackdropFileTurnedIntoANamedPipeWhileRunningReadsNothing)
{
    ASSERT_TRUE(launchWithSolidTextures());
    std::filesystem::remove("earth1024.raw");
    makeNamedPipe("earth1024.raw");
    const Rgb star = solidColourOf("star1024.raw");
    EXPECT_TRUE(waitForPicture([&](const Screenshot& p) { return flatIn(p, ABOVE_THE_WORD, star); }, FRAME_TIMEOUT))
        << showsOnly(last, ABOVE_THE_WORD, star).message();
    EXPECT_TRUE(keepsDrawing());
    EXPECT_EQ(outputOf(run), "");
    EXPECT_EQ(errorsOf(run), "");
}

TEST_F(OkelRun, DisplayThatDoesNotExistEndsAtOnceWithGlutsMessage)
{
    expectEndsAtOnceWithoutDisplay(OKEL_COMMAND, folder.path);
}

// Escape ends the program at once with status 1, and its window goes,
// without a word. Started through the installed launcher, the status is the
// program's own: the launcher has become the program (exec).
TEST_F(OkelProgram, EscapeEndsItWithStatusOneAndItsWindowGoes)
{
    press(XK_Escape);
    int status = -1;
    ASSERT_TRUE(waitForExit(run, FRAME_TIMEOUT, status)) << "okel still runs; " << outputs();
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(waitUntil([&] { return findWindowByTitle(display, title, 0ms) == 0; }, FRAME_TIMEOUT))
        << "its window stayed";
    EXPECT_EQ(outputOf(run), "");
    EXPECT_EQ(errorsOf(run), "");
}

// X refuses a window of 0 x 0 pixels (BadValue), so the test does what a
// window manager can do when a user shrinks the window to nothing and
// iconifies it: it shrinks the window to 1 x 1, the smallest size X allows,
// unmaps and maps it again, and gives it back its size.
TEST_F(OkelProgram, ShrunkToOnePixelIconifiedAndRestoredDrawsOn)
{
    resizeWindow(display, window, 1, 1);
    // The whole view box now falls on one pixel, which at full size showed
    // the earth. The status text's strokes, drawn last as lines, all touch
    // it and paint it white: once it is white, the program has drawn a frame
    // at this size.
    Screenshot pixel;
    EXPECT_TRUE(waitUntil(
        [&] {
            pixel = grab();
            return pixel.width == 1 && probe(pixel, 0, 0, WHITE);
        },
        FRAME_TIMEOUT))
        << "no frame at 1 x 1: " << (pixel.width == 1 ? pixel.at(0, 0) : Rgb{});
    hideAndShowWindow(display, window);
    resizeWindow(display, window, WINDOW_WIDTH, WINDOW_HEIGHT);
    EXPECT_TRUE(waitForPicture(
        [&](const Screenshot& p) {
            return flatIn(p, GLYPH3_TOP_BAR, metal) && flatIn(p, GLYPH4_TOP_BAR, star) &&
                   flatIn(p, ABOVE_THE_WORD, earth) && showsChecker(p, GLYPH1_COLUMN);
        },
        FRAME_TIMEOUT));
    keepForFailure(last, "restored");
    EXPECT_TRUE(keepsDrawing());
    EXPECT_EQ(outputOf(run), "");
    EXPECT_EQ(errorsOf(run), "");
}

// The program calls OpenGL 1.1 alone, whatever its libGL offers.
TEST(OkelImports, OnlyOpenGl11FunctionsFromLibGL) { EXPECT_TRUE(onlyGl11(glImportsOf(OKEL_PROGRAM))); }

} // namespace
