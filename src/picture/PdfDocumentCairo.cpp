// The PDF writer of the desktop and driver builds: a Painter that draws with cairo on a PDF
// surface whose user unit is one pixel of the exact picture.
#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <tuple>

#include "curves/Codec.h"
#include "picture/PdfDocument.h"
#include "picture/VectorShapes.h"

namespace {

constexpr double PointsPerPixel = 72.0 / 96.0;
// A baseline lies on a pixel edge. Viewers that take the pixel row of a glyph's origin by
// rounding down (poppler's own rasteriser) put a baseline they compute as 539.99999 a whole
// row higher; 1/64 pixel lower keeps every line of text on its row in all of them, and is far
// below anything that shows.
constexpr double BaselineNudge = 1.0 / 64;
// Images up to this many pixels (the formula glyphs) are shared by all their places in the file.
constexpr int SmallImagePixels = 64 * 64;

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct FontFaceDeleter {
    void operator()(cairo_font_face_t* face) const { cairo_font_face_destroy(face); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using CairoFace = std::unique_ptr<cairo_font_face_t, FontFaceDeleter>;

class PdfPainter final : public Painter {
public:
    PdfPainter(cairo_t* cr, int width, int height) : cr(cr), width(width), height(height) {}
    ~PdfPainter() override { EndPath(); }

    using Painter::LineTo;
    void Clear(TColor fill) override;
    void LineTo(const PicturePoint& to) override;
    void Polyline(const std::vector<TPoint>& points) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(TRect rect, TColor color) override;
    void FloodFill(int x, int y, TColor border, const std::vector<PicturePoint>& outline) override;
    void TextOut(int x, int y, const std::string& utf8) override;
    void StretchDraw(TRect dest, const Bitmap& source) override;

    void EndPath();

protected:
    void ClipChanged() override {
        EndPath();
        cairo_reset_clip(cr);
        const TRect& clip = Clip();
        if (clip == Unclipped) return;
        cairo_rectangle(cr, clip.left, clip.top, static_cast<double>(clip.right) - clip.left,
                        static_cast<double>(clip.bottom) - clip.top);
        cairo_clip(cr);
    }

private:
    void Source(TColor colour) {
        cairo_set_source_rgb(cr, (colour & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0, ((colour >> 16) & 0xFF) / 255.0);
    }
    void Stroke(const TPen& pen, cairo_line_join_t join) {
        Source(pen.Color);
        cairo_set_line_width(cr, std::clamp(pen.Width, 1, 64));
        cairo_set_line_join(cr, join);
        cairo_stroke(cr);
    }
    void Shape(bool ellipse, int x1, int y1, int x2, int y2);
    cairo_font_face_t* FaceFor(const FaceInfo& info);
    cairo_surface_t* ImageFor(const Bitmap& image);

    cairo_t* cr;
    int width;
    int height;
    LineRun run;
    std::map<std::tuple<std::string, int, bool, bool>, CairoFace> faces;
    std::vector<std::pair<Bitmap, Surface>> images;
};

void PdfPainter::EndPath() {
    const TPen pen = run.Pen();
    if (run.End()) Stroke(pen, CAIRO_LINE_JOIN_ROUND);
    cairo_new_path(cr);
}

void PdfPainter::Clear(TColor fill) {
    EndPath();
    cairo_reset_clip(cr);
    Source(fill);
    cairo_paint(cr);
    ResetState();
}

void PdfPainter::LineTo(const PicturePoint& to) {
    const int penWidth = std::clamp(Pen.Width, 1, 64);
    if (!run.Continues(Pen, position)) {
        EndPath();
        run.Start(Pen, position);
        const PicturePoint from = StrokePoint(position, penWidth);
        cairo_move_to(cr, from.x, from.y);
    }
    if (run.Add(to)) {
        const PicturePoint end = StrokePoint(to, penWidth);
        cairo_line_to(cr, end.x, end.y);
    }
    position = to;
}

void PdfPainter::Polyline(const std::vector<TPoint>& points) {
    EndPath();
    if (points.size() < 2) return;
    const int penWidth = std::clamp(Pen.Width, 1, 64);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const PicturePoint at = StrokePoint(PicturePoint::AtPixel(points[i].x, points[i].y), penWidth);
        if (i == 0) cairo_move_to(cr, at.x, at.y);
        else cairo_line_to(cr, at.x, at.y);
    }
    Stroke(Pen, CAIRO_LINE_JOIN_ROUND);
}

void PdfPainter::Shape(bool ellipse, int x1, int y1, int x2, int y2) {
    EndPath();
    OutlineBox box;
    if (!OutlineOf(x1, y1, x2, y2, Pen.Width, box)) return;
    if (ellipse) {
        cairo_save(cr);
        cairo_translate(cr, box.CentreX(), box.CentreY());
        cairo_scale(cr, box.Width() / 2, box.Height() / 2);
        cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
        cairo_restore(cr);
    } else {
        cairo_rectangle(cr, box.left, box.top, box.Width(), box.Height());
    }
    if (box.solid) {
        Source(Pen.Color);
        cairo_fill(cr);
        return;
    }
    if (Brush.Style == BrushStyle::Solid) {
        Source(Brush.Color);
        cairo_fill_preserve(cr);
    }
    // The corners of a rectangle drawn with a wide pen are square, as the raster's are.
    Stroke(Pen, ellipse ? CAIRO_LINE_JOIN_ROUND : CAIRO_LINE_JOIN_MITER);
}

void PdfPainter::Ellipse(int x1, int y1, int x2, int y2) { Shape(true, x1, y1, x2, y2); }

void PdfPainter::Rectangle(int x1, int y1, int x2, int y2) { Shape(false, x1, y1, x2, y2); }

void PdfPainter::FillRect(TRect rect, TColor color) {
    EndPath();
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    cairo_rectangle(cr, rect.left, rect.top, static_cast<double>(rect.right) - rect.left,
                    static_cast<double>(rect.bottom) - rect.top);
    Source(color);
    cairo_fill(cr);
}

void PdfPainter::FloodFill(int x, int y, TColor border, const std::vector<PicturePoint>& outline) {
    EndPath();
    if (Brush.Style == BrushStyle::Clear || outline.size() < 3 || x < 0 || y < 0 || x >= width || y >= height) return;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        if (i == 0) cairo_move_to(cr, outline[i].x, outline[i].y);
        else cairo_line_to(cr, outline[i].x, outline[i].y);
    }
    cairo_close_path(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    Source(Brush.Color);
    cairo_fill(cr);
}

// The face file the exact picture uses, with the same synthetic styles.
cairo_font_face_t* PdfPainter::FaceFor(const FaceInfo& info) {
    auto key = std::make_tuple(info.File, info.Index, info.SyntheticBold, info.SyntheticItalic);
    auto found = faces.find(key);
    if (found != faces.end()) return found->second.get();
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(info.File.c_str()));
    FcPatternAddInteger(pattern, FC_INDEX, info.Index);
    CairoFace face(cairo_ft_font_face_create_for_pattern(pattern));
    FcPatternDestroy(pattern);
    unsigned synthesize = 0;
    if (info.SyntheticBold) synthesize |= CAIRO_FT_SYNTHESIZE_BOLD;
    if (info.SyntheticItalic) synthesize |= CAIRO_FT_SYNTHESIZE_OBLIQUE;
    if (synthesize != 0) cairo_ft_font_face_set_synthesize(face.get(), synthesize);
    return faces.emplace(key, std::move(face)).first->second.get();
}

void PdfPainter::TextOut(int x, int y, const std::string& utf8) {
    EndPath();
    const PlacedText text = PlaceText(Font, x, y, utf8);
    position = PicturePoint::AtPixel(static_cast<int>(std::clamp<long long>(x + text.advance, INT32_MIN, INT32_MAX)), y);
    if (!text.face || text.codes.empty()) return;
    if (Brush.Style == BrushStyle::Solid && text.advance > 0) {
        FillRect({x, y, static_cast<int>(std::clamp<long long>(x + text.advance, INT32_MIN, INT32_MAX)),
                  y + text.metrics.Height()},
                 Brush.Color);
    }
    cairo_set_font_face(cr, FaceFor(text.face->Info()));
    cairo_set_font_size(cr, text.pixelSize);
    cairo_scaled_font_t* font = cairo_get_scaled_font(cr);
    FT_Face ftFace = cairo_ft_scaled_font_lock_face(font);
    if (!ftFace) return;
    // One glyph for each character, so that the text can be searched and copied from the file.
    std::vector<cairo_glyph_t> glyphs;
    std::vector<cairo_text_cluster_t> clusters;
    std::string characters;
    for (std::size_t i = 0; i < text.codes.size(); ++i) {
        const std::string character = Utf8Of(text.codes[i]);
        glyphs.push_back({FT_Get_Char_Index(ftFace, text.codes[i]), static_cast<double>(text.penX[i]),
                          static_cast<double>(text.baseline) + BaselineNudge});
        clusters.push_back({static_cast<int>(character.size()), 1});
        characters += character;
    }
    cairo_ft_scaled_font_unlock_face(font);
    Source(Font.Color);
    cairo_show_text_glyphs(cr, characters.data(), static_cast<int>(characters.size()), glyphs.data(),
                           static_cast<int>(glyphs.size()), clusters.data(), static_cast<int>(clusters.size()),
                           static_cast<cairo_text_cluster_flags_t>(0));
}

cairo_surface_t* PdfPainter::ImageFor(const Bitmap& image) {
    const bool small = image.Width() * image.Height() <= SmallImagePixels;
    if (small) {
        for (const auto& [bitmap, surface] : images) {
            if (bitmap == image) return surface.get();
        }
    }
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.Width(), image.Height()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < image.Height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        const TColor* pixels = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) {
            const TColor c = pixels[x];
            row[x] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        }
    }
    cairo_surface_mark_dirty(surface.get());
    images.emplace_back(small ? image : Bitmap(), std::move(surface));
    return images.back().second.get();
}

void PdfPainter::StretchDraw(TRect dest, const Bitmap& source) {
    EndPath();
    if (dest.right <= dest.left || dest.bottom <= dest.top || source.Width() == 0 || source.Height() == 0) return;
    cairo_surface_t* image = ImageFor(source);
    if (!image) return;
    cairo_save(cr);
    cairo_rectangle(cr, dest.left, dest.top, static_cast<double>(dest.right) - dest.left,
                    static_cast<double>(dest.bottom) - dest.top);
    cairo_clip(cr);
    cairo_translate(cr, dest.left, dest.top);
    cairo_scale(cr, (static_cast<double>(dest.right) - dest.left) / source.Width(),
                (static_cast<double>(dest.bottom) - dest.top) / source.Height());
    cairo_set_source_surface(cr, image, 0, 0);
    // The image is marked not to be interpolated, which PDF viewers heed (unlike some SVG ones).
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
}

}  // namespace

bool PdfAvailable() { return true; }

std::string PdfDocument(const Drawing& drawing, int width, int height) {
    std::string bytes;
    Surface surface(cairo_pdf_surface_create_for_stream(Append, &bytes, width * PointsPerPixel, height * PointsPerPixel));
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "Quorbel");
    cairo_t* cr = cairo_create(surface.get());
    cairo_scale(cr, PointsPerPixel, PointsPerPixel);
    // A wide pen stamps squares: square caps keep a stroke's first pixel as the raster has it.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    {
        PdfPainter painter(cr, width, height);
        drawing.Replay(painter);
    }
    const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    cairo_surface_finish(surface.get());
    if (!drawn || cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return {};
    return bytes;
}
