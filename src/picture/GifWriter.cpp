// EncodeGif (Animation.h), with giflib. Each frame after the first is only the box of the pixels
// that differ from the frame before, drawn over it ("do not dispose"), so a STEP display's frames
// cost little more than the new piece of the curve. One colour table serves every frame when the
// frames use at most 256 colours together; otherwise each frame carries its own.
#include <algorithm>
#include <map>
#include <optional>

#include <gif_lib.h>

#include "picture/Animation.h"

namespace {

int AppendToString(GifFileType* gif, const GifByteType* bytes, int length) {
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), length);
    return length;
}

// A giflib colour map of `colors`, padded to the power of two a GIF's table must have.
ColorMapObject* ColorMap(const std::vector<TColor>& colors) {
    int size = 2;
    while (size < static_cast<int>(colors.size())) size *= 2;
    std::vector<GifColorType> entries(size, GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < colors.size(); ++i) {
        entries[i] = {static_cast<GifByteType>(colors[i] & 0xFF), static_cast<GifByteType>((colors[i] >> 8) & 0xFF),
                      static_cast<GifByteType>((colors[i] >> 16) & 0xFF)};
    }
    return GifMakeMapObject(size, entries.data());
}

// The colours of every frame in one table, or nothing when there are more than 256.
std::optional<std::vector<TColor>> SharedColors(const Animation& animation) {
    std::map<TColor, int> seen;
    std::vector<TColor> colors;
    for (int i = 0; i < animation.Count(); ++i) {
        for (TColor color : animation.Colors(i)) {
            if (seen.emplace(color, static_cast<int>(colors.size())).second) colors.push_back(color);
            if (colors.size() > 256) return std::nullopt;
        }
    }
    return colors;
}

// The smallest box holding every pixel where `now` differs from `before` (both width × height);
// one pixel when nothing differs, since every frame needs an image.
template <typename Pixel>
TRect ChangedBox(const std::vector<Pixel>& before, const std::vector<Pixel>& now, int width, int height) {
    TRect box{width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        const Pixel* a = before.data() + static_cast<std::size_t>(y) * width;
        const Pixel* b = now.data() + static_cast<std::size_t>(y) * width;
        if (std::equal(a, a + width, b)) continue;
        int left = 0, right = width;
        while (a[left] == b[left]) ++left;
        while (a[right - 1] == b[right - 1]) --right;
        box = {std::min(box.left, left), std::min(box.top, y), std::max(box.right, right), y + 1};
    }
    return box.right > box.left ? box : TRect{0, 0, 1, 1};
}

// Closes the file on every way out.
struct GifCloser {
    GifFileType* gif;
    ~GifCloser() {
        if (gif) EGifCloseFile(gif, nullptr);
    }
};

bool WriteLoopForEver(GifFileType* gif) {
    static const GifByteType Name[] = "NETSCAPE2.0";
    const GifByteType loop[] = {1, 0, 0};  // sub-block 1, repeat count 0: for ever
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, 11, Name) == GIF_OK && EGifPutExtensionBlock(gif, 3, loop) == GIF_OK &&
           EGifPutExtensionTrailer(gif) == GIF_OK;
}

}  // namespace

std::string EncodeGif(const Animation& animation) {
    const int width = animation.Width(), height = animation.Height();
    if (animation.Empty() || width <= 0 || height <= 0 || !animation.OneSize()) return {};
    const std::optional<std::vector<TColor>> shared = SharedColors(animation);
    std::map<TColor, int> sharedIndex;
    if (shared) {
        for (std::size_t i = 0; i < shared->size(); ++i) sharedIndex[(*shared)[i]] = static_cast<int>(i);
    }

    std::string bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, AppendToString, &error);
    if (!gif) return {};
    GifCloser closer{gif};
    EGifSetGifVersion(gif, true);
    ColorMapObject* globalMap = ColorMap(shared ? *shared : animation.Colors(0));
    const int screen = EGifPutScreenDesc(gif, width, height, 8, 0, globalMap);
    GifFreeMapObject(globalMap);
    if (screen != GIF_OK || !WriteLoopForEver(gif)) return {};

    // What the frame before left on the screen, and this frame: as indices of the shared table
    // when there is one (so that a row is compared and written as it is), else as colours.
    const std::size_t pixels = static_cast<std::size_t>(width) * height;
    std::vector<GifPixelType> shownIndices(shared ? pixels : 0), nextIndices(shownIndices.size());
    std::vector<TColor> shownColors(shared ? 0 : pixels), nextColors(shownColors.size());
    std::vector<GifPixelType> row(width);
    for (int i = 0; i < animation.Count(); ++i) {
        const Animation::Indexed frame = animation.IndexedPicture(i);
        TRect box{0, 0, width, height};
        if (shared) {
            std::vector<GifPixelType> remap(frame.colors.size());
            for (std::size_t c = 0; c < frame.colors.size(); ++c) remap[c] = static_cast<GifPixelType>(sharedIndex.at(frame.colors[c]));
            for (std::size_t p = 0; p < pixels; ++p) nextIndices[p] = remap[frame.indices[p]];
            if (i > 0) box = ChangedBox(shownIndices, nextIndices, width, height);
        } else {
            for (std::size_t p = 0; p < pixels; ++p) nextColors[p] = frame.colors[frame.indices[p]];
            if (i > 0) box = ChangedBox(shownColors, nextColors, width, height);
        }

        GraphicsControlBlock control{DISPOSE_DO_NOT, false, std::max(2, (animation.Delay(i) + 5) / 10), NO_TRANSPARENT_COLOR};
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) != GIF_OK) return {};
        ColorMapObject* localMap = shared ? nullptr : ColorMap(frame.colors);
        const int described = EGifPutImageDesc(gif, box.left, box.top, box.Width(), box.Height(), false, localMap);
        if (localMap) GifFreeMapObject(localMap);
        if (described != GIF_OK) return {};
        for (int y = box.top; y < box.bottom; ++y) {
            const std::size_t at = static_cast<std::size_t>(y) * width + box.left;
            GifPixelType* line = row.data();
            if (shared) {
                line = nextIndices.data() + at;
            } else {
                std::copy(frame.indices.begin() + at, frame.indices.begin() + at + box.Width(), row.begin());
            }
            if (EGifPutLine(gif, line, box.Width()) != GIF_OK) return {};
        }
        shownIndices.swap(nextIndices);
        shownColors.swap(nextColors);
    }
    closer.gif = nullptr;
    if (EGifCloseFile(gif, &error) != GIF_OK) return {};
    return bytes;
}
