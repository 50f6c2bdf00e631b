// Checks what the real texgen writes in the test run's own run of it (the
// fixture texgen.run): the set of files and their sizes, that the build's
// run wrote the same bytes, and that the pictures are roughly what their
// names say; likewise for the icons. Bad command lines run texgen anew.
#define STBI_ONLY_BMP
#define STBI_ONLY_PNG
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>
#include <utility>
#include <vector>

#include "tests/generated/buildLists.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t RAW_256 = 256 * 256 * 3;
constexpr std::uintmax_t BMP_256 = 54 + RAW_256; // header, then rows needing no padding

// The texture files and icons the build lists, from its one list of each.
const std::vector<std::string> TEXTURE_FILES(std::begin(BUILD_TEXTURE_FILES), std::end(BUILD_TEXTURE_FILES));
const std::vector<std::string> ICON_FILES(std::begin(BUILD_ICON_FILES), std::end(BUILD_ICON_FILES));
const std::vector<std::string> WINDOWS_ICON_FILES(std::begin(BUILD_WINDOWS_ICON_FILES),
                                                  std::end(BUILD_WINDOWS_ICON_FILES));

// The size in bytes of each texture file, as the programs read it.
std::uintmax_t expectedBytes(const std::string& name)
{
    const std::pair<const char*, std::uintmax_t> SIZES[] = {
        {"metal6464.raw", 64 * 64 * 3},
        {"star1024.raw", 1024 * 1024 * 3},
        {"tablecloth256.raw", RAW_256},
        {"envwall128.raw", 128 * 128 * 3},
        {"crackle256.raw", RAW_256},
        {"blue.raw", 64 * 64 * 3},
        {"sunset.raw", RAW_256},
        {"earth1024.raw", 1024 * 1024 * 3},
        {"whitebright16.raw", 16 * 16 * 3},
        {"moon256.raw", RAW_256},
        {"corrigatedIronTexture.bmp", BMP_256},
        {"leopard.bmp", BMP_256},
        {"concrete.bmp", BMP_256},
    };
    for (const auto& [file, bytes] : SIZES)
        if (name == file)
            return bytes;
    ADD_FAILURE() << "no size known for " << name;
    return 0;
}

// The pixel size of an icon, from the folder it lies in ("hicolor/48x48/...").
int iconSize(const std::string& path) { return std::stoi(path.substr(path.find('/') + 1)); }

// A fresh empty scratch folder; texgen writes into its "out" folder and its
// stderr into "stderr.txt" there.
fs::path freshScratch(const std::string& label)
{
    const fs::path scratch = fs::temp_directory_path() / ("texgenTest-" + std::to_string(getpid()) + "-" + label);
    fs::remove_all(scratch);
    fs::create_directories(scratch / "out");
    return scratch;
}

// Runs texgen on the given output folder, after the option if one is given,
// and returns its exit status.
int runTexgen(const fs::path& scratch, const fs::path& output, const std::string& option = "")
{
    const std::string command =
        "'" TEXGEN_PATH "' " + option + " '" + output.string() + "' 2>'" + (scratch / "stderr.txt").string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<unsigned char> readBytes(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Pixel (x, y) of a square RAW picture as seen upright, y counted from the top;
// the file holds the bottom row first.
const unsigned char* uprightPixel(const std::vector<unsigned char>& raw, int size, int x, int y)
{
    return raw.data() + (static_cast<std::size_t>(size - 1 - y) * size + x) * 3;
}

// Expects the pixel to match within a few steps per channel; names the place on failure.
void expectPixelNear(const std::vector<unsigned char>& raw, int size, int x, int y, int r, int g, int b)
{
    const unsigned char* p = uprightPixel(raw, size, x, y);
    EXPECT_TRUE(std::abs(p[0] - r) <= 3 && std::abs(p[1] - g) <= 3 && std::abs(p[2] - b) <= 3)
        << "at (" << x << ", " << y << ") expected " << r << "," << g << "," << b << " but saw " << int(p[0]) << ","
        << int(p[1]) << "," << int(p[2]);
}

// Mean of all channels over a square patch of an upright picture.
double patchBrightness(const std::vector<unsigned char>& raw, int size, int x0, int y0, int patch)
{
    double sum = 0;
    for (int y = y0; y < y0 + patch; ++y)
        for (int x = x0; x < x0 + patch; ++x)
            for (int k = 0; k < 3; ++k)
                sum += uprightPixel(raw, size, x, y)[k];
    return sum / (patch * patch * 3);
}

// What texgen wrote in this test run's own run of it (the CTest fixture
// texgen.run): the texture files, the icon theme and the Windows icons.
class TexgenOutput : public testing::Test {
protected:
    static std::vector<unsigned char> bytesOf(const char* name) { return readBytes(OUTPUT / "textures" / name); }
    static fs::path iconFolder() { return OUTPUT / "icons"; }

    static inline const fs::path OUTPUT = TEXGEN_OUTPUT;
};

TEST_F(TexgenOutput, WritesEveryTextureFileAtItsExactSize)
{
    EXPECT_EQ(TEXTURE_FILES.size(), 13u);
    std::set<std::string> written;
    for (const fs::directory_entry& entry : fs::directory_iterator(OUTPUT / "textures"))
        written.insert(entry.path().filename().string());
    EXPECT_EQ(written, std::set<std::string>(TEXTURE_FILES.begin(), TEXTURE_FILES.end()));
    for (const std::string& name : TEXTURE_FILES) {
        ASSERT_TRUE(fs::exists(OUTPUT / "textures" / name)) << name;
        EXPECT_EQ(fs::file_size(OUTPUT / "textures" / name), expectedBytes(name)) << name;
    }
}

TEST_F(TexgenOutput, WhiteBrightIsWhiteInEveryByte)
{
    const std::vector<unsigned char> white = bytesOf("whitebright16.raw");
    ASSERT_EQ(white.size(), 16u * 16 * 3);
    for (std::size_t i = 0; i < white.size(); ++i)
        ASSERT_EQ(white[i], 255) << "byte " << i;
}

TEST_F(TexgenOutput, BmpFilesLoadAs256By256WithThreeChannels)
{
    for (const char* name : {"corrigatedIronTexture.bmp", "leopard.bmp", "concrete.bmp"}) {
        int width = 0, height = 0, channels = 0;
        unsigned char* pixels = stbi_load((OUTPUT / "textures" / name).string().c_str(), &width, &height, &channels, 0);
        ASSERT_NE(pixels, nullptr) << name << ": " << stbi_failure_reason();
        EXPECT_EQ(width, 256) << name;
        EXPECT_EQ(height, 256) << name;
        EXPECT_EQ(channels, 3) << name;
        stbi_image_free(pixels);
    }
}

TEST_F(TexgenOutput, BlueSurfaceIsBlueInEveryPixel)
{
    const std::vector<unsigned char> blue = bytesOf("blue.raw");
    for (std::size_t i = 0; i + 2 < blue.size(); i += 3)
        ASSERT_TRUE(blue[i + 2] > blue[i] + 60 && blue[i + 2] > blue[i + 1] + 60) << "pixel " << i / 3;
}

TEST_F(TexgenOutput, EarthAndMoonAreRoundAndBrightOnBlackCorners)
{
    for (const auto& [name, size] : {std::pair{"earth1024.raw", 1024}, std::pair{"moon256.raw", 256}}) {
        SCOPED_TRACE(name);
        const std::vector<unsigned char> raw = bytesOf(name);
        ASSERT_EQ(raw.size(), std::size_t(size) * size * 3);
        for (const auto& [x, y] :
             {std::pair{2, 2}, std::pair{size - 3, 2}, std::pair{2, size - 3}, std::pair{size - 3, size - 3}})
            expectPixelNear(raw, size, x, y, 0, 0, 0);
        EXPECT_GT(patchBrightness(raw, size, size / 2 - 8, size / 2 - 8, 16), 50.0);
    }
}

TEST_F(TexgenOutput, EarthIsLitFromTheUpperLeftSoRowsRunBottomUp)
{
    const std::vector<unsigned char> earth = bytesOf("earth1024.raw");
    ASSERT_EQ(earth.size(), 1024u * 1024 * 3);
    // The day side faces the upper left, the night side the lower right.
    EXPECT_GT(patchBrightness(earth, 1024, 240, 240, 64), 3.0 * patchBrightness(earth, 1024, 720, 720, 64));
}

TEST_F(TexgenOutput, StarFieldIsMostlyDarkWithSomeBrightStars)
{
    const std::vector<unsigned char> stars = bytesOf("star1024.raw");
    std::size_t dark = 0, bright = 0;
    for (std::size_t i = 0; i + 2 < stars.size(); i += 3) {
        const int brightest = std::max({stars[i], stars[i + 1], stars[i + 2]});
        dark += brightest < 60;
        bright += brightest > 200;
    }
    EXPECT_GT(dark, stars.size() / 3 * 9 / 10);
    EXPECT_GT(bright, 200u);
}

// Every icon is a square PNG of its folder's size, mostly covered, with
// clear corners and many colours: a picture, not a blank or a flat square.
// The okel icon is mostly the golden glyph, the okelwalk icon has a
// checkered floor of dark and light squares near its bottom.
TEST_F(TexgenOutput, IconsAreSquarePngsOfTheirFolderSizeShowingTheirScenes)
{
    EXPECT_EQ(ICON_FILES.size(), 6u);
    for (const std::string& name : ICON_FILES) {
        SCOPED_TRACE(name);
        const int size = iconSize(name);
        int width = 0, height = 0, channels = 0;
        unsigned char* pixels = stbi_load((iconFolder() / name).string().c_str(), &width, &height, &channels, 4);
        ASSERT_NE(pixels, nullptr) << stbi_failure_reason();
        ASSERT_EQ(width, size);
        EXPECT_EQ(height, size);
        EXPECT_EQ(channels, 4);
        const auto at = [&](int x, int y) { return pixels + (std::size_t(y) * size + x) * 4; };
        std::size_t opaque = 0, gold = 0;
        std::set<unsigned> colours;
        for (const unsigned char* p = pixels; p < pixels + size * size * 4; p += 4)
            if (p[3] == 255) {
                ++opaque;
                colours.insert(p[0] << 16 | p[1] << 8 | p[2]);
                gold += p[0] > 150 && p[0] > p[2] + 80;
            }
        EXPECT_GT(opaque, std::size_t(size) * size / 2);
        EXPECT_GT(colours.size(), 100u);
        for (const auto& [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}})
            EXPECT_EQ(at(x, y)[3], 0) << "corner (" << x << ", " << y << ")";
        if (name.find("okelwalk") == std::string::npos) {
            EXPECT_GT(gold, std::size_t(size) * size / 10);
        } else {
            int dark = 0, light = 0;
            for (int x = size / 8; x < size - size / 8; ++x) {
                const unsigned char* p = at(x, size * 17 / 20);
                dark += std::max({p[0], p[1], p[2]}) < 70;
                light += std::min({p[0], p[1], p[2]}) > 150;
            }
            EXPECT_GT(dark, size / 10);
            EXPECT_GT(light, size / 10);
        }
        stbi_image_free(pixels);
    }
}

// The build ran texgen too, into its own folders: a second run, which
// wrote the same bytes.
TEST_F(TexgenOutput, ASecondRunWritesIdenticalBytes)
{
    for (const std::string& name : TEXTURE_FILES)
        EXPECT_TRUE(readBytes(OUTPUT / "textures" / name) == readBytes(fs::path(BUILD_TEXTURES) / name)) << name;
    for (const std::string& name : ICON_FILES)
        EXPECT_TRUE(readBytes(iconFolder() / name) == readBytes(fs::path(BUILD_ICONS) / name)) << name;
    for (const std::string& name : WINDOWS_ICON_FILES)
        EXPECT_TRUE(readBytes(OUTPUT / "ico" / name) == readBytes(fs::path(BUILD_ICONS) / name)) << name;
}

// The Windows icon files hold the same pictures at 16, 32, 48 and 256
// pixels: the small ones as 32-bit bitmaps (bottom-up BGRA rows, then the
// transparency mask), the largest as PNG. At 48 pixels the bitmap is the
// icon theme's 48-pixel PNG, pixel for pixel.
TEST_F(TexgenOutput, WindowsIconFilesHoldFourSizesOfTheSamePictures)
{
    for (const char* program : {"okel", "okelwalk"}) {
        SCOPED_TRACE(program);
        const std::vector<unsigned char> file = readBytes(OUTPUT / "ico" / (std::string(program) + ".ico"));
        ASSERT_GT(file.size(), 6u + 4 * 16);
        const auto u32 = [&](std::size_t at) {
            return std::uint32_t(file[at]) | file[at + 1] << 8 | file[at + 2] << 16 | std::uint32_t(file[at + 3]) << 24;
        };
        EXPECT_EQ(u32(0), 0x10000u); // an icon file, then the number of images
        ASSERT_EQ(file[4], 4);
        int theme = 0, channels = 0;
        unsigned char* png48 =
            stbi_load((iconFolder() / "hicolor/48x48/apps" / (std::string(program) + ".png")).c_str(),
                      &theme,
                      &theme,
                      &channels,
                      4);
        ASSERT_NE(png48, nullptr);
        const int sizes[] = {16, 32, 48, 256};
        for (int i = 0; i < 4; ++i) {
            const std::size_t entry = 6 + 16 * i, bytes = u32(entry + 8), offset = u32(entry + 12);
            ASSERT_LE(offset + bytes, file.size());
            EXPECT_EQ(file[entry], sizes[i] % 256); // 0 stands for 256
            if (sizes[i] == 256) {
                int width = 0, height = 0;
                unsigned char* pixels = stbi_load_from_memory(&file[offset], int(bytes), &width, &height, &channels, 4);
                EXPECT_TRUE(pixels && width == 256 && height == 256);
                stbi_image_free(pixels);
                continue;
            }
            EXPECT_EQ(u32(offset + 4), std::uint32_t(sizes[i]));
            EXPECT_EQ(u32(offset + 8), std::uint32_t(2 * sizes[i]));
            EXPECT_EQ(bytes, 40 + sizes[i] * sizes[i] * 4 + (sizes[i] + 31) / 32 * 4 * sizes[i]);
            if (sizes[i] != 48)
                continue;
            for (int y = 0; y < 48; ++y)
                for (int x = 0; x < 48; ++x) {
                    const unsigned char* bgra = &file[offset + 40 + ((47 - y) * 48 + x) * 4];
                    const unsigned char* rgba = png48 + (y * 48 + x) * 4;
                    ASSERT_TRUE(bgra[0] == rgba[2] && bgra[1] == rgba[1] && bgra[2] == rgba[0] && bgra[3] == rgba[3])
                        << "pixel (" << x << ", " << y << ")";
                }
        }
        stbi_image_free(png48);
    }
}

TEST(TexgenRun, MissingFolderFailsWithStatusOneAndAMessage)
{
    const fs::path scratch = freshScratch("missing");
    EXPECT_EQ(runTexgen(scratch, scratch / "no-such-folder"), 1);
    EXPECT_GT(fs::file_size(scratch / "stderr.txt"), 0u);
    fs::remove_all(scratch);
}

// Each bad command line or unwritable icon place ends with status 1 and a
// message on stderr, which names the place when there is one.
TEST(TexgenRun, BadCommandLinesAndUnwritableIconsFailWithStatusOneAndAMessage)
{
    const fs::path scratch = freshScratch("usage");
    const std::string fileInTheWay = (scratch / "out" / "file").string();
    std::ofstream(fileInTheWay) << "a file where the icon folder should go";
    const std::string folderInTheWay = (scratch / "out" / "theme").string();
    fs::create_directories(folderInTheWay + "/hicolor/48x48/apps/okel.png");
    const std::tuple<const char*, std::string, std::string> CASES[] = {
        {"--icons alone", "--icons", ""},
        {"empty folder", "''", ""},
        {"empty icon folder", "--icons ''", ""},
        {"too many words", "a b", ""},
        {"icon folder under a file", "--icons '" + fileInTheWay + "'", fileInTheWay},
        {"folder where an icon goes",
         "--icons '" + folderInTheWay + "'",
         folderInTheWay + "/hicolor/48x48/apps/okel.png"},
    };
    for (const auto& [label, arguments, named] : CASES) {
        SCOPED_TRACE(label);
        const std::string command = "'" TEXGEN_PATH "' " + arguments + " 2>'" + (scratch / "stderr.txt").string() + "'";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
        const std::vector<unsigned char> message = readBytes(scratch / "stderr.txt");
        EXPECT_FALSE(message.empty());
        EXPECT_NE(std::string(message.begin(), message.end()).find(named), std::string::npos);
    }
    fs::remove_all(scratch);
}

} // namespace
