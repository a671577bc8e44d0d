// The main window's geometry: the window, the picture and the left column computed from the
// screen size, the fixed places of the tool-bar and panel controls inside their containers, and
// the menus. Every name here is a control of TfrmMain's registry or a part without a model.
// The numbers live here, headless, so that they are tested without a desktop; the Qt view only
// places its widgets where this file says.
#pragma once

#include <string_view>
#include <vector>

#include "picture/Bitmap.h"
#include "ui/Platform.h"

struct MainLayout {
    TRect window;      // the whole window, frame included, in screen pixels
    int toolBarHeight; // pnlMain, across the top of the client area
    TRect picture;     // imgCood, in client coordinates
    TRect lstShiki;
    TRect grpParam;
    TRect lstComment;
};

// Window (0, 0) screen width × screen height − 28; picture 513 × 640 two pixels below the tool bar,
// centred in the room right of lstShiki (24 pixels right of it below 1024 columns); the curve list
// takes what the window height leaves after grpParam, lstComment and 120 pixels.
MainLayout ComputeMainLayout(ScreenSize screen);

// A control's place relative to its container: pnlMain, grpParam, grpWidth, grpHeniki or grpRepeat.
// A width or height of 0 means "as the control's contents need".
struct ControlPlace {
    std::string_view name;
    std::string_view container;
    TRect rect;
};

// Every placed control of the tool bar and the parameter panel, containers before their contents.
// Labels without a model are named "lbl" + their caption ("lblパラメータ", "lbla").
const std::vector<ControlPlace>& ControlPlaces();
// The place of `name`, or nullptr when it has none.
const ControlPlace* FindControlPlace(std::string_view name);

// One menu of the menu bar: its title item and its items in order, "-" for a separator.
struct MenuPlace {
    std::string_view title;
    std::vector<std::string_view> items;
};
// The menu bar, left to right.
const std::vector<MenuPlace>& MenuPlaces();

// The layout for screens the desktop window does not fit (a tablet upright, a phone, a narrow
// window): the same controls in a column, the picture first and as wide as the screen allows,
// the tool bar and the parameter panel below it in rows that wrap, the curve list in a drawer and
// the menus as a touch menu. Every control is at least TouchTarget CSS pixels each way.
constexpr int TouchTarget = 44;

// Whether the desktop window fits a page of this size: its picture is not cut at the right.
bool DesktopLayoutFits(ScreenSize screen);

struct NarrowLayout {
    int menuBarHeight;  // the touch menu's bar, across the top
    TRect picture;      // imgCood in page coordinates, at its shown size
    double pictureZoom; // CSS pixels per picture pixel: the picture is drawn at that size
};
// The picture spans the width less a margin each side, unless then it would not fit the height
// under the menu bar; never wider or taller than that, whole.
NarrowLayout ComputeNarrowLayout(ScreenSize screen);

// One row of the narrow layout: controls of one container, left to right, wrapping onto the next
// line where the row is wider than the screen. A container's rows come together, in order; the
// column is the picture, then grpParam and pnlMain with their rows, then lstComment. grpWidth,
// grpHeniki and grpRepeat lie in a row of their container and hold rows of their own.
struct NarrowRow {
    std::string_view container;
    std::vector<std::string_view> names;
};
// Every control of ControlPlaces, once, in the order a user reads the column.
const std::vector<NarrowRow>& NarrowRows();
