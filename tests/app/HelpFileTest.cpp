#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "app/Main.h"
#include "plot/CurveKinds.h"
#include "ui/ScriptedPlatform.h"

namespace {
std::string ShippedHelp() {
    std::ifstream file(std::filesystem::path(QUORBEL_SOURCE_DIR) / "data" / "Vantorel.hlp", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> Matches(const std::string& text, const std::regex& pattern) {
    std::vector<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it) found.push_back((*it)[1]);
    return found;
}
}  // namespace

// Every number the program asks the help viewer for has its anchor in the shipped help file.
TEST(HelpFile, HasAnAnchorForEveryContextTheProgramAsksFor) {
    std::string help = ShippedHelp();
    ASSERT_FALSE(help.empty());
    ScriptedPlatform platform;
    TfrmMain form(platform, std::filesystem::temp_directory_path().string());
    std::vector<int> contexts = {224, 230, form.HelpContext};
    for (const char* name : {"lstShiki", "mnuTangenOpen", "mnuOpenFile", "mnuSave", "mnuPrint", "mnuClipBoard",
                             "mnuEnd", "mnuShowFile", "mnuSetColor", "mnuShowHelp"}) {
        contexts.push_back(form.FindControl(name)->HelpContext);
    }
    // 解 説 is enabled exactly for the kinds that have a page.
    for (int id = -1; id <= static_cast<int>(CurveKinds().size()); ++id) {
        const CurveKind* kind = FindCurveKind(id);
        bool page = help.find("<a name=\"" + std::to_string(id) + "\">") != std::string::npos;
        EXPECT_EQ(page, kind && kind->HasExplanation) << "curve kind " << id;
    }
    for (int context : contexts) {
        EXPECT_NE(context, 0);
        EXPECT_NE(help.find("<a name=\"" + std::to_string(context) + "\">"), std::string::npos) << "context " << context;
    }
    EXPECT_NE(help.find("<meta charset=\"utf-8\">"), std::string::npos);
}

// The help window shows only what the file holds: every link must lead to an anchor in it, and a
// page is reachable only when the contents link it (or an anchor that stands with it).
TEST(HelpFile, EveryLinkLeadsToAnAnchorAndTheContentsReachEveryPage) {
    std::string help = ShippedHelp();
    ASSERT_FALSE(help.empty());
    const std::vector<std::string> anchors = Matches(help, std::regex(R"re(<a name="([^"]+)"></a>)re"));
    const std::set<std::string> names(anchors.begin(), anchors.end());
    EXPECT_EQ(names.size(), anchors.size()) << "an anchor name is used twice";
    for (const std::string& target : Matches(help, std::regex(R"re(href="([^"]*)")re"))) {
        EXPECT_TRUE(target.size() > 1 && target[0] == '#' && names.count(target.substr(1))) << "link " << target;
    }
    EXPECT_EQ(help.find("<img"), std::string::npos);
    EXPECT_EQ(help.find("<script"), std::string::npos);

    const std::size_t top = help.find("<a name=\"224\">"), firstSection = help.find("<a name=\"224-1\">");
    ASSERT_LT(top, firstSection);
    const std::vector<std::string> linked = Matches(help.substr(top, firstSection - top), std::regex(R"re(href="#([^"]+)")re"));
    const std::set<std::string> inContents(linked.begin(), linked.end());
    for (const CurveKind& kind : CurveKinds()) {
        EXPECT_TRUE(inContents.count(kind.HelpAnchor)) << "curve kind " << kind.Id << " has no page in the contents";
    }
    // Anchors written one after another mark the same page; one of them must be in the contents.
    for (const std::string& run : Matches(help, std::regex(R"re(((?:<a name="[^"]+"></a>\s*)+))re"))) {
        const std::vector<std::string> together = Matches(run, std::regex(R"re(name="([^"]+)")re"));
        bool reachable = together == std::vector<std::string>{"224"};
        for (const std::string& name : together) reachable = reachable || inContents.count(name);
        EXPECT_TRUE(reachable) << "no link in the contents leads to the page of anchor " << together.front();
    }
}
