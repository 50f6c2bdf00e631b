// Keys, mouse buttons and the idle step of the letter-scene viewer.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "okel/input.h"
#include "okel/scene.h"
#include "tests/support/glWindow.h"
#include "tests/support/okelTestScene.h"
#include "tests/support/processes.h"

namespace {

class Input : public ::testing::Test {
protected:
    void SetUp() override { resetScene(); }

    void press(unsigned char key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            keyPressed(key, 123, 45);
    }

    void idle(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            animateScene();
    }
};

// Everything a key may write, to compare before and after: every variable
// of the scene state.
struct SceneState {
#define MEMBER(type, name, start) type name;
    OKEL_SCENE_STATE(MEMBER)
#undef MEMBER
};

SceneState captureScene()
{
#define CAPTURE(type, name, start) name,
    return {OKEL_SCENE_STATE(CAPTURE)};
#undef CAPTURE
}

// The same if every variable holds the same bits; otherwise names those that
// differ.
::testing::AssertionResult sameScene(const SceneState& actual, const SceneState& expected)
{
    std::string differ;
#define COMPARE(type, name, start)                                                                                     \
    if (std::memcmp(&actual.name, &expected.name, sizeof actual.name) != 0)                                            \
        differ += " " #name;
    OKEL_SCENE_STATE(COMPARE)
#undef COMPARE
    if (differ.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "differs in" << differ;
}

TEST_F(Input, EachKeyChangesOnlyItsOwnState)
{
    struct KeyCase {
        unsigned char key;
        std::function<void(SceneState&)> expect;
    };
    const KeyCase cases[] = {
        {'c', [](SceneState& s) { s.teay = static_cast<float>(1.0 + 0.1); }},
        {'e', [](SceneState& s) { s.glyphSlot3 = 3; }},
        {'f', [](SceneState& s) { s.bigScale = 1; }},
        {'i', [](SceneState& s) { s.cameraY = 20; }},
        {'j', [](SceneState& s) { s.cameraX = -20; }},
        {'k', [](SceneState& s) { s.cameraY = -20; }},
        {'l', [](SceneState& s) { s.cameraX = 20; }},
        {'q', [](SceneState& s) { s.glyphSlot1 = 1; }},
        {'r', [](SceneState& s) { s.glyphSlot4 = 4; }},
        {'s', [](SceneState& s) { s.spinPaused = 1; }},
        {'t', [](SceneState& s) { s.teapotMode = 1; }},
        {'w', [](SceneState& s) { s.glyphSlot2 = 2; }},
        {'x', [](SceneState& s) { s.teax = static_cast<float>(0.0 + 0.1); }},
        {'z', [](SceneState& s) { s.teaz = static_cast<float>(0.0 + 0.1); }},
    };
    for (const KeyCase& c : cases) {
        resetScene();
        SceneState expected = captureScene();
        c.expect(expected);
        press(c.key);
        EXPECT_TRUE(sameScene(captureScene(), expected)) << "key '" << c.key << "'";
    }
}

TEST_F(Input, ToggleKeysSwitchBackOnTheSecondPress)
{
    press('f', 2);
    press('s', 2);
    press('t', 2);
    EXPECT_EQ(bigScale, 0);
    EXPECT_EQ(spinPaused, 0);
    EXPECT_EQ(teapotMode, 0);
}

TEST_F(Input, UpperCaseLettersAndOtherKeysDoNothing)
{
    const SceneState start = captureScene();
    for (int key = 0; key < 256; ++key) {
        if (key == 27 || (key != 0 && std::strchr("cefijklqrstwxz", key)))
            continue;
        press(static_cast<unsigned char>(key));
        ASSERT_TRUE(sameScene(captureScene(), start)) << "key " << key;
    }
}

TEST_F(Input, EscapeEndsTheProgramWithStatusOne)
{
    // The child runs this test alone, in a process of its own started from
    // this test program's file. Under an emulator the kernel cannot start
    // that file, so the child is a fork of this process instead, which this
    // test then has to itself: no GL context, no renderer threads.
    GTEST_FLAG_SET(death_test_style, programEmulator.empty() ? "threadsafe" : "fast");
    EXPECT_EXIT(press(27), ::testing::ExitedWithCode(1), "");
}

TEST_F(Input, SlotKeysCycleThroughTenSlots)
{
    press('q', 10);
    EXPECT_EQ(glyphSlot1, 0.0f);
    std::vector<float> seen;
    for (int i = 0; i < 8; ++i) {
        press('e');
        seen.push_back(glyphSlot3);
    }
    EXPECT_EQ(seen, (std::vector<float>{3, 4, 5, 6, 7, 8, 9, 0}));
    press('w', 9);
    EXPECT_EQ(glyphSlot2, 0.0f);
    press('r', 6);
    EXPECT_EQ(glyphSlot4, 9.0f);
}

TEST_F(Input, AxisStepsAddATenthInDoublePrecisionAndWrapPastOne)
{
    press('x', 10);
    EXPECT_EQ(teax, 1.00000012f);
    EXPECT_GT(teax, 1.0f);
    press('x');
    EXPECT_EQ(teax, -1.0f);

    press('c');
    EXPECT_EQ(teay, static_cast<float>(1.0 + 0.1));
    press('c');
    EXPECT_EQ(teay, -1.0f);

    // From -1.0 a whole cycle takes 21 presses and never reaches zero.
    teaz = -1.0f;
    bool passedNearZero = false;
    for (int i = 1; i <= 21; ++i) {
        press('z');
        EXPECT_NE(teaz, 0.0f);
        if (teaz == 7.30156913e-08f)
            passedNearZero = true;
        if (i < 21) {
            EXPECT_NE(teaz, -1.0f) << "press " << i;
        }
    }
    EXPECT_EQ(teaz, -1.0f);
    EXPECT_TRUE(passedNearZero);
}

TEST_F(Input, CameraKeysFollowTheCameraSideAndTheUpVector)
{
    cameraZ = -50;
    press('j');
    EXPECT_EQ(cameraX, 20.0f);
    press('l', 2);
    EXPECT_EQ(cameraX, -20.0f);
    upSign = -1;
    press('i');
    EXPECT_EQ(cameraY, -20.0f);
    press('k', 2);
    EXPECT_EQ(cameraY, 20.0f);
}

TEST_F(Input, CameraKeysStopTheirSweep)
{
    sweepX = sweepY = 1;
    press('i');
    EXPECT_EQ(sweepY, 0);
    EXPECT_EQ(sweepX, 1);
    press('k');
    sweepY = 1;
    press('l');
    EXPECT_EQ(sweepX, 0);
    EXPECT_EQ(sweepY, 1);
    sweepX = 1;
    press('j');
    EXPECT_EQ(sweepX, 0);
}

TEST_F(Input, MouseButtonsPauseTheSpinAndToggleTheSweeps)
{
    mouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
    EXPECT_EQ(spinPaused, 1);
    EXPECT_EQ(sweepX, 1);
    mouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
    EXPECT_EQ(sweepX, 0);
    EXPECT_EQ(spinPaused, 1) << "only the key s restarts the spin";
    mouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
    EXPECT_EQ(sweepX, 1) << "a second press starts the sweep again";
    EXPECT_EQ(spinPaused, 1);

    spinPaused = 0;
    mouseButton(GLUT_RIGHT_BUTTON, GLUT_DOWN, 0, 0);
    EXPECT_EQ(spinPaused, 1);
    EXPECT_EQ(sweepY, 1);
    EXPECT_EQ(sweepX, 1);

    const SceneState before = captureScene();
    mouseButton(GLUT_LEFT_BUTTON, GLUT_UP, 0, 0);
    mouseButton(GLUT_RIGHT_BUTTON, GLUT_UP, 0, 0);
    mouseButton(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 0, 0);
    mouseButton(3, GLUT_DOWN, 0, 0); // wheel
    EXPECT_TRUE(sameScene(captureScene(), before));
}

TEST_F(Input, IdleSpinsTheBackdropUnlessPausedAndAlwaysTurnsTheTeapots)
{
    idle(3);
    EXPECT_EQ(spinAngle, 3.0f);
    EXPECT_EQ(teapotAngle, 6.0f);
    press('s');
    idle(2);
    EXPECT_EQ(spinAngle, 3.0f);
    EXPECT_EQ(teapotAngle, 10.0f);
}

TEST_F(Input, HorizontalSweepChangesSideAtTheLimitAndIsClamped)
{
    sweepX = 1;
    for (int step = 1; step <= 12; ++step) {
        idle();
        ASSERT_EQ(cameraX, 20.0f * step);
        ASSERT_EQ(cameraZ, 50.0f);
    }
    idle(); // 260 passes the limit
    EXPECT_EQ(cameraZ, -50.0f);
    EXPECT_EQ(cameraX, 256.0f);
    EXPECT_EQ(upSign, 1);
    idle();
    EXPECT_EQ(cameraX, 236.0f);
    idle(24);
    EXPECT_EQ(cameraX, -244.0f);
    EXPECT_EQ(cameraZ, -50.0f);
    idle(); // -264 passes the limit
    EXPECT_EQ(cameraZ, 50.0f);
    EXPECT_EQ(cameraX, -256.0f);
    idle();
    EXPECT_EQ(cameraX, -236.0f);
}

TEST_F(Input, VerticalSweepAlsoTurnsTheUpVector)
{
    sweepY = 1;
    idle(12);
    EXPECT_EQ(cameraY, 240.0f);
    idle();
    EXPECT_EQ(cameraY, 256.0f);
    EXPECT_EQ(cameraZ, -50.0f);
    EXPECT_EQ(upSign, -1);
    idle();
    EXPECT_EQ(cameraY, 236.0f) << "the sweep now runs the other way";
    idle(25);
    EXPECT_EQ(cameraY, -256.0f);
    EXPECT_EQ(cameraZ, 50.0f);
    EXPECT_EQ(upSign, 1);
}

TEST_F(Input, BothCoordinatesPassingTogetherChangeSideOnce)
{
    cameraX = 250;
    cameraY = 250;
    sweepX = sweepY = 1;
    idle();
    EXPECT_EQ(cameraZ, -50.0f);
    EXPECT_EQ(upSign, -1);
    EXPECT_EQ(cameraX, 256.0f);
    EXPECT_EQ(cameraY, 256.0f);
}

TEST_F(Input, KeysPastTheLimitWaitForTheNextIdleStep)
{
    press('l', 13);
    EXPECT_EQ(cameraX, 260.0f);
    EXPECT_EQ(cameraZ, 50.0f);
    idle();
    EXPECT_EQ(cameraZ, -50.0f);
    EXPECT_EQ(cameraX, 256.0f);
    press('l');
    EXPECT_EQ(cameraX, 236.0f);
}

TEST_F(Input, ExactlyTheLimitAndFractionsBelowItDoNotBounce)
{
    cameraX = 256.0f;
    cameraY = -256.9f; // truncates to 256
    idle();
    EXPECT_EQ(cameraZ, 50.0f);
    EXPECT_EQ(upSign, 1);
    EXPECT_EQ(cameraY, -256.0f) << "but the clamp still holds it";
}

TEST_F(Input, ReshapeSetsTheViewportAndAnIdentityModelview)
{
    openTestWindow(1024, 768);
    glMatrixMode(GL_PROJECTION);
    glTranslatef(1, 2, 3);
    reshapeScene(300, 200);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, 300, 200}));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(matrix[i], i % 5 == 0 ? 1.0f : 0.0f);
    reshapeScene(1024, 768);
}

} // namespace
