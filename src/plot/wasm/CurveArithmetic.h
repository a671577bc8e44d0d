// The browser's curve arithmetic. WebAssembly's long double is 128 bits wide and emulated in
// software, about fifty times slower than double; the formulas compute in double instead, with
// the library's sine and cosine. A point then differs from the desktop's by a few units in the
// last place of a double, which moves a pixel only where the exact value lies on a rounding tie.
#pragma once

#include <cmath>

// The type every curve formula computes in.
using CurveReal = double;

inline void SinCosL(CurveReal x, CurveReal& sine, CurveReal& cosine) {
    sine = std::sin(x);
    cosine = std::cos(x);
}
