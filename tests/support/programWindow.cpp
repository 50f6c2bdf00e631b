// The end-to-end tests' view of a program on the test display or a desktop's.
#include "tests/support/programWindow.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

using namespace std::chrono_literals;

namespace {

// True if a program's standard error has the line Mesa writes for a GL
// error with MESA_DEBUG set: "Mesa: User error: ..." from Mesa 22 (Debian
// 12), "Mesa: error: ..." from Mesa 25 (Debian 13).
bool reportsGlError(const std::string& errors)
{
    return errors.find("Mesa: User error") != std::string::npos || errors.find("Mesa: error") != std::string::npos;
}

} // namespace

ProgramWindow::ProgramWindow(std::vector<std::string> command, std::string title, int width, int height,
                             bool throughLauncher)
    : command(std::move(command)), title(std::move(title)), width(width), height(height),
      throughLauncher(throughLauncher)
{
}

ProgramWindow::~ProgramWindow()
{
    stopProgram(run);
    if (!run.errorPath.empty()) {
        const std::string errors = errorsOf(run);
        EXPECT_FALSE(reportsGlError(errors)) << title << " raised a GL error:\n" << errors;
    }
    if (!display)
        return;
    waitUntil([&] { return findWindowByTitle(display, title, 0ms) == 0; }, 10s);
    XCloseDisplay(display);
}

::testing::AssertionResult ProgramWindow::openDisplay()
{
    display = desktop ? ::openDisplay(desktop->xwaylandName.c_str()) : ::openDisplay();
    if (!display)
        return ::testing::AssertionFailure() << "no X display; is DISPLAY set?";
    if (!waitUntil([&] { return findWindowByTitle(display, title, 0ms) == 0; }, startTimeout))
        return ::testing::AssertionFailure() << "a window titled \"" << title << "\" is already open";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ProgramWindow::launchProgram(const std::vector<std::string>& arguments)
{
    std::vector<std::string> variables = {"MESA_DEBUG=1"};
    variables.insert(variables.end(), environment.begin(), environment.end());
    if (desktop)
        variables.push_back("DISPLAY=" + desktop->xwaylandName);
    std::vector<std::string> all(command.begin() + 1, command.end());
    all.insert(all.end(), arguments.begin(), arguments.end());
    const std::string programFolder = workDir.empty() ? folder.path : workDir;
    std::string startFolder = programFolder;
    // Started from the home folder, which tests that run at once share, what
    // it writes goes into the test's own folder.
    std::string outputFolder;
    if (throughLauncher) {
        const char* home = std::getenv("HOME");
        if (!home || !std::filesystem::is_directory(home))
            return ::testing::AssertionFailure() << "no home folder (HOME) to start " << command[0] << " from";
        startFolder = home;
        outputFolder = folder.path;
        variables.push_back("OKEL_TEXTURE_DIR=" + programFolder);
    }
    run = startProgram(command[0], startFolder, all, variables, outputFolder);
    if (run.pid <= 0)
        return ::testing::AssertionFailure() << "cannot start " << command[0];
    window = findWindowByTitle(display, title, startTimeout);
    if (window == 0)
        return ::testing::AssertionFailure() << "no window titled \"" << title << "\"; " << outputs();
    return ::testing::AssertionSuccess();
}

Screenshot ProgramWindow::grab(Window which)
{
    XSync(display, False);
    return desktop ? desktop->shown(which) : grabWindow(display, which);
}

bool ProgramWindow::waitForPictureOf(Window which, int width, int height,
                                     const std::function<bool(const Screenshot&)>& shows,
                                     std::chrono::milliseconds timeout)
{
    const bool shown = waitUntil(
        [&] {
            last = grab(which);
            return last.width == width && last.height == height && shows(last);
        },
        timeout);
    keepForFailure(last, "last-seen");
    return shown;
}

bool ProgramWindow::waitForPicture(const std::function<bool(const Screenshot&)>& shows,
                                   std::chrono::milliseconds timeout)
{
    return waitForPictureOf(window, width, height, shows, timeout);
}

void ProgramWindow::press(unsigned long keySym, int times)
{
    if (desktop) {
        EXPECT_TRUE(desktop->press(window, keySym, times));
        return;
    }
    focusWindow(display, window);
    for (int i = 0; i < times; ++i)
        pressKey(display, keySym);
}

std::string ProgramWindow::outputs() const
{
    return "program output:\n" + outputOf(run) + "program errors:\n" + errorsOf(run);
}
