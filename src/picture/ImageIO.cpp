#include "picture/ImageIO.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

void PutLittle(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t GetLittle(const std::vector<unsigned char>& data, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | data[at + i];
    return value;
}

}  // namespace

namespace {

// Each pixel's index among at most 256 colours, and the colours, in one pass; false when the
// bitmap has more colours. Neighbours in a row mostly repeat, so only a change is looked up.
bool IndexColours(const Bitmap& bitmap, std::vector<TColor>& palette, std::vector<png_byte>& indices) {
    constexpr std::size_t Slots = 1024;  // a table four times the largest palette stays short of collisions
    std::uint32_t keys[Slots];
    std::int16_t values[Slots];
    std::fill(values, values + Slots, std::int16_t{-1});
    palette.clear();
    indices.resize(static_cast<std::size_t>(bitmap.Width()) * bitmap.Height());
    png_byte* out = indices.data();
    TColor last = bitmap.Row(0)[0] + 1;
    png_byte lastIndex = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
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
                lastIndex = static_cast<png_byte>(values[slot]);
            }
            *out++ = lastIndex;
        }
    }
    return true;
}

void AppendToString(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

}  // namespace

std::string EncodePng(const Bitmap& bitmap) {
    if (bitmap.Width() == 0 || bitmap.Height() == 0) return {};
    std::vector<TColor> colours;
    std::vector<png_byte> indices;
    const bool indexed = IndexColours(bitmap, colours, indices);
    std::vector<png_color> palette;
    for (TColor colour : colours) {
        palette.push_back({static_cast<png_byte>(colour & 0xFF), static_cast<png_byte>((colour >> 8) & 0xFF),
                           static_cast<png_byte>((colour >> 16) & 0xFF)});
    }
    std::vector<png_byte> row(indexed ? 0 : static_cast<std::size_t>(bitmap.Width()) * 3);
    std::string bytes;

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return {};
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return {};
    }
    // libpng reports errors by longjmp; nothing with a destructor is created past this point.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &bytes, AppendToString, nullptr);
    // Run lengths find a flat picture's repeats at a fraction of the cost of the usual search.
    // An indexed row repeats its index; a colour row repeats after the left neighbour is taken off.
    png_set_compression_strategy(png, Z_RLE);
    png_set_compression_buffer_size(png, 1 << 16);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, indexed ? PNG_FILTER_NONE : PNG_FILTER_SUB);
    png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.Width()), static_cast<png_uint_32>(bitmap.Height()), 8,
                 indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (indexed) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    png_write_info(png, info);
    for (int y = 0; y < bitmap.Height(); ++y) {
        if (indexed) {
            png_write_row(png, indices.data() + static_cast<std::size_t>(y) * bitmap.Width());
            continue;
        }
        const TColor* pixels = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            row[3 * x] = static_cast<png_byte>(pixels[x] & 0xFF);
            row[3 * x + 1] = static_cast<png_byte>((pixels[x] >> 8) & 0xFF);
            row[3 * x + 2] = static_cast<png_byte>((pixels[x] >> 16) & 0xFF);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

bool WritePng(const std::string& path, const Bitmap& bitmap) {
    const std::string bytes = EncodePng(bitmap);
    if (bytes.empty()) return false;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    return std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() && std::fflush(file.get()) == 0;
}

bool WriteBmp(const std::string& path, const Bitmap& bitmap) {
    const std::uint32_t width = static_cast<std::uint32_t>(bitmap.Width());
    const std::uint32_t height = static_cast<std::uint32_t>(bitmap.Height());
    const std::uint32_t stride = (width * 3 + 3) / 4 * 4;
    const std::uint32_t imageSize = stride * height;
    std::vector<unsigned char> out;
    out.reserve(54 + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutLittle(out, 54 + imageSize, 4);
    PutLittle(out, 0, 4);
    PutLittle(out, 54, 4);
    PutLittle(out, 40, 4);  // BITMAPINFOHEADER
    PutLittle(out, width, 4);
    PutLittle(out, height, 4);
    PutLittle(out, 1, 2);
    PutLittle(out, 24, 2);
    PutLittle(out, 0, 4);  // uncompressed
    PutLittle(out, imageSize, 4);
    PutLittle(out, 3780, 4);  // 96 DPI
    PutLittle(out, 3780, 4);
    PutLittle(out, 0, 4);
    PutLittle(out, 0, 4);
    for (int y = bitmap.Height() - 1; y >= 0; --y) {
        const TColor* pixels = bitmap.Row(y);
        for (std::uint32_t x = 0; x < width; ++x) {
            out.push_back(static_cast<unsigned char>((pixels[x] >> 16) & 0xFF));
            out.push_back(static_cast<unsigned char>((pixels[x] >> 8) & 0xFF));
            out.push_back(static_cast<unsigned char>(pixels[x] & 0xFF));
        }
        for (std::uint32_t pad = width * 3; pad < stride; ++pad) out.push_back(0);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    file.close();
    return static_cast<bool>(file);
}

std::optional<Bitmap> ReadBmp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::vector<unsigned char> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (data.size() < 54 || data[0] != 'B' || data[1] != 'M') return std::nullopt;
    const std::uint32_t offset = GetLittle(data, 10, 4);
    const std::uint32_t headerSize = GetLittle(data, 14, 4);
    if (headerSize < 40 || 14ULL + headerSize > data.size()) return std::nullopt;
    const std::int32_t width = static_cast<std::int32_t>(GetLittle(data, 18, 4));
    const std::int32_t rawHeight = static_cast<std::int32_t>(GetLittle(data, 22, 4));
    const std::uint32_t planes = GetLittle(data, 26, 2);
    const std::uint32_t bits = GetLittle(data, 28, 2);
    const std::uint32_t compression = GetLittle(data, 30, 4);
    // 32-bit files may declare their (standard) channel masks as bit fields.
    const bool plain = compression == 0 || (compression == 3 && bits == 32);
    if (planes != 1 || (bits != 24 && bits != 32) || !plain) return std::nullopt;
    if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) return std::nullopt;
    const bool topDown = rawHeight < 0;
    const std::int64_t height = topDown ? -static_cast<std::int64_t>(rawHeight) : rawHeight;
    const std::uint64_t bytesPerPixel = bits / 8;
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bytesPerPixel + 3) / 4 * 4;
    // Refuse pictures larger than the file could hold before allocating anything.
    if (offset > data.size() || stride * static_cast<std::uint64_t>(height) > data.size() - offset) return std::nullopt;
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > (1ULL << 28)) return std::nullopt;
    Bitmap bitmap(width, static_cast<int>(height), clBlack);
    for (std::int64_t row = 0; row < height; ++row) {
        const int y = static_cast<int>(topDown ? row : height - 1 - row);
        const unsigned char* source = data.data() + offset + row * stride;
        TColor* pixels = bitmap.Row(y);
        for (std::int32_t x = 0; x < width; ++x) {
            const unsigned char* p = source + x * bytesPerPixel;
            pixels[x] = RGB(p[2], p[1], p[0]);
        }
    }
    return bitmap;
}
