// Textures of the letter-scene viewer.
#include "okel/textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

#include "common/regularFile.h"
#include "generated/textureFiles.h"

unsigned char rawBuffer[RAW_BUFFER_SIZE];
unsigned char checkerImage[PATTERN_SIZE * PATTERN_SIZE * 3];
unsigned char gradientImage[PATTERN_SIZE * PATTERN_SIZE * 3];

namespace {

// Slots 2..9; slots 2 and 8 show the same file.
const TextureFile FILE_SLOTS[] = {
    METAL_FILE,
    STAR_FILE,
    TABLECLOTH_FILE,
    ENVWALL_FILE,
    CRACKLE_FILE,
    BLUE_FILE,
    METAL_FILE,
    SUNSET_FILE,
};
constexpr unsigned int FIRST_FILE_SLOT = 2;
constexpr unsigned int SLOT_COUNT = FIRST_FILE_SLOT + sizeof FILE_SLOTS / sizeof FILE_SLOTS[0];

} // namespace

void makePatterns()
{
    for (int i = 0; i < PATTERN_SIZE; ++i) {
        for (int j = 0; j < PATTERN_SIZE; ++j) {
            // 8 x 8 squares, black where row and column lie on the same side.
            const int c = (((i & 8) == 0) != ((j & 8) == 0)) ? 255 : 0;
            // The triangle of each square on the side of its first corner,
            // diagonal included.
            const int t = ((i & 7) + (j & 7) < 8) ? 1 : 0;
            const int m = c ^ t;
            unsigned char* checker = &checkerImage[i * 192 + j * 3];
            unsigned char* gradient = &gradientImage[i * 192 + j * 3];
            checker[0] = checker[1] = checker[2] = static_cast<unsigned char>(c);
            // Only the low 8 bits of each product are kept.
            gradient[0] = static_cast<unsigned char>(m * (255 - j));
            gradient[1] = static_cast<unsigned char>(m * (255 - i));
            gradient[2] = static_cast<unsigned char>(m * (255 - i - j));
        }
    }
}

void loadRawTexture(const char* name, int width, int height)
{
    // A size that does not fit rawBuffer would make the upload read past it.
    if (width <= 0 || height <= 0 ||
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3 > RAW_BUFFER_SIZE)
        return;

    // A file that cannot be opened, or is not a regular file, reads nothing,
    // like an empty one, so the frame goes on with whatever rawBuffer holds.
    if (std::FILE* file = openRegularFile(name)) {
        std::size_t unused = std::fread(rawBuffer, 1, static_cast<std::size_t>(width) * height * 3, file);
        (void)unused; // a short file keeps the earlier bytes
        std::fclose(file);
    }

    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGB, GL_UNSIGNED_BYTE, rawBuffer);
}

void loadTextureFile(const TextureFile& file) { loadRawTexture(file.name, file.size, file.size); }

void uploadPattern(int which)
{
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    const unsigned char* image = which == 0 ? checkerImage : which == 1 ? gradientImage : nullptr;
    if (image)
        glTexImage2D(GL_TEXTURE_2D, 0, 3, PATTERN_SIZE, PATTERN_SIZE, 0, GL_RGB, GL_UNSIGNED_BYTE, image);
}

void selectTexture(unsigned int slot)
{
    if (slot < FIRST_FILE_SLOT)
        uploadPattern(static_cast<int>(slot));
    else if (slot < SLOT_COUNT)
        loadTextureFile(FILE_SLOTS[slot - FIRST_FILE_SLOT]);
}
