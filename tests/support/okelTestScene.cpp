// Helpers for tests of the letter-scene viewer.
#include "tests/support/okelTestScene.h"

#include <gtest/gtest.h>

#include "generated/textureFiles.h"
#include "okel/scene.h"
#include "tests/support/files.h"
#include "tests/support/picture.h"

namespace {

struct SolidFile {
    TextureFile file;
    Rgb colour;
};

// Colours far enough apart that a probe with a small tolerance tells them
// apart.
const SolidFile SOLID_FILES[] = {
    {METAL_FILE, {200, 0, 0}},
    {STAR_FILE, {0, 200, 0}},
    {TABLECLOTH_FILE, {0, 0, 200}},
    {ENVWALL_FILE, {200, 200, 0}},
    {CRACKLE_FILE, {0, 200, 200}},
    {BLUE_FILE, {200, 0, 200}},
    {SUNSET_FILE, {255, 128, 0}},
    {EARTH_FILE, {40, 40, 120}},
    {WHITEBRIGHT_FILE, {255, 255, 255}},
    {MOON_FILE, {160, 100, 60}},
};

} // namespace

void writeSolidTextures()
{
    for (const SolidFile& solid : SOLID_FILES)
        writeFile(solid.file.name,
                  solidRaw(solid.file.size,
                           solid.file.size,
                           static_cast<unsigned char>(solid.colour.r),
                           static_cast<unsigned char>(solid.colour.g),
                           static_cast<unsigned char>(solid.colour.b)));
}

Rgb solidColourOf(const std::string& fileName)
{
    for (const SolidFile& solid : SOLID_FILES)
        if (fileName == solid.file.name)
            return solid.colour;
    ADD_FAILURE() << "no solid texture named " << fileName;
    return {};
}

double windowX(double x) { return (x + VIEW_SIZE / 2.0) / VIEW_SIZE * WINDOW_WIDTH; }
double windowY(double y) { return (VIEW_SIZE / 2.0 - y) / VIEW_SIZE * WINDOW_HEIGHT; }
int px(double x) { return static_cast<int>(windowX(x)); }
int py(double y) { return static_cast<int>(windowY(y)); }

const ViewBox GLYPH1_COLUMN{-140, -30, -110, 30};

::testing::AssertionResult showsChecker(const Screenshot& picture, const ViewBox& face)
{
    // At the column's 80 x 120 pixels, each square is 10 x 15.
    const double width = (windowX(face.right) - windowX(face.left)) / 8;
    const double height = (windowY(face.bottom) - windowY(face.top)) / 8;
    for (int row = 0; row < 8; ++row) // from the bottom
        for (int column = 0; column < 8; ++column) {
            const int x = static_cast<int>(windowX(face.left) + (column + 0.5) * width);
            const int y = static_cast<int>(windowY(face.bottom) - (row + 0.5) * height);
            const Rgb expected = (row + column) % 2 == 0 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
            ::testing::AssertionResult result = probe(picture, x, y, expected);
            if (!result)
                return result << " (checker square " << column << " from the left, " << row << " from the bottom)";
        }
    return ::testing::AssertionSuccess();
}

const WordBox WORD_BOXES[13] = {
    {{-140, -30, -110, 30}, "A1 column", 1, false},
    {{-155, 30, -95, 60}, "A1 top bar", 1, false},
    {{-155, -60, -95, -30}, "A1 bottom bar", 1, false},
    {{-65, -30, -35, 30}, "A2 column", 2, false},
    {{-80, 30, -20, 60}, "A2 top bar", 2, false},
    {{-80, -60, -20, -30}, "A2 bottom bar", 2, false},
    {{-5, 37.5, 55, 59.5}, "B top bar", 3, true},
    {{-5, -61.5, 55, -39.5}, "B bottom bar", 3, true},
    {{5, -12, 45, 10}, "B middle bar", 3, true},
    {{45, -39.5, 55, 10}, "B right upright", 3, true},
    {{-5, -12, 5, 37.5}, "B left upright", 3, true},
    {{85, -61, 115, 19}, "C column", 4, false},
    {{70, 19, 130, 59}, "C top bar", 4, false},
};
