// A real OpenGL context for tests.
#include "tests/support/glWindow.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "tests/support/xDisplay.h"

namespace {

int testWindow = 0;

void drawNothing() {}

} // namespace

void openTestWindow(int width, int height)
{
    if (testWindow == 0) {
        int argc = 1;
        char name[] = "test";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
        glutInitWindowSize(width, height);
        // A window reaching past the screen's edge cannot be read back.
        glutInitWindowPosition(0, 0);
        testWindow = glutCreateWindow("test window");
        glutDisplayFunc(drawNothing);
        Display* display = glXGetCurrentDisplay();
        const Window window = glXGetCurrentDrawable();
        waitUntil(
            [&] {
                glutMainLoopEvent();
                XWindowAttributes attributes;
                XGetWindowAttributes(display, window, &attributes);
                return attributes.map_state == IsViewable;
            },
            std::chrono::seconds(10));
    }
    glutSetWindow(testWindow);
}

Screenshot readBackBuffer()
{
    const int width = glutGet(GLUT_WINDOW_WIDTH);
    const int height = glutGet(GLUT_WINDOW_HEIGHT);
    std::vector<unsigned char> bottomUp(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    Screenshot picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(bottomUp.size());
    const size_t row = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y)
        std::copy_n(&bottomUp[(height - 1 - y) * row], row, &picture.rgb[y * row]);
    return picture;
}

bool rendererHas(const char* name)
{
    const GLubyte* renderer = glGetString(GL_RENDERER);
    return renderer && std::strstr(reinterpret_cast<const char*>(renderer), name);
}

std::vector<unsigned char> readTextureImage(int level, int& width, int& height)
{
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
    std::vector<unsigned char> image(static_cast<size_t>(width) * height * 3);
    if (!image.empty()) {
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGB, GL_UNSIGNED_BYTE, image.data());
    }
    return image;
}

ScratchFolder::ScratchFolder()
{
    previous = std::filesystem::current_path().string();
    std::string pattern = (std::filesystem::temp_directory_path() / "okel-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        ADD_FAILURE() << "cannot make a scratch folder";
    path = pattern;
    std::filesystem::current_path(path);
}

ScratchFolder::~ScratchFolder()
{
    std::filesystem::current_path(previous);
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void writeFile(const std::string& name, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        ADD_FAILURE() << "cannot write " << name;
}

void makeNamedPipe(const std::string& name, bool held)
{
    if (mkfifo(name.c_str(), 0600) != 0)
        ADD_FAILURE() << "cannot make the named pipe " << name;
    // Opening for reading and writing at once never waits; the descriptor
    // is never closed.
    else if (held && open(name.c_str(), O_RDWR | O_CLOEXEC) < 0)
        ADD_FAILURE() << "cannot hold the named pipe " << name << " open";
}

std::vector<unsigned char> solidRaw(int width, int height, unsigned char r, unsigned char g, unsigned char b)
{
    std::vector<unsigned char> bytes(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        bytes[i] = r;
        bytes[i + 1] = g;
        bytes[i + 2] = b;
    }
    return bytes;
}
