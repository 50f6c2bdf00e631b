// Tests of the installed viewers: the build is installed with `cmake
// --install` (into a prefix, or staged with DESTDIR) or the Debian package
// is unpacked, all in scratch folders, and the launchers are started from
// an unrelated folder on the test display. A started launcher becomes the
// program itself (exec), so its process shows where the program lies and
// which folder it reads its textures from.
//
// GoogleTest and the support headers come before any X11 header: Xlib's
// macros would clash with GoogleTest's names.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "glWindow.h"
#include "picture.h"
#include "walkScene.h"
#include "xDisplay.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr const char* OKEL_TITLE = "Talvin' OKEL";
constexpr const char* WALK_TITLE = "Osk's Animated 3D OKEL";
constexpr auto START_TIMEOUT = 30s;
constexpr auto COMMAND_TIMEOUT = 120s;
const Rgb FRAME_GREY{153, 153, 153};

// Starts a command in `workDir` with OKEL_TEXTURE_DIR set to `textureDir`,
// or unset when it is null; its output goes to a file in `workDir`.
ProgramRun startIn(const std::string& workDir, const std::vector<std::string>& command,
                   const char* textureDir = nullptr)
{
    std::vector<std::string> environment;
    for (char** variable = environ; *variable; ++variable)
        if (std::strncmp(*variable, "OKEL_TEXTURE_DIR=", 17) != 0)
            environment.push_back(*variable);
    if (textureDir)
        environment.push_back(std::string("OKEL_TEXTURE_DIR=") + textureDir);
    std::vector<char*> argv, envp;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    for (const std::string& variable : environment)
        envp.push_back(const_cast<char*>(variable.c_str()));
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    ProgramRun run;
    run.outputPath = workDir + "/output.txt";
    run.pid = fork();
    if (run.pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int out = open(run.outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || dup2(out, STDOUT_FILENO) < 0 || dup2(out, STDERR_FILENO) < 0 || chdir(workDir.c_str()) != 0)
            _exit(126);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    return run;
}

// Runs a command to its end and fails the test unless it succeeds.
void runCommand(const std::string& workDir, const std::vector<std::string>& command)
{
    ProgramRun run = startIn(workDir, command);
    int status = -1;
    const bool ended = waitForExit(run, COMMAND_TIMEOUT, status);
    stopProgram(run);
    ASSERT_TRUE(ended && status == 0) << command[0] << " " << command[1] << " failed:\n" << outputOf(run);
}

// A new folder inside the current scratch folder, by its absolute path.
std::string makeFolder(const std::string& name)
{
    fs::create_directories(name);
    return fs::canonical(name).string();
}

std::string install(const std::string& prefix)
{
    runCommand(makeFolder("."), {CMAKE_PROGRAM, "--install", BUILD_DIR, "--prefix", prefix});
    return fs::canonical(prefix).string();
}

std::string packageFile()
{
    for (const fs::directory_entry& entry : fs::directory_iterator(BUILD_DIR)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(PACKAGE_PREFIX, 0) == 0 && entry.path().extension() == ".deb")
            return entry.path().string();
    }
    return "";
}

// Every file and folder under `root`, by relative path, with a mark for
// folders and executable files.
std::set<std::string> treeOf(const std::string& root)
{
    std::set<std::string> tree;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).string();
        if (entry.is_directory())
            tree.insert(name + "/");
        else
            tree.insert(name + ((entry.status().permissions() & fs::perms::owner_exec) != fs::perms::none ? " *" : ""));
    }
    return tree;
}

std::string processLink(pid_t pid, const char* which)
{
    std::error_code error;
    return fs::read_symlink("/proc/" + std::to_string(pid) + "/" + which, error).string();
}

// Each test works in its own scratch folder, and ends what it started.
class Installed : public ::testing::Test {
protected:
    void SetUp() override
    {
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr) << "no X display; is DISPLAY set?";
        elsewhere = makeFolder("elsewhere");
    }

    void TearDown() override
    {
        stopProgram(run);
        if (!display)
            return;
        for (const char* title : {OKEL_TITLE, WALK_TITLE})
            waitUntil([&] { return findWindowByTitle(display, title, 0ms) == 0; }, 10s);
        XCloseDisplay(display);
    }

    // Starts a launcher from the unrelated folder and waits for its window;
    // the walk-through's window counts once it has drawn its grey frame,
    // after every texture has been read.
    void launch(const std::string& launcher, const char* textureDir = nullptr)
    {
        const bool walk = fs::path(launcher).filename() == "okelwalk";
        run = startIn(elsewhere, {launcher}, textureDir);
        const Window window = findWindowByTitle(display, walk ? WALK_TITLE : OKEL_TITLE, START_TIMEOUT);
        ASSERT_NE(window, 0u) << launcher << " showed no window; its output:\n" << outputOf(run);
        if (walk) {
            ASSERT_TRUE(waitUntil(
                [&] {
                    const Picture picture = grabWindow(display, window);
                    return picture.width > 2 && static_cast<bool>(probe(picture, 2, 2, FRAME_GREY));
                },
                START_TIMEOUT))
                << "the walk-through never drew its frame";
        }
    }

    // The program runs from the prefix's program folder, in `textures`.
    void expectProgramIn(const std::string& prefix, const std::string& name, const std::string& textures)
    {
        EXPECT_EQ(processLink(run.pid, "exe"), prefix + "/libexec/okel/" + name);
        EXPECT_EQ(processLink(run.pid, "cwd"), textures);
    }

    ScratchFolder folder;
    Display* display = nullptr;
    std::string elsewhere;
    ProgramRun run;
};

class InstalledLauncher : public Installed, public ::testing::WithParamInterface<const char*> {};

TEST_P(InstalledLauncher, StartsTheProgramInTheInstalledTextureFolder)
{
    const std::string prefix = install("prefix");
    ASSERT_NO_FATAL_FAILURE(launch(prefix + "/bin/" + GetParam()));
    expectProgramIn(prefix, GetParam(), prefix + "/share/okel/textures");
    // The walk-through says nothing when it finds all three of its pictures.
    EXPECT_EQ(outputOf(run), "");
}

INSTANTIATE_TEST_SUITE_P(Programs, InstalledLauncher, ::testing::Values("okel", "okelwalk"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

TEST_F(Installed, TextureFolderFromTheEnvironmentIsTheOneRead)
{
    const std::string prefix = install("prefix");
    // A folder of the user's own, named relative to where the launcher
    // starts, with only the picture for the word's blocks.
    const std::string pictures = makeFolder("elsewhere/my pictures");
    fs::current_path(pictures);
    writeSolidWalkTextures();
    fs::remove("corrigatedIronTexture.bmp");
    fs::remove("concrete.bmp");
    ASSERT_NO_FATAL_FAILURE(launch(prefix + "/bin/okelwalk", "my pictures"));
    expectProgramIn(prefix, "okelwalk", pictures);
    EXPECT_EQ(outputOf(run), "failed to load bitmap for wall texture\nfailed to load bitmap for ceiling texture\n");
}

TEST_F(Installed, MissingTextureFolderEndsTheLauncherWithStatusOne)
{
    const std::string prefix = install("prefix");
    run = startIn(elsewhere, {prefix + "/bin/okel"}, "/no such/folder");
    int status = -1;
    ASSERT_TRUE(waitForExit(run, START_TIMEOUT, status));
    EXPECT_EQ(status, 1);
    EXPECT_EQ(outputOf(run), "okel: texture folder '/no such/folder' does not exist\n");
}

TEST_F(Installed, ArgumentsReachTheProgramUnchanged)
{
    // GLUT's own option, with a space in its value: GLUT names the display
    // it could not open and ends the program with status 1.
    const std::string prefix = install("prefix");
    run = startIn(elsewhere, {prefix + "/bin/okel", "-display", "no such:7"});
    int status = -1;
    ASSERT_TRUE(waitForExit(run, START_TIMEOUT, status));
    EXPECT_EQ(status, 1);
    EXPECT_NE(outputOf(run).find("failed to open display 'no such:7'"), std::string::npos) << outputOf(run);
}

TEST_F(Installed, MovedPrefixWorksThroughALinkToItsLauncher)
{
    const std::string first = install("first");
    ASSERT_EQ(std::rename(first.c_str(), "moved"), 0);
    const std::string moved = fs::canonical("moved").string();
    fs::create_symlink(moved + "/bin/okelwalk", makeFolder("links") + "/okelwalk");
    ASSERT_NO_FATAL_FAILURE(launch(fs::absolute("links/okelwalk").string()));
    expectProgramIn(moved, "okelwalk", moved + "/share/okel/textures");
    EXPECT_EQ(outputOf(run), "");
}

TEST_F(Installed, UnpackedPackageRunsWhereItLies)
{
    const std::string package = packageFile();
    ASSERT_NE(package, "") << "no " << PACKAGE_PREFIX << "*.deb in " << BUILD_DIR;
    const std::string root = makeFolder("root");
    ASSERT_NO_FATAL_FAILURE(runCommand(root, {"/usr/bin/dpkg-deb", "-x", package, root}));
    ASSERT_NO_FATAL_FAILURE(launch(root + "/usr/bin/okelwalk"));
    expectProgramIn(root + "/usr", "okelwalk", root + "/usr/share/okel/textures");
    EXPECT_EQ(outputOf(run), "");
}

TEST_F(Installed, PrefixStagedAndPackagedInstallsGiveTheSameTree)
{
    const std::string prefix = install("prefix");
    const std::string staged = makeFolder("staged");
    setenv("DESTDIR", staged.c_str(), 1);
    runCommand(staged, {CMAKE_PROGRAM, "--install", BUILD_DIR, "--prefix", "/usr"});
    unsetenv("DESTDIR");
    const std::string root = makeFolder("root");
    ASSERT_NO_FATAL_FAILURE(runCommand(root, {"/usr/bin/dpkg-deb", "-x", packageFile(), root}));

    const std::set<std::string> tree = treeOf(prefix);
    EXPECT_EQ(treeOf(staged + "/usr"), tree);
    EXPECT_EQ(treeOf(root + "/usr"), tree);
    for (const char* entry : {"bin/okel *", "bin/okelwalk *", "libexec/okel/okel *", "libexec/okel/okelwalk *",
                              "share/okel/textures/earth1024.raw", "share/okel/textures/leopard.bmp",
                              "share/applications/okel.desktop", "share/applications/okelwalk.desktop",
                              "share/man/man6/okel.6.gz", "share/man/man6/okelwalk.6.gz",
                              "share/doc/okel/copyright", "share/doc/okel/changelog.gz"})
        EXPECT_EQ(tree.count(entry), 1u) << entry;
    int textures = 0;
    for (const std::string& entry : tree)
        textures += entry.rfind("share/okel/textures/", 0) == 0 && entry.back() != '/';
    EXPECT_EQ(textures, 13);
}

} // namespace
