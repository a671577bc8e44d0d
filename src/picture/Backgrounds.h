// The text helpers of the tick labels. The background routines themselves are members of
// TfrmMain (app/Main.h) and live in picture/Backgrounds.cpp.
#pragma once

#include <cstddef>
#include <string>

// The shortest general decimal text with up to 15 significant digits and no exponent: 5, -2.5, 1.25.
std::string TickLabelText(double value);
// `text` right-aligned in a field of `width` characters, padded with spaces; a longer text is not cut.
std::string PadLeft(const std::string& text, std::size_t width);
