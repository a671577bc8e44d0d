// Which quadratic curve a set of points lies on, and what a textbook says about it: a general
// conic is fitted to the points by least squares (the smallest eigenvector of their scatter matrix
// in normalised coordinates), checked on the points it was not fitted to, and read off as a line,
// circle, ellipse, parabola or hyperbola with its standard form, centre or vertex, foci,
// directrices, asymptotes and eccentricity. Degenerate fits (a pair of lines, a point, an ellipse
// thin as a segment) and curves that are no conic are "other", with nothing claimed. Where the
// points come from is the caller's business (analysis/CurveProperties.h samples the panel's curve).
#pragma once

#include <optional>
#include <string>
#include <vector>

struct ConicPoint {
    double x = 0, y = 0;
};

// The line Ax + By = C.
struct ConicLine {
    double A = 0, B = 0, C = 0;
};

enum class ConicType { Line, Circle, Ellipse, Parabola, Hyperbola, Other };

// The world rectangle the curve is drawn in: an infinite curve whose drawn arms run out of it is
// whole, one whose arm ends inside is a part. An empty rectangle (the default) asks only that the
// points lie on every arm.
struct ConicFrame {
    double left = 0, right = 0, bottom = 0, top = 0;
    bool Empty() const { return !(right > left && top > bottom); }
};

// Every value comes with its text: exact where it is a rational number or the square root of one
// ("3/2", "√13/2", "−2√3"), otherwise four decimals.
struct ConicProperties {
    ConicType type = ConicType::Other;
    bool part = false;     // the points cover only an arc of the curve
    std::string equation;  // the standard form, "(x − 2)²/4 − (y + 1)²/9 = 1"; in X and Y when rotated
    double angle = 0;      // the rotation of the X axis from the x axis, radians; 0 when not rotated
    std::string angleText;
    std::optional<ConicPoint> center, vertex;
    std::string centerText, vertexText;
    std::vector<ConicPoint> foci;
    std::vector<std::string> fociText;  // "F(√13 + 2, −1)" style pairs without the letter: "(√13, 0)"
    std::vector<ConicLine> directrices, asymptotes;
    std::vector<std::string> directricesText, asymptotesText;  // "x = 4", "y = (3/2)x − 1"
    std::optional<double> eccentricity;
    std::string eccentricityText;
    std::vector<double> axes;  // ellipse: major and minor axis lengths; hyperbola: transverse and conjugate; circle: the radius
    std::vector<std::string> axesText;
};

// The name a reader of the JSON sees: "line", "circle", "ellipse", "parabola", "hyperbola", "other".
const char* ConicTypeName(ConicType type);
// The name the window shows: 直線, 円, 楕円, 放物線, 双曲線, 2次曲線ではない曲線.
const char* ConicTypeJapanese(ConicType type);

// The analysis of `points` (at least 12 distinct finite points, else "other").
ConicProperties AnalyseConic(const std::vector<ConicPoint>& points, ConicFrame frame = {});

// "3/2", "−1/3", "√13/2", "2√3", "0", or "1.4142" when the value is neither rational nor the root
// of a rational with a small denominator. The minus sign is U+2212.
std::string ExactText(double value);
// "(√13, −1)".
std::string PointText(double x, double y);
// The line Ax + By = C as a textbook writes it: "x = −4", "y = 2", "y = (3/2)x − 1".
std::string LineText(const ConicLine& line);
// One JSON object: type, equation, part and, where they exist, center, vertex, foci, directrices,
// asymptotes, eccentricity, angle and axes, each beside its text (center_text, …).
std::string ConicJson(const ConicProperties& properties);
