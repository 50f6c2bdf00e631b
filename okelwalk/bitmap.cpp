// The walk-through's BMP reader.
//
// Every encoding the reader accepts is turned into one layout, the one the
// texture upload wants: rows from the bottom of the picture to the top, each
// row width x 3 bytes blue, green, red, padded with zeros to 4 bytes.
//
// Accepted:
//   - headers: the 12-byte OS/2 1.x core header (16-bit sides, 3-byte
//     palette entries), the 40-byte Windows header and its 52/56/108/124-byte
//     successors, and the 16- and 64-byte OS/2 2.x headers;
//   - 1, 4 and 8 bits per pixel through a palette, 16 and 32 bits with the
//     default layouts or with bit-field masks, 24 bits (any palette ignored);
//   - RLE8 and RLE4 compression, bottom-up only;
//   - top-down (negative height) uncompressed files.
// Refused: embedded JPEG or PNG, OS/2 Huffman or RLE24, any other
// compression, bit count or header size, planes other than 1, sides of zero,
// negative widths, sides over the limit (BITMAP_MAX_SIDE unless the caller
// sets a smaller one), and data that does not fit.
//
// Memory: every size is checked against the budget and against the data the
// file holds before anything is allocated, so a small file can never make
// the reader take much memory.
//   - a picture whose padded 24-bit rows would take more than
//     the budget (BITMAP_MAX_BYTES unless the caller sets a smaller one) is
//     refused from its headers alone;
//   - uncompressed pixel data that the file is too short to hold is refused
//     as a whole (a half picture makes a misleading texture); only the
//     padding after the very last row may be missing;
//   - RLE data is walked once without writing anything: if it runs out
//     before its end-of-picture code (or before an end of line or delta has
//     taken it past the top row), it is refused, like short uncompressed
//     data, and nothing is allocated;
//   - a file bigger than fileMaxBytes, more than any picture within the
//     budget needs, is refused before it is read.
//
// Choices made where files are unusual but not damaged:
//   - an explicit end-of-picture code before the last row, or a delta that
//     moves past the top of the picture, ends the picture there; pixels the
//     RLE never sets are black, and pixels a run or literal puts past the
//     right edge are dropped rather than wrapped to the next row;
//   - a palette index past the palette gives black;
//   - a mask channel of n bits becomes 8 bits by repeating its bits
//     (5 bits abcde -> abcdeabc), which maps 0 to 0 and the top value to 255;
//     a channel wider than 8 bits keeps its top 8 bits.
#include "okelwalk/bitmap.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

#include "common/regularFile.h"

namespace {

constexpr std::size_t FILE_HEADER_BYTES = 14;
constexpr std::size_t CORE_HEADER_BYTES = 12;
constexpr std::size_t OS2_SHORT_HEADER_BYTES = 16;
constexpr std::size_t INFO_HEADER_BYTES = 40;
constexpr std::size_t V2_HEADER_BYTES = 52;
constexpr std::size_t V3_HEADER_BYTES = 56;
constexpr std::size_t OS2_HEADER_BYTES = 64;
constexpr std::size_t V4_HEADER_BYTES = 108;
constexpr std::size_t V5_HEADER_BYTES = 124;

constexpr std::uint32_t COMPRESSION_NONE = 0;
constexpr std::uint32_t COMPRESSION_RLE8 = 1;
constexpr std::uint32_t COMPRESSION_RLE4 = 2;
constexpr std::uint32_t COMPRESSION_BITFIELDS = 3;

constexpr std::size_t PALETTE_MAX_ENTRIES = 256;
constexpr std::size_t MASK_BYTES = 12;

// The largest file worth reading: the pixels of the largest picture within
// the budget stored at 32 bits (4 file bytes for every 3 decoded ones), plus
// room for headers, palette and colour profile. Bigger files are refused,
// and so is one that keeps growing while it is read.
std::size_t fileMaxBytes(const BitmapLimits& limits) { return limits.maxBytes / 3 * 4 + (std::size_t(1) << 20); }
constexpr std::size_t READ_CHUNK_BYTES = std::size_t(1) << 16;

// One colour channel of a 16- or 32-bit pixel: which bits hold it.
struct Channel {
    std::uint32_t mask = 0;
    unsigned int shift = 0;
    unsigned int bits = 0;
};

// What the headers say about the picture, checked and in size_t units.
struct BitmapLayout {
    std::size_t width = 0;
    std::size_t height = 0;
    bool topDown = false;
    unsigned int bitCount = 0;
    std::uint32_t compression = COMPRESSION_NONE;
    std::size_t pixelOffset = 0;   // where the pixel data starts (bfOffBits)
    std::size_t paletteOffset = 0; // where the palette starts
    std::size_t paletteEntryBytes = 4;
    std::size_t paletteEntries = 0;     // as declared, before clamping to the file
    std::uint32_t masks[3] = {0, 0, 0}; // red, green, blue
};

// Palette turned into the output byte order: blue, green, red per entry.
// Entries past the file's palette stay black.
struct Palette {
    unsigned char bgr[PALETTE_MAX_ENTRIES][3] = {};
};

unsigned int readU16(const unsigned char* p) { return unsigned(p[0]) | (unsigned(p[1]) << 8); }

std::uint32_t readU32(const unsigned char* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

// Reads a signed 32-bit field without relying on how the compiler narrows.
long long readS32(const unsigned char* p)
{
    long long value = readU32(p);
    if (value >= 0x80000000LL) {
        value -= 0x100000000LL;
    }
    return value;
}

bool multiplySizes(std::size_t a, std::size_t b, std::size_t& product)
{
    if (a != 0 && b > SIZE_MAX / a) {
        return false;
    }
    product = a * b;
    return true;
}

bool addSizes(std::size_t a, std::size_t b, std::size_t& sum)
{
    if (b > SIZE_MAX - a) {
        return false;
    }
    sum = a + b;
    return true;
}

// Bytes one row of `bitCount`-bit pixels occupies, without the padding.
bool rowDataBytes(std::size_t width, unsigned int bitCount, std::size_t& bytes)
{
    std::size_t bits = 0;
    if (!multiplySizes(width, bitCount, bits) || !addSizes(bits, 7, bits)) {
        return false;
    }
    bytes = bits / 8;
    return true;
}

bool roundUpToFour(std::size_t bytes, std::size_t& rounded)
{
    if (!addSizes(bytes, 3, rounded)) {
        return false;
    }
    rounded &= ~std::size_t(3);
    return true;
}

// Resizes a byte buffer, keeping its contents and zero-filling what is added;
// an allocation failure becomes false.
bool resizeBytes(std::vector<unsigned char>& bytes, std::size_t size)
{
    try {
        bytes.resize(size, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// Sets aside room for a byte buffer; an allocation failure only means the
// buffer grows as it is filled.
void reserveBytes(std::vector<unsigned char>& bytes, std::size_t size)
{
    try {
        bytes.reserve(size);
    } catch (const std::bad_alloc&) {
    }
}

bool headerSizeKnown(std::size_t headerBytes)
{
    switch (headerBytes) {
    case CORE_HEADER_BYTES:
    case OS2_SHORT_HEADER_BYTES:
    case INFO_HEADER_BYTES:
    case V2_HEADER_BYTES:
    case V3_HEADER_BYTES:
    case OS2_HEADER_BYTES:
    case V4_HEADER_BYTES:
    case V5_HEADER_BYTES: return true;
    default: return false;
    }
}

bool encodingSupported(std::uint32_t compression, unsigned int bitCount, std::size_t headerBytes)
{
    bool os2 = headerBytes == OS2_SHORT_HEADER_BYTES || headerBytes == OS2_HEADER_BYTES;
    switch (compression) {
    case COMPRESSION_NONE:
        return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
    case COMPRESSION_RLE8: return bitCount == 8;
    case COMPRESSION_RLE4: return bitCount == 4;
    case COMPRESSION_BITFIELDS:
        // OS/2 2.x headers use this value for Huffman-coded 1-bit pictures.
        return !os2 && (bitCount == 16 || bitCount == 32);
    default: return false;
    }
}

// Fills in the default masks, or reads the file's own for BI_BITFIELDS: they
// follow a 40-byte header and sit inside the longer headers.
bool readMasks(const unsigned char* data, std::size_t size, std::size_t headerBytes, BitmapLayout& layout)
{
    if (layout.compression != COMPRESSION_BITFIELDS) {
        if (layout.bitCount == 16) {
            layout.masks[0] = 0x7C00;
            layout.masks[1] = 0x03E0;
            layout.masks[2] = 0x001F;
        } else if (layout.bitCount == 32) {
            layout.masks[0] = 0x00FF0000;
            layout.masks[1] = 0x0000FF00;
            layout.masks[2] = 0x000000FF;
        }
        return true;
    }
    std::size_t masksAt = FILE_HEADER_BYTES + INFO_HEADER_BYTES;
    if (masksAt + MASK_BYTES > size) {
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        layout.masks[i] = readU32(data + masksAt + 4 * i);
    }
    if (headerBytes == INFO_HEADER_BYTES) {
        layout.paletteOffset += MASK_BYTES;
    }
    return true;
}

// Reads and checks both headers. Sides are bounded before any size is
// computed from them.
bool parseHeaders(const unsigned char* data, std::size_t size, unsigned int maxSide, BitmapLayout& layout)
{
    if (size < FILE_HEADER_BYTES + 4 || data[0] != 'B' || data[1] != 'M') {
        return false;
    }
    std::size_t headerBytes = readU32(data + FILE_HEADER_BYTES);
    if (!headerSizeKnown(headerBytes) || FILE_HEADER_BYTES + headerBytes > size) {
        return false;
    }
    const unsigned char* info = data + FILE_HEADER_BYTES;
    long long width = 0;
    long long height = 0;
    unsigned int planes = 0;
    std::size_t declaredColours = 0;
    if (headerBytes == CORE_HEADER_BYTES) {
        width = readU16(info + 4);
        height = readU16(info + 6);
        planes = readU16(info + 8);
        layout.bitCount = readU16(info + 10);
        layout.paletteEntryBytes = 3;
    } else {
        // The 16-byte OS/2 header stops after the bit count; the fields it
        // lacks mean no compression and a full palette.
        width = readS32(info + 4);
        height = readS32(info + 8);
        planes = readU16(info + 12);
        layout.bitCount = readU16(info + 14);
        if (headerBytes >= INFO_HEADER_BYTES) {
            layout.compression = readU32(info + 16);
            declaredColours = readU32(info + 32);
        }
    }
    if (planes != 1 || width <= 0 || height == 0) {
        return false;
    }
    layout.topDown = height < 0;
    if (height < 0) {
        height = -height;
    }
    if (width > maxSide || height > maxSide) {
        return false;
    }
    layout.width = std::size_t(width);
    layout.height = std::size_t(height);
    if (!encodingSupported(layout.compression, layout.bitCount, headerBytes)) {
        return false;
    }
    // Compressed rows only make sense from the bottom up.
    if (layout.topDown && layout.compression != COMPRESSION_NONE && layout.compression != COMPRESSION_BITFIELDS) {
        return false;
    }
    layout.paletteOffset = FILE_HEADER_BYTES + headerBytes;
    if (!readMasks(data, size, headerBytes, layout)) {
        return false;
    }
    if (layout.bitCount <= 8) {
        std::size_t full = std::size_t(1) << layout.bitCount;
        layout.paletteEntries = (declaredColours == 0 || declaredColours > full) ? full : declaredColours;
    }
    // The pixel data may start later than the headers and palette, never
    // inside the headers.
    layout.pixelOffset = readU32(data + 10);
    return layout.pixelOffset >= layout.paletteOffset && layout.pixelOffset < size;
}

// Copies the palette into output order. Only entries that lie before the
// pixel data are used, which also keeps the reads inside the file.
void readPalette(const unsigned char* data, const BitmapLayout& layout, Palette& palette)
{
    std::size_t room = (layout.pixelOffset - layout.paletteOffset) / layout.paletteEntryBytes;
    std::size_t entries = layout.paletteEntries < room ? layout.paletteEntries : room;
    for (std::size_t i = 0; i < entries; ++i) {
        const unsigned char* entry = data + layout.paletteOffset + i * layout.paletteEntryBytes;
        std::memcpy(palette.bgr[i], entry, 3);
    }
}

// Accepts a mask channel only if its bits are one unbroken run inside the
// pixel; a missing channel is refused too.
bool describeChannel(std::uint32_t mask, unsigned int bitCount, Channel& channel)
{
    if (mask == 0 || (bitCount == 16 && mask > 0xFFFF)) {
        return false;
    }
    unsigned int shift = 0;
    while (((mask >> shift) & 1) == 0) {
        ++shift;
    }
    std::uint32_t run = mask >> shift;
    if ((run & (run + 1)) != 0) {
        return false;
    }
    unsigned int bits = 0;
    while (bits < 32 && ((run >> bits) & 1) != 0) {
        ++bits;
    }
    channel.mask = mask;
    channel.shift = shift;
    channel.bits = bits;
    return true;
}

// Brings an n-bit channel value to 8 bits by repeating its bits.
unsigned char scaleChannel(std::uint32_t pixel, const Channel& channel)
{
    std::uint32_t value = (pixel & channel.mask) >> channel.shift;
    if (channel.bits >= 8) {
        return static_cast<unsigned char>(value >> (channel.bits - 8));
    }
    std::uint32_t repeated = 0;
    unsigned int filled = 0;
    while (filled < 8) {
        repeated = (repeated << channel.bits) | value;
        filled += channel.bits;
    }
    return static_cast<unsigned char>(repeated >> (filled - 8));
}

// The i-th 4-bit index of a pair packed in one byte: high half first.
unsigned int nibble(unsigned int byte, unsigned int i) { return (i % 2) ? byte & 0x0F : byte >> 4; }

// The output row that the file's row `fileRow` lands on.
unsigned char* outputRow(Bitmap& bitmap, const BitmapLayout& layout, std::size_t fileRow)
{
    std::size_t row = layout.topDown ? layout.height - 1 - fileRow : fileRow;
    return bitmap.bits.data() + row * bitmap.rowBytes;
}

void convertIndexedRow(const unsigned char* source, unsigned char* target, std::size_t width, unsigned int bitCount,
                       const Palette& palette)
{
    for (std::size_t x = 0; x < width; ++x) {
        unsigned int index = 0;
        if (bitCount == 8) {
            index = source[x];
        } else if (bitCount == 4) {
            index = nibble(source[x / 2], unsigned(x % 2));
        } else {
            index = (source[x / 8] >> (7 - x % 8)) & 0x01;
        }
        std::memcpy(target + 3 * x, palette.bgr[index], 3);
    }
}

void convertMaskedRow(const unsigned char* source, unsigned char* target, std::size_t width, unsigned int bitCount,
                      const Channel channels[3])
{
    for (std::size_t x = 0; x < width; ++x) {
        std::uint32_t pixel = bitCount == 16 ? readU16(source + 2 * x) : readU32(source + 4 * x);
        target[3 * x + 0] = scaleChannel(pixel, channels[2]);
        target[3 * x + 1] = scaleChannel(pixel, channels[1]);
        target[3 * x + 2] = scaleChannel(pixel, channels[0]);
    }
}

// How uncompressed rows are laid out in the file, checked against its size.
struct RowPlan {
    std::size_t stride = 0; // bytes from one row to the next, padding included
    Channel channels[3];    // red, green, blue of 16- and 32-bit pixels
};

// Checks that the file holds every row the headers claim (all but the
// padding of the last row) and that the masks are usable.
bool planRows(std::size_t size, const BitmapLayout& layout, RowPlan& plan)
{
    std::size_t rowBytes = 0;
    std::size_t needed = 0;
    if (!rowDataBytes(layout.width, layout.bitCount, rowBytes) || !roundUpToFour(rowBytes, plan.stride) ||
        !multiplySizes(plan.stride, layout.height - 1, needed) || !addSizes(needed, rowBytes, needed) ||
        needed > size - layout.pixelOffset) {
        return false;
    }
    if (layout.bitCount == 16 || layout.bitCount == 32) {
        for (int i = 0; i < 3; ++i) {
            if (!describeChannel(layout.masks[i], layout.bitCount, plan.channels[i])) {
                return false;
            }
        }
    }
    return true;
}

// Uncompressed rows, each padded to 4 bytes in the file; planRows has
// checked that they are all there.
void decodeRows(const unsigned char* data, const BitmapLayout& layout, const RowPlan& plan, Bitmap& bitmap)
{
    Palette palette;
    if (layout.bitCount <= 8) {
        readPalette(data, layout, palette);
    }
    const unsigned char* source = data + layout.pixelOffset;
    for (std::size_t y = 0; y < layout.height; ++y, source += plan.stride) {
        unsigned char* target = outputRow(bitmap, layout, y);
        if (layout.bitCount == 24) {
            std::memcpy(target, source, layout.width * 3);
        } else if (layout.bitCount <= 8) {
            convertIndexedRow(source, target, layout.width, layout.bitCount, palette);
        } else {
            convertMaskedRow(source, target, layout.width, layout.bitCount, plan.channels);
        }
    }
}

// Sets `count` pixels of row y of a bottom-up picture from x on, the i-th
// from palette entry indexAt(i), and moves x past them all; pixels past the
// right edge are dropped. Without a picture (the checking walk) it only
// moves x.
template <typename IndexAt>
void putRunPixels(Bitmap* bitmap, const Palette& palette, std::size_t& x, std::size_t y, unsigned int count,
                  IndexAt indexAt)
{
    if (bitmap != nullptr) {
        unsigned char* row = bitmap->bits.data() + y * bitmap->rowBytes;
        for (unsigned int i = 0; i < count && x + i < std::size_t(bitmap->width); ++i) {
            std::memcpy(row + 3 * (x + i), palette.bgr[indexAt(i)], 3);
        }
    }
    x += count;
}

// Walks RLE8 or RLE4 data, writing pixels into `bitmap` when one is given.
// The picture is complete at the end-of-picture code, or when an end of
// line or a delta leaves the top row; data that runs out before that,
// including a delta or literal cut in the middle, makes the walk return
// false. Each step consumes at least two bytes, so the walk ends with the
// data.
bool walkRunLengths(const unsigned char* data, std::size_t size, const BitmapLayout& layout, const Palette& palette,
                    Bitmap* bitmap)
{
    bool fourBit = layout.compression == COMPRESSION_RLE4;
    std::size_t x = 0;
    std::size_t y = 0;
    std::size_t at = layout.pixelOffset;
    while (size - at >= 2) {
        unsigned int count = data[at];
        unsigned int value = data[at + 1];
        at += 2;
        if (count > 0) {
            // A run: one index repeated, or two alternating for RLE4.
            putRunPixels(
                bitmap, palette, x, y, count, [&](unsigned int i) { return fourBit ? nibble(value, i) : value; });
        } else if (value == 0) {
            // End of line.
            x = 0;
            if (++y >= layout.height) {
                return true;
            }
        } else if (value == 1) {
            // End of picture.
            return true;
        } else if (value == 2) {
            // Move right and up by the next two bytes.
            if (size - at < 2) {
                return false;
            }
            x += data[at];
            y += data[at + 1];
            at += 2;
            if (y >= layout.height) {
                return true;
            }
        } else {
            // Literal indexes, padded to an even number of bytes.
            std::size_t bytes = fourBit ? (value + 1) / 2 : value;
            std::size_t padded = bytes + bytes % 2;
            if (size - at < padded) {
                return false;
            }
            const unsigned char* literal = data + at;
            putRunPixels(bitmap, palette, x, y, value, [&](unsigned int i) {
                return fourBit ? nibble(literal[i / 2], i) : literal[i];
            });
            at += padded;
        }
    }
    return false;
}

} // namespace

bool decodeBitmap(const unsigned char* data, std::size_t size, Bitmap& bitmap, const BitmapLimits& limits)
{
    releaseBitmap(bitmap);
    BitmapLayout layout;
    if (data == nullptr || !parseHeaders(data, size, limits.maxSide, layout)) {
        return false;
    }
    // The budget comes first: sides are within the limit here, but the sizes
    // are checked for overflow anyway.
    Bitmap picture;
    std::size_t total = 0;
    if (!multiplySizes(layout.width, 3, picture.rowBytes) || !roundUpToFour(picture.rowBytes, picture.rowBytes) ||
        !multiplySizes(picture.rowBytes, layout.height, total) || total > limits.maxBytes) {
        return false;
    }
    picture.width = int(layout.width);
    picture.height = int(layout.height);
    // Then the data: everything the decoding will read must be in the file
    // before the pixels are allocated.
    bool runLengths = layout.compression == COMPRESSION_RLE8 || layout.compression == COMPRESSION_RLE4;
    Palette palette;
    RowPlan plan;
    if (runLengths) {
        if (!walkRunLengths(data, size, layout, palette, nullptr)) {
            return false;
        }
        readPalette(data, layout, palette);
    } else if (!planRows(size, layout, plan)) {
        return false;
    }
    if (!resizeBytes(picture.bits, total)) {
        return false;
    }
    if (runLengths) {
        walkRunLengths(data, size, layout, palette, &picture);
    } else {
        decodeRows(data, layout, plan, picture);
    }
    bitmap = std::move(picture);
    return true;
}

bool readBitmapFile(const char* name, Bitmap& bitmap, const BitmapLimits& limits)
{
    releaseBitmap(bitmap);
    if (name == nullptr) {
        return false;
    }
    std::FILE* file = openRegularFile(name);
    if (file == nullptr) {
        return false;
    }
    // A file that says it is bigger than any acceptable picture needs is
    // refused unread; otherwise its size only sets aside room. The reading
    // itself goes in chunks rather than trusting that size, so a file that
    // grows or shrinks while it is read is still read only up to the limit.
    std::vector<unsigned char> contents;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        long end = std::ftell(file);
        if (end > 0 && std::size_t(end) > fileMaxBytes(limits)) {
            std::fclose(file);
            return false;
        }
        if (end > 0) {
            // The last chunk read may reach up to one chunk past the end.
            reserveBytes(contents, std::size_t(end) + READ_CHUNK_BYTES);
        }
    }
    std::clearerr(file);
    if (std::fseek(file, 0, SEEK_SET) != 0) {
        std::clearerr(file);
    }
    std::size_t used = 0;
    bool ok = true;
    for (;;) {
        if (!resizeBytes(contents, used + READ_CHUNK_BYTES)) {
            ok = false;
            break;
        }
        std::size_t got = std::fread(contents.data() + used, 1, READ_CHUNK_BYTES, file);
        used += got;
        if (used > fileMaxBytes(limits)) {
            ok = false;
            break;
        }
        if (got < READ_CHUNK_BYTES) {
            ok = std::ferror(file) == 0;
            break;
        }
    }
    std::fclose(file);
    return ok && decodeBitmap(contents.data(), used, bitmap, limits);
}

void releaseBitmap(Bitmap& bitmap)
{
    std::vector<unsigned char>().swap(bitmap.bits);
    bitmap.width = 0;
    bitmap.height = 0;
    bitmap.rowBytes = 0;
}
