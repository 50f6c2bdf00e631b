// Painting helpers shared by texgen's pictures: colours and vectors, pixel
// access, noise that tiles across a picture or covers a sphere, and random
// numbers from seeded generators.
//
// Colours are worked in floating point, 0..255 per channel, and rounded into
// the picture when a pixel is set.
#pragma once

#include "texgen/pictures.h"

#include <stb_perlin.h>

#include <algorithm>
#include <cmath>
#include <random>

constexpr float PI = 3.14159265f;

struct Color {
    float r, g, b;
};

struct Vec3 {
    float x, y, z;
};

inline Color mix(Color a, Color b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline Color scale(Color c, float factor) { return {c.r * factor, c.g * factor, c.b * factor}; }

inline Color add(Color a, Color b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

inline float clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

inline float smoothstep(float edge0, float edge1, float v)
{
    const float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

inline float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline Vec3 normalize(Vec3 v)
{
    const float length = std::sqrt(dot(v, v));
    return {v.x / length, v.y / length, v.z / length};
}

// Centre of pixel (x, y) as fractions 0..1 of the picture.
inline float centreU(const TextureImage& picture, int x) { return (x + 0.5f) / picture.width; }

inline float centreV(const TextureImage& picture, int y) { return (y + 0.5f) / picture.height; }

// Pixels are rounded to bytes and clamped to 0..255 as they are set.
void setPixel(TextureImage& picture, int x, int y, Color c);
Color getPixel(const TextureImage& picture, int x, int y);

// Blends a colour over a pixel with the given coverage; coordinates wrap
// around the edges so that shapes crossing an edge continue on the other side.
void paintWrapped(TextureImage& picture, int x, int y, Color c, float coverage);

// Adds light to a pixel, with coordinates wrapping around the edges.
void addLightWrapped(TextureImage& picture, int x, int y, Color light);

// Perlin noise, about -1..1, that repeats across the picture: u and v run
// from 0 to 1 over the picture, which holds cellsX by cellsY noise cells
// (powers of two, at most 256).
float tiledNoise(float u, float v, int cellsX, int cellsY, int seed);

// Octaves of tiledNoise, each with twice the cells and half the weight of
// the one before.
float tiledFbm(float u, float v, int cells, int octaves, int seed);

// Fractal noise over 3D space, for pictures of spheres; the offset picks an
// unrelated region of the noise for each use.
float spaceFbm(Vec3 p, float frequency, float offset, int octaves);

// 0 <= value < 1, the same sequence from the same seed with every library.
float randomUnit(std::mt19937& rng);
float randomRange(std::mt19937& rng, float low, float high);
