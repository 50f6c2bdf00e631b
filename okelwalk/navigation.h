// Navigation and animation of the room walk-through: the special keys walk,
// turn and tilt the head; the idle step circles the lamp; the reshape
// callbacks set the projections.
#pragma once

// Special-key callback of the top-level window and the 3D view; the pointer
// position is ignored. Every key, known or not, redraws the 3D view.
void specialKey(int key, int x, int y);

// Idle callback: moves the lamp half a degree along its orbit.
void animateLamp();

// Reshape callback of the 3D view and the top-level window: a perspective
// view in which the shorter side sees 90 degrees.
void reshapeView(int width, int height);

// Reshape callback of the help panel: a flat 300 x 100 projection.
void reshapeHelp(int width, int height);
