// windowShot TITLE OUTPUT.png [SECONDS [KEYS]]: waits for the window with the
// exact title, presses the given keys in it one after another (letters and
// digits, as a person would type them), lets the program draw for the given
// time (3 seconds by default), and writes what the window shows as a PNG.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "tools/xWindows.h"

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: %s TITLE OUTPUT.png [SECONDS [KEYS]]\n", argv[0]);
        return 2;
    }
    const double seconds = argc > 3 ? std::atof(argv[3]) : 3.0;
    const char* keys = argc > 4 ? argv[4] : "";
    Display* display = openDisplay();
    if (!display) {
        std::fprintf(stderr, "windowShot: cannot open the X display\n");
        return 1;
    }
    const Window window = findWindowByTitle(display, argv[1], std::chrono::seconds(30));
    if (!window) {
        std::fprintf(stderr, "windowShot: no window titled \"%s\" appeared\n", argv[1]);
        return 1;
    }
    if (*keys)
        focusWindow(display, window);
    // Latin-1 characters are their own X key symbols.
    for (const char* key = keys; *key; ++key)
        pressKey(display, static_cast<unsigned char>(*key));
    std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<long>(seconds * 1000)));
    if (!savePng(grabWindow(display, window), argv[2])) {
        std::fprintf(stderr, "windowShot: cannot write %s\n", argv[2]);
        return 1;
    }
    XCloseDisplay(display);
    return 0;
}
