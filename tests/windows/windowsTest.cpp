// Tests of the Windows build under Wine, on the test display: the programs
// run from the unpacked zip as a user starts them, the installer runs
// silently, and what the programs link and carry is read from the files.
// What Windows does the same way as Linux is left to the Linux tests.
//
// GoogleTest and the support headers come before any X11 header: Xlib's
// macros would clash with GoogleTest's names.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/gl11.h"
#include "tests/support/okelTestScene.h"
#include "tests/support/okelWindow.h"
#include "tests/support/picture.h"
#include "tests/support/processes.h"
#include "tests/support/programWindow.h"
#include "tests/support/walkTestScene.h"
#include "tests/support/walkWindow.h"

#include <X11/keysym.h>

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// The Wine prefix of this test run (made by windows.prepare), with the
// build's Wine settings.
const std::vector<std::string> WINE_ENVIRONMENT = {"WINEPREFIX=" WINE_PREFIX, WINE_SETTINGS};

std::string contentsOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Runs a command to its end with Wine's environment; its standard output.
std::string commandOutput(const std::vector<std::string>& command, int& status)
{
    ScratchFolder scratch;
    ProgramRun run = startProgram(command[0], scratch.path, {command.begin() + 1, command.end()}, WINE_ENVIRONMENT);
    if (!waitForExit(run, 120s, status))
        stopProgram(run);
    return outputOf(run);
}

// A program of the zip as `Program` (okel's or okelwalk's window) under
// Wine: wine starts it in the window's scratch folder, where it is copied,
// with Wine's environment. Wine starts in seconds and draws through the same
// software renderer.
template <typename Program>
struct UnderWine : Program {
    explicit UnderWine(const char* exe) : Program({"/usr/bin/wine", exe})
    {
        fs::copy_file(fs::path(ZIP_FOLDER) / exe, fs::path(this->folder.path) / exe);
        this->environment = WINE_ENVIRONMENT;
        this->startTimeout = 60s;
        EXPECT_TRUE(this->openDisplay());
    }
};

TEST(OkelExe, DrawsTheWordAsOnLinuxAndAnswersKeysUntilEscapeEndsItWithStatusOne)
{
    Screenshot onLinux;
    {
        OkelWindow linux({OKEL_PROGRAM});
        ASSERT_TRUE(linux.openDisplay());
        ASSERT_TRUE(linux.launchWithSolidTextures());
        onLinux = linux.start;
    }
    UnderWine<OkelWindow> okel("okel.exe");
    ASSERT_TRUE(okel.launchWithSolidTextures());
    const WindowPlace place = placeOf(okel.display, okel.window);
    EXPECT_EQ(place.width, WINDOW_WIDTH);
    EXPECT_EQ(place.height, WINDOW_HEIGHT);
    // All but the status lines, whose numbers the two C libraries may print
    // each their own way.
    const PixelRect statusLines{0, pixelsInside(STATUS_AREA, 0).y0, WINDOW_WIDTH - 1, WINDOW_HEIGHT - 1};
    EXPECT_TRUE(samePicture(okel.start, onLinux, statusLines, 3));

    // q: glyph 1 leaves the checker for the gradient.
    okel.press(XK_q);
    const PixelRect column = pixelsInside(GLYPH1_COLUMN);
    EXPECT_TRUE(okel.waitForPicture(
        [&](const Screenshot& p) { return regionsDiffer(okel.start, p, column.x0, column.y0, column.x1, column.y1); }));
    // t: teapots; the backdrop shows where glyph 4's bar had its corner.
    okel.press(XK_t);
    const Rgb backdrop = solidColourOf("earth1024.raw");
    EXPECT_TRUE(okel.waitForPicture([&](const Screenshot& p) { return flatIn(p, GLYPH4_BAR_CORNER, backdrop); }));
    okel.press(XK_Escape);
    int status = -1;
    ASSERT_TRUE(waitForExit(okel.run, 30s, status)) << "okel.exe still runs";
    EXPECT_EQ(status, 1);
}

TEST(OkelExe, WithNoTextureFilesKeepsDrawing)
{
    UnderWine<OkelWindow> okel("okel.exe");
    ASSERT_TRUE(okel.launch());
    EXPECT_TRUE(showsOnly(okel.last, ABOVE_THE_WORD, BLACK)) << "the backdrop is not black";
    EXPECT_TRUE(okel.keepsDrawing());
}

TEST(OkelwalkExe, ReportsTheMissingFileInAWindowsLineAndTakesTheWalkingKeys)
{
    UnderWine<WalkWindow> walk("okelwalk.exe");
    for (const char* file : {"corrigatedIronTexture.bmp", "concrete.bmp"})
        fs::copy_file(fs::path(ZIP_FOLDER) / file, walk.folder.path + "/" + file);
    // Wine shows the subwindows in the top-level X window; their own X
    // windows lie off screen.
    ASSERT_TRUE(walk.launchProgram());
    const WindowPlace place = placeOf(walk.display, walk.window);
    EXPECT_EQ(place.width, WALK_WINDOW_SIZE);
    EXPECT_EQ(place.height, WALK_WINDOW_SIZE);
    EXPECT_TRUE(waitUntil([&] { return !outputOf(walk.run).empty(); }, FRAME_TIMEOUT));
    EXPECT_EQ(outputOf(walk.run), "failed to load bitmap for okel texture\r\n");
    for (unsigned long key : {XK_Up, XK_Down, XK_Left, XK_Right, XK_Page_Up, XK_Page_Down})
        walk.press(key, 20);
    int status = 0;
    EXPECT_FALSE(waitForExit(walk.run, 3s, status)) << "okelwalk.exe ended with status " << status;
    EXPECT_NE(findWindowByTitle(walk.display, OKELWALK_TITLE, 0ms), 0u);
}

// The major version of the Wine that runs the tests, from `wine --version`
// ("wine-10.0 (Debian 10.0~repack-6)"); 0 if it says something else.
int wineMajor()
{
    int status = -1;
    const std::string version = commandOutput({"/usr/bin/wine", "--version"}, status);
    return version.rfind("wine-", 0) == 0 ? std::atoi(version.c_str() + 5) : 0;
}

TEST(OkelwalkExe, ShowsTheRoomInItsViewAndItsHelpPanelAsOnLinux)
{
    // Debian 12's Wine 8 draws no pixel into a child window (its X drawable
    // for one is 0; docs/windows.md), so there both subwindows stay black.
    // Wine 10 draws them. Wine's version tells the two apart.
    if (const int major = wineMajor(); major < 10)
        GTEST_SKIP() << "Wine " << major << " leaves okelwalk.exe's subwindows black (a child window's device "
                     << "context has no X drawable in Debian's Wine 8); Wine 10 draws them";
    const PixelRect middleBar = blockFront(START, WORD_BLOCKS[3], 4);
    const auto wordShows = [&](const Screenshot& p) {
        return allOf(partOf(p, VIEW_IN_WINDOW), middleBar, isGlyph, "red");
    };
    Screenshot onLinux;
    {
        WalkWindow linux({OKELWALK_PROGRAM});
        ASSERT_TRUE(linux.openDisplay());
        ASSERT_TRUE(linux.launchWithSolidTextures());
        EXPECT_TRUE(linux.waitForPicture([&](const Screenshot& p) { return framed(p) && wordShows(p); }));
        onLinux = linux.last;
    }
    keepForFailure(onLinux, "linux");

    // Wine shows the subwindows in the top-level X window (their own X
    // windows lie off screen), so the view is read from the window's
    // picture: the frame and the panel as on Linux, pixel for pixel, and the
    // room where its geometry puts it.
    UnderWine<WalkWindow> walk("okelwalk.exe");
    writeSolidWalkTextures();
    ASSERT_TRUE(walk.launchProgram());
    const auto drawn = [&](const Screenshot& p) { return wordShows(p) && samePicture(p, onLinux, VIEW_IN_WINDOW); };
    EXPECT_TRUE(walk.waitForPicture(drawn, walk.startTimeout))
        << samePicture(walk.last, onLinux, VIEW_IN_WINDOW).message();
    expectStartView(partOf(walk.last, VIEW_IN_WINDOW));
}

// The working folder a Windows shortcut (.lnk) starts its program in: the
// string after the optional name and relative path in the link's string data.
std::string workingFolderOf(const fs::path& link)
{
    const std::string bytes = contentsOf(link);
    const auto u16 = [&](size_t at) {
        return static_cast<unsigned char>(bytes.at(at)) | (static_cast<unsigned char>(bytes.at(at + 1)) << 8);
    };
    const unsigned flags = u16(20);
    size_t at = 76; // the header
    if (flags & 0x01)
        at += 2 + u16(at); // the item list
    if (flags & 0x02)
        at += u16(at) | (u16(at + 2) << 16); // the link information
    std::vector<std::string> strings;
    for (unsigned bit : {0x04u, 0x08u, 0x10u}) {
        if (!(flags & bit))
            continue;
        const size_t characters = u16(at);
        std::string text;
        for (size_t i = 0; i < characters && u16(at + 2 + 2 * i) != 0; ++i)
            text += static_cast<char>(u16(at + 2 + 2 * i)); // ASCII paths
        at += 2 + 2 * characters;
        if (bit == 0x10u)
            return text;
    }
    return "";
}

TEST(Installer, InstallsBothShortcutsIntoTheInstallFolderAndUninstallsWithoutTrace)
{
    const fs::path drive = WINE_PREFIX "/drive_c";
    const fs::path installed = drive / "Program Files/OKEL";
    const fs::path menu = drive / "ProgramData/Microsoft/Windows/Start Menu/Programs/OKEL viewers " OKEL_VERSION;
    int status = -1, settled = -1;
    commandOutput({"/usr/bin/wine", SETUP_EXE, "/S"}, status);
    commandOutput({"/usr/bin/wineserver", "-w"}, settled); // until Wine has settled
    EXPECT_EQ(status, 0);
    std::set<std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(installed))
        files.insert(entry.path().filename().string());
    for (const fs::directory_entry& entry : fs::directory_iterator(ZIP_FOLDER))
        EXPECT_EQ(files.count(entry.path().filename().string()), 1u) << entry.path().filename();
    EXPECT_EQ(files.count("Uninstall.exe"), 1u);
    const std::pair<const char*, const char*> shortcuts[] = {{"OKEL letter scene.lnk", "\\OKEL\\okel.exe"},
                                                             {"OKEL room walk-through.lnk", "\\OKEL\\okelwalk.exe"}};
    for (const auto& [shortcut, target] : shortcuts) {
        ASSERT_TRUE(fs::exists(menu / shortcut)) << shortcut;
        EXPECT_EQ(workingFolderOf(menu / shortcut), "C:\\Program Files\\OKEL") << shortcut;
        EXPECT_NE(contentsOf(menu / shortcut).find(target), std::string::npos)
            << shortcut << " does not start " << target;
    }

    commandOutput({"/usr/bin/wine", "C:\\Program Files\\OKEL\\Uninstall.exe", "/S"}, status);
    commandOutput({"/usr/bin/wineserver", "-w"}, settled);
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(fs::exists(installed));
    EXPECT_FALSE(fs::exists(menu));
    for (const char* registry : {"system.reg", "user.reg"})
        EXPECT_EQ(contentsOf(WINE_PREFIX "/" + std::string(registry)).find("OKEL"), std::string::npos) << registry;
}

TEST(WindowsPrograms, NeedOnlyWindowsOwnDllsAndCarryTheirIconAndVersion)
{
    const std::set<std::string> windowsOwn = {"advapi32.dll",
                                              "gdi32.dll",
                                              "glu32.dll",
                                              "kernel32.dll",
                                              "msvcrt.dll",
                                              "opengl32.dll",
                                              "user32.dll",
                                              "winmm.dll"};
    for (const std::string program : {"okel.exe", "okelwalk.exe"}) {
        SCOPED_TRACE(program);
        const std::string path = ZIP_FOLDER "/" + program;
        int status = -1;
        std::istringstream imports(commandOutput({MINGW_OBJDUMP, "-p", path}, status));
        int dlls = 0;
        for (std::string line; std::getline(imports, line);)
            if (const size_t at = line.find("DLL Name: "); at != std::string::npos) {
                std::string dll = line.substr(at + 10);
                std::transform(dll.begin(), dll.end(), dll.begin(), [](unsigned char c) { return std::tolower(c); });
                EXPECT_EQ(windowsOwn.count(dll), 1u) << dll;
                ++dlls;
            }
        EXPECT_GT(dlls, 0);
        // An icon group of the four sizes; the version names the product.
        const std::string resources = commandOutput({"/usr/bin/wrestool", "-l", path}, status);
        EXPECT_NE(resources.find("type=group_icon"), std::string::npos) << resources;
        int icons = 0;
        for (size_t at = resources.find("type=icon "); at != std::string::npos;
             at = resources.find("type=icon ", at + 1))
            ++icons;
        EXPECT_EQ(icons, 4) << resources;
        std::string version = commandOutput({"/usr/bin/wrestool", "-x", "--raw", "-t16", path}, status);
        version.erase(std::remove(version.begin(), version.end(), '\0'), version.end());
        for (const char* text : {"OKEL viewers", OKEL_VERSION, "MIT License", program.c_str()})
            EXPECT_NE(version.find(text), std::string::npos) << text;
    }
    // The text files have Windows line ends.
    for (const char* text : {"README.txt", "LICENSE.txt"}) {
        const std::string lines = contentsOf(fs::path(ZIP_FOLDER) / text);
        EXPECT_GT(lines.size(), 100u);
        for (size_t at = lines.find('\n'); at != std::string::npos; at = lines.find('\n', at + 1))
            ASSERT_TRUE(at > 0 && lines[at - 1] == '\r') << text << ": a bare line feed at byte " << at;
    }
    // The read-me names the version, as the zip and the installer do.
    const std::string readMe = contentsOf(fs::path(ZIP_FOLDER) / "README.txt");
    EXPECT_EQ(readMe.substr(0, readMe.find('\r')), "OKEL viewers " OKEL_VERSION " for Windows");
    EXPECT_TRUE(fs::exists(SETUP_EXE));
}

// The programs call OpenGL 1.1 alone from opengl32.dll, as on Linux.
// freeglut, linked into them, makes and binds the context through WGL,
// opengl32.dll's window-system functions, as it does through GLX on Linux;
// the GL functions are the others.
TEST(WindowsPrograms, ImportOnlyOpenGl11FunctionsFromOpengl32)
{
    for (const char* program : {"okel.exe", "okelwalk.exe"}) {
        int status = -1;
        const std::string dump = commandOutput({MINGW_OBJDUMP, "-p", ZIP_FOLDER "/" + std::string(program)}, status);
        std::vector<std::string> gl;
        for (const std::string& name : dllImportsOf(dump, "opengl32.dll"))
            if (name.rfind("wgl", 0) != 0)
                gl.push_back(name);
        EXPECT_TRUE(onlyGl11(gl)) << program;
    }
}

} // namespace
