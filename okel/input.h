// Input and animation of the letter-scene viewer: the keyboard, mouse, idle
// and reshape callbacks. They are the writers of the scene state.
#pragma once

// Keyboard callback; the pointer position is ignored.
void keyPressed(unsigned char key, int x, int y);

// Mouse callback; the pointer position is ignored.
void mouseButton(int button, int state, int x, int y);

// Idle callback: one step of the spin, the teapots and the camera sweeps,
// then the bounce at the camera's limit and the clamp.
void animateScene();

// Reshape callback: the view box is stretched over the whole window.
void reshapeScene(int width, int height);
