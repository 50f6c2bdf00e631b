// The frames of the room walk-through's three windows: the 3D view of the
// room, the help panel and the grey top-level window around them.
#pragma once

// Size of the buffer a bitmap text is formatted into; longer texts are cut.
constexpr int BITMAP_TEXT_SIZE = 256;

// One frame of the 3D view: the viewer's transform, the lamp with the light
// it carries, the nine glyph blocks, the floor, the four walls and the
// ceiling.
void drawView();

// The help panel: three green lines of key help on dark grey.
void drawHelp();

// The top-level window: plain grey, seen as the frame around the panels.
void drawMainWindow();

// Formats a text as printf does and draws it in a GLUT bitmap font from the
// raster position (x, y).
void drawBitmapText(void* font, float x, float y, const char* format, ...) __attribute__((format(printf, 4, 5)));
