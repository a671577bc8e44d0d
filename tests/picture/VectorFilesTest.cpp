// SVG and PDF of the picture: rasterised back at the exact picture's resolution by the usual
// tools, every stroke and character stands where the exact picture has it, in its colour; text
// stays text in the picture's faces; bitmaps are enlarged without smoothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>

#include "app/Main.h"
#include "picture/Fonts.h"
#include "picture/ImageIO.h"
#include "picture/PdfDocument.h"
#include "picture/SvgPainter.h"
#include "support/InkAgreement.h"
#include "support/PictureFiles.h"
#include "support/ShippedSession.h"

namespace fs = std::filesystem;

namespace {

constexpr int W = PlotView::PictureWidth, H = PlotView::PictureHeight;

struct Scene {
    const char* name;
    std::function<void(TfrmMain&, ScriptedPlatform&)> act;
};

// The start picture, the split display, the backgrounds with their arrowheads, circles and
// labels under the auxiliary figures, a wide pen, a pasted bitmap.
std::vector<Scene> Scenes() {
    return {
        {"start", [](TfrmMain&, ScriptedPlatform&) {}},
        {"split", [](TfrmMain& f, ScriptedPlatform&) { f.btnDev.Click(); }},
        {"XY grid, auxiliary lines, width 2", [](TfrmMain& f, ScriptedPlatform&) {
             f.lstShiki.UserClick(1);
             f.radWidth2.UserClick();
             f.cmbHaikei.UserSelect(4);
             f.chkHojoEn.SetChecked(true);
             f.btnDraw.Click();
         }},
        {"polar, zoom 2", [](TfrmMain& f, ScriptedPlatform&) {
             f.lstShiki.UserClick(2);
             f.cmbHaikei.UserSelect(1);
             f.updKakudai.SetValue(2);
             f.btnDraw.Click();
         }},
        {"typed formula caption", [](TfrmMain& f, ScriptedPlatform&) { CaptionTypedFormula(f); }},
        {"curve and rolling circles clipped to the square", [](TfrmMain& f, ScriptedPlatform&) {
             f.OpenCollection(2);
             f.lstShiki.UserClick(27);  // ヒトデ, whose rolling circles reach below the square
             f.chkHojoEn.SetChecked(true);
             f.btnDraw.Click();
         }},
        {"pasted", [](TfrmMain& f, ScriptedPlatform& p) {
             p.clipboardImage = Bitmap(100, 60, RGB(10, 200, 30));
             f.mnuPasteClick();
         }},
    };
}

void SaveForLooking(const std::string& name, const Bitmap& bitmap) {
    if (const char* folder = std::getenv("QUORBEL_TEST_OUT")) {
        fs::create_directories(folder);
        WritePng((fs::path(folder) / name).string(), bitmap);
    }
}

}  // namespace

TEST(VectorFiles, RasterisedBackTheyAgreeWithTheExactPicture) {
    const std::vector<Scene> scenes = Scenes();
    for (std::size_t i = 0; i < scenes.size(); ++i) {
        ShippedSession picture;
        scenes[i].act(*picture.form, picture.platform);
        ASSERT_TRUE(picture.platform.messages.empty());
        const std::pair<const char*, std::string> documents[] = {
            {".svg", SvgDocument(picture.Recorded(), W, H)}, {".pdf", PdfDocument(picture.Recorded(), W, H)}};
        for (const auto& [extension, document] : documents) {
            SCOPED_TRACE(std::string(scenes[i].name) + " as " + extension);
            if (!PdfAvailable() && extension[1] == 'p') {
                EXPECT_TRUE(document.empty()) << "a build without PDF writes none";
                continue;
            }
            std::optional<Bitmap> back = picturefiles::Rasterise(document, extension);
            ASSERT_TRUE(back.has_value()) << "rsvg-convert and pdftoppm come with scripts/deps.sh";
            ASSERT_EQ(back->Width(), W);
            ASSERT_EQ(back->Height(), H);
            const ink::Agreement forward = ink::Compare(picture.Exact(), *back, W + 1);
            const ink::Agreement backward = ink::Compare(*back, picture.Exact(), W + 1);
            EXPECT_GE(forward.Share(), 0.99) << forward.matched << " of " << forward.ink;
            EXPECT_GE(backward.Share(), 0.99) << backward.matched << " of " << backward.ink;
            if (i < 2 || scenes[i].name == std::string("typed formula caption")) SaveForLooking(std::string("vector-") + scenes[i].name + (extension + 1) + ".png", *back);
        }
    }
}

// Text is written as text: the SVG names the family of the face and gives every character the
// place the exact picture has it at; the PDF embeds the faces and its text can be extracted.
TEST(VectorFiles, TextIsTextInThePicturesOwnFaces) {
    Drawing drawing;
    Canvas canvas(200, 60);
    canvas.RecordInto(&drawing);
    canvas.Clear(clWhite);
    canvas.Font.Size = 14;
    canvas.Brush.Style = BrushStyle::Clear;
    canvas.TextOut(10, 20, "x<θ");
    FontFace* face = FindFace(canvas.Font.Name, false, false);
    ASSERT_NE(face, nullptr);
    const int size = FontPixelSize(14);
    const int second = 10 + face->Glyph(U'x', size).Advance;
    const int third = second + face->Glyph(U'<', size).Advance;
    const std::string svg = SvgDocument(drawing, 200, 60);
    const std::string expected = "<text xml:space=\"preserve\" y=\"" + std::to_string(20 + face->Metrics(size).Ascent) +
                                 "\" font-family=\"&apos;" + face->Info().Family + "&apos;, sans-serif\" font-size=\"" +
                                 std::to_string(size) + "\" fill=\"#000000\"><tspan x=\"10\">x</tspan><tspan x=\"" +
                                 std::to_string(second) + "\">&lt;</tspan><tspan x=\"" + std::to_string(third) +
                                 "\">θ</tspan></text>";
    EXPECT_NE(svg.find(expected), std::string::npos) << svg;

    if (!PdfAvailable()) return;
    ShippedSession start;
    const fs::path pdf = fs::temp_directory_path() / ("quorbel-text-" + std::to_string(::getpid()) + ".pdf");
    picturefiles::WriteFile(pdf, PdfDocument(start.Recorded(), W, H));
    EXPECT_NE(picturefiles::Output("pdftotext '" + pdf.string() + "' -").find("バラ（ハイポトロコイド）"), std::string::npos);
    const std::string fonts = picturefiles::Output("pdffonts '" + pdf.string() + "'");
    EXPECT_NE(fonts.find("IPAPGothic"), std::string::npos) << fonts;
    // After two heading lines, one line a face: name, type, encoding, then "emb sub uni" and the object.
    std::istringstream lines(fonts);
    std::string line;
    int faces = 0;
    for (int number = 0; std::getline(lines, line); ++number) {
        std::istringstream words(line);
        std::vector<std::string> columns{std::istream_iterator<std::string>(words), {}};
        if (number < 2 || columns.size() < 6) continue;
        ++faces;
        EXPECT_EQ(columns[columns.size() - 5], "yes") << "embedded: " << line;
    }
    EXPECT_GE(faces, 2) << fonts;
    fs::remove(pdf);
}

// A bitmap (a formula glyph, a pasted picture) keeps its hard pixel edges when enlarged.
TEST(VectorFiles, BitmapsAreEnlargedWithoutSmoothing) {
    Drawing drawing;
    Canvas canvas(60, 20);
    canvas.RecordInto(&drawing);
    canvas.Clear(clWhite);
    Bitmap chequer(2, 1, clBlack);
    chequer.SetPixel(1, 0, clWhite);
    canvas.StretchDraw({10, 5, 50, 15}, chequer);
    for (const char* extension : {".svg", ".pdf"}) {
        SCOPED_TRACE(extension);
        if (!PdfAvailable() && extension[1] == 'p') continue;
        const std::string document = extension[1] == 's' ? SvgDocument(drawing, 60, 20) : PdfDocument(drawing, 60, 20);
        std::optional<Bitmap> back = picturefiles::Rasterise(document, extension);
        ASSERT_TRUE(back.has_value());
        for (int x = 10; x < 50; ++x) EXPECT_EQ(back->Pixel(x, 10), canvas.Pixel(x, 10)) << "column " << x;
    }
}
