#include "picture/Bitmap.h"

#include <algorithm>

Bitmap::Bitmap(int width, int height, TColor fill)
    : width(std::max(width, 0)), height(std::max(height, 0)),
      pixels(static_cast<std::size_t>(this->width) * this->height, fill) {}
