// texgen: writes every texture file of okel and okelwalk into one folder.
//
// Usage: texgen <output-folder>
//
// RAW files are headerless 8-bit RGB with the bottom row of the picture
// first, as the programs hand them straight to OpenGL; BMP files are 24-bit.
// Existing files are overwritten. On a failed write texgen names the file on
// stderr and exits with status 1.
#include "pictures.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cerrno>
#include <cstring>
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

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: texgen <output-folder>\n";
        return 1;
    }
    const std::string folder = argv[1];

    for (const TextureFile& texture : TEXTURE_FILES) {
        Picture picture = makePicture(texture.width, texture.height);
        texture.draw(picture);

        const std::string path = folder + "/" + texture.name;
        errno = 0;
        const bool written = texture.format == FileFormat::RAW ? writeRaw(path, picture)
                                                               : writeBmp(path, picture);
        if (!written) {
            std::cerr << "texgen: cannot write " << path;
            if (errno != 0)
                std::cerr << ": " << std::strerror(errno);
            std::cerr << '\n';
            return 1;
        }
    }
    return 0;
}
