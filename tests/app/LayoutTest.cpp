#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <vector>

#include "app/Layout.h"
#include "app/Main.h"
#include "ui/ScriptedPlatform.h"

TEST(MainLayout, OnA1024By768Screen) {
    MainLayout layout = ComputeMainLayout({1024, 768});
    EXPECT_EQ(layout.window, (TRect{0, 0, 1024, 740}));
    EXPECT_EQ(layout.lstShiki, (TRect{16, 52, 369, 52 + 282}));
    EXPECT_EQ(layout.picture, (TRect{440, 42, 440 + 513, 42 + 640})) << "369 + (1024 - 369 - 513) / 2";
    EXPECT_EQ(layout.grpParam.top, 339);
    EXPECT_EQ(layout.grpParam.left, 16);
    EXPECT_EQ(layout.lstComment.top, 593);
    EXPECT_EQ(layout.lstComment.Height(), 89);
}

TEST(MainLayout, PictureEdgeBelowAndAboveTheThousandColumns) {
    EXPECT_EQ(ComputeMainLayout({800, 600}).picture.left, 393) << "narrow screens: 24 pixels right of the list";
    EXPECT_EQ(ComputeMainLayout({800, 600}).lstShiki.Height(), 572 - 249 - 89 - 120);
    EXPECT_EQ(ComputeMainLayout({1023, 768}).picture.left, 393);
    EXPECT_EQ(ComputeMainLayout({1025, 768}).picture.left, 440) << "the halving truncates 143 / 2 to 71";
    EXPECT_EQ(ComputeMainLayout({1280, 1024}).picture.left, 568);
    EXPECT_EQ(ComputeMainLayout({1280, 1024}).picture.Width(), 513) << "the picture has one size on every screen";
}

TEST(ControlPlaces, EveryControlFitsInsideItsContainer) {
    std::map<std::string_view, TRect> containers = {{"pnlMain", {0, 0, 760 + 177 + 10, 40}},
                                                    {"grpParam", {0, 0, 353, 249}}};
    for (const ControlPlace& place : ControlPlaces()) {
        ASSERT_TRUE(containers.count(place.container)) << place.name << " comes before its container " << place.container;
        const TRect& outer = containers[place.container];
        EXPECT_GE(place.rect.left, 0) << place.name;
        EXPECT_GE(place.rect.top, 0) << place.name;
        EXPECT_LE(place.rect.right, outer.Width()) << place.name << " sticks out of " << place.container;
        EXPECT_LE(place.rect.bottom, outer.Height()) << place.name << " sticks out of " << place.container;
        if (place.name.starts_with("grp")) containers[place.name] = place.rect;
    }
    ASSERT_NE(FindControlPlace("btnDev"), nullptr);
    EXPECT_EQ(FindControlPlace("btnDev")->rect, (TRect{226, 16, 226 + 97, 16 + 49}));
    EXPECT_EQ(FindControlPlace("btnDev")->container, "grpRepeat");
    EXPECT_EQ(FindControlPlace("nothing"), nullptr);
}

// The views build the window from the layout and find each model by name in TfrmMain's registry:
// a placed name the registry lacks would be a dead label, a registered control without a place a
// model no view shows. Parts without a model are caption labels ("lbl…"), containers of other
// places and the sample pictures.
TEST(ControlPlaces, EveryPlacedNameIsARegisteredControlAndEveryControlHasAPlace) {
    ScriptedPlatform platform;
    TfrmMain form(platform, std::filesystem::temp_directory_path().string());
    std::set<std::string_view> containers;
    for (const ControlPlace& place : ControlPlaces()) containers.insert(place.container);
    std::set<std::string_view> placed = {"lstShiki", "lstComment", "grpParam"};
    for (const ControlPlace& place : ControlPlaces()) {
        placed.insert(place.name);
        if (form.FindControl(place.name)) continue;
        bool withoutModel = place.name.starts_with("lbl") || place.name.starts_with("img") || containers.count(place.name);
        EXPECT_TRUE(withoutModel) << place.name << " is placed, but TfrmMain declares no control of that name with *this";
    }
    for (const MenuPlace& menu : MenuPlaces()) {
        placed.insert(menu.title);
        EXPECT_NE(dynamic_cast<TMenuItem*>(form.FindControl(menu.title)), nullptr) << menu.title;
        for (std::string_view item : menu.items) {
            if (item == "-") continue;
            placed.insert(item);
            // A check item is a check box in a menu.
            TControl* control = form.FindControl(item);
            EXPECT_TRUE(dynamic_cast<TMenuItem*>(control) || dynamic_cast<TCheckBox*>(control))
                << item << " is in a menu but not registered";
        }
    }
    std::set<std::string> names;
    for (const TControl* control : form.Controls()) {
        // A timer is run by the views, never shown.
        if (dynamic_cast<const TTimer*>(control)) continue;
        EXPECT_TRUE(placed.count(control->Name)) << control->Name << " is registered but has no place in the layout";
        EXPECT_TRUE(names.insert(control->Name).second) << control->Name << " is registered twice";
    }
}

TEST(NarrowLayout, TakesOverWhereTheDesktopPictureWouldBeCut) {
    EXPECT_TRUE(DesktopLayoutFits({1366, 768}));
    EXPECT_TRUE(DesktopLayoutFits({1024, 768}));
    EXPECT_TRUE(DesktopLayoutFits({906, 768})) << "below 1024 columns the picture ends at 393 + 513";
    EXPECT_FALSE(DesktopLayoutFits({905, 768}));
    EXPECT_FALSE(DesktopLayoutFits({820, 1180}));
}

TEST(NarrowLayout, ThePictureIsAsWideAsTheScreenAllowsAndWhole) {
    NarrowLayout tablet = ComputeNarrowLayout({820, 1180});
    EXPECT_EQ(tablet.picture, (TRect{4, 48, 4 + 812, 48 + 1013})) << "812 / 513 of the height 640";
    EXPECT_DOUBLE_EQ(tablet.pictureZoom, 812.0 / 513);
    NarrowLayout phone = ComputeNarrowLayout({390, 844});
    EXPECT_EQ(phone.picture.Width(), 382);
    EXPECT_LE(phone.picture.Height(), 640 * phone.pictureZoom);
    // A phone on its side: the height decides, and the picture stays whole on the screen.
    NarrowLayout sideways = ComputeNarrowLayout({844, 390});
    EXPECT_DOUBLE_EQ(sideways.pictureZoom, (390.0 - 44 - 8) / 640);
    EXPECT_LE(sideways.picture.bottom, 390);
    EXPECT_EQ(sideways.picture.left, (844 - sideways.picture.Width()) / 2);
}

TEST(NarrowLayout, EveryPlacedControlIsInOneRowOfItsOwnContainer) {
    // A container's rows are together, broken only by the rows of a container placed inside it.
    std::map<std::string_view, int> seen;
    std::set<std::string_view> finished;  // containers whose rows have ended
    std::vector<std::string_view> open;   // the containers whose rows go on, innermost last
    const auto inside = [](std::string_view name, std::string_view container) {
        const ControlPlace* place = FindControlPlace(name);
        return place && place->container == container;
    };
    for (const NarrowRow& row : NarrowRows()) {
        while (!open.empty() && open.back() != row.container && !inside(row.container, open.back())) {
            finished.insert(open.back());
            open.pop_back();
        }
        if (open.empty() || open.back() != row.container) {
            EXPECT_FALSE(finished.count(row.container)) << row.container << "'s rows are not together";
            open.push_back(row.container);
        }
        for (std::string_view name : row.names) {
            ++seen[name];
            const ControlPlace* place = FindControlPlace(name);
            ASSERT_NE(place, nullptr) << name << " has no desktop place";
            EXPECT_EQ(place->container, row.container) << name;
        }
    }
    for (const ControlPlace& place : ControlPlaces()) {
        EXPECT_EQ(seen[place.name], 1) << place.name << " should be in exactly one narrow row";
    }
}
