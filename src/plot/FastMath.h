// The curve arithmetic: CurveReal, the type every curve formula computes in, and SinCosL, its sine
// and cosine. One implementation per build, chosen by CMake through the include path:
// plot/x87/CurveArithmetic.h on the desktop (80-bit long double and the x87 fsincos), and
// plot/wasm/CurveArithmetic.h in the browser, where long double is emulated in software.
#pragma once

#include "CurveArithmetic.h"
