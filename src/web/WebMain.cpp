// The browser program: the main form over the browser platform in the page's working folder
// /quorbel (filled by the page with the shipped collections, the help file and the user's stored
// curves before this starts), every form's models registered for the page, the start sequence,
// then the event loop. Also the few functions the page calls directly: a model's state, a
// picture's pixels (exact, or at the screen's device pixel ratio), the layout numbers, the
// curve file to export, and whether the picture shown large still shows.
#include <emscripten.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <vector>

#include "app/Layout.h"
#include "app/Main.h"
#include "curves/Codec.h"
#include "curves/CurveFile.h"
#include "curves/CurveFolder.h"
#include "curves/ReadProblems.h"
#include "web/Json.h"
#include "web/ScaledPictures.h"
#include "web/WebPlatform.h"

namespace {

constexpr const char* WorkingFolder = "/quorbel/";
constexpr const char* ImportFolder = "取り込み";
constexpr const char* UserFolder = "UsCurves";

// 終了: the page shows that the program has ended.
EM_JS(void, PageEnd, (), { Module.quorbelPlatform.End(); });

WebPlatform& ThePlatform() {
    static WebPlatform platform;
    return platform;
}

TfrmMain& TheForm() {
    static TfrmMain form(ThePlatform(), WorkingFolder);
    return form;
}

ScaledPictures& ThePictures() {
    static ScaledPictures pictures(TheForm().view, TheForm().frmPrint);
    return pictures;
}

void RegisterForms(WebBindings& bindings, TfrmMain& form) {
    bindings.AddForm(form, {&form.view.imgCood, &form.imgSample1, &form.imgSample2});
    TfrmStep& step = form.frmStep;
    bindings.AddForm(step, {});
    bindings.AddForm(form.frmNickName, {});
    TfrmEdit& contents = form.frmEdit;
    bindings.AddForm(contents, {});
    bindings.SetDisplay(contents.Name, contents.lstBuffer.Name, Cp932ToUtf8);
    bindings.AddForm(form.frmVersion, {});
    TfrmPrint& print = form.frmPrint;
    bindings.AddForm(print, {&print.imgCood});
    // The picture shown large is the main picture, in front of everything while it shows: its keys
    // reach it while a STEP display waits in its dialog behind, and F11 opens it from that dialog.
    TfrmLarge& large = form.frmLarge;
    bindings.AddForm(large, {&form.view.imgCood});
    for (TButton* button : {&large.btnDraw, &large.btnNext, &large.btnBack, &large.btnPlay, &large.btnStepBack}) {
        bindings.LetThrough(large.Name, button->Name, [&large] { return large.Showing(); });
    }
    bindings.LetThrough(form.Name, form.mnuShowLarge.Name, [&step] { return step.Waiting(); });
    TfrmFormula& formula = form.frmFormula;
    bindings.AddForm(formula, {&formula.imgPreview});
    formula.PreviewChanged = [] { ThePlatform().PictureChanged(); };
    // 曲線の性質 stays beside the window, as on the desktop: its close button works from any dialog.
    TfrmProperties& properties = form.frmProperties;
    bindings.AddForm(properties, {&properties.imgProperties});
    bindings.LetThrough(properties.Name, properties.btnClose.Name, [] { return true; });
}

// Imports the curve files the page put into the import folder: those that read as curve files
// are copied into the user's folder (a name already there only when the user says so), which is
// then stored and opened, with the messages of reading it.
void ImportCurves(TfrmMain& form) {
    namespace fs = std::filesystem;
    if (form.PlotRunning()) return;
    std::error_code error;
    const fs::path staging = fs::path(WorkingFolder) / ImportFolder;
    const fs::path user = fs::path(WorkingFolder) / UserFolder;
    // A file that is no curve is said here; what is wrong inside a curve (a line that is no
    // number) is said once, by the reading of the user's folder that shows the imported curves.
    std::vector<std::string> accepted;
    ReadProblems refused;
    for (const std::string& name : ListCurveFiles(staging.string(), error)) {
        if (ReadsAsCurve(staging / name)) accepted.push_back(name);
        else refused.Add((staging / name).string() + "：フォーマットが違います");
    }
    if (!refused.Empty()) form.platform.ShowMessage(refused.Message());
    fs::create_directories(user, error);
    // A curve already kept under the same name is replaced only when the user says so.
    std::size_t copied = 0;
    for (const std::string& name : accepted) {
        if (fs::exists(user / name, error)) {
            const YesNoCancel answer = form.platform.AskYesNoCancel(
                "取り込み", "ﾌｧｲﾙ " + name + " は既にあります。置き換えますか？");
            if (answer == YesNoCancel::Cancel) break;
            if (answer == YesNoCancel::No) continue;
        }
        fs::copy_file(staging / name, user / name, fs::copy_options::overwrite_existing, error);
        if (error) form.platform.ShowMessage("ﾌｧｲﾙ " + (user / name).string() + " を作成できません");
        else ++copied;
    }
    fs::remove_all(staging, error);
    if (copied > 0 && !SystemFileSteps().FlushFolder(user.string())) {
        form.platform.ShowMessage("ﾌｧｲﾙ " + user.string() + " を作成できません");
    }
    form.OpenCollection(3);
}

}  // namespace

// ---- Called by the page; each answers JSON.

std::string ControlStateText(const std::string& form, const std::string& control) {
    return ThePlatform().Bindings().State(form, control);
}

std::string FormStateText(const std::string& name) {
    TForm* form = ThePlatform().Bindings().FindForm(name);
    if (!form) return "null";
    JsonObject state;
    state.Add("caption", form->Caption);
    state.Add("left", form->Left);
    state.Add("top", form->Top);
    state.Add("width", form->Width);
    state.Add("height", form->Height);
    state.Add("helpContext", form->HelpContext);
    return state.Text();
}

JsonObject PixelsPlace(const void* pixels, int width, int height) {
    JsonObject state;
    state.Add("pointer", static_cast<int>(reinterpret_cast<std::uintptr_t>(pixels)));
    state.Add("width", width);
    state.Add("height", height);
    return state;
}

// Where a picture's pixels lie in memory: system colours, red in the low byte.
std::string PicturePixelsText(const std::string& form, const std::string& picture) {
    const TImage* image = ThePlatform().Bindings().FindPicture(form, picture);
    if (!image) return "null";
    const Bitmap& bitmap = image->canvas.Picture();
    return PixelsPlace(bitmap.Pixels().data(), bitmap.Width(), bitmap.Height()).Text();
}

// The pixels a canvas of the page shows for a picture at the device pixel ratio `ratio`: the
// picture drawn again at that ratio where it can be, else the exact picture; as the canvas takes
// them (red, green, blue, opaque alpha), in one buffer valid until the next call. Also the
// picture's own size, which the canvas takes in CSS pixels times `zoom` (the picture shown large
// is as large as the page allows, and so is the main picture where the desktop window does not
// fit the page; every other picture has zoom 1), and the scale it was drawn at
// (1 for the exact picture).
std::string ShownPictureText(const std::string& form, const std::string& picture, double ratio) {
    const TImage* image = ThePlatform().Bindings().FindPicture(form, picture);
    if (!image) return "null";
    const Bitmap& exact = image->canvas.Picture();
    const ScreenSize screen = ThePlatform().Screen();
    double zoom = 1;
    if (form == TheForm().frmLarge.Name) {
        zoom = TfrmLarge::ScaleFor(screen);
    } else if (form == TheForm().Name && picture == TheForm().view.imgCood.Name && !DesktopLayoutFits(screen)) {
        zoom = ComputeNarrowLayout(screen).pictureZoom;
    }
    const double scale = zoom * ratio;
    const Bitmap* scaled = scale != 1 && scale > 0 && scale <= 8 ? ThePictures().Picture(form, picture, scale) : nullptr;
    const Bitmap& shown = scaled ? *scaled : exact;
    // The top byte, which system colours leave 0, becomes the alpha; two pixels at a time. The
    // buffer only grows: the pictures painted one after the other differ in size.
    static std::vector<TColor> opaque;
    const std::size_t count = shown.Pixels().size();
    if (opaque.size() < count) opaque.resize(count);
    const TColor* from = shown.Pixels().data();
    TColor* to = opaque.data();
    std::size_t i = 0;
    for (; i + 1 < count; i += 2) {
        std::uint64_t two;
        std::memcpy(&two, from + i, sizeof two);
        two |= 0xFF000000FF000000u;
        std::memcpy(to + i, &two, sizeof two);
    }
    if (i < count) to[i] = from[i] | 0xFF000000u;
    JsonObject state = PixelsPlace(to, shown.Width(), shown.Height());
    state.Add("pictureWidth", exact.Width());
    state.Add("pictureHeight", exact.Height());
    state.Add("zoom", zoom);
    state.Add("scale", scaled ? scale : 1.0);
    return state.Text();
}

std::string Box(const TRect& rect) {
    JsonObject box;
    box.Add("left", rect.left);
    box.Add("top", rect.top);
    box.Add("width", rect.Width());
    box.Add("height", rect.Height());
    return box.Text();
}

std::string MainWindowLayoutText(int width, int height) {
    MainLayout layout = ComputeMainLayout({width, height});
    JsonObject result;
    result.AddRaw("window", Box(layout.window));
    result.Add("toolBarHeight", layout.toolBarHeight);
    result.AddRaw("picture", Box(layout.picture));
    result.AddRaw("lstShiki", Box(layout.lstShiki));
    result.AddRaw("grpParam", Box(layout.grpParam));
    result.AddRaw("lstComment", Box(layout.lstComment));
    std::string places = "[";
    for (const ControlPlace& place : ControlPlaces()) {
        JsonObject entry;
        entry.Add("name", std::string(place.name));
        entry.Add("container", std::string(place.container));
        entry.AddRaw("box", Box(place.rect));
        places += (places.size() > 1 ? "," : "") + entry.Text();
    }
    result.AddRaw("places", places + "]");
    std::string menus = "[";
    for (const MenuPlace& place : MenuPlaces()) {
        JsonObject menu;
        menu.Add("title", std::string(place.title));
        menu.Add("items", std::vector<std::string>(place.items.begin(), place.items.end()));
        menus += (menus.size() > 1 ? "," : "") + menu.Text();
    }
    result.AddRaw("menus", menus + "]");
    // Where the desktop window does not fit: the narrow layout.
    const ScreenSize screen{width, height};
    result.Add("narrow", !DesktopLayoutFits(screen));
    NarrowLayout narrow = ComputeNarrowLayout(screen);
    JsonObject column;
    column.Add("menuBarHeight", narrow.menuBarHeight);
    column.AddRaw("picture", Box(narrow.picture));
    column.Add("pictureZoom", narrow.pictureZoom);
    column.Add("touchTarget", TouchTarget);
    std::string rows = "[";
    for (const NarrowRow& row : NarrowRows()) {
        JsonObject entry;
        entry.Add("container", std::string(row.container));
        entry.Add("names", std::vector<std::string>(row.names.begin(), row.names.end()));
        rows += (rows.size() > 1 ? "," : "") + entry.Text();
    }
    column.AddRaw("rows", rows + "]");
    result.AddRaw("column", column.Text());
    return result.Text();
}

// The file of the chosen curve when it is one of the user's, else "".
std::string CurrentUserCurveFileText() {
    TfrmMain& form = TheForm();
    if (form.CollectionKind != 3 || form.CurrentCurve < 1 ||
        form.CurrentCurve >= static_cast<int>(form.flbCurve.size())) {
        return {};
    }
    return std::string(WorkingFolder) + UserFolder + "/" + form.flbCurve[form.CurrentCurve];
}

// The exported functions answer in one buffer, valid until the next call; the page copies the
// text out at once. Plain C exports: Emscripten's own binding layer would hand back a promise
// while the program is suspended waiting for the user.
namespace {
const char* Answer(std::string text) {
    static std::string answer;
    answer = std::move(text);
    return answer.c_str();
}
}  // namespace

extern "C" {
EMSCRIPTEN_KEEPALIVE const char* ControlState(const char* form, const char* control) {
    return Answer(ControlStateText(form, control));
}
EMSCRIPTEN_KEEPALIVE const char* FormState(const char* form) { return Answer(FormStateText(form)); }
EMSCRIPTEN_KEEPALIVE const char* PicturePixels(const char* form, const char* picture) {
    return Answer(PicturePixelsText(form, picture));
}
EMSCRIPTEN_KEEPALIVE const char* ShownPicture(const char* form, const char* picture, double ratio) {
    return Answer(ShownPictureText(form, picture, ratio));
}
EMSCRIPTEN_KEEPALIVE const char* MainWindowLayout(int width, int height) {
    return Answer(MainWindowLayoutText(width, height));
}
EMSCRIPTEN_KEEPALIVE const char* CurrentUserCurveFile() { return Answer(CurrentUserCurveFileText()); }
// 1 while the picture shown large shows: the page closes its view when this turns 0.
EMSCRIPTEN_KEEPALIVE int LargePictureShowing() { return TheForm().frmLarge.Showing() ? 1 : 0; }
}

int main() {
    WebPlatform& platform = ThePlatform();
    TfrmMain& form = TheForm();
    WebBindings& bindings = platform.Bindings();
    RegisterForms(bindings, form);
    bindings.SetExtraAction("import", [&form](const std::string&) { ImportCurves(form); });
    bindings.SetExtraAction("test-fail", [&platform](const std::string& text) { platform.FailNextBusyCursor(text); });
    bindings.SetExtraAction("help", [&form](const std::string& context) { form.ShowContextHelp(std::atoi(context.c_str())); });
    // The page lays the window out again when its size changes; the STEP dialog follows grpParam.
    bindings.SetExtraAction("layout", [&form](const std::string& place) {
        std::istringstream numbers(place);
        char comma = 0;
        numbers >> form.grpParamLeft >> comma >> form.grpParamTop;
    });
    bindings.Run([&form] { form.FormShow(); });
    while (!form.CloseRequested) bindings.Dispatch(WaitForEvent(), platform.ActiveForm());
    PageEnd();
}
