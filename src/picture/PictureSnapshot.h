// The picture as it is at one moment, to go back to later bit for bit: its pixels, where the
// record of its drawing stands, and the canvas's pen, brush, font and position. The STEP display
// goes back a step with it, and takes the auxiliary figure of the current position away again
// before the walk goes on.
#pragma once

#include "picture/PlotView.h"

class PictureSnapshot {
public:
    explicit PictureSnapshot(const PlotView& view);
    // Puts the picture back as it was; its drawing forgets what was recorded since (a drawing
    // cleared since is recorded afresh as the picture's pixels).
    void Restore(PlotView& view) const;
    const Bitmap& Pixels() const { return pixels; }

private:
    Bitmap pixels;
    Drawing::Mark mark;
    TPen pen;
    TBrush brush;
    TFont font;
    PicturePoint position;
    int scaleX, scaleY, originX, originY;
};
