// The letter-scene viewer's start-up state (scene.cpp's initGL), in a real
// OpenGL context.
#include <gtest/gtest.h>

#include <cstring>

#include "okel/scene.h"
#include "okel/textures.h"
#include "tests/okel/startedSceneFixture.h"
#include "tests/support/glWindow.h"

namespace {

// The state initGL leaves in the test window.
class Scene : public StartedScene {};

TEST_F(Scene, StartUpStateHoldsLightingDepthAndTexturing)
{
    GLfloat diffuse[4] = {};
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    EXPECT_FLOAT_EQ(diffuse[0], 0.7f);
    EXPECT_FLOAT_EQ(diffuse[1], 0.7f);
    EXPECT_FLOAT_EQ(diffuse[2], 0.7f);
    EXPECT_FLOAT_EQ(diffuse[3], 1.0f);
    GLfloat specular[4] = {};
    glGetLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    EXPECT_FLOAT_EQ(specular[0], 1.0f) << "other light parameters keep their defaults";
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
    EXPECT_EQ(texParameter(GL_TEXTURE_MIN_FILTER), GL_NEAREST);
    EXPECT_EQ(texParameter(GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    GLfloat clear[4] = {1, 1, 1, 0};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0] + clear[1] + clear[2], 0.0f);
    EXPECT_EQ(clear[3], 1.0f);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0) << "every texture lives in the default texture object";
}

} // namespace
