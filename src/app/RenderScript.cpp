#include "app/RenderScript.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <locale>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "analysis/Conic.h"
#include "app/Main.h"
#include "curves/Codec.h"
#include "output/Export.h"
#include "plot/CurveKinds.h"
#include "picture/ImageIO.h"
#include "plot/StepPause.h"
#include "ui/ScriptedPlatform.h"

namespace fs = std::filesystem;

namespace {

// A script that cannot run as written: reported in one line, exit status 2.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Text from curve files, messages and the command line as a terminal may print it: control
// characters (C0, DEL and C1) and bytes that are no part of UTF-8 are written as escapes, "\n",
// "\t", "\r", "\x1B" or "\u009B", so that no file can move the cursor or retitle the terminal.
std::string Printable(const std::string& text) {
    std::string shown;
    auto escape = [&shown](const char* format, unsigned value) {
        char code[8];
        std::snprintf(code, sizeof code, format, value);
        shown += code;
    };
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3
                                   : c >= 0xF0 && c <= 0xF4                 ? 4 : 0;
        if (c == '\n') shown += "\\n";
        else if (c == '\t') shown += "\\t";
        else if (c == '\r') shown += "\\r";
        else if (c < 0x20 || c == 0x7F || length == 0 || !IsValidUtf8(text.substr(i, length))) escape("\\x%02X", c);
        else if (c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) escape("\\u%04X", static_cast<unsigned char>(text[i + 1])), ++i;
        else shown.append(text, i, length), i += length - 1;
        ++i;
    }
    return shown;
}

constexpr const char* Usage =
    "usage: quorbel-render [-C DIR] [-o OUT.png|OUT.svg|OUT.pdf] [--scale S] [--record] [--describe] ACTION...\n"
    "       quorbel-render --animate [-C DIR] -o OUT.gif ACTION...\n"
    "  -o FILE     writes the picture; the extension chooses the format: .png the bitmap\n"
    "              (any other extension too), .svg and .pdf vectors with text as text,\n"
    "              .gif the picture as a GIF\n"
    "  --scale S   draws the PNG at S times the picture's size, S from 1 to 8 (default 1:\n"
    "              the picture's own 513 x 640 pixels)\n"
    "  --animate   writes a looping GIF of the picture at every pause of the displays\n"
    "              the script runs (each STEP pause, each value of a repeat), the\n"
    "              finished picture last\n"
    "  --describe  after the script, prints one line \"describe: {...}\", a JSON object\n"
    "              for the curve on the panel: type (line, circle, ellipse, parabola,\n"
    "              hyperbola or other), equation (the standard form), part (only an arc\n"
    "              is drawn) and where they exist center and vertex [x, y], foci [[x, y]...],\n"
    "              directrices and asymptotes [[A, B, C]...] (the lines Ax + By = C),\n"
    "              eccentricity, angle (the rotation of the standard form's axes, radians)\n"
    "              and axes (lengths); beside each its exact text: foci_text, ...\n"
    "  open:1|2|3  choose:K  set:NAME=VALUE  set:frmStep.NAME=VALUE  press:NAME\n"
    "  wait:MS (the 動画 repeat plays on)  snap:PREFIX\n"
    "  formula:KIND:LINES  draws a typed formula as the formula dialog does: KIND 26 with\n"
    "              LINES \"x=...;y=...\", 27 with \"r=...\", 28 with an equation \"...=...\"; a\n"
    "              range may follow the last formula: formula:26:x=t^2;y=2t (-2<=t<=2). a, b, c,\n"
    "              θ, zoom, colours and the rest come from the panel as the script left it\n"
    "  answers for the next dialog: step:next|all|cancel|auto|back  color:$00BBGGRR|cancel\n"
    "    nickname:TEXT|cancel  savefile:PATH|cancel  confirm:yes|no|cancel\n";

struct Options {
    bool help = false;
    std::string folder;
    std::string output;
    ImageFormat format = ImageFormat::Png;
    double scale = 1;
    bool record = false;
    bool animate = false;
    bool describe = false;
    std::vector<std::string> actions;
};

double ParseScale(const std::string& text) {
    double scale = 0;
    std::istringstream in(text);
    in.imbue(std::locale::classic());  // a decimal point, whatever the user's locale
    in >> scale;
    if (in.fail() || !in.eof() || !(scale >= MinimumPngScale && scale <= MaximumPngScale)) {
        throw ScriptError("--scale takes a number from 1 to 8: " + text);
    }
    return scale;
}

Options ParseOptions(const std::vector<std::string>& arguments) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-C" || argument == "-o") {
            if (i + 1 == arguments.size()) throw ScriptError(argument + " needs a value");
            (argument == "-C" ? options.folder : options.output) = arguments[++i];
        } else if (argument == "--scale") {
            if (i + 1 == arguments.size()) throw ScriptError(argument + " needs a value");
            options.scale = ParseScale(arguments[++i]);
        } else if (argument == "--record") {
            options.record = true;
        } else if (argument == "--animate") {
            options.animate = true;
        } else if (argument == "--describe") {
            options.describe = true;
        } else if (argument == "-h" || argument == "--help") {
            options.help = true;
        } else if (!argument.empty() && argument[0] == '-') {
            throw ScriptError("unknown option " + argument);
        } else {
            options.actions.push_back(argument);
        }
    }
    options.format = ImageFormatOf(options.output).value_or(ImageFormat::Png);
    if (options.scale != 1 && options.format != ImageFormat::Png) throw ScriptError("--scale applies to PNG files only");
    if (options.format == ImageFormat::Pdf && !PdfAvailable()) throw ScriptError("this build writes no PDF files");
    if (options.animate && (options.output.empty() || options.format != ImageFormat::Gif)) {
        throw ScriptError("--animate writes a GIF: give -o OUT.gif");
    }
    return options;
}

// Restores the process's working folder on every way out: the program changes it while it runs.
class WorkingFolderGuard {
public:
    WorkingFolderGuard() : saved(fs::current_path()) {}
    ~WorkingFolderGuard() {
        std::error_code ignored;
        fs::current_path(saved, ignored);
    }
    const fs::path saved;
};

bool ParseColour(const std::string& text, TColor& colour) {
    if (text.size() < 2 || text.size() > 9 || text[0] != '$') return false;
    TColor value = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return false;
        value = value * 16 + static_cast<TColor>(digit);
    }
    if (value > 0xFFFFFF) return false;  // the top byte of a colour is always 0
    colour = value;
    return true;
}

bool ParseInt(const std::string& text, int& value) {
    if (text.empty() || text.size() > 9) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// One run of the driver: the form over a scripted platform, and the script compiled into steps.
class Run {
public:
    Run(std::ostream& out, const Options& options, fs::path invocationFolder)
        : out(out), options(options), invocationFolder(std::move(invocationFolder)),
          form(platform, fs::current_path().string()) {
        platform.onMessage = [this](const std::string& text) { this->out << "message: " << Printable(text) << '\n'; };
        platform.SetDefaultModal("frmStep", [](TForm& f) { static_cast<TfrmStep&>(f).btnOk.Click(); });
        platform.beforeModal = [this](TForm& f) { BeforeModal(f); };
        platform.Attach(form.frmStep.tmrAuto, &form.frmStep);
        platform.Attach(form.tmrAnime);
    }

    // Compiles every action first, so that a script with an unknown action does nothing at all.
    void Compile() {
        for (const std::string& action : options.actions) steps.push_back(CompileAction(action));
    }

    int Execute() {
        form.FormShow();
        form.AnimateEveryDisplay = options.animate;  // the script's displays, not the start's
        for (auto& step : steps) {
            step();
            if (form.CloseRequested) break;  // 終了: the program ends here
        }
        if (options.describe) out << "describe: " << ConicJson(form.PanelCurveProperties()) << '\n';
        if (options.record) {
            for (const std::string& line : form.frmEdit.Record()) out << Printable(Cp932ToUtf8(line)) << '\n';
        }
        if (options.format == ImageFormat::Gif && !options.output.empty()) {
            // The finished picture is the last frame (unless the last display's own already is);
            // without --animate it is the only one.
            Animation frames = options.animate ? form.animation : Animation();
            const Bitmap& finished = form.view.imgCood.canvas.Picture();
            if (frames.Empty() || frames.Picture(frames.Count() - 1) != finished) frames.Add(finished, FinishedFrameDelay);
            if (!WriteAnimationFile(Resolve(options.output), frames)) throw std::runtime_error("cannot write " + options.output);
        } else if (!options.output.empty() &&
                   !WritePictureFile(Resolve(options.output), form.view, options.format, options.scale)) {
            throw std::runtime_error("cannot write " + options.output);
        }
        return form.FailedSaves > 0 ? RenderFailed : RenderOk;
    }

private:
    std::string Resolve(const std::string& path) const { return (invocationFolder / path).string(); }

    void BeforeModal(TForm& shown) {
        if (&shown == &form.frmStep && !snapPrefix.empty()) {
            char number[16];
            std::snprintf(number, sizeof number, "-%03d.png", snapCount++);
            const std::string path = snapPrefix + number;
            if (!WritePng(path, form.view.imgCood.canvas.Picture())) throw std::runtime_error("cannot write " + path);
        }
        if (&shown == &form.frmEdit) {
            const TfrmEdit& view = form.frmEdit;
            for (int i = 0; i < RecordLineCount; ++i) {
                out << view.lstContents.Item(i) << '\t' << Printable(Cp932ToUtf8(view.RecordLine(i + 1))) << '\n';
            }
            form.frmEdit.btnOk.Click();
        }
    }

    std::function<void()> CompileAction(const std::string& action) {
        const std::size_t colon = action.find(':');
        if (colon == std::string::npos) throw ScriptError("unknown action " + action);
        const std::string kind = action.substr(0, colon);
        const std::string argument = action.substr(colon + 1);

        if (kind == "open") {
            TButton* buttons[] = {&form.spdOpenFile, &form.spdKihonOpen, &form.spdUserOpen};
            if (argument.size() != 1 || argument[0] < '1' || argument[0] > '3') throw ScriptError("open: takes 1, 2 or 3: " + action);
            TButton* button = buttons[argument[0] - '1'];
            return [button] { button->Click(); };
        }
        if (kind == "choose") {
            int line = 0;
            if (!ParseInt(argument, line)) throw ScriptError("choose: takes a line number: " + action);
            return [this, line, action] {
                if (line >= form.lstShiki.Count()) {
                    throw ScriptError(action + ": the curve list has " + std::to_string(form.lstShiki.Count()) + " lines");
                }
                form.lstShiki.UserClick(line);
            };
        }
        if (kind == "press") {
            TButton* button = form.FindButton(argument);
            if (!button) throw ScriptError("unknown button or menu item " + argument);
            return [button] { button->Click(); };
        }
        if (kind == "set") return CompileSet(action, argument);
        if (kind == "step") {
            TButton TfrmStep::*answer = argument == "next"     ? &TfrmStep::btnOk
                                        : argument == "all"    ? &TfrmStep::btnAll
                                        : argument == "cancel" ? &TfrmStep::btnCancel
                                        : argument == "auto"   ? &TfrmStep::btnAuto
                                        : argument == "back"   ? &TfrmStep::btnBack
                                                               : nullptr;
            if (!answer) throw ScriptError("step: takes next, all, cancel, auto or back: " + action);
            return [this, answer] {
                platform.QueueModal("frmStep", [answer](TForm& f) { (static_cast<TfrmStep&>(f).*answer).Click(); });
            };
        }
        if (kind == "color") {
            std::optional<TColor> colour;
            if (argument != "cancel") {
                TColor value = 0;
                if (!ParseColour(argument, value)) throw ScriptError("color: takes $ and 8 hexadecimal digits or cancel: " + action);
                colour = value;
            }
            return [this, colour] { platform.colorAnswers.push_back(colour); };
        }
        if (kind == "nickname") {
            const bool cancel = argument == "cancel";
            return [this, cancel, argument] {
                platform.QueueModal("frmNickName", [cancel, argument](TForm& f) {
                    auto& dialog = static_cast<TfrmNickName&>(f);
                    if (cancel) {
                        dialog.btnCancel.Click();
                    } else {
                        dialog.edtName.UserTypeText(argument);
                        dialog.btnOk.Click();
                    }
                });
            };
        }
        if (kind == "savefile") {
            std::optional<std::string> path;
            if (argument != "cancel") {
                // A dialog returns full paths; a relative one is taken from the working folder.
                path = argument.empty() ? argument : (fs::path(form.BaseFolder) / argument).string();
            }
            return [this, path] { platform.saveAnswers.push_back(path); };
        }
        if (kind == "confirm") {
            YesNoCancel answer;
            if (argument == "yes") answer = YesNoCancel::Yes;
            else if (argument == "no") answer = YesNoCancel::No;
            else if (argument == "cancel") answer = YesNoCancel::Cancel;
            else throw ScriptError("confirm: takes yes, no or cancel: " + action);
            return [this, answer] { platform.confirmAnswers.push_back(answer); };
        }
        if (kind == "formula") return CompileFormula(action, argument);
        if (kind == "wait") {
            int milliseconds = 0;
            if (!ParseInt(argument, milliseconds)) throw ScriptError("wait: takes milliseconds: " + action);
            return [this, milliseconds] { platform.RunTimers(milliseconds); };
        }
        if (kind == "snap") {
            if (argument.empty()) throw ScriptError("snap: needs a file name prefix");
            const std::string prefix = Resolve(argument);
            return [this, prefix] {
                snapPrefix = prefix;
                snapCount = 0;
            };
        }
        throw ScriptError("unknown action " + action);
    }

    // formula:KIND:LINES: the kind's formula lines in record order, separated by ";".
    std::function<void()> CompileFormula(const std::string& action, const std::string& argument) {
        const std::size_t colon = argument.find(':');
        int kind = 0;
        if (colon == std::string::npos || !ParseInt(argument.substr(0, colon), kind) || !IsTypedFormulaKind(kind)) {
            throw ScriptError("formula: takes 26, 27 or 28, a colon and the formulas: " + action);
        }
        std::vector<std::string> lines;
        std::istringstream in(argument.substr(colon + 1));
        for (std::string line; std::getline(in, line, ';');) lines.push_back(line);
        const std::size_t expected = kind == ParametricFormulaKind ? 2 : 1;
        if (lines.size() != expected) {
            throw ScriptError("formula:" + std::to_string(kind) + ": takes " + (expected == 2 ? "x=...;y=..." : "one formula") + ": " + action);
        }
        const std::string line3 = kind == PolarFormulaKind ? lines[0] : "";
        const std::string line4 = kind == PolarFormulaKind ? "" : lines[0];
        const std::string line5 = kind == ParametricFormulaKind ? lines[1] : "";
        return [this, kind, line3, line4, line5] {
            form.ShowFormulaCurve(form.FormulaCurveRecord(kind, "", line3, line4, line5));
        };
    }

    // A control of the main window by its name, or of the STEP dialog as "frmStep.NAME".
    TControl* FindSettable(const std::string& name) {
        const std::string dialog = form.frmStep.Name + ".";
        if (name.rfind(dialog, 0) != 0) return form.FindControl(name);
        return form.frmStep.FindControl(name.substr(dialog.size()));
    }

    // set:NAME=VALUE does what a user does to that control.
    std::function<void()> CompileSet(const std::string& action, const std::string& argument) {
        const std::size_t equals = argument.find('=');
        if (equals == std::string::npos) throw ScriptError("set: takes NAME=VALUE: " + action);
        const std::string name = argument.substr(0, equals);
        const std::string value = argument.substr(equals + 1);
        TControl* control = FindSettable(name);
        if (!control) throw ScriptError("unknown control " + name);

        if (auto* spin = dynamic_cast<TUpDown*>(control)) {
            // Typed, then the focus leaves, which clamps a value outside the range.
            return [spin, value] {
                spin->UserTypeText(value);
                spin->UserLeave();
            };
        }
        if (auto* edit = dynamic_cast<TEdit*>(control)) {
            if (edit->ReadOnly) throw ScriptError(name + " cannot be typed into: " + action);
            return [edit, value] { edit->UserTypeText(value); };
        }
        const bool ticked = value == "1";
        if (value != "0" && value != "1" && (dynamic_cast<TCheckBox*>(control) || dynamic_cast<TRadioButton*>(control))) {
            throw ScriptError(name + " takes 0 or 1: " + action);
        }
        if (auto* check = dynamic_cast<TCheckBox*>(control)) {
            return [check, ticked] { if (check->Checked() != ticked) check->UserClick(); };
        }
        if (auto* radio = dynamic_cast<TRadioButton*>(control)) {
            // A click can only turn a radio button on; clicking one that is on changes nothing.
            return [radio, ticked] { if (radio->Checked() != ticked) radio->UserClick(); };
        }
        if (auto* list = dynamic_cast<TComboBox*>(control)) {
            int index = 0;
            if (!ParseInt(value, index) || index >= static_cast<int>(list->Items().size())) {
                throw ScriptError(name + " has no item " + value);
            }
            return [list, index] { list->UserSelect(index); };
        }
        throw ScriptError(name + " cannot be set");
    }

    std::ostream& out;
    const Options& options;
    const fs::path invocationFolder;
    ScriptedPlatform platform;
    TfrmMain form;
    std::vector<std::function<void()>> steps;
    std::string snapPrefix;
    int snapCount = 0;
};

}  // namespace

int RunRenderScript(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    Options options;
    try {
        options = ParseOptions(arguments);
    } catch (const ScriptError& error) {
        err << "quorbel-render: " << Printable(error.what()) << '\n';
        return RenderScriptError;
    }
    if (options.help) {
        out << Usage;
        return RenderOk;
    }

    std::error_code failure;
    WorkingFolderGuard guard;
    if (!options.folder.empty()) {
        fs::current_path(options.folder, failure);
        if (failure) {
            err << "quorbel-render: cannot work in " << Printable(options.folder) << ": " << failure.message() << '\n';
            return RenderFailed;
        }
    }
    try {
        Run run(out, options, guard.saved);
        run.Compile();
        const int status = run.Execute();
        out.flush();
        return status;
    } catch (const ScriptError& error) {
        out.flush();
        err << "quorbel-render: " << Printable(error.what()) << '\n';
        return RenderScriptError;
    } catch (const std::exception& error) {
        out.flush();
        err << "quorbel-render: " << Printable(error.what()) << '\n';
        return RenderFailed;
    }
}
