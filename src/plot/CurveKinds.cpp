#include "plot/CurveKinds.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

// The text of plot/CurveKinds.txt, compiled in by the build (plot/CurveKindTable.cpp.in).
const char* CurveKindTableText();

namespace {

[[noreturn]] void Malformed(int lineNumber, const std::string& line, const std::string& why) {
    std::fprintf(stderr, "plot/CurveKinds.txt line %d: %s: %s\n", lineNumber, why.c_str(), line.c_str());
    std::abort();
}

template <class Value>
Value Named(const std::map<std::string, Value>& names, const std::string& name, int lineNumber, const std::string& line) {
    const auto found = names.find(name);
    if (found == names.end()) Malformed(lineNumber, line, "unknown name " + name);
    return found->second;
}

const std::map<std::string, AuxFigure> FigureNames = {
    {"none", AuxFigure::None}, {"bounding-square", AuxFigure::BoundingSquare}, {"circle-a", AuxFigure::CircleA},
    {"circle-c", AuxFigure::CircleC}, {"rolled-on-line", AuxFigure::RolledOnLine},
    {"circles-a-and-a+c", AuxFigure::CirclesAAndAPlusC}, {"focus-and-directrix", AuxFigure::FocusAndDirectrix},
    {"asymptotes", AuxFigure::Asymptotes}, {"directrix", AuxFigure::Directrix},
    {"perpendicular", AuxFigure::Perpendicular}, {"base-circle", AuxFigure::BaseCircle},
    {"centre", AuxFigure::Centre}, {"centre-ab", AuxFigure::CentreAB},
};

const std::map<std::string, AuxMarker> MarkerNames = {
    {"none", AuxMarker::None}, {"dot", AuxMarker::Dot}, {"rolling-outside", AuxMarker::RollingOutside},
    {"rolling-inside", AuxMarker::RollingInside}, {"rolling-on-line", AuxMarker::RollingOnLine},
    {"string", AuxMarker::String}, {"moving-point", AuxMarker::MovingPoint},
};

}  // namespace

bool IsTypedFormulaKind(int kind) { return kind >= ParametricFormulaKind && kind <= EquationFormulaKind; }

std::vector<CurveKind> ReadCurveKindTable(const std::string& text) {
    std::vector<CurveKind> kinds;
    std::istringstream in(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::size_t keyEnd = line.find(' ');
        const std::string key = line.substr(0, keyEnd);
        const std::size_t valueStart = keyEnd == std::string::npos ? line.size() : line.find_first_not_of(' ', keyEnd);
        const std::string value = line.substr(valueStart);
        if (value.empty()) Malformed(lineNumber, line, "no value");
        if (key == "kind") {
            CurveKind kind;
            kind.Id = std::atoi(value.c_str());
            if (std::to_string(kind.Id) != value || (!kinds.empty() && kind.Id <= kinds.back().Id)) {
                Malformed(lineNumber, line, "kinds are numbered upwards");
            }
            kinds.push_back(kind);
            continue;
        }
        if (kinds.empty()) Malformed(lineNumber, line, "a fact before the first kind line");
        CurveKind& kind = kinds.back();
        if (key == "name") {
            kind.Name = value;
        } else if (key == "uses") {
            kind.UsesFromFormula = value == "formula";
            if (!kind.UsesFromFormula && value != "-") {
                for (char letter : value) {
                    if (letter < 'a' || letter > 'c') Malformed(lineNumber, line, "uses takes letters of abc, - or formula");
                    kind.Uses |= 1u << (letter - 'a');
                }
            }
        } else if (key == "flags") {
            std::istringstream words(value);
            for (std::string word; words >> word;) {
                if (word == "b-divides") kind.BDivides = true;
                else if (word == "theta-end-follows-b") kind.ThetaEndFollowsB = true;
                else if (word == "explanation") kind.HasExplanation = true;
                else if (word != "-") Malformed(lineNumber, line, "unknown flag " + word);
            }
        } else if (key == "figure") {
            kind.Figure = Named(FigureNames, value, lineNumber, line);
        } else if (key == "marker") {
            kind.Marker = Named(MarkerNames, value, lineNumber, line);
        } else if (key == "line3" || key == "line4" || key == "line5") {
            kind.RecordLines[key[4] - '3'] = value;
        } else if (key == "typed") {
            kind.TypedKind = std::atoi(value.c_str());
            if (!IsTypedFormulaKind(kind.TypedKind)) Malformed(lineNumber, line, "typed takes 26, 27 or 28");
        } else if (key == "typed3" || key == "typed4" || key == "typed5") {
            kind.TypedLines[key[5] - '3'] = value;
        } else if (key == "help") {
            kind.HelpAnchor = value;
        } else {
            Malformed(lineNumber, line, "unknown key " + key);
        }
    }
    return kinds;
}

const std::vector<CurveKind>& CurveKinds() {
    static const std::vector<CurveKind> kinds = ReadCurveKindTable(CurveKindTableText());
    return kinds;
}

const CurveKind* FindCurveKind(int id) {
    const std::vector<CurveKind>& kinds = CurveKinds();
    const auto found = std::lower_bound(kinds.begin(), kinds.end(), id, [](const CurveKind& kind, int value) { return kind.Id < value; });
    return found != kinds.end() && found->Id == id ? &*found : nullptr;
}
