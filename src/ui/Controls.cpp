#include "ui/Controls.h"

#include <algorithm>
#include <cassert>
#include <charconv>

void TControl::JoinForm(TForm& owner) {
    assert(!Name.empty() && !owner.FindControl(Name) && "a control of a form needs a name of its own in that form");
    owner.controls.push_back(this);
}

TControl* TForm::FindControl(std::string_view name) const {
    for (TControl* control : controls) {
        if (control->Name == name) return control;
    }
    return nullptr;
}

void TControl::SetEnabled(bool value) {
    if (enabled == value) return;
    enabled = value;
    Changed();
}

void TControl::SetVisible(bool value) {
    if (visible == value) return;
    visible = value;
    Changed();
}

void TControl::SetCaption(std::string value) {
    if (caption == value) return;
    caption = std::move(value);
    Changed();
}

TUpDown::TUpDown(std::string name, int min, int max, int initial)
    : TControl(std::move(name)), min(min), max(max), text(std::to_string(std::clamp(initial, min, max))) {}

int TUpDown::Value() const {
    int value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;  // from_chars takes "-" but not "+"
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last) return min;
    return value;
}

void TUpDown::SetText(std::string newText) {
    if (newText == text) return;
    text = std::move(newText);
    Changed();
    if (OnChange) OnChange();
}

void TUpDown::SetValue(int value) { SetText(std::to_string(std::clamp(value, min, max))); }

void TUpDown::UserTypeText(std::string typed) { SetText(std::move(typed)); }

void TUpDown::UserLeave() { SetValue(Value()); }

TCheckBox::TCheckBox(std::string name, std::string caption) : TControl(std::move(name)) {
    SetCaption(std::move(caption));
}

void TCheckBox::SetChecked(bool value) {
    if (checked == value) return;
    checked = value;
    Changed();
    if (OnClick) OnClick();
}

TRadioButton::TRadioButton(std::string name, std::string caption) : TControl(std::move(name)) {
    SetCaption(std::move(caption));
}

void TRadioButton::SetChecked(bool value) {
    if (checked == value) return;
    checked = value;
    if (value) {
        for (TRadioButton* other : group) {
            if (other != this && other->checked) {
                other->checked = false;
                other->Changed();
            }
        }
    }
    Changed();
    if (value && OnClick) OnClick();
}

void TRadioButton::Group(std::initializer_list<TRadioButton*> buttons) {
    for (TRadioButton* button : buttons) button->group.assign(buttons.begin(), buttons.end());
}

TComboBox::TComboBox(std::string name, std::vector<std::string> items)
    : TControl(std::move(name)), items(std::move(items)) {}

void TComboBox::SetItemIndex(int index) {
    if (index < 0 || index >= static_cast<int>(items.size())) index = -1;
    if (itemIndex == index) return;
    itemIndex = index;
    Changed();
}

void TComboBox::UserSelect(int index) {
    SetItemIndex(index);
    if (OnChange) OnChange();
}

std::string TComboBox::SelectedText() const { return itemIndex < 0 ? std::string() : items[itemIndex]; }

void TListBox::Clear() {
    items.clear();
    selected.clear();
    itemIndex = -1;
    Changed();
}

void TListBox::Add(std::string line) {
    items.push_back(std::move(line));
    selected.push_back(false);
    Changed();
}

void TListBox::SetItem(int index, std::string line) {
    items.at(index) = std::move(line);
    Changed();
}

void TListBox::SetItems(std::vector<std::string> lines) {
    items = std::move(lines);
    selected.assign(items.size(), false);
    if (itemIndex >= Count()) itemIndex = -1;
    Changed();
}

void TListBox::SetItemIndex(int index) {
    if (index < -1 || index >= Count()) index = -1;
    itemIndex = index;
    Changed();
}

bool TListBox::Selected(int index) const {
    return index >= 0 && index < Count() && selected[index];
}

void TListBox::SetSelected(int index, bool value) {
    if (index < 0 || index >= Count()) return;
    selected[index] = value;
    Changed();
}

void TListBox::UserClick(int index) {
    if (index < 0 || index >= Count()) return;
    std::fill(selected.begin(), selected.end(), false);
    selected[index] = true;
    itemIndex = index;
    Changed();
    if (OnClick) OnClick();
}

void TEdit::SetText(std::string value) {
    if (text == value) return;
    text = std::move(value);
    Changed();
}

void TEdit::UserTypeText(std::string value) {
    if (ReadOnly || text == value) return;
    text = std::move(value);
    Changed();
    if (OnChange) OnChange();
}

TButton::TButton(std::string name, std::string caption, int modalResult)
    : TControl(std::move(name)), ModalResult(modalResult) {
    SetCaption(std::move(caption));
}

void TButton::SetDown(bool value) {
    if (down == value) return;
    down = value;
    Changed();
}

void TButton::Click() {
    if (Enabled() && OnClick) OnClick();
}

void TProgressBar::SetMax(int value) {
    max = value;
    Changed();
}

void TProgressBar::SetPosition(int value) {
    position = std::clamp(value, 0, std::max(max, 0));
    Changed();
}

TTimer::TTimer(std::string name, int interval) : TControl(std::move(name)), interval(std::max(interval, 1)) {
    SetEnabled(false);
}

void TTimer::SetInterval(int milliseconds) {
    milliseconds = std::max(milliseconds, 1);
    if (interval == milliseconds) return;
    interval = milliseconds;
    Changed();
}

void TTimer::Fire() {
    if (Enabled() && OnTimer) OnTimer();
}
