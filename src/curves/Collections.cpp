// The three collections: the catalog "Curves20.crx" and the curve folders "BtCurves" and
// "UsCurves", read into lstCurve behind the collection's built-in record, parsed into the curve
// table and listed in lstShiki. Choosing a line (lstShikiClick) belongs to curves/Choose.cpp.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/Main.h"
#include "curves/Codec.h"
#include "curves/CurveFolder.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* CatalogFileName = "Curves20.crx";
constexpr const char* BeautifulFolder = "BtCurves";
constexpr const char* UserFolder = "UsCurves";

// The header line of each collection (40 bytes in CP932), index CollectionKind.
const char* const HeaderLines[4] = {
    "",
    "==========　いろいろな曲線　　==========",
    "==========　　美しい曲線　　　==========",
    "==========　 あなたの曲線　 　==========",
};

// Paths are shown as UTF-8. A name that is not UTF-8 most likely came from a Shift-JIS system.
std::string PathText(const std::string& path) { return IsValidUtf8(path) ? path : Cp932ToUtf8(path); }

// A folder name as the callers write it, "BtCurves" or "BtCurves\", with the platform's separator.
std::string WithSeparator(std::string folder) {
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder + static_cast<char>(fs::path::preferred_separator);
}

// What keeps the folder `folderPath` from being listed, as the end of its message; null when
// nothing does.
const char* FolderProblem(const std::string& folderPath) {
    std::string path = folderPath;
    while (path.size() > 1 && path.back() == fs::path::preferred_separator) path.pop_back();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return "がありません";
        return errno == ELOOP ? "：リンクが循環しています" : "：読み込めません";
    }
    return S_ISDIR(info.st_mode) ? nullptr : "：フォルダではありません";
}

}  // namespace

void TfrmMain::OpenCollection(int n) {
    if (n < 1 || n > 3 || PlotRunning()) return;
    CollectionKind = n;
    spdOpenFile.SetDown(n == 1);
    spdKihonOpen.SetDown(n == 2);
    spdUserOpen.SetDown(n == 3);

    if (n == 1) LoadCatalog(CatalogFileName);
    else LoadCurveFolder(WithSeparator(n == 2 ? BeautifulFolder : UserFolder));

    if (lstShiki.Count() < 1) return;
    int line = RememberedLine[n];
    if (line < 0 || line >= lstShiki.Count()) line = 0;
    for (int i = 0; i < lstShiki.Count(); ++i) lstShiki.SetSelected(i, i == line);
    lstShiki.SetItemIndex(line);
    lstShikiClick();
}

void TfrmMain::LoadCatalog(const std::string& name) {
    lstCurve.clear();
    flbCurve.clear();
    const std::string path = BaseFolder + name;
    std::error_code error;
    if (!fs::exists(path, error)) {
        platform.ShowMessage(PathText(path) + "がありません");
        lstShiki.Clear();
        return;
    }
    std::string content;
    ReadResult result = ReadSmallFile(path, content);
    if (result != ReadResult::Ok) {
        platform.ShowMessage(PathText(path) + (result == ReadResult::TooLarge ? "：フォーマットが違います" : "：読み込めません"));
        lstShiki.Clear();
        return;
    }
    ReadProblems problems;
    std::size_t nulLine = 0;
    lstCurve = SplitLines(content, &nulLine);
    if (nulLine > 0) {
        problems.Add(PathText(path) + "：" + std::to_string(nulLine) + " 行目に 0x00 のバイトがあるため、そこから後ろは読みませんでした");
    }
    const int records = RecordCount(lstCurve);

    InsertBuiltInCurve();
    std::vector<RecordSource> sources(1);
    for (int k = 0; k < records; ++k) sources.push_back({name, k * RecordLineCount + 1});
    BuildCurveTable(problems, sources);
    const int listed = std::min(records, CurveTableCapacity - 1);
    for (int k = 1; k <= listed; ++k) lstShiki.Add(Cp932ToUtf8(curveTable[k].Name));
    if (!problems.Empty()) platform.ShowMessage(problems.Message());
}

void TfrmMain::LoadCurveFolder(const std::string& folder) {
    const std::string folderPath = BaseFolder + WithSeparator(folder);

    // A folder that cannot be listed leaves no collection: the list is empty and no curve is
    // chosen, as for a missing catalog.
    auto fail = [this, &folderPath](const char* problem) {
        platform.ShowMessage(PathText(folderPath) + problem);
        lstShiki.Clear();
        lstCurve.clear();
        flbCurve.clear();
    };
    if (const char* problem = FolderProblem(folderPath)) return fail(problem);

    std::error_code error;
    fs::current_path(folderPath, error);
    const std::vector<std::string> names = ListCurveFiles(folderPath, error);
    if (error) return fail("：読み込めません");

    lstShiki.Clear();
    lstCurve.clear();
    // flbCurve keeps, position by position, the file each entry was read from, so that a
    // rejected file never shifts the names of the entries after it.
    flbCurve.assign(1, " ");
    ReadProblems problems;
    std::vector<RecordSource> sources(1);
    int records = 0;
    for (const std::string& fileName : names) {
        const std::string path = folderPath + fileName;
        std::string content;
        ReadResult result = ReadSmallFile(path, content);
        if (result == ReadResult::Unreadable) {
            problems.Add(PathText(path) + "：読み込めません");
            continue;
        }
        RecordLines lines;
        if (result == ReadResult::Ok) lines = SplitLines(content);
        if (lines.size() != static_cast<std::size_t>(RecordLineCount)) {
            problems.Add(PathText(path) + "：フォーマットが違います");
            continue;
        }
        lstCurve.insert(lstCurve.end(), lines.begin(), lines.end());
        flbCurve.push_back(fileName);
        sources.push_back({PathText(WithSeparator(folder) + fileName)});
        ++records;
    }

    InsertBuiltInCurve();
    BuildCurveTable(problems, sources);
    const int listed = std::min(records, CurveTableCapacity - 1);
    for (int k = 1; k <= listed; ++k) lstShiki.Add(Cp932ToUtf8(curveTable[k].Name));
    if (!problems.Empty()) platform.ShowMessage(problems.Message());
}

void TfrmMain::InsertBuiltInCurve() {
    if (CollectionKind < 1 || CollectionKind > 3 || RecordCount(lstDemo) < CollectionKind) return;
    auto first = lstDemo.begin() + (CollectionKind - 1) * RecordLineCount;
    lstCurve.insert(lstCurve.begin(), first, first + RecordLineCount);
}

void TfrmMain::BuildCurveTable(ReadProblems& problems, const std::vector<RecordSource>& sources) {
    int records = RecordCount(lstCurve);
    if (records > CurveTableCapacity) {
        problems.Add("登録できる数は" + std::to_string(CurveTableCapacity) + "です");
        records = CurveTableCapacity;
    }
    lstShiki.Clear();
    lstShiki.Add(CollectionKind >= 1 && CollectionKind <= 3 ? HeaderLines[CollectionKind] : "");
    curveTable.ClearCollection();
    for (int k = 0; k < records; ++k) {
        const RecordSource source = static_cast<std::size_t>(k) < sources.size() ? sources[k] : RecordSource{};
        curveTable[k] = ParseRecord(lstCurve, k, problems, source);
    }
    curveTable.Count = records;
}
