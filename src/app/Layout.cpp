#include "app/Layout.h"

#include <algorithm>

#include "picture/PlotView.h"

namespace {
constexpr int ToolBarHeight = 40;
constexpr int ColumnLeft = 16;
constexpr int ColumnWidth = 353;
constexpr int ShikiTop = 52;
constexpr int ParamHeight = 249;
constexpr int CommentHeight = 89;

TRect Box(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }
}  // namespace

MainLayout ComputeMainLayout(ScreenSize screen) {
    MainLayout layout{};
    layout.window = Box(0, 0, screen.width, screen.height - 28);
    layout.toolBarHeight = ToolBarHeight;

    int windowHeight = layout.window.Height();
    int shikiHeight = windowHeight - ParamHeight - CommentHeight - 120;
    layout.lstShiki = Box(ColumnLeft, ShikiTop, ColumnWidth, shikiHeight);
    int shikiRight = layout.lstShiki.right;

    // Integer division truncates toward zero, which is the rounding the picture's edge needs
    // (and a window narrower than the list leaves a negative room, still truncated toward zero).
    int pictureLeft = screen.width < 1024
                          ? shikiRight + 24
                          : shikiRight + (layout.window.Width() - shikiRight - PlotView::PictureWidth) / 2;
    layout.picture = Box(pictureLeft, ToolBarHeight + 2, PlotView::PictureWidth, PlotView::PictureHeight);
    layout.grpParam = Box(ColumnLeft, layout.lstShiki.bottom + 5, ColumnWidth, ParamHeight);
    layout.lstComment = Box(ColumnLeft, layout.grpParam.bottom + 5, ColumnWidth, CommentHeight);
    return layout;
}

bool DesktopLayoutFits(ScreenSize screen) { return ComputeMainLayout(screen).picture.right <= screen.width; }

NarrowLayout ComputeNarrowLayout(ScreenSize screen) {
    constexpr int Margin = 4;
    NarrowLayout layout{};
    layout.menuBarHeight = TouchTarget;
    const int width = std::max(1, screen.width - 2 * Margin);
    const int height = std::max(1, screen.height - layout.menuBarHeight - 2 * Margin);
    layout.pictureZoom = std::min(static_cast<double>(width) / PlotView::PictureWidth,
                                  static_cast<double>(height) / PlotView::PictureHeight);
    // Whole CSS pixels, rounded down, so that the picture is never wider than its room.
    const int shownWidth = static_cast<int>(PlotView::PictureWidth * layout.pictureZoom);
    const int shownHeight = static_cast<int>(PlotView::PictureHeight * layout.pictureZoom);
    layout.picture = Box((screen.width - shownWidth) / 2, layout.menuBarHeight + Margin, shownWidth, shownHeight);
    return layout;
}

const std::vector<NarrowRow>& NarrowRows() {
    // The drawing buttons first, as they are what a pupil taps most; each spin beside its label.
    static const std::vector<NarrowRow> rows = {
        {"grpParam", {"btnDraw", "btnStep", "lblSTEP", "cmbStep", "btnReset"}},
        {"grpParam", {"lblパラメータ", "lbla", "updA", "lblb", "updB", "lblc", "updC"}},
        {"grpParam", {"grpHeniki"}},
        {"grpHeniki", {"lblθ開始", "updStart", "lblθ終了", "updSend"}},
        {"grpHeniki", {"edtHeniki"}},
        {"grpParam", {"lbl拡大率", "updKakudai", "chkProgress", "chkHojoEn", "chkOverWrite"}},
        {"grpParam", {"lbl座標", "cmbHaikei", "btnKaisetsu"}},
        {"grpParam", {"grpRepeat"}},
        {"grpRepeat", {"lbl対象", "radA", "radB", "radC", "chkAnime"}},
        {"grpRepeat", {"lbl開始S", "updRpStart", "lbl終了E", "updRpEnd", "btnRpReset"}},
        {"grpRepeat", {"btnHanpuku", "btnStepH", "btnDev"}},
        {"pnlMain", {"lblSpec", "prgBar"}},
        {"pnlMain", {"spdOpenFile", "spdKihonOpen", "spdUserOpen", "spdOverWrite", "spdPrint", "spdLineColor",
                     "spdBackColor"}},
        {"pnlMain", {"grpWidth", "chkMonoc"}},
        {"grpWidth", {"radWidth1", "imgSample1", "radWidth2", "imgSample2"}},
    };
    return rows;
}

const std::vector<ControlPlace>& ControlPlaces() {
    // Heights are given where the contents' own would reach the next control: the STEP label
    // over its list, the three target buttons 18 pixels apart, 解説 above the repeat group.
    static const std::vector<ControlPlace> places = {
        {"spdOpenFile", "pnlMain", Box(10, 6, 25, 25)},
        {"spdKihonOpen", "pnlMain", Box(40, 6, 25, 25)},
        {"spdUserOpen", "pnlMain", Box(70, 6, 25, 25)},
        {"spdOverWrite", "pnlMain", Box(112, 6, 25, 25)},
        {"spdPrint", "pnlMain", Box(148, 6, 25, 25)},
        {"spdLineColor", "pnlMain", Box(184, 6, 25, 25)},
        {"spdBackColor", "pnlMain", Box(218, 6, 25, 25)},
        {"grpWidth", "pnlMain", Box(256, 1, 113, 30)},
        {"radWidth1", "grpWidth", Box(8, 12, 17, 17)},
        {"imgSample1", "grpWidth", Box(27, 9, 22, 16)},
        {"radWidth2", "grpWidth", Box(64, 12, 17, 17)},
        {"imgSample2", "grpWidth", Box(83, 9, 22, 15)},
        {"chkMonoc", "pnlMain", Box(376, 6, 49, 25)},
        {"lblSpec", "pnlMain", Box(440, 8, 0, 0)},
        {"prgBar", "pnlMain", Box(760, 8, 177, 17)},

        {"lblパラメータ", "grpParam", Box(18, 14, 0, 0)},
        {"lbla", "grpParam", Box(24, 32, 0, 0)},
        {"lblb", "grpParam", Box(24, 60, 0, 0)},
        {"lblc", "grpParam", Box(24, 84, 0, 0)},
        {"updA", "grpParam", Box(40, 28, 49, 26)},
        {"updB", "grpParam", Box(40, 54, 49, 26)},
        {"updC", "grpParam", Box(40, 80, 49, 26)},
        {"grpHeniki", "grpParam", Box(96, 16, 97, 100)},
        {"lblθ開始", "grpHeniki", Box(6, 18, 0, 0)},
        {"updStart", "grpHeniki", Box(44, 12, 46, 26)},
        {"lblθ終了", "grpHeniki", Box(6, 46, 0, 0)},
        {"updSend", "grpHeniki", Box(44, 40, 46, 26)},
        {"edtHeniki", "grpHeniki", Box(4, 72, 88, 20)},
        {"btnStep", "grpParam", Box(200, 24, 65, 48)},
        {"btnDraw", "grpParam", Box(272, 24, 73, 49)},
        {"lblSTEP", "grpParam", Box(216, 80, 0, 12)},
        {"cmbStep", "grpParam", Box(200, 92, 65, 0)},
        {"btnReset", "grpParam", Box(272, 80, 73, 33)},
        {"lbl拡大率", "grpParam", Box(18, 112, 0, 0)},
        {"updKakudai", "grpParam", Box(40, 128, 49, 26)},
        {"chkProgress", "grpParam", Box(104, 120, 0, 0)},
        {"chkHojoEn", "grpParam", Box(200, 120, 0, 0)},
        {"chkOverWrite", "grpParam", Box(272, 120, 0, 0)},
        {"lbl座標", "grpParam", Box(96, 148, 0, 0)},
        {"cmbHaikei", "grpParam", Box(128, 145, 137, 0)},
        {"btnKaisetsu", "grpParam", Box(272, 144, 73, 24)},
        {"grpRepeat", "grpParam", Box(14, 168, 329, 73)},
        {"lbl対象", "grpRepeat", Box(6, 38, 0, 0)},
        {"radA", "grpRepeat", Box(32, 16, 0, 18)},
        {"radB", "grpRepeat", Box(32, 34, 0, 18)},
        {"radC", "grpRepeat", Box(32, 52, 0, 18)},
        {"lbl開始S", "grpRepeat", Box(72, 12, 0, 0)},
        {"btnRpReset", "grpRepeat", Box(72, 32, 33, 18)},
        {"lbl終了E", "grpRepeat", Box(72, 54, 0, 0)},
        {"updRpStart", "grpRepeat", Box(112, 12, 41, 26)},
        {"updRpEnd", "grpRepeat", Box(112, 42, 41, 26)},
        {"btnHanpuku", "grpRepeat", Box(160, 14, 62, 25)},
        {"btnStepH", "grpRepeat", Box(160, 40, 62, 25)},
        {"btnDev", "grpRepeat", Box(226, 16, 97, 49)},
        // On the group's title line, above 分割表示: it changes how 反復 and STEP反復 draw.
        {"chkAnime", "grpRepeat", Box(266, 0, 0, 16)},
    };
    return places;
}

const ControlPlace* FindControlPlace(std::string_view name) {
    for (const ControlPlace& place : ControlPlaces()) {
        if (place.name == name) return &place;
    }
    return nullptr;
}

const std::vector<MenuPlace>& MenuPlaces() {
    static const std::vector<MenuPlace> menus = {
        {"mnuFile", {"mnuTangenOpen", "mnuOpenKiso", "mnuOpenFile", "mnuFormula", "-", "Save1", "mnuSave", "-", "mnuPrint",
                     "mnuClipBoard", "mnuPaste", "mnuSaveImage", "-", "mnuEnd"}},
        {"mnuShow", {"mnuShowFile", "mnuShowLarge", "mnuProperties", "-", "mnuLive"}},
        {"mnuSettei", {"mnuSetColor", "KB1"}},
        {"mnuHelp", {"mnuShowHelp", "mnuOnePoint", "-", "mnuShowAbout"}},
    };
    return menus;
}
