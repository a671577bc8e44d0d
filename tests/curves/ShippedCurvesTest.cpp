// The curves shipped in data/: every record must load without a message and hold values that
// the panel shows as stored (nothing clamped, nothing invisible).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "app/Main.h"
#include "curves/Codec.h"
#include "formula/Annotation.h"
#include "plot/CurveKinds.h"
#include "picture/ImageIO.h"
#include "ui/ScriptedPlatform.h"

namespace fs = std::filesystem;

namespace {

const fs::path DataFolder = fs::path(QUORBEL_SOURCE_DIR) / "data";

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

// The file is exactly its lines, each ending in CR LF, and every line decodes cleanly.
void ExpectCrLfShiftJis(const fs::path& path, const RecordLines& lines) {
    std::string joined;
    for (const auto& line : lines) {
        joined += line + "\r\n";
        EXPECT_EQ(Cp932ToUtf8(line).find("\xEF\xBF\xBD"), std::string::npos) << path << ": " << Cp932ToUtf8(line);
    }
    EXPECT_EQ(ReadAll(path), joined) << path << " must use CR LF only";
}

void ExpectShownAsStored(const CurveEntry& e, const std::string& where) {
    SCOPED_TRACE(where + " " + Cp932ToUtf8(e.Name));
    EXPECT_FALSE(e.Name.empty());
    auto inRangeOrUnused = [](int value, int lo, int hi) { return value == NotPlaceholder || (value >= lo && value <= hi); };
    EXPECT_TRUE(inRangeOrUnused(e.ParamA, -100, 100));
    EXPECT_TRUE(inRangeOrUnused(e.ParamB, 0, 100));
    EXPECT_TRUE(inRangeOrUnused(e.ParamC, 1, 100));
    EXPECT_TRUE(e.ThetaStart >= -100 && e.ThetaStart <= 100);
    EXPECT_TRUE(e.ThetaEnd >= 0 && e.ThetaEnd <= 100);
    EXPECT_LT(e.ThetaStart, e.ThetaEnd);
    EXPECT_TRUE(e.RepeatStart >= 1 && e.RepeatEnd <= 100 && e.RepeatStart <= e.RepeatEnd);
    EXPECT_TRUE(e.Zoom >= 1 && e.Zoom <= 6);
    EXPECT_TRUE(e.RepeatTarget == "a" || e.RepeatTarget == "b" || e.RepeatTarget == "c");
    // A repeat steps a parameter the curve uses.
    int target = e.RepeatTarget == "a" ? e.ParamA : e.RepeatTarget == "b" ? e.ParamB : e.ParamC;
    if (e.RepeatStart < e.RepeatEnd) {
        EXPECT_NE(target, NotPlaceholder);
    }
    EXPECT_TRUE(e.AuxLine == 0 || e.AuxLine == 1);
    EXPECT_TRUE(e.StepIndex >= 0 && e.StepIndex <= 5);
    EXPECT_TRUE(e.Background >= 0 && e.Background <= 6);
    EXPECT_TRUE(e.LineWidth == 1 || e.LineWidth == 2);
    EXPECT_EQ(e.LineColor & 0xFF000000, 0);
    EXPECT_EQ(e.BackColorValue & 0xFF000000, 0);
    EXPECT_NE(e.LineColor, e.BackColorValue);
    // The caption strip is white under every background but kind 0, and the caption is white on
    // a black background: such a curve would carry an invisible caption.
    if (e.Background != 0) {
        EXPECT_NE(e.BackColorValue, 0);
    }
    // Polar kinds are captioned by their polar formula, the others by x and y.
    if (e.PolarFormula.size() < 2) {
        EXPECT_GE(e.XFormula.size(), 2u);
        EXPECT_GE(e.YFormula.size(), 2u);
    }
}

class ShippedCurves : public ::testing::Test {
protected:
    void TearDown() override { fs::current_path(savedFolder); }
    // Reads collection n as opening it does, without choosing and drawing a curve.
    void Load(int n) {
        form.CollectionKind = n;
        if (n == 1) form.LoadCatalog("Curves20.crx");
        else form.LoadCurveFolder(n == 2 ? "BtCurves/" : "UsCurves/");
    }
    fs::path savedFolder = fs::current_path();
    ScriptedPlatform platform;
    TfrmMain form{platform, DataFolder.string()};
};

}  // namespace

TEST_F(ShippedCurves, CatalogCoversEveryKindWithinTheCollectionLimit) {
    const fs::path catalog = DataFolder / "Curves20.crx";
    RecordLines lines = SplitLines(ReadAll(catalog));
    ASSERT_EQ(lines.size() % RecordLineCount, 0u) << "whole records, nothing left over";
    const int records = static_cast<int>(lines.size() / RecordLineCount);
    ASSERT_LE(records, CurveTableCapacity - 1) << "the built-in curve and 49 more fill the list";
    ExpectCrLfShiftJis(catalog, lines);

    Load(1);
    EXPECT_TRUE(platform.messages.empty()) << platform.messages.front();
    ASSERT_EQ(form.lstShiki.Count(), records + 1);
    std::set<int> kinds;
    for (int k = 0; k < form.curveTable.Count; ++k) {
        kinds.insert(form.curveTable[k].Id);
        if (k == 0) continue;
        ExpectShownAsStored(form.curveTable[k], "catalog");
        EXPECT_FALSE(form.curveTable[k].Notes[0].empty()) << "every catalog curve tells the pupil what to try";
    }
    std::set<int> everyKind;
    for (const CurveKind& kind : CurveKinds()) {
        if (!kind.UsesFromFormula) everyKind.insert(kind.Id);
    }
    EXPECT_EQ(kinds, everyKind);
}

TEST_F(ShippedCurves, BeautifulCurvesAreOneRecordPerFileMostlyTrochoidsAndRosesOnBlack) {
    int files = 0, trochoidsAndRoses = 0, onBlack = 0;
    for (const auto& entry : fs::directory_iterator(DataFolder / "BtCurves")) {
        RecordLines lines = SplitLines(ReadAll(entry.path()));
        EXPECT_EQ(lines.size(), 25u) << entry.path();
        ExpectCrLfShiftJis(entry.path(), lines);
        ++files;
    }
    EXPECT_GE(files, 24);

    Load(2);
    EXPECT_TRUE(platform.messages.empty()) << platform.messages.front();
    ASSERT_EQ(form.lstShiki.Count(), files + 1);
    for (int k = 1; k < form.curveTable.Count; ++k) {
        const CurveEntry& e = form.curveTable[k];
        ExpectShownAsStored(e, form.flbCurve[k]);
        trochoidsAndRoses += e.Id == 2 || e.Id == 3 || e.Id == 8;
        onBlack += e.BackColorValue == 0;
    }
    EXPECT_GE(trochoidsAndRoses * 4, files * 3);
    EXPECT_EQ(onBlack, files);
}

TEST_F(ShippedCurves, UserFolderShipsEmpty) {
    Load(3);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(form.lstShiki.Items(), std::vector<std::string>{"==========　 あなたの曲線　 　=========="});
}

// Every shipped formula, typeset as the caption does, ends inside the picture; the strips are
// written side by side for looking at.
TEST_F(ShippedCurves, FormulasFitTheCaptionStrip) {
    constexpr int StripHeight = 75;
    Load(1);
    std::vector<CurveEntry> all(form.curveTable.Entries.begin(), form.curveTable.Entries.begin() + form.curveTable.Count);
    Load(2);
    all.insert(all.end(), form.curveTable.Entries.begin() + 1, form.curveTable.Entries.begin() + form.curveTable.Count);

    Bitmap sheet(2 * PlotView::PictureWidth, StripHeight * static_cast<int>((all.size() + 1) / 2), clWhite);
    Canvas sheetCanvas(sheet.Width(), sheet.Height(), clWhite);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const CurveEntry& e = all[i];
        Canvas strip(PlotView::PictureWidth, StripHeight, clWhite);
        strip.Brush.Style = BrushStyle::Clear;
        strip.Font.Name = AnnotationFontFace;
        strip.Font.Size = 14;
        strip.Font.Color = clBlack;
        strip.TextOut(10, 0, Cp932ToUtf8(e.Name));
        TPoint end;
        if (e.PolarFormula.size() < 2) {
            end = form.typesetter.TypesetLine(16, 10, 10, 1.0, strip, "      " + e.XFormula, clBlack);
            end = form.typesetter.TypesetLine(16, end.x + 10, 10, 1.0, strip, "  , " + e.YFormula, clBlack);
        } else {
            end = form.typesetter.TypesetLine(16, 10, 10, 1.0, strip, "      " + e.PolarFormula, clBlack);
        }
        // The epicycloid and epitrochoid formulas are written as in the built-in record 2, whose
        // last θ already ends a few pixels past the edge in the IPA face; nothing may be longer.
        const int limit = PlotView::PictureWidth + (e.Id == 1 || e.Id == 8 ? 10 : 0);
        EXPECT_LE(end.x, limit) << Cp932ToUtf8(e.Name);
        sheetCanvas.Draw(static_cast<int>(i % 2) * PlotView::PictureWidth, static_cast<int>(i / 2) * StripHeight, strip.Picture());
    }
    if (const char* folder = std::getenv("QUORBEL_TEST_OUT")) {
        fs::create_directories(folder);
        EXPECT_TRUE(WritePng((fs::path(folder) / "shipped-formulas.png").string(), sheetCanvas.Picture()));
    }
}

// Whether the curve of `e`, as its record draws it, runs to infinity: the hyperbola and the line
// always, the polar conic once a reaches b (e = a/b ≥ 1), the lituus when θ starts at 0 or below.
bool RunsToInfinity(const CurveEntry& e) {
    const int largestA = e.RepeatTarget == "a" && e.RepeatStart < e.RepeatEnd ? std::max(e.ParamA, e.RepeatEnd) : e.ParamA;
    return e.Id == 16 || e.Id == 18 || (e.Id == 17 && std::abs(largestA) >= e.ParamB) || (e.Id == 14 && e.ThetaStart <= 0);
}

// Chosen as a user does, every shipped curve shows plenty of its colour in the plotting square and
// none of it at the square's edges, where it would be cut off; a curve that runs to infinity
// leaves the square through its sides and top, never through the caption strip below it. The
// pictures are written, halved, as one contact sheet per collection.
TEST_F(ShippedCurves, EveryCurveIsDrawnWhollyInsideTheSquare) {
    constexpr int Square = PlotView::PictureWidth, Margin = 4;
    for (int n = 1; n <= 2; ++n) {
        form.OpenCollection(n);
        const int count = form.lstShiki.Count(), columns = 6;
        Bitmap sheet(columns * (Square / 2 + 1), (count + columns - 1) / columns * 321, clSilver);
        for (int k = 0; k < count; ++k) {
            form.lstShiki.UserClick(k);
            const Bitmap& picture = form.view.canvas().Picture();
            const TColor ink = form.colors.CurveColor;
            int inside = 0, atEdge = 0, inCaption = 0;
            for (int y = 0; y < picture.Height(); ++y) {
                for (int x = 0; x < Square; ++x) {
                    if (picture.Pixel(x, y) != ink) continue;
                    if (y >= Square) {
                        ++inCaption;
                        continue;
                    }
                    ++inside;
                    atEdge += x < Margin || y < Margin || x >= Square - Margin || y >= Square - Margin;
                }
            }
            // The header line's picture also carries the product word, white like some curves.
            if (k > 0) {
                EXPECT_GT(inside, 300) << form.lstShiki.Item(k);
                if (RunsToInfinity(form.curveTable[k])) {
                    EXPECT_EQ(inCaption, 0) << form.lstShiki.Item(k);
                } else {
                    EXPECT_EQ(atEdge, 0) << form.lstShiki.Item(k);
                }
            }
            for (int y = 0; y < picture.Height(); y += 2) {
                for (int x = 0; x < picture.Width(); x += 2) {
                    sheet.SetPixel(k % columns * (Square / 2 + 1) + x / 2, k / columns * 321 + y / 2, picture.Pixel(x, y));
                }
            }
        }
        EXPECT_TRUE(platform.messages.empty());
        if (const char* folder = std::getenv("QUORBEL_TEST_OUT")) {
            fs::create_directories(folder);
            std::string name = n == 1 ? "shipped-catalog.png" : "shipped-beautiful.png";
            EXPECT_TRUE(WritePng((fs::path(folder) / name).string(), sheet));
        }
    }
}
