// The window 曲線の性質 (TfrmProperties): the properties of the curve on the panel, one line each
// ("焦点", then the formula typeset as the caption sets it), drawn into a picture the views show
// as it is. The main window hands it the analysis whenever the panel's curve changes while it is
// shown; what the curve is comes from analysis/CurveProperties.h.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "analysis/Conic.h"
#include "picture/Canvas.h"
#include "picture/PlotView.h"
#include "ui/Controls.h"

class TfrmProperties : public TForm {
public:
    static constexpr int PictureWidth = 460;

    TfrmProperties();
    TButton btnClose{*this, "btnClose", "閉じる"};
    // The window's picture; its height follows the number of lines.
    TImage imgProperties{"imgProperties", PictureWidth, 40};

    // One line of the window: its label and the formula typeset after it (empty: the label alone).
    struct Line {
        std::string label, formula;
    };
    // The lines for `properties`: 種類 first, then whatever the curve has.
    static std::vector<Line> LinesOf(const ConicProperties& properties);

    // Takes the analysis of the panel's curve and draws the window's picture again.
    void Follow(const ConicProperties& properties);
    const std::vector<Line>& Lines() const { return lines; }
    const Bitmap& Picture() const { return imgProperties.canvas.Picture(); }
    bool Showing() const { return showing; }
    void Show() { showing = true; }
    // Called after every new picture: the views show it.
    std::function<void()> PictureChanged;

private:
    std::vector<Line> lines;
    bool showing = false;
};
