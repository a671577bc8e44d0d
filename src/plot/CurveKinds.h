// The table of curve kinds: for every record Id, its name, which of a, b, c it uses, whether b = 0
// is refused and θ end follows b, its explanation page, its auxiliary figure and marker, the
// record lines of its curves and the typed formula that draws the same curve. The facts live in
// plot/CurveKinds.txt, compiled in as text and read once; the curve generator and the tests read
// the same file. The formulas themselves are code (plot/CurveEval.cpp, plot/TypedCurve.cpp).
#pragma once

#include <array>
#include <string>
#include <vector>

// The typed-formula kinds: the record holds the formula itself.
constexpr int ParametricFormulaKind = 26;  // 媒介変数表示（式）: x and y of t or θ, record lines 4 and 5
constexpr int PolarFormulaKind = 27;       // 極方程式（式）: r of θ, record line 3
constexpr int EquationFormulaKind = 28;    // 方程式（式）: an equation in x and y (r, θ), record line 4

// True for 26, 27 and 28.
bool IsTypedFormulaKind(int kind);

enum class AuxFigure {
    None, BoundingSquare, CircleA, CircleC, RolledOnLine, CirclesAAndAPlusC, FocusAndDirectrix,
    Asymptotes, Directrix, Perpendicular, BaseCircle, Centre, CentreAB,
};
enum class AuxMarker { None, Dot, RollingOutside, RollingInside, RollingOnLine, String, MovingPoint };

// The parameters a kind uses, as bits.
enum KindParameter : unsigned { kpA = 1u << 0, kpB = 1u << 1, kpC = 1u << 2 };

struct CurveKind {
    int Id = 0;
    std::string Name;               // UTF-8
    unsigned Uses = 0;              // kpA | kpB | kpC; for a typed kind, what its formula uses
    bool UsesFromFormula = false;   // a typed kind: Uses is read from each record's formula
    bool BDivides = false;          // b = 0 is refused before a plot
    bool ThetaEndFollowsB = false;  // a change of b sets θ終了 to 2·b
    bool HasExplanation = false;    // 解 説 opens the help at context Id
    AuxFigure Figure = AuxFigure::None;
    AuxMarker Marker = AuxMarker::None;
    std::array<std::string, 3> RecordLines{"*", "*", "*"};  // lines 3 to 5 of its curves, UTF-8
    int TypedKind = 0;                                      // 26, 27 or 28; 0 when there is none
    std::array<std::string, 3> TypedLines{"*", "*", "*"};   // that formula as record lines 3 to 5
    std::string HelpAnchor;
};

// Every kind of the table, in Id order.
const std::vector<CurveKind>& CurveKinds();
// The kind with Id `id`, or null for a number that is no kind.
const CurveKind* FindCurveKind(int id);
// Reads a table in the text form of plot/CurveKinds.txt; a malformed table is a programmer error
// and stops the program with a message saying which line is wrong.
std::vector<CurveKind> ReadCurveKindTable(const std::string& text);
