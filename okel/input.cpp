// Input and animation of the letter-scene viewer.
//
// Keys (lower case only; every other key does nothing):
//   Escape   end the program (exit status 1)
//   q w e r  next texture for glyph position 1, 2, 3, 4 (slots 0..9, then 0)
//   t        teapot glyphs / block glyphs
//   f        triple size / normal size of the scene
//   s        pause / restart the backdrop spin
//   i k      camera up / down on the screen (stops the vertical sweep)
//   j l      camera left / right on the screen (stops the horizontal sweep)
//   z x c    step the z, x, y component of the teapot rotation axis
//            (adds 0.1; past 1.0 it starts again at -1.0)
// Mouse:
//   left button   pause the spin; start / stop the horizontal camera sweep
//   right button  pause the spin; start / stop the vertical camera sweep
//
// The camera moves by 20 for each key press and each idle step of a sweep.
// When a coordinate passes CAMERA_RANGE/2 the camera changes to the other
// side of the scene and is held at the limit.
#include "okel/input.h"

#include <GL/freeglut.h>

#include <cstdlib>

#include "okel/scene.h"

namespace {

constexpr float CAMERA_STEP = 20.0f;
constexpr int CAMERA_LIMIT = CAMERA_RANGE / 2;
constexpr unsigned char KEY_ESCAPE = 27;

// Slots run 0, 1, ..., 9 and then 0 again.
void stepSlot(float& slot)
{
    if (slot < 9)
        slot = slot + 1;
    else
        slot = 0;
}

// Axis components run from -1.0 up in steps of 0.1 until they pass 1.0; the
// sum is taken in double precision and stored as a float.
void stepAxis(float& value)
{
    if (value > 1.0)
        value = -1.0f;
    else
        value += 0.1;
}

// Moves the camera one step along x as seen on the screen: the direction
// follows the side of the scene the camera is on.
void moveCameraX(float direction)
{
    if (cameraZ > 0)
        cameraX += direction * CAMERA_STEP;
    else if (cameraZ < 0)
        cameraX -= direction * CAMERA_STEP;
}

// Moves the camera one step along y as seen on the screen: the direction
// follows the up vector.
void moveCameraY(float direction)
{
    if (upSign > 0)
        cameraY += direction * CAMERA_STEP;
    else if (upSign < 0)
        cameraY -= direction * CAMERA_STEP;
}

float clampToLimit(float value)
{
    if (value < -CAMERA_LIMIT)
        return -CAMERA_LIMIT;
    if (value > CAMERA_LIMIT)
        return CAMERA_LIMIT;
    return value;
}

} // namespace

void keyPressed(unsigned char key, int /*x*/, int /*y*/)
{
    switch (key) {
    case KEY_ESCAPE: std::exit(1);
    case 'c': stepAxis(teay); break;
    case 'e': stepSlot(glyphSlot3); break;
    case 'f': bigScale = bigScale ? 0 : 1; break;
    case 'i':
        moveCameraY(+1);
        sweepY = 0;
        break;
    case 'j':
        moveCameraX(-1);
        sweepX = 0;
        break;
    case 'k':
        moveCameraY(-1);
        sweepY = 0;
        break;
    case 'l':
        moveCameraX(+1);
        sweepX = 0;
        break;
    case 'q': stepSlot(glyphSlot1); break;
    case 'r': stepSlot(glyphSlot4); break;
    case 's': spinPaused = spinPaused ? 0 : 1; break;
    case 't': teapotMode = teapotMode ? 0 : 1; break;
    case 'w': stepSlot(glyphSlot2); break;
    case 'x': stepAxis(teax); break;
    case 'z': stepAxis(teaz); break;
    default: break;
    }
}

void mouseButton(int button, int state, int /*x*/, int /*y*/)
{
    if (state != GLUT_DOWN)
        return;
    if (button == GLUT_LEFT_BUTTON) {
        spinPaused = 1;
        sweepX = sweepX == 1 ? 0 : 1;
    } else if (button == GLUT_RIGHT_BUTTON) {
        spinPaused = 1;
        sweepY = sweepY == 1 ? 0 : 1;
    }
}

void animateScene()
{
    if (spinPaused == 0)
        spinAngle += 1.0f;
    teapotAngle += 2.0f;

    if (sweepX != 0)
        moveCameraX(+1);
    if (sweepY != 0)
        moveCameraY(+1);

    // Passing the limit sends the camera to the other side of the scene;
    // passing it vertically also turns the picture upside down. The test is
    // on the whole part of the value, before the clamp.
    const int ax = std::abs(static_cast<int>(cameraX));
    const int ay = std::abs(static_cast<int>(cameraY));
    if (ax > CAMERA_LIMIT || ay > CAMERA_LIMIT)
        cameraZ *= -1;
    if (ay > CAMERA_LIMIT)
        upSign = -upSign;

    cameraY = clampToLimit(cameraY);
    cameraX = clampToLimit(cameraX);
}

void reshapeScene(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
