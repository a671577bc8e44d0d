// The desktop's curve arithmetic: 80-bit long double, and its sine and cosine. The library's
// sinl/cosl reduce the argument in software and are about ten times slower than the x87 fsincos instruction.
// The instruction reduces with a 66-bit π, so its error grows as about 1.3e-21·|x|: below 2^19
// it stays under 1e-15 (under 1e-16 for the |x| ≤ 200·100π the curves reach). Larger arguments,
// and platforms without x87, use the library functions.
#pragma once

#include <cmath>

// The type every curve formula computes in.
using CurveReal = long double;

constexpr long double FastSinCosLimit = 0x1p19L;

// sin and cos of x in extended precision; a non-finite x gives NaN for both.
inline void SinCosL(CurveReal x, CurveReal& sine, CurveReal& cosine) {
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
    if (std::fabs(x) < FastSinCosLimit) {
        long double s, c;
        __asm__("fsincos" : "=t"(c), "=u"(s) : "0"(x));
        sine = s;
        cosine = c;
        return;
    }
#endif
    sine = std::sin(x);
    cosine = std::cos(x);
}
