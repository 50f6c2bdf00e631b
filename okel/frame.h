// The frame of the letter-scene viewer and its stroke-font text.
#pragma once

// The two status lines, filled in with the camera position and the teapot
// rotation axis.
constexpr const char* CAMERA_FORMAT = "camera x : %3.1f   camera y : %3.1f     camera z : %3.0f";
constexpr const char* AXIS_FORMAT = "rotate teaz : %3.1f  rotate teax : %3.1f  rotate teay : %3.1f";

// The display callback: draws the word (blocks or teapots) with each
// position's texture, the spinning backdrop with its sphere clusters and
// moon, and the two status lines; then asks for the next frame at once and
// swaps the buffers.
void drawScene();

// Draws a string of printable characters in the stroke font at the current
// origin. The 256 character lists are built on the first call and reused.
void drawStrokeText(const char* text);
