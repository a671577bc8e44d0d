#include "picture/SvgPainter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "curves/Codec.h"
#include "picture/ImageIO.h"
#include "picture/VectorShapes.h"

namespace {

// A coordinate to 1/100 pixel, without trailing zeros. Points far off the picture are brought in
// to a distance no renderer minds; they draw nothing there either way.
void Number(std::string& out, double value) {
    if (!(value == value)) value = 0;
    value = std::clamp(value, -1e7, 1e7);
    long long hundredths = std::llround(value * 100);
    if (hundredths < 0) {
        out += '-';
        hundredths = -hundredths;
    }
    out += std::to_string(hundredths / 100);
    const int fraction = static_cast<int>(hundredths % 100);
    if (fraction != 0) {
        out += '.';
        out += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0) out += static_cast<char>('0' + fraction % 10);
    }
}

void Attribute(std::string& out, const char* name, double value) {
    out += ' ';
    out += name;
    out += "=\"";
    Number(out, value);
    out += '"';
}

std::string Colour(TColor colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    return text;
}

void ColourAttribute(std::string& out, const char* name, TColor colour) {
    out += ' ';
    out += name;
    out += "=\"" + Colour(colour) + '"';
}

// Text and attribute values: the five characters XML gives a meaning.
void Escaped(std::string& out, const std::string& text) {
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default: out += c;
        }
    }
}

// Characters XML 1.0 cannot hold at all.
bool XmlCharacter(char32_t code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

std::string Base64(const std::string& bytes) {
    static constexpr char Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        std::uint32_t group = static_cast<std::uint8_t>(bytes[i]) << 16;
        if (left > 1) group |= static_cast<std::uint8_t>(bytes[i + 1]) << 8;
        if (left > 2) group |= static_cast<std::uint8_t>(bytes[i + 2]);
        out += Digits[(group >> 18) & 63];
        out += Digits[(group >> 12) & 63];
        out += left > 1 ? Digits[(group >> 6) & 63] : '=';
        out += left > 2 ? Digits[group & 63] : '=';
    }
    return out;
}

// A CSS family name in quotes, so that names with blanks stay one name.
std::string FamilyList(const FaceInfo& info) { return "'" + info.Family + "', sans-serif"; }

}  // namespace

SvgPainter::SvgPainter(int width, int height) : width(width), height(height) {}

std::string SvgPainter::Document() {
    EndPath();
    std::string document =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\"";
    Attribute(document, "width", width);
    Attribute(document, "height", height);
    document += " viewBox=\"0 0 " + std::to_string(width) + ' ' + std::to_string(height) + "\">\n";
    // A wide pen stamps squares: square caps keep a stroke's first pixel as the raster has it.
    document += "<g stroke-linecap=\"square\" stroke-linejoin=\"round\">\n";
    document += body;
    if (clipOpen) document += "</g>\n";
    document += "</g>\n</svg>\n";
    return document;
}

void SvgPainter::EndPath() {
    const TPen pen = run.Pen();
    if (run.End()) {
        body += "<path fill=\"none\"";
        ColourAttribute(body, "stroke", pen.Color);
        Attribute(body, "stroke-width", std::clamp(pen.Width, 1, 64));
        body += " d=\"" + path + "\"/>\n";
    }
    path.clear();
}

void SvgPainter::Clear(TColor fill) {
    // Nothing drawn before shows through a cleared picture.
    EndPath();
    body.clear();
    clipOpen = false;
    body += "<rect";
    Attribute(body, "width", width);
    Attribute(body, "height", height);
    ColourAttribute(body, "fill", fill);
    body += "/>\n";
    ResetState();
}

void SvgPainter::ClipChanged() {
    // What follows, up to the next change, is one group clipped to the rectangle.
    EndPath();
    if (clipOpen) body += "</g>\n";
    clipOpen = Clip() != Unclipped;
    if (!clipOpen) return;
    const TRect& clip = Clip();
    const std::string id = "clip" + std::to_string(++clipCount);
    body += "<clipPath id=\"" + id + "\"><rect";
    Attribute(body, "x", clip.left);
    Attribute(body, "y", clip.top);
    Attribute(body, "width", static_cast<double>(clip.right) - clip.left);
    Attribute(body, "height", static_cast<double>(clip.bottom) - clip.top);
    body += "/></clipPath>\n<g clip-path=\"url(#" + id + ")\">\n";
}

void SvgPainter::LineTo(const PicturePoint& to) {
    const int penWidth = std::clamp(Pen.Width, 1, 64);
    if (!run.Continues(Pen, position)) {
        EndPath();
        run.Start(Pen, position);
        const PicturePoint from = StrokePoint(position, penWidth);
        path += 'M';
        Number(path, from.x);
        path += ' ';
        Number(path, from.y);
        path += 'L';
    }
    if (run.Add(to)) {
        const PicturePoint end = StrokePoint(to, penWidth);
        if (path.back() != 'L') path += ' ';
        Number(path, end.x);
        path += ' ';
        Number(path, end.y);
    }
    position = to;
}

void SvgPainter::Polyline(const std::vector<TPoint>& points) {
    EndPath();
    if (points.size() < 2) return;
    const int penWidth = std::clamp(Pen.Width, 1, 64);
    body += "<polyline fill=\"none\"";
    ColourAttribute(body, "stroke", Pen.Color);
    Attribute(body, "stroke-width", penWidth);
    body += " points=\"";
    for (std::size_t i = 0; i < points.size(); ++i) {
        const PicturePoint at = StrokePoint(PicturePoint::AtPixel(points[i].x, points[i].y), penWidth);
        if (i > 0) body += ' ';
        Number(body, at.x);
        body += ',';
        Number(body, at.y);
    }
    body += "\"/>\n";
}

void SvgPainter::Shape(const char* element, int x1, int y1, int x2, int y2) {
    EndPath();
    OutlineBox box;
    if (!OutlineOf(x1, y1, x2, y2, Pen.Width, box)) return;
    const bool ellipse = element[0] == 'e';
    body += '<';
    body += element;
    if (ellipse) {
        Attribute(body, "cx", box.CentreX());
        Attribute(body, "cy", box.CentreY());
        Attribute(body, "rx", box.Width() / 2);
        Attribute(body, "ry", box.Height() / 2);
    } else {
        Attribute(body, "x", box.left);
        Attribute(body, "y", box.top);
        Attribute(body, "width", box.Width());
        Attribute(body, "height", box.Height());
    }
    if (box.solid) {
        ColourAttribute(body, "fill", Pen.Color);
    } else {
        if (Brush.Style == BrushStyle::Solid) ColourAttribute(body, "fill", Brush.Color);
        else body += " fill=\"none\"";
        ColourAttribute(body, "stroke", Pen.Color);
        Attribute(body, "stroke-width", std::clamp(Pen.Width, 1, 64));
        // The corners of a rectangle drawn with a wide pen are square, as the raster's are.
        if (!ellipse) body += " stroke-linejoin=\"miter\"";
    }
    body += "/>\n";
}

void SvgPainter::Ellipse(int x1, int y1, int x2, int y2) { Shape("ellipse", x1, y1, x2, y2); }

void SvgPainter::Rectangle(int x1, int y1, int x2, int y2) { Shape("rect", x1, y1, x2, y2); }

void SvgPainter::FillRect(TRect rect, TColor color) {
    EndPath();
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    body += "<rect";
    Attribute(body, "x", rect.left);
    Attribute(body, "y", rect.top);
    Attribute(body, "width", static_cast<double>(rect.right) - rect.left);
    Attribute(body, "height", static_cast<double>(rect.bottom) - rect.top);
    ColourAttribute(body, "fill", color);
    body += "/>\n";
}

void SvgPainter::FloodFill(int x, int y, TColor border, const std::vector<PicturePoint>& outline) {
    EndPath();
    if (Brush.Style == BrushStyle::Clear || outline.size() < 3 || x < 0 || y < 0 || x >= width || y >= height) return;
    body += "<path fill-rule=\"evenodd\"";
    ColourAttribute(body, "fill", Brush.Color);
    body += " d=\"M";
    for (std::size_t i = 0; i < outline.size(); ++i) {
        if (i == 1) body += 'L';
        else if (i > 1) body += ' ';
        Number(body, outline[i].x);
        body += ' ';
        Number(body, outline[i].y);
    }
    body += "Z\"/>\n";
}

void SvgPainter::TextOut(int x, int y, const std::string& utf8) {
    EndPath();
    const PlacedText text = PlaceText(Font, x, y, utf8);
    position = PicturePoint::AtPixel(static_cast<int>(std::clamp<long long>(x + text.advance, INT32_MIN, INT32_MAX)), y);
    if (!text.face) return;
    if (Brush.Style == BrushStyle::Solid && text.advance > 0) {
        FillRect({x, y, static_cast<int>(std::clamp<long long>(x + text.advance, INT32_MIN, INT32_MAX)),
                  y + text.metrics.Height()},
                 Brush.Color);
    }
    // Each character in a span of its own: renderers that take one x for a whole span (and not
    // a list of them) still put every character where the exact picture has it.
    std::string spans;
    for (std::size_t i = 0; i < text.codes.size(); ++i) {
        if (!XmlCharacter(text.codes[i])) continue;
        spans += "<tspan";
        Attribute(spans, "x", static_cast<double>(text.penX[i]));
        spans += '>';
        Escaped(spans, Utf8Of(text.codes[i]));
        spans += "</tspan>";
    }
    if (spans.empty()) return;
    const FaceInfo& face = text.face->Info();
    body += "<text xml:space=\"preserve\"";
    Attribute(body, "y", static_cast<double>(text.baseline));
    body += " font-family=\"";
    Escaped(body, FamilyList(face));
    body += '"';
    Attribute(body, "font-size", text.pixelSize);
    const int weight = face.SyntheticBold ? 700 : face.Weight;
    if (weight != 400) body += " font-weight=\"" + std::to_string(weight) + '"';
    if (face.Italic || face.SyntheticItalic) body += " font-style=\"italic\"";
    ColourAttribute(body, "fill", Font.Color);
    body += '>' + spans + "</text>\n";
}

void SvgPainter::StretchDraw(TRect dest, const Bitmap& source) {
    EndPath();
    TRect shown;
    const Bitmap image = EnlargedImage(dest, source, width, height, shown);
    if (image.Width() == 0) return;
    // Viewers that heed it keep the pixels hard even beyond the enlargement.
    body += "<image preserveAspectRatio=\"none\" image-rendering=\"optimizeSpeed\" style=\"image-rendering:pixelated\"";
    Attribute(body, "x", shown.left);
    Attribute(body, "y", shown.top);
    Attribute(body, "width", shown.Width());
    Attribute(body, "height", shown.Height());
    body += " xlink:href=\"data:image/png;base64," + Base64(EncodePng(image)) + "\"/>\n";
}

std::string SvgDocument(const Drawing& drawing, int width, int height) {
    SvgPainter painter(width, height);
    drawing.Replay(painter);
    return painter.Document();
}
