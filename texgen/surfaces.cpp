// Surface pictures, which cover the glyphs, walls and ceiling: brushed
// metal, gingham, brick, crackle glaze, blue paint, plain white, corrugated
// iron, leopard fur and concrete.
//
// Except the plain ones, they use noise and placement that wrap at the
// picture's edges, so they tile without seams.
#include "texgen/paint.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

// Grey steel polished in one direction: fine streaks running across the
// picture, long along x and narrow along y.
void drawBrushedMetal(TextureImage& picture)
{
    constexpr Color STEEL = {182, 186, 192};
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const float u = centreU(picture, x);
            const float v = centreV(picture, y);
            const float streaks = 0.55f * tiledNoise(u, v, 2, 32, 11) + 0.35f * tiledNoise(u, v, 4, 64, 12) +
                                  0.25f * tiledNoise(u, v, 8, 64, 13);
            const float cloud = tiledFbm(u, v, 2, 3, 14);
            setPixel(picture, x, y, scale(STEEL, 0.92f + 0.22f * streaks + 0.06f * cloud));
        }
    }
}

// Red and white gingham: red warp and weft bands cross, so the cloth shows
// white squares, pink squares where one band runs, and red squares where
// two cross. A faint weave of alternating threads and uneven yarn keeps it
// from looking printed.
void drawGingham(TextureImage& picture)
{
    constexpr int BAND = 16;                                                  // pixels per band; a check is two bands
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
void drawBrickWall(TextureImage& picture)
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

namespace {

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
    const std::size_t nearest =
        std::min_element(offsets.begin(), offsets.end(), [](Vec3 a, Vec3 b) { return dot(a, a) < dot(b, b); }) -
        offsets.begin();
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

} // namespace

// A pale celadon glaze crazed by a network of cracks: large cells with
// dark stained cracks, split by a finer network of fainter ones. The crack
// lines are the borders between randomly placed cells, made to wander by
// noise.
void drawCrackleGlaze(TextureImage& picture)
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
void drawBlueSurface(TextureImage& picture)
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

// Every byte 255: the programs use it to colour text and spheres plain white.
void drawBrightWhite(TextureImage& picture) { std::fill(picture.rgb.begin(), picture.rgb.end(), 255); }

// Galvanised sheet pressed into rounded vertical ridges, lit from the left,
// with patches of rust that gather in the troughs and run down the sheet.
void drawCorrugatedIron(TextureImage& picture)
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
            const float depth = 0.5f + 0.5f * std::sin(phase);               // 1 on a crest, 0 in a trough
            const Vec3 n = normalize({-0.9f * std::cos(phase), 0.0f, 1.0f}); // slope of the sine profile
            const float diffuse = std::max(0.0f, dot(n, light));
            const float shine = std::pow(std::max(0.0f, dot(normalize({light.x, light.y, light.z + 1.0f}), n)), 24.0f);

            const float spangle = tiledNoise(u, v, 32, 32, 81) + 0.5f * tiledNoise(u, v, 128, 128, 82);
            Color c = scale(ZINC, 0.42f + 0.6f * diffuse + 0.05f * spangle);
            c = add(c, scale(Color{255, 255, 255}, 0.15f * shine));

            const float runs = tiledNoise(u, v, 64, 2, 83); // streaks running down the sheet
            const float rustiness = 0.8f * tiledFbm(u, v, 4, 6, 84) + 0.35f * runs + 0.3f * (1.0f - depth) - 0.2f;
            const float rust = smoothstep(0.0f, 0.3f, rustiness);
            const Color rustColour =
                scale(mix(RUST, DARK_RUST, clamp01(0.5f + tiledFbm(u, v, 32, 3, 85))), 0.55f + 0.6f * diffuse);
            setPixel(picture, x, y, mix(c, rustColour, 0.8f * rust));
        }
    }
}

namespace {

// Shortest distance between two coordinates on a ring of the given size.
float wrappedDelta(float a, float b, float size)
{
    const float d = std::fabs(a - b);
    return std::min(d, size - d);
}

} // namespace

// Leopard fur: golden coat with black rosettes (broken rings around a
// darker tawny centre) and small solid spots, scattered so none overlap.
void drawLeopard(TextureImage& picture)
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
        const Spot spot = {randomUnit(rng) * size,
                           randomUnit(rng) * size,
                           rosette ? randomRange(rng, 13.0f, 19.0f) : randomRange(rng, 3.5f, 6.5f),
                           rosette,
                           2 + int(rng() % 3),
                           randomRange(rng, 0.0f, 2.0f * PI)};
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
                const float outline =
                    spot.radius * (1.0f + 0.28f * stb_perlin_noise3(ca * 1.3f + shapeSeed, sa * 1.3f, 0.5f, 0, 0, 0));
                const float outer = clamp01(outline - d + 0.5f);
                if (!spot.rosette) {
                    paintWrapped(picture, px, py, BLACK, outer);
                    continue;
                }
                const float inner =
                    outline * (0.6f + 0.12f * stb_perlin_noise3(ca * 2.0f, sa * 2.0f + shapeSeed, 1.5f, 0, 0, 0));
                const float ring = outer * clamp01(d - inner + 0.5f);
                // Angle from the middle of the nearest piece, against the half width of the pieces.
                const float sector = 2.0f * PI / spot.pieces;
                // The angle wanders with the position so the gaps run crooked, not straight out.
                const float bent = angle + 0.6f * stb_perlin_noise3(ox * 0.15f, oy * 0.15f, shapeSeed + 3.5f, 0, 0, 0);
                const float fromMiddle = std::fabs(std::fmod(bent - spot.turn + 6.0f * PI, sector) - 0.5f * sector);
                const float halfWidth =
                    0.5f * sector - 0.12f * (1.5f + stb_perlin_noise3(ca * 0.9f, sa * 0.9f, shapeSeed + 5.5f, 0, 0, 0));
                const float piece = clamp01((halfWidth - fromMiddle) * d + 0.5f);
                paintWrapped(picture, px, py, ROSETTE_CENTRE, 0.6f * clamp01(inner - d + 0.5f));
                paintWrapped(picture, px, py, BLACK, ring * piece);
            }
        }
    }
}

// Cast concrete: grey with soft cloudy stains, a fine sandy grain, flecks
// of lighter and darker aggregate, and small air holes.
void drawConcrete(TextureImage& picture)
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
                paintWrapped(picture,
                             int(cx) + dx,
                             int(cy) + dy,
                             fleck,
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
                const float lip =
                    clamp01(radius + 1.0f - d + 0.5f) * (1.0f - clamp01(radius - d + 0.5f)) * clamp01(oy / (d + 0.01f));
                paintWrapped(picture, int(cx) + dx, int(cy) + dy, {196, 194, 188}, 0.6f * lip);
                paintWrapped(picture, int(cx) + dx, int(cy) + dy, HOLE, clamp01(radius - d + 0.5f));
            }
        }
    }
}
