// The desktop's face lookup: the system names through fontconfig, as installed on this machine.
#include "picture/FaceLookup.h"

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <cstring>

namespace {


struct FaceRequest {
    const char* family;
    int weight;  // fontconfig weight of the face standing in for the regular style
};

// The installed faces that stand in for the system's names.
bool LookUpSystemName(const std::string& name, FaceRequest& request) {
    if (name == "ＭＳ Ｐゴシック") request = {"IPAPGothic", FC_WEIGHT_REGULAR};
    else if (name == "ＭＳ ゴシック") request = {"IPAGothic", FC_WEIGHT_REGULAR};
    else if (name == "Bookman Old Style") request = {"URW Bookman", FC_WEIGHT_LIGHT};
    else if (name == "Times New Roman") request = {"Nimbus Roman", FC_WEIGHT_REGULAR};
    else if (name == "Braggadocio") request = {"League Spartan", FC_WEIGHT_BOLD};
    else return false;
    return true;
}

bool HasFamily(FcPattern* pattern, const char* family) {
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &value) == FcResultMatch; ++i) {
        if (FcStrCmpIgnoreCase(value, reinterpret_cast<const FcChar8*>(family)) == 0) return true;
    }
    return false;
}

bool SpeaksJapanese(FcPattern* pattern) {
    FcLangSet* languages = nullptr;
    if (FcPatternGetLangSet(pattern, FC_LANG, 0, &languages) != FcResultMatch) return false;
    return FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>("ja")) == FcLangEqual;
}

bool IsOutlineFormat(FcPattern* pattern) {
    FcChar8* format = nullptr;
    if (FcPatternGetString(pattern, FC_FONTFORMAT, 0, &format) != FcResultMatch) return false;
    const char* text = reinterpret_cast<const char*>(format);
    return std::strcmp(text, "TrueType") == 0 || std::strcmp(text, "CFF") == 0;
}

std::string StringOf(FcPattern* pattern, const char* object) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch) return {};
    return reinterpret_cast<const char*>(value);
}

int IntegerOf(FcPattern* pattern, const char* object, int otherwise) {
    int value = otherwise;
    if (FcPatternGetInteger(pattern, object, 0, &value) != FcResultMatch) return otherwise;
    return value;
}

// The file behind any symbolic links, so that one face file is loaded once under one name.
std::string RealPath(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved) return path;
    std::string result = resolved;
    std::free(resolved);
    return result;
}

class Fontconfig {
public:
    Fontconfig() : config(FcInitLoadConfigAndFonts()) {}
    ~Fontconfig() {
        if (config) FcConfigDestroy(config);
    }

    std::optional<FaceInfo> LookUp(const std::string& name, bool italic, bool bold) {
        if (!config) return std::nullopt;
        FcPattern* match = nullptr;
        FaceRequest request{};
        if (LookUpSystemName(name, request)) {
            FcPattern* pattern = FcPatternCreate();
            FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(request.family));
            FcPatternAddInteger(pattern, FC_WEIGHT, bold && request.weight < FC_WEIGHT_BOLD ? FC_WEIGHT_BOLD : request.weight);
            FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
            match = bestMatch(pattern, [&](FcPattern* candidate) { return HasFamily(candidate, request.family); });
            FcPatternDestroy(pattern);
        }
        if (!match) {
            FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(":lang=ja"));
            if (pattern) {
                FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
                match = bestMatch(pattern, SpeaksJapanese);
                FcPatternDestroy(pattern);
            }
        }
        if (!match) return std::nullopt;

        FaceInfo info;
        info.Family = StringOf(match, FC_FAMILY);
        info.Style = StringOf(match, FC_STYLE);
        info.File = RealPath(StringOf(match, FC_FILE));
        info.Index = IntegerOf(match, FC_INDEX, 0);
        info.SyntheticBold = bold && IntegerOf(match, FC_WEIGHT, FC_WEIGHT_REGULAR) < FC_WEIGHT_DEMIBOLD;
        info.SyntheticItalic = italic && IntegerOf(match, FC_SLANT, FC_SLANT_ROMAN) == FC_SLANT_ROMAN;
        FcPatternDestroy(match);
        return info;
    }

private:
    // The best installed face for the request: outline formats first, in fontconfig's order.
    // `accept` decides whether a candidate is the family asked for.
    template <typename Accept>
    FcPattern* bestMatch(FcPattern* request, Accept accept) {
        FcConfigSubstitute(config, request, FcMatchPattern);
        FcDefaultSubstitute(request);
        FcResult result = FcResultNoMatch;
        FcFontSet* sorted = FcFontSort(config, request, FcFalse, nullptr, &result);
        FcPattern* chosen = nullptr;
        if (sorted) {
            for (int pass = 0; pass < 2 && !chosen; ++pass) {
                for (int i = 0; i < sorted->nfont && !chosen; ++i) {
                    FcPattern* candidate = sorted->fonts[i];
                    if (!accept(candidate) || (pass == 0 && !IsOutlineFormat(candidate))) continue;
                    if (StringOf(candidate, FC_FILE).empty()) continue;
                    chosen = FcPatternDuplicate(candidate);
                }
            }
            FcFontSetDestroy(sorted);
        }
        return chosen;
    }

    FcConfig* config = nullptr;
};

}  // namespace

std::optional<FaceInfo> LookUpFace(const std::string& name, bool italic, bool bold) {
    static Fontconfig fontconfig;
    return fontconfig.LookUp(name, italic, bold);
}
