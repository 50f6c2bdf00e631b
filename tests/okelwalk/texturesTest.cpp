// The walk-through's textures (textures.cpp) in a real OpenGL context: the
// textures initTextures makes from the solid-colour files and the floor's
// checker, and the files it cannot use.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "okelwalk/textures.h"
#include "okelwalk/walk.h"
#include "tests/okelwalk/startUpFixture.h"
#include "tests/support/files.h"
#include "tests/support/glWindow.h"
#include "tests/support/picture.h"
#include "tests/support/walkTestScene.h"

namespace {

// Every texel of a texture image is the colour.
::testing::AssertionResult allTexels(const std::vector<unsigned char>& image, Rgb colour)
{
    for (size_t i = 0; i + 2 < image.size(); i += 3) {
        const Rgb texel{image[i], image[i + 1], image[i + 2]};
        if (!(texel == colour))
            return ::testing::AssertionFailure() << "texel " << i / 3 << " is " << texel << ", expected " << colour;
    }
    return ::testing::AssertionSuccess();
}

Rgb texelAt(const std::vector<unsigned char>& image, int width, int row, int column)
{
    const unsigned char* p = &image[(static_cast<size_t>(row) * width + column) * 3];
    return {p[0], p[1], p[2]};
}

// The floor's checkerboard in the bound texture: black at (0, 0), squares
// of 8 texels.
void expectChecker()
{
    int width = 0, height = 0;
    const std::vector<unsigned char> image = readTextureImage(0, width, height);
    ASSERT_EQ(width, CHECKER_SIZE);
    ASSERT_EQ(height, CHECKER_SIZE);
    const Rgb black{0, 0, 0}, white{255, 255, 255};
    EXPECT_EQ(texelAt(image, width, 0, 0), black);
    EXPECT_EQ(texelAt(image, width, 0, 8), white);
    EXPECT_EQ(texelAt(image, width, 8, 0), white);
    EXPECT_EQ(texelAt(image, width, 8, 8), black);
    EXPECT_EQ(texelAt(image, width, 7, 7), black);
    EXPECT_EQ(texelAt(image, width, 63, 56), black);
    EXPECT_EQ(texelAt(image, width, 63, 55), white);
}

TEST_F(StartUp, FileTexturesHoldTheirPicturesWithLinearFilteringAndRepeat)
{
    struct FileTexture {
        const char* name;
        GLuint texture;
        Rgb colour;
    };
    const FileTexture textures[] = {
        {"wall", wallTexture, WALL_COLOUR},
        {"glyph", glyphTexture, GLYPH_COLOUR},
        {"ceiling", ceilingTexture, CEILING_COLOUR},
    };
    EXPECT_NE(wallTexture, glyphTexture);
    EXPECT_NE(wallTexture, ceilingTexture);
    EXPECT_NE(glyphTexture, ceilingTexture);
    for (const FileTexture& t : textures) {
        SCOPED_TRACE(t.name);
        EXPECT_NE(t.texture, 0u);
        glBindTexture(GL_TEXTURE_2D, t.texture);
        int width = 0, height = 0;
        const std::vector<unsigned char> image = readTextureImage(0, width, height);
        EXPECT_EQ(width, 256);
        EXPECT_EQ(height, 256);
        EXPECT_TRUE(allTexels(image, t.colour));
        EXPECT_EQ(texParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
        EXPECT_EQ(texParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
        EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
        EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
    }
}

TEST_F(StartUp, FloorCheckerLivesInTheDefaultTextureWithNearestFilteringAndMipmaps)
{
    EXPECT_EQ(floorTexture, 0u);
    glBindTexture(GL_TEXTURE_2D, 0);
    expectChecker();
    EXPECT_EQ(texParameter(GL_TEXTURE_MIN_FILTER), GL_NEAREST);
    EXPECT_EQ(texParameter(GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
    for (int level = 1; level <= 6; ++level) {
        int width = 0, height = 0;
        readTextureImage(level, width, height);
        EXPECT_EQ(width, CHECKER_SIZE >> level) << "level " << level;
        EXPECT_EQ(height, CHECKER_SIZE >> level) << "level " << level;
    }
}

TEST_F(StartUp, TexturesModulateTheLitColourWithPerspectiveCorrection)
{
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
    EXPECT_EQ(integer(GL_PERSPECTIVE_CORRECTION_HINT), GL_NICEST);
}

TEST_F(StartUp, MissingFileStillGetsAFreshNameButNoTexture)
{
    GLuint texture = 0;
    EXPECT_FALSE(loadBitmapTexture("no such file.bmp", texture));
    EXPECT_NE(texture, 0u);
    for (GLuint other : {wallTexture, glyphTexture, ceilingTexture})
        EXPECT_NE(texture, other);
    EXPECT_FALSE(glIsTexture(texture));
}

TEST_F(StartUp, NarrowBitmapWithPaddedRowsUploadsUnskewed)
{
    // Rows of 6 bytes padded to 8.
    const std::vector<Rgb> pixels = {{10, 20, 30}, {200, 100, 50}, {60, 250, 120}, {90, 40, 220}};
    writeBitmap("narrow.bmp", 2, 2, pixels);
    GLuint texture = 0;
    ASSERT_TRUE(loadBitmapTexture("narrow.bmp", texture));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), texture) << "left bound";
    int width = 0, height = 0;
    const std::vector<unsigned char> image = readTextureImage(0, width, height);
    ASSERT_EQ(width, 2);
    ASSERT_EQ(height, 2);
    // The file's first row is the bottom one, texture row t = 0.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(texelAt(image, 2, i / 2, i % 2), pixels[i]) << "texel " << i;
    glDeleteTextures(1, &texture);
}

} // namespace
