#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/Main.h"
#include "ui/ScriptedPlatform.h"

namespace {
std::string ShippedHelp() {
    std::ifstream file(std::filesystem::path(QUORBEL_SOURCE_DIR) / "data" / "Vantorel.hlp", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
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
    for (int id = -1; id <= 25; ++id) {
        bool page = help.find("<a name=\"" + std::to_string(id) + "\">") != std::string::npos;
        bool explained = id == 0 || id == 1 || id == 2 || id == 3 || id == 4 || id == 5 || id == 8 || id == 9 || id == 11;
        EXPECT_EQ(page, explained) << "curve kind " << id;
    }
    for (int context : contexts) {
        EXPECT_NE(context, 0);
        EXPECT_NE(help.find("<a name=\"" + std::to_string(context) + "\">"), std::string::npos) << "context " << context;
    }
    EXPECT_NE(help.find("<meta charset=\"utf-8\">"), std::string::npos);
}
