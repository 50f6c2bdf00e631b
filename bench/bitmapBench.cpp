// How long the BMP reader takes to decode a texture already in memory, next
// to stb_image's BMP reader on the same bytes, so one run shows the ratio:
// corpus files in the common encodings and generated 24-bit pictures of
// 256 x 256 (the programs' own size) and 1024 x 1024. stb_image does not
// read RLE, so pal8rle has no stb_image row.
#include "okelwalk/bitmap.h"
#include "tests/support/bmpWriter.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#include <stb_image.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// A bottom-up 24-bit file of side x side pixels with a 40-byte header.
Bytes build24BitFile(unsigned long side)
{
    const unsigned long rowBytes = (side * 3 + 3) / 4 * 4;
    Bytes pixels(rowBytes * side);
    for (unsigned long i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<unsigned char>(i * 7);
    }
    return bmpFile(long(side), long(side), 24, 0, {}, 0, pixels);
}

Bytes readCorpusFile(const std::string& name)
{
    std::ifstream in(BMPSUITE_DIR "/g/" + name, std::ios::binary);
    return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The bytes of a benchmark input: a corpus file, or "256" / "1024" for a
// generated 24-bit picture of that side.
Bytes inputFile(const std::string& input)
{
    if (input == "256" || input == "1024") {
        return build24BitFile(std::stoul(input));
    }
    return readCorpusFile(input);
}

void decodeOurs(benchmark::State& state, const std::string& input)
{
    Bytes file = inputFile(input);
    Bitmap bitmap;
    for (auto _ : state) {
        bool loaded = decodeBitmap(file.data(), file.size(), bitmap);
        benchmark::DoNotOptimize(loaded);
        benchmark::DoNotOptimize(bitmap.bits.data());
        if (!loaded) {
            state.SkipWithError("the file did not decode");
            break;
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(file.size()));
}

void decodeStb(benchmark::State& state, const std::string& input)
{
    Bytes file = inputFile(input);
    for (auto _ : state) {
        int width = 0;
        int height = 0;
        int channels = 0;
        unsigned char* rgb = stbi_load_from_memory(file.data(), int(file.size()), &width, &height, &channels, 3);
        benchmark::DoNotOptimize(rgb);
        if (rgb == nullptr) {
            state.SkipWithError("stb_image did not decode the file");
            break;
        }
        stbi_image_free(rgb);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(file.size()));
}

BENCHMARK_CAPTURE(decodeOurs, rgb24, std::string("rgb24.bmp"));
BENCHMARK_CAPTURE(decodeStb, rgb24, std::string("rgb24.bmp"));
BENCHMARK_CAPTURE(decodeOurs, pal8, std::string("pal8.bmp"));
BENCHMARK_CAPTURE(decodeStb, pal8, std::string("pal8.bmp"));
BENCHMARK_CAPTURE(decodeOurs, rgb32bf, std::string("rgb32bf.bmp"));
BENCHMARK_CAPTURE(decodeStb, rgb32bf, std::string("rgb32bf.bmp"));
BENCHMARK_CAPTURE(decodeOurs, pal8rle, std::string("pal8rle.bmp"));
BENCHMARK_CAPTURE(decodeOurs, generated256, std::string("256"));
BENCHMARK_CAPTURE(decodeStb, generated256, std::string("256"));
BENCHMARK_CAPTURE(decodeOurs, generated1024, std::string("1024"));
BENCHMARK_CAPTURE(decodeStb, generated1024, std::string("1024"));

} // namespace
