// The formula typesetter: cuts a formula line (CP932 bytes in the plain-text notation) into
// tokens and pieces and draws them on a canvas with fractions, roots, exponents, signs and
// glyph pictures. Measuring is by drawing: every advance is read back from the canvas position.
// The typesetter sets only the font's size and colour; face and style are the caller's. A line
// that runs past the canvas's right edge stops where nothing more of it could show.
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>

#include "formula/Math.h"
#include "picture/Canvas.h"

// True when any byte of the text is above 0x80.
bool HasTwoByteChar(const std::string& text);

// The CP932 byte pairs of the signs the typesetter writes.
namespace FormulaSign {
inline const std::string Times = "\x81\x7E";      // ×
inline const std::string Divide = "\x81\x80";     // ÷
inline const std::string LessEqual = "\x81\x85";  // ≦
inline const std::string GreaterEqual = "\x81\x86";  // ≧
inline const std::string Less = "\x81\x83";       // ＜
inline const std::string Greater = "\x81\x84";    // ＞
inline const std::string PlusMinus = "\x81\x7D";  // ±
inline const std::string Theta = "\x83\xC6";      // θ
}  // namespace FormulaSign

class Typesetter {
public:
    explicit Typesetter(const TfrmMath& glyphs) : glyphs(glyphs) {}

    // Exponent state shared by the whole typesetter: plain pieces small and raised while on.
    bool SuperscriptMode = false;

    static constexpr int NoRoofCeiling = std::numeric_limits<int>::min();
    // No root sign rises above this row; the caption keeps roofs off the name line over its formulas.
    int RoofCeiling = NoRoofCeiling;
    // Carets ("^") in the text the caller will typeset next, at the x a line returns: a line that
    // runs off the canvas stops only where no exponent of that text could step back into view.
    std::size_t CaretsInFollowingText = 0;

    // Draws a formula line with its first piece at column x in the band whose top is row y;
    // returns the end point (the returned y is always y).
    TPoint TypesetLine(int size, int x, int y, double magnification, Canvas& canvas,
                       const std::string& cp932, TColor color);
    // Draws one token (no blanks or at signs in it) at x; returns its end point.
    TPoint TypesetToken(int size, int x, int y, double magnification, Canvas& canvas,
                        const std::string& token, TColor color);

    // The drawing operations of one line; x is where the element begins, y the band top, and
    // each returns the x where the next element begins.
    // A plain piece (second empty, a character run followed by 10 pixels) or a fraction.
    int DrawPiece(Canvas& canvas, int size, const std::string& main, const std::string& second, int x, int y, double m);
    // One two-byte sign on the text row; returns its right end + 5.
    int DrawSign(Canvas& canvas, int x, int y, const std::string& cp932Sign);
    // Text written unchanged on the text row; returns its right end, no gap.
    int DrawTextAsIs(Canvas& canvas, int x, int y, const std::string& cp932);
    // The glyph picture of "g", "l" or "~" (the red one's shape for pure red, else the black one's)
    // in `color` on a transparent ground; returns x + its side.
    int DrawGlyph(Canvas& canvas, char character, int x, int y, double m, TColor color);

private:
    // The scan state of one token.
    struct Scan {
        Canvas& canvas;
        const std::string& token;
        int size;
        int y;
        double m;
        std::size_t position = 0;  // 0-based index of the byte being read
        int mode = 0;              // 0 plain, 1 after "/", 2 after "|"
        std::string pending = {};
        std::string first = {};
        int depth = 0;
        bool exponentPending = false;
        int currentX;
    };

    // Draws the pending piece (a fraction in modes 1 and 2); returns the new current x.
    int FlushPiece(Scan& scan);
    // The piece closed by an operator or other byte c, then c itself as a one-character piece.
    void ClosePiece(Scan& scan, char c);
    void DrawExponent(Scan& scan, char digit);
    // The text after the opening byte at `position` up to ")" or the token's last byte; leaves
    // `position` on the byte where it stopped.
    static std::string ReadGroup(const std::string& token, std::size_t& position);

    // A character run with its top at `row`; returns its right end + 10.
    int DrawRun(Canvas& canvas, int size, int x, int row, const std::string& text, double m);
    // A square root over `inside` in the run whose top is `row`; returns the inside's right end.
    int DrawRoot(Canvas& canvas, int size, int x, int row, const std::string& inside, double m);
    // A pending number of a root: "main/second" as a fraction, else a plain piece.
    int DrawRootNumber(Canvas& canvas, int size, const std::string& text, int x, int y, double m);
    // A horizontal bar in the font colour; leaves the pen black, width 1, at `to`.
    void DrawFractionBar(Canvas& canvas, TPoint from, TPoint to, double m);
    // Writes CP932 text at (x, y); the canvas position is left after it.
    static void Write(Canvas& canvas, int x, int y, const std::string& cp932);

    const TfrmMath& glyphs;
    // Where the last fraction ended (x, band top); a fraction that would begin there, its bar
    // joining the last one's, begins a run's gap later. Forgotten at the start of every line.
    std::optional<TPoint> fractionEnd;
    // While a line is typeset: the column from which on nothing of the rest of it can show.
    int visibleEnd = std::numeric_limits<int>::max();
};
