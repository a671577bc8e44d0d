// A GIF file read back with giflib for tests: each frame composed over the one before, as a
// browser shows it (frames that are not disposed), with its delay in milliseconds.
#pragma once

#include <gif_lib.h>

#include <cstring>
#include <string>
#include <vector>

#include "picture/Bitmap.h"

namespace giffiles {

struct Frame {
    Bitmap picture;
    int delay;  // milliseconds
};

struct Decoded {
    bool ok = false;
    bool loops = false;  // carries the application block that repeats it for ever
    std::vector<Frame> frames;
};

inline Decoded Decode(const std::string& bytes) {
    struct Reader {
        const std::string& bytes;
        std::size_t at = 0;
    } reader{bytes};
    const InputFunc read = [](GifFileType* gif, GifByteType* out, int length) {
        auto& source = *static_cast<Reader*>(gif->UserData);
        const int n = static_cast<int>(std::min<std::size_t>(length, source.bytes.size() - source.at));
        std::memcpy(out, source.bytes.data() + source.at, n);
        source.at += n;
        return n;
    };
    Decoded decoded;
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, read, &error);
    if (!gif) return decoded;
    if (DGifSlurp(gif) != GIF_OK) {
        DGifCloseFile(gif, &error);
        return decoded;
    }
    Bitmap shown(gif->SWidth, gif->SHeight, clBlack);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        for (int e = 0; e < image.ExtensionBlockCount; ++e) {
            const ExtensionBlock& block = image.ExtensionBlocks[e];
            if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0) {
                decoded.loops = true;
            }
        }
        const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        const GifImageDesc& desc = image.ImageDesc;
        for (int y = 0; y < desc.Height; ++y) {
            for (int x = 0; x < desc.Width; ++x) {
                const GifColorType c = map->Colors[image.RasterBits[y * desc.Width + x]];
                shown.SetPixel(desc.Left + x, desc.Top + y, RGB(c.Red, c.Green, c.Blue));
            }
        }
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif, i, &control);
        decoded.frames.push_back({shown, control.DelayTime * 10});
    }
    DGifCloseFile(gif, &error);
    decoded.ok = true;
    return decoded;
}

}  // namespace giffiles
