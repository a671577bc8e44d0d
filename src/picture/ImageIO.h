// Bitmap files: PNG (for looking at pictures and for tests) and 24-bit BMP (the bitmap file that
// printing writes and reads back). Failures are returned, never thrown; a damaged or foreign file
// read back gives no bitmap rather than a crash.
#pragma once

#include <optional>
#include <string>

#include "picture/Bitmap.h"

// The bytes of a PNG file of the bitmap: 8-bit indexed colour when it has at most 256 colours,
// else 8-bit RGB. Compressed for speed (PngWriter.cpp, with libpng): a picture is mostly flat
// colour, and a file written in a fraction of the time the picture takes to draw matters more
// than the last few kilobytes. Empty for an empty bitmap.
std::string EncodePng(const Bitmap& bitmap);
// Writes EncodePng's bytes; false when the file cannot be written.
bool WritePng(const std::string& path, const Bitmap& bitmap);
// Writes an uncompressed 24-bit bottom-up BMP; false when the file cannot be written.
bool WriteBmp(const std::string& path, const Bitmap& bitmap);
// Reads an uncompressed 24- or 32-bit BMP (bottom-up or top-down); nothing for anything else.
std::optional<Bitmap> ReadBmp(const std::string& path);
