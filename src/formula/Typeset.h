// The formula typesetter: cuts a formula line (CP932 bytes in the plain-text notation) into
// tokens and pieces and draws them on a canvas with fractions, roots, exponents, signs and
// glyph pictures. Measuring is by drawing: every advance is read back from the canvas position.
#pragma once

#include <string>

#include "formula/Math.h"
#include "picture/Canvas.h"

// True when any byte of the text is above 0x80.
bool HasTwoByteChar(const std::string& text);

class Typesetter {
public:
    explicit Typesetter(const TfrmMath& glyphs) : glyphs(glyphs) {}

    // Exponent state shared by the whole typesetter: plain pieces small and raised while on.
    bool SuperscriptMode = false;

    // Draws a formula line with its first piece at column x in the band whose top is row y;
    // returns the end point (the returned y is always y).
    TPoint TypesetLine(int size, int x, int y, double magnification, Canvas& canvas,
                       const std::string& cp932, TColor color);
    TPoint TypesetToken(int size, int x, int y, double magnification, Canvas& canvas,
                        const std::string& token, TColor color);

    // The drawing operations of one line (see Typeset.cpp); x is where the element begins.
    int DrawPiece(Canvas& canvas, int size, const std::string& main, const std::string& second, int x, int y, double m);
    int DrawSign(Canvas& canvas, int x, int y, const std::string& cp932Sign);
    int DrawTextAsIs(Canvas& canvas, int x, int y, const std::string& cp932);
    int DrawGlyph(Canvas& canvas, char character, int x, int y, double m, TColor color);

private:
    const TfrmMath& glyphs;
};
