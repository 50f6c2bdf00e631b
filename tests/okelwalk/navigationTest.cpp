// Navigation of the room walk-through: what each special key and the idle
// step do to the scene state, and the projections the reshape callbacks set.
// The keys ask for a frame through redisplayView, so the test window stands
// in for the 3D view.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <functional>
#include <ostream>
#include <vector>

#include "okelwalk/navigation.h"
#include "okelwalk/walk.h"
#include "tests/support/glWindow.h"
#include "tests/support/walkTestScene.h"

namespace {

// The whole scene state the keys and the idle step may change.
struct WalkState {
#define MEMBER(type, name, start) type name;
    OKELWALK_SCENE_STATE(MEMBER)
#undef MEMBER
};

WalkState currentState()
{
#define CURRENT(type, name, start) name,
    return {OKELWALK_SCENE_STATE(CURRENT)};
#undef CURRENT
}

WalkState startState()
{
#define START_VALUE(type, name, start) start,
    return {OKELWALK_SCENE_STATE(START_VALUE)};
#undef START_VALUE
}

// Exact comparison: turns and tilts are whole and half degrees, which floats
// hold exactly.
bool operator==(const WalkState& a, const WalkState& b)
{
    bool same = true;
#define SAME(type, name, start) same = same && a.name == b.name;
    OKELWALK_SCENE_STATE(SAME)
#undef SAME
    return same;
}

std::ostream& operator<<(std::ostream& out, const WalkState& s)
{
    out.precision(9);
#define PRINT(type, name, start) out << " " #name " " << s.name;
    OKELWALK_SCENE_STATE(PRINT)
#undef PRINT
    return out;
}

// The head bobs 0.1 units at most, along the sine of its phase in degrees.
double bobAt(double phaseDegrees) { return 0.1 * std::sin(phaseDegrees * M_PI / 180.0); }

class Navigation : public ::testing::Test {
protected:
    void SetUp() override
    {
        openTestWindow(480, 400);
        viewWindow = glutGetWindow();
        resetWalkScene();
    }
    void TearDown() override { resetWalkScene(); }

    void press(int key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            specialKey(key, 0, 0);
    }
};

// A step is 0.05 units along the heading, (-sin h, -cos h) on the floor:
// straight on along -z at the start, a little to the left after one turn of
// 1.5 degrees left. Each step moves the head's bob 30 degrees on, or back.
TEST_F(Navigation, WalkingKeysStepAlongTheHeadingAndBobTheHead)
{
    struct Case {
        const char* name;
        std::vector<int> keys;
        double x, z, bobPhase;
    };
    const double turned = 1.5 * M_PI / 180.0;
    const Case cases[] = {
        {"up from the start", {GLUT_KEY_UP}, 0.0, 4.95, 30.0},
        {"left, then up", {GLUT_KEY_LEFT, GLUT_KEY_UP}, -0.05 * std::sin(turned), 5.0 - 0.05 * std::cos(turned), 30.0},
        {"down from the start", {GLUT_KEY_DOWN}, 0.0, 5.05, 359.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        resetWalkScene();
        for (int key : c.keys)
            press(key);
        EXPECT_NEAR(eyeX, c.x, 1e-6);
        EXPECT_NEAR(eyeZ, c.z, 1e-6);
        EXPECT_EQ(bobPhase, c.bobPhase);
        EXPECT_NEAR(bobHeight, bobAt(c.bobPhase), 1e-6);
        EXPECT_EQ(lampAngle, 0.0f);
        EXPECT_EQ(glutGetWindow(), viewWindow);
    }
}

// Sixty turns left face along -x; twenty steps then walk one unit that way.
TEST_F(Navigation, WalkingAfterAQuarterTurnMovesAcrossTheRoom)
{
    press(GLUT_KEY_LEFT, 60);
    EXPECT_FLOAT_EQ(heading, 90.0f);
    press(GLUT_KEY_UP, 20);
    EXPECT_NEAR(eyeX, -1.0, 1e-5);
    EXPECT_NEAR(eyeZ, startState().eyeZ, 1e-5);
    press(GLUT_KEY_DOWN, 40);
    EXPECT_NEAR(eyeX, 1.0, 1e-5);
    EXPECT_NEAR(eyeZ, startState().eyeZ, 1e-5);
}

TEST_F(Navigation, BobPhaseRunsThirtyDegreesAStepAndWrapsOncePerThirteenSteps)
{
    struct Case {
        const char* name;
        float start;
        int key;
        std::vector<float> phases; // after each press
    };
    const Case cases[] = {
        {"forwards from 0", 0.0f, GLUT_KEY_UP, {30, 60, 90, 120, 150, 180, 210, 240, 270, 300, 330, 360, 0, 30}},
        {"backwards from 0", 0.0f, GLUT_KEY_DOWN, {359, 329, 299, 269, 239, 209, 179, 149, 119, 89, 59, 29, -1, 359}},
        {"forwards from 29", 29.0f, GLUT_KEY_UP, {59}},
        {"backwards from 29", 29.0f, GLUT_KEY_DOWN, {-1, 359}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        resetWalkScene();
        bobPhase = c.start;
        for (size_t i = 0; i < c.phases.size(); ++i) {
            press(c.key);
            EXPECT_EQ(bobPhase, c.phases[i]) << "after press " << i + 1;
            EXPECT_NEAR(bobHeight, bobAt(c.phases[i]), 1e-6) << "after press " << i + 1;
        }
    }
}

TEST_F(Navigation, TurningAndTiltKeysChangeOnlyTheirAngle)
{
    struct Case {
        const char* name;
        int key;
        float heading, tilt; // after one press from the start
    };
    const Case cases[] = {
        {"right arrow turns right", GLUT_KEY_RIGHT, -1.5f, 0.0f},
        {"left arrow turns left", GLUT_KEY_LEFT, 1.5f, 0.0f},
        {"page down tilts down", GLUT_KEY_PAGE_DOWN, 0.0f, 1.0f},
        {"page up tilts up", GLUT_KEY_PAGE_UP, 0.0f, -1.0f},
        {"F1 does nothing", GLUT_KEY_F1, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        resetWalkScene();
        press(c.key);
        WalkState expected = startState();
        expected.heading = c.heading;
        expected.tilt = c.tilt;
        EXPECT_EQ(currentState(), expected);
        // Every key leaves the 3D view current.
        EXPECT_EQ(glutGetWindow(), viewWindow);
    }
}

TEST_F(Navigation, TiltIsNotClamped)
{
    press(GLUT_KEY_PAGE_UP, 90);
    EXPECT_EQ(tilt, -90.0f);
    press(GLUT_KEY_PAGE_UP);
    EXPECT_EQ(tilt, -91.0f);
}

int framesDrawn = 0;
void countFrame() { ++framesDrawn; }
void drawNothing() {}

TEST_F(Navigation, EveryKeyAndEveryLampStepAsksForANewFrame)
{
    struct Case {
        const char* name;
        std::function<void()> action;
        bool asksForFrame;
    };
    const Case cases[] = {
        {"nothing", [] {}, false},
        {"up arrow", [] { specialKey(GLUT_KEY_UP, 0, 0); }, true},
        {"down arrow", [] { specialKey(GLUT_KEY_DOWN, 0, 0); }, true},
        {"left arrow", [] { specialKey(GLUT_KEY_LEFT, 0, 0); }, true},
        {"right arrow", [] { specialKey(GLUT_KEY_RIGHT, 0, 0); }, true},
        {"page up", [] { specialKey(GLUT_KEY_PAGE_UP, 0, 0); }, true},
        {"page down", [] { specialKey(GLUT_KEY_PAGE_DOWN, 0, 0); }, true},
        {"F1", [] { specialKey(GLUT_KEY_F1, 0, 0); }, true},
        {"lamp step", [] { animateLamp(); }, true},
    };
    glutDisplayFunc(countFrame);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Let any frame still pending be drawn first.
        for (int i = 0; i < 3; ++i)
            glutMainLoopEvent();
        framesDrawn = 0;
        c.action();
        glutMainLoopEvent();
        EXPECT_EQ(framesDrawn > 0, c.asksForFrame);
    }
    glutDisplayFunc(drawNothing);
}

TEST_F(Navigation, LampMovesHalfADegreeAStepAndWrapsOnlyPastAFullTurn)
{
    for (int step = 1; step <= 720; ++step) {
        animateLamp();
        ASSERT_EQ(lampAngle, 0.5f * step) << "step " << step;
    }
    EXPECT_EQ(lampAngle, 360.0f);
    animateLamp();
    EXPECT_EQ(lampAngle, 0.5f);
    EXPECT_EQ(currentState().eyeZ, startState().eyeZ) << "the lamp step moves nothing else";
}

// ---------------------------------------------------------------------------
// Projections.

using Matrix = std::array<double, 16>; // column-major, as GL keeps it

Matrix frustumMatrix(double l, double r, double b, double t, double n, double f)
{
    Matrix m{};
    m[0] = 2 * n / (r - l);
    m[5] = 2 * n / (t - b);
    m[8] = (r + l) / (r - l);
    m[9] = (t + b) / (t - b);
    m[10] = -(f + n) / (f - n);
    m[11] = -1;
    m[14] = -2 * f * n / (f - n);
    return m;
}

Matrix orthoMatrix(double l, double r, double b, double t, double n, double f)
{
    Matrix m{};
    m[0] = 2 / (r - l);
    m[5] = 2 / (t - b);
    m[10] = -2 / (f - n);
    m[12] = -(r + l) / (r - l);
    m[13] = -(t + b) / (t - b);
    m[14] = -(f + n) / (f - n);
    m[15] = 1;
    return m;
}

Matrix glMatrix(GLenum which)
{
    GLfloat values[16];
    glGetFloatv(which, values);
    Matrix m;
    for (int i = 0; i < 16; ++i)
        m[i] = values[i];
    return m;
}

::testing::AssertionResult matricesNear(const Matrix& observed, const Matrix& expected, double tolerance = 1e-5)
{
    for (int i = 0; i < 16; ++i)
        if (!(std::abs(observed[i] - expected[i]) <= tolerance)) // also fails on NaN
            return ::testing::AssertionFailure()
                   << "element " << i << ": observed " << observed[i] << ", expected " << expected[i];
    return ::testing::AssertionSuccess();
}

GLint matrixMode()
{
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    return mode;
}

std::array<GLint, 4> viewport()
{
    std::array<GLint, 4> v{};
    glGetIntegerv(GL_VIEWPORT, v.data());
    return v;
}

// A modelview the reshape callbacks must leave alone.
void loadSomeModelview()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1.0f, 2.0f, 3.0f);
    glRotatef(30.0f, 0.0f, 1.0f, 0.0f);
}

TEST_F(Navigation, ViewProjectionSeesNinetyDegreesAcrossTheShorterSide)
{
    struct Case {
        int width, height;
        double halfWidth, halfHeight; // of the frustum at the near plane, 2
    };
    const Case cases[] = {{480, 400, 2.4, 2.0}, {400, 400, 2.0, 2.0}, {400, 480, 2.0, 2.4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height);
        loadSomeModelview();
        const Matrix modelview = glMatrix(GL_MODELVIEW_MATRIX);
        glMatrixMode(GL_PROJECTION);
        reshapeView(c.width, c.height);
        EXPECT_TRUE(matricesNear(glMatrix(GL_PROJECTION_MATRIX),
                                 frustumMatrix(-c.halfWidth, c.halfWidth, -c.halfHeight, c.halfHeight, 2, 40)));
        EXPECT_EQ(matrixMode(), GL_MODELVIEW);
        EXPECT_TRUE(matricesNear(glMatrix(GL_MODELVIEW_MATRIX), modelview, 0.0));
        EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, c.width, c.height}));
    }
    glLoadIdentity();
}

TEST_F(Navigation, ViewWithoutAreaKeepsItsLastProjection)
{
    reshapeView(480, 400);
    const Matrix before = glMatrix(GL_PROJECTION_MATRIX);
    const int sizes[][2] = {{0, 400}, {480, 0}, {0, 0}};
    for (const auto& size : sizes) {
        reshapeView(size[0], size[1]);
        EXPECT_TRUE(matricesNear(glMatrix(GL_PROJECTION_MATRIX), before, 0.0)) << size[0] << " x " << size[1];
    }
}

TEST_F(Navigation, HelpProjectionIsAFlat300By100AreaAndKeepsTheViewport)
{
    glViewport(5, 6, 70, 80);
    loadSomeModelview();
    const Matrix modelview = glMatrix(GL_MODELVIEW_MATRIX);
    glMatrixMode(GL_PROJECTION);
    reshapeHelp(480, 70);
    EXPECT_TRUE(matricesNear(glMatrix(GL_PROJECTION_MATRIX), orthoMatrix(0, 300, 0, 100, -1, 1)));
    EXPECT_EQ(matrixMode(), GL_MODELVIEW);
    EXPECT_TRUE(matricesNear(glMatrix(GL_MODELVIEW_MATRIX), modelview, 0.0));
    EXPECT_EQ(viewport(), (std::array<GLint, 4>{5, 6, 70, 80}));
    glLoadIdentity();
    glViewport(0, 0, 480, 400);
}

} // namespace
