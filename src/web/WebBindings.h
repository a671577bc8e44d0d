// The browser view's side of the control models. Every model of the main window and of its
// dialogs is registered here by form and name, from the form's own registry; the page reads a model's state as JSON, hears of
// changes through the models' ViewChanged hooks, and sends the user's actions as events. Dispatch
// is the one place where a user action runs: an exception becomes a message, as on the desktop;
// the page mirrors the models and repaints the pictures afterwards.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "picture/PlotView.h"
#include "ui/Controls.h"

class Platform;

// One user action from the page: which control of which form, what the user did, and its
// argument (the typed text, the chosen line, the arrow's direction …).
struct WebEvent {
    std::string form;
    std::string control;
    std::string action;
    std::string argument;
};

class WebBindings {
public:
    explicit WebBindings(Platform& platform) : platform(platform) {}

    // Registers `form` with every control of its registry and with its pictures, and hooks the
    // controls' ViewChanged to the page.
    void AddForm(TForm& form, const std::vector<TImage*>& pictures);
    TForm* FindForm(const std::string& form) const;
    TControl* Find(const std::string& form, const std::string& control) const;
    const TImage* FindPicture(const std::string& form, const std::string& picture) const;
    // The state the page shows of a control, as a JSON object: its kind and every property a
    // view mirrors; "null" when there is no such control.
    std::string State(const std::string& form, const std::string& control) const;

    // Runs `action` as a user action; an exception becomes a message; the page refreshes afterwards.
    void Run(const std::function<void()>& action);
    // Runs the event's action on its model. Events for a form that is not `activeForm` (when one
    // is given) are dropped, as a modal dialog keeps the user from the windows behind it, unless
    // LetThrough lets them through.
    void Dispatch(const WebEvent& event, const std::string& activeForm = {});
    // How the lines of a list model are shown (the identity unless set; CP932 lines need decoding).
    void SetDisplay(const std::string& form, const std::string& control, std::function<std::string(const std::string&)> display);
    // Actions the page offers besides the models' own (import, the main window's F1 …).
    void SetExtraAction(const std::string& action, std::function<void(const std::string&)> handler);
    // Lets the user's actions on `control` of `form` through while a dialog of another form is
    // open, whenever `open` says so: the picture shown large lies in front of the STEP dialog,
    // and 大きく表示 works from that dialog too, as on the desktop.
    void LetThrough(const std::string& form, const std::string& control, std::function<bool()> open);

private:
    struct Registered {
        TForm* form;
        std::map<std::string, TControl*> controls;
        std::map<std::string, TImage*> pictures;
    };
    Platform& platform;
    std::map<std::string, Registered> forms;
    std::map<std::string, std::function<void(const std::string&)>> extraActions;
    std::map<std::string, std::function<std::string(const std::string&)>> displays;  // by "form/control"
    std::map<std::string, std::function<bool()>> letThrough;                        // by "form/control"
};

// The page's event queue: waits (yielding to the browser) until the user acts.
WebEvent WaitForEvent();
// The next queued event without waiting; false when there is none.
bool TakeEvent(WebEvent& event);
// The page mirrors every changed model and repaints the pictures.
void RefreshPage();
