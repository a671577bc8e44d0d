#include <gtest/gtest.h>

#include "ui/Controls.h"

TEST(UpDown, ProgramSetValueIsClampedAndFiresOnlyOnChange) {
    TUpDown spin("updB", 0, 100, 1);
    int fired = 0;
    spin.OnChange = [&] { ++fired; };
    spin.SetValue(120);
    EXPECT_EQ(spin.Text(), "100");
    EXPECT_EQ(fired, 1);
    spin.SetValue(100);  // same text: no change, no event
    EXPECT_EQ(fired, 1);
    spin.SetValue(-5);
    EXPECT_EQ(spin.Value(), 0);
    EXPECT_EQ(fired, 2);
}

TEST(UpDown, TypedTextIsReadAsTypedUntilFocusLeaves) {
    TUpDown spin("updA", -100, 100, 1);
    int fired = 0;
    spin.OnChange = [&] { ++fired; };
    spin.UserTypeText("250");
    EXPECT_EQ(spin.Value(), 250);
    spin.UserLeave();
    EXPECT_EQ(spin.Text(), "100");
    EXPECT_EQ(fired, 2);
    spin.UserTypeText("x");
    EXPECT_EQ(spin.Value(), -100) << "a text that is not an integer reads as the minimum";
    spin.UserTypeText("99999999999");
    EXPECT_EQ(spin.Value(), -100) << "a number beyond 32 bits is not an integer";
    spin.UserTypeText("+7");
    EXPECT_EQ(spin.Value(), 7);
}

TEST(CheckAndRadio, ProgramSetChangesFireLikeClicks) {
    TCheckBox check("chkHojoEn");
    int clicks = 0;
    check.OnClick = [&] { ++clicks; };
    check.SetChecked(false);
    EXPECT_EQ(clicks, 0);
    check.SetChecked(true);
    check.UserClick();
    EXPECT_FALSE(check.Checked());
    EXPECT_EQ(clicks, 2);

    TRadioButton a("radA"), b("radB"), c("radC");
    TRadioButton::Group({&a, &b, &c});
    c.SetChecked(true);
    int aClicks = 0, cClicks = 0;
    a.OnClick = [&] { ++aClicks; };
    c.OnClick = [&] { ++cClicks; };
    a.SetChecked(true);
    EXPECT_TRUE(a.Checked());
    EXPECT_FALSE(c.Checked());
    EXPECT_EQ(aClicks, 1);
    EXPECT_EQ(cClicks, 0) << "the button turned off does not fire";
    a.UserClick();
    EXPECT_EQ(aClicks, 1) << "clicking the button that is on changes nothing";
}

TEST(ComboBox, OnlyTheUsersChoiceFires) {
    TComboBox combo("cmbStep", {"π/8", "π/6", "π"});
    int fired = 0;
    combo.OnChange = [&] { ++fired; };
    combo.SetItemIndex(1);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(combo.SelectedText(), "π/6");
    combo.SetItemIndex(99);
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.SelectedText(), "");
    combo.UserSelect(2);
    EXPECT_EQ(fired, 1);
}

TEST(ListBox, UserClickFocusesSelectsAndFires) {
    TListBox list("lstShiki");
    int fired = 0;
    list.OnClick = [&] { ++fired; };
    list.Add("header");
    list.Add("one");
    list.SetSelected(0, true);
    list.UserClick(1);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_TRUE(list.Selected(1));
    EXPECT_FALSE(list.Selected(0));
    EXPECT_EQ(fired, 1);
    list.UserClick(5);
    EXPECT_EQ(fired, 1) << "a click beyond the lines does nothing";
    list.Clear();
    EXPECT_EQ(list.ItemIndex(), -1);
}

TEST(Button, DisabledButtonIgnoresClicks) {
    TButton button("btnDraw");
    int fired = 0;
    button.OnClick = [&] { ++fired; };
    button.Click();
    button.SetEnabled(false);
    button.Click();
    EXPECT_EQ(fired, 1);
}
