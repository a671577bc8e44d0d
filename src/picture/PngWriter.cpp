// EncodePng (declared in ImageIO.h), with libpng. A picture is mostly flat colour with few
// colours: as palette indices (one byte a pixel rather than three) compressed by zlib's run-length
// strategy, without row filters, the 513 × 640 picture is written in about a millisecond, a small
// part of the time it takes to draw, and the file is still small.
#include <png.h>
#include <zlib.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "picture/ImageIO.h"

namespace {

// The colours of a bitmap as palette indices, as long as there are at most 256 of them.
class Palette {
public:
    // False once the bitmap turns out to have more than 256 colours.
    bool Index(const Bitmap& bitmap, std::vector<png_byte>& indices) {
        indices.resize(static_cast<std::size_t>(bitmap.Width()) * bitmap.Height());
        TColor last = bitmap.Pixels().empty() ? 0 : ~bitmap.Pixels().front();
        int lastIndex = 0;
        std::size_t at = 0;
        for (TColor colour : bitmap.Pixels()) {
            if (colour != last) {
                lastIndex = Find(colour);
                if (lastIndex < 0) return false;
                last = colour;
            }
            indices[at++] = static_cast<png_byte>(lastIndex);
        }
        return true;
    }
    std::vector<png_color> Colours() const {
        std::vector<png_color> result(count);
        for (int i = 0; i < count; ++i) {
            const TColor c = colours[i];
            result[i] = {static_cast<png_byte>(c & 0xFF), static_cast<png_byte>((c >> 8) & 0xFF),
                         static_cast<png_byte>((c >> 16) & 0xFF)};
        }
        return result;
    }

private:
    static constexpr std::size_t Slots = 1024;  // open addressing, never more than a quarter full
    // The colour's index, added when new; −1 when a 257th colour would be needed.
    int Find(TColor colour) {
        std::size_t slot = (colour * 2654435761u) >> 22;
        while (slotIndex[slot] != 0) {
            if (colours[slotIndex[slot] - 1] == colour) return slotIndex[slot] - 1;
            slot = (slot + 1) % Slots;
        }
        if (count == 256) return -1;
        colours[count] = colour;
        slotIndex[slot] = static_cast<std::uint16_t>(++count);
        return count - 1;
    }

    std::array<TColor, 256> colours{};
    std::array<std::uint16_t, Slots> slotIndex{};  // index + 1, 0 for a free slot
    int count = 0;
};

void Append(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void Flush(png_structp) {}

}  // namespace

std::string EncodePng(const Bitmap& bitmap) {
    const int width = bitmap.Width(), height = bitmap.Height();
    if (width == 0 || height == 0) return {};
    Palette palette;
    std::vector<png_byte> indices;
    const bool indexed = palette.Index(bitmap, indices);

    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return {};
    }
    // libpng reports an error by jumping here; nothing on the way holds a resource of ours.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, Append, Flush);
    png_set_compression_level(png, 1);
    png_set_compression_strategy(png, Z_RLE);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> colours;
    if (indexed) {
        colours = palette.Colours();
        png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
    }
    png_write_info(png, info);
    if (indexed) {
        for (int y = 0; y < height; ++y) png_write_row(png, indices.data() + static_cast<std::size_t>(y) * width);
    } else {
        // The pixels are R, G, B and an unused byte: libpng drops the fourth.
        png_set_filler(png, 0, PNG_FILLER_AFTER);
        for (int y = 0; y < height; ++y) png_write_row(png, reinterpret_cast<png_const_bytep>(bitmap.Row(y)));
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}
