// Where the system's font names lead on this platform: one implementation per build, chosen by
// CMake. The desktop asks fontconfig (FaceLookupFontconfig.cpp); the browser, which has no font
// configuration, keeps a fixed table over the faces bundled with the page (FaceLookupTable.cpp).
// Loading and rendering the face is Fonts.cpp's business.
#pragma once

#include <optional>
#include <string>

#include "picture/Fonts.h"

// The face for a system name and style, as FindFace documents; nothing when no face is there.
std::optional<FaceInfo> LookUpFace(const std::string& name, bool italic, bool bold);
