// Tests of the walk-through's BMP reader: files the test writes itself, files
// it must refuse, and the BMP corpus compared with stb_image's reader.
#include "bitmap.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#include <stb_image.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;

const std::string CORPUS = BMPSUITE_DIR;

// A BMP file with a 40-byte header; `palette` holds 4-byte entries and `gap`
// junk bytes sit between the palette and the pixels.
Bytes buildFile(long width, long height, unsigned int bitCount, unsigned int compression,
                const Bytes& palette, std::size_t gap, const Bytes& pixels)
{
    unsigned long offset = 14 + 40 + palette.size() + gap;
    const std::pair<unsigned long, int> fields[] = {
        {offset + pixels.size(), 4}, {0, 4}, {offset, 4}, {40, 4},
        {static_cast<unsigned long>(width), 4}, {static_cast<unsigned long>(height), 4},
        {1, 2}, {bitCount, 2}, {compression, 4}, {pixels.size(), 4}, {2835, 4}, {2835, 4},
        {palette.size() / 4, 4}, {0, 4}};
    Bytes file = {'B', 'M'};
    for (const auto& [value, bytes] : fields) {
        for (int i = 0; i < bytes; ++i) {
            file.push_back((value >> (8 * i)) & 0xFF);
        }
    }
    file.insert(file.end(), palette.begin(), palette.end());
    file.insert(file.end(), gap, 0xAA);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

// Channel c (0 blue, 1 green, 2 red) of pixel (x, y), y counted from the bottom.
unsigned char testColour(int x, int y, int c)
{
    return static_cast<unsigned char>(c == 0 ? x : c == 1 ? y : x * 3 + y * 5 + 17);
}

// A 24-bit file of testColour, its rows padded with non-zero junk.
Bytes build24BitFile(int width, int height, bool topDown, std::size_t gap)
{
    Bytes pixels;
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) {
                pixels.push_back(testColour(x, topDown ? height - 1 - row : row, c));
            }
        }
        pixels.resize((pixels.size() + 3) / 4 * 4, 0xEE);
    }
    return buildFile(width, topDown ? -height : height, 24, 0, {}, gap, pixels);
}

void expectWellFormed(const Bitmap& bitmap)
{
    EXPECT_GT(bitmap.width, 0);
    EXPECT_GT(bitmap.height, 0);
    EXPECT_EQ(bitmap.rowBytes, (std::size_t(bitmap.width) * 3 + 3) / 4 * 4);
    EXPECT_EQ(bitmap.bits.size(), bitmap.rowBytes * std::size_t(bitmap.height));
}

void expectEmpty(const Bitmap& bitmap)
{
    EXPECT_TRUE(bitmap.width == 0 && bitmap.height == 0 && bitmap.rowBytes == 0 &&
                bitmap.bits.empty());
}

// Compares two pictures byte for byte, padding included; reports the first
// differing pixel with its coordinates (from the bottom) and colours.
void expectSamePicture(const Bitmap& expected, const Bitmap& actual)
{
    ASSERT_EQ(actual.width, expected.width);
    ASSERT_EQ(actual.height, expected.height);
    ASSERT_EQ(actual.rowBytes, expected.rowBytes);
    ASSERT_EQ(actual.bits.size(), expected.bits.size());
    auto [e, a] = std::mismatch(expected.bits.begin(), expected.bits.end(), actual.bits.begin());
    if (e != expected.bits.end()) {
        std::size_t i = e - expected.bits.begin();
        std::size_t pixel = i - i % actual.rowBytes % 3;
        ADD_FAILURE() << "pixel (" << i % actual.rowBytes / 3 << ", " << i / actual.rowBytes
                      << ") byte " << i << ": expected BGR " << int(expected.bits[pixel]) << ","
                      << int(expected.bits[pixel + 1]) << "," << int(expected.bits[pixel + 2])
                      << " observed " << int(actual.bits[pixel]) << ","
                      << int(actual.bits[pixel + 1]) << "," << int(actual.bits[pixel + 2]);
    }
}

// stb_image's picture in our layout: its rows are top-down RGB, ours are
// bottom-up BGR padded to 4 bytes.
bool loadWithStb(const std::string& path, Bitmap& bitmap)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* rgb = stbi_load(path.c_str(), &width, &height, &channels, 3);
    if (rgb == nullptr) {
        return false;
    }
    bitmap.width = width;
    bitmap.height = height;
    bitmap.rowBytes = (std::size_t(width) * 3 + 3) / 4 * 4;
    bitmap.bits.assign(bitmap.rowBytes * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int i = 0; i < width * 3; ++i) {
            bitmap.bits[y * bitmap.rowBytes + i] =
                rgb[std::size_t(height - 1 - y) * width * 3 + i / 3 * 3 + 2 - i % 3];
        }
    }
    stbi_image_free(rgb);
    return true;
}

// The names of a corpus folder's files, sorted; none if it is missing.
std::vector<std::string> corpusFiles(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(CORPUS + "/" + folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Each test gets a fresh folder for the files it writes.
class BitmapFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
        folder = fs::temp_directory_path() /
                 ("bitmapTest-" + test + "-" + std::to_string(::getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string writeFile(const std::string& name, const Bytes& bytes)
    {
        std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    fs::path folder;
};

TEST_F(BitmapFileTest, Written24BitFilesArriveAsBottomUpRowsPaddedWithZeros)
{
    struct Case {
        const char* label;
        int width, height;
        bool topDown;
        std::size_t gap, rowBytes;
    };
    const Case cases[] = {
        {"256 x 256 in rows of 768 bytes", 256, 256, false, 0, 768},
        {"2 wide in rows of 6 bytes padded to 8, unskewed", 2, 5, false, 0, 8},
        {"top-down file comes out bottom-up", 7, 9, true, 0, 24},
        {"pixels start at a bfOffBits past the headers", 5, 4, false, 100, 16},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.label);
        Bitmap expected;
        expected.width = test.width;
        expected.height = test.height;
        expected.rowBytes = test.rowBytes;
        expected.bits.assign(test.rowBytes * test.height, 0);
        for (int y = 0; y < test.height; ++y) {
            for (int i = 0; i < test.width * 3; ++i) {
                expected.bits[y * test.rowBytes + i] = testColour(i / 3, y, i % 3);
            }
        }
        Bytes file = build24BitFile(test.width, test.height, test.topDown, test.gap);
        Bitmap bitmap;
        ASSERT_TRUE(readBitmapFile(writeFile("picture.bmp", file).c_str(), bitmap));
        expectSamePicture(expected, bitmap);
        releaseBitmap(bitmap);
        expectEmpty(bitmap);
    }
}

TEST_F(BitmapFileTest, UnreadableFilesAreRefusedAndLeaveTheBitmapEmpty)
{
    std::mt19937 random(12345);
    Bytes noise(5000);
    std::generate(noise.begin(), noise.end(), [&] { return random() & 0xFF; });
    Bytes truncated = build24BitFile(64, 64, false, 0);
    truncated.resize(truncated.size() / 2);
    fs::create_directory(folder / "folder.bmp");
    const std::pair<const char*, std::string> cases[] = {
        {"missing file", (folder / "missing.bmp").string()},
        {"empty file", writeFile("empty.bmp", {})},
        {"directory", (folder / "folder.bmp").string()},
        {"random bytes", writeFile("noise.bmp", noise)},
        {"truncated pixels", writeFile("truncated.bmp", truncated)},
        {"100000 x 100000 pixels",
         writeFile("huge.bmp", buildFile(100000, 100000, 24, 0, {}, 0, Bytes(64, 0)))},
    };
    const Bytes small = build24BitFile(3, 3, false, 0);
    for (const auto& [label, path] : cases) {
        SCOPED_TRACE(label);
        Bitmap bitmap;
        ASSERT_TRUE(decodeBitmap(small.data(), small.size(), bitmap));
        EXPECT_FALSE(readBitmapFile(path.c_str(), bitmap));
        expectEmpty(bitmap);
    }
}

TEST(BitmapDecode, PixelsTheRunLengthsNeverSetAreBlack)
{
    // Index 0 white, index 1 red; a 4 x 2 picture whose runs set only (0, 0)
    // and, after a delta of (2, 1), pixel (2, 1).
    const Bytes palette = {255, 255, 255, 0, 0, 0, 255, 0};
    Bytes file = buildFile(4, 2, 8, 1, palette, 0, {1, 1, 0, 2, 1, 1, 1, 1, 0, 1});
    Bitmap bitmap;
    ASSERT_TRUE(decodeBitmap(file.data(), file.size(), bitmap));
    const Bytes expected = {0, 0, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                            0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0};
    EXPECT_EQ(bitmap.bits, expected);
}

// stb_image refuses RLE and files whose pixels do not follow the headers
// directly; those are checked against a plain file showing the same pixels.
const std::map<std::string, std::string> SIBLINGS = {
    {"pal4rle.bmp", "pal4.bmp"}, {"pal8rle.bmp", "pal8.bmp"}, {"pal8topdown.bmp", "pal8.bmp"},
    {"rgb24pal.bmp", "rgb24.bmp"}, {"rgb16-565pal.bmp", "rgb16-565.bmp"},
};

class GoodCorpusFile : public testing::TestWithParam<std::string> {};

TEST_P(GoodCorpusFile, LoadsWithTheSamePixelsAsTheReference)
{
    std::string path = CORPUS + "/g/" + GetParam();
    Bitmap ours;
    ASSERT_TRUE(readBitmapFile(path.c_str(), ours));
    expectWellFormed(ours);
    Bitmap reference;
    bool stbLoaded = loadWithStb(path, reference);
    if (stbLoaded) {
        SCOPED_TRACE("compared with stb_image");
        expectSamePicture(reference, ours);
    }
    auto sibling = SIBLINGS.find(GetParam());
    if (sibling != SIBLINGS.end()) {
        SCOPED_TRACE("compared with " + sibling->second);
        ASSERT_TRUE(readBitmapFile((CORPUS + "/g/" + sibling->second).c_str(), reference));
        expectSamePicture(reference, ours);
    } else {
        EXPECT_TRUE(stbLoaded) << "no reference picture";
    }
}

INSTANTIATE_TEST_SUITE_P(BitmapCorpus, GoodCorpusFile, testing::ValuesIn(corpusFiles("g")),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param.substr(0, info.param.find('.'));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(BitmapCorpus, GoodFolderHoldsAllTwentySevenFiles)
{
    EXPECT_EQ(corpusFiles("g").size(), 27u);
}

TEST(BitmapCorpus, QuestionableAndBadFilesLoadWellFormedOrAreRefused)
{
    for (const char* folder : {"q", "b"}) {
        std::vector<std::string> names = corpusFiles(folder);
        EXPECT_GE(names.size(), 20u) << folder;
        for (const std::string& name : names) {
            SCOPED_TRACE(std::string(folder) + "/" + name);
            Bitmap bitmap;
            bool ok = readBitmapFile((CORPUS + "/" + folder + "/" + name).c_str(), bitmap);
            ok ? expectWellFormed(bitmap) : expectEmpty(bitmap);
        }
    }
}

TEST(BitmapCorpus, UnsupportedAndCorruptFilesAreRefused)
{
    for (const char* name : {"q/rgb24jpeg", "q/rgb24png", "q/rgb24rle24", "q/pal1huffmsb",
                             "b/badbitcount", "b/badplanes", "b/badwidth", "b/badheadersize",
                             "b/reallybig", "b/shortfile", "b/rletopdown", "b/rgb16-880"}) {
        Bitmap bitmap;
        EXPECT_FALSE(readBitmapFile((CORPUS + "/" + name + ".bmp").c_str(), bitmap)) << name;
    }
}

}  // namespace
