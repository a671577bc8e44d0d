// Toolkit-free models of the controls a form holds: their state and their change/click
// handlers, with the firing rules of each kind. A desktop view mirrors a model through its
// ViewChanged hook and forwards the user's actions to the User… methods; the program itself
// uses the plain setters. All texts are UTF-8, except where a form says otherwise.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TForm;

// What every control has: enabled and visible state, a caption or hint, a help context,
// and the hook through which a view learns that the model changed. A control declared with its
// form as the first argument joins that form's registry (TForm::Controls); one declared without
// belongs to no form.
class TControl {
public:
    std::string Name;
    std::function<void()> ViewChanged;  // for the view only; never program logic

    explicit TControl(std::string name = {}) : Name(std::move(name)) {}
    TControl(TForm& owner, std::string name) : TControl(std::move(name)) { JoinForm(owner); }
    virtual ~TControl() = default;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    bool Enabled() const { return enabled; }
    void SetEnabled(bool value);
    bool Visible() const { return visible; }
    void SetVisible(bool value);
    const std::string& Caption() const { return caption; }
    void SetCaption(std::string value);
    std::string Hint;
    int HelpContext = 0;

protected:
    void Changed() const { if (ViewChanged) ViewChanged(); }
    void JoinForm(TForm& owner);

private:
    bool enabled = true;
    bool visible = true;
    std::string caption;
};

// A spin control: an integer shown as decimal text, between Min and Max. Every change of the
// text fires OnChange, whoever made it; a program-set value is clamped first.
class TUpDown : public TControl {
public:
    TUpDown(std::string name, int min, int max, int initial);
    TUpDown(TForm& owner, std::string name, int min, int max, int initial) : TUpDown(std::move(name), min, max, initial) { JoinForm(owner); }
    std::function<void()> OnChange;

    int Min() const { return min; }
    int Max() const { return max; }
    // How far one press of an arrow moves the value in a view (UserStep takes the whole delta).
    int Increment = 1;
    const std::string& Text() const { return text; }
    // The value the text holds; a text that is not an integer reads as Min (no clamping).
    int Value() const;
    // Program-set value: clamped to Min..Max; fires OnChange when the text changes.
    void SetValue(int value);
    // The user typed: the text is taken as typed (fires OnChange when it changed).
    void UserTypeText(std::string typed);
    // The user pressed an arrow: one step up or down, clamped.
    void UserStep(int delta) { SetValue(Value() + delta); }
    // Losing the focus clamps a typed value into the range (firing OnChange when that changes the text).
    void UserLeave();

private:
    void SetText(std::string newText);
    int min, max;
    std::string text;
};

// A check box. A program-set change that differs from the shown state fires OnClick, as does a user click.
class TCheckBox : public TControl {
public:
    explicit TCheckBox(std::string name, std::string caption = {});
    TCheckBox(TForm& owner, std::string name, std::string caption = {}) : TCheckBox(std::move(name), std::move(caption)) { JoinForm(owner); }
    std::function<void()> OnClick;
    bool Checked() const { return checked; }
    void SetChecked(bool value);
    void UserClick() { SetChecked(!checked); }

private:
    bool checked = false;
};

// A radio button in a group: turning one on turns the others of its group off. OnClick fires for
// the button that turns on, whether the program or the user turned it on.
class TRadioButton : public TControl {
public:
    explicit TRadioButton(std::string name, std::string caption = {});
    TRadioButton(TForm& owner, std::string name, std::string caption = {}) : TRadioButton(std::move(name), std::move(caption)) { JoinForm(owner); }
    std::function<void()> OnClick;
    bool Checked() const { return checked; }
    void SetChecked(bool value);
    void UserClick() { SetChecked(true); }
    // Joins the buttons into one group; each of them must outlive the others.
    static void Group(std::initializer_list<TRadioButton*> buttons);

private:
    bool checked = false;
    std::vector<TRadioButton*> group;
};

// A drop-down list. A program-set index fires nothing; only a choice by the user fires OnChange.
class TComboBox : public TControl {
public:
    explicit TComboBox(std::string name, std::vector<std::string> items = {});
    TComboBox(TForm& owner, std::string name, std::vector<std::string> items = {}) : TComboBox(std::move(name), std::move(items)) { JoinForm(owner); }
    std::function<void()> OnChange;
    const std::vector<std::string>& Items() const { return items; }
    int ItemIndex() const { return itemIndex; }  // -1 when nothing is selected
    // Program-set: an index outside the items selects nothing. Fires nothing.
    void SetItemIndex(int index);
    void UserSelect(int index);
    // The text of the selected item, empty when nothing is selected.
    std::string SelectedText() const;

private:
    std::vector<std::string> items;
    int itemIndex = -1;
};

// A list of text lines with a focused line (ItemIndex) and a selection flag per line.
class TListBox : public TControl {
public:
    explicit TListBox(std::string name) : TControl(std::move(name)) {}
    TListBox(TForm& owner, std::string name) : TControl(owner, std::move(name)) {}
    std::function<void()> OnClick;
    const std::vector<std::string>& Items() const { return items; }
    int Count() const { return static_cast<int>(items.size()); }
    const std::string& Item(int index) const { return items.at(index); }
    void Clear();
    void Add(std::string line);
    void SetItem(int index, std::string line);
    void SetItems(std::vector<std::string> lines);
    int ItemIndex() const { return itemIndex; }  // the focused line, -1 for none
    void SetItemIndex(int index);                // program-set: fires nothing
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    // The user clicked line `index`: it gets the focus and the selection, then OnClick fires.
    void UserClick(int index);

private:
    std::vector<std::string> items;
    std::vector<bool> selected;
    int itemIndex = -1;
};

// A one-line text. Program-set text fires nothing; the user's typing fires OnChange, and changes
// nothing while the edit is ReadOnly.
class TEdit : public TControl {
public:
    explicit TEdit(std::string name) : TControl(std::move(name)) {}
    TEdit(TForm& owner, std::string name) : TControl(owner, std::move(name)) {}
    std::function<void()> OnChange;
    bool ReadOnly = false;
    const std::string& Text() const { return text; }
    void SetText(std::string value);
    void UserTypeText(std::string value);

private:
    std::string text;
};

// A label: only a caption.
class TLabel : public TControl {
public:
    explicit TLabel(std::string name, std::string caption = {}) : TControl(std::move(name)) { SetCaption(std::move(caption)); }
    TLabel(TForm& owner, std::string name, std::string caption = {}) : TLabel(std::move(name), std::move(caption)) { JoinForm(owner); }
};

// A push button, a tool button (with Down state and a group) or a menu item.
class TButton : public TControl {
public:
    explicit TButton(std::string name, std::string caption = {}, int modalResult = 0);
    TButton(TForm& owner, std::string name, std::string caption = {}, int modalResult = 0)
        : TButton(std::move(name), std::move(caption), modalResult) { JoinForm(owner); }
    std::function<void()> OnClick;
    int ModalResult;  // the result a dialog closes with when this button is pressed; 0 for none
    bool Down() const { return down; }
    void SetDown(bool value);
    // A click by the user or by the program; does nothing while the button is disabled.
    void Click();

private:
    bool down = false;
};
using TSpeedButton = TButton;
using TMenuItem = TButton;

// A progress bar: position between 0 and Max, advanced by Step.
class TProgressBar : public TControl {
public:
    explicit TProgressBar(std::string name) : TControl(std::move(name)) {}
    TProgressBar(TForm& owner, std::string name) : TControl(owner, std::move(name)) {}
    int Max() const { return max; }
    int Position() const { return position; }
    void SetMax(int value);
    void SetPosition(int value);
    void StepIt() { SetPosition(position + step > max ? max : position + step); }
    int step = 1;

private:
    int max = 100;
    int position = 0;
};

// A timer: while enabled, a view fires OnTimer every Interval milliseconds with a clock of its
// own (the core keeps none); ScriptedPlatform fires it on a clock of its own that tests advance.
// Fire does nothing while the timer is disabled, so a tick a view had already queued is dropped.
class TTimer : public TControl {
public:
    TTimer(std::string name, int interval);
    TTimer(TForm& owner, std::string name, int interval) : TTimer(std::move(name), interval) { JoinForm(owner); }
    std::function<void()> OnTimer;
    int Interval() const { return interval; }
    // Milliseconds, at least 1; a view that runs the timer starts counting afresh.
    void SetInterval(int milliseconds);
    void Fire();

private:
    int interval;
};

// A dialog or window: the controls live in the derived class, each declared with the form as its
// owner (`TButton btnOk{*this, "btnOk", "OK"};`), which is all it takes for the views and the
// driver to find it by name. ShowModal (through the platform) runs FormShow, lets the user act,
// and returns ModalResult.
class TForm {
public:
    explicit TForm(std::string name, std::string caption) : Name(std::move(name)), Caption(std::move(caption)) {}
    virtual ~TForm() = default;
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    const std::string Name;
    std::string Caption;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    int ModalResult = 0;
    int HelpContext = 0;
    // Runs each time the form is shown.
    virtual void FormShow() {}
    // Closes a modal showing with `result` (the frame's close button closes with 2, Cancel).
    void Close(int result) { ModalResult = result; }

    // The controls declared with this form as their owner, in declaration order.
    const std::vector<TControl*>& Controls() const { return controls; }
    // The control called `name`, or nullptr.
    TControl* FindControl(std::string_view name) const;

private:
    friend class TControl;
    std::vector<TControl*> controls;
};

// Result codes of modal dialogs.
enum ModalResults { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3 };
