// Tests of the walk-through's BMP reader: files the test writes itself, files
// it must refuse, and the BMP corpus compared with stb_image's reader.
#include "okelwalk/bitmap.h"
#include "tests/support/bmpWriter.h"
#include "tests/support/files.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#include <stb_image.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;

const std::string CORPUS = BMPSUITE_DIR;

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
    return bmpFile(width, topDown ? -height : height, 24, 0, {}, gap, pixels);
}

// A bottom-up 24-bit file whose rows are exactly `pixels` (no padding is
// needed for a width that is a multiple of 4), filled row by row: for
// pictures too large to build pixel by pixel.
Bytes buildLarge24BitFile(long width, long height, Bytes& pixels)
{
    std::size_t rowBytes = std::size_t(width) * 3;
    pixels.resize(rowBytes * std::size_t(height));
    unsigned char* byte = pixels.data();
    for (long y = 0; y < height; ++y) {
        for (std::size_t i = 0; i < rowBytes; ++i) {
            *byte++ = static_cast<unsigned char>(i * 7 + std::size_t(y));
        }
    }
    return bmpFile(width, height, 24, 0, {}, 0, pixels);
}

// A full palette of 256 black entries for RLE8 files that only test sizes.
const Bytes BLACK_PALETTE(256 * 4, 0);

void expectWellFormed(const Bitmap& bitmap)
{
    EXPECT_GT(bitmap.width, 0);
    EXPECT_GT(bitmap.height, 0);
    EXPECT_EQ(bitmap.rowBytes, (std::size_t(bitmap.width) * 3 + 3) / 4 * 4);
    EXPECT_EQ(bitmap.bits.size(), bitmap.rowBytes * std::size_t(bitmap.height));
}

void expectEmpty(const Bitmap& bitmap)
{
    EXPECT_TRUE(bitmap.width == 0 && bitmap.height == 0 && bitmap.rowBytes == 0 && bitmap.bits.empty());
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
        ADD_FAILURE() << "pixel (" << i % actual.rowBytes / 3 << ", " << i / actual.rowBytes << ") byte " << i
                      << ": expected BGR " << int(expected.bits[pixel]) << "," << int(expected.bits[pixel + 1]) << ","
                      << int(expected.bits[pixel + 2]) << " observed " << int(actual.bits[pixel]) << ","
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
            bitmap.bits[y * bitmap.rowBytes + i] = rgb[std::size_t(height - 1 - y) * width * 3 + i / 3 * 3 + 2 - i % 3];
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

// Each test writes its files in a fresh folder (writeFile of files.h).
class BitmapFileTest : public testing::Test {
protected:
    ScratchFolder folder;
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
    // Short by fewer bytes than the pixels' offset (54, and 154 past a
    // gap): a size check that added the offset instead of taking it away
    // would let the rows run past the end of the file. Rows of 5 pixels take
    // 15 bytes and 1 of padding, so 2 bytes short cuts into the last pixel.
    Bytes lastPixelShort = build24BitFile(5, 4, false, 0);
    lastPixelShort.resize(lastPixelShort.size() - 2);
    Bytes rowsShort = build24BitFile(5, 8, false, 100);
    rowsShort.resize(rowsShort.size() - 100);
    fs::create_directory("folder.bmp");
    const std::pair<const char*, std::string> cases[] = {
        {"missing file", "missing.bmp"},
        {"empty file", writeFile("empty.bmp", {})},
        {"directory", "folder.bmp"},
        {"random bytes", writeFile("noise.bmp", noise)},
        {"truncated pixels", writeFile("truncated.bmp", truncated)},
        {"last pixel one byte short", writeFile("lastPixelShort.bmp", lastPixelShort)},
        {"100 bytes short of rows that start 154 bytes in", writeFile("rowsShort.bmp", rowsShort)},
        {"zero width", writeFile("zeroWidth.bmp", bmpFile(0, 4, 24, 0, {}, 0, Bytes(16, 0x40)))},
        {"100000 x 100000 pixels", writeFile("huge.bmp", bmpFile(100000, 100000, 24, 0, {}, 0, Bytes(64, 0)))},
        {"1,080 bytes of RLE8 claiming 16384 x 16384 with only an end-of-picture code",
         writeFile("claims.bmp", bmpFile(16384, 16384, 8, 1, BLACK_PALETTE, 0, {0, 1}))},
    };
    const Bytes small = build24BitFile(3, 3, false, 0);
    for (const auto& [label, path] : cases) {
        SCOPED_TRACE(label);
        Bitmap bitmap;
        ASSERT_TRUE(decodeBitmap(small.data(), small.size(), bitmap));
        EXPECT_FALSE(readBitmapFile(path.c_str(), bitmap));
        expectEmpty(bitmap);
    }
    // The short files from memory of exactly their size, where a read past
    // the end shows under the sanitizers.
    for (const Bytes* file : {&lastPixelShort, &rowsShort}) {
        Bitmap bitmap;
        EXPECT_FALSE(decodeBitmap(file->data(), file->size(), bitmap));
        expectEmpty(bitmap);
    }
}

TEST_F(BitmapFileTest, PicturesWithinTheMemoryBudgetLoadAndLargerOnesAreRefused)
{
    // A genuine 4096 x 4096 24-bit file: 48 MiB of rows, within the budget.
    Bytes pixels;
    std::string path = writeFile("big.bmp", buildLarge24BitFile(4096, 4096, pixels));
    Bitmap bitmap;
    ASSERT_TRUE(readBitmapFile(path.c_str(), bitmap));
    EXPECT_EQ(bitmap.width, 4096);
    EXPECT_EQ(bitmap.height, 4096);
    EXPECT_TRUE(bitmap.bits == pixels) << "the rows differ from the file's";
    releaseBitmap(bitmap);

    // 4096 x 5462 needs 12288 x 5462 bytes, just over 64 MiB; one row less
    // is just within. The file holds all of its rows.
    ASSERT_LE(12288u * 5461u, BITMAP_MAX_BYTES);
    ASSERT_GT(12288u * 5462u, BITMAP_MAX_BYTES);
    Bytes over = bmpFile(4096, 5462, 24, 0, {}, 0, Bytes(12288u * 5462u, 0x40));
    EXPECT_FALSE(decodeBitmap(over.data(), over.size(), bitmap));
    expectEmpty(bitmap);

    // The same limit for RLE, where a few bytes may claim a whole picture.
    Bytes within = bmpFile(4096, 5461, 8, 1, BLACK_PALETTE, 0, {0, 1});
    EXPECT_TRUE(decodeBitmap(within.data(), within.size(), bitmap));
    EXPECT_EQ(bitmap.bits.size(), 12288u * 5461u);
    over = bmpFile(4096, 5462, 8, 1, BLACK_PALETTE, 0, {0, 1});
    EXPECT_FALSE(decodeBitmap(over.data(), over.size(), bitmap));
    expectEmpty(bitmap);

    // A file far bigger than any picture within the budget needs is refused
    // unread, though its headers alone would pass (sparse, so it is cheap).
    path = writeFile("padded.bmp", bmpFile(4096, 4096, 24, 0, {}, 0, Bytes(64, 0)));
    fs::resize_file(path, std::uintmax_t(200) << 20);
    EXPECT_FALSE(readBitmapFile(path.c_str(), bitmap));
    expectEmpty(bitmap);

    // The largest file worth reading holds the largest picture within the
    // budget at 32 bits (4 file bytes for 3 decoded ones) and 1 MiB more for
    // headers, palette and colour profile; a file of exactly that size is
    // read, one byte more is refused unread. A small budget keeps the file
    // small; the tail after the pixels is zeros (sparse).
    const BitmapLimits smallBudget{64, 3 * 1024};
    const std::uintmax_t largestFile = smallBudget.maxBytes / 3 * 4 + (std::uintmax_t(1) << 20);
    const Bytes small = build24BitFile(5, 4, false, 0);
    Bitmap expected;
    ASSERT_TRUE(decodeBitmap(small.data(), small.size(), expected, smallBudget));
    path = writeFile("largest.bmp", small);
    fs::resize_file(path, largestFile);
    ASSERT_TRUE(readBitmapFile(path.c_str(), bitmap, smallBudget)) << "a file of exactly the largest size";
    expectSamePicture(expected, bitmap);
    fs::resize_file(path, largestFile + 1);
    EXPECT_FALSE(readBitmapFile(path.c_str(), bitmap, smallBudget)) << "a file one byte over the largest size";
    expectEmpty(bitmap);

    // A caller's own limits: the 4096 x 5461 picture loads with exactly its
    // sides and bytes as the limits; one row fewer of budget, or a largest
    // side one short of its height, refuses it.
    EXPECT_TRUE(decodeBitmap(within.data(), within.size(), bitmap, BitmapLimits{5461, 12288u * 5461u}));
    EXPECT_FALSE(decodeBitmap(within.data(), within.size(), bitmap, BitmapLimits{5461, 12288u * 5460u}));
    EXPECT_FALSE(decodeBitmap(within.data(), within.size(), bitmap, BitmapLimits{5460, BITMAP_MAX_BYTES}));
    expectEmpty(bitmap);
}

// The run-length tests' palette, one letter an index, with its blue,
// green and red; '.' stands for black, the colour of every pixel the codes
// never set.
const char RUN_LENGTH_LETTERS[] = "WRGBYCM";
const unsigned char RUN_LENGTH_BGR[][3] = {
    {255, 255, 255}, // W, index 0
    {0, 0, 255},     // R
    {0, 255, 0},     // G
    {255, 0, 0},     // B
    {0, 255, 255},   // Y
    {255, 255, 0},   // C
    {255, 0, 255},   // M, index 6
};

Bytes buildRunLengthFile(unsigned int bitCount, long width, long height, const Bytes& runs)
{
    Bytes palette;
    for (const auto& bgr : RUN_LENGTH_BGR) {
        palette.insert(palette.end(), {bgr[0], bgr[1], bgr[2], 0});
    }
    return bmpFile(width, height, bitCount, bitCount == 8 ? 1 : 2, palette, 0, runs);
}

// The picture that rows of palette letters show, in the reader's layout;
// `rows` lists the picture's rows from the bottom up, as the file's codes
// fill them.
Bitmap pictureOfLetters(const std::vector<std::string>& rows)
{
    Bitmap picture;
    picture.width = int(rows[0].size());
    picture.height = int(rows.size());
    picture.rowBytes = (rows[0].size() * 3 + 3) / 4 * 4;
    picture.bits.assign(picture.rowBytes * rows.size(), 0);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const char* letter = std::strchr(RUN_LENGTH_LETTERS, rows[y][x]);
            if (rows[y][x] != '.' && letter != nullptr) {
                const unsigned char* bgr = RUN_LENGTH_BGR[letter - RUN_LENGTH_LETTERS];
                std::copy(bgr, bgr + 3, picture.bits.begin() + y * picture.rowBytes + 3 * x);
            }
        }
    }
    return picture;
}

// Each code moves the drawing position its own way: a run or a literal
// along the row, an end of line to the start of the next row, a delta right
// and up by its two counts, an end of picture out of it. Every case's
// pixels are worked out by hand from its codes.
TEST(BitmapDecode, RunLengthCodesPutEveryPixelWhereTheyMoveTheDrawingPosition)
{
    struct Case {
        const char* label;
        unsigned int bitCount;
        Bytes runs;
        std::vector<std::string> rows; // bottom row first
    };
    const Case cases[] = {
        {"RLE8 every code: runs, literals of 3 (padded) and 4, ends of line, deltas (3, 1) and (2, 0)",
         8,
         {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 3, 1, 2, 5, 0, 0, 0, 4, 6, 1, 2, 3, 0, 2, 2, 0, 1, 4, 0, 1},
         {"RRRGBY..", "........", "...CC...", "MRGB..Y."}},
        {"RLE4 every code: alternating runs, literals of 3 and 5 (padded) indexes, end of line, delta (2, 1)",
         4,
         {5, 0x12, 0, 3, 0x34, 0x50, 0, 0, 1, 0x66, 0, 2, 2, 1, 0, 5, 0x01, 0x23, 0x40, 0, 0, 1},
         {"RGRGRBYC", "M.......", "...WRGBY"}},
        {"RLE8 delta (1, 1) between two pixels", 8, {1, 1, 0, 2, 1, 1, 1, 1, 0, 1}, {"R...", "..R."}},
        {"RLE8 end of picture after two pixels", 8, {2, 1, 0, 1}, {"RR..", "...."}},
        {"RLE8 delta past the top", 8, {1, 2, 0, 2, 1, 5}, {"G...", "...."}},
        {"RLE8 end of line after the top row, no end of picture",
         8,
         {4, 1, 0, 0, 0, 3, 2, 1, 2, 0, 0, 0},
         {"RRRR", "GRG."}},
        {"RLE8 run and literal past the right edge are cut there",
         8,
         {6, 3, 0, 0, 0, 5, 4, 5, 6, 1, 2, 0, 0, 1},
         {"BBBB", "YCMR"}},
        {"RLE4 end of picture after three pixels", 4, {3, 0x12, 0, 1}, {"RGR.", "...."}},
        {"RLE4 delta past the top", 4, {0, 3, 0x21, 0x20, 0, 2, 0, 9}, {"GRG.", "...."}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.label);
        Bytes file = buildRunLengthFile(test.bitCount, long(test.rows[0].size()), long(test.rows.size()), test.runs);
        Bitmap bitmap;
        ASSERT_TRUE(decodeBitmap(file.data(), file.size(), bitmap));
        expectSamePicture(pictureOfLetters(test.rows), bitmap);
    }
}

// The corpus's run-length files that skip pixels with deltas and early
// ends: every pixel they set is the plain sibling's, every other is black.
// The two "trns" files skip the same pixels, exactly the white strokes of
// the letters in the middle of the picture (rows 19 to 44); the two "cut"
// files end the picture before its top five rows.
TEST(BitmapCorpus, RunLengthFilesWithSkippedPixelsShowTheirSiblingsPixelsOrBlack)
{
    struct Case {
        const char* file;
        const char* sibling;
    };
    const Case cases[] = {{"q/pal8rletrns", "g/pal8"},
                          {"q/pal4rletrns", "g/pal4"},
                          {"q/pal8rlecut", "g/pal8"},
                          {"q/pal4rlecut", "g/pal4"}};
    auto pixel = [](const Bitmap& b, int x, int y) {
        return &b.bits[std::size_t(y) * b.rowBytes + 3 * std::size_t(x)];
    };
    auto isBlack = [](const unsigned char* p) { return p[0] == 0 && p[1] == 0 && p[2] == 0; };
    auto isWhite = [](const unsigned char* p) { return p[0] == 255 && p[1] == 255 && p[2] == 255; };
    std::map<std::string, std::vector<bool>> skipped;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.file);
        Bitmap picture;
        Bitmap sibling;
        ASSERT_TRUE(readBitmapFile((CORPUS + "/" + test.file + ".bmp").c_str(), picture));
        ASSERT_TRUE(readBitmapFile((CORPUS + "/" + test.sibling + ".bmp").c_str(), sibling));
        ASSERT_EQ(picture.width, sibling.width);
        ASSERT_EQ(picture.height, sibling.height);
        std::vector<bool>& mask = skipped[test.file];
        int unlike = 0;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                const unsigned char* ours = pixel(picture, x, y);
                const unsigned char* theirs = pixel(sibling, x, y);
                const bool same = std::equal(ours, ours + 3, theirs);
                mask.push_back(!same);
                if (!same && !isBlack(ours) && unlike++ == 0) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is neither the sibling's nor black";
                }
                if (y >= 59 && std::string(test.file).find("cut") != std::string::npos) {
                    EXPECT_TRUE(isBlack(ours)) << "pixel (" << x << ", " << y << ") above the early end";
                }
            }
        }
    }
    // The letters' white strokes, from the 8-bit sibling.
    Bitmap plain;
    ASSERT_TRUE(readBitmapFile((CORPUS + "/g/pal8.bmp").c_str(), plain));
    std::vector<bool> strokes;
    for (int y = 0; y < plain.height; ++y) {
        for (int x = 0; x < plain.width; ++x) {
            strokes.push_back(y >= 19 && y <= 44 && isWhite(pixel(plain, x, y)));
        }
    }
    EXPECT_EQ(std::count(strokes.begin(), strokes.end(), true), 416);
    EXPECT_TRUE(skipped["q/pal8rletrns"] == strokes);
    EXPECT_TRUE(skipped["q/pal4rletrns"] == strokes);
}

TEST(BitmapDecode, RunLengthDataThatStopsBeforeItsEndIsRefused)
{
    struct Case {
        const char* label;
        unsigned int bitCount;
        Bytes runs;
    };
    const Case cases[] = {
        {"RLE8 runs without an end", 8, {2, 1, 0, 0, 3, 2}},
        {"RLE8 cut inside a literal", 8, {0, 4, 1, 2}},
        {"RLE8 cut inside a delta", 8, {1, 1, 0, 2, 1}},
        {"RLE8 holding a single byte", 8, {0}},
        {"RLE4 runs without an end", 4, {4, 0x12, 0, 0, 2, 0x11}},
        {"RLE4 cut inside a literal", 4, {0, 4, 0x12}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.label);
        Bytes file = buildRunLengthFile(test.bitCount, 4, 2, test.runs);
        Bitmap bitmap;
        EXPECT_FALSE(decodeBitmap(file.data(), file.size(), bitmap));
        expectEmpty(bitmap);
    }
}

// A file's bytes; none if it cannot be read.
Bytes readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t fileU32(const Bytes& file, std::size_t at)
{
    return std::uint32_t(file[at]) | std::uint32_t(file[at + 1]) << 8 | std::uint32_t(file[at + 2]) << 16 |
           std::uint32_t(file[at + 3]) << 24;
}

// The picture a bottom-up 24-bit, or 16-bit bit-field, file with a 40-byte
// header defines, worked out from its bytes: the pixels start at bfOffBits,
// and whatever lies between the headers and them (at these depths a palette
// only suggests colours to a display that has few) is no part of the
// picture. Rows are padded to 4 bytes; a 24-bit pixel is blue, green, red; a
// 16-bit one is split by the three masks after the header, and each field of
// n bits is widened to 8 by repeating its top bits (abcde -> abcdeabc).
Bitmap directColourPicture(const Bytes& file)
{
    Bitmap picture;
    picture.width = int(fileU32(file, 18));
    picture.height = int(fileU32(file, 22));
    picture.rowBytes = (std::size_t(picture.width) * 3 + 3) / 4 * 4;
    picture.bits.assign(picture.rowBytes * std::size_t(picture.height), 0);
    const std::size_t bytesPerPixel = file[28] / 8u;
    const std::size_t stride = (std::size_t(picture.width) * bytesPerPixel + 3) / 4 * 4;
    for (std::size_t y = 0; y < std::size_t(picture.height); ++y) {
        for (std::size_t x = 0; x < std::size_t(picture.width); ++x) {
            const std::size_t at = fileU32(file, 10) + y * stride + x * bytesPerPixel;
            unsigned char* bgr = &picture.bits[y * picture.rowBytes + 3 * x];
            if (bytesPerPixel == 3) {
                std::copy(file.begin() + long(at), file.begin() + long(at) + 3, bgr);
                continue;
            }
            const std::uint32_t value = file[at] | std::uint32_t(file[at + 1]) << 8;
            for (int c = 0; c < 3; ++c) {
                std::uint32_t mask = fileU32(file, 54 + 4 * (2 - c)); // blue's is the third
                int low = 0;
                while ((mask >> low & 1) == 0) {
                    ++low;
                }
                const int bits = int(std::bitset<32>(mask).count());
                const std::uint32_t field = (value & mask) >> low;
                bgr[c] = static_cast<unsigned char>(field << (8 - bits) | field >> (2 * bits - 8));
            }
        }
    }
    return picture;
}

// Files that show exactly a plainer file's pixels are checked against that
// file, not stb_image: it refuses RLE, and its answer for the two whose
// pixels come after a palette they do not use depends on its version (2.27
// refuses them, 2.30 reads their pixels from as far past bfOffBits as the
// palette is long). Those two are also checked against the pixels they
// define themselves.
struct Sibling {
    const char* file;
    bool pixelsAfterUnusedPalette;
};
const std::map<std::string, Sibling> SIBLINGS = {
    {"pal4rle.bmp", {"pal4.bmp", false}},
    {"pal8rle.bmp", {"pal8.bmp", false}},
    {"pal8topdown.bmp", {"pal8.bmp", false}},
    {"rgb24pal.bmp", {"rgb24.bmp", true}},
    {"rgb16-565pal.bmp", {"rgb16-565.bmp", true}},
};

class GoodCorpusFile : public testing::TestWithParam<std::string> {};

TEST_P(GoodCorpusFile, LoadsWithTheSamePixelsAsTheReference)
{
    std::string path = CORPUS + "/g/" + GetParam();
    Bitmap ours;
    ASSERT_TRUE(readBitmapFile(path.c_str(), ours));
    expectWellFormed(ours);
    Bitmap reference;
    auto sibling = SIBLINGS.find(GetParam());
    if (sibling == SIBLINGS.end()) {
        SCOPED_TRACE("compared with stb_image");
        ASSERT_TRUE(loadWithStb(path, reference)) << "no reference picture";
        expectSamePicture(reference, ours);
        return;
    }
    {
        SCOPED_TRACE(std::string("compared with ") + sibling->second.file);
        ASSERT_TRUE(readBitmapFile((CORPUS + "/g/" + sibling->second.file).c_str(), reference));
        expectSamePicture(reference, ours);
    }
    if (sibling->second.pixelsAfterUnusedPalette) {
        SCOPED_TRACE("compared with the pixels at bfOffBits");
        Bytes file = readBytes(path);
        ASSERT_EQ(fileU32(file, 14), 40u);
        ASSERT_TRUE((file[28] == 24 && fileU32(file, 30) == 0) || (file[28] == 16 && fileU32(file, 30) == 3));
        ASSERT_GT(fileU32(file, 46), 0u) << "the file declares no palette";
        expectSamePicture(directColourPicture(file), ours);
    }
}

INSTANTIATE_TEST_SUITE_P(BitmapCorpus, GoodCorpusFile, testing::ValuesIn(corpusFiles("g")),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param.substr(0, info.param.find('.'));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(BitmapCorpus, GoodFolderHoldsAllTwentySevenFiles) { EXPECT_EQ(corpusFiles("g").size(), 27u); }

// Every questionable and bad file loads well formed or is refused, leaving
// the bitmap empty: the fuzz replay (bitmapFuzzReplay) checks that of every
// corpus file, with the fuzz target's full list of rules.
TEST(BitmapCorpus, UnsupportedAndCorruptFilesAreRefused)
{
    for (const char* name : {"q/rgb24jpeg",
                             "q/rgb24png",
                             "q/rgb24rle24",
                             "q/pal1huffmsb",
                             "b/badbitcount",
                             "b/badplanes",
                             "b/badwidth",
                             "b/badheadersize",
                             "b/reallybig",
                             "b/shortfile",
                             "b/rletopdown",
                             "b/rgb16-880"}) {
        Bitmap bitmap;
        EXPECT_FALSE(readBitmapFile((CORPUS + "/" + name + ".bmp").c_str(), bitmap)) << name;
    }
}

} // namespace
