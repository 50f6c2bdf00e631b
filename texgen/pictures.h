// The procedural pictures texgen writes, one drawing function each, listed
// by family; the families share the painting helpers of paint.h.
//
// Every function fills a picture whose width, height and pixel buffer the
// caller has set up. The drawing is deterministic: noise comes from the fixed
// Perlin tables and random placement from generators with fixed seeds, so the
// same build writes the same bytes on every run. Pictures meant to cover
// surfaces repeat seamlessly across their edges.
#pragma once

#include <vector>

// An 8-bit RGB picture; rows one after another from the top row down,
// no padding.
struct TextureImage {
    int width;
    int height;
    std::vector<unsigned char> rgb;
};

// A black picture of the given size.
TextureImage makeTextureImage(int width, int height);

// A square 8-bit RGBA picture, size by size pixels; rows one after another
// from the top row down. Alpha 0 is transparent.
struct Icon {
    int size;
    std::vector<unsigned char> rgba;
};

// A fully transparent icon of the given size.
Icon makeIcon(int size);

// Surfaces (surfaces.cpp).
void drawBrushedMetal(TextureImage& picture);
void drawGingham(TextureImage& picture);
void drawBrickWall(TextureImage& picture);
void drawCrackleGlaze(TextureImage& picture);
void drawBlueSurface(TextureImage& picture);
void drawBrightWhite(TextureImage& picture);
void drawCorrugatedIron(TextureImage& picture);
void drawLeopard(TextureImage& picture);
void drawConcrete(TextureImage& picture);

// Sky, sun and planets (sky.cpp).
void drawStarField(TextureImage& picture);
void drawSunset(TextureImage& picture);
void drawEarth(TextureImage& picture);
void drawMoon(TextureImage& picture);

// The programs' application icons (icons.cpp), drawn for the icon's size.
void drawOkelIcon(Icon& icon);
void drawOkelwalkIcon(Icon& icon);
