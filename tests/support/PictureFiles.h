// Picture files read back for tests: a PNG file as a Bitmap, and SVG and PDF files rasterised at
// the exact picture's resolution by the usual tools (rsvg-convert, pdftoppm at 96 dots per inch).
#pragma once

#include <png.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "picture/Bitmap.h"

namespace picturefiles {

// The picture at half size, each pixel the average of a 2 × 2 block, so thin lines stay visible.
inline void PasteHalf(Bitmap& sheet, const Bitmap& picture, int left, int top) {
    for (int y = 0; y + 1 < picture.Height(); y += 2) {
        for (int x = 0; x + 1 < picture.Width(); x += 2) {
            int sum[3] = {};
            for (TColor p : {picture.Pixel(x, y), picture.Pixel(x + 1, y), picture.Pixel(x, y + 1), picture.Pixel(x + 1, y + 1)}) {
                for (int channel = 0; channel < 3; ++channel) sum[channel] += (p >> (8 * channel)) & 0xFF;
            }
            sheet.SetPixel(left + x / 2, top + y / 2, RGB(sum[0] / 4, sum[1] / 4, sum[2] / 4));
        }
    }
}

inline std::optional<Bitmap> ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return std::nullopt;
    Bitmap bitmap(static_cast<int>(image.width), static_cast<int>(image.height));
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const unsigned char* p = &rgb[(static_cast<std::size_t>(y) * bitmap.Width() + x) * 3];
            bitmap.SetPixel(x, y, RGB(p[0], p[1], p[2]));
        }
    return bitmap;
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// An SVG or PDF document (by `extension`, ".svg" or ".pdf") rasterised at 96 dots per inch;
// nothing when the tool failed.
inline std::optional<Bitmap> Rasterise(const std::string& document, const std::string& extension) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::string stem = (folder / ("quorbel-rasterise-" + std::to_string(::getpid()))).string();
    WriteFile(stem + extension, document);
    const std::string command = extension == ".svg"
                                    ? "rsvg-convert -o '" + stem + ".png' '" + stem + ".svg'"
                                    : "pdftoppm -r 96 -png -singlefile '" + stem + ".pdf' '" + stem + "'";
    std::optional<Bitmap> picture;
    if (std::system(command.c_str()) == 0) picture = ReadPng(stem + ".png");
    std::filesystem::remove(stem + extension);
    std::filesystem::remove(stem + ".png");
    return picture;
}

// What a command prints on its standard output.
inline std::string Output(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

}  // namespace picturefiles
