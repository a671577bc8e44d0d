#include <cstdio>
#include <sstream>
#include <sys/wait.h>

#include "app/RenderScript.h"
#include "support/GifFrames.h"
#include "support/MainFormFixture.h"
#include "support/PictureFiles.h"

namespace {
std::vector<std::string> SplitOutput(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

bool IsPng(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    char signature[8] = {};
    file.read(signature, 8);
    return file.gcount() == 8 && std::string(signature, 8) == "\x89PNG\r\n\x1a\n";
}
}  // namespace

class RenderScript : public MainFormTest {
protected:
    int Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"-C", root.string()});
        out.str("");
        err.str("");
        return RunRenderScript(arguments, out, err);
    }
    std::vector<std::string> Output() const { return SplitOutput(out.str()); }
    std::ostringstream out, err;
};

TEST_F(RenderScript, ScriptErrorsExitWithTwoBeforeAnythingRuns) {
    WriteCatalog(MakeRecord({}));
    const std::vector<std::string> bad[] = {
        {"press:btnDraw", "dance:1"}, {"press:btnNowhere"}, {"set:updQ=3"}, {"set:chkHojoEn=2"},
        {"set:cmbStep=6"}, {"set:updA"}, {"open:4"}, {"step:later"}, {"color:$01000000"}, {"color:red"},
        {"confirm:maybe"}, {"press:updA"}, {"--colour"}, {"choose:x"}, {"set:edtHeniki=0≦θ≦π"}};
    for (const auto& script : bad) {
        EXPECT_EQ(Run(script), RenderScriptError) << script.back();
        EXPECT_EQ(out.str(), "") << script.back();
        EXPECT_EQ(SplitOutput(err.str()).size(), 1u) << script.back();
    }
    EXPECT_EQ(fs::current_path(), savedFolder) << "the working folder is restored";
}

TEST_F(RenderScript, ChoosingBeyondTheListIsAScriptError) {
    WriteCatalog(MakeRecord({}));
    EXPECT_EQ(Run({"choose:2"}), RenderScriptError);
    EXPECT_NE(err.str().find("choose:2"), std::string::npos);
}

TEST_F(RenderScript, MessagesArePrintedInTheOrderShown) {
    WriteCatalog(MakeRecord({{1, "外"}, {2, "1"}}));
    EXPECT_EQ(Run({"choose:1", "set:updB=0", "press:btnDraw", "step:next", "step:cancel", "set:updRpEnd=3",
                   "set:updB=2", "press:btnStepH", "set:updRpEnd=1", "step:all", "press:btnStep", "press:btnStepH",
                   "step:next", "step:next", "step:next", "set:updRpEnd=2", "press:btnStepH"}),
              RenderOk)
        << err.str();
    // The STEP repeat was stopped at its second pause; the later one ran to its end.
    EXPECT_EQ(Output(), (std::vector<std::string>{"message: 警告！ｂは０をとれません", "message: 表示終了"}));
}

TEST_F(RenderScript, RecordReflectsTheScriptedChanges) {
    WriteCatalog(MakeRecord({{1, "外"}, {2, "1"}}));
    ASSERT_EQ(Run({"--record", "choose:1", "set:updA=250", "set:chkHojoEn=1", "set:radA=1", "set:cmbHaikei=3",
                   "color:$0000FF00", "press:spdLineColor"}),
              RenderOk)
        << err.str();
    const std::vector<std::string> lines = Output();
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[0], "外");
    EXPECT_EQ(lines[rlParamA - 1], "100") << "typed, then clamped when the focus left";
    EXPECT_EQ(lines[rlAuxLine - 1], "1");
    EXPECT_EQ(lines[rlRepeatTarget - 1], "a");
    EXPECT_EQ(lines[rlBackground - 1], "3");
    EXPECT_EQ(lines[rlLineColor - 1], "$0000FF00");
}

TEST_F(RenderScript, FileContentsViewPrintsLabelsBesideTheRecord) {
    WriteCatalog(MakeRecord({}));
    ASSERT_EQ(Run({"set:updA=5", "press:mnuShowFile"}), RenderOk) << err.str();
    const std::vector<std::string> lines = Output();
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[0], "名前\tバラ（ハイポトロコイド）");
    EXPECT_EQ(lines[2], "極形式の式\t");
    EXPECT_EQ(lines[5], "パラメータａ\t5");
    EXPECT_EQ(lines[24], "指示５\t*");
}

TEST_F(RenderScript, WritesThePictureAndOneSnapshotPerStepPause) {
    WriteCatalog(MakeRecord({}));
    const fs::path picture = root / "first.png";
    ASSERT_EQ(Run({"-o", picture.string()}), RenderOk) << err.str();
    EXPECT_TRUE(IsPng(picture));

    const fs::path prefix = root / "pause";
    ASSERT_EQ(Run({"set:updRpEnd=1", "set:cmbStep=5", "set:updSend=2", "snap:" + prefix.string(), "press:btnStep"}), RenderOk)
        << err.str();
    EXPECT_TRUE(IsPng(root / "pause-000.png"));
    EXPECT_TRUE(IsPng(root / "pause-001.png"));
    EXPECT_FALSE(fs::exists(root / "pause-002.png")) << "two segments of π pause twice";
    EXPECT_EQ(Output(), std::vector<std::string>{"message: 表示終了"});
}

TEST_F(RenderScript, TheProgramExitsWithTwoOnAnUnknownAction) {
    WriteCatalog(MakeRecord({}));
    const std::string command = std::string(QUORBEL_RENDER) + " -C '" + root.string() + "' press:btnDraw press:btnNowhere 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_NE(text.find("btnNowhere"), std::string::npos);
    EXPECT_EQ(SplitOutput(text).size(), 1u);
}

// A typed formula from the script: drawn as the formula dialog draws it, its record written with
// the panel's values, the unused parameters "*", and a wrong number of formulas a script error.
TEST_F(RenderScript, DrawsATypedFormulaAndWritesItsRecord) {
    WriteCatalog(MakeRecord({}));
    const fs::path picture = root / "typed.png";
    ASSERT_EQ(Run({"choose:0", "set:updA=3", "formula:26:x=a cos t;y=sin t (0<=t<=π)", "--record", "-o", picture.string()}), RenderOk)
        << err.str();
    const std::vector<std::string> record = Output();
    ASSERT_EQ(record.size(), 25u);
    EXPECT_EQ(record[0], "式で描いた曲線");
    EXPECT_EQ(record[1], "26");
    EXPECT_EQ(record[3], "x=a cos t");
    EXPECT_EQ(record[4], "y=sin t (0<=t<=π)");
    EXPECT_EQ(std::vector<std::string>(record.begin() + 5, record.begin() + 8), (std::vector<std::string>{"3", "*", "*"}));
    EXPECT_TRUE(IsPng(picture));
    EXPECT_EQ(Run({"formula:26:x=t"}), RenderScriptError);
    EXPECT_EQ(Run({"formula:25:r=1"}), RenderScriptError);
}

// --animate: one frame at every STEP pause and at every value of a repeat the script runs, the
// finished picture last; the 動画 repeat plays on through wait:.
TEST_F(RenderScript, AnimateWritesAFrameAtEveryPauseOfEveryDisplay) {
    WriteCatalog(MakeRecord({}));
    const std::string gif = (root / "out.gif").string(), png = (root / "out.png").string();
    ASSERT_EQ(Run({"--animate", "-o", gif, "set:frmStep.cmbSpeed=0", "press:btnStep", "set:updRpEnd=3",
                   "press:btnHanpuku"}),
              RenderOk)
        << err.str();
    std::ifstream file(gif, std::ios::binary);
    const giffiles::Decoded decoded = giffiles::Decode(std::string(std::istreambuf_iterator<char>(file), {}));
    ASSERT_TRUE(decoded.ok);
    // 48 pauses and the finished curve, then the repeat's background and its three curves.
    ASSERT_EQ(decoded.frames.size(), 49u + 4);
    EXPECT_EQ(decoded.frames[0].delay, 100);
    ASSERT_EQ(Run({"-o", png, "press:btnStep", "set:updRpEnd=3", "press:btnHanpuku"}), RenderOk);
    EXPECT_TRUE(decoded.frames.back().picture == picturefiles::ReadPng(png));

    ASSERT_EQ(Run({"--animate", "-o", gif, "set:updRpEnd=3", "set:chkAnime=1", "press:btnHanpuku", "wait:2000"}),
              RenderOk);
    std::ifstream again(gif, std::ios::binary);
    EXPECT_EQ(giffiles::Decode(std::string(std::istreambuf_iterator<char>(again), {})).frames.size(), 5u)
        << "c = 1 at once, then one value every 0.5 s";

    EXPECT_EQ(Run({"--animate", "-o", png, "press:btnStep"}), RenderScriptError);
    EXPECT_EQ(Run({"wait:soon"}), RenderScriptError);
}

TEST_F(RenderScript, WhatItPrintsHasItsControlCharactersEscaped) {
    // A name that would retitle the terminal and turn it red; a number line holding a bell.
    WriteCatalog(MakeRecord({{1, "\x1B]0;x\x07\x1B[31mred"}, {6, "\x07"}}));
    ASSERT_EQ(Run({"--record", "choose:1"}), RenderOk) << err.str();
    const std::string printed = out.str();
    EXPECT_EQ(printed.find_first_of("\x1B\x07"), std::string::npos);
    EXPECT_NE(printed.find("「パラメータａ」: \\x07"), std::string::npos);
    EXPECT_EQ(Output().at(1), "\\x1B]0;x\\x07\\x1B[31mred") << "the record's name line";

    EXPECT_EQ(Run({"press:btn\x9B" "2J"}), RenderScriptError);
    EXPECT_EQ(err.str(), "quorbel-render: unknown button or menu item btn\\x9B2J\n");
}

TEST_F(RenderScript, AFailedSaveExitsWithOne) {
    WriteCatalog(MakeRecord({}));
    EXPECT_EQ(Run({"nickname:n", "savefile:" + (root / "missing/n.crv").string(), "press:mnuSave"}), RenderFailed);
    EXPECT_NE(out.str().find("を作成できません（フォルダがありません）"), std::string::npos);
    EXPECT_EQ(Run({"nickname:n", "savefile:" + (root / "UsCurves/n.crv").string(), "press:mnuSave"}), RenderOk);
}

// --describe: one line after everything the script printed, the JSON of the curve on the panel.
TEST_F(RenderScript, DescribePrintsTheCurvesPropertiesAsOneLineOfJson) {
    WriteCatalog(MakeRecord({}));
    ASSERT_EQ(Run({"--describe", "formula:27:r=2/(1+cos θ)"}), RenderOk) << err.str();
    const std::vector<std::string> lines = Output();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(),
              "describe: {\"type\": \"parabola\", \"equation\": \"y² = −4(x − 1)\", \"part\": false, \"vertex\": [1, 0], "
              "\"vertex_text\": \"(1, 0)\", \"foci\": [[0, 0]], \"foci_text\": [\"(0, 0)\"], \"directrices\": [[1, 0, 2]], "
              "\"directrices_text\": [\"x = 2\"], \"eccentricity\": 1, \"eccentricity_text\": \"1\", \"angle\": 0, "
              "\"angle_text\": \"0\"}");
}
