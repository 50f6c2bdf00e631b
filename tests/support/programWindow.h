// The end-to-end tests' view of a program: started on the test display, or
// on a Wayland desktop's, in a scratch folder of its own, its top-level
// window found by title, typed into, and read back until it shows what a
// test waits for. The program is ended, and its window gone, when the object
// goes, whatever happened.
//
// The program runs with Mesa's error reporting on (MESA_DEBUG=1): every GL
// error it raises is a line on its standard error ("Mesa: User error: ..."
// from Mesa 22, "Mesa: error: ..." from Mesa 25), and any such line fails
// the test when the object goes.
#pragma once

// GoogleTest comes with the support headers, before any X11 header.
#include "tests/support/files.h"
#include "tests/support/picture.h"
#include "tests/support/processes.h"
#include "tests/support/westonDesktop.h"
#include "tests/support/xDisplay.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// How long a test waits for a program's first picture, and for each picture
// after a key: the software renderer draws a frame in tens to hundreds of
// milliseconds, and these leave room for a slow, busy machine. A program
// that starts slower (under Wine, or an emulator) gets a startTimeout of its
// own.
constexpr std::chrono::seconds START_TIMEOUT{30};
constexpr std::chrono::seconds FRAME_TIMEOUT{20};

// OKEL_TITLE and OKELWALK_TITLE, the programs' window titles, come from the build.

class ProgramWindow {
public:
    // `command` is the program to start and the arguments that come before
    // a test's own: the built program alone, or wine and a Windows program,
    // or an installed launcher (`throughLauncher`); `title` is its window's,
    // `width` x `height` its size.
    ProgramWindow(std::vector<std::string> command, std::string title, int width, int height,
                  bool throughLauncher = false);
    ~ProgramWindow();
    ProgramWindow(const ProgramWindow&) = delete;
    ProgramWindow& operator=(const ProgramWindow&) = delete;

    // Opens the program's display and waits until no window of the title is
    // left from an earlier run, which would be taken for this run's.
    ::testing::AssertionResult openDisplay();

    // Starts the program in `workDir` (the scratch folder when empty) with
    // the arguments and `environment`, and waits until its window shows. A
    // launcher starts from the user's home folder (HOME), as from a desktop
    // menu, with OKEL_TEXTURE_DIR naming that folder: it changes to it and
    // starts the program there.
    ::testing::AssertionResult launchProgram(const std::vector<std::string>& arguments = {});

    // What a window of the program shows now; on a desktop, what the
    // compositor shows of it.
    Screenshot grab(Window which);

    // Grabs the window until its picture has the size and satisfies
    // `shows`, or the timeout passes; `last` keeps the last picture, which
    // is also written out if the test fails (keepForFailure).
    bool waitForPictureOf(Window which, int width, int height, const std::function<bool(const Screenshot&)>& shows,
                          std::chrono::milliseconds timeout = FRAME_TIMEOUT);
    // The same for the top-level window, at the program's size.
    bool waitForPicture(const std::function<bool(const Screenshot&)>& shows,
                        std::chrono::milliseconds timeout = FRAME_TIMEOUT);

    // Gives the program's window the focus and presses the key `times` times;
    // on a desktop, types it into the compositor's window.
    void press(unsigned long keySym, int times = 1);

    // Everything the program has written so far, to show with a failure.
    std::string outputs() const;

    const std::vector<std::string> command;
    const std::string title;
    const int width;
    const int height;
    const bool throughLauncher;
    // The Wayland desktop the program runs on, through its Xwayland; the
    // test display itself when null. Set before openDisplay.
    WestonDesktop* desktop = nullptr;
    std::vector<std::string> environment; // as startProgram takes it
    std::string workDir;
    std::chrono::milliseconds startTimeout = START_TIMEOUT;
    ScratchFolder folder;
    Display* display = nullptr;
    Window window = 0;
    ProgramRun run;
    Screenshot last;
    // The picture the program shows once launched with its solid textures.
    Screenshot start;
};

// A suite whose tests only look at a program as it starts: the suite's
// SetUpTestSuite makes the program and hands it to `share`, which launches
// it with Program's launchWithSolidTextures, and each test reads `program`.
// CTest must run such a suite as one test (one process) for the launch to be
// shared.
template <typename Program>
class SharedLaunch : public ::testing::Test {
protected:
    static void share(Program* made)
    {
        program = made;
        launched = program->openDisplay();
        if (launched)
            launched = program->launchWithSolidTextures();
    }
    static void TearDownTestSuite()
    {
        delete program;
        program = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(launched);
        keepForFailure(program->start, "start");
    }

    static inline Program* program = nullptr;
    static inline ::testing::AssertionResult launched = ::testing::AssertionFailure();
};
