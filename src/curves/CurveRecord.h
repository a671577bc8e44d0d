// The curve record: 25 positional lines of CP932 text describing one curve, the same in curve
// files, the catalog, the built-in curves and the working record; its parsed form CurveEntry;
// the table of the open collection; and the reading rules of number and text lines.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "curves/ReadProblems.h"

// Lines of CP932 text, as read from disk.
using RecordLines = std::vector<std::string>;

constexpr int RecordLineCount = 25;
constexpr int CurveTableCapacity = 50;
constexpr int NotPlaceholder = 99;  // "*" or an empty number line; for a, b, c: not used

// 1-based line numbers of the record.
enum RecordLine {
    rlName = 1, rlId, rlPolarFormula, rlXFormula, rlYFormula, rlParamA, rlParamB, rlParamC,
    rlThetaStart, rlThetaEnd, rlRepeatStart, rlRepeatEnd, rlZoom, rlRepeatTarget, rlAuxLine,
    rlStepIndex, rlBackground, rlLineColor, rlBackColorValue, rlLineWidth, rlNote1
};

// The program's label of each line, "名前" to "指示５" (UTF-8), index 0 for line 1.
extern const std::array<const char*, RecordLineCount> RecordLineLabels;

struct CurveEntry {
    std::string Name;          // CP932 text lines ("*" became empty)
    std::int32_t Id = 0;
    std::string PolarFormula;
    std::string XFormula;
    std::string YFormula;
    std::int32_t ParamA = 0, ParamB = 0, ParamC = 0;
    std::int32_t ThetaStart = 0, ThetaEnd = 0;
    std::int32_t RepeatStart = 0, RepeatEnd = 0;
    std::int32_t Zoom = 0;
    std::string RepeatTarget;  // unconverted
    std::int32_t AuxLine = 0;
    std::int32_t StepIndex = 0;
    std::int32_t Background = 0;
    std::int32_t LineColor = 0;
    std::int32_t BackColorValue = 0;
    std::int32_t LineWidth = 0;
    std::array<std::string, 5> Notes;
};

// The index of the one curve on the panel that is in no collection: a typed-formula curve put
// there by the formula dialog (TfrmMain::ShowFormulaCurve). It has no line in the curve list.
constexpr int FormulaCurveEntry = CurveTableCapacity;

// The parsed records of the open collection; entry i stands for line i of the curve list. Beside
// them, index FormulaCurveEntry holds the formula dialog's curve, which opening a collection keeps.
struct CurveTable {
    std::array<CurveEntry, CurveTableCapacity> Entries;
    int Count = 0;
    CurveEntry Formula = NoCurve();  // until the dialog puts one there: a number that is no kind
    CurveEntry& operator[](int index) { return index == FormulaCurveEntry ? Formula : Entries.at(index); }
    const CurveEntry& operator[](int index) const { return index == FormulaCurveEntry ? Formula : Entries.at(index); }
    // An entry of the collection, or the formula dialog's curve.
    bool Holds(int index) const { return (index >= 0 && index < Count) || index == FormulaCurveEntry; }
    // Empties the collection's entries; the formula dialog's curve stays.
    void ClearCollection() {
        Entries = {};
        Count = 0;
    }

private:
    static CurveEntry NoCurve() {
        CurveEntry entry;
        entry.Id = -1;
        return entry;
    }
};

// Reads number line `index` (0-based into `lines`, whose records begin every 25 lines): "*" or
// empty gives 99; leading blanks, then decimal with optional sign or "$" and hex digits; anything
// else (a number beyond 32 bits too) gives 0 and is added to `problems` as a line of `source`.
std::int32_t ReadNumberLine(const RecordLines& lines, std::size_t index, ReadProblems& problems,
                            const RecordSource& source = {});
// Parses a number text by the same rule; false when it is not a number.
bool ParseNumberText(const std::string& text, std::int32_t& value);
// Reads text line `index`: "*" becomes the empty text, anything else stays as it is.
std::string ReadTextLine(const RecordLines& lines, std::size_t index);
// Records in a list of lines: lines / 25, rounded down.
int RecordCount(const RecordLines& lines);
// Parses record `record` (lines 25·record+1 … 25·record+25) field by field, in line order.
CurveEntry ParseRecord(const RecordLines& lines, int record, ReadProblems& problems, const RecordSource& source = {});
// The three built-in records, 75 lines (lstDemo); BuiltInRecord(n) is record n = 1..3.
const RecordLines& BuiltInRecords();
RecordLines BuiltInRecord(int n);
// "$" and 8 upper-case hexadecimal digits.
std::string ColorText(std::uint32_t color);
// Splits file text into lines at CR LF, lone CR or lone LF; a NUL byte ends the text (`nulLine`,
// when given, is then the 1-based line it stands in, else 0); the last line needs no line end.
RecordLines SplitLines(const std::string& text, std::size_t* nulLine = nullptr);
