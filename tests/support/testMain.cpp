// The main of every test program whose tests show windows. Under CTest each
// such test runs on a virtual display that no other test uses meanwhile
// (tests/CMakeLists.txt): CTest allots it one of the displays that the
// fixture started, by number, and the fixture's folder names each number's
// X display. The Wayland tests share weston's desktop, whose folder names
// the display weston runs on and its Xwayland's. Whatever DISPLAY said
// before, the test's windows open there, never on the user's desktop. Run
// by hand, outside CTest, a test program uses the display DISPLAY names.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

namespace {

// The first line of a file of the fixture's folder; empty if there is none.
std::string firstLine(const std::string& path)
{
    std::string line;
    std::ifstream file(path);
    std::getline(file, line);
    return line;
}

// The id of the display that CTest allots this test: its resource group
// "displays" reads "id:3,slots:1". Empty without one.
std::string allottedDisplay()
{
    const char* count = std::getenv("CTEST_RESOURCE_GROUP_COUNT");
    for (int group = 0; count && group < std::atoi(count); ++group) {
        const std::string prefix = "CTEST_RESOURCE_GROUP_" + std::to_string(group);
        const char* type = std::getenv(prefix.c_str());
        const char* allotted = std::getenv((prefix + "_DISPLAYS").c_str());
        if (!type || std::string(type) != "displays" || !allotted)
            continue;
        const std::string text = allotted;
        if (text.rfind("id:", 0) == 0)
            return text.substr(3, text.find(',') - 3);
    }
    return "";
}

// Points DISPLAY (and for the Wayland tests OKEL_WAYLAND_DISPLAY) at the
// test's displays; false, saying why, if CTest gave it none.
bool useTestDisplays()
{
    if (const char* weston = std::getenv("OKEL_WESTON_FOLDER")) {
        const std::string display = firstLine(std::string(weston) + "/0");
        const std::string xwayland = firstLine(std::string(weston) + "/xwayland");
        if (display.empty() || xwayland.empty()) {
            std::cerr << "No weston desktop in " << weston << ": its fixture (westonDesktop.start) did not run\n";
            return false;
        }
        setenv("DISPLAY", display.c_str(), 1);
        setenv("OKEL_WAYLAND_DISPLAY", xwayland.c_str(), 1);
        return true;
    }
    const char* folder = std::getenv("OKEL_DISPLAYS_FOLDER");
    if (!folder)
        return true;
    const std::string id = allottedDisplay();
    const std::string display = id.empty() ? "" : firstLine(std::string(folder) + "/" + id);
    if (display.empty()) {
        std::cerr << "No virtual display allotted to this test: run it with ctest, which allots each test that "
                     "shows windows a display of the fixture testDisplays (resource \"displays\")\n";
        return false;
    }
    setenv("DISPLAY", display.c_str(), 1);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!GTEST_FLAG_GET(list_tests) && !useTestDisplays())
        return 1;
    return RUN_ALL_TESTS();
}
