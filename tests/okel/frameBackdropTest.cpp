// The letter-scene viewer's backdrop group, and the word tripled by the big
// scale: what shows from the front and from behind, where the far plane
// clips the backdrop.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "okel/scene.h"
#include "tests/okel/frameFixture.h"
#include "tests/support/okelTestScene.h"
#include "tests/support/picture.h"

namespace {

TEST_F(Frame, BigScaleTriplesTheWordAndPutsTheBackdropBeyondTheFarPlane)
{
    glyphSlot3 = 5;
    bigScale = 1;
    const Screenshot picture = drawFrames();
    keepForFailure(picture, "big");
    // Glyph B's top bar now spans y 112.5 .. 178.5 and x -15 .. 165.
    EXPECT_TRUE(probe(picture, px(75), py(145), colourOf("envwall128.raw")));
    EXPECT_TRUE(probe(picture, px(60), py(70), BLACK)) << "the backdrop is not drawn";
    EXPECT_TRUE(probe(picture, px(-40), py(0), BLACK));
    EXPECT_GT(countNear(picture, 0, 726, 700, 760, WHITE), 400) << "the status text keeps its size";
}

TEST_F(Frame, FromTheBackTheBackdropIsClippedAndTheMoonAndSpheresShow)
{
    glyphSlot1 = glyphSlot2 = glyphSlot3 = glyphSlot4 = 7; // no white on the word
    cameraZ = -50.0f;
    const Screenshot picture = drawFrames();
    keepForFailure(picture, "back");
    // Seen from behind, x is mirrored: the moon at (-60, 120) shows at x 60.
    EXPECT_TRUE(probe(picture, px(60), py(120), colourOf("moon256.raw")));
    // The first sphere of the small cluster at (15, 100) shows at x -15.
    EXPECT_TRUE(probe(picture, px(-15), py(100), WHITE));
    // The large cluster's sphere at (-60, -100) shows at x 60, below the
    // word.
    EXPECT_TRUE(probe(picture, px(60), py(-100), WHITE));
    EXPECT_TRUE(probe(picture, px(0), py(150), BLACK));
    EXPECT_EQ(countNear(picture, 0, 0, WIDTH - 1, HEIGHT - 1, colourOf("earth1024.raw")), 0);

    // Tripled, the clusters and the moon lie beyond the far plane too.
    bigScale = 1;
    const Screenshot big = drawFrames();
    EXPECT_EQ(countNear(big, 0, 0, WIDTH - 1, 700, colourOf("moon256.raw")), 0);
    EXPECT_EQ(countNear(big, 0, 0, WIDTH - 1, 700, WHITE), 0);
}

// The backdrop group from behind, at three spins: each sphere of the two
// clusters is a disc of radius 4 pixels (1.5 units across, 2 up in the
// spun frame) about its centre, and the moon a 60 x 80 rectangle, each
// where the group's spin puts it, mirrored; the word hides some of them.
// Every pixel about each sphere whose centre lies more than half a pixel
// inside its outline shows it white and every one more than half a pixel
// outside shows the black beyond the clipped backdrop, so a sphere a
// quarter larger or smaller, its outline a pixel away, fails; at each corner
// of the moon the pixels either side of both edges show where it ends. The
// spheres show at this size only: tripled, they lie beyond the clipping
// planes from every place the camera reaches.
TEST_F(Frame, FromBehindEverySphereAndTheMoonStandWhereTheGroupPutsThem)
{
    glyphSlot1 = glyphSlot2 = glyphSlot3 = glyphSlot4 = 7; // no white on the word
    cameraZ = -50.0f;
    // Sphere centres in the spun frame: the small cluster, then the large.
    const double centres[][2] = {
        {15, 100},
        {30, 100},
        {45, 80},
        {45, 60},
        {30, 40},
        {15, 40},
        {-15, -20},
        {-30, -20},
        {-45, -20},
        {-60, -20},
        {-75, -20},
        {-90, -20},
        {-60, -60},
        {-60, -100},
        {-60, -140},
        {-30, -140},
        {-45, -160},
        {-60, -160},
    };
    int seen[18] = {0}, corners = 0;
    for (const float spin : {0.0f, 180.0f, 270.0f}) {
        spinAngle = spin;
        const Screenshot picture = drawFrames();
        keepForFailure(picture, "behind");
        SCOPED_TRACE(::testing::Message() << "spin " << spin);
        const double c = std::cos(spin * M_PI / 180), sn = std::sin(spin * M_PI / 180);
        // The view-box point of a spun-frame point, and the other way.
        const auto toView = [&](double x, double y) { return std::pair{-(x * c - y * sn), x * sn + y * c}; };
        const auto toSpun = [&](double x, double y) { return std::pair{-x * c + y * sn, x * sn + y * c}; };
        const auto hidden = [](double x, double y) {
            for (const WordBox& box : WORD_BOXES)
                if (-x > box.left - 1 && -x < box.right + 1 && y > box.bottom - 1 && y < box.top + 1)
                    return true;
            return false;
        };
        for (int i = 0; i < 18; ++i) {
            const auto [vx, vy] = toView(centres[i][0], centres[i][1]);
            for (int row = py(vy) - 7; row <= py(vy) + 7; ++row)
                for (int column = px(vx) - 7; column <= px(vx) + 7; ++column) {
                    const double x = (column + 0.5) * VIEW_SIZE / WIDTH - VIEW_SIZE / 2.0;
                    const double y = VIEW_SIZE / 2.0 - (row + 0.5) * VIEW_SIZE / HEIGHT;
                    const auto [sx, sy] = toSpun(x, y);
                    const double r = std::hypot((sx - centres[i][0]) / 1.5, (sy - centres[i][1]) / 2);
                    if (hidden(x, y) || std::abs(r - 1) < 0.125)
                        continue;
                    seen[i] += r < 0.25 ? 1 : 0;
                    EXPECT_TRUE(probe(picture, column, row, r < 1 ? WHITE : BLACK))
                        << "sphere " << i << " at (" << centres[i][0] << ", " << centres[i][1] << "), " << r
                        << " of its radius from its centre";
                }
        }
        const Rgb moon = colourOf("moon256.raw");
        for (const double mx : {-90.0, -30.0})
            for (const double my : {80.0, 160.0}) {
                const auto [vx, vy] = toView(mx, my);
                const auto [cx, cy] = toView(-60, 120);
                if (hidden(vx, vy))
                    continue;
                int left = 0, right = 0, top = 0, bottom = 0;
                ASSERT_TRUE(pixelsAround(windowX(vx), left, right) && pixelsAround(windowY(vy), top, bottom));
                // The pixel inside the corner, and the one past each edge.
                const int inX = vx < cx ? right : left, outX = vx < cx ? left : right;
                const int inY = vy > cy ? bottom : top, outY = vy > cy ? top : bottom;
                SCOPED_TRACE(::testing::Message() << "moon corner (" << mx << ", " << my << ")");
                ++corners;
                EXPECT_TRUE(probe(picture, inX, inY, moon));
                EXPECT_TRUE(probe(picture, outX, inY, BLACK));
                EXPECT_TRUE(probe(picture, inX, outY, BLACK));
            }
    }
    for (int i = 0; i < 18; ++i)
        EXPECT_GT(seen[i], 0) << "sphere " << i << " is hidden at every spin";
    EXPECT_GE(corners, 8);
}

} // namespace
