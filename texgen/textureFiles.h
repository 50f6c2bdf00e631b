// The texture files of both programs, each named once with its size: texgen
// writes them, the programs read them, and the top-level CMakeLists.txt
// takes the list of files to build and install from the quoted names here
// (one file a line, each line starting `constexpr TextureFile`).
//
// Every picture is square. A .raw file is headerless 8-bit RGB with the
// bottom row first, size x size x 3 bytes; a .bmp file is 24-bit.
#pragma once

struct TextureFile {
    const char* name;
    int size; // width and height in pixels
};

// The letter-scene viewer's: the glyph textures of slots 2..9 first, then
// the backdrop, the spheres and status text, and the moon.
constexpr TextureFile METAL_FILE{"metal6464.raw", 64};
constexpr TextureFile STAR_FILE{"star1024.raw", 1024};
constexpr TextureFile TABLECLOTH_FILE{"tablecloth256.raw", 256};
constexpr TextureFile ENVWALL_FILE{"envwall128.raw", 128};
constexpr TextureFile CRACKLE_FILE{"crackle256.raw", 256};
constexpr TextureFile BLUE_FILE{"blue.raw", 64};
constexpr TextureFile SUNSET_FILE{"sunset.raw", 256};
constexpr TextureFile EARTH_FILE{"earth1024.raw", 1024};
constexpr TextureFile WHITEBRIGHT_FILE{"whitebright16.raw", 16};
constexpr TextureFile MOON_FILE{"moon256.raw", 256};

// The room walk-through's: the walls, the word's blocks and the ceiling.
constexpr TextureFile WALL_FILE{"corrigatedIronTexture.bmp", 256};
constexpr TextureFile GLYPH_FILE{"leopard.bmp", 256};
constexpr TextureFile CEILING_FILE{"concrete.bmp", 256};
