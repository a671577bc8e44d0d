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
