// EncodePng (declared in ImageIO.h): a PNG writer made for pictures that are mostly flat colour,
// where a general compressor spends most of its time looking for repeats a picture has in only
// two places: the pixel before and the pixel above. The image data is one deflate block with
// the fixed codes of the format, made of three things only: a byte as it is, a run repeating
// the pixel before, and a run repeating the row above. Any PNG reader reads it.
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

// How many bytes from `at` repeat the ones `distance` before them, up to `most`.
int RepeatLength(const std::uint8_t* at, int distance, int most) {
    int length = 0;
    // Eight bytes at a time: the bytes compared lie before `at + most`, so all are there.
    for (; length + 8 <= most; length += 8) {
        std::uint64_t here, there;
        std::memcpy(&here, at + length, 8);
        std::memcpy(&there, at + length - distance, 8);
        if (here != there) break;
    }
    while (length < most && at[length] == at[length - distance]) ++length;
    return length;
}

// The zlib stream of `data`, whose rows (filter byte included) are `stride` bytes and whose
// pixels are `pixelBytes` wide.
std::string Compress(const std::vector<std::uint8_t>& data, int stride, int pixelBytes) {
    std::string out;
    out.reserve(data.size() / 8 + 64);
    out += '\x78';
    out += '\x01';
    BitWriter bits(out);
    bits.Put(1, 1);  // the last block
    bits.Put(1, 2);  // with the fixed codes
    const FixedCodes& codes = Codes();
    const FixedCodes::Code pixelBefore = DistanceCode(pixelBytes);
    const bool rowsReach = stride <= Window;
    const FixedCodes::Code rowAbove = rowsReach ? DistanceCode(stride) : FixedCodes::Code{};
    const int size = static_cast<int>(data.size());
    const std::uint8_t* bytes = data.data();
    for (int at = 0; at < size;) {
        const int most = std::min(LongestMatch, size - at);
        // A repeat shorter than 3 bytes is no match: most bytes between strokes are told by their first.
        const std::uint8_t* here = bytes + at;
        const bool upThree = rowsReach && at >= stride && most >= 3 && here[0] == here[-stride] &&
                             here[1] == here[1 - stride] && here[2] == here[2 - stride];
        const int up = upThree ? RepeatLength(here, stride, most) : 0;
        const bool runThree = at >= pixelBytes && most >= 3 && here[0] == here[-pixelBytes] &&
                              here[1] == here[1 - pixelBytes] && here[2] == here[2 - pixelBytes];
        const int run = runThree && up < most ? RepeatLength(here, pixelBytes, most) : 0;
        const int length = std::max(up, run);
        if (length < 3) {
            const FixedCodes::Code& literal = codes.symbol[bytes[at]];
            bits.Put(literal.bits, literal.length);
            ++at;
            continue;
        }
        const FixedCodes::Code& match = codes.matchLength[length];
        const FixedCodes::Code& distance = up >= run ? rowAbove : pixelBefore;
        bits.Put(match.bits, match.length);
        bits.Put(distance.bits, distance.length);
        at += length;
    }
    bits.Put(codes.symbol[256].bits, codes.symbol[256].length);
    bits.Finish();
    const std::uint32_t check = static_cast<std::uint32_t>(adler32(1, data.data(), static_cast<uInt>(data.size())));
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((check >> shift) & 0xFF);
    return out;
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

// Each pixel's index among at most 256 colours, and the colours, in one pass, rows preceded by
// their filter byte (0); false when the bitmap has more colours. Neighbours in a row mostly
// repeat, so only a change is looked up.
bool IndexColours(const Bitmap& bitmap, std::vector<TColor>& palette, std::vector<std::uint8_t>& rows) {
    constexpr std::size_t Slots = 1024;  // a table four times the largest palette stays short of collisions
    std::uint32_t keys[Slots];
    std::int16_t values[Slots];
    std::fill(values, values + Slots, std::int16_t{-1});
    palette.clear();
    rows.resize((static_cast<std::size_t>(bitmap.Width()) + 1) * bitmap.Height());
    std::uint8_t* out = rows.data();
    TColor last = bitmap.Row(0)[0] + 1;
    std::uint8_t lastIndex = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
        *out++ = 0;
        const TColor* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor colour = row[x];
            if (colour != last) {
                std::size_t slot = (colour * 2654435761u) >> 22;
                while (values[slot] >= 0 && keys[slot] != colour) slot = (slot + 1) % Slots;
                if (values[slot] < 0) {
                    if (palette.size() == 256) return false;
                    keys[slot] = colour;
                    values[slot] = static_cast<std::int16_t>(palette.size());
                    palette.push_back(colour);
                }
                last = colour;
                lastIndex = static_cast<std::uint8_t>(values[slot]);
            }
            *out++ = lastIndex;
        }
    }
    return true;
}

void RgbRows(const Bitmap& bitmap, std::vector<std::uint8_t>& rows) {
    rows.resize((static_cast<std::size_t>(bitmap.Width()) * 3 + 1) * bitmap.Height());
    std::uint8_t* out = rows.data();
    for (int y = 0; y < bitmap.Height(); ++y) {
        *out++ = 0;
        const TColor* pixels = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            *out++ = static_cast<std::uint8_t>(pixels[x] & 0xFF);
            *out++ = static_cast<std::uint8_t>((pixels[x] >> 8) & 0xFF);
            *out++ = static_cast<std::uint8_t>((pixels[x] >> 16) & 0xFF);
        }
    }
}

}  // namespace

std::string EncodePng(const Bitmap& bitmap) {
    if (bitmap.Width() == 0 || bitmap.Height() == 0) return {};
    std::vector<TColor> palette;
    std::vector<std::uint8_t> rows;
    const bool indexed = IndexColours(bitmap, palette, rows);
    if (!indexed) RgbRows(bitmap, rows);
    const int pixelBytes = indexed ? 1 : 3;

    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    PutBig(header, static_cast<std::uint32_t>(bitmap.Width()));
    PutBig(header, static_cast<std::uint32_t>(bitmap.Height()));
    header += '\x08';                  // 8 bits a sample
    header += indexed ? '\x03' : '\x02';  // indexed colour, or RGB
    header.append(3, '\0');            // deflate, the basic filters, not interlaced
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
    Chunk(png, "IDAT", Compress(rows, bitmap.Width() * pixelBytes + 1, pixelBytes));
    Chunk(png, "IEND", "");
    return png;
}
