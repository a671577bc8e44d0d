// The table of curve kinds against the formulas: what the table says a kind uses, refuses and
// closes after must be what its formula does, so that a kind added to one and not the other, or
// a fact copied wrongly, fails here.
#include <gtest/gtest.h>

#include <cmath>

#include "plot/CurveEval.h"
#include "plot/CurveKinds.h"
#include "ui/ScriptedPlatform.h"

namespace {

// Generic values: no parameter equals another, none divides another, θ hits no special angle.
constexpr int A = 7, B = 3, C = 5;
constexpr double Thetas[] = {0.3, 1.1, 2.9, 4.4};

bool SamePoint(const CurveXY& p, const CurveXY& q) {
    return p.Valid == q.Valid && (!p.Valid || (std::fabs(p.X - q.X) < 1e-9 && std::fabs(p.Y - q.Y) < 1e-9));
}

// True when changing parameter `which` (0 a, 1 b, 2 c) moves some point of kind `kind`.
bool DependsOn(int kind, int which) {
    int changed[3] = {A, B, C};
    changed[which] += 2;
    for (double theta : Thetas) {
        if (!SamePoint(EvalCurveXY(kind, A, B, C, theta), EvalCurveXY(kind, changed[0], changed[1], changed[2], theta))) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(CurveKinds, AreNumberedFromZeroWithoutGapsAndEachHasANameAndAHelpPage) {
    const std::vector<CurveKind>& kinds = CurveKinds();
    ASSERT_EQ(kinds.size(), 29u);
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        EXPECT_EQ(kinds[i].Id, static_cast<int>(i));
        EXPECT_FALSE(kinds[i].Name.empty());
        EXPECT_EQ(kinds[i].HelpAnchor, "kind-" + std::to_string(i));
        EXPECT_EQ(FindCurveKind(kinds[i].Id), &kinds[i]);
    }
    EXPECT_EQ(FindCurveKind(-1), nullptr);
    EXPECT_EQ(FindCurveKind(29), nullptr);
}

TEST(CurveKinds, EveryFixedKindAndNoOtherNumberHasAFormula) {
    for (int id = -3; id < 40; ++id) {
        const CurveKind* kind = FindCurveKind(id);
        const bool fixed = kind && !kind->UsesFromFormula;
        EXPECT_EQ(KindHasFormula(id), fixed) << id;
        bool drawn = false;
        for (double theta : Thetas) drawn = drawn || EvalCurveXY(id, A, B, C, theta).Valid;
        EXPECT_EQ(drawn, fixed) << "kind " << id;
        EXPECT_EQ(kind && kind->UsesFromFormula, IsTypedFormulaKind(id)) << id;
    }
}

TEST(CurveKinds, UsesAreTheParametersTheFormulaReads) {
    for (const CurveKind& kind : CurveKinds()) {
        if (kind.UsesFromFormula) continue;
        for (int which = 0; which < 3; ++which) {
            EXPECT_EQ((kind.Uses >> which & 1) != 0, DependsOn(kind.Id, which))
                << "kind " << kind.Id << " and parameter " << "abc"[which];
        }
        // The record lines of its curves name the same parameters.
        EXPECT_NE(kind.RecordLines[0] == "*", kind.RecordLines[1] == "*" && kind.RecordLines[2] == "*") << kind.Id;
    }
}

TEST(CurveKinds, BZeroIsRefusedExactlyWhereTheTableSaysAndOtherKindsDrawWithIt) {
    ScriptedPlatform platform;
    for (const CurveKind& kind : CurveKinds()) {
        EXPECT_EQ(CheckCurveParams(kind.Id, A, 0, C, platform), !kind.BDivides) << kind.Id;
        if (kind.BDivides || kind.UsesFromFormula) continue;
        bool drawn = false;
        for (double theta : Thetas) drawn = drawn || EvalCurveXY(kind.Id, A, 0, C, theta).Valid;
        EXPECT_TRUE(drawn) << "kind " << kind.Id << " does not divide by b, so b = 0 draws";
    }
}

TEST(CurveKinds, ThetaEndFollowsBExactlyForTheCurvesThatCloseAfterTwoBPi) {
    for (const CurveKind& kind : CurveKinds()) {
        if (kind.UsesFromFormula) continue;
        // With a and b coprime and b ≥ 2, a curve that closes only after 2bπ is open after 2π.
        const CurveXY start = EvalCurveXY(kind.Id, A, B, C, 0.3);
        const CurveXY closed = EvalCurveXY(kind.Id, A, B, C, 0.3 + 2 * B * M_PI);
        const CurveXY afterOneTurn = EvalCurveXY(kind.Id, A, B, C, 0.3 + 2 * M_PI);
        const bool followsB = SamePoint(start, closed) && !SamePoint(start, afterOneTurn);
        EXPECT_EQ(kind.ThetaEndFollowsB, followsB) << kind.Id;
    }
}
