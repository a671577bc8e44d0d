#include "web/WebBindings.h"

#include <cstdlib>
#include <exception>
#include <optional>

#include <emscripten.h>

#include "ui/Platform.h"
#include "web/Json.h"


namespace {

EM_JS(void, NotifyViewChanged, (const char* form, const char* control), {
    Module.quorbelView.ViewChanged(UTF8ToString(form), UTF8ToString(control));
});

EM_JS(void, NotifyRefresh, (), { Module.quorbelView.Refresh(); });

// The next event as "form␟control␟action␟argument" in memory the caller frees; null when none.
EM_JS(char*, TakeEncodedEvent, (), {
    const event = Module.quorbelView.TakeEvent();
    return event === null ? 0 : allocateUTF8(event);
});

EM_ASYNC_JS(char*, WaitForEncodedEvent, (), {
    const event = await Module.quorbelView.WaitForEvent();
    return allocateUTF8(event);
});

WebEvent Decode(char* encoded) {
    WebEvent event;
    std::string* fields[] = {&event.form, &event.control, &event.action, &event.argument};
    std::size_t field = 0;
    for (const char* at = encoded; *at; ++at) {
        if (*at == '\x1f' && field < 3) ++field;
        else fields[field]->push_back(*at);
    }
    std::free(encoded);
    return event;
}

std::vector<std::string> Shown(const std::vector<std::string>& lines, const std::function<std::string(const std::string&)>& display) {
    if (!display) return lines;
    std::vector<std::string> shown;
    for (const std::string& line : lines) shown.push_back(display(line));
    return shown;
}

int ArgumentNumber(const std::string& argument) { return std::atoi(argument.c_str()); }

}  // namespace

void WebBindings::AddForm(TForm& form, const std::vector<TImage*>& pictures) {
    Registered& registered = forms[form.Name];
    registered.form = &form;
    for (TControl* control : form.Controls()) {
        registered.controls[control->Name] = control;
        control->ViewChanged = [formName = form.Name, name = control->Name] {
            NotifyViewChanged(formName.c_str(), name.c_str());
        };
    }
    for (TImage* picture : pictures) registered.pictures[picture->Name] = picture;
}

TForm* WebBindings::FindForm(const std::string& form) const {
    auto found = forms.find(form);
    return found == forms.end() ? nullptr : found->second.form;
}

TControl* WebBindings::Find(const std::string& form, const std::string& control) const {
    auto found = forms.find(form);
    if (found == forms.end()) return nullptr;
    auto model = found->second.controls.find(control);
    return model == found->second.controls.end() ? nullptr : model->second;
}

const TImage* WebBindings::FindPicture(const std::string& form, const std::string& picture) const {
    auto found = forms.find(form);
    if (found == forms.end()) return nullptr;
    auto image = found->second.pictures.find(picture);
    return image == found->second.pictures.end() ? nullptr : image->second;
}

std::string WebBindings::State(const std::string& form, const std::string& control) const {
    const TControl* model = Find(form, control);
    if (!model) return "null";
    JsonObject state;
    state.Add("enabled", model->Enabled());
    state.Add("visible", model->Visible());
    state.Add("caption", model->Caption());
    state.Add("hint", model->Hint);
    state.Add("helpContext", model->HelpContext);
    if (auto* spin = dynamic_cast<const TUpDown*>(model)) {
        state.Add("kind", "spin");
        state.Add("text", spin->Text());
        state.Add("value", spin->Value());
        state.Add("min", spin->Min());
        state.Add("max", spin->Max());
    } else if (auto* check = dynamic_cast<const TCheckBox*>(model)) {
        state.Add("kind", "check");
        state.Add("checked", check->Checked());
    } else if (auto* radio = dynamic_cast<const TRadioButton*>(model)) {
        state.Add("kind", "radio");
        state.Add("checked", radio->Checked());
    } else if (auto* combo = dynamic_cast<const TComboBox*>(model)) {
        state.Add("kind", "combo");
        state.Add("items", combo->Items());
        state.Add("itemIndex", combo->ItemIndex());
    } else if (auto* list = dynamic_cast<const TListBox*>(model)) {
        state.Add("kind", "list");
        auto display = displays.find(form + "/" + control);
        state.Add("items", Shown(list->Items(), display == displays.end() ? nullptr : display->second));
        state.Add("itemIndex", list->ItemIndex());
        std::vector<int> selected;
        for (int i = 0; i < list->Count(); ++i) selected.push_back(list->Selected(i) ? 1 : 0);
        state.Add("selected", selected);
    } else if (auto* edit = dynamic_cast<const TEdit*>(model)) {
        state.Add("kind", "edit");
        state.Add("text", edit->Text());
        state.Add("readOnly", edit->ReadOnly);
    } else if (auto* button = dynamic_cast<const TButton*>(model)) {
        state.Add("kind", "button");
        state.Add("down", button->Down());
    } else if (auto* progress = dynamic_cast<const TProgressBar*>(model)) {
        state.Add("kind", "progress");
        state.Add("max", progress->Max());
        state.Add("position", progress->Position());
    } else if (auto* timer = dynamic_cast<const TTimer*>(model)) {
        state.Add("kind", "timer");
        state.Add("interval", timer->Interval());
    } else if (dynamic_cast<const TLabel*>(model)) {
        state.Add("kind", "label");
    } else {
        state.Add("kind", "group");
    }
    return state.Text();
}

// Every user action runs here. An exception, which only a programming error raises in the core,
// becomes a message as on the desktop, and the page goes on; the message is shown once the
// handler has finished, outside the catch.
void WebBindings::Run(const std::function<void()>& action) {
    std::optional<std::string> failure;
    try {
        action();
    } catch (const std::exception& error) {
        failure = error.what();
    } catch (...) {
        failure = "不明なエラー";
    }
    if (failure) platform.ShowMessage(*failure);
    RefreshPage();
}

void WebBindings::SetDisplay(const std::string& form, const std::string& control,
                             std::function<std::string(const std::string&)> display) {
    displays[form + "/" + control] = std::move(display);
}

void WebBindings::SetExtraAction(const std::string& action, std::function<void(const std::string&)> handler) {
    extraActions[action] = std::move(handler);
}

void WebBindings::LetThrough(const std::string& form, const std::string& control, std::function<bool()> open) {
    letThrough[form + "/" + control] = std::move(open);
}

void WebBindings::Dispatch(const WebEvent& event, const std::string& activeForm) {
    if (auto extra = extraActions.find(event.action); extra != extraActions.end() && event.form.empty()) {
        if (activeForm.empty()) Run([&] { extra->second(event.argument); });
        return;
    }
    if (!activeForm.empty() && event.form != activeForm) {
        auto through = letThrough.find(event.form + "/" + event.control);
        if (through == letThrough.end() || !through->second()) return;
    }
    if (event.action == "close") {
        if (TForm* form = FindForm(event.form)) Run([form] { form->Close(mrCancel); });
        return;
    }
    TControl* model = Find(event.form, event.control);
    if (!model) return;
    const std::string& action = event.action;
    const std::string& argument = event.argument;
    Run([&] {
        if (action == "click") {
            if (auto* button = dynamic_cast<TButton*>(model)) button->Click();
        } else if (action == "check") {
            if (auto* check = dynamic_cast<TCheckBox*>(model)) check->UserClick();
            else if (auto* radio = dynamic_cast<TRadioButton*>(model)) radio->UserClick();
        } else if (action == "select") {
            if (auto* combo = dynamic_cast<TComboBox*>(model)) combo->UserSelect(ArgumentNumber(argument));
        } else if (action == "line") {
            if (auto* list = dynamic_cast<TListBox*>(model)) list->UserClick(ArgumentNumber(argument));
        } else if (action == "type") {
            if (auto* spin = dynamic_cast<TUpDown*>(model)) spin->UserTypeText(argument);
            else if (auto* edit = dynamic_cast<TEdit*>(model)) edit->UserTypeText(argument);
        } else if (action == "step") {
            if (auto* spin = dynamic_cast<TUpDown*>(model)) spin->UserStep(ArgumentNumber(argument) * spin->Increment);
        } else if (action == "leave") {
            if (auto* spin = dynamic_cast<TUpDown*>(model)) spin->UserLeave();
        } else if (action == "timer") {
            if (auto* timer = dynamic_cast<TTimer*>(model)) timer->Fire();
        }
    });
}

WebEvent WaitForEvent() {
    RefreshPage();
    return Decode(WaitForEncodedEvent());
}

bool TakeEvent(WebEvent& event) {
    char* encoded = TakeEncodedEvent();
    if (!encoded) return false;
    event = Decode(encoded);
    return true;
}

void RefreshPage() { NotifyRefresh(); }
