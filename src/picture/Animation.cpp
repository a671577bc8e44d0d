#include "picture/Animation.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include <gif_lib.h>
#include <zlib.h>

namespace {

// The colours of a picture of at most 256 of them, and each pixel's index; false for more.
// A picture is mostly runs of one colour, so the last colour found is tried first.
bool IndexExactly(const Bitmap& picture, Animation::Indexed& out) {
    constexpr std::size_t Slots = 1024;  // open addressing, at most a quarter full
    std::array<TColor, Slots> keys;
    std::array<int, Slots> values;
    values.fill(-1);
    out.colors.clear();
    out.indices.resize(picture.Pixels().size());
    TColor last = 0;
    int lastIndex = -1;
    std::size_t i = 0;
    for (TColor pixel : picture.Pixels()) {
        if (pixel != last || lastIndex < 0) {
            std::size_t slot = (pixel * 2654435761u) % Slots;
            while (values[slot] >= 0 && keys[slot] != pixel) slot = (slot + 1) % Slots;
            if (values[slot] < 0) {
                if (out.colors.size() == 256) return false;
                keys[slot] = pixel;
                values[slot] = static_cast<int>(out.colors.size());
                out.colors.push_back(pixel);
            }
            last = pixel;
            lastIndex = values[slot];
        }
        out.indices[i++] = static_cast<std::uint8_t>(lastIndex);
    }
    return true;
}

// 256 colours chosen by median cut for a picture of more.
void IndexByMedianCut(const Bitmap& picture, Animation::Indexed& out) {
    const std::size_t count = picture.Pixels().size();
    std::vector<GifByteType> red(count), green(count), blue(count);
    for (std::size_t i = 0; i < count; ++i) {
        const TColor pixel = picture.Pixels()[i];
        red[i] = pixel & 0xFF, green[i] = (pixel >> 8) & 0xFF, blue[i] = (pixel >> 16) & 0xFF;
    }
    int colorCount = 256;
    std::vector<GifColorType> map(256);
    out.indices.resize(count);
    if (GifQuantizeBuffer(picture.Width(), picture.Height(), &colorCount, red.data(), green.data(), blue.data(),
                          out.indices.data(), map.data()) != GIF_OK) {
        throw std::runtime_error("GifQuantizeBuffer failed");
    }
    out.colors.clear();
    for (int i = 0; i < colorCount; ++i) out.colors.push_back(RGB(map[i].Red, map[i].Green, map[i].Blue));
}

std::string Deflate(const std::vector<std::uint8_t>& bytes) {
    z_stream stream{};
    // Runs of one index are nearly all there is: zlib's run-length strategy at its fastest level,
    // raw (no checksum: the bytes never leave memory).
    if (deflateInit2(&stream, 1, Z_DEFLATED, -15, 8, Z_RLE) != Z_OK) throw std::runtime_error("deflateInit2 failed");
    std::string out(deflateBound(&stream, bytes.size()), '\0');
    stream.next_in = const_cast<Bytef*>(bytes.data());
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) throw std::runtime_error("deflate failed");
    return out;
}

}  // namespace

void Animation::Put(int index, const Bitmap& picture, int delay) {
    if (index < 0 || index > Count()) throw std::out_of_range("Animation::Put: index beyond the frames");
    Indexed indexed;
    if (!IndexExactly(picture, indexed)) IndexByMedianCut(picture, indexed);
    frames.resize(index);
    frames.push_back({picture.Width(), picture.Height(), std::move(indexed.colors), Deflate(indexed.indices), delay});
}

bool Animation::OneSize() const {
    return std::all_of(frames.begin(), frames.end(),
                       [&](const Frame& frame) { return frame.width == Width() && frame.height == Height(); });
}

Animation::Indexed Animation::IndexedPicture(int index) const {
    const Frame& frame = frames.at(index);
    Indexed out{frame.colors, std::vector<std::uint8_t>(static_cast<std::size_t>(frame.width) * frame.height)};
    z_stream stream{};
    if (inflateInit2(&stream, -15) != Z_OK) throw std::runtime_error("inflateInit2 failed");
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(frame.deflated.data()));
    stream.avail_in = static_cast<uInt>(frame.deflated.size());
    stream.next_out = out.indices.data();
    stream.avail_out = static_cast<uInt>(out.indices.size());
    const int result = inflate(&stream, Z_FINISH);
    const bool whole = result == Z_STREAM_END && stream.total_out == out.indices.size();
    inflateEnd(&stream);
    if (!whole) throw std::runtime_error("Animation: a frame cannot be inflated");
    return out;
}

Bitmap Animation::Picture(int index) const {
    const Indexed indexed = IndexedPicture(index);
    const Frame& frame = frames.at(index);
    Bitmap picture(frame.width, frame.height);
    for (std::size_t i = 0; i < indexed.indices.size(); ++i) picture.Pixels()[i] = indexed.colors[indexed.indices[i]];
    return picture;
}
