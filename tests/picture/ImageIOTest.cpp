// PNG and BMP files: what is written reads back pixel for pixel; bad files give nothing.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "picture/ImageIO.h"

namespace {

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("quorbel-imageio-" + name)).string();
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void Put(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// A 5 × 3 picture with a different colour in every pixel (odd width: rows need padding).
Bitmap Sample() {
    Bitmap bitmap(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) bitmap.SetPixel(x, y, RGB(40 * x, 80 * y, 200 - 10 * x - y));
    return bitmap;
}

}  // namespace

TEST(ImageIO, BmpRoundTripWithRowPadding) {
    const std::string path = TempPath("round.bmp");
    ASSERT_TRUE(WriteBmp(path, Sample()));
    std::vector<unsigned char> bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 54u + 16u * 3u);
    EXPECT_EQ(bytes[28], 24);
    // Bottom-up, blue first: the first pixel stored is (0, 2).
    EXPECT_EQ(bytes[54], 200 - 2);
    EXPECT_EQ(bytes[55], 160);
    EXPECT_EQ(bytes[56], 0);
    std::optional<Bitmap> back = ReadBmp(path);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, Sample());
    std::remove(path.c_str());
}

TEST(ImageIO, ReadsTopDown32BitFiles) {
    // 2 × 2, 32 bits, negative height: rows stored from the top.
    std::vector<unsigned char> bytes(54 + 16, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put(bytes, 2, 70, 4);
    Put(bytes, 10, 54, 4);
    Put(bytes, 14, 40, 4);
    Put(bytes, 18, 2, 4);
    Put(bytes, 22, static_cast<std::uint32_t>(-2), 4);
    Put(bytes, 26, 1, 2);
    Put(bytes, 28, 32, 2);
    const unsigned char pixels[16] = {0, 0, 255, 0, 255, 0, 0, 0, 0, 255, 0, 0, 9, 8, 7, 0};
    std::copy(pixels, pixels + 16, bytes.begin() + 54);
    const std::string path = TempPath("topdown.bmp");
    WriteBytes(path, bytes);
    std::optional<Bitmap> read = ReadBmp(path);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->Pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(read->Pixel(1, 0), RGB(0, 0, 255));
    EXPECT_EQ(read->Pixel(0, 1), RGB(0, 255, 0));
    EXPECT_EQ(read->Pixel(1, 1), RGB(7, 8, 9));
    std::remove(path.c_str());
}

TEST(ImageIO, DamagedOrForeignBmpGivesNothing) {
    const std::string good = TempPath("good.bmp");
    ASSERT_TRUE(WriteBmp(good, Sample()));
    const std::vector<unsigned char> bytes = ReadBytes(good);
    const std::string path = TempPath("bad.bmp");
    auto readWith = [&](std::vector<unsigned char> changed) {
        WriteBytes(path, changed);
        return ReadBmp(path).has_value();
    };
    EXPECT_FALSE(readWith({bytes.begin(), bytes.end() - 1})) << "truncated pixels";
    EXPECT_FALSE(readWith({bytes.begin(), bytes.begin() + 30})) << "truncated header";
    EXPECT_FALSE(readWith({})) << "empty";
    std::vector<unsigned char> changed = bytes;
    Put(changed, 18, 0x7FFFFFFF, 4);
    EXPECT_FALSE(readWith(changed)) << "absurd width";
    changed = bytes;
    Put(changed, 22, 0x80000000u, 4);
    EXPECT_FALSE(readWith(changed)) << "most negative height";
    changed = bytes;
    Put(changed, 28, 8, 2);
    EXPECT_FALSE(readWith(changed)) << "palette picture";
    changed = bytes;
    Put(changed, 30, 1, 4);
    EXPECT_FALSE(readWith(changed)) << "compressed";
    changed = bytes;
    Put(changed, 10, 0xFFFFFFF0u, 4);
    EXPECT_FALSE(readWith(changed)) << "pixel offset beyond the file";
    changed = bytes;
    changed[0] = 'P';
    EXPECT_FALSE(readWith(changed)) << "not a bitmap";
    EXPECT_FALSE(ReadBmp(TempPath("missing.bmp")).has_value());
    std::remove(path.c_str());
    std::remove(good.c_str());
}

TEST(ImageIO, PngHoldsTheRgbPixels) {
    const std::string path = TempPath("sample.png");
    ASSERT_TRUE(WritePng(path, Sample()));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    ASSERT_EQ(image.width, 5u);
    ASSERT_EQ(image.height, 3u);
    const Bitmap expected = Sample();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const unsigned char* p = &rgb[(y * 5 + x) * 3];
            EXPECT_EQ(RGB(p[0], p[1], p[2]), expected.Pixel(x, y)) << x << ", " << y;
        }
    std::remove(path.c_str());
    EXPECT_FALSE(WritePng("/nonexistent-folder/x.png", Sample()));
    EXPECT_FALSE(WriteBmp("/nonexistent-folder/x.bmp", Sample()));
}

// Past 256 colours the file holds the colours themselves rather than a palette; either way, and
// with rows that repeat the one above or their own pixels (what the writer compresses), the
// pixels read back as they were.
TEST(ImageIO, PngKeepsEveryPixelWithOrWithoutAPalette) {
    for (int colours : {3, 300}) {
        Bitmap bitmap(40, 30, RGB(9, 9, 9));
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                if (y % 7 == 3) {  // a row like the one above it
                    bitmap.SetPixel(x, y, bitmap.Pixel(x, y - 1));
                    continue;
                }
                const int k = (x * 31 + y * 17) % colours;
                if (x % 5 != 0) bitmap.SetPixel(x, y, RGB(k & 0xFF, k >> 8, 200));
            }
        const std::string path = TempPath("colours.png");
        ASSERT_TRUE(WritePng(path, bitmap));
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
        EXPECT_EQ((image.format & PNG_FORMAT_FLAG_COLORMAP) != 0, colours <= 256);
        image.format = PNG_FORMAT_RGB;
        std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
        ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
        int wrong = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                const unsigned char* p = &rgb[(y * 40 + x) * 3];
                wrong += RGB(p[0], p[1], p[2]) != bitmap.Pixel(x, y);
            }
        EXPECT_EQ(wrong, 0) << colours << " colours";
        std::remove(path.c_str());
    }
}
