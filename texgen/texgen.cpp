// texgen: writes every texture file of okel and okelwalk into one folder, or
// the two programs' icons into an icon theme folder.
//
// Usage: texgen <output-folder>
//        texgen --icons <output-folder>
//        texgen --ico <output-folder>
//
// RAW files are headerless 8-bit RGB with the bottom row of the picture
// first, as the programs hand them straight to OpenGL; BMP files are 24-bit.
// The icons are RGBA PNG files, okel.png and okelwalk.png, in
// hicolor/<N>x<N>/apps/ for N = 48, 128 and 256; texgen makes those folders.
// With --ico it writes the same icons as Windows icon files, okel.ico and
// okelwalk.ico, each holding the picture drawn at 16, 32, 48 and 256 pixels:
// the small ones as 32-bit bitmaps with a transparency mask, the largest as
// PNG, as Windows keeps them.
// Existing files are overwritten. On a failed write texgen names the file on
// stderr and exits with status 1.
#include "generated/textureFiles.h"
#include "texgen/pictures.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace {

// Each texture file with the picture it shows.
struct TexturePicture {
    TextureFile file;
    void (*draw)(TextureImage&);
};

const TexturePicture TEXTURE_PICTURES[] = {
    {METAL_FILE, drawBrushedMetal},
    {STAR_FILE, drawStarField},
    {TABLECLOTH_FILE, drawGingham},
    {ENVWALL_FILE, drawBrickWall},
    {CRACKLE_FILE, drawCrackleGlaze},
    {BLUE_FILE, drawBlueSurface},
    {SUNSET_FILE, drawSunset},
    {EARTH_FILE, drawEarth},
    {WHITEBRIGHT_FILE, drawBrightWhite},
    {MOON_FILE, drawMoon},
    {WALL_FILE, drawCorrugatedIron},
    {GLYPH_FILE, drawLeopard},
    {CEILING_FILE, drawConcrete},
};

// Writes the rows bottom-up, so the first row in the file is texture row 0.
bool writeRaw(const std::string& path, const TextureImage& picture)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * 3;
    for (int row = picture.height - 1; row >= 0 && file; --row) {
        const unsigned char* start = picture.rgb.data() + row * rowBytes;
        file.write(reinterpret_cast<const char*>(start), static_cast<std::streamsize>(rowBytes));
    }
    file.close();
    return !file.fail();
}

bool writeBmp(const std::string& path, const TextureImage& picture)
{
    return stbi_write_bmp(path.c_str(), picture.width, picture.height, 3, picture.rgb.data()) != 0;
}

struct IconFile {
    const char* name;
    void (*draw)(Icon&);
};

const IconFile ICON_FILES[] = {
    {"okel.png", drawOkelIcon},
    {"okelwalk.png", drawOkelwalkIcon},
};

const int ICON_SIZES[] = {48, 128, 256};

// Names the file that could not be written, with the system's reason when
// there is one.
int reportFailedWrite(const std::string& path)
{
    std::cerr << "texgen: cannot write " << path;
    if (errno != 0)
        std::cerr << ": " << std::strerror(errno);
    std::cerr << '\n';
    return 1;
}

int writeIcons(const std::string& folder)
{
    for (int size : ICON_SIZES) {
        const std::string sizeName = std::to_string(size) + "x" + std::to_string(size);
        const std::string appsFolder = folder + "/hicolor/" + sizeName + "/apps";
        std::error_code error;
        std::filesystem::create_directories(appsFolder, error);
        if (error) {
            std::cerr << "texgen: cannot make folder " << appsFolder << ": " << error.message() << '\n';
            return 1;
        }
        for (const IconFile& file : ICON_FILES) {
            Icon icon = makeIcon(size);
            file.draw(icon);
            const std::string path = appsFolder + "/" + file.name;
            errno = 0;
            if (stbi_write_png(path.c_str(), size, size, 4, icon.rgba.data(), size * 4) == 0)
                return reportFailedWrite(path);
        }
    }
    return 0;
}

const int ICO_SIZES[] = {16, 32, 48, 256};

void putU16(std::string& bytes, unsigned value)
{
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>((value >> 8) & 0xFF);
}

void putU32(std::string& bytes, unsigned long value)
{
    putU16(bytes, static_cast<unsigned>(value & 0xFFFF));
    putU16(bytes, static_cast<unsigned>(value >> 16));
}

// One image of an icon file as a bitmap: an information header of twice the
// height (colour rows, then mask rows), the BGRA rows from the bottom up, and
// a 1-bit mask, set where the picture is fully transparent, each mask row
// padded to 4 bytes.
std::string icoBitmap(const Icon& icon)
{
    const int size = icon.size;
    const std::size_t maskRowBytes = (static_cast<std::size_t>(size) + 31) / 32 * 4;
    std::string bytes;
    putU32(bytes, 40);
    putU32(bytes, static_cast<unsigned long>(size));
    putU32(bytes, static_cast<unsigned long>(size) * 2);
    putU16(bytes, 1);  // planes
    putU16(bytes, 32); // bits per pixel
    putU32(bytes, 0);  // no compression
    putU32(bytes, static_cast<unsigned long>(size) * size * 4 + maskRowBytes * size);
    for (int field = 0; field < 4; ++field)
        putU32(bytes, 0);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) {
            const unsigned char* p = icon.rgba.data() + (static_cast<std::size_t>(y) * size + x) * 4;
            bytes +=
                {static_cast<char>(p[2]), static_cast<char>(p[1]), static_cast<char>(p[0]), static_cast<char>(p[3])};
        }
    for (int y = size - 1; y >= 0; --y) {
        std::string row(maskRowBytes, '\0');
        for (int x = 0; x < size; ++x)
            if (icon.rgba[(static_cast<std::size_t>(y) * size + x) * 4 + 3] == 0)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        bytes += row;
    }
    return bytes;
}

void appendBytes(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

std::string icoPng(const Icon& icon)
{
    std::string bytes;
    stbi_write_png_to_func(appendBytes, &bytes, icon.size, icon.size, 4, icon.rgba.data(), icon.size * 4);
    return bytes;
}

// A Windows icon file: its directory of images, then the images.
bool writeIco(const std::string& path, void (*draw)(Icon&))
{
    std::vector<std::string> images;
    for (int size : ICO_SIZES) {
        Icon icon = makeIcon(size);
        draw(icon);
        images.push_back(size < 256 ? icoBitmap(icon) : icoPng(icon));
    }
    std::string file;
    putU16(file, 0); // reserved
    putU16(file, 1); // an icon, not a cursor
    putU16(file, static_cast<unsigned>(images.size()));
    unsigned long offset = 6 + 16 * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = ICO_SIZES[i];
        file += static_cast<char>(size < 256 ? size : 0); // 0 stands for 256
        file += static_cast<char>(size < 256 ? size : 0);
        file += '\0'; // no palette
        file += '\0';
        putU16(file, 1);  // planes
        putU16(file, 32); // bits per pixel
        putU32(file, images[i].size());
        putU32(file, offset);
        offset += images[i].size();
    }
    for (const std::string& image : images)
        file += image;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    out.close();
    return !out.fail();
}

int writeIcoFiles(const std::string& folder)
{
    for (const IconFile& file : ICON_FILES) {
        const std::string name = std::filesystem::path(file.name).replace_extension(".ico").string();
        const std::string path = folder + "/" + name;
        errno = 0;
        if (!writeIco(path, file.draw))
            return reportFailedWrite(path);
    }
    return 0;
}

int writeTextures(const std::string& folder)
{
    for (const TexturePicture& texture : TEXTURE_PICTURES) {
        TextureImage picture = makeTextureImage(texture.file.size, texture.file.size);
        texture.draw(picture);

        const std::string path = folder + "/" + texture.file.name;
        const bool bmp = std::filesystem::path(path).extension() == ".bmp";
        errno = 0;
        const bool written = bmp ? writeBmp(path, picture) : writeRaw(path, picture);
        if (!written)
            return reportFailedWrite(path);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // An empty folder name would put the files at the root of the file system.
    const bool option = argc == 3 && argv[1][0] == '-';
    const bool icons = option && std::strcmp(argv[1], "--icons") == 0;
    const bool ico = option && std::strcmp(argv[1], "--ico") == 0;
    const bool textures = argc == 2 && argv[1][0] != '-';
    if ((!icons && !ico && !textures) || argv[argc - 1][0] == '\0') {
        std::cerr << "usage: texgen <output-folder>\n"
                     "       texgen --icons <output-folder>\n"
                     "       texgen --ico <output-folder>\n";
        return 1;
    }
    if (icons)
        return writeIcons(argv[2]);
    return ico ? writeIcoFiles(argv[2]) : writeTextures(argv[1]);
}
