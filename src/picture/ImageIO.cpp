#include "picture/ImageIO.h"

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
