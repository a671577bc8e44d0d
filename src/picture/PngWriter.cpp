// EncodePng (declared in ImageIO.h): a PNG writer made for pictures that are mostly flat colour,
// where a general compressor spends most of its time looking for repeats a picture has in only
// two places: the pixel before and the pixel above. The image data is one deflate block with
// the fixed codes of the format, made of three things only: a pixel as it is, a run repeating
// the pixel before, and a run repeating the row above, found by comparing the pixels themselves
// (a pixel's palette index is looked up only where it is written as it is). Any PNG reader
// reads it.
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "picture/ImageIO.h"

namespace {

// Bits written from the lowest up, as deflate packs them.
class BitWriter {
public:
    explicit BitWriter(std::string& out) : out(out) {}
    void Put(std::uint32_t value, int count) {
        bits |= static_cast<std::uint64_t>(value) << used;
        used += count;
        while (used >= 8) {
            out += static_cast<char>(bits & 0xFF);
            bits >>= 8;
            used -= 8;
        }
    }
    void Finish() {
        if (used > 0) out += static_cast<char>(bits & 0xFF);
        bits = 0;
        used = 0;
    }

private:
    std::string& out;
    std::uint64_t bits = 0;
    int used = 0;
};

std::uint32_t Reversed(std::uint32_t code, int length) {
    std::uint32_t result = 0;
    for (int i = 0; i < length; ++i) result |= ((code >> i) & 1) << (length - 1 - i);
    return result;
}

// Deflate's fixed codes, each already reversed for BitWriter: literals and lengths, distances.
struct FixedCodes {
    struct Code {
        std::uint32_t bits;
        int length;
    };
    std::array<Code, 288> symbol{};
    // Match lengths 3 to 258: the symbol's code followed by its extra bits, as one code.
    std::array<Code, 259> matchLength{};

    FixedCodes() {
        for (int s = 0; s < 288; ++s) {
            if (s < 144) symbol[s] = {Reversed(0x30 + s, 8), 8};
            else if (s < 256) symbol[s] = {Reversed(0x190 + (s - 144), 9), 9};
            else if (s < 280) symbol[s] = {Reversed(s - 256, 7), 7};
            else symbol[s] = {Reversed(0xC0 + (s - 280), 8), 8};
        }
        static constexpr int Base[29] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31,
                                         35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
        static constexpr int Extra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2,
                                          3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        for (int length = 3; length <= 258; ++length) {
            int i = 28;
            while (Base[i] > length) --i;
            const Code& code = symbol[257 + i];
            matchLength[length] = {code.bits | static_cast<std::uint32_t>(length - Base[i]) << code.length,
                                   code.length + Extra[i]};
        }
    }
};

const FixedCodes& Codes() {
    static const FixedCodes codes;
    return codes;
}

// A distance's fixed code with its extra bits, as one code.
FixedCodes::Code DistanceCode(int distance) {
    int code = 0, base = 1, extra = 0;
    while (true) {
        const int next = base + (1 << extra);
        if (distance < next) break;
        base = next;
        ++code;
        if (code >= 4 && code % 2 == 0) ++extra;
    }
    return {Reversed(static_cast<std::uint32_t>(code), 5) | static_cast<std::uint32_t>(distance - base) << 5, 5 + extra};
}

constexpr int LongestMatch = 258;
constexpr int Window = 32768;

// How many pixels from `at` repeat those from `earlier` on, up to `most`.
int RepeatLength(const TColor* at, const TColor* earlier, int most) {
    int length = 0;
    // Two pixels at a time: the pixels compared lie before `at + most`, so all are there.
    for (; length + 2 <= most; length += 2) {
        std::uint64_t here, there;
        std::memcpy(&here, at + length, 8);
        std::memcpy(&there, earlier + length, 8);
        if (here != there) break;
    }
    while (length < most && at[length] == earlier[length]) ++length;
    return length;
}

void PutBig(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void Chunk(std::string& out, const char* type, const std::string& data) {
    PutBig(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.append(type, 4);
    out += data;
    const auto* checked = reinterpret_cast<const Bytef*>(out.data() + start);
    PutBig(out, static_cast<std::uint32_t>(crc32(0, checked, static_cast<uInt>(out.size() - start))));
}

// The colours of a picture as palette indices, at most 256 of them.
class Palette {
public:
    Palette() { std::fill(values, values + Slots, std::int16_t{-1}); }
    // The index of `colour`; -1 when it would be the 257th colour.
    int Index(TColor colour) {
        std::size_t slot = (colour * 2654435761u) >> 22;
        while (values[slot] >= 0 && keys[slot] != colour) slot = (slot + 1) % Slots;
        if (values[slot] < 0) {
            if (colours.size() == 256) return -1;
            keys[slot] = colour;
            values[slot] = static_cast<std::int16_t>(colours.size());
            colours.push_back(colour);
        }
        return values[slot];
    }
    const std::vector<TColor>& Colours() const { return colours; }

private:
    static constexpr std::size_t Slots = 1024;  // four times the most colours: few collisions
    std::uint32_t keys[Slots];
    std::int16_t values[Slots];
    std::vector<TColor> colours;
};

// The zlib stream of a bitmap's rows, each a filter byte (none) and its pixels in `pixelBytes`
// bytes (1: palette index, 3: RGB). The bytes of the row before are kept for the checksum.
class ImageCompressor {
public:
    ImageCompressor(std::string& out, int width, int pixelBytes)
        : out(out), bits(out), width(width), pixelBytes(pixelBytes), stride(width * pixelBytes + 1),
          longest(LongestMatch / pixelBytes), pixelBefore(DistanceCode(pixelBytes)),
          rowAbove(stride <= Window ? DistanceCode(stride) : FixedCodes::Code{}),
          rows(2 * static_cast<std::size_t>(stride)) {
        out += '\x78';
        out += '\x01';
        bits.Put(1, 1);  // the last block
        bits.Put(1, 2);  // with the fixed codes
    }

    // Row `y` of `bitmap`; false when it needs a 257th palette index.
    bool Row(const Bitmap& bitmap, int y) {
        const FixedCodes& codes = Codes();
        const TColor* pixels = bitmap.Row(y);
        const TColor* above = y > 0 && stride <= Window ? bitmap.Row(y - 1) : nullptr;
        std::uint8_t* bytes = rows.data() + (y % 2) * stride;
        const std::uint8_t* aboveBytes = rows.data() + ((y + 1) % 2) * stride;
        bytes[0] = 0;
        Literal(0);
        for (int x = 0; x < width;) {
            const int most = std::min(longest, width - x);
            const int up = above ? RepeatLength(pixels + x, above + x, most) : 0;
            const int run = x > 0 && up < most ? RepeatLength(pixels + x, pixels + x - 1, most) : 0;
            const int length = std::max(up, run);
            std::uint8_t* at = bytes + 1 + x * pixelBytes;
            if (length * pixelBytes < 3) {
                // A pixel as it is.
                if (pixelBytes == 1) {
                    const int index = palette.Index(pixels[x]);
                    if (index < 0) return false;
                    at[0] = static_cast<std::uint8_t>(index);
                } else {
                    at[0] = static_cast<std::uint8_t>(pixels[x] & 0xFF);
                    at[1] = static_cast<std::uint8_t>((pixels[x] >> 8) & 0xFF);
                    at[2] = static_cast<std::uint8_t>((pixels[x] >> 16) & 0xFF);
                }
                for (int i = 0; i < pixelBytes; ++i) Literal(at[i]);
                ++x;
                continue;
            }
            const int byteLength = length * pixelBytes;
            const FixedCodes::Code& match = codes.matchLength[byteLength];
            bits.Put(match.bits, match.length);
            if (up >= run) {
                bits.Put(rowAbove.bits, rowAbove.length);
                std::memcpy(at, aboveBytes + (at - bytes), static_cast<std::size_t>(byteLength));
            } else {
                bits.Put(pixelBefore.bits, pixelBefore.length);
                for (int i = 0; i < byteLength; ++i) at[i] = at[i - pixelBytes];
            }
            x += length;
        }
        check = static_cast<std::uint32_t>(adler32(check, bytes, static_cast<uInt>(stride)));
        return true;
    }

    void Finish() {
        const FixedCodes& codes = Codes();
        bits.Put(codes.symbol[256].bits, codes.symbol[256].length);
        bits.Finish();
        PutBig(out, check);
    }
    const Palette& Colours() const { return palette; }

private:
    void Literal(std::uint8_t byte) {
        const FixedCodes::Code& literal = Codes().symbol[byte];
        bits.Put(literal.bits, literal.length);
    }

    std::string& out;
    BitWriter bits;
    const int width;
    const int pixelBytes;
    const int stride;
    const int longest;  // pixels in the longest match
    const FixedCodes::Code pixelBefore;
    const FixedCodes::Code rowAbove;
    std::vector<std::uint8_t> rows;  // this row's bytes and the row before's
    Palette palette;
    std::uint32_t check = 1;
};

// The image data of the bitmap; false when indices are asked for and 256 are not enough.
bool ImageData(const Bitmap& bitmap, int pixelBytes, std::string& data, std::vector<TColor>& colours) {
    ImageCompressor compressor(data, bitmap.Width(), pixelBytes);
    for (int y = 0; y < bitmap.Height(); ++y) {
        if (!compressor.Row(bitmap, y)) return false;
    }
    compressor.Finish();
    colours = compressor.Colours().Colours();
    return true;
}

}  // namespace

std::string EncodePng(const Bitmap& bitmap) {
    if (bitmap.Width() == 0 || bitmap.Height() == 0) return {};
    std::string data;
    data.reserve(static_cast<std::size_t>(bitmap.Width()) * bitmap.Height() / 8 + 64);
    std::vector<TColor> palette;
    const bool indexed = ImageData(bitmap, 1, data, palette);
    if (!indexed) {
        data.clear();
        ImageData(bitmap, 3, data, palette);
    }

    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    PutBig(header, static_cast<std::uint32_t>(bitmap.Width()));
    PutBig(header, static_cast<std::uint32_t>(bitmap.Height()));
    header += '\x08';                     // 8 bits a sample
    header += indexed ? '\x03' : '\x02';  // indexed colour, or RGB
    header.append(3, '\0');               // deflate, the basic filters, not interlaced
    Chunk(png, "IHDR", header);
    if (indexed) {
        std::string colours;
        for (TColor colour : palette) {
            colours += static_cast<char>(colour & 0xFF);
            colours += static_cast<char>((colour >> 8) & 0xFF);
            colours += static_cast<char>((colour >> 16) & 0xFF);
        }
        Chunk(png, "PLTE", colours);
    }
    Chunk(png, "IDAT", data);
    Chunk(png, "IEND", "");
    return png;
}
