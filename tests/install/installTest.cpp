// Tests of the installed viewers: the build is installed with `cmake
// --install` (into a prefix, or staged with DESTDIR) in scratch folders,
// and the launchers are started from an unrelated folder on the test
// display. A launcher becomes the program itself (exec), so the process
// shows which program runs and in which folder it reads its textures.
//
// Testing a tree installed already (INSTALLED_PREFIX, such as /usr where
// the Debian packages are installed), the tests that need no install of
// their own check that tree instead, and the others are not run
// (tests/install/CMakeLists.txt).
//
// GoogleTest and the support headers come before any X11 header: Xlib's
// macros would clash with GoogleTest's names.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <sys/types.h>
#include <system_error>
#include <vector>

#include "tests/generated/buildLists.h"
#include "tests/support/files.h"
#include "tests/support/glWindow.h"
#include "tests/support/picture.h"
#include "tests/support/processes.h"
#include "tests/support/programWindow.h"
#include "tests/support/walkTestScene.h"
#include "tests/support/xDisplay.h"

#include <X11/Xlib.h>

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr auto START_TIMEOUT = 30s;

// Starts a command in `workDir`, with OKEL_TEXTURE_DIR set to `textureDir`
// or unset when that is null.
ProgramRun startIn(const std::string& workDir, const std::vector<std::string>& command,
                   const char* textureDir = nullptr)
{
    const std::string variable = textureDir ? std::string("OKEL_TEXTURE_DIR=") + textureDir : "OKEL_TEXTURE_DIR";
    return startProgram(command[0], workDir, {command.begin() + 1, command.end()}, {variable});
}

// Everything a command has written, standard output then standard error.
std::string allOutputOf(const ProgramRun& run) { return outputOf(run) + errorsOf(run); }

// Runs a command to its end; fails the test unless it succeeds.
void runCommand(const std::string& workDir, const std::vector<std::string>& command)
{
    ProgramRun run = startIn(workDir, command);
    int status = -1;
    const bool ended = waitForExit(run, 120s, status);
    stopProgram(run);
    ASSERT_TRUE(ended && status == 0) << command[0] << " " << command[1] << " failed:\n" << allOutputOf(run);
}

// Makes a folder under the current scratch folder; returns its full path.
std::string makeFolder(const std::string& name)
{
    fs::create_directories(name);
    return fs::canonical(name).string();
}

// Installs the build into the prefix, a scratch folder; returns its full
// path. Testing an installed tree, returns that instead.
std::string install(const std::string& prefix)
{
    if (std::string(INSTALLED_PREFIX) != "")
        return INSTALLED_PREFIX;
    runCommand(makeFolder("."), {CMAKE_PROGRAM, "--install", BUILD_DIR, "--prefix", prefix});
    return fs::canonical(prefix).string();
}

// What a command writes on standard output, once it has ended.
std::string outputOfCommand(const std::vector<std::string>& command)
{
    ProgramRun run = startIn(makeFolder("."), command);
    int status = -1;
    EXPECT_TRUE(waitForExit(run, 60s, status) && status == 0) << command[0] << " failed:\n" << allOutputOf(run);
    stopProgram(run);
    return outputOf(run);
}

// Every file and folder under `root` by relative path; folders end in a
// slash, executable files in " *".
std::set<std::string> treeOf(const std::string& root)
{
    std::set<std::string> tree;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        const bool executable = (entry.status().permissions() & fs::perms::owner_exec) != fs::perms::none;
        tree.insert(fs::relative(entry.path(), root).string() + (entry.is_directory() ? "/" : executable ? " *" : ""));
    }
    return tree;
}

std::string processLink(pid_t pid, const char* which)
{
    std::error_code error;
    return fs::read_symlink("/proc/" + std::to_string(pid) + "/" + which, error).string();
}

// Each test works in a scratch folder of its own, and ends what it started.
class Installed : public ::testing::Test {
protected:
    void SetUp() override
    {
        display = ::openDisplay();
        ASSERT_NE(display, nullptr) << "no X display; is DISPLAY set?";
        elsewhere = makeFolder("elsewhere");
    }

    void TearDown() override
    {
        stopProgram(run);
        if (!display)
            return;
        for (const char* title : {OKEL_TITLE, OKELWALK_TITLE})
            waitUntil([&] { return findWindowByTitle(display, title, 0ms) == 0; }, 10s);
        XCloseDisplay(display);
    }

    // Starts a launcher from the unrelated folder and waits for its window;
    // the walk-through's counts once it has drawn its grey frame, after
    // every texture has been read.
    void launch(const std::string& launcher, const char* textureDir = nullptr)
    {
        const bool walk = fs::path(launcher).filename() == "okelwalk";
        run = startIn(elsewhere, {launcher}, textureDir);
        const Window window = findWindowByTitle(display, walk ? OKELWALK_TITLE : OKEL_TITLE, START_TIMEOUT);
        ASSERT_NE(window, 0u) << launcher << " showed no window; its output:\n" << allOutputOf(run);
        const auto framed = [&] {
            const Screenshot picture = grabWindow(display, window);
            return picture.width > 2 && static_cast<bool>(probe(picture, 2, 2, FRAME_GREY));
        };
        ASSERT_TRUE(!walk || waitUntil(framed, START_TIMEOUT)) << "the walk-through never drew its frame";
    }

    // The program of that name runs, from the prefix, in `textures`.
    void expectProgramIn(const std::string& prefix, const std::string& name, const std::string& textures)
    {
        EXPECT_EQ(programOf(run.pid), prefix + "/" PROGRAM_DIR "/" + name);
        EXPECT_EQ(processLink(run.pid, "cwd"), textures);
    }

    // Starts okel and waits for it to end with status 1, saying `message`.
    void expectFailure(const std::vector<std::string>& command, const char* textureDir, const std::string& message)
    {
        run = startIn(elsewhere, command, textureDir);
        int status = -1;
        ASSERT_TRUE(waitForExit(run, START_TIMEOUT, status)) << "still running; its output:\n" << allOutputOf(run);
        EXPECT_EQ(status, 1);
        EXPECT_NE(errorsOf(run).find(message), std::string::npos) << allOutputOf(run);
        EXPECT_EQ(outputOf(run), "");
    }

    ScratchFolder folder;
    Display* display = nullptr;
    std::string elsewhere;
    ProgramRun run;
};

// How a case lays out the tree: its prefix, and the launcher to start
// (empty for the one in the prefix).
struct Laid {
    std::string prefix;
    std::string launcher;
};

struct TreeCase {
    const char* name;
    const char* program;
    Laid (*lay)(const std::string& program);
};

void PrintTo(const TreeCase& treeCase, std::ostream* out) { *out << treeCase.name; }

Laid installed(const std::string&) { return {install("prefix"), ""}; }

Laid movedAndLinked(const std::string& program)
{
    fs::rename(install("first"), "moved");
    const std::string moved = fs::canonical("moved").string();
    const std::string link = makeFolder("links") + "/" + program;
    fs::create_symlink(moved + "/bin/" + program, link);
    return {moved, link};
}

class InstalledTree : public Installed, public ::testing::WithParamInterface<TreeCase> {};

TEST_P(InstalledTree, LauncherStartsTheProgramInTheTextureFolderFromAnywhere)
{
    const TreeCase& treeCase = GetParam();
    Laid laid = treeCase.lay(treeCase.program);
    if (laid.launcher.empty())
        laid.launcher = laid.prefix + "/bin/" + treeCase.program;
    ASSERT_NO_FATAL_FAILURE(launch(laid.launcher));
    expectProgramIn(laid.prefix, treeCase.program, laid.prefix + "/" TEXTURE_DIR);
    // The walk-through says nothing when it finds all three of its pictures.
    EXPECT_EQ(allOutputOf(run), "");
}

std::string caseName(const ::testing::TestParamInfo<TreeCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Layouts, InstalledTree,
                         ::testing::Values(TreeCase{"OkelInstalled", "okel", installed},
                                           TreeCase{"OkelwalkInstalled", "okelwalk", installed},
                                           TreeCase{"PrefixMovedAndLauncherLinked", "okelwalk", movedAndLinked}),
                         caseName);

TEST_F(Installed, TextureFolderFromTheEnvironmentIsTheOneRead)
{
    const std::string prefix = install("prefix");
    // The user's own folder, named relative to where the launcher starts,
    // with only the picture for the word's blocks.
    const std::string pictures = makeFolder("elsewhere/my pictures");
    fs::current_path(pictures);
    writeSolidBitmap("leopard.bmp", 256, 256, GLYPH_COLOUR);
    ASSERT_NO_FATAL_FAILURE(launch(prefix + "/bin/okelwalk", "my pictures"));
    expectProgramIn(prefix, "okelwalk", pictures);
    EXPECT_EQ(outputOf(run), "failed to load bitmap for wall texture\nfailed to load bitmap for ceiling texture\n");
    EXPECT_EQ(errorsOf(run), "");
}

TEST_F(Installed, MissingTextureFolderEndsTheLauncherWithStatusOne)
{
    expectFailure({install("prefix") + "/bin/okel"},
                  "/no such/folder",
                  "okel: texture folder '/no such/folder' does not exist\n");
}

TEST_F(Installed, ArgumentsReachTheProgramUnchanged)
{
    // GLUT's own option, with a space in its value: GLUT names the display
    // it cannot open and ends the program with status 1.
    expectFailure(
        {install("prefix") + "/bin/okel", "-display", "no such:7"}, nullptr, "failed to open display 'no such:7'");
}

TEST_F(Installed, PrefixAndStagedInstallsGiveTheSameTree)
{
    const std::string prefix = install("prefix");
    const std::string staged = makeFolder("staged");
    setenv("DESTDIR", staged.c_str(), 1);
    runCommand(staged, {CMAKE_PROGRAM, "--install", BUILD_DIR, "--prefix", "/usr"});
    unsetenv("DESTDIR");
    EXPECT_EQ(treeOf(staged + "/usr"), treeOf(prefix));
}

bool isExecutableFile(const std::string& path)
{
    return fs::is_regular_file(path) && (fs::status(path).permissions() & fs::perms::others_exec) != fs::perms::none;
}

// The keys and values of a desktop entry's lines.
std::map<std::string, std::string> desktopEntry(const std::string& path)
{
    std::map<std::string, std::string> entry;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);)
        if (const size_t equals = line.find('='); equals != std::string::npos)
            entry[line.substr(0, equals)] = line.substr(equals + 1);
    return entry;
}

std::string fileText(const std::string& path)
{
    std::ifstream file(path);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The width and height a PNG file's header gives, or 0 x 0 when it is no
// PNG: the eight bytes of the signature, then the IHDR chunk's length and
// type, then its width and height, four bytes each, most significant first.
std::pair<unsigned long, unsigned long> pngSize(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    unsigned char header[24] = {};
    if (!file.read(reinterpret_cast<char*>(header), sizeof header) ||
        std::string(reinterpret_cast<const char*>(header), 8) != "\x89PNG\r\n\x1a\n" ||
        std::string(reinterpret_cast<const char*>(header) + 12, 4) != "IHDR")
        return {0, 0};
    const auto number = [&](int at) {
        return (static_cast<unsigned long>(header[at]) << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) |
               header[at + 3];
    };
    return {number(16), number(20)};
}

// The installed tree holds what a user meets: each program's launcher and
// the program, executable; its desktop entry, whose command is the
// launcher and whose icon is installed in every size of the build's list,
// each a PNG of its size; its AppStream metadata, which names the desktop
// entry it launches; its man page; and the build's texture files, no more.
TEST_F(Installed, TreeHoldsWhatAUserMeets)
{
    const std::string prefix = install("prefix");
    for (const std::string program : {"okel", "okelwalk"}) {
        EXPECT_TRUE(isExecutableFile(prefix + "/bin/" + program)) << program;
        EXPECT_TRUE(isExecutableFile(prefix + "/" PROGRAM_DIR "/" + program)) << program;
        std::map<std::string, std::string> entry = desktopEntry(prefix + "/share/applications/" + program + ".desktop");
        EXPECT_EQ(entry["Type"], "Application") << program;
        EXPECT_EQ(entry["Exec"], program);
        EXPECT_EQ(entry["TryExec"], program);
        EXPECT_EQ(entry["Icon"], program);
        const std::string metainfo = fileText(prefix + "/share/metainfo/org.example." + program + ".metainfo.xml");
        EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">" + program + ".desktop</launchable>"),
                  std::string::npos)
            << program << ":\n"
            << metainfo;
        EXPECT_GT(fs::file_size(prefix + "/share/man/man6/" + program + ".6.gz"), 0u) << program;
    }
    for (const std::string icon : BUILD_ICON_FILES) {
        const auto [width, height] = pngSize(prefix + "/share/icons/" + icon);
        EXPECT_NE(icon.find("/" + std::to_string(width) + "x" + std::to_string(height) + "/"), std::string::npos)
            << icon << " is " << width << " x " << height;
    }
    std::set<std::string> textures;
    for (const fs::directory_entry& file : fs::directory_iterator(prefix + "/" TEXTURE_DIR))
        textures.insert(file.path().filename().string());
    EXPECT_EQ(textures, std::set<std::string>(std::begin(BUILD_TEXTURE_FILES), std::end(BUILD_TEXTURE_FILES)));
}

// Every place of the installed tree that names the version names the
// project's: the newest release of each program's AppStream metadata and
// the man pages. (The package checks compare the Debian changelog's.)
TEST_F(Installed, EveryPlaceThatNamesTheVersionNamesTheProjects)
{
    const std::string prefix = install("prefix");
    for (const std::string program : {"okel", "okelwalk"}) {
        std::ifstream file(prefix + "/share/metainfo/org.example." + program + ".metainfo.xml");
        const std::string metainfo{std::istreambuf_iterator<char>(file), {}};
        const size_t release = metainfo.find("<release version=\"");
        ASSERT_NE(release, std::string::npos) << program << ": no release";
        EXPECT_EQ(metainfo.substr(release + 18, metainfo.find('"', release + 18) - release - 18), OKEL_VERSION)
            << program;
        const std::string page = outputOfCommand({"/bin/gzip", "-dc", prefix + "/share/man/man6/" + program + ".6.gz"});
        EXPECT_NE(page.substr(0, page.find('\n')).find("\"okel " OKEL_VERSION "\""), std::string::npos) << page;
    }
}

} // namespace
