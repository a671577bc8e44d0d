#include "plot/SinCosMemo.h"

#include <algorithm>
#include <limits>

void SinCosMemo::Reserve(std::size_t points) {
    const std::size_t size = std::min(points, MaxPoints) * CallsPerPoint;
    if (size <= entries.size()) return;
    // New entries hold a NaN argument, which equals nothing. Growing once to the size asked for,
    // not step by step, keeps the old and the new array from being held together at their largest.
    const CurveReal nan = std::numeric_limits<CurveReal>::quiet_NaN();
    entries.reserve(size);
    entries.resize(size, Entry{nan, nan, nan});
}
