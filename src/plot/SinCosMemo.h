// The sines and cosines one plot computed, kept by point and by call so that the next plot of a
// repeat or split display, which walks the same θ again with other parameters, takes the angles
// that did not change instead of computing them again: the two sincos of a point are most of its
// cost. An entry is used only when its argument is the very value asked for (sign of zero
// included), so a result is always the one SinCosL gives.
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

#include "plot/FastMath.h"

class SinCosMemo {
public:
    // Calls per point the memo keeps; later calls of the same point are computed every time.
    static constexpr int CallsPerPoint = 2;
    // Points it keeps: the longest θ walk, 360·200 steps, and its start point.
    static constexpr std::size_t MaxPoints = 72001;

    // Makes room for the first `points` points (at most MaxPoints); points beyond are computed.
    void Reserve(std::size_t points);
    // sin and cos of x for call `call` (0, 1, …) of point `point`, from the memo when it holds x.
    // Inline on purpose: a long double passed to a function goes through memory, and on some
    // processors reading back an 80-bit store costs as much as the memo saves.
    void SinCos(std::size_t point, int call, CurveReal x, CurveReal& sine, CurveReal& cosine) {
        const std::size_t index = point * CallsPerPoint + static_cast<std::size_t>(call);
        if (call < 0 || call >= CallsPerPoint || index >= entries.size()) return SinCosL(x, sine, cosine);
        Entry& entry = entries[index];
        // Zeros compare equal whatever their signs, and sin(−0) is −0; signbit is slow on long double.
        if (entry.argument == x && (x != 0 || std::signbit(entry.argument) == std::signbit(x))) {
            sine = entry.sine;
            cosine = entry.cosine;
            return;
        }
        SinCosL(x, sine, cosine);
        entry = {x, sine, cosine};
    }

private:
    struct Entry {
        CurveReal argument;
        CurveReal sine;
        CurveReal cosine;
    };
    std::vector<Entry> entries;  // CallsPerPoint per point
};
