// texgen: writes every texture file of okel and okelwalk into one folder, or
// the two programs' icons into an icon theme folder.
//
// Usage: texgen <output-folder>
//        texgen --icons <output-folder>
//
// RAW files are headerless 8-bit RGB with the bottom row of the picture
// first, as the programs hand them straight to OpenGL; BMP files are 24-bit.
// The icons are RGBA PNG files, okel.png and okelwalk.png, in
// hicolor/<N>x<N>/apps/ for N = 48, 128 and 256; texgen makes those folders.
// Existing files are overwritten. On a failed write texgen names the file on
// stderr and exits with status 1.
#include "pictures.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

enum class FileFormat { RAW, BMP };

struct TextureFile {
    const char* name;
    int width;
    int height;
    FileFormat format;
    void (*draw)(Picture&);
};

const TextureFile TEXTURE_FILES[] = {
    {"metal6464.raw", 64, 64, FileFormat::RAW, drawBrushedMetal},
    {"star1024.raw", 1024, 1024, FileFormat::RAW, drawStarField},
    {"tablecloth256.raw", 256, 256, FileFormat::RAW, drawGingham},
    {"envwall128.raw", 128, 128, FileFormat::RAW, drawBrickWall},
    {"crackle256.raw", 256, 256, FileFormat::RAW, drawCrackleGlaze},
    {"blue.raw", 64, 64, FileFormat::RAW, drawBlueSurface},
    {"sunset.raw", 256, 256, FileFormat::RAW, drawSunset},
    {"earth1024.raw", 1024, 1024, FileFormat::RAW, drawEarth},
    {"whitebright16.raw", 16, 16, FileFormat::RAW, drawBrightWhite},
    {"moon256.raw", 256, 256, FileFormat::RAW, drawMoon},
    {"corrigatedIronTexture.bmp", 256, 256, FileFormat::BMP, drawCorrugatedIron},
    {"leopard.bmp", 256, 256, FileFormat::BMP, drawLeopard},
    {"concrete.bmp", 256, 256, FileFormat::BMP, drawConcrete},
};

// Writes the rows bottom-up, so the first row in the file is texture row 0.
bool writeRaw(const std::string& path, const Picture& picture)
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

bool writeBmp(const std::string& path, const Picture& picture)
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

int writeTextures(const std::string& folder)
{
    for (const TextureFile& texture : TEXTURE_FILES) {
        Picture picture = makePicture(texture.width, texture.height);
        texture.draw(picture);

        const std::string path = folder + "/" + texture.name;
        errno = 0;
        const bool written = texture.format == FileFormat::RAW ? writeRaw(path, picture) : writeBmp(path, picture);
        if (!written)
            return reportFailedWrite(path);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // An empty folder name would put the files at the root of the file system.
    const bool icons = argc == 3 && std::strcmp(argv[1], "--icons") == 0;
    const bool textures = argc == 2 && std::strcmp(argv[1], "--icons") != 0;
    if ((!icons && !textures) || argv[argc - 1][0] == '\0') {
        std::cerr << "usage: texgen <output-folder>\n"
                     "       texgen --icons <output-folder>\n";
        return 1;
    }
    return icons ? writeIcons(argv[2]) : writeTextures(argv[1]);
}
