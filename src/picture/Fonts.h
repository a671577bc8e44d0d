// The faces behind the system's font names. A name and style are resolved once with fontconfig
// (the face file opened by its real path with FreeType) and kept for the whole run, together with
// the rendered glyphs of every size used. Drawing the glyphs onto pixels is the Canvas's business.
// Not thread-safe: everything runs on the one user-interface thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// Pixel size of a point size at 96 DPI, rounded half up: 14 → 19, 10 → 13, 8 → 11.
int FontPixelSize(int points);

// Where a system font name and style ended up.
struct FaceInfo {
    std::string Family;        // fontconfig family of the file, e.g. "IPAPGothic"
    std::string Style;         // e.g. "Light Italic"
    int Weight = 400;          // the face file's own weight (300 light, 400 regular, 700 bold), set when loaded
    bool Italic = false;       // the face file is italic or oblique, set when loaded
    std::string File;          // real path of the face file
    int Index = 0;             // face index inside the file
    bool SyntheticBold = false;    // bold asked for, the face has none: FreeType emboldening
    bool SyntheticItalic = false;  // italic asked for, the face has none: slanted outlines
};

// One rendered glyph: 8-bit coverage rows, placed relative to the pen on the baseline.
struct GlyphImage {
    int Left = 0;     // columns from the pen position to the first bitmap column
    int Top = 0;      // rows from the baseline up to the first bitmap row
    int Width = 0;
    int Height = 0;
    int Advance = 0;  // hinted integer advance in pixels
    std::vector<std::uint8_t> Coverage;  // Width × Height, row by row
};

// Vertical metrics of a face at one pixel size, in whole pixels.
struct FontMetrics {
    int Ascent = 0;   // baseline below the top of the text box
    int Descent = 0;  // rows below the baseline
    int Height() const { return Ascent + Descent; }
};

class FontFace {
public:
    FontFace(void* ftFace, FaceInfo info);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const FaceInfo& Info() const { return info; }
    FontMetrics Metrics(int pixelSize);
    // The glyph of a code point at a size; never null (a missing character gives the face's
    // .notdef glyph, a glyph that fails to load an empty one with no advance).
    const GlyphImage& Glyph(char32_t code, int pixelSize);

private:
    struct SizeState;
    SizeState& sizeState(int pixelSize);

    void* face;  // FT_Face, kept out of this header
    FaceInfo info;
    std::unordered_map<int, std::unique_ptr<SizeState>> sizes;
};

// The face for a system name ("ＭＳ Ｐゴシック", "ＭＳ ゴシック", "Bookman Old Style", "Times New Roman", "Braggadocio")
// and style. An unknown name, or a face that is not installed, falls back to a Japanese-capable
// face; nullptr when even that is missing (the caller then draws nothing).
FontFace* FindFace(const std::string& name, bool italic, bool bold);

// Decodes UTF-8; every invalid or truncated sequence becomes U+FFFD.
std::u32string DecodeUtf8(const std::string& utf8);
