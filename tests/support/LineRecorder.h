// A Painter that keeps the lines drawn on it, for tests of what a walk or a trace joins (and what
// it does not). Everything but lines is ignored.
#pragma once

#include <vector>

#include "picture/Painter.h"

class LineRecorder final : public Painter {
public:
    struct Line {
        PicturePoint from, to;
        TColor color;
    };
    std::vector<Line> lines;
    // How many times the pen went down somewhere other than where the last line ended.
    int Strokes() const {
        int strokes = 0;
        for (std::size_t k = 0; k < lines.size(); ++k) strokes += k == 0 || !(lines[k].from == lines[k - 1].to);
        return strokes;
    }

    void Clear(TColor) override { lines.clear(); }
    void LineTo(const PicturePoint& to) override {
        lines.push_back({position, to, Pen.Color});
        position = to;
    }
    void Polyline(const std::vector<TPoint>&) override {}
    void Ellipse(int, int, int, int) override {}
    void Rectangle(int, int, int, int) override {}
    void FillRect(TRect, TColor) override {}
    void FloodFill(int, int, TColor, const std::vector<PicturePoint>&) override {}
    void TextOut(int, int, const std::string&) override {}
    void StretchDraw(TRect, const Bitmap&) override {}

protected:
    void ClipChanged() override {}
};
