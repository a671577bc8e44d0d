// The browser's face lookup: a fixed table over the faces bundled with the page, which sit in
// /fonts/ (or the folder QUORBEL_FONTS names, for the driver under Node). It gives what fontconfig gives on the desktop with the same fonts installed:
// the same file for every name and style, and the same synthetic bold and italic.
#include "picture/FaceLookup.h"

#include <cstdlib>

namespace {

std::string BundledFontFolder() {
    const char* folder = std::getenv("QUORBEL_FONTS");
    if (!folder || !*folder) return "/fonts/";
    std::string result = folder;
    if (result.back() != '/') result += '/';
    return result;
}

struct FaceEntry {
    const char* name;      // the system name; nullptr for the fallback of every other name
    bool italic;
    bool bold;
    const char* family;
    const char* style;
    const char* file;      // in BundledFontFolder()
    bool syntheticBold;
    bool syntheticItalic;
};

// The two Gothic faces have only a regular style: bold and italic are made by FreeType.
constexpr FaceEntry Faces[] = {
    {"ＭＳ Ｐゴシック", false, false, "IPAPGothic", "Regular", "ipagp.ttf", false, false},
    {"ＭＳ Ｐゴシック", false, true, "IPAPGothic", "Regular", "ipagp.ttf", true, false},
    {"ＭＳ Ｐゴシック", true, false, "IPAPGothic", "Regular", "ipagp.ttf", false, true},
    {"ＭＳ Ｐゴシック", true, true, "IPAPGothic", "Regular", "ipagp.ttf", true, true},
    {"ＭＳ ゴシック", false, false, "IPAGothic", "Regular", "ipag.ttf", false, false},
    {"ＭＳ ゴシック", false, true, "IPAGothic", "Regular", "ipag.ttf", true, false},
    {"ＭＳ ゴシック", true, false, "IPAGothic", "Regular", "ipag.ttf", false, true},
    {"ＭＳ ゴシック", true, true, "IPAGothic", "Regular", "ipag.ttf", true, true},
    {"Bookman Old Style", false, false, "URW Bookman", "Light", "URWBookman-Light.otf", false, false},
    {"Bookman Old Style", false, true, "URW Bookman", "Demi", "URWBookman-Demi.otf", false, false},
    {"Bookman Old Style", true, false, "URW Bookman", "Light Italic", "URWBookman-LightItalic.otf", false, false},
    {"Bookman Old Style", true, true, "URW Bookman", "Demi Italic", "URWBookman-DemiItalic.otf", false, false},
    {"Times New Roman", false, false, "Nimbus Roman", "Regular", "NimbusRoman-Regular.otf", false, false},
    {"Times New Roman", false, true, "Nimbus Roman", "Bold", "NimbusRoman-Bold.otf", false, false},
    {"Times New Roman", true, false, "Nimbus Roman", "Italic", "NimbusRoman-Italic.otf", false, false},
    {"Times New Roman", true, true, "Nimbus Roman", "Bold Italic", "NimbusRoman-BoldItalic.otf", false, false},
    {"Braggadocio", false, false, "League Spartan", "Bold", "LeagueSpartan-Bold.otf", false, false},
    {"Braggadocio", false, true, "League Spartan", "Bold", "LeagueSpartan-Bold.otf", false, false},
    {"Braggadocio", true, false, "League Spartan", "Bold", "LeagueSpartan-Bold.otf", false, true},
    {"Braggadocio", true, true, "League Spartan", "Bold", "LeagueSpartan-Bold.otf", false, true},
    {nullptr, false, false, "IPAGothic", "Regular", "ipag.ttf", false, false},
    {nullptr, false, true, "IPAGothic", "Regular", "ipag.ttf", true, false},
    {nullptr, true, false, "IPAGothic", "Regular", "ipag.ttf", false, true},
    {nullptr, true, true, "IPAGothic", "Regular", "ipag.ttf", true, true},
};

bool KnownName(const std::string& name) {
    for (const FaceEntry& entry : Faces) {
        if (entry.name && name == entry.name) return true;
    }
    return false;
}

}  // namespace

std::optional<FaceInfo> LookUpFace(const std::string& name, bool italic, bool bold) {
    const bool known = KnownName(name);
    for (const FaceEntry& entry : Faces) {
        const bool sameName = known ? entry.name && name == entry.name : !entry.name;
        if (!sameName || entry.italic != italic || entry.bold != bold) continue;
        FaceInfo info;
        info.Family = entry.family;
        info.Style = entry.style;
        info.File = BundledFontFolder() + entry.file;
        info.SyntheticBold = entry.syntheticBold;
        info.SyntheticItalic = entry.syntheticItalic;
        return info;
    }
    return std::nullopt;
}
