// Navigation and animation of the room walk-through.
//
// Keys:
//   up arrow     walk forwards one step, with a bob of the head
//   down arrow   walk backwards one step, with a bob of the head
//   left arrow   turn left 1.5 degrees
//   right arrow  turn right 1.5 degrees
//   page up      tilt the head up 1 degree
//   page down    tilt the head down 1 degree
// Nothing is clamped: the viewer may walk through glyphs and walls, and may
// tilt the head past the vertical.
#include "okelwalk/navigation.h"

#include <GL/freeglut.h>

#include <cmath>

#include "okelwalk/walk.h"

namespace {

// The state is float and the steps double: `x += STEP` adds in double
// precision and stores the sum back as a float.
constexpr double TURN_STEP = 1.5;
constexpr float WALK_STEP = 0.05f;
constexpr double TILT_STEP = 1.0;
constexpr double BOB_STEP = 30.0;
constexpr float BOB_LAST = 359.0f;
constexpr double BOB_FACTOR = 0.1;
constexpr double LAMP_STEP = 0.5;
constexpr double FULL_TURN = 360.0;

// The walking direction on the floor is (-sin h, 0, -cos h) for heading h;
// direction +1 walks forwards, -1 backwards.
void step(double direction)
{
    const double r = static_cast<double>(heading) * degToRad;
    eyeX -= direction * WALK_STEP * std::sin(r);
    eyeZ -= direction * WALK_STEP * std::cos(r);
}

void setBobHeight() { bobHeight = static_cast<float>(BOB_FACTOR * std::sin(static_cast<double>(bobPhase) * degToRad)); }

void bobForwards()
{
    if (bobPhase < BOB_LAST)
        bobPhase += BOB_STEP;
    else
        bobPhase = 0.0f;
    setBobHeight();
}

void bobBackwards()
{
    if (bobPhase > 1.0f)
        bobPhase -= BOB_STEP;
    else
        bobPhase = BOB_LAST;
    setBobHeight();
}

} // namespace

void specialKey(int key, int /*x*/, int /*y*/)
{
    if (key == GLUT_KEY_RIGHT)
        heading -= TURN_STEP;
    else if (key == GLUT_KEY_LEFT)
        heading += TURN_STEP;
    else if (key == GLUT_KEY_UP) {
        step(+1.0);
        bobForwards();
    } else if (key == GLUT_KEY_DOWN) {
        step(-1.0);
        bobBackwards();
    } else if (key == GLUT_KEY_PAGE_DOWN)
        tilt += TILT_STEP;
    else if (key == GLUT_KEY_PAGE_UP)
        tilt -= TILT_STEP;
    redisplayView();
}

void animateLamp()
{
    lampAngle += LAMP_STEP;
    if (lampAngle > FULL_TURN)
        lampAngle -= FULL_TURN;
    // GLUT does not choose a current window for the idle callback.
    redisplayView();
}

void reshapeView(int width, int height)
{
    glViewport(0, 0, width, height);
    // A window without area has no aspect ratio; its projection waits for
    // a real size.
    if (width <= 0 || height <= 0)
        return;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (width <= height) {
        const double ratio = static_cast<double>(height) / width;
        glFrustum(-2.0, 2.0, -2.0 * ratio, 2.0 * ratio, 2.0, 40.0);
    } else {
        const double ratio = static_cast<double>(width) / height;
        glFrustum(-2.0 * ratio, 2.0 * ratio, -2.0, 2.0, 2.0, 40.0);
    }
    glMatrixMode(GL_MODELVIEW);
}

void reshapeHelp(int /*width*/, int /*height*/)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, 300.0, 0.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
}
