// The conic analysis on its own: the exact texts of values and lines, and the JSON of --describe.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/Conic.h"

TEST(ConicText, RationalsAndRootsOfRationalsAreExactEverythingElseFourDecimals) {
    EXPECT_EQ(ExactText(1.5), "3/2");
    EXPECT_EQ(ExactText(-1.0 / 3), "−1/3");
    EXPECT_EQ(ExactText(std::sqrt(13.0) / 2), "√13/2");
    EXPECT_EQ(ExactText(-2 * std::sqrt(3.0)), "−2√3");
    EXPECT_EQ(ExactText(std::sqrt(8.0)), "2√2");
    EXPECT_EQ(ExactText(1e-12), "0");
    EXPECT_EQ(ExactText(M_PI), "3.1416");
    EXPECT_EQ(ExactText(-std::exp(1.0)), "−2.7183");
    EXPECT_EQ(ExactText(1 + std::sqrt(2.0)), "2.4142") << "not the root of a rational";
}

TEST(ConicText, LinesReadAsATextbookWritesThem) {
    EXPECT_EQ(LineText({2, 0, -8}), "x = −4");
    EXPECT_EQ(LineText({0, 3, 6}), "y = 2");
    EXPECT_EQ(LineText({-1.5, 1, -1}), "y = (3/2)x − 1");
    EXPECT_EQ(LineText({1, 1, 0}), "y = −x");
}

TEST(ConicJson, HoldsEveryNumberBesideItsTextAndOnlyWhatExists) {
    std::vector<ConicPoint> points;
    for (int k = 0; k < 720; ++k) {
        const double t = -1.5 + 3.0 * k / 720;  // one branch, both arms: x = 2/cos t > 0
        points.push_back({2 / std::cos(t), 3 * std::tan(t)});
    }
    const std::string json = ConicJson(AnalyseConic(points));
    EXPECT_NE(json.find("\"type\": \"hyperbola\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"equation\": \"x²/4 − y²/9 = 1\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"part\": true"), std::string::npos) << "one branch of two: " << json;
    EXPECT_NE(json.find("\"foci\": [[3.605551275, 0], [-3.605551275, 0]], \"foci_text\": [\"(√13, 0)\", \"(−√13, 0)\"]"),
              std::string::npos) << json;
    EXPECT_NE(json.find("\"asymptotes_text\": [\"y = (3/2)x\", \"y = −(3/2)x\"]"), std::string::npos) << json;
    EXPECT_NE(json.find("\"eccentricity\": 1.802775638"), std::string::npos) << json;
    EXPECT_EQ(json.find("vertex"), std::string::npos) << "a hyperbola's vertex is not one point";

    EXPECT_EQ(ConicJson(AnalyseConic({{0, 0}, {1, 1}})), "{\"type\": \"other\"}");
}
