// Picture files of the start picture (the built-in hypotrochoid repeated over c from 1 to 11, as
// the program shows it after its start sequence): PNG at 1× and at 4×, the picture at 4× drawn
// again from its drawing, SVG and PDF; and GIFs of 100 frames. Each writes its file into a
// temporary folder, as the export command does, atomically.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "app/Main.h"
#include "output/Export.h"
#include "picture/Animation.h"
#include "picture/ImageIO.h"
#include "picture/ScaledCanvas.h"
#include "ui/ScriptedPlatform.h"

namespace fs = std::filesystem;

namespace {

constexpr int W = PlotView::PictureWidth, H = PlotView::PictureHeight;

struct StartPicture {
    ScriptedPlatform platform;
    std::unique_ptr<TfrmMain> form;
    fs::path folder = fs::temp_directory_path() / "quorbel-export-bench";

    StartPicture() {
        form = std::make_unique<TfrmMain>(platform, std::string(QUORBEL_SOURCE_DIR) + "/data/");
        form->FormShow();
        fs::create_directories(folder);
    }
    ~StartPicture() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    // Writes the picture as `format` at `scale`; stops the benchmark when the file cannot be made.
    void Write(benchmark::State& state, ImageFormat format, double scale, const char* name) {
        const std::string path = (folder / name).string();
        if (!WritePictureFile(path, form->view, format, scale)) state.SkipWithError("the picture file was not written");
    }
};

void BM_B7_Png1x(benchmark::State& state) {
    StartPicture start;
    for (auto _ : state) start.Write(state, ImageFormat::Png, 1, "first.png");
    state.counters["bytes"] = static_cast<double>(fs::file_size(start.folder / "first.png"));
}
BENCHMARK(BM_B7_Png1x)->Unit(benchmark::kMillisecond);

// The encoder alone, without the file: what the 3 ms target of the 1× file is mostly spent on.
void BM_B7_Png1xEncode(benchmark::State& state) {
    StartPicture start;
    for (auto _ : state) benchmark::DoNotOptimize(EncodePng(start.form->view.imgCood.canvas.Picture()));
}
BENCHMARK(BM_B7_Png1xEncode)->Unit(benchmark::kMillisecond);

void BM_B7_Draw4x(benchmark::State& state) {
    StartPicture start;
    for (auto _ : state) {
        ScaledCanvas canvas = ScaledCanvas::ForPicture(W, H, 4);
        start.form->view.drawing.Replay(canvas);
        benchmark::DoNotOptimize(canvas.Picture().Pixel(1000, 1000));
    }
}
BENCHMARK(BM_B7_Draw4x)->Unit(benchmark::kMillisecond);

void BM_B7_Png4xEncode(benchmark::State& state) {
    StartPicture start;
    ScaledCanvas canvas = ScaledCanvas::ForPicture(W, H, 4);
    start.form->view.drawing.Replay(canvas);
    for (auto _ : state) benchmark::DoNotOptimize(EncodePng(canvas.Picture()));
}
BENCHMARK(BM_B7_Png4xEncode)->Unit(benchmark::kMillisecond);

// Drawn at 4× and written: the two figures above together, and the file.
void BM_B7_Png4x(benchmark::State& state) {
    StartPicture start;
    for (auto _ : state) start.Write(state, ImageFormat::Png, 4, "first-4x.png");
    state.counters["bytes"] = static_cast<double>(fs::file_size(start.folder / "first-4x.png"));
}
BENCHMARK(BM_B7_Png4x)->Unit(benchmark::kMillisecond);

void BM_B7_Svg(benchmark::State& state) {
    StartPicture start;
    for (auto _ : state) start.Write(state, ImageFormat::Svg, 1, "first.svg");
    state.counters["bytes"] = static_cast<double>(fs::file_size(start.folder / "first.svg"));
}
BENCHMARK(BM_B7_Svg)->Unit(benchmark::kMillisecond);

void BM_B7_Pdf(benchmark::State& state) {
    StartPicture start;
    if (!PdfAvailable()) {
        state.SkipWithError("built without PDF");
        return;
    }
    for (auto _ : state) start.Write(state, ImageFormat::Pdf, 1, "first.pdf");
    state.counters["bytes"] = static_cast<double>(fs::file_size(start.folder / "first.pdf"));
}
BENCHMARK(BM_B7_Pdf)->Unit(benchmark::kMillisecond);

}  // namespace

// ---- Animations (B8): a GIF of 100 frames.

// Frame at a pause: the picture kept as its colours and deflated indices.
void BM_B8_FramePut(benchmark::State& state) {
    StartPicture start;
    Animation animation;
    for (auto _ : state) animation.Put(0, start.form->view.imgCood.canvas.Picture(), 500);
}
BENCHMARK(BM_B8_FramePut)->Unit(benchmark::kMillisecond);

// 100 frames of the start picture that differ everywhere from one to the next (the picture and
// its monochrome version in turn, so no frame is a small box of changes): kept, then written as a
// GIF file, atomically.
void BM_B8_Gif100Frames(benchmark::State& state) {
    StartPicture start;
    const Bitmap colour = start.form->view.imgCood.canvas.Picture();
    start.form->chkMonoc.SetChecked(true);
    const Bitmap monochrome = start.form->view.imgCood.canvas.Picture();
    const std::string path = (start.folder / "start.gif").string();
    for (auto _ : state) {
        Animation animation;
        for (int i = 0; i < 100; ++i) animation.Add(i % 2 ? monochrome : colour, 500);
        if (!WriteAnimationFile(path, animation)) state.SkipWithError("the GIF was not written");
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(path));
}
BENCHMARK(BM_B8_Gif100Frames)->Unit(benchmark::kMillisecond);

// The 動画 repeat of the start curve over c from 1 to 100, each value alone: its 100 frames
// written as a GIF (the frames kept beforehand, as the repeat keeps them while it plays).
void BM_B8_GifAnimeCycle(benchmark::State& state) {
    StartPicture start;
    TfrmMain& form = *start.form;
    start.platform.Attach(form.tmrAnime);
    form.updRpStart.SetValue(1);
    form.updRpEnd.SetValue(100);
    form.chkAnime.SetChecked(true);
    form.btnHanpuku.Click();
    start.platform.RunTimers(99LL * form.tmrAnime.Interval());
    form.btnHanpuku.Click();
    if (form.animation.Count() != 100) state.SkipWithError("the 動画 repeat kept no cycle of 100 frames");
    const std::string path = (start.folder / "anime.gif").string();
    for (auto _ : state) {
        if (!WriteAnimationFile(path, form.animation)) state.SkipWithError("the GIF was not written");
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(path));
}
BENCHMARK(BM_B8_GifAnimeCycle)->Unit(benchmark::kMillisecond);
