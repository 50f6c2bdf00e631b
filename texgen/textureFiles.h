// The texture files of both programs, okel's RAW files, then okelwalk's BMP
// files, each on one line with its size (every picture is square) and what
// it shows: texgen writes them, the programs read them, and the top-level
// CMakeLists.txt reads this file for the files to build and install and the
// lists in the man pages and the Windows read-me.
#pragma once

struct TextureFile {
    const char* name;
    int size; // width and height, pixels
};

constexpr TextureFile METAL_FILE{"metal6464.raw", 64};             // a glyph texture
constexpr TextureFile STAR_FILE{"star1024.raw", 1024};             // a glyph texture
constexpr TextureFile TABLECLOTH_FILE{"tablecloth256.raw", 256};   // a glyph texture
constexpr TextureFile ENVWALL_FILE{"envwall128.raw", 128};         // a glyph texture
constexpr TextureFile CRACKLE_FILE{"crackle256.raw", 256};         // a glyph texture
constexpr TextureFile BLUE_FILE{"blue.raw", 64};                   // a glyph texture
constexpr TextureFile SUNSET_FILE{"sunset.raw", 256};              // a glyph texture
constexpr TextureFile EARTH_FILE{"earth1024.raw", 1024};           // the spinning backdrop
constexpr TextureFile WHITEBRIGHT_FILE{"whitebright16.raw", 16};   // the spheres and the status text
constexpr TextureFile MOON_FILE{"moon256.raw", 256};               // the moon
constexpr TextureFile WALL_FILE{"corrigatedIronTexture.bmp", 256}; // the walls
constexpr TextureFile GLYPH_FILE{"leopard.bmp", 256};              // the word's blocks
constexpr TextureFile CEILING_FILE{"concrete.bmp", 256};           // the ceiling
