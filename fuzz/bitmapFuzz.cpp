// Fuzz target for the walk-through's BMP reader (decodeBitmap).
//
// Each input is decoded with a small budget (FUZZ_LIMITS: 64 KiB of decoded
// pixels instead of the program's 64 MiB, the same largest side), so that
// every input runs the reader's paths, budget checks included, in a moment
// however large a picture it claims. It is checked against what must always
// hold: a refused file leaves the bitmap empty; an accepted one has sides of
// at least 1, rows of exactly the padded width x 3 bytes, zero padding, a
// size within the budget, and every byte is read (so sanitizers see any
// that was never written). Where our reader accepts a file, it is decoded
// again with stb_image and, if stb_image accepts it too, the pixels must be
// the same, except where stb_image is known to read the file differently:
//   - 56-byte headers with bit-field masks: stb_image takes the masks from
//     the 12 bytes after the header instead of the header's own mask
//     fields; such files are not compared at all;
//   - direct-colour pictures (16 bits and more) whose pixels do not start
//     right where stb_image's headers end: after the header itself, and
//     after the 12 mask bytes it reads behind a 40- or 56-byte header of a
//     16- or 32-bit bit-field file. What stb_image does with the gap depends
//     on its version: 2.27 refuses every such file; 2.30 refuses pixels
//     that start before that end or more than 1024 bytes after it, and
//     reads those of a shorter gap from as far past bfOffBits again.
//     Neither is the file's picture, whose pixels start at
//     bfOffBits; such files are not compared;
//   - palette pictures: each pixel is compared only if its index lies inside
//     both readers' palettes. Ours holds the entries the header declares
//     (all 2^bits if it declares none) that lie before the pixel data, and
//     gives black past them, which is checked; stb_image counts every
//     entry-sized slot between the header and the pixel data (four entries
//     too few for 12-byte OS/2 headers) and leaves the rest of its palette
//     unset, so its colour for a higher index means nothing.
// stb_image is only asked after our reader has accepted the file, so it
// never allocates more than our budget allows.
//
// The same function is run by libFuzzer (the fuzz preset) and by the
// ordinary replay test over the kept findings and the BMP corpus.
#include "okelwalk/bitmap.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#include <stb_image.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// How many inputs have had their pixels compared with stb_image's; the
// replay reads it, so that it cannot pass by comparing nothing.
std::size_t fuzzInputsCompared = 0;

namespace {

const BitmapLimits FUZZ_LIMITS{BITMAP_MAX_SIDE, std::size_t(1) << 16};

void require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "bitmapFuzz: %s\n", what);
        std::abort();
    }
}

std::size_t readU16(const std::uint8_t* p) { return std::size_t(p[0]) | (std::size_t(p[1]) << 8); }

std::size_t readU32(const std::uint8_t* p) { return readU16(p) | (readU16(p + 2) << 16); }

// Where the indexes of a palette picture lie and how many palette entries
// each reader uses; read only from files our reader has accepted, whose
// headers are therefore inside the input.
struct IndexedLayout {
    std::size_t bitCount = 0;
    std::size_t pixelOffset = 0;
    std::size_t stride = 0; // bytes from one file row to the next
    bool topDown = false;
    std::size_t ourEntries = 0;
    std::size_t stbEntries = 0;
};

IndexedLayout readIndexedLayout(const std::uint8_t* data, const Bitmap& bitmap)
{
    IndexedLayout layout;
    std::size_t headerBytes = readU32(data + 14);
    bool core = headerBytes == 12;
    layout.bitCount = readU16(data + (core ? 24 : 28));
    layout.pixelOffset = readU32(data + 10);
    layout.stride = (std::size_t(bitmap.width) * layout.bitCount + 31) / 32 * 4;
    layout.topDown = !core && (readU32(data + 22) & 0x80000000u) != 0;
    std::size_t full = std::size_t(1) << layout.bitCount;
    std::size_t declared = core ? 0 : readU32(data + 46);
    std::size_t entryBytes = core ? 3 : 4;
    std::size_t room = (layout.pixelOffset - 14 - headerBytes) / entryBytes;
    layout.ourEntries = declared == 0 || declared > full ? full : declared;
    if (layout.ourEntries > room) {
        layout.ourEntries = room;
    }
    // stb_image's own count, in its own signed arithmetic.
    long long stb = core ? (static_cast<long long>(layout.pixelOffset) - 38) / 3
                         : (static_cast<long long>(layout.pixelOffset) - 14 - static_cast<long long>(headerBytes)) / 4;
    layout.stbEntries = stb > 0 ? std::size_t(stb) : 0;
    return layout;
}

// The palette index of pixel (x, y), y counted from the bottom.
std::size_t indexAt(const std::uint8_t* data, const IndexedLayout& layout, const Bitmap& bitmap, std::size_t x,
                    std::size_t y)
{
    std::size_t fileRow = layout.topDown ? std::size_t(bitmap.height) - 1 - y : y;
    const std::uint8_t* row = data + layout.pixelOffset + fileRow * layout.stride;
    std::size_t bit = x * layout.bitCount;
    std::size_t shift = 8 - layout.bitCount - bit % 8;
    return (row[bit / 8] >> shift) & ((1u << layout.bitCount) - 1);
}

void checkWellFormed(const Bitmap& bitmap)
{
    require(bitmap.width >= 1 && bitmap.height >= 1, "accepted picture has an empty side");
    require(unsigned(bitmap.width) <= FUZZ_LIMITS.maxSide && unsigned(bitmap.height) <= FUZZ_LIMITS.maxSide,
            "accepted picture has a side over the limit");
    require(bitmap.rowBytes == (std::size_t(bitmap.width) * 3 + 3) / 4 * 4, "rowBytes is not the padded width x 3");
    require(bitmap.bits.size() == bitmap.rowBytes * std::size_t(bitmap.height), "bits.size() is not rowBytes x height");
    require(bitmap.bits.size() <= FUZZ_LIMITS.maxBytes, "decoded picture is over the budget");
    // Touch every byte; the padding must be zero.
    unsigned long sum = 0;
    std::size_t used = std::size_t(bitmap.width) * 3;
    for (std::size_t i = 0; i < bitmap.bits.size(); ++i) {
        sum += bitmap.bits[i];
        require(i % bitmap.rowBytes < used || bitmap.bits[i] == 0, "row padding is not zero");
    }
    static volatile unsigned long sink;
    sink = sink + sum;
}

// Decodes the file with stb_image and compares, by the rules above.
void compareWithStb(const std::uint8_t* data, std::size_t size, const Bitmap& ours)
{
    if (size > std::size_t(INT_MAX)) {
        return;
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* rgb = stbi_load_from_memory(data, int(size), &width, &height, &channels, 3);
    if (rgb == nullptr) {
        return;
    }
    std::size_t headerBytes = readU32(data + 14);
    bool core = headerBytes == 12;
    std::size_t bitCount = readU16(data + (core ? 24 : 28));
    bool bitFields = headerBytes >= 40 && readU32(data + 30) == 3;
    bool masksAfterHeader = headerBytes == 56 && bitFields;
    bool indexed = bitCount <= 8;
    std::size_t stbHeadersEnd = 14 + headerBytes;
    if ((headerBytes == 40 || headerBytes == 56) && (bitCount == 16 || bitCount == 32) && bitFields) {
        stbHeadersEnd += 12;
    }
    bool pixelsAfterAGap = !indexed && readU32(data + 10) != stbHeadersEnd;
    IndexedLayout layout;
    if (indexed) {
        layout = readIndexedLayout(data, ours);
    }
    const char* fault = nullptr;
    if (width != ours.width || height != ours.height) {
        fault = "stb_image reads other sides";
    }
    bool compared = !masksAfterHeader && !pixelsAfterAGap;
    for (std::size_t y = 0; fault == nullptr && compared && y < std::size_t(height); ++y) {
        for (std::size_t x = 0; fault == nullptr && x < std::size_t(width); ++x) {
            const unsigned char* mine = ours.bits.data() + y * ours.rowBytes + 3 * x;
            const unsigned char* theirs = rgb + ((std::size_t(height) - 1 - y) * width + x) * 3;
            if (indexed) {
                std::size_t index = indexAt(data, layout, ours, x, y);
                if (index >= layout.ourEntries) {
                    if (mine[0] != 0 || mine[1] != 0 || mine[2] != 0) {
                        fault = "an index past the palette is not black";
                    }
                    continue;
                }
                if (index >= layout.stbEntries) {
                    continue;
                }
            }
            if (mine[0] != theirs[2] || mine[1] != theirs[1] || mine[2] != theirs[0]) {
                fault = "pixels differ from stb_image's";
            }
        }
    }
    stbi_image_free(rgb);
    require(fault == nullptr, fault);
    fuzzInputsCompared += compared ? 1 : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Start from a non-empty bitmap: a refusal must empty it.
    Bitmap bitmap;
    bitmap.width = 1;
    bitmap.height = 1;
    bitmap.rowBytes = 4;
    bitmap.bits.assign(4, 0x55);
    if (!decodeBitmap(data, size, bitmap, FUZZ_LIMITS)) {
        require(bitmap.width == 0 && bitmap.height == 0 && bitmap.rowBytes == 0 && bitmap.bits.empty(),
                "a refused file leaves the bitmap not empty");
        return 0;
    }
    checkWellFormed(bitmap);
    compareWithStb(data, size, bitmap);
    return 0;
}
