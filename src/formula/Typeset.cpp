#include "formula/Typeset.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "curves/Codec.h"
#include "picture/PlotView.h"

namespace {

// The gap after a character run, and before a fraction that would touch the last one.
constexpr int RunGap = 10;
// An exponent begins this far left of where the next element would have begun: the only step
// back in a line.
constexpr int ExponentStepBack = 5;

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) > 0x80; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
// Letters written 2 pixels higher in a character run: every lower-case letter but "t".
bool IsRaisedLetter(char c) { return IsLower(c) && c != 't'; }
bool Contains(const std::string& text, char c) { return text.find(c) != std::string::npos; }

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// How far left of its x an element can ink: a character's left bearing stays well inside twice
// its font size, and a fraction bar overhangs its parts by the magnification.
std::int64_t InkReachLeft(int fontSize, double m) {
    return 2 * static_cast<std::int64_t>(std::max(fontSize, 0)) + RoundHalfEven(std::clamp(m, 0.0, 64.0)) + 2;
}

std::size_t CountCarets(const std::string& text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '^')); }

// Advances of characters in the canvas's current font, looked up once per size and byte: a run
// past the right edge is measured rather than drawn, and may be a million characters long.
class RunAdvances {
public:
    int Of(const Canvas& canvas, const std::string& cp932) {
        if (cp932.size() != 1) return canvas.TextExtent(Cp932ToUtf8(cp932)).x;
        if (canvas.Font.Size != size) {
            size = canvas.Font.Size;
            known.fill(-1);
        }
        int& advance = known[static_cast<unsigned char>(cp932[0])];
        if (advance < 0) advance = canvas.TextExtent(Cp932ToUtf8(cp932)).x;
        return advance;
    }

private:
    int size = -1;
    std::array<int, 256> known{};
};

// Paints in `ink` the pixels of `dest` whose picture pixel, picked as StretchDraw picks it (the
// one under the pixel's centre), is not white; the others keep what lies under them. Drawn with
// rectangles, one for each run of ink in a row of the picture.
void PaintGlyph(Canvas& canvas, TRect dest, const Bitmap& picture, TColor ink) {
    const std::int64_t width = static_cast<std::int64_t>(dest.right) - dest.left;
    const std::int64_t height = static_cast<std::int64_t>(dest.bottom) - dest.top;
    if (width <= 0 || height <= 0 || picture.Width() == 0 || picture.Height() == 0) return;
    auto sourceOf = [](std::int64_t offset, std::int64_t destSize, std::int64_t pictureSize) {
        return static_cast<int>((2 * offset + 1) * pictureSize / (2 * destSize));
    };
    // Only the offsets that land on the canvas are visited, however large the square.
    const std::int64_t firstColumn = std::max<std::int64_t>(0, -static_cast<std::int64_t>(dest.left));
    const std::int64_t endColumn = std::min<std::int64_t>(width, static_cast<std::int64_t>(canvas.Width()) - dest.left);
    const std::int64_t firstRow = std::max<std::int64_t>(0, -static_cast<std::int64_t>(dest.top));
    const std::int64_t endRow = std::min<std::int64_t>(height, static_cast<std::int64_t>(canvas.Height()) - dest.top);
    auto inked = [&](std::int64_t column, int sourceRow) {
        return picture.Pixel(sourceOf(column, width, picture.Width()), sourceRow) != clWhite;
    };

    const TPen pen = canvas.Pen;
    const TBrush brush = canvas.Brush;
    canvas.Pen = TPen{ink, 1, PenMode::Copy};
    canvas.Brush = TBrush{ink, BrushStyle::Solid};
    for (std::int64_t top = firstRow; top < endRow;) {
        const int sourceRow = sourceOf(top, height, picture.Height());
        std::int64_t bottom = top + 1;
        while (bottom < endRow && sourceOf(bottom, height, picture.Height()) == sourceRow) ++bottom;
        for (std::int64_t left = firstColumn; left < endColumn;) {
            if (!inked(left, sourceRow)) {
                ++left;
                continue;
            }
            std::int64_t right = left + 1;
            while (right < endColumn && inked(right, sourceRow)) ++right;
            canvas.Rectangle(static_cast<int>(dest.left + left), static_cast<int>(dest.top + top),
                             static_cast<int>(dest.left + right), static_cast<int>(dest.top + bottom));
            left = right;
        }
        top = bottom;
    }
    canvas.Pen = pen;
    canvas.Brush = brush;
}

}  // namespace

bool HasTwoByteChar(const std::string& text) {
    for (char c : text) {
        if (IsLeadByte(c)) return true;
    }
    return false;
}

void Typesetter::Write(Canvas& canvas, int x, int y, const std::string& cp932) {
    canvas.TextOut(x, y, Cp932ToUtf8(cp932));
}

// ---- Line and token.

TPoint Typesetter::TypesetLine(int size, int x, int y, double magnification, Canvas& canvas,
                               const std::string& cp932, TColor color) {
    fractionEnd.reset();
    // Nothing past the right edge shows, so the line stops where the rest of it cannot reach back
    // into view: an element inks at most InkReachLeft before its x, and only exponents step back.
    const std::int64_t edge = static_cast<std::int64_t>(canvas.Width()) + InkReachLeft(size, magnification);
    std::size_t caretsLeft = CountCarets(cp932) + CaretsInFollowingText;
    int x0 = x;
    // Typesets the token of bytes [start, end); false once nothing more of the line can show.
    auto typesetToken = [&](std::size_t start, std::size_t end) {
        visibleEnd = ClampToInt(edge + ExponentStepBack * static_cast<std::int64_t>(std::min<std::size_t>(caretsLeft, 1u << 30)));
        if (x0 >= visibleEnd) return false;
        const std::string token = cp932.substr(start, end - start);
        x0 = TypesetToken(size, x0, y, magnification, canvas, token, color).x;
        caretsLeft -= CountCarets(token);
        return true;
    };
    bool visible = true;
    std::size_t tokenStart = 0;
    for (std::size_t i = 0; i < cp932.size() && visible; ++i) {
        char b = cp932[i];
        if (IsLeadByte(b)) {
            ++i;  // the second byte belongs to the character whatever its value, even 0x40
        } else if (b == ' ' || b == '@') {
            visible = typesetToken(tokenStart, i);
            tokenStart = i + 1;
        }
    }
    if (visible && tokenStart < cp932.size()) typesetToken(tokenStart, cp932.size());
    visibleEnd = std::numeric_limits<int>::max();
    return {x0, y};
}

TPoint Typesetter::TypesetToken(int size, int x, int y, double magnification, Canvas& canvas,
                                const std::string& token, TColor color) {
    if (token.empty() || token == "#") return {x, y};
    if (token == "g" || token == "l" || token == "~") {
        return {DrawGlyph(canvas, token[0], x, y, magnification, color), y};
    }
    canvas.Font.Color = color;
    canvas.Font.Size = size;
    if (HasTwoByteChar(token)) return {DrawTextAsIs(canvas, x, y, token), y};

    Scan scan{.canvas = canvas, .token = token, .size = size, .y = y, .m = magnification, .currentX = x};
    SuperscriptMode = false;
    for (; scan.position < token.size(); ++scan.position) {
        // What is still pending would be drawn from here on, where it cannot show.
        if (scan.currentX >= visibleEnd) return {scan.currentX, y};
        char c = token[scan.position];
        if (scan.depth > 0) {
            // Inside brackets every byte goes unread into the character run.
            scan.pending += c;
            if (c == ']') --scan.depth;
            continue;
        }
        if (IsLower(c) || c == 'R') {
            scan.pending += c;
        } else if (c == '[') {
            scan.pending += c;
            ++scan.depth;
        } else if (c == ']') {
            scan.pending += c;
            --scan.depth;
        } else if (IsDigit(c) || c == '.') {
            if (scan.exponentPending) {
                DrawExponent(scan, c);
                scan.exponentPending = false;
            } else {
                scan.pending += c;
            }
        } else if (c == '&') {
            scan.currentX = FlushPiece(scan);
        } else if (c == '*' || c == '\\') {
            scan.currentX = FlushPiece(scan);
            scan.currentX = DrawSign(canvas, scan.currentX, y, c == '*' ? FormulaSign::Times : FormulaSign::Divide);
        } else if (c == '<' || c == '>') {
            scan.currentX = FlushPiece(scan);
            bool orEqual = scan.position + 1 < token.size() && token[scan.position + 1] == '=';
            if (orEqual) ++scan.position;
            const std::string& sign = c == '<' ? (orEqual ? FormulaSign::LessEqual : FormulaSign::Less)
                                               : (orEqual ? FormulaSign::GreaterEqual : FormulaSign::Greater);
            scan.currentX = DrawSign(canvas, scan.currentX, y, sign);
        } else if (c == '_') {
            scan.currentX = FlushPiece(scan);
            scan.currentX = DrawPiece(canvas, size, "_", "", scan.currentX, y, magnification);
        } else if (c == '/' || c == '|') {
            scan.first = scan.pending;
            scan.pending.clear();
            scan.mode = c == '/' ? 1 : 2;
        } else if (c == '^') {
            // The pending text is drawn as a plain piece whatever the mode; first waits.
            scan.currentX = DrawPiece(canvas, size, scan.pending, "", scan.currentX, y, magnification);
            scan.pending.clear();
            scan.exponentPending = true;
        } else {
            ClosePiece(scan, c);
        }
    }
    scan.currentX = FlushPiece(scan);
    return {scan.currentX, y};
}

void Typesetter::DrawExponent(Scan& scan, char digit) {
    SuperscriptMode = true;
    int e = DrawPiece(scan.canvas, scan.size, std::string(1, digit), "", scan.currentX - 5, scan.y, scan.m);
    scan.currentX = e - 10;
    SuperscriptMode = false;
    scan.canvas.Font.Size = scan.size;
}

void Typesetter::ClosePiece(Scan& scan, char c) {
    int mode = scan.mode;
    if (mode == 0) {
        scan.currentX = DrawPiece(scan.canvas, scan.size, scan.pending, "", scan.currentX, scan.y, scan.m);
    } else if (mode == 1) {
        if (scan.first.empty()) std::swap(scan.first, scan.pending);
        scan.currentX = DrawPiece(scan.canvas, scan.size, scan.first, scan.pending, scan.currentX, scan.y, scan.m);
    } else {
        // A coefficient fraction: c opens the group that follows the denominator; a leading
        // coefficient 1 is not written.
        std::string group = ReadGroup(scan.token, scan.position);
        if (scan.first == "1") scan.first.clear();
        scan.currentX = DrawPiece(scan.canvas, scan.size, scan.first + group, scan.pending, scan.currentX, scan.y, scan.m);
    }
    scan.first.clear();
    scan.pending.clear();
    if (mode != 2) {
        scan.currentX = DrawPiece(scan.canvas, scan.size, std::string(1, c), "", scan.currentX, scan.y, scan.m);
    }
    scan.mode = 0;
}

int Typesetter::FlushPiece(Scan& scan) {
    int next;
    if (scan.mode == 0) {
        next = DrawPiece(scan.canvas, scan.size, scan.pending, "", scan.currentX, scan.y, scan.m);
    } else {
        if (scan.first.empty()) std::swap(scan.first, scan.pending);
        next = DrawPiece(scan.canvas, scan.size, scan.first, scan.pending, scan.currentX, scan.y, scan.m);
    }
    scan.first.clear();
    scan.pending.clear();
    return next;
}

std::string Typesetter::ReadGroup(const std::string& token, std::size_t& position) {
    std::string group;
    ++position;
    while (position < token.size()) {
        if (token[position] == ')' || position + 1 == token.size()) break;
        group += token[position];
        ++position;
    }
    return group;
}

// ---- Pieces, runs and roots.

int Typesetter::DrawPiece(Canvas& canvas, int size, const std::string& main, const std::string& second,
                          int x, int y, double m) {
    int offset = 0;
    if (SuperscriptMode) {
        offset = -6;
        canvas.Font.Size = RoundHalfEven(0.6 * size);
    }
    if (main.empty()) return x;

    std::string top = main;
    if (top[0] == '[') {
        // A root keeps its closing "]", which ends the root inside the run.
        if (Contains(top, 'R')) {
            top.erase(0, 1);
        } else {
            top = top.size() >= 2 ? top.substr(1, top.size() - 2) : std::string();
        }
    }

    if (second.empty()) {
        if (HasTwoByteChar(top)) {
            // Only a root's number holding θ gets here; it advances by its width.
            Write(canvas, x, y + 20 + offset, top);
            return canvas.PenPos().x;
        }
        return DrawRun(canvas, size, x, y + 20 + offset, top, m);
    }

    std::string bottom = second;
    if (std::size_t p = bottom.find('['); p != std::string::npos) {
        if (Contains(bottom, 'R')) {
            bottom.erase(0, 1);
        } else {
            std::size_t count = bottom.size() >= 2 ? bottom.size() - 2 : 0;
            bottom = bottom.substr(p + 1, count);
        }
    }

    // Two fractions in a row would share one bar: the second keeps a run's gap from the first.
    if (fractionEnd == TPoint{x, y}) x += RunGap;

    int lengthTop = static_cast<int>(top.size());
    int lengthBottom = static_cast<int>(bottom.size());
    int w;
    // The longer part starts at x; the shorter is centred by the longer part's mean advance.
    // The fraction ends where the first part drawn ends, with no gap.
    if (lengthTop == lengthBottom) {
        w = DrawRun(canvas, size, x, y + 8, top, m) - 10;
        DrawRun(canvas, size, x, y + 35, bottom, m);
    } else if (lengthTop > lengthBottom) {
        w = DrawRun(canvas, size, x, y + 8, top, m) - 10;
        int q = (w - x) / lengthTop;
        DrawRun(canvas, size, x + ((lengthTop - lengthBottom) * q) / 2, y + 35, bottom, m);
    } else {
        w = DrawRun(canvas, size, x, y + 35, bottom, m) - 10;
        int q = (w - x) / lengthBottom;
        DrawRun(canvas, size, x + ((lengthBottom - lengthTop) * q) / 2, y + 8, top, m);
    }
    int overhang = RoundHalfEven(m);
    DrawFractionBar(canvas, {x - overhang, y + 32}, {w + overhang, y + 32}, m);
    fractionEnd = TPoint{w, y};
    return w;
}

int Typesetter::DrawRun(Canvas& canvas, int size, int x, int row, const std::string& text, double m) {
    // A run that writes nothing (only "^", say) must not end where earlier drawing left the
    // canvas position, so the position starts at the run.
    canvas.MoveTo(x, row);
    // Characters that begin this far right cannot show: they are measured, not written, so that
    // the run's end (a fraction's width, the next element's x) stays what writing gives.
    const std::int64_t unseen = static_cast<std::int64_t>(canvas.Width()) + InkReachLeft(std::max(size, canvas.Font.Size), m);
    RunAdvances advances;
    auto write = [&](int at, int top, const std::string& cp932) {
        if (at < unseen) {
            Write(canvas, at, top, cp932);
        } else {
            canvas.MoveTo(ClampToInt(static_cast<std::int64_t>(at) + advances.Of(canvas, cp932)), top);
        }
    };
    int cx = x;
    bool digitFlag = false;
    bool rootMode = false;
    std::string rootText;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (rootMode) {
            if (c == ']') {
                // The run goes on after the root, 2 pixels after its end.
                DrawRoot(canvas, size, cx, row, rootText, m);
                rootMode = false;
                cx = canvas.PenPos().x + 2;
            } else {
                rootText += c;
            }
            continue;
        }
        if (c == 'R') {
            rootMode = true;
            rootText.clear();
            continue;
        }
        if (IsLeadByte(c)) {
            // A two-byte character is written once and moves on by its own width.
            std::string character(1, c);
            if (i + 1 < text.size()) character += text[++i];
            write(cx, row, character);
        } else if (c == '_') {
            write(cx, row, FormulaSign::PlusMinus);
        } else if (IsRaisedLetter(c)) {
            write(cx, row - RoundHalfEven(2 * m), std::string(1, c));
        } else if (c == '^') {
            digitFlag = true;
        } else if (digitFlag && IsDigit(c)) {
            canvas.Font.Size = RoundHalfEven(0.75 * size);
            write(cx, row, std::string(1, c));
            canvas.Font.Size = size;
            digitFlag = false;
        } else {
            write(cx, row, std::string(1, c));
        }
        cx = canvas.PenPos().x + 2;
    }
    // A root left open by the end of the run is still drawn over what it holds.
    if (rootMode) DrawRoot(canvas, size, cx, row, rootText, m);
    return canvas.PenPos().x + 10;
}

int Typesetter::DrawRoot(Canvas& canvas, int size, int x, int row, const std::string& inside, double m) {
    SuperscriptMode = false;
    int k = Contains(inside, '/') ? 2 : 1;
    double roofFactor = k == 2 ? 1.8 : (Contains(inside, '^') ? 1.4 : 1.0);
    double floorFactor = k == 2 ? -0.8 : 0.0;
    double tickFactor = k == 2 ? 0.2 : 0.4;

    int cx = x + 20 * k;
    int band = row - 20;  // pieces of the inside stand on row
    std::string number;
    // An inside that writes nothing ends where it would have begun.
    canvas.MoveTo(cx, row);
    for (char d : inside) {
        if (d == '$') {
            number += FormulaSign::Theta;
        } else if (IsDigit(d) || d == '.' || d == '/') {
            number += d;
        } else if (d == '(' || d == '+' || d == '-') {
            cx = DrawPiece(canvas, size, std::string(1, d), "", cx, band, m);
        } else if (d == ')') {
            cx = DrawRootNumber(canvas, size, number, cx, band, m);
            number.clear();
            cx = DrawPiece(canvas, size, ")", "", cx, band, m);
        } else if (d == '^') {
            number.clear();
            SuperscriptMode = true;
        }
    }
    DrawRootNumber(canvas, size, number, cx, band, m);

    int d0 = 3 * k - 1, d1 = 4 * k, d2 = 9 * k, d3 = 16 * k;
    int hA = RoundHalfEven(20 * roofFactor);
    int hB = RoundHalfEven(20 * floorFactor);
    int hC = RoundHalfEven(20 * tickFactor);
    int g = row + 20;
    int end = canvas.PenPos().x;
    int roof = std::max(g - hA, RoofCeiling);
    std::vector<TPoint> sign = {
        {x + RoundHalfEven(m * d0), g - hC + RoundHalfEven(2 * k * m)},
        {x + RoundHalfEven(m * d1), g - hC},
        {x + RoundHalfEven(m * d2), g - hB},
        {x + RoundHalfEven(m * d3), roof},
        {end, roof},
    };
    canvas.Pen.Width = m > 1.0 ? 3 : 1;
    canvas.Pen.Color = canvas.Font.Color;
    canvas.Polyline(sign);
    return end;
}

int Typesetter::DrawRootNumber(Canvas& canvas, int size, const std::string& text, int x, int y, double m) {
    if (text.empty()) return x;
    std::size_t slash = text.find('/');
    if (slash == std::string::npos) return DrawPiece(canvas, size, text, "", x, y, m);
    return DrawPiece(canvas, size, text.substr(0, slash), text.substr(slash + 1), x, y, m);
}

void Typesetter::DrawFractionBar(Canvas& canvas, TPoint from, TPoint to, double m) {
    canvas.Pen.Width = m > 1.0 ? 3 : 1;
    canvas.Pen.Color = canvas.Font.Color;
    canvas.Pen.Mode = PenMode::Copy;
    canvas.MoveTo(from.x, from.y);
    canvas.LineTo(to.x, to.y);
    canvas.Pen.Color = clBlack;
    canvas.Pen.Width = 1;
}

// ---- Signs, unchanged text and glyphs.

int Typesetter::DrawSign(Canvas& canvas, int x, int y, const std::string& cp932Sign) {
    Write(canvas, x, y + 20, cp932Sign);
    return canvas.PenPos().x + 5;
}

int Typesetter::DrawTextAsIs(Canvas& canvas, int x, int y, const std::string& cp932) {
    // A long text goes out a hundred-odd bytes at a time, and no further than it can show; each
    // piece starts where the last one left the position, so the pixels are those of one text.
    // A piece ends after a byte that cannot begin a CP932 pair, where decoding is always at a
    // character's end whatever came before.
    auto canEndPiece = [](unsigned char b) { return !((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)); };
    constexpr std::size_t PieceBytes = 128;
    std::size_t start = 0;
    canvas.MoveTo(x, y + 20);
    do {
        std::size_t end = std::min(cp932.size(), start + PieceBytes);
        while (end < cp932.size() && !canEndPiece(static_cast<unsigned char>(cp932[end - 1]))) ++end;
        Write(canvas, canvas.PenPos().x, y + 20, cp932.substr(start, end - start));
        start = end;
    } while (start < cp932.size() && canvas.PenPos().x < visibleEnd);
    return canvas.PenPos().x;
}

int Typesetter::DrawGlyph(Canvas& canvas, char character, int x, int y, double m, TColor color) {
    bool red = color == clRed;
    const TImage* picture;
    if (character == 'g') {
        picture = red ? &glyphs.imgRedGram : &glyphs.imgGram;
        y += RoundHalfEven(5 * m);  // the descender hangs below the text row
    } else if (character == 'l') {
        picture = red ? &glyphs.imgRedLitter : &glyphs.imgLitter;
    } else {
        picture = red ? &glyphs.imgARed : &glyphs.imgABlack;
    }
    int side = RoundHalfEven(m * 20 * 16 * 0.0625);
    PaintGlyph(canvas, {x, y + 20, x + side, y + 20 + side}, picture->canvas.Picture(), color);
    return x + side;
}
