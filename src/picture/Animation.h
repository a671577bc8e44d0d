// The frames of an animation for slides: the picture at every pause of a STEP display or at every
// value of a repeat, each with how long it shows. A frame is kept as at most 256 colours and the
// colour index of each pixel, deflated (a picture of flat colour takes a few kilobytes); a picture
// of more colours (a pasted photograph) is reduced to 256 by giflib's median cut, without
// dithering. EncodeGif (GifWriter.cpp) writes the frames as a GIF that loops.
#pragma once

#include <string>
#include <vector>

#include "picture/Bitmap.h"

class Animation {
public:
    // Puts `picture` as frame `index` (at most Count()), shown for `delay` milliseconds; the frames
    // from `index` on are dropped first, so a display that went back records its pauses again.
    void Put(int index, const Bitmap& picture, int delay);
    void Add(const Bitmap& picture, int delay) { Put(Count(), picture, delay); }
    int Count() const { return static_cast<int>(frames.size()); }
    bool Empty() const { return frames.empty(); }
    void Clear() { frames.clear(); }

    // Frame `index` as a picture again (its colours as kept).
    Bitmap Picture(int index) const;
    int Delay(int index) const { return frames.at(index).delay; }
    void SetDelay(int index, int delay) { frames.at(index).delay = delay; }
    int Width() const { return frames.empty() ? 0 : frames.front().width; }
    int Height() const { return frames.empty() ? 0 : frames.front().height; }
    // True when every frame has the first one's size.
    bool OneSize() const;
    // The colours frame `index` uses (its pixels are these and no others).
    const std::vector<TColor>& Colors(int index) const { return frames.at(index).colors; }

    // Frame `index` as its colours and the index of each pixel, row by row.
    struct Indexed {
        std::vector<TColor> colors;
        std::vector<std::uint8_t> indices;
    };
    Indexed IndexedPicture(int index) const;

private:
    struct Frame {
        int width = 0, height = 0;
        std::vector<TColor> colors;
        std::string deflated;  // one colour index a pixel
        int delay = 0;
    };
    std::vector<Frame> frames;
};

// The bytes of a GIF of the frames, each drawn over the one before and shown for its delay (in
// hundredths of a second, at least 2), looping for ever. Empty when there are no frames or the
// frames differ in size.
std::string EncodeGif(const Animation& animation);
