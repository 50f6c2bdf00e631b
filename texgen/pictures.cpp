// The procedural pictures texgen writes.
//
// Colours are worked in floating point, 0..255 per channel, and rounded into
// the picture at the end. Surface textures (metal, cloth, wall, glaze, iron,
// fur, concrete) use noise and placement that wrap at the picture's edges,
// so they tile without seams.
#include "pictures.h"

#define STB_PERLIN_IMPLEMENTATION
#include <stb_perlin.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <random>

namespace {

constexpr float PI = 3.14159265f;

struct Color {
    float r, g, b;
};

struct Vec3 {
    float x, y, z;
};

Color mix(Color a, Color b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Color scale(Color c, float factor)
{
    return {c.r * factor, c.g * factor, c.b * factor};
}

Color add(Color a, Color b)
{
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}

float clamp01(float v)
{
    return std::min(1.0f, std::max(0.0f, v));
}

float smoothstep(float edge0, float edge1, float v)
{
    const float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

float dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 normalize(Vec3 v)
{
    const float length = std::sqrt(dot(v, v));
    return {v.x / length, v.y / length, v.z / length};
}

unsigned char toByte(float v)
{
    return static_cast<unsigned char>(std::lround(std::min(255.0f, std::max(0.0f, v))));
}

std::size_t pixelIndex(const Picture& picture, int x, int y)
{
    return (static_cast<std::size_t>(y) * picture.width + x) * 3;
}

void setPixel(Picture& picture, int x, int y, Color c)
{
    const std::size_t i = pixelIndex(picture, x, y);
    picture.rgb[i] = toByte(c.r);
    picture.rgb[i + 1] = toByte(c.g);
    picture.rgb[i + 2] = toByte(c.b);
}

Color getPixel(const Picture& picture, int x, int y)
{
    const std::size_t i = pixelIndex(picture, x, y);
    return {float(picture.rgb[i]), float(picture.rgb[i + 1]), float(picture.rgb[i + 2])};
}

int wrap(int v, int size)
{
    return ((v % size) + size) % size;
}

// Blends a colour over a pixel with the given coverage; coordinates wrap
// around the edges so that shapes crossing an edge continue on the other side.
void paintWrapped(Picture& picture, int x, int y, Color c, float coverage)
{
    x = wrap(x, picture.width);
    y = wrap(y, picture.height);
    setPixel(picture, x, y, mix(getPixel(picture, x, y), c, clamp01(coverage)));
}

void addLightWrapped(Picture& picture, int x, int y, Color light)
{
    x = wrap(x, picture.width);
    y = wrap(y, picture.height);
    setPixel(picture, x, y, add(getPixel(picture, x, y), light));
}

// Shortest distance between two coordinates on a ring of the given size.
float wrappedDelta(float a, float b, float size)
{
    const float d = std::fabs(a - b);
    return std::min(d, size - d);
}

// Perlin noise, about -1..1, that repeats across the picture: u and v run
// from 0 to 1 over the picture, which holds cellsX by cellsY noise cells
// (powers of two, at most 256). The offsets keep samples off the lattice
// points, where Perlin noise is always zero.
float tiledNoise(float u, float v, int cellsX, int cellsY, int seed)
{
    return stb_perlin_noise3_seed(u * cellsX + 0.37f, v * cellsY + 0.61f, 0.5f, cellsX, cellsY, 0, seed);
}

// Octaves of tiledNoise, each with twice the cells and half the weight of
// the one before.
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

// Fractal noise over 3D space, for pictures of spheres; the offset picks an
// unrelated region of the noise for each use.
float spaceFbm(Vec3 p, float frequency, float offset, int octaves)
{
    return stb_perlin_fbm_noise3(p.x * frequency + offset, p.y * frequency + offset * 0.7f,
                                 p.z * frequency + offset * 0.3f, 2.0f, 0.5f, octaves);
}

// 0 <= value < 1 from the top 24 bits of the engine's raw output, whose
// sequence the C++ standard fixes, so the pictures do not depend on the
// library (the standard distributions may differ between libraries).
float randomUnit(std::mt19937& rng)
{
    return static_cast<float>(rng() >> 8) / 16777216.0f;
}

float randomRange(std::mt19937& rng, float low, float high)
{
    return low + (high - low) * randomUnit(rng);
}

// Centre of pixel (x, y) as fractions 0..1 of the picture.
float centreU(const Picture& picture, int x)
{
    return (x + 0.5f) / picture.width;
}

float centreV(const Picture& picture, int y)
{
    return (y + 0.5f) / picture.height;
}

} // namespace

Picture makePicture(int width, int height)
{
    return {width, height, std::vector<unsigned char>(static_cast<std::size_t>(width) * height * 3, 0)};
}

// Grey steel polished in one direction: fine streaks running across the
// picture, long along x and narrow along y.
void drawBrushedMetal(Picture& picture)
{
    constexpr Color STEEL = {182, 186, 192};
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const float u = centreU(picture, x);
            const float v = centreV(picture, y);
            const float streaks = 0.55f * tiledNoise(u, v, 2, 32, 11) + 0.35f * tiledNoise(u, v, 4, 64, 12)
                                + 0.25f * tiledNoise(u, v, 8, 64, 13);
            const float cloud = tiledFbm(u, v, 2, 3, 14);
            setPixel(picture, x, y, scale(STEEL, 0.92f + 0.22f * streaks + 0.06f * cloud));
        }
    }
}

// A night sky: a faint coloured haze and thousands of stars, most of them
// dim points, a few bright ones with a halo and four rays.
void drawStarField(Picture& picture)
{
    constexpr unsigned STAR_SEED = 1024;
    constexpr int STAR_COUNT = 6000;
    constexpr Color HAZE_BLUE = {14, 16, 38};
    constexpr Color HAZE_VIOLET = {30, 12, 34};
    const Color STAR_TINTS[] = {{255, 255, 255}, {200, 214, 255}, {255, 242, 214}, {255, 214, 170}};

    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const float u = centreU(picture, x);
            const float v = centreV(picture, y);
            const float haze = clamp01(tiledFbm(u, v, 4, 6, 21) * 1.4f);
            const float hue = clamp01(0.5f + tiledFbm(u, v, 2, 3, 31));
            setPixel(picture, x, y, scale(mix(HAZE_BLUE, HAZE_VIOLET, hue), haze));
        }
    }

    std::mt19937 rng(STAR_SEED);
    for (int star = 0; star < STAR_COUNT; ++star) {
        const float cx = randomUnit(rng) * picture.width;
        const float cy = randomUnit(rng) * picture.height;
        const float brightness = std::pow(randomUnit(rng), 6.0f); // most stars are faint
        const Color tint = STAR_TINTS[rng() % 4];

        const float peak = 50.0f + 205.0f * std::sqrt(brightness);
        const float sigma = 0.45f + 1.6f * brightness;
        const int reach = static_cast<int>(std::ceil(sigma * 3.0f));
        for (int dy = -reach; dy <= reach; ++dy) {
            for (int dx = -reach; dx <= reach; ++dx) {
                const int px = static_cast<int>(cx) + dx;
                const int py = static_cast<int>(cy) + dy;
                const float ox = px + 0.5f - cx;
                const float oy = py + 0.5f - cy;
                const float glow = std::exp(-(ox * ox + oy * oy) / (2.0f * sigma * sigma));
                addLightWrapped(picture, px, py, scale(tint, glow * peak / 255.0f));
            }
        }
        if (brightness > 0.93f) { // the brightest few get rays
            const int rayLength = static_cast<int>(24.0f * brightness);
            for (int step = reach + 1; step <= rayLength; ++step) {
                const float fade = std::pow(1.0f - float(step) / rayLength, 2.0f) * 0.8f;
                const Color ray = scale(tint, fade * brightness);
                addLightWrapped(picture, int(cx) + step, int(cy), ray);
                addLightWrapped(picture, int(cx) - step, int(cy), ray);
                addLightWrapped(picture, int(cx), int(cy) + step, ray);
                addLightWrapped(picture, int(cx), int(cy) - step, ray);
            }
        }
    }
}

// Red and white gingham: red warp and weft bands cross, so the cloth shows
// white squares, pink squares where one band runs, and red squares where
// two cross. A faint weave of alternating threads and uneven yarn keeps it
// from looking printed.
void drawGingham(Picture& picture)
{
    constexpr int BAND = 16; // pixels per band; a check is two bands
    const Color SHADES[] = {{246, 243, 236}, {226, 136, 140}, {186, 30, 46}}; // by red bands crossing

    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const bool redColumn = (x / BAND) % 2 == 0;
            const bool redRow = (y / BAND) % 2 == 0;
            Color cloth = SHADES[int(redColumn) + int(redRow)];

            // Every other pixel shows the vertical thread, the rest the horizontal.
            const bool warpOnTop = (x + y) % 2 == 0;
            const Color thread = SHADES[(warpOnTop ? redColumn : redRow) ? 2 : 0];
            cloth = mix(cloth, thread, 0.18f);

            const float u = centreU(picture, x);
            const float v = centreV(picture, y);
            const float yarn = warpOnTop ? tiledNoise(u, v, 256, 8, 41) : tiledNoise(u, v, 8, 256, 42);
            const float fold = tiledFbm(u, v, 2, 3, 43);
            setPixel(picture, x, y, scale(cloth, 0.97f + 0.06f * yarn + 0.04f * fold));
        }
    }
}

// Red bricks in running bond with pale mortar joints; each brick has its
// own shade, a grainy face and lit top-left and shaded bottom-right edges.
void drawBrickWall(Picture& picture)
{
    constexpr unsigned BRICK_SEED = 128;
    constexpr int BRICK_WIDTH = 32;
    constexpr int BRICK_HEIGHT = 16;
    constexpr int MORTAR = 2; // joint width along the top and left of each brick
    constexpr Color BRICK_RED = {158, 68, 48};
    constexpr Color BRICK_BROWN = {120, 62, 44};
    constexpr Color MORTAR_GREY = {188, 182, 170};

    const int columns = picture.width / BRICK_WIDTH;
    const int rows = picture.height / BRICK_HEIGHT;
    std::mt19937 rng(BRICK_SEED);
    std::vector<Color> brickColours;
    for (int i = 0; i < columns * rows; ++i) {
        const Color base = mix(BRICK_RED, BRICK_BROWN, randomUnit(rng));
        brickColours.push_back(scale(base, randomRange(rng, 0.82f, 1.12f)));
    }

    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const int row = y / BRICK_HEIGHT;
            const int shifted = x + (row % 2) * BRICK_WIDTH / 2; // every other course is offset by half a brick
            const int column = (shifted / BRICK_WIDTH) % columns;
            const int bx = shifted % BRICK_WIDTH;
            const int by = y % BRICK_HEIGHT;

            const float u = centreU(picture, x);
            const float v = centreV(picture, y);
            const float grit = tiledNoise(u, v, 64, 64, 51) + 0.5f * tiledNoise(u, v, 128, 128, 52);
            const float weathering = tiledFbm(u, v, 4, 4, 53);

            Color c;
            if (bx < MORTAR || by < MORTAR) {
                c = scale(MORTAR_GREY, 0.95f + 0.08f * grit);
                if (by == 0)
                    c = scale(c, 0.85f); // the joint just under a brick lies in its shadow
            } else {
                c = brickColours[row * columns + column];
                c = scale(c, 1.0f + 0.10f * grit + 0.10f * weathering);
                if (by == MORTAR || bx == MORTAR)
                    c = scale(c, 1.18f);
                else if (by == BRICK_HEIGHT - 1 || bx == BRICK_WIDTH - 1)
                    c = scale(c, 0.72f);
            }
            setPixel(picture, x, y, c);
        }
    }
}

// Offset from a to b along a ring of the given size, taking the short way round.
float wrappedOffset(float a, float b, float size)
{
    float d = std::fmod(b - a, size);
    if (d > size * 0.5f)
        d -= size;
    else if (d < -size * 0.5f)
        d += size;
    return d;
}

// Distance from a point to the nearest border between the cells of a set of
// centres (each pixel belongs to the cell of its nearest centre), measured
// around the edges of the picture.
float distanceToCellBorder(const std::vector<Vec3>& centres, float x, float y, float size)
{
    std::vector<Vec3> offsets;
    for (const Vec3& centre : centres)
        offsets.push_back({wrappedOffset(x, centre.x, size), wrappedOffset(y, centre.y, size), 0.0f});
    const std::size_t nearest = std::min_element(offsets.begin(), offsets.end(), [](Vec3 a, Vec3 b) {
                                    return dot(a, a) < dot(b, b);
                                }) - offsets.begin();
    const Vec3 a = offsets[nearest];
    float border = 1e9f;
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        if (i == nearest)
            continue;
        const Vec3 b = offsets[i];
        const Vec3 apart = {b.x - a.x, b.y - a.y, 0.0f};
        // The border with cell i is the bisector between the two centres.
        border = std::min(border, (dot(b, b) - dot(a, a)) / (2.0f * std::sqrt(dot(apart, apart)) + 1e-6f));
    }
    return border;
}

// A pale celadon glaze crazed by a network of cracks: large cells with
// dark stained cracks, split by a finer network of fainter ones. The crack
// lines are the borders between randomly placed cells, made to wander by
// noise.
void drawCrackleGlaze(Picture& picture)
{
    constexpr unsigned CRACK_SEED = 256;
    constexpr int LARGE_CELLS = 40;
    constexpr int SMALL_CELLS = 170;
    constexpr Color IVORY = {232, 227, 205};
    constexpr Color CELADON = {196, 214, 194};
    constexpr Color STAIN = {120, 104, 84};
    constexpr Color CRACK = {58, 48, 40};

    const float size = float(picture.width);
    std::mt19937 rng(CRACK_SEED);
    std::vector<Vec3> largeCentres;
    std::vector<Vec3> smallCentres;
    for (int i = 0; i < LARGE_CELLS; ++i)
        largeCentres.push_back({randomUnit(rng) * size, randomUnit(rng) * size, 0.0f});
    for (int i = 0; i < SMALL_CELLS; ++i)
        smallCentres.push_back({randomUnit(rng) * size, randomUnit(rng) * size, 0.0f});

    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const float u = centreU(picture, x);
            const float v = centreV(picture, y);
            const float wx = x + 0.5f + 7.0f * tiledFbm(u, v, 8, 3, 61);
            const float wy = y + 0.5f + 7.0f * tiledFbm(u, v, 8, 3, 62);

            const float largeCrack = distanceToCellBorder(largeCentres, wx, wy, size);
            const float fineCrack = distanceToCellBorder(smallCentres, wx, wy, size);

            const float tone = clamp01(0.5f + 0.9f * tiledFbm(u, v, 2, 4, 63));
            Color c = mix(IVORY, CELADON, tone);
            c = scale(c, 1.0f + 0.03f * tiledNoise(u, v, 64, 64, 64));
            // Dirt soaked into the cracks stains the glaze beside the main ones and colours the fine ones.
            c = mix(c, STAIN, 0.3f * (1.0f - smoothstep(0.0f, 3.5f, largeCrack)));
            c = mix(c, STAIN, 0.6f * (1.0f - smoothstep(0.3f, 0.9f, fineCrack)));
            c = mix(c, CRACK, 1.0f - smoothstep(0.5f, 1.3f, largeCrack));
            setPixel(picture, x, y, c);
        }
    }
}

// A plain painted blue, with a gentle mottling so it reads as a surface.
void drawBlueSurface(Picture& picture)
{
    constexpr Color PAINT_BLUE = {34, 78, 196};
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const float u = centreU(picture, x);
            const float v = centreV(picture, y);
            const float mottle = tiledFbm(u, v, 2, 4, 71);
            setPixel(picture, x, y, scale(PAINT_BLUE, 1.0f + 0.16f * mottle));
        }
    }
}

// Sky colour of the sunset at a height, 0 at the top of the picture and 1
// at the horizon.
Color sunsetSky(float t)
{
    struct Stop {
        float at;
        Color colour;
    };
    const Stop STOPS[] = {
        {0.00f, {24, 22, 72}},   {0.35f, {92, 48, 118}}, {0.62f, {210, 92, 96}},
        {0.85f, {248, 152, 72}}, {1.00f, {255, 208, 120}},
    };
    for (std::size_t i = 1; i < std::size(STOPS); ++i) {
        if (t <= STOPS[i].at)
            return mix(STOPS[i - 1].colour, STOPS[i].colour, (t - STOPS[i - 1].at) / (STOPS[i].at - STOPS[i - 1].at));
    }
    return STOPS[std::size(STOPS) - 1].colour;
}

// The sun half sunk into the sea under a sky running from indigo to gold,
// with bands of cloud lit from below and a glittering path of light on the
// water.
void drawSunset(Picture& picture)
{
    constexpr float HORIZON = 0.66f; // fraction of the height from the top
    constexpr float SUN_RADIUS = 0.085f;
    constexpr Color SUN = {255, 244, 200};
    constexpr Color GLOW = {255, 170, 80};
    constexpr Color CLOUD_DARK = {70, 36, 78};
    constexpr Color CLOUD_LIT = {255, 150, 110};
    constexpr Color SEA = {30, 24, 60};

    const float widthOverHeight = float(picture.width) / picture.height;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const float u = centreU(picture, x);
            const float v = centreV(picture, y);
            const float dx = (u - 0.5f) * widthOverHeight;
            Color c;
            if (v < HORIZON) {
                const float t = v / HORIZON;
                c = sunsetSky(t);
                const float dy = v - HORIZON;
                const float sunDistance = std::sqrt(dx * dx + dy * dy);
                c = add(c, scale(GLOW, 0.55f * std::exp(-sunDistance / 0.12f)));

                // Long flat clouds, thicker higher up, lit from below near the horizon.
                const float shape = stb_perlin_fbm_noise3(u * 3.0f, v * 14.0f, 3.5f, 2.0f, 0.5f, 5);
                const float cover = smoothstep(0.05f, 0.35f, shape) * smoothstep(0.1f, 0.35f, t)
                                  * (1.0f - smoothstep(0.75f, 0.95f, t));
                const float underside = smoothstep(0.35f, 0.05f, shape);
                const Color cloud = mix(CLOUD_DARK, CLOUD_LIT, clamp01(0.25f + 0.6f * t + 0.4f * underside));
                c = mix(c, cloud, 0.85f * cover);

                c = mix(c, SUN, smoothstep(SUN_RADIUS + 0.004f, SUN_RADIUS - 0.004f, sunDistance));
            } else {
                // The sea mirrors the sky, darker with depth, with ripples and a path of glitter under the sun.
                const float depth = (v - HORIZON) / (1.0f - HORIZON);
                const float ripple = stb_perlin_fbm_noise3(u * 6.0f, v * 70.0f, 7.5f, 2.0f, 0.5f, 4);
                c = mix(sunsetSky(1.0f - depth * 0.8f), SEA, 0.35f + 0.55f * depth);
                c = scale(c, 1.0f + 0.25f * ripple);
                const float pathWidth = 0.05f + 0.18f * depth;
                const float path = std::exp(-(dx * dx) / (2.0f * pathWidth * pathWidth));
                const float glitter = smoothstep(0.0f, 0.35f, ripple + 0.15f);
                c = mix(c, SUN, clamp01(path * glitter * (1.0f - 0.6f * depth)));
            }
            setPixel(picture, x, y, c);
        }
    }
}

// Surface colour of the Earth at a point of the unit sphere in the planet's
// own frame (y along the axis).
Color earthSurface(Vec3 p, bool& ocean)
{
    constexpr float SEA_LEVEL = 0.16f;
    constexpr Color DEEP_SEA = {6, 26, 80};
    constexpr Color SHALLOW_SEA = {24, 92, 150};
    constexpr Color FOREST = {40, 92, 40};
    constexpr Color GRASS = {96, 124, 58};
    constexpr Color DESERT = {196, 168, 112};
    constexpr Color MOUNTAIN = {112, 96, 80};
    constexpr Color ICE = {238, 244, 250};

    const float height = spaceFbm(p, 1.7f, 11.3f, 8);
    const float latitude = std::fabs(std::asin(std::max(-1.0f, std::min(1.0f, p.y))));
    const float iceEdge = 1.18f + 0.1f * spaceFbm(p, 4.0f, 3.1f, 3);
    ocean = height < SEA_LEVEL && latitude < iceEdge;
    if (latitude > iceEdge)
        return ICE;
    if (ocean)
        return mix(DEEP_SEA, SHALLOW_SEA, smoothstep(SEA_LEVEL - 0.12f, SEA_LEVEL, height));

    // Deserts gather in the dry belts around 25 degrees of latitude.
    const float dryBelt = std::exp(-std::pow((latitude - 0.42f) / 0.2f, 2.0f));
    const float dryness = smoothstep(0.35f, 0.8f, dryBelt + spaceFbm(p, 3.0f, 27.9f, 4));
    const float green = smoothstep(-0.3f, 0.3f, spaceFbm(p, 5.0f, 41.7f, 4));
    Color land = mix(mix(FOREST, GRASS, green), DESERT, dryness);
    land = mix(land, MOUNTAIN, smoothstep(SEA_LEVEL + 0.25f, SEA_LEVEL + 0.45f, height));
    return mix(land, ICE, smoothstep(iceEdge - 0.12f, iceEdge, latitude) * 0.7f);
}

// The Earth from space: a sunlit globe with oceans, continents, ice caps and
// swirls of cloud, a thin blue atmosphere at the rim, on a black sky.
void drawEarth(Picture& picture)
{
    constexpr float RADIUS = 0.46f; // of the picture width
    constexpr float AXIAL_TILT = 0.41f; // radians
    constexpr float SPIN = 2.1f;
    constexpr Color CLOUD = {250, 250, 252};
    constexpr Color AIR = {90, 150, 255};
    const Vec3 sun = normalize({-0.55f, 0.35f, 0.76f});
    const Vec3 halfway = normalize({sun.x, sun.y, sun.z + 1.0f});

    const float centre = picture.width * 0.5f;
    const float radius = picture.width * RADIUS;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const float sx = (x + 0.5f - centre) / radius;
            const float sy = (centre - (y + 0.5f)) / radius;
            const float r = std::sqrt(sx * sx + sy * sy);
            const float coverage = clamp01((1.0f - r) * radius + 0.5f);

            // A thin glow of air just outside the limb, brightest on the sunlit side.
            const float haloLight = clamp01(0.3f + dot(normalize({sx, sy, 0.0001f}), sun));
            const Color halo = scale(AIR, 0.5f * haloLight * std::exp(-std::max(0.0f, r - 1.0f) * 60.0f));
            if (coverage <= 0.0f) {
                setPixel(picture, x, y, r < 1.08f ? halo : Color{0, 0, 0});
                continue;
            }

            const float rr = std::min(r, 0.9999f);
            const Vec3 n = {sx * rr / std::max(r, 1e-6f), sy * rr / std::max(r, 1e-6f), std::sqrt(1.0f - rr * rr)};
            // Tilt the axis, then turn the globe about it.
            const Vec3 tilted = {n.x * std::cos(AXIAL_TILT) + n.y * std::sin(AXIAL_TILT),
                                 -n.x * std::sin(AXIAL_TILT) + n.y * std::cos(AXIAL_TILT), n.z};
            const Vec3 p = {tilted.x * std::cos(SPIN) + tilted.z * std::sin(SPIN), tilted.y,
                            -tilted.x * std::sin(SPIN) + tilted.z * std::cos(SPIN)};

            bool ocean = false;
            Color c = earthSurface(p, ocean);
            const float swirl = 2.0f * spaceFbm(p, 2.5f, 57.3f, 4);
            const Vec3 streaked = {p.x * 3.0f + swirl, p.y * 7.0f, p.z * 3.0f + swirl};
            const float cloud = smoothstep(0.1f, 0.5f, spaceFbm(streaked, 1.0f, 71.9f, 7));
            c = mix(c, CLOUD, 0.9f * cloud);

            const float diffuse = dot(n, sun);
            const float light = 0.03f + 0.97f * smoothstep(-0.08f, 0.35f, diffuse) * (0.55f + 0.45f * std::max(0.0f, diffuse));
            c = scale(c, light * 1.15f);
            if (ocean)
                c = add(c, scale(Color{255, 240, 210}, 0.45f * (1.0f - cloud) * std::pow(std::max(0.0f, dot(n, halfway)), 60.0f)));
            const float rim = std::pow(1.0f - n.z, 2.5f);
            c = add(c, scale(AIR, rim * clamp01(diffuse + 0.25f)));

            setPixel(picture, x, y, mix(halo, c, coverage));
        }
    }
}

// Every byte 255: the programs use it to colour text and spheres plain white.
void drawBrightWhite(Picture& picture)
{
    std::fill(picture.rgb.begin(), picture.rgb.end(), 255);
}

// Height of a bowl-shaped crater with a raised rim at distance r from its
// centre; both measured in crater radii.
float craterProfile(float r)
{
    constexpr float RIM = 0.12f;
    constexpr float DEPTH = 0.25f;
    if (r < 1.0f)
        return RIM + DEPTH * (std::max(r * r, 0.2f) - 1.0f); // flat-floored bowl
    return RIM * std::exp(-std::pow((r - 1.0f) / 0.35f, 2.0f));
}

// The full Moon, lit a little from the left: grey highlands, dark maria and
// craters of every size, on a black sky. The craters are placed on the
// sphere and shaded from the slope of the height they add.
void drawMoon(Picture& picture)
{
    constexpr unsigned CRATER_SEED = 256;
    constexpr int CRATER_COUNT = 400;
    constexpr float RADIUS = 0.45f; // of the picture width
    constexpr Color HIGHLAND = {206, 202, 194};
    constexpr Color MARE = {96, 94, 92};
    const Vec3 sun = normalize({-0.4f, 0.2f, 0.9f});

    std::mt19937 rng(CRATER_SEED);
    std::vector<Vec3> centres;
    std::vector<float> sizes;
    for (int i = 0; i < CRATER_COUNT; ++i) {
        const float z = randomRange(rng, -0.1f, 1.0f); // even over the visible face and a little beyond
        const float angle = randomRange(rng, 0.0f, 2.0f * PI);
        const float ring = std::sqrt(1.0f - z * z);
        centres.push_back({ring * std::cos(angle), ring * std::sin(angle), z});
        sizes.push_back(0.012f * std::pow(10.0f, std::pow(randomUnit(rng), 3.0f))); // mostly small
    }

    const int w = picture.width;
    const int h = picture.height;
    const float centre = w * 0.5f;
    const float radius = w * RADIUS;
    auto surfacePoint = [&](int x, int y) {
        float sx = (x + 0.5f - centre) / radius;
        float sy = (centre - (y + 0.5f)) / radius;
        const float r2 = sx * sx + sy * sy;
        if (r2 >= 1.0f) { // beyond the limb: use the nearest point of the rim
            const float r = std::sqrt(r2);
            sx /= r;
            sy /= r;
            return Vec3{sx, sy, 0.0f};
        }
        return Vec3{sx, sy, std::sqrt(1.0f - r2)};
    };

    std::vector<float> heights(static_cast<std::size_t>(w) * h, 0.0f);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Vec3 p = surfacePoint(x, y);
            float height = 0.0015f * spaceFbm(p, 20.0f, 5.5f, 3);
            for (int i = 0; i < CRATER_COUNT; ++i) {
                const Vec3 d = {p.x - centres[i].x, p.y - centres[i].y, p.z - centres[i].z};
                const float r = std::sqrt(dot(d, d)) / sizes[i];
                if (r < 2.2f)
                    height += sizes[i] * craterProfile(r);
            }
            heights[static_cast<std::size_t>(y) * w + x] = height;
        }
    }

    auto heightAt = [&](int x, int y) {
        return heights[static_cast<std::size_t>(std::min(h - 1, std::max(0, y))) * w + std::min(w - 1, std::max(0, x))];
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float sx = (x + 0.5f - centre) / radius;
            const float sy = (centre - (y + 0.5f)) / radius;
            const float coverage = clamp01((1.0f - std::sqrt(sx * sx + sy * sy)) * radius + 0.5f);
            if (coverage <= 0.0f) {
                setPixel(picture, x, y, {0, 0, 0});
                continue;
            }
            const Vec3 p = surfacePoint(x, y);
            // Slopes per unit of the sphere's radius; image y runs down.
            const float slopeX = (heightAt(x + 1, y) - heightAt(x - 1, y)) * radius * 0.5f;
            const float slopeY = (heightAt(x, y - 1) - heightAt(x, y + 1)) * radius * 0.5f;
            const Vec3 n = normalize({p.x - 1.5f * slopeX, p.y - 1.5f * slopeY, std::max(p.z, 0.05f)});

            const float mare = 0.85f * smoothstep(0.05f, 0.4f, spaceFbm(p, 1.4f, 17.3f, 6));
            Color c = mix(HIGHLAND, MARE, mare);
            c = scale(c, 1.0f + 0.08f * spaceFbm(p, 14.0f, 33.1f, 3));
            // Moon dust scatters light back towards the sun, so the disc stays
            // bright out to the limb instead of darkening like a matt ball.
            const float towardsSun = std::max(0.0f, dot(n, sun));
            const float light = 0.02f + 1.6f * towardsSun / (towardsSun + std::max(0.2f, n.z));
            setPixel(picture, x, y, scale(c, light * coverage));
        }
    }
}

// Galvanised sheet pressed into rounded vertical ridges, lit from the left,
// with patches of rust that gather in the troughs and run down the sheet.
void drawCorrugatedIron(Picture& picture)
{
    constexpr int RIDGES = 8; // across the picture
    constexpr Color ZINC = {172, 178, 182};
    constexpr Color RUST = {136, 74, 40};
    constexpr Color DARK_RUST = {86, 44, 26};
    const Vec3 light = normalize({-0.6f, 0.3f, 0.75f});

    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const float u = centreU(picture, x);
            const float v = centreV(picture, y);
            const float phase = 2.0f * PI * RIDGES * u;
            const float depth = 0.5f + 0.5f * std::sin(phase);     // 1 on a crest, 0 in a trough
            const Vec3 n = normalize({-0.9f * std::cos(phase), 0.0f, 1.0f}); // slope of the sine profile
            const float diffuse = std::max(0.0f, dot(n, light));
            const float shine = std::pow(std::max(0.0f, dot(normalize({light.x, light.y, light.z + 1.0f}), n)), 24.0f);

            const float spangle = tiledNoise(u, v, 32, 32, 81) + 0.5f * tiledNoise(u, v, 128, 128, 82);
            Color c = scale(ZINC, 0.42f + 0.6f * diffuse + 0.05f * spangle);
            c = add(c, scale(Color{255, 255, 255}, 0.15f * shine));

            const float runs = tiledNoise(u, v, 64, 2, 83); // streaks running down the sheet
            const float rustiness = 0.8f * tiledFbm(u, v, 4, 6, 84) + 0.35f * runs + 0.3f * (1.0f - depth) - 0.2f;
            const float rust = smoothstep(0.0f, 0.3f, rustiness);
            const Color rustColour = scale(mix(RUST, DARK_RUST, clamp01(0.5f + tiledFbm(u, v, 32, 3, 85))),
                                           0.55f + 0.6f * diffuse);
            setPixel(picture, x, y, mix(c, rustColour, 0.8f * rust));
        }
    }
}

// Leopard fur: golden coat with black rosettes (broken rings around a
// darker tawny centre) and small solid spots, scattered so none overlap.
void drawLeopard(Picture& picture)
{
    constexpr unsigned SPOT_SEED = 7;
    constexpr int ROSETTE_TRIES = 2000;
    constexpr int SMALL_SPOT_TRIES = 120;
    constexpr float SPACING = 1.25f; // minimum gap between spots, in summed radii
    constexpr Color COAT = {214, 162, 82};
    constexpr Color PALE_COAT = {236, 200, 132};
    constexpr Color ROSETTE_CENTRE = {176, 108, 42};
    constexpr Color BLACK = {34, 24, 18};

    const float size = float(picture.width);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const float u = centreU(picture, x);
            const float v = centreV(picture, y);
            const float hairs = tiledNoise(u, v, 128, 32, 91) + 0.5f * tiledNoise(u, v, 256, 64, 92);
            const float shade = clamp01(0.5f + 0.8f * tiledFbm(u, v, 2, 4, 93));
            setPixel(picture, x, y, scale(mix(COAT, PALE_COAT, shade), 1.0f + 0.07f * hairs));
        }
    }

    struct Spot {
        float x, y, radius;
        bool rosette;
        int pieces; // a rosette's ring is broken into this many dark pieces
        float turn; // angle of the first piece
    };
    // Rosettes are placed first wherever they fit; then a few small spots
    // go into the gaps left between them.
    std::mt19937 rng(SPOT_SEED);
    std::vector<Spot> spots;
    for (int attempt = 0; attempt < ROSETTE_TRIES + SMALL_SPOT_TRIES; ++attempt) {
        const bool rosette = attempt < ROSETTE_TRIES;
        const Spot spot = {randomUnit(rng) * size, randomUnit(rng) * size,
                           rosette ? randomRange(rng, 13.0f, 19.0f) : randomRange(rng, 3.5f, 6.5f), rosette,
                           2 + int(rng() % 3), randomRange(rng, 0.0f, 2.0f * PI)};
        const bool free = std::none_of(spots.begin(), spots.end(), [&](const Spot& other) {
            const float dx = wrappedDelta(spot.x, other.x, size);
            const float dy = wrappedDelta(spot.y, other.y, size);
            return std::sqrt(dx * dx + dy * dy) < SPACING * (spot.radius + other.radius);
        });
        if (free)
            spots.push_back(spot);
    }

    for (std::size_t i = 0; i < spots.size(); ++i) {
        const Spot& spot = spots[i];
        const int reach = static_cast<int>(spot.radius * 1.5f) + 2;
        const float shapeSeed = 1.7f * i;
        for (int dy = -reach; dy <= reach; ++dy) {
            for (int dx = -reach; dx <= reach; ++dx) {
                const int px = static_cast<int>(spot.x) + dx;
                const int py = static_cast<int>(spot.y) + dy;
                const float ox = px + 0.5f - spot.x;
                const float oy = py + 0.5f - spot.y;
                const float d = std::sqrt(ox * ox + oy * oy);
                const float angle = std::atan2(oy, ox);
                const float ca = std::cos(angle);
                const float sa = std::sin(angle);
                // An irregular outline, and for rosettes gaps that break the ring.
                const float outline = spot.radius
                                    * (1.0f + 0.28f * stb_perlin_noise3(ca * 1.3f + shapeSeed, sa * 1.3f, 0.5f, 0, 0, 0));
                const float outer = clamp01(outline - d + 0.5f);
                if (!spot.rosette) {
                    paintWrapped(picture, px, py, BLACK, outer);
                    continue;
                }
                const float inner = outline * (0.6f + 0.12f * stb_perlin_noise3(ca * 2.0f, sa * 2.0f + shapeSeed, 1.5f, 0, 0, 0));
                const float ring = outer * clamp01(d - inner + 0.5f);
                // Angle from the middle of the nearest piece, against the half width of the pieces.
                const float sector = 2.0f * PI / spot.pieces;
                // The angle wanders with the position so the gaps run crooked, not straight out.
                const float bent = angle + 0.6f * stb_perlin_noise3(ox * 0.15f, oy * 0.15f, shapeSeed + 3.5f, 0, 0, 0);
                const float fromMiddle = std::fabs(std::fmod(bent - spot.turn + 6.0f * PI, sector) - 0.5f * sector);
                const float halfWidth = 0.5f * sector - 0.12f * (1.5f + stb_perlin_noise3(ca * 0.9f, sa * 0.9f, shapeSeed + 5.5f, 0, 0, 0));
                const float piece = clamp01((halfWidth - fromMiddle) * d + 0.5f);
                paintWrapped(picture, px, py, ROSETTE_CENTRE, 0.6f * clamp01(inner - d + 0.5f));
                paintWrapped(picture, px, py, BLACK, ring * piece);
            }
        }
    }
}

// Cast concrete: grey with soft cloudy stains, a fine sandy grain, flecks
// of lighter and darker aggregate, and small air holes.
void drawConcrete(Picture& picture)
{
    constexpr unsigned AGGREGATE_SEED = 4;
    constexpr int FLECKS = 900;
    constexpr int AIR_HOLES = 70;
    constexpr Color CEMENT = {160, 158, 152};
    constexpr Color STAIN = {128, 126, 120};
    constexpr Color HOLE = {96, 94, 90};

    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const float u = centreU(picture, x);
            const float v = centreV(picture, y);
            const float stain = smoothstep(-0.1f, 0.6f, tiledFbm(u, v, 4, 5, 101));
            const float grain = tiledNoise(u, v, 128, 128, 102) + 0.7f * tiledNoise(u, v, 256, 256, 103);
            const Color c = mix(CEMENT, STAIN, 0.6f * stain);
            setPixel(picture, x, y, scale(c, 1.0f + 0.05f * tiledFbm(u, v, 16, 3, 104) + 0.07f * grain));
        }
    }

    std::mt19937 rng(AGGREGATE_SEED);
    for (int i = 0; i < FLECKS; ++i) {
        const float cx = randomUnit(rng) * picture.width;
        const float cy = randomUnit(rng) * picture.height;
        const float radius = randomRange(rng, 0.6f, 1.8f);
        const float tone = randomRange(rng, 0.7f, 1.25f);
        const Color fleck = scale(CEMENT, tone);
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                const float ox = int(cx) + dx + 0.5f - cx;
                const float oy = int(cy) + dy + 0.5f - cy;
                paintWrapped(picture, int(cx) + dx, int(cy) + dy, fleck,
                             0.8f * clamp01(radius - std::sqrt(ox * ox + oy * oy) + 0.5f));
            }
        }
    }
    for (int i = 0; i < AIR_HOLES; ++i) {
        const float cx = randomUnit(rng) * picture.width;
        const float cy = randomUnit(rng) * picture.height;
        const float radius = randomRange(rng, 0.6f, 1.8f);
        for (int dy = -4; dy <= 4; ++dy) {
            for (int dx = -4; dx <= 4; ++dx) {
                const float ox = int(cx) + dx + 0.5f - cx;
                const float oy = int(cy) + dy + 0.5f - cy;
                const float d = std::sqrt(ox * ox + oy * oy);
                // The lower lip of a hole catches the light from above.
                const float lip = clamp01(radius + 1.0f - d + 0.5f) * (1.0f - clamp01(radius - d + 0.5f))
                                * clamp01(oy / (d + 0.01f));
                paintWrapped(picture, int(cx) + dx, int(cy) + dy, {196, 194, 188}, 0.6f * lip);
                paintWrapped(picture, int(cx) + dx, int(cy) + dy, HOLE, clamp01(radius - d + 0.5f));
            }
        }
    }
}
