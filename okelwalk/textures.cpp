// Textures of the room walk-through.
#include "okelwalk/textures.h"

#include <GL/glu.h>

#include <cstdio>

#include "generated/textureFiles.h"
#include "okelwalk/bitmap.h"
#include "okelwalk/walk.h"

namespace {

// Writes a line to standard output at once, so it shows even if the
// program is ended later.
void report(const char* line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

} // namespace

void initTextures()
{
    // On the texture bound now, the default one that the floor uses.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);

    makeChecker();

    if (!loadBitmapTexture(WALL_FILE.name, wallTexture))
        report("failed to load bitmap for wall texture");
    if (!loadBitmapTexture(GLYPH_FILE.name, glyphTexture))
        report("failed to load bitmap for okel texture");
    if (!loadBitmapTexture(CEILING_FILE.name, ceilingTexture))
        report("failed to load bitmap for ceiling texture");

    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

bool loadBitmapTexture(const char* name, GLuint& texture)
{
    // The name comes first: a file that fails leaves an empty texture.
    glGenTextures(1, &texture);

    Bitmap bitmap;
    if (!readBitmapFile(name, bitmap))
        return false;

    // Rows are padded to 4 bytes.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, bitmap.width, bitmap.height, 0, GL_BGR_EXT, GL_UNSIGNED_BYTE, bitmap.bits.data());
    releaseBitmap(bitmap);
    return true;
}

void makeChecker()
{
    GLubyte image[CHECKER_SIZE * CHECKER_SIZE * 3];
    for (int r = 0; r < CHECKER_SIZE; ++r)
        for (int c = 0; c < CHECKER_SIZE; ++c) {
            // White where bit 3 of the row and of the column differ.
            const GLubyte value = ((r & 8) != (c & 8)) ? 255 : 0;
            GLubyte* texel = &image[r * CHECKER_SIZE * 3 + c * 3];
            texel[0] = texel[1] = texel[2] = value;
        }

    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, floorTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, CHECKER_SIZE, CHECKER_SIZE, 0, GL_RGB, GL_UNSIGNED_BYTE, image);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    // Builds every smaller level too; with nearest filtering only the first
    // is sampled.
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, CHECKER_SIZE, CHECKER_SIZE, GL_RGB, GL_UNSIGNED_BYTE, image);
}
