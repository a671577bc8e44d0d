#include "picture/Fonts.h"

#include "picture/FaceLookup.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <cstring>
#include <map>
#include <tuple>

int FontPixelSize(int points) {
    if (points <= 0) return 0;
    // points × 96 / 72 = points × 4 / 3, rounded half up in integers.
    long long twice = static_cast<long long>(points) * 8;
    long long pixels = (twice + 3) / 6;
    return pixels > 4096 ? 4096 : static_cast<int>(pixels);
}

std::u32string DecodeUtf8(const std::string& utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    const std::size_t n = utf8.size();
    while (i < n) {
        unsigned char lead = static_cast<unsigned char>(utf8[i]);
        int length = 0;
        char32_t code = 0;
        char32_t minimum = 0;
        if (lead < 0x80) { out.push_back(lead); ++i; continue; }
        if (lead >= 0xC2 && lead <= 0xDF) { length = 2; code = lead & 0x1F; minimum = 0x80; }
        else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; code = lead & 0x0F; minimum = 0x800; }
        else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; code = lead & 0x07; minimum = 0x10000; }
        bool valid = length > 0 && i + length <= n;
        for (int k = 1; valid && k < length; ++k) {
            unsigned char next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) valid = false;
            else code = (code << 6) | (next & 0x3F);
        }
        if (valid && (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))) valid = false;
        if (valid) {
            out.push_back(code);
            i += length;
        } else {
            out.push_back(U'\uFFFD');
            ++i;  // resynchronise on the next byte
        }
    }
    return out;
}

// ---- Faces and their sizes.

struct FontFace::SizeState {
    FT_Size size = nullptr;
    FontMetrics metrics;
    std::unordered_map<char32_t, GlyphImage> glyphs;
};

FontFace::FontFace(void* ftFace, FaceInfo info) : face(ftFace), info(std::move(info)) {}

FontFace::~FontFace() {
    // FT_Done_Face releases the sizes made with FT_New_Size as well.
    FT_Done_Face(static_cast<FT_Face>(face));
}

FontFace::SizeState& FontFace::sizeState(int pixelSize) {
    auto found = sizes.find(pixelSize);
    if (found != sizes.end()) return *found->second;
    auto state = std::make_unique<SizeState>();
    FT_Face ftFace = static_cast<FT_Face>(face);
    if (FT_New_Size(ftFace, &state->size) == 0) {
        FT_Activate_Size(state->size);
        if (FT_Set_Pixel_Sizes(ftFace, 0, static_cast<FT_UInt>(pixelSize)) == 0) {
            // The text box follows the face's Windows metrics where it has them, so that a line of
            // text is as high as the desktop faces it stands in for; otherwise FreeType's own.
            const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ftFace, FT_SFNT_OS2));
            if (os2 && os2->version != 0xFFFF && ftFace->units_per_EM > 0 &&
                os2->usWinAscent + os2->usWinDescent > 0) {
                long long em = ftFace->units_per_EM;
                state->metrics.Ascent = static_cast<int>((2LL * os2->usWinAscent * pixelSize + em) / (2 * em));
                state->metrics.Descent = static_cast<int>((2LL * os2->usWinDescent * pixelSize + em) / (2 * em));
            } else {
                state->metrics.Ascent = static_cast<int>((ftFace->size->metrics.ascender + 63) >> 6);
                state->metrics.Descent = static_cast<int>((-ftFace->size->metrics.descender + 63) >> 6);
            }
        }
    } else {
        state->size = nullptr;
    }
    SizeState& result = *state;
    sizes.emplace(pixelSize, std::move(state));
    return result;
}

FontMetrics FontFace::Metrics(int pixelSize) { return sizeState(pixelSize).metrics; }

const GlyphImage& FontFace::Glyph(char32_t code, int pixelSize) {
    SizeState& state = sizeState(pixelSize);
    auto found = state.glyphs.find(code);
    if (found != state.glyphs.end()) return found->second;

    GlyphImage image;
    FT_Face ftFace = static_cast<FT_Face>(face);
    if (state.size && FT_Activate_Size(state.size) == 0) {
        FT_UInt index = FT_Get_Char_Index(ftFace, code);
        // Embedded bitmaps are skipped: every glyph is grey-scale from its outline.
        if (FT_Load_Glyph(ftFace, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) == 0) {
            FT_GlyphSlot slot = ftFace->glyph;
            if (info.SyntheticItalic) FT_GlyphSlot_Oblique(slot);
            if (info.SyntheticBold) FT_GlyphSlot_Embolden(slot);
            image.Advance = static_cast<int>((slot->advance.x + 32) >> 6);
            if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0 &&
                slot->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
                const FT_Bitmap& bitmap = slot->bitmap;
                image.Left = slot->bitmap_left;
                image.Top = slot->bitmap_top;
                image.Width = static_cast<int>(bitmap.width);
                image.Height = static_cast<int>(bitmap.rows);
                image.Coverage.resize(static_cast<std::size_t>(image.Width) * image.Height);
                for (int row = 0; row < image.Height; ++row) {
                    const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
                    std::memcpy(image.Coverage.data() + static_cast<std::size_t>(row) * image.Width, source,
                                static_cast<std::size_t>(image.Width));
                }
            }
        }
    }
    return state.glyphs.emplace(code, std::move(image)).first->second;
}

// ---- Loading the faces the lookup names.

namespace {

class FontLibrary {
public:
    FontLibrary() {
        if (FT_Init_FreeType(&library) != 0) library = nullptr;
    }
    ~FontLibrary() {
        faces.clear();  // the faces before the library that made them
        if (library) FT_Done_FreeType(library);
    }

    FontFace* Find(const std::string& name, bool italic, bool bold) {
        auto key = std::make_tuple(name, italic, bold);
        auto found = byName.find(key);
        if (found != byName.end()) return found->second;
        FontFace* face = nullptr;
        if (library) {
            if (std::optional<FaceInfo> info = LookUpFace(name, italic, bold)) face = load(std::move(*info));
        }
        byName.emplace(key, face);
        return face;
    }

private:
    FontFace* load(FaceInfo info) {
        auto key = std::make_tuple(info.File, info.Index, info.SyntheticBold, info.SyntheticItalic);
        auto found = faces.find(key);
        if (found != faces.end()) return found->second.get();
        FT_Face face = nullptr;
        if (FT_New_Face(library, info.File.c_str(), info.Index, &face) != 0) return nullptr;
        auto owned = std::make_unique<FontFace>(face, std::move(info));
        FontFace* result = owned.get();
        faces.emplace(key, std::move(owned));
        return result;
    }

    FT_Library library = nullptr;
    std::map<std::tuple<std::string, int, bool, bool>, std::unique_ptr<FontFace>> faces;
    std::map<std::tuple<std::string, bool, bool>, FontFace*> byName;
};

FontLibrary& Library() {
    static FontLibrary library;
    return library;
}

}  // namespace

FontFace* FindFace(const std::string& name, bool italic, bool bold) { return Library().Find(name, italic, bold); }
