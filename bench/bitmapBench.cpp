// How long the BMP reader takes to decode a texture already in memory: the
// common uncompressed 24-bit case, and an RLE8 file from the corpus.
#include "bitmap.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void putU32(Bytes& bytes, unsigned long value)
{
    for (int i = 0; i < 4; ++i) {
        bytes.push_back((value >> (8 * i)) & 0xFF);
    }
}

// A bottom-up 24-bit file of side x side pixels with a 40-byte header.
Bytes build24BitFile(unsigned long side)
{
    unsigned long rowBytes = (side * 3 + 3) / 4 * 4;
    Bytes file = {'B', 'M'};
    putU32(file, 54 + rowBytes * side);
    putU32(file, 0);
    putU32(file, 54);
    putU32(file, 40);
    putU32(file, side);
    putU32(file, side);
    putU32(file, 1 | (24ul << 16)); // one plane, 24 bits per pixel
    for (int field = 0; field < 6; ++field) {
        putU32(file, 0);
    }
    for (unsigned long i = 0; i < rowBytes * side; ++i) {
        file.push_back(static_cast<unsigned char>(i * 7));
    }
    return file;
}

void decodeRepeatedly(benchmark::State& state, const Bytes& file)
{
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

void decode24Bit256(benchmark::State& state)
{
    decodeRepeatedly(state, build24BitFile(256));
}
BENCHMARK(decode24Bit256);

void decodeCorpusPal8Rle(benchmark::State& state)
{
    std::ifstream in(BMPSUITE_DIR "/g/pal8rle.bmp", std::ios::binary);
    Bytes file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    decodeRepeatedly(state, file);
}
BENCHMARK(decodeCorpusPal8Rle);

}  // namespace
