// Pixel access, noise and seeded random numbers for texgen's pictures.
#include "texgen/paint.h"

#define STB_PERLIN_IMPLEMENTATION
#include <stb_perlin.h>

#include <cstddef>
#include <vector>

namespace {

unsigned char toByte(float v) { return static_cast<unsigned char>(std::lround(std::min(255.0f, std::max(0.0f, v)))); }

std::size_t pixelIndex(const TextureImage& picture, int x, int y)
{
    return (static_cast<std::size_t>(y) * picture.width + x) * 3;
}

int wrap(int v, int size) { return ((v % size) + size) % size; }

} // namespace

TextureImage makeTextureImage(int width, int height)
{
    return {width, height, std::vector<unsigned char>(static_cast<std::size_t>(width) * height * 3, 0)};
}

void setPixel(TextureImage& picture, int x, int y, Color c)
{
    const std::size_t i = pixelIndex(picture, x, y);
    picture.rgb[i] = toByte(c.r);
    picture.rgb[i + 1] = toByte(c.g);
    picture.rgb[i + 2] = toByte(c.b);
}

Color getPixel(const TextureImage& picture, int x, int y)
{
    const std::size_t i = pixelIndex(picture, x, y);
    return {float(picture.rgb[i]), float(picture.rgb[i + 1]), float(picture.rgb[i + 2])};
}

void paintWrapped(TextureImage& picture, int x, int y, Color c, float coverage)
{
    x = wrap(x, picture.width);
    y = wrap(y, picture.height);
    setPixel(picture, x, y, mix(getPixel(picture, x, y), c, clamp01(coverage)));
}

void addLightWrapped(TextureImage& picture, int x, int y, Color light)
{
    x = wrap(x, picture.width);
    y = wrap(y, picture.height);
    setPixel(picture, x, y, add(getPixel(picture, x, y), light));
}

// The offsets keep samples off the lattice points, where Perlin noise is
// always zero.
float tiledNoise(float u, float v, int cellsX, int cellsY, int seed)
{
    return stb_perlin_noise3_seed(u * cellsX + 0.37f, v * cellsY + 0.61f, 0.5f, cellsX, cellsY, 0, seed);
}

float tiledFbm(float u, float v, int cells, int octaves, int seed)
{
    float sum = 0.0f;
    float weight = 1.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * tiledNoise(u, v, cells, cells, seed + octave);
        cells = std::min(cells * 2, 256);
        weight *= 0.5f;
    }
    return sum;
}

float spaceFbm(Vec3 p, float frequency, float offset, int octaves)
{
    return stb_perlin_fbm_noise3(p.x * frequency + offset,
                                 p.y * frequency + offset * 0.7f,
                                 p.z * frequency + offset * 0.3f,
                                 2.0f,
                                 0.5f,
                                 octaves);
}

// 0 <= value < 1 from the top 24 bits of the engine's raw output, whose
// sequence the C++ standard fixes, so the pictures do not depend on the
// library (the standard distributions may differ between libraries).
float randomUnit(std::mt19937& rng) { return static_cast<float>(rng() >> 8) / 16777216.0f; }

float randomRange(std::mt19937& rng, float low, float high) { return low + (high - low) * randomUnit(rng); }
