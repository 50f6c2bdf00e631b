// A real OpenGL context for tests.
#include "tests/support/glWindow.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>

#include "tools/xWindows.h"

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

GLint texParameter(GLenum name)
{
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}
