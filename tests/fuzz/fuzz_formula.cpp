// A formula line of arbitrary bytes typeset on a caption-sized picture at an arbitrary place,
// size and magnification: every byte string must draw somehow and end on the row it started.
#include "FuzzInput.h"
#include "FuzzSetup.h"
#include "formula/Math.h"
#include "formula/Typeset.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TfrmMath glyphs;
    static Typesetter typesetter(glyphs);
    static Canvas canvas(513, 160, clWhite);

    FuzzInput input(data, size);
    const int textSize = input.Range(1, 64);
    const int x = input.Range(-600, 1200);
    const int y = input.Range(-200, 400);
    static const double Magnifications[] = {1.0, 0.5, 2.0, 3.75};
    const double magnification = Magnifications[input.Range(0, 3)];
    const TColor color = input.Flag() ? clRed : clBlack;
    const bool fixedPitch = input.Flag();
    const std::string line = input.Rest();

    canvas.Reset(513, 160, clWhite);
    canvas.Font.Name = fixedPitch ? "ＭＳ ゴシック" : "ＭＳ Ｐゴシック";
    typesetter.SuperscriptMode = false;
    TPoint end = typesetter.TypesetLine(textSize, x, y, magnification, canvas, line, color);
    FUZZ_CHECK(end.y == y);
    FUZZ_CHECK(canvas.Width() == 513 && canvas.Height() == 160);
    return 0;
}
