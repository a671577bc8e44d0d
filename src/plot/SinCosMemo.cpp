#include "plot/SinCosMemo.h"

#include <limits>

void SinCosMemo::Grow(std::size_t point) {
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    entries.resize((point + 1) * CallsPerPoint, Entry{nan, nan, nan});
}
