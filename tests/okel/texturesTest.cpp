// Texture loading of the letter-scene viewer, in a real OpenGL context.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "okel/scene.h"
#include "okel/textures.h"
#include "tests/okel/startedSceneFixture.h"
#include "tests/support/files.h"
#include "tests/support/glWindow.h"
#include "tests/support/okelTestScene.h"

namespace {

class Textures : public StartedScene {
protected:
    GLint envMode()
    {
        GLint value = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
        return value;
    }

    // The colour of texel (s, t) of the current texture's first level.
    Rgb texel(int s, int t)
    {
        int width = 0;
        int height = 0;
        const std::vector<unsigned char> image = readTextureImage(0, width, height);
        const unsigned char* p = &image[(static_cast<size_t>(t) * width + s) * 3];
        return {p[0], p[1], p[2]};
    }

    ScratchFolder folder;
};

TEST_F(Textures, FileTextureReadsExactlyItsSizeAndBuildsEveryMipmapLevel)
{
    // A longer file: its bytes past 64 x 64 x 3 must not be read.
    std::vector<unsigned char> bytes = solidRaw(64, 64, 10, 20, 30);
    const std::vector<unsigned char> tail = solidRaw(8, 8, 99, 99, 99);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    writeFile("long.raw", bytes);
    std::memset(rawBuffer, 7, sizeof rawBuffer);

    loadRawTexture("long.raw", 64, 64);

    EXPECT_EQ(rawBuffer[64 * 64 * 3 - 1], 30);
    EXPECT_EQ(rawBuffer[64 * 64 * 3], 7) << "read past the picture's size";
    EXPECT_EQ(texel(0, 0), (Rgb{10, 20, 30}));
    EXPECT_EQ(texel(63, 63), (Rgb{10, 20, 30}));
    EXPECT_EQ(texParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(texParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
    EXPECT_EQ(envMode(), GL_REPLACE);
    int width = 0;
    int height = 0;
    readTextureImage(6, width, height);
    EXPECT_EQ(width, 1);
    EXPECT_EQ(height, 1);
    const std::vector<unsigned char> smallest = readTextureImage(6, width, height);
    EXPECT_EQ(smallest, (std::vector<unsigned char>{10, 20, 30}));
}

TEST_F(Textures, FileRowsStartAtTextureRowZero)
{
    std::vector<unsigned char> bytes = solidRaw(16, 16, 0, 0, 0);
    bytes[0] = 255;               // first pixel of the first row
    bytes[15 * 16 * 3 + 1] = 255; // first pixel of the last row
    writeFile("rows.raw", bytes);
    loadRawTexture("rows.raw", 16, 16);
    EXPECT_EQ(texel(0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(texel(0, 15), (Rgb{0, 255, 0}));
}

TEST_F(Textures, ShortFileKeepsWhatEarlierLoadsLeft)
{
    writeFile("full.raw", solidRaw(16, 16, 200, 0, 0));
    writeFile("half.raw", solidRaw(16, 8, 0, 0, 200));
    loadRawTexture("full.raw", 16, 16);
    loadRawTexture("half.raw", 16, 16);
    EXPECT_EQ(texel(3, 2), (Rgb{0, 0, 200}));
    EXPECT_EQ(texel(3, 7), (Rgb{0, 0, 200}));
    EXPECT_EQ(texel(3, 8), (Rgb{200, 0, 0}));
    EXPECT_EQ(texel(3, 15), (Rgb{200, 0, 0}));
}

TEST_F(Textures, MissingFileReadsNothingAndStillMakesTheTexture)
{
    writeFile("full.raw", solidRaw(16, 16, 0, 150, 0));
    loadRawTexture("full.raw", 16, 16);
    uploadPattern(0);
    ASSERT_EQ(texParameter(GL_TEXTURE_MIN_FILTER), GL_NEAREST);

    loadRawTexture("no-such-file.raw", 16, 16);

    EXPECT_EQ(texel(5, 5), (Rgb{0, 150, 0}));
    EXPECT_EQ(texParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(envMode(), GL_REPLACE);
}

TEST_F(Textures, SizeLargerThanTheBufferIsIgnored)
{
    writeFile("full.raw", solidRaw(16, 16, 1, 2, 3));
    loadRawTexture("full.raw", 16, 16);
    loadRawTexture("full.raw", 2048, 2048);
    loadRawTexture("full.raw", -4, 16);
    int width = 0;
    int height = 0;
    readTextureImage(0, width, height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(texel(0, 0), (Rgb{1, 2, 3}));
}

TEST_F(Textures, EachFileSlotLoadsItsFileAtItsSize)
{
    writeSolidTextures();
    struct SlotCase {
        unsigned int slot;
        const char* file;
        int size;
    };
    const SlotCase cases[] = {
        {2, "metal6464.raw", 64},
        {3, "star1024.raw", 1024},
        {4, "tablecloth256.raw", 256},
        {5, "envwall128.raw", 128},
        {6, "crackle256.raw", 256},
        {7, "blue.raw", 64},
        {8, "metal6464.raw", 64},
        {9, "sunset.raw", 256},
    };
    for (const SlotCase& c : cases) {
        selectTexture(c.slot);
        int width = 0;
        int height = 0;
        readTextureImage(0, width, height);
        EXPECT_EQ(width, c.size) << "slot " << c.slot;
        EXPECT_EQ(height, c.size) << "slot " << c.slot;
        EXPECT_EQ(texel(width - 1, height - 1), solidColourOf(c.file)) << "slot " << c.slot;
    }
}

TEST_F(Textures, ProceduralSlotsUploadOneNearestFilteredLevel)
{
    writeSolidTextures();
    for (unsigned int slot : {0u, 1u}) {
        selectTexture(3); // a file texture with mipmaps first
        selectTexture(slot);
        EXPECT_EQ(texParameter(GL_TEXTURE_MIN_FILTER), GL_NEAREST) << "slot " << slot;
        EXPECT_EQ(texParameter(GL_TEXTURE_MAG_FILTER), GL_NEAREST) << "slot " << slot;
        int width = 0;
        int height = 0;
        const std::vector<unsigned char> image = readTextureImage(0, width, height);
        ASSERT_EQ(width, 64);
        const unsigned char* expected = slot == 0 ? checkerImage : gradientImage;
        EXPECT_TRUE(std::equal(image.begin(), image.end(), expected)) << "slot " << slot;
    }
}

TEST_F(Textures, PatternUploadLeavesTheEnvironmentModeAlone)
{
    // Until the first file load the procedural slots are modulated, as in
    // a fresh context.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    selectTexture(0);
    EXPECT_EQ(envMode(), GL_MODULATE);
    writeSolidTextures();
    selectTexture(2);
    selectTexture(1);
    EXPECT_EQ(envMode(), GL_REPLACE);
}

TEST_F(Textures, SlotsPastNineAndUnknownPatternsKeepTheCurrentImage)
{
    writeSolidTextures();
    selectTexture(7);
    selectTexture(10);
    selectTexture(4000000000u);
    EXPECT_EQ(texel(1, 1), solidColourOf("blue.raw"));
    EXPECT_EQ(texParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);

    uploadPattern(2); // sets the parameters, sends no picture
    EXPECT_EQ(texel(1, 1), solidColourOf("blue.raw"));
    EXPECT_EQ(texParameter(GL_TEXTURE_MIN_FILTER), GL_NEAREST);
}

} // namespace
