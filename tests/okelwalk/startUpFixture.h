// The fixture of the walk-through's start-up tests: its one-time set-up, as
// main does it, in a real OpenGL context from the state a fresh context
// has, with the solid-colour files of walkTestScene in a scratch folder.
// The tests of the lists and lights (listsTest.cpp) and of the textures
// (texturesTest.cpp) share it; GoogleTest wants one class for all the tests
// of a suite, so it is not in an unnamed namespace.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "okelwalk/lists.h"
#include "okelwalk/textures.h"
#include "tests/support/files.h"
#include "tests/support/glWindow.h"
#include "tests/support/walkTestScene.h"

constexpr int WIDTH = 480;
constexpr int HEIGHT = 400;

inline const GLenum SWITCHED_CAPS[] = {GL_LIGHTING,
                                       GL_DEPTH_TEST,
                                       GL_NORMALIZE,
                                       GL_POINT_SMOOTH,
                                       GL_LINE_SMOOTH,
                                       GL_POLYGON_SMOOTH,
                                       GL_CULL_FACE,
                                       GL_TEXTURE_2D,
                                       GL_BLEND};

// Puts back what a fresh context has for everything these tests look at,
// since other tests of the process change it.
inline void freshContext()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glViewport(0, 0, WIDTH, HEIGHT);
    for (GLenum cap : SWITCHED_CAPS)
        glDisable(cap);
    GLint lights = 0;
    glGetIntegerv(GL_MAX_LIGHTS, &lights);
    for (GLint i = 0; i < lights; ++i)
        glDisable(static_cast<GLenum>(GL_LIGHT0 + i));
    glBindTexture(GL_TEXTURE_2D, 0);
}

class StartUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        openTestWindow(WIDTH, HEIGHT);
        freshContext();
        writeSolidWalkTextures();
        // The order of main.
        initLighting();
        initTextures();
        buildLists();
    }

    ScratchFolder folder;
};

inline GLint integer(GLenum name)
{
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}
