// Pictures of the sky: the star field, the sunset over the sea, and the
// Earth and the Moon seen from space on a black sky.
#include "texgen/paint.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <random>
#include <vector>

// A night sky: a faint coloured haze and thousands of stars, most of them
// dim points, a few bright ones with a halo and four rays.
void drawStarField(TextureImage& picture)
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

namespace {

// Sky colour of the sunset at a height, 0 at the top of the picture and 1
// at the horizon.
Color sunsetSky(float t)
{
    struct Stop {
        float at;
        Color colour;
    };
    const Stop STOPS[] = {
        {0.00f, {24, 22, 72}},
        {0.35f, {92, 48, 118}},
        {0.62f, {210, 92, 96}},
        {0.85f, {248, 152, 72}},
        {1.00f, {255, 208, 120}},
    };
    for (std::size_t i = 1; i < std::size(STOPS); ++i) {
        if (t <= STOPS[i].at)
            return mix(STOPS[i - 1].colour, STOPS[i].colour, (t - STOPS[i - 1].at) / (STOPS[i].at - STOPS[i - 1].at));
    }
    return STOPS[std::size(STOPS) - 1].colour;
}

} // namespace

// The sun half sunk into the sea under a sky running from indigo to gold,
// with bands of cloud lit from below and a glittering path of light on the
// water.
void drawSunset(TextureImage& picture)
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
                const float cover =
                    smoothstep(0.05f, 0.35f, shape) * smoothstep(0.1f, 0.35f, t) * (1.0f - smoothstep(0.75f, 0.95f, t));
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

namespace {

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

} // namespace

// The Earth from space: a sunlit globe with oceans, continents, ice caps and
// swirls of cloud, a thin blue atmosphere at the rim, on a black sky.
void drawEarth(TextureImage& picture)
{
    constexpr float RADIUS = 0.46f;     // of the picture width
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
                                 -n.x * std::sin(AXIAL_TILT) + n.y * std::cos(AXIAL_TILT),
                                 n.z};
            const Vec3 p = {tilted.x * std::cos(SPIN) + tilted.z * std::sin(SPIN),
                            tilted.y,
                            -tilted.x * std::sin(SPIN) + tilted.z * std::cos(SPIN)};

            bool ocean = false;
            Color c = earthSurface(p, ocean);
            const float swirl = 2.0f * spaceFbm(p, 2.5f, 57.3f, 4);
            const Vec3 streaked = {p.x * 3.0f + swirl, p.y * 7.0f, p.z * 3.0f + swirl};
            const float cloud = smoothstep(0.1f, 0.5f, spaceFbm(streaked, 1.0f, 71.9f, 7));
            c = mix(c, CLOUD, 0.9f * cloud);

            const float diffuse = dot(n, sun);
            const float light =
                0.03f + 0.97f * smoothstep(-0.08f, 0.35f, diffuse) * (0.55f + 0.45f * std::max(0.0f, diffuse));
            c = scale(c, light * 1.15f);
            if (ocean)
                c = add(c,
                        scale(Color{255, 240, 210},
                              0.45f * (1.0f - cloud) * std::pow(std::max(0.0f, dot(n, halfway)), 60.0f)));
            const float rim = std::pow(1.0f - n.z, 2.5f);
            c = add(c, scale(AIR, rim * clamp01(diffuse + 0.25f)));

            setPixel(picture, x, y, mix(halo, c, coverage));
        }
    }
}

namespace {

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

} // namespace

// The full Moon, lit a little from the left: grey highlands, dark maria and
// craters of every size, on a black sky. The craters are placed on the
// sphere and shaded from the slope of the height they add.
void drawMoon(TextureImage& picture)
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
