// The two programs' application icons, painted at each size directly.
//
// Every pixel averages a grid of samples, and every sample casts a ray into
// a small scene of boxes and spheres or tests a flat shape, so edges come out
// smooth at any size instead of being scaled from one bitmap. Outlines are at
// least one pixel wide, so the shapes still read at 48 pixels. Outside the
// shapes the icon is transparent.
#include "texgen/paint.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr int SAMPLES = 4; // per pixel along each axis

// A colour with its coverage: alpha 0 is empty, 1 fully covered.
struct Sample {
    Color colour;
    float alpha;
};

constexpr Sample EMPTY = {{0, 0, 0}, 0.0f};

struct Ray {
    Vec3 origin;
    Vec3 direction;
};

// A box with its sides along the axes.
struct Box {
    Vec3 low;
    Vec3 high;
};

Vec3 plus(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

Vec3 minus(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

Vec3 times(Vec3 v, float factor) { return {v.x * factor, v.y * factor, v.z * factor}; }

Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

float component(Vec3 v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

Vec3 axisVector(int axis, float length)
{
    return {axis == 0 ? length : 0.0f, axis == 1 ? length : 0.0f, axis == 2 ? length : 0.0f};
}

// Where a ray from outside enters a box: the distance along the ray and the
// outward normal of the face it crosses. False when it misses the box or the
// box lies behind the ray's origin.
bool enterBox(const Ray& ray, const Box& box, float& distance, Vec3& normal)
{
    float enter = -1e30f;
    float leave = 1e30f;
    int enterAxis = 0;
    float enterSide = 0.0f;
    for (int axis = 0; axis < 3; ++axis) {
        const float o = component(ray.origin, axis);
        const float d = component(ray.direction, axis);
        const float low = component(box.low, axis);
        const float high = component(box.high, axis);
        if (std::fabs(d) < 1e-9f) {
            if (o < low || o > high)
                return false;
            continue;
        }
        float near = (low - o) / d;
        float far = (high - o) / d;
        float side = -1.0f; // entering through the low face
        if (near > far) {
            std::swap(near, far);
            side = 1.0f;
        }
        if (near > enter) {
            enter = near;
            enterAxis = axis;
            enterSide = side;
        }
        leave = std::min(leave, far);
    }
    if (enter > leave || enter <= 0.0f)
        return false;
    distance = enter;
    normal = axisVector(enterAxis, enterSide);
    return true;
}

// Where a ray from inside a box leaves it: the distance and the normal of
// that face, pointing back into the box.
void leaveBox(const Ray& ray, const Box& box, float& distance, Vec3& normal)
{
    distance = 1e30f;
    // A direction with no usable component (all of them next to zero, or NaN)
    // crosses no face; it gets no normal rather than an undefined one. The
    // icon's rays always point well along -z, so none of them comes here.
    normal = {0.0f, 0.0f, 0.0f};
    for (int axis = 0; axis < 3; ++axis) {
        const float d = component(ray.direction, axis);
        if (std::fabs(d) < 1e-9f)
            continue;
        const float wall = component(d > 0.0f ? box.high : box.low, axis);
        const float t = (wall - component(ray.origin, axis)) / d;
        if (t < distance) {
            distance = t;
            normal = axisVector(axis, d > 0.0f ? -1.0f : 1.0f);
        }
    }
}

// Distance along the ray to a sphere, or false when it misses.
bool hitSphere(const Ray& ray, Vec3 centre, float radius, float& distance)
{
    const Vec3 toCentre = minus(centre, ray.origin);
    const float along = dot(toCentre, ray.direction);
    const float apart2 = dot(toCentre, toCentre) - along * along;
    if (apart2 > radius * radius)
        return false;
    distance = along - std::sqrt(radius * radius - apart2);
    return distance > 0.0f;
}

// Signed distance from (u, v) to a square with rounded corners.
float roundedSquare(float u, float v, float margin, float cornerRadius)
{
    const float half = 0.5f - margin - cornerRadius;
    const float dx = std::max(std::fabs(u - 0.5f) - half, 0.0f);
    const float dy = std::max(std::fabs(v - 0.5f) - half, 0.0f);
    return std::sqrt(dx * dx + dy * dy) - cornerRadius;
}

// A repeatable 0..1 value for a whole-numbered cell and a channel.
float cellRandom(int x, int y, unsigned channel)
{
    unsigned h = static_cast<unsigned>(x) * 73856093u ^ static_cast<unsigned>(y) * 19349663u ^ channel * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return static_cast<float>(h & 0xffffffu) / 16777216.0f;
}

// Fills the icon by averaging the scene's samples over each pixel. The scene
// gets the sample's place (0..1 across, 0..1 down) and the size of a pixel in
// the same units.
void paintIcon(Icon& icon, Sample (*scene)(float u, float v, float pixel))
{
    const float pixel = 1.0f / icon.size;
    for (int y = 0; y < icon.size; ++y) {
        for (int x = 0; x < icon.size; ++x) {
            Color sum = {0, 0, 0};
            float coverage = 0.0f;
            for (int sy = 0; sy < SAMPLES; ++sy) {
                for (int sx = 0; sx < SAMPLES; ++sx) {
                    const Sample s =
                        scene((x + (sx + 0.5f) / SAMPLES) * pixel, (y + (sy + 0.5f) / SAMPLES) * pixel, pixel);
                    sum = add(sum, scale(s.colour, s.alpha));
                    coverage += s.alpha;
                }
            }
            const Color colour = coverage > 0.0f ? scale(sum, 1.0f / coverage) : Color{0, 0, 0};
            const float channels[] = {colour.r, colour.g, colour.b, 255.0f * coverage / (SAMPLES * SAMPLES)};
            unsigned char* out = icon.rgba.data() + (static_cast<std::size_t>(y) * icon.size + x) * 4;
            for (int k = 0; k < 4; ++k)
                out[k] = static_cast<unsigned char>(std::lround(std::min(255.0f, std::max(0.0f, channels[k]))));
        }
    }
}

// okel: the letter scene's zigzag glyph as golden boxes, seen from above
// and to the right, in front of a round patch of night sky with the Earth.

// The zigzag glyph's five boxes in the letter scene's units, moved so that
// the glyph's middle is at the origin.
const Box OKEL_GLYPH[] = {
    {{-60, 70, -30}, {60, 110, 30}},   // top bar
    {{-60, -110, -30}, {60, -70, 30}}, // bottom bar
    {{-40, -20, -30}, {40, 20, 30}},   // middle bar
    {{40, -70, -30}, {60, 20, 30}},    // right upright, from the middle bar down
    {{-60, -20, -30}, {-40, 70, 30}},  // left upright, from the top bar down
};
constexpr float OKEL_VIEW_WIDTH = 330.0f; // scene units across the icon
constexpr Vec3 OKEL_VIEW_CENTRE = {18.0f, 6.0f, 0.0f};

bool hitGlyph(const Ray& ray, float& distance, Vec3& normal, Vec3& point)
{
    bool hit = false;
    for (const Box& box : OKEL_GLYPH) {
        float d;
        Vec3 n;
        if (enterBox(ray, box, d, n) && (!hit || d < distance)) {
            hit = true;
            distance = d;
            normal = n;
        }
    }
    if (hit)
        point = plus(ray.origin, times(ray.direction, distance));
    return hit;
}

// The ray of an orthographic camera through the icon's point (u, v).
Ray okelRay(float u, float v)
{
    const Vec3 forward = normalize({-0.55f, -0.38f, -1.0f});
    const Vec3 right = normalize(cross(forward, {0, 1, 0}));
    const Vec3 up = cross(right, forward);
    const Vec3 onScreen = plus(times(right, (u - 0.5f) * OKEL_VIEW_WIDTH), times(up, (0.5f - v) * OKEL_VIEW_WIDTH));
    return {plus(plus(OKEL_VIEW_CENTRE, onScreen), times(forward, -1000.0f)), forward};
}

Color shadeGlyph(Vec3 normal, Vec3 point)
{
    constexpr Color GOLD = {240, 176, 58};
    constexpr Color DEEP_GOLD = {196, 110, 30};
    const Vec3 light = normalize({-0.3f, 0.8f, 0.6f});
    const float diffuse = std::max(0.0f, dot(normal, light));
    // The faces darken a little towards the bottom, like the lit glyphs of the scene.
    const Color base = mix(GOLD, DEEP_GOLD, clamp01((60.0f - point.y) / 200.0f));
    return scale(base, 0.38f + 0.78f * diffuse);
}

Color shadeEarth(float dx, float dy)
{
    constexpr Color DEEP_SEA = {18, 58, 150};
    constexpr Color SHALLOW_SEA = {40, 120, 200};
    constexpr Color LAND = {64, 150, 64};
    constexpr Color DRY_LAND = {170, 156, 92};
    constexpr Color CLOUD = {246, 248, 252};
    const Vec3 sun = normalize({-0.6f, 0.55f, 0.6f});

    const Vec3 n = {dx, -dy, std::sqrt(std::max(0.0f, 1.0f - dx * dx - dy * dy))};
    const float height = spaceFbm(n, 1.6f, 11.3f, 4);
    Color c = height < 0.1f ? mix(DEEP_SEA, SHALLOW_SEA, smoothstep(-0.2f, 0.1f, height))
                            : mix(LAND, DRY_LAND, smoothstep(0.25f, 0.5f, height));
    c = mix(c, CLOUD, 0.8f * smoothstep(0.15f, 0.45f, spaceFbm(n, 2.6f, 71.9f, 4)));
    const float diffuse = dot(n, sun);
    c = scale(c, 0.12f + 0.95f * smoothstep(-0.15f, 0.4f, diffuse));
    const float rim = std::pow(1.0f - n.z, 3.0f);
    return add(c, scale(Color{90, 150, 255}, 0.8f * rim * clamp01(diffuse + 0.4f)));
}

// The stars of the night sky: place (x, y) in the icon and radius (z).
std::vector<Vec3> scatterStars()
{
    constexpr unsigned STAR_SEED = 48;
    constexpr int STAR_COUNT = 18;
    std::mt19937 rng(STAR_SEED);
    std::vector<Vec3> stars;
    for (int star = 0; star < STAR_COUNT; ++star) {
        const float x = randomRange(rng, 0.1f, 0.9f);
        const float y = randomRange(rng, 0.1f, 0.9f);
        stars.push_back({x, y, randomRange(rng, 0.004f, 0.011f)});
    }
    return stars;
}

Sample okelScene(float u, float v, float pixel)
{
    constexpr float SKY_RADIUS = 0.47f;
    constexpr float EARTH_U = 0.69f, EARTH_V = 0.31f, EARTH_RADIUS = 0.235f;
    constexpr Color SKY_MIDDLE = {40, 44, 104};
    constexpr Color SKY_EDGE = {12, 12, 40};
    constexpr Color SKY_RIM = {96, 108, 190};
    constexpr Color OUTLINE = {30, 18, 12};
    const float line = std::max(pixel, 0.01f);

    // The glyph, and a dark outline around it.
    const Ray ray = okelRay(u, v);
    float distance;
    Vec3 normal, point;
    if (hitGlyph(ray, distance, normal, point))
        return {shadeGlyph(normal, point), 1.0f};
    constexpr float DIAGONAL = 0.7071f;
    const float AROUND[][2] = {{1, 0},
                               {DIAGONAL, DIAGONAL},
                               {0, 1},
                               {-DIAGONAL, DIAGONAL},
                               {-1, 0},
                               {-DIAGONAL, -DIAGONAL},
                               {0, -1},
                               {DIAGONAL, -DIAGONAL}};
    for (const auto& [du, dv] : AROUND) {
        if (hitGlyph(okelRay(u + line * du, v + line * dv), distance, normal, point))
            return {OUTLINE, 1.0f};
    }

    // The Earth, with a little glow of air around it.
    const float ex = (u - EARTH_U) / EARTH_RADIUS;
    const float ey = (v - EARTH_V) / EARTH_RADIUS;
    const float fromEarth = std::sqrt(ex * ex + ey * ey);
    if (fromEarth < 1.0f)
        return {shadeEarth(ex, ey), 1.0f};

    // The night sky: a disc darkening to its edge, with a thin bright rim and stars.
    const float fromMiddle = std::hypot(u - 0.5f, v - 0.5f);
    if (fromMiddle > SKY_RADIUS)
        return EMPTY;
    if (fromMiddle > SKY_RADIUS - line)
        return {SKY_RIM, 1.0f};
    Color sky = mix(SKY_MIDDLE, SKY_EDGE, fromMiddle / SKY_RADIUS);
    sky = add(sky, scale(Color{80, 140, 255}, 0.6f * std::exp(-(fromEarth - 1.0f) * 14.0f)));
    static const std::vector<Vec3> stars = scatterStars();
    for (const Vec3& star : stars) {
        if (std::hypot(u - star.x, v - star.y) < std::max(0.6f * pixel, star.z))
            sky = mix(sky, Color{255, 250, 226}, 0.95f);
    }
    return {sky, 1.0f};
}

// okelwalk: the walk-through's room in perspective, with corrugated walls,
// a concrete ceiling and a checkered floor, a leopard-skin block standing in
// the middle and the glowing lamp, inside a square with rounded corners.

const Box ROOM = {{-10, -3, -10}, {10, 3, 10}};
constexpr float BLOCK_TURN = 0.6f; // radians about the vertical
constexpr Vec3 BLOCK_CENTRE = {0.5f, -1.4f, 0.0f};
constexpr Vec3 BLOCK_HALF = {1.6f, 1.6f, 1.6f};
constexpr Vec3 LAMP = {-3.4f, 0.9f, 1.6f};
constexpr float LAMP_RADIUS = 0.38f;
constexpr Vec3 EYE = {0.0f, -0.2f, 6.8f};

// The block, turned about its vertical axis: the ray is turned the other way
// into the block's own frame and the normal back out of it.
Vec3 turnAboutY(Vec3 v, float angle)
{
    return {v.x * std::cos(angle) + v.z * std::sin(angle), v.y, -v.x * std::sin(angle) + v.z * std::cos(angle)};
}

bool hitBlock(const Ray& ray, float& distance, Vec3& normal, Vec3& local)
{
    const Ray turned = {turnAboutY(minus(ray.origin, BLOCK_CENTRE), -BLOCK_TURN),
                        turnAboutY(ray.direction, -BLOCK_TURN)};
    const Box block = {times(BLOCK_HALF, -1.0f), BLOCK_HALF};
    Vec3 n;
    if (!enterBox(turned, block, distance, n))
        return false;
    local = plus(turned.origin, times(turned.direction, distance));
    normal = turnAboutY(n, BLOCK_TURN);
    return true;
}

// Leopard skin on a face of the block: on a golden coat, one spot in each
// cell of a grid, most of them rosettes (a broken black ring around a tawny
// middle), the rest small solid spots.
Color leopardSkin(float s, float t)
{
    constexpr float CELL = 0.8f;
    constexpr Color COAT = {226, 170, 84};
    constexpr Color MIDDLE = {178, 106, 40};
    constexpr Color BLACK = {34, 24, 18};
    const int cx = int(std::floor(s / CELL));
    const int cy = int(std::floor(t / CELL));
    const float ox = s / CELL - cx - (0.3f + 0.4f * cellRandom(cx, cy, 0));
    const float oy = t / CELL - cy - (0.3f + 0.4f * cellRandom(cx, cy, 1));
    const float d = std::sqrt(ox * ox + oy * oy);
    const float angle = std::atan2(oy, ox);
    const bool rosette = cellRandom(cx, cy, 2) < 0.75f;
    const float radius =
        (rosette ? 0.3f : 0.14f) * (1.0f + 0.2f * std::sin(3.0f * angle + 6.0f * cellRandom(cx, cy, 3)));
    if (!rosette)
        return d < radius ? BLACK : COAT;
    // The ring is broken into three pieces by narrow gaps.
    const float gap = std::fabs(std::sin(1.5f * angle + 6.0f * cellRandom(cx, cy, 4)));
    if (d < 0.6f * radius)
        return MIDDLE;
    if (d < radius && gap > 0.2f)
        return BLACK;
    return COAT;
}

Color roomSurface(Vec3 point, Vec3 normal)
{
    constexpr Color FLOOR_LIGHT = {214, 232, 206};
    constexpr Color FLOOR_DARK = {36, 56, 38};
    constexpr Color STEEL = {150, 168, 196};
    constexpr Color CONCRETE = {176, 174, 168};
    if (normal.y > 0.5f) {
        const bool dark = (int(std::floor(point.x / 2.0f)) + int(std::floor(point.z / 2.0f))) % 2 != 0;
        // The floor darkens close around the foot of the block.
        const Vec3 local = turnAboutY(minus(point, BLOCK_CENTRE), -BLOCK_TURN);
        const float outX = std::max(0.0f, std::fabs(local.x) - BLOCK_HALF.x);
        const float outZ = std::max(0.0f, std::fabs(local.z) - BLOCK_HALF.z);
        const float nearBlock = std::exp(-std::sqrt(outX * outX + outZ * outZ) / 0.35f);
        return scale(dark ? FLOOR_DARK : FLOOR_LIGHT, 1.0f - 0.6f * nearBlock);
    }
    if (normal.y < -0.5f)
        return scale(CONCRETE, 1.0f + 0.1f * stb_perlin_noise3(point.x * 0.9f, point.z * 0.9f, 0.5f, 0, 0, 0));
    // Corrugated iron: ridges running up the walls.
    const float across = std::fabs(normal.x) > 0.5f ? point.z : point.x;
    return scale(STEEL, 0.82f + 0.18f * std::sin(across * 2.0f * PI / 0.9f));
}

// How much of the lamp's light reaches a point: falling off with distance,
// and none in the block's shadow.
float lampLight(Vec3 point, Vec3 normal)
{
    const Vec3 toLamp = minus(LAMP, point);
    const float distance = std::sqrt(dot(toLamp, toLamp));
    const Vec3 direction = times(toLamp, 1.0f / distance);
    float blockDistance;
    Vec3 n, local;
    const Ray towardsLamp = {plus(point, times(normal, 0.01f)), direction};
    if (hitBlock(towardsLamp, blockDistance, n, local) && blockDistance < distance)
        return 0.0f;
    return std::max(0.0f, dot(normal, direction)) * 30.0f / (20.0f + distance * distance);
}

Sample okelwalkScene(float u, float v, float pixel)
{
    constexpr Color FRAME = {28, 30, 38};
    constexpr Color LAMP_COLOUR = {255, 240, 170};
    constexpr float HALF_VIEW = 0.95f; // tangent of half the field of view
    const float edge = roundedSquare(u, v, 0.03f, 0.14f);
    if (edge > 0.0f)
        return EMPTY;
    if (edge > -std::max(pixel, 0.012f))
        return {FRAME, 1.0f};

    const float tilt = -0.12f; // the head tilted a little down
    const Vec3 forward = {0.0f, std::sin(tilt), -std::cos(tilt)};
    const Vec3 up = {0.0f, std::cos(tilt), std::sin(tilt)};
    const Vec3 right = {1, 0, 0};
    const Vec3 direction = normalize(
        plus(forward, plus(times(right, (2.0f * u - 1.0f) * HALF_VIEW), times(up, (1.0f - 2.0f * v) * HALF_VIEW))));
    const Ray ray = {EYE, direction};

    float distance;
    Vec3 normal;
    leaveBox(ray, ROOM, distance, normal);
    Vec3 point = plus(EYE, times(direction, distance));
    Color surface = roomSurface(point, normal);

    float blockDistance;
    Vec3 blockNormal, local;
    if (hitBlock(ray, blockDistance, blockNormal, local) && blockDistance < distance) {
        distance = blockDistance;
        normal = blockNormal;
        point = plus(EYE, times(direction, distance));
        // Face coordinates: the two local axes across the face.
        const bool side = std::fabs(local.x) > BLOCK_HALF.x - 1e-3f;
        const bool top = std::fabs(local.y) > BLOCK_HALF.y - 1e-3f;
        surface = leopardSkin(side ? local.z : local.x, top ? local.z : local.y);
    }

    float lampDistance;
    if (hitSphere(ray, LAMP, LAMP_RADIUS, lampDistance) && lampDistance < distance)
        return {LAMP_COLOUR, 1.0f};

    Color c = scale(surface, 0.3f + lampLight(point, normal));
    // The glow around the lamp, from how close the ray passes by it.
    const Vec3 toLamp = minus(LAMP, EYE);
    const float along = dot(toLamp, direction);
    const float passing = std::sqrt(std::max(0.0f, dot(toLamp, toLamp) - along * along));
    c = add(c, scale(LAMP_COLOUR, 0.7f * std::exp(-passing / 0.35f)));
    return {c, 1.0f};
}

} // namespace

Icon makeIcon(int size) { return {size, std::vector<unsigned char>(static_cast<std::size_t>(size) * size * 4, 0)}; }

void drawOkelIcon(Icon& icon) { paintIcon(icon, okelScene); }

void drawOkelwalkIcon(Icon& icon) { paintIcon(icon, okelwalkScene); }
