// The conic fit and its reading. Coordinates are normalised (centroid at the origin, mean
// distance 1) before the fit, so that every tolerance below is relative to the curve's size; the
// geometry is read off in those coordinates and mapped back to the world at the end.
#include "analysis/Conic.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace {

constexpr double Pi = 3.14159265358979323846;
const std::string Minus = "\u2212";

using Vector6 = std::array<double, 6>;
using Matrix6 = std::array<Vector6, 6>;

// The eigenvector of the smallest eigenvalue of a symmetric matrix, by cyclic Jacobi rotations.
Vector6 SmallestEigenvector(Matrix6 m) {
    Matrix6 v{};
    for (int i = 0; i < 6; ++i) v[i][i] = 1;
    for (int sweep = 0; sweep < 60; ++sweep) {
        double off = 0;
        for (int p = 0; p < 6; ++p)
            for (int q = p + 1; q < 6; ++q) off += m[p][q] * m[p][q];
        if (off < 1e-300) break;
        for (int p = 0; p < 6; ++p) {
            for (int q = p + 1; q < 6; ++q) {
                if (m[p][q] == 0) continue;
                const double theta = (m[q][q] - m[p][p]) / (2 * m[p][q]);
                const double t = (theta >= 0 ? 1 : -1) / (std::fabs(theta) + std::sqrt(theta * theta + 1));
                const double c = 1 / std::sqrt(t * t + 1), s = t * c;
                for (int k = 0; k < 6; ++k) {
                    const double mkp = m[k][p], mkq = m[k][q];
                    m[k][p] = c * mkp - s * mkq;
                    m[k][q] = s * mkp + c * mkq;
                }
                for (int k = 0; k < 6; ++k) {
                    const double mpk = m[p][k], mqk = m[q][k];
                    m[p][k] = c * mpk - s * mqk;
                    m[q][k] = s * mpk + c * mqk;
                }
                for (int k = 0; k < 6; ++k) {
                    const double vkp = v[k][p], vkq = v[k][q];
                    v[k][p] = c * vkp - s * vkq;
                    v[k][q] = s * vkp + c * vkq;
                }
            }
        }
    }
    int smallest = 0;
    for (int i = 1; i < 6; ++i)
        if (m[i][i] < m[smallest][smallest]) smallest = i;
    Vector6 result;
    for (int k = 0; k < 6; ++k) result[k] = v[k][smallest];
    return result;
}

long long Gcd(long long a, long long b) { return b == 0 ? (a < 0 ? -a : a) : Gcd(b, a % b); }

bool Near(double value, double target, double tolerance) { return std::fabs(value - target) <= tolerance; }

std::string Decimals(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.4f", std::fabs(value));
    std::string shown = text;
    if (shown == "0.0000") return "0";
    return (value < 0 ? Minus : "") + shown;
}

// The rotation-free frame the standard form is written in: X = x cos φ + y sin φ, Y = −x sin φ + y cos φ.
struct Frame {
    double cosine = 1, sine = 0;
    ConicPoint ToWorld(double X, double Y) const { return {X * cosine - Y * sine, X * sine + Y * cosine}; }
    ConicPoint FromWorld(double x, double y) const { return {x * cosine + y * sine, -x * sine + y * cosine}; }
    // The line αX + βY = γ of the frame as a line of the world.
    ConicLine LineToWorld(double alpha, double beta, double gamma) const {
        return {alpha * cosine - beta * sine, alpha * sine + beta * cosine, gamma};
    }
};

// The conic λ1 X² + λ2 Y² + D X + E Y + F = 0 in a frame of normalised coordinates.
struct FrameConic {
    double l1, l2, d, e, f;
};

FrameConic InFrame(const Vector6& q, double phi) {
    const double c = std::cos(phi), s = std::sin(phi);
    return {q[0] * c * c + q[1] * c * s + q[2] * s * s, q[0] * s * s - q[1] * s * c + q[2] * c * c,
            q[3] * c + q[4] * s, -q[3] * s + q[4] * c, q[5]};
}

// A signed term "(x − 2)²", "x²", "(y + √3)²".
std::string SquareTerm(const std::string& letter, double shift) {
    const std::string shiftText = ExactText(std::fabs(shift));
    if (shiftText == "0") return letter + "²";
    return "(" + letter + (shift > 0 ? " " + Minus + " " : " + ") + shiftText + ")²";
}

// "x − 2", "x", "y + 1" (no parentheses).
std::string LinearTerm(const std::string& letter, double shift) {
    const std::string shiftText = ExactText(std::fabs(shift));
    if (shiftText == "0") return letter;
    return letter + (shift > 0 ? " " + Minus + " " : " + ") + shiftText;
}

// "term/P", or the term alone for P = 1.
std::string OverTerm(const std::string& term, double denominator) {
    const std::string text = ExactText(denominator);
    if (text == "1") return term;
    const bool simple = text.find('/') == std::string::npos && text.find("\u221A") == std::string::npos;
    return term + "/" + (simple ? text : "(" + text + ")");
}

// The multiplier in front of a bracket or a letter: "8", "−8", "", "−", "(1/2)".
std::string Coefficient(double value) {
    const std::string text = ExactText(std::fabs(value));
    const std::string sign = value < 0 ? Minus : "";
    if (text == "1") return sign;
    const bool plain = text.find('/') == std::string::npos && text.find("\u221A") == std::string::npos &&
                       text.find('.') == std::string::npos;
    return sign + (plain ? text : "(" + text + ")");
}

// "4p(Y − k)" with its sign: "= −8(x − 5)", "= 8y".
std::string ParabolaRight(double fourP, const std::string& letter, double shift) {
    const std::string term = LinearTerm(letter, shift), coefficient = Coefficient(fourP);
    const bool bracket = term != letter && !coefficient.empty();
    return coefficient + (bracket ? "(" + term + ")" : term);
}

// "2 + √5" for base 2 and offset √5, when both read exactly and the sum itself does not; else
// the sum's own text.
std::string SumText(double base, double offset) {
    const std::string whole = ExactText(base + offset);
    const std::string baseText = ExactText(base), offsetText = ExactText(std::fabs(offset));
    const auto decimal = [](const std::string& text) { return text.find('.') != std::string::npos; };
    if (!decimal(whole) || baseText == "0" || offsetText == "0" || decimal(baseText) || decimal(offsetText)) return whole;
    return baseText + (offset > 0 ? " + " : " " + Minus + " ") + offsetText;
}

double MedianOf(std::vector<double> values) {
    if (values.empty()) return 0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

bool InsideShrunk(const ConicFrame& frame, const ConicPoint& p) {
    const double marginX = 0.01 * (frame.right - frame.left), marginY = 0.01 * (frame.top - frame.bottom);
    return p.x > frame.left + marginX && p.x < frame.right - marginX && p.y > frame.bottom + marginY &&
           p.y < frame.top - marginY;
}

// Whether an infinite arm is drawn whole: the point of the arm farthest from the centre runs out of
// the frame (or, without a frame, the arm has points at all).
bool ArmWhole(const std::vector<ConicPoint>& arm, ConicPoint centre, const ConicFrame& frame) {
    if (arm.empty()) return false;
    if (frame.Empty()) return true;
    const auto far = std::max_element(arm.begin(), arm.end(), [&](const ConicPoint& p, const ConicPoint& q) {
        return std::hypot(p.x - centre.x, p.y - centre.y) < std::hypot(q.x - centre.x, q.y - centre.y);
    });
    return !InsideShrunk(frame, *far);
}

}  // namespace

const char* ConicTypeName(ConicType type) {
    switch (type) {
        case ConicType::Line: return "line";
        case ConicType::Circle: return "circle";
        case ConicType::Ellipse: return "ellipse";
        case ConicType::Parabola: return "parabola";
        case ConicType::Hyperbola: return "hyperbola";
        case ConicType::Other: break;
    }
    return "other";
}

const char* ConicTypeJapanese(ConicType type) {
    switch (type) {
        case ConicType::Line: return "直線";
        case ConicType::Circle: return "円";
        case ConicType::Ellipse: return "楕円";
        case ConicType::Parabola: return "放物線";
        case ConicType::Hyperbola: return "双曲線";
        case ConicType::Other: break;
    }
    return "2次曲線ではない曲線";
}

std::string ExactText(double value) {
    if (!std::isfinite(value)) return "";
    const double magnitude = std::fabs(value);
    const std::string sign = value < 0 ? Minus : "";
    if (magnitude < 1e-9) return "0";
    if (magnitude > 1e7) return Decimals(value);
    const double tolerance = 1e-8 * std::max(1.0, magnitude);
    for (long long q = 1; q <= 100; ++q) {
        const double p = std::round(magnitude * q);
        if (p > 0 && Near(magnitude * q, p, tolerance * q)) {
            const long long n = static_cast<long long>(p);
            return sign + std::to_string(n) + (q == 1 ? "" : "/" + std::to_string(q));
        }
    }
    // magnitude² = p/q, so magnitude = √(p·q)/q = k√r/q with r free of squares.
    const double square = magnitude * magnitude;
    for (long long q = 1; q <= 400; ++q) {
        const double p = std::round(square * q);
        if (p <= 0 || !Near(square * q, p, 2 * tolerance * magnitude * q)) continue;
        const long long g = Gcd(static_cast<long long>(p), q);
        const long long top = static_cast<long long>(p) / g, bottom = q / g;
        long long inside = top * bottom, outside = 1;
        if (inside > 1000000) break;
        for (long long f = 2; f * f <= inside; ++f) {
            while (inside % (f * f) == 0) {
                inside /= f * f;
                outside *= f;
            }
        }
        const long long common = Gcd(outside, bottom);
        outside /= common;
        const long long denominator = bottom / common;
        std::string text = sign + (outside == 1 ? "" : std::to_string(outside)) + "\u221A" + std::to_string(inside);
        if (denominator != 1) text += "/" + std::to_string(denominator);
        return text;
    }
    return Decimals(value);
}

std::string PointText(double x, double y) { return "(" + ExactText(x) + ", " + ExactText(y) + ")"; }

std::string LineText(const ConicLine& line) {
    const double size = std::hypot(line.A, line.B);
    if (size == 0) return "";
    const double a = line.A / size, b = line.B / size, c = line.C / size;
    if (std::fabs(b) < 1e-9) return "x = " + ExactText(c / a);
    const double slope = -a / b, intercept = c / b;
    if (std::fabs(slope) < 1e-9) return "y = " + ExactText(intercept);
    std::string text = "y = " + Coefficient(slope) + "x";
    const std::string rest = ExactText(std::fabs(intercept));
    if (rest != "0") text += (intercept > 0 ? " + " : " " + Minus + " ") + rest;
    return text;
}

ConicProperties AnalyseConic(const std::vector<ConicPoint>& input, ConicFrame frame) {
    ConicProperties result;
    // Points far beyond the rest (next to a pole) would only weigh the fit towards rounding errors.
    std::vector<ConicPoint> points;
    points.reserve(input.size());
    for (const ConicPoint& p : input)
        if (std::isfinite(p.x) && std::isfinite(p.y)) points.push_back(p);
    if (points.size() < 12) return result;
    {
        std::vector<double> xs, ys;
        for (const ConicPoint& p : points) xs.push_back(p.x), ys.push_back(p.y);
        const double mx = MedianOf(xs), my = MedianOf(ys);
        std::vector<double> distances;
        for (const ConicPoint& p : points) distances.push_back(std::hypot(p.x - mx, p.y - my));
        const double reach = std::max({100 * MedianOf(distances), 8 * (frame.right - frame.left), 8 * (frame.top - frame.bottom)});
        std::erase_if(points, [&](const ConicPoint& p) { return std::hypot(p.x - mx, p.y - my) > reach; });
    }
    if (points.size() < 12) return result;

    double mx = 0, my = 0;
    for (const ConicPoint& p : points) mx += p.x, my += p.y;
    mx /= points.size();
    my /= points.size();
    double scale = 0;
    for (const ConicPoint& p : points) scale += std::hypot(p.x - mx, p.y - my);
    scale /= points.size();
    if (!(scale > 1e-12 * std::max({1.0, std::fabs(mx), std::fabs(my)}))) return result;  // one point
    std::vector<ConicPoint> unit;
    unit.reserve(points.size());
    for (const ConicPoint& p : points) unit.push_back({(p.x - mx) / scale, (p.y - my) / scale});
    const auto toWorld = [&](ConicPoint p) { return ConicPoint{mx + scale * p.x, my + scale * p.y}; };
    // A line of the normalised plane αu + βv = γ in the world.
    const auto lineToWorld = [&](ConicLine l) { return ConicLine{l.A, l.B, l.C * scale + l.A * mx + l.B * my}; };

    // A line: the points' spread across their principal direction vanishes.
    double sxx = 0, sxy = 0, syy = 0;
    for (const ConicPoint& p : unit) sxx += p.x * p.x, sxy += p.x * p.y, syy += p.y * p.y;
    {
        const double mean = (sxx + syy) / 2, spread = std::hypot((sxx - syy) / 2, sxy);
        const double low = mean - spread, high = mean + spread;
        if (low <= 1e-12 * high) {
            const double direction = 0.5 * std::atan2(2 * sxy, sxx - syy);
            const ConicLine normal{-std::sin(direction), std::cos(direction), 0};
            result.type = ConicType::Line;
            result.equation = LineText(lineToWorld(normal));
            return result;
        }
    }

    // The scatter matrix of (u², uv, v², u, v, 1) over every other point; the rest check the fit.
    Matrix6 scatter{};
    for (std::size_t i = 0; i < unit.size(); i += 2) {
        const ConicPoint& p = unit[i];
        const Vector6 row{p.x * p.x, p.x * p.y, p.y * p.y, p.x, p.y, 1};
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 6; ++c) scatter[r][c] += row[r] * row[c];
    }
    Vector6 q = SmallestEigenvector(scatter);
    {
        const double quadratic = std::sqrt(q[0] * q[0] + q[1] * q[1] / 2 + q[2] * q[2]);
        if (!(quadratic > 1e-9)) return result;  // the quadratic part vanishes: no conic
        for (double& coefficient : q) coefficient /= quadratic;
    }
    for (std::size_t i = 0; i < unit.size(); ++i) {
        const ConicPoint& p = unit[i];
        const double value = q[0] * p.x * p.x + q[1] * p.x * p.y + q[2] * p.y * p.y + q[3] * p.x + q[4] * p.y + q[5];
        const double gx = 2 * q[0] * p.x + q[1] * p.y + q[3], gy = q[1] * p.x + 2 * q[2] * p.y + q[4];
        const double gradient = std::hypot(gx, gy);
        // Distance from the fitted curve, to first order; a point where the gradient vanishes is
        // the centre of a degenerate conic.
        if (!(std::fabs(value) <= 1e-6 * std::max(gradient, 1e-3))) return result;
    }

    // The principal axes of the quadratic part.
    const double phi0 = 0.5 * std::atan2(q[1], q[0] - q[2]);
    const FrameConic principal = InFrame(q, phi0);
    const double l1 = principal.l1, l2 = principal.l2;
    const double large = std::max(std::fabs(l1), std::fabs(l2));
    const bool parabola = std::min(std::fabs(l1), std::fabs(l2)) < 1e-7 * large;
    const bool circle = std::fabs(l1 - l2) < 1e-7 * large;
    // Aligned with the axes when the quadratic part has no xy term.
    const bool aligned = circle || std::fabs(q[1]) < 1e-7 * large;

    double phi = 0;  // the rotation the standard form is written in
    FrameConic conic{};
    ConicType type = ConicType::Other;
    double centreX = 0, centreY = 0, P = 0, Q = 0, fourP = 0;
    bool parabolaAlongX = false;  // (Y − k)² = 4p(X − h) rather than (X − h)² = 4p(Y − k)

    if (parabola) {
        if (aligned) {
            phi = 0;
            conic = InFrame(q, 0);
            parabolaAlongX = std::fabs(conic.l1) < std::fabs(conic.l2);
        } else {
            // The axis of symmetry is the direction whose λ vanishes; it becomes X.
            phi = std::fabs(l1) < std::fabs(l2) ? phi0 : phi0 + Pi / 2;
            while (phi > Pi / 2) phi -= Pi;
            while (phi <= -Pi / 2) phi += Pi;
            conic = InFrame(q, phi);
            parabolaAlongX = true;
        }
        // (Y − k)² = 4p(X − h): λ2 Y² + D X + E Y + F = 0.
        const double lambda = parabolaAlongX ? conic.l2 : conic.l1;
        const double linearAcross = parabolaAlongX ? conic.e : conic.d;  // of the squared letter
        const double linearAlong = parabolaAlongX ? conic.d : conic.e;
        if (std::fabs(linearAlong) < 1e-6 * std::fabs(lambda)) return result;  // parallel lines
        const double across = -linearAcross / (2 * lambda);
        const double along = (lambda * across * across - conic.f) / linearAlong;
        fourP = -linearAlong / lambda;
        (parabolaAlongX ? centreY : centreX) = across;
        (parabolaAlongX ? centreX : centreY) = along;
        type = ConicType::Parabola;
    } else {
        conic = InFrame(q, phi0);
        const double X0 = -conic.d / (2 * conic.l1), Y0 = -conic.e / (2 * conic.l2);
        const double K = conic.l1 * X0 * X0 + conic.l2 * Y0 * Y0 - conic.f;
        if (std::fabs(K) < 1e-6 * large) return result;  // a pair of lines or a point
        const double p1 = K / conic.l1, p2 = K / conic.l2;
        if (p1 < 0 && p2 < 0) return result;  // no real points
        if (p1 > 0 && p2 > 0) {
            if (std::min(p1, p2) < 1e-8 * std::max(p1, p2)) return result;  // thin as a segment
            type = circle ? ConicType::Circle : ConicType::Ellipse;
        } else {
            type = ConicType::Hyperbola;
        }
        // The presentation frame: the axes themselves, or for a rotated conic X along the major
        // (ellipse) or transverse (hyperbola) axis.
        const bool firstIsMain = type == ConicType::Hyperbola ? p1 > 0 : p1 >= p2;
        phi = aligned ? 0 : (firstIsMain ? phi0 : phi0 + Pi / 2);
        while (phi > Pi / 2) phi -= Pi;
        while (phi <= -Pi / 2) phi += Pi;
        conic = InFrame(q, phi);
        centreX = -conic.d / (2 * conic.l1);
        centreY = -conic.e / (2 * conic.l2);
        const double k = conic.l1 * centreX * centreX + conic.l2 * centreY * centreY - conic.f;
        P = k / conic.l1;
        Q = k / conic.l2;
    }

    // From normalised frame coordinates to the world's rotated frame.
    const Frame unitFrame{std::cos(phi), std::sin(phi)};
    const ConicPoint centreWorld = toWorld(unitFrame.ToWorld(centreX, centreY));
    const Frame world = aligned ? Frame{} : unitFrame;
    const ConicPoint c = world.FromWorld(centreWorld.x, centreWorld.y);  // (h, k) in X, Y
    const std::string letterX = aligned ? "x" : "X", letterY = aligned ? "y" : "Y";
    result.type = type;
    result.angle = aligned ? 0 : phi;
    if (!aligned) {
        std::string angle;
        for (int denominator : {1, 2, 3, 4, 6, 8, 12}) {
            const double n = phi / Pi * denominator;
            if (!Near(n, std::round(n), 1e-7)) continue;
            const long long whole = std::llround(n);
            const long long top = whole < 0 ? -whole : whole;
            angle = (whole < 0 ? Minus : "") + (top == 1 ? "" : std::to_string(top)) + "π" +
                    (denominator == 1 ? "" : "/" + std::to_string(denominator));
            break;
        }
        result.angleText = angle.empty() ? Decimals(phi) : angle;
    } else {
        result.angleText = "0";
    }
    const auto point = [&](double X, double Y) { return world.ToWorld(X, Y); };
    // A focus at the centre (or vertex) moved by (dX, dY) along the frame's axes; the text of an
    // axis-aligned one keeps the two parts apart where only they are exact: "(2 + √5, −1)".
    const auto addFocus = [&](double dX, double dY) {
        const ConicPoint f = point(c.x + dX, c.y + dY);
        result.foci.push_back(f);
        result.fociText.push_back(aligned ? "(" + SumText(c.x, dX) + ", " + SumText(c.y, dY) + ")" : PointText(f.x, f.y));
    };
    // The line X = h + offset (alongX) or Y = k + offset.
    const auto addAxisLine = [&](std::vector<ConicLine>& lines, std::vector<std::string>& texts, bool alongX, double offset) {
        const ConicLine line = alongX ? world.LineToWorld(1, 0, c.x + offset) : world.LineToWorld(0, 1, c.y + offset);
        lines.push_back(line);
        texts.push_back(aligned ? (alongX ? "x = " + SumText(c.x, offset) : "y = " + SumText(c.y, offset)) : LineText(line));
    };
    const auto addLine = [&](std::vector<ConicLine>& lines, std::vector<std::string>& texts, double alpha, double beta,
                             double gamma) {
        const ConicLine line = world.LineToWorld(alpha, beta, gamma);
        lines.push_back(line);
        texts.push_back(LineText(line));
    };
    const auto addAxis = [&](double length) {
        result.axes.push_back(length);
        result.axesText.push_back(ExactText(length));
    };

    if (type == ConicType::Parabola) {
        const double worldFourP = fourP * scale;
        const double p = worldFourP / 4;
        result.vertex = centreWorld;
        result.vertexText = PointText(centreWorld.x, centreWorld.y);
        result.eccentricity = 1;
        result.eccentricityText = "1";
        if (parabolaAlongX) {
            result.equation = SquareTerm(letterY, c.y) + " = " + ParabolaRight(worldFourP, letterX, c.x);
            addFocus(p, 0);
            addAxisLine(result.directrices, result.directricesText, true, -p);
        } else {
            result.equation = SquareTerm(letterX, c.x) + " = " + ParabolaRight(worldFourP, letterY, c.y);
            addFocus(0, p);
            addAxisLine(result.directrices, result.directricesText, false, -p);
        }
        // Whole when both arms (the two sides of the axis) run out of the frame.
        std::vector<ConicPoint> arms[2];
        for (const ConicPoint& q0 : points) {
            const ConicPoint f = world.FromWorld(q0.x, q0.y);
            const double side = parabolaAlongX ? f.y - c.y : f.x - c.x;
            if (std::fabs(side) > 1e-6 * scale) arms[side > 0].push_back(q0);
        }
        result.part = !(ArmWhole(arms[0], centreWorld, frame) && ArmWhole(arms[1], centreWorld, frame));
        return result;
    }

    const double worldP = P * scale * scale, worldQ = Q * scale * scale;
    result.center = centreWorld;
    result.centerText = PointText(centreWorld.x, centreWorld.y);
    const std::string termX = SquareTerm(letterX, c.x), termY = SquareTerm(letterY, c.y);
    if (type == ConicType::Circle) {
        const double r2 = (worldP + worldQ) / 2;
        result.equation = termX + " + " + termY + " = " + ExactText(r2);
        addAxis(std::sqrt(r2));
        result.eccentricity = 0;
        result.eccentricityText = "0";
    } else if (type == ConicType::Ellipse) {
        result.equation = OverTerm(termX, worldP) + " + " + OverTerm(termY, worldQ) + " = 1";
        const bool wide = worldP >= worldQ;
        const double major = std::sqrt(std::max(worldP, worldQ)), minor = std::sqrt(std::min(worldP, worldQ));
        const double focal = std::sqrt(major * major - minor * minor);
        addAxis(2 * major);
        addAxis(2 * minor);
        if (wide) {
            addFocus(focal, 0), addFocus(-focal, 0);
            addAxisLine(result.directrices, result.directricesText, true, major * major / focal);
            addAxisLine(result.directrices, result.directricesText, true, -major * major / focal);
        } else {
            addFocus(0, focal), addFocus(0, -focal);
            addAxisLine(result.directrices, result.directricesText, false, major * major / focal);
            addAxisLine(result.directrices, result.directricesText, false, -major * major / focal);
        }
        result.eccentricity = focal / major;
        result.eccentricityText = ExactText(focal / major);
    } else {
        const bool opensAlongX = worldP > 0;
        const double a2 = opensAlongX ? worldP : worldQ, b2 = opensAlongX ? -worldQ : -worldP;
        result.equation = opensAlongX ? OverTerm(termX, a2) + " " + Minus + " " + OverTerm(termY, b2) + " = 1"
                                      : OverTerm(termX, b2) + " " + Minus + " " + OverTerm(termY, a2) + " = " + Minus + "1";
        const double a = std::sqrt(a2), b = std::sqrt(b2), focal = std::sqrt(a2 + b2);
        addAxis(2 * a);
        addAxis(2 * b);
        if (opensAlongX) {
            addFocus(focal, 0), addFocus(-focal, 0);
            addAxisLine(result.directrices, result.directricesText, true, a2 / focal);
            addAxisLine(result.directrices, result.directricesText, true, -a2 / focal);
            // Y − k = ±(b/a)(X − h): ∓(b/a)X + Y = k ∓ (b/a)h.
            addLine(result.asymptotes, result.asymptotesText, -b / a, 1, c.y - b / a * c.x);
            addLine(result.asymptotes, result.asymptotesText, b / a, 1, c.y + b / a * c.x);
        } else {
            addFocus(0, focal), addFocus(0, -focal);
            addAxisLine(result.directrices, result.directricesText, false, a2 / focal);
            addAxisLine(result.directrices, result.directricesText, false, -a2 / focal);
            // Y − k = ±(a/b)(X − h), a along Y.
            addLine(result.asymptotes, result.asymptotesText, -a / b, 1, c.y - a / b * c.x);
            addLine(result.asymptotes, result.asymptotesText, a / b, 1, c.y + a / b * c.x);
        }
        result.eccentricity = focal / a;
        result.eccentricityText = ExactText(focal / a);
    }

    if (type == ConicType::Hyperbola) {
        // Four arms: the two branches, each on both sides of the transverse axis.
        const bool opensAlongX = worldP > 0;
        std::vector<ConicPoint> arms[4];
        for (const ConicPoint& q0 : points) {
            const ConicPoint f = world.FromWorld(q0.x, q0.y);
            const double along = opensAlongX ? f.x - c.x : f.y - c.y, across = opensAlongX ? f.y - c.y : f.x - c.x;
            if (std::fabs(across) > 1e-6 * scale) arms[(along > 0 ? 2 : 0) + (across > 0 ? 1 : 0)].push_back(q0);
        }
        result.part = !std::all_of(std::begin(arms), std::end(arms),
                                   [&](const std::vector<ConicPoint>& arm) { return ArmWhole(arm, centreWorld, frame); });
    } else {
        // Closed: whole when the points go round it without a gap in the eccentric angle.
        const double a = std::sqrt(worldP), b = std::sqrt(worldQ);
        std::vector<double> angles;
        angles.reserve(points.size());
        for (const ConicPoint& q0 : points) {
            const ConicPoint f = world.FromWorld(q0.x, q0.y);
            angles.push_back(std::atan2((f.y - c.y) / b, (f.x - c.x) / a));
        }
        std::sort(angles.begin(), angles.end());
        double gap = angles.front() + 2 * Pi - angles.back();
        for (std::size_t i = 1; i < angles.size(); ++i) gap = std::max(gap, angles[i] - angles[i - 1]);
        result.part = gap > 0.2;
    }
    return result;
}

namespace {

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (char ch : text) {
        if (ch == '"' || ch == '\\') out += '\\', out += ch;
        else if (static_cast<unsigned char>(ch) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", ch);
            out += escaped;
        } else out += ch;
    }
    return out + "\"";
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    if (std::fabs(value) < 1e-9) return "0";
    char text[40];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string JsonPoint(const ConicPoint& p) { return "[" + JsonNumber(p.x) + ", " + JsonNumber(p.y) + "]"; }

std::string JsonLine(const ConicLine& line) {
    // Scaled so that the larger of A and B is 1 in size, which reads as the textbook line.
    const double size = std::max(std::fabs(line.A), std::fabs(line.B));
    return "[" + JsonNumber(line.A / size) + ", " + JsonNumber(line.B / size) + ", " + JsonNumber(line.C / size) + "]";
}

template <typename T, typename F>
std::string JsonList(const std::vector<T>& items, F each) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + each(items[i]);
    return out + "]";
}

}  // namespace

std::string ConicJson(const ConicProperties& p) {
    std::string out = "{\"type\": " + JsonString(ConicTypeName(p.type));
    if (p.type == ConicType::Other) return out + "}";
    out += ", \"equation\": " + JsonString(p.equation);
    out += std::string(", \"part\": ") + (p.part ? "true" : "false");
    if (p.center) out += ", \"center\": " + JsonPoint(*p.center) + ", \"center_text\": " + JsonString(p.centerText);
    if (p.vertex) out += ", \"vertex\": " + JsonPoint(*p.vertex) + ", \"vertex_text\": " + JsonString(p.vertexText);
    if (!p.foci.empty()) {
        out += ", \"foci\": " + JsonList(p.foci, JsonPoint) + ", \"foci_text\": " + JsonList(p.fociText, JsonString);
    }
    if (!p.directrices.empty()) {
        out += ", \"directrices\": " + JsonList(p.directrices, JsonLine) +
               ", \"directrices_text\": " + JsonList(p.directricesText, JsonString);
    }
    if (!p.asymptotes.empty()) {
        out += ", \"asymptotes\": " + JsonList(p.asymptotes, JsonLine) +
               ", \"asymptotes_text\": " + JsonList(p.asymptotesText, JsonString);
    }
    if (p.eccentricity) {
        out += ", \"eccentricity\": " + JsonNumber(*p.eccentricity) + ", \"eccentricity_text\": " + JsonString(p.eccentricityText);
    }
    if (p.type != ConicType::Line) {
        out += ", \"angle\": " + JsonNumber(p.angle) + ", \"angle_text\": " + JsonString(p.angleText);
    }
    if (!p.axes.empty()) {
        out += ", \"axes\": " + JsonList(p.axes, JsonNumber) + ", \"axes_text\": " + JsonList(p.axesText, JsonString);
    }
    return out + "}";
}
