// Working with windows on the X display as a person would.
#include "tools/xWindows.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

int passOverVanishedWindows(Display* display, XErrorEvent* error)
{
    if (error->error_code == BadWindow || error->error_code == BadDrawable || error->error_code == BadMatch)
        return 0;
    char text[256];
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "X error: %s (request %d)\n", text, error->request_code);
    std::exit(1);
}

} // namespace

Display* openDisplay(const char* name)
{
    XSetErrorHandler(passOverVanishedWindows);
    return XOpenDisplay(name);
}

Screenshot grabWindow(Display* display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return Screenshot();
    return grabArea(display, window, 0, 0, attributes.width, attributes.height);
}

Screenshot grabArea(Display* display, Window window, int x, int y, int width, int height)
{
    Screenshot picture;
    if (width <= 0 || height <= 0)
        return picture;
    XImage* image = XGetImage(
        display, window, x, y, static_cast<unsigned int>(width), static_cast<unsigned int>(height), AllPlanes, ZPixmap);
    if (!image)
        return picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            unsigned char* out = &picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3];
            out[0] = static_cast<unsigned char>((pixel & image->red_mask) >> 16);
            out[1] = static_cast<unsigned char>((pixel & image->green_mask) >> 8);
            out[2] = static_cast<unsigned char>(pixel & image->blue_mask);
        }
    XDestroyImage(image);
    return picture;
}

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout * OKEL_WAIT_FACTOR;
    for (;;) {
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

namespace {

Window searchByTitle(Display* display, Window window, const std::string& title)
{
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        const bool found = title == name;
        XFree(name);
        if (found)
            return window;
    }
    for (Window child : childrenOf(display, window))
        if (Window found = searchByTitle(display, child, title))
            return found;
    return 0;
}

} // namespace

std::vector<Window> childrenOf(Display* display, Window window)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> result;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        result.assign(children, children + count);
        if (children)
            XFree(children);
    }
    return result;
}

Window findWindowByTitle(Display* display, const std::string& title, std::chrono::milliseconds timeout)
{
    Window found = 0;
    waitUntil(
        [&] {
            found = searchByTitle(display, DefaultRootWindow(display), title);
            if (!found)
                return false;
            XWindowAttributes attributes;
            return XGetWindowAttributes(display, found, &attributes) && attributes.map_state == IsViewable;
        },
        timeout);
    return found;
}

WindowPlace placeOf(Display* display, Window window)
{
    WindowPlace place;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return place;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &place.x, &place.y, &child);
    place.width = attributes.width;
    place.height = attributes.height;
    return place;
}

void focusWindow(Display* display, Window window)
{
    XWarpPointer(display, None, window, 0, 0, 0, 0, 5, 5);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
}

void pressKey(Display* display, unsigned long keySym)
{
    const KeyCode code = XKeysymToKeycode(display, keySym);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XSync(display, False);
}

void clickButton(Display* display, Window window, unsigned int button, int x, int y)
{
    XWarpPointer(display, None, window, 0, 0, 0, 0, x, y);
    XSync(display, False);
    XTestFakeButtonEvent(display, button, True, CurrentTime);
    XTestFakeButtonEvent(display, button, False, CurrentTime);
    XSync(display, False);
}
