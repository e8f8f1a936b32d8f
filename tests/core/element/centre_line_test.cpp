#include "core/element/centre_line.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/text/angle.h"

namespace tarnvel {
namespace {

constexpr double kTenthMillimetre = 1e-5;  // 0.01 mm

LineElement Element(double length, double rq, double rn, double q, double f = 30) {
  return {1000, 1000 + length, 5000, 2000, f, rq, rn, q};
}

// Composite midpoint-free reference: the same curvature law integrated with
// Simpson's rule over many short steps.
Point Reference(const LineElement& e, double K) {
  const double L = K - e.K0;
  const double c0 = 1 / e.RQ;
  const double E = (e.RQ - e.RN) / (2 * (e.K1 - e.K0) * e.RQ * e.RN);
  const double f = e.F / (180 / kPi);
  const int n = 200000;
  const double h = L / n;
  double x = 0;
  double y = 0;
  for (int i = 0; i <= n; ++i) {
    const double l = i * h;
    const double theta = f + e.Q * l * (c0 + E * l);
    const double w = (i == 0 || i == n) ? 1 : (i % 2 ? 4 : 2);
    x += w * std::cos(theta);
    y += w * std::sin(theta);
  }
  return {e.X0 + x * h / 3, e.Y0 + y * h / 3};
}

struct ArcCase {
  const char* name;
  double radius;
  double length;
  double q;
};

void PrintTo(const ArcCase& c, std::ostream* os) {
  *os << c.name << ": R " << c.radius << ", length " << c.length << ", Q " << c.q;
}

class SharpArcTest : public testing::TestWithParam<ArcCase> {};

TEST_P(SharpArcTest, LiesOnItsExactCircle) {
  const auto& [name, radius, length, q] = GetParam();
  const LineElement e = Element(length, radius, radius, q);
  const double f = e.F / (180 / kPi);
  for (double l = 0; l <= length; l += length / 7) {
    const double theta = f + q * l / radius;
    const Point p = CentreLinePoint(e, e.K0 + l);
    EXPECT_NEAR(p.X, e.X0 + q * radius * (std::sin(theta) - std::sin(f)), kTenthMillimetre) << l;
    EXPECT_NEAR(p.Y, e.Y0 - q * radius * (std::cos(theta) - std::cos(f)), kTenthMillimetre) << l;
  }
}

INSTANTIATE_TEST_SUITE_P(Loops, SharpArcTest,
                         testing::Values(ArcCase{"RampLoopRight", 50, 300, 1},  // 6 rad
                                         ArcCase{"RampLoopLeft", 50, 300, -1},
                                         ArcCase{"R15Right", 15, 200, 1},
                                         ArcCase{"R4500Right", 4500, 360, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

struct SpiralCase {
  const char* name;
  double length;
  double rq;
  double rn;
  double q;
};

void PrintTo(const SpiralCase& c, std::ostream* os) {
  *os << c.name << ": length " << c.length << ", RQ " << c.rq << ", RN " << c.rn << ", Q " << c.q;
}

class LongSpiralTest : public testing::TestWithParam<SpiralCase> {};

TEST_P(LongSpiralTest, MatchesAManyPanelReference) {
  const auto& [name, length, rq, rn, q] = GetParam();
  const LineElement e = Element(length, rq, rn, q);
  for (double l : {length / 3, length * 0.9, length}) {
    const Point p = CentreLinePoint(e, e.K0 + l);
    const Point r = Reference(e, e.K0 + l);
    EXPECT_NEAR(p.X, r.X, kTenthMillimetre) << l;
    EXPECT_NEAR(p.Y, r.Y, kTenthMillimetre) << l;
  }
}

INSTANTIATE_TEST_SUITE_P(Spirals, LongSpiralTest,
                         testing::Values(SpiralCase{"StraightToR1000", 1000, 1e45, 1000, 1},
                                         SpiralCase{"OvoidR60ToR30Right", 150, 60, 30, 1},
                                         SpiralCase{"OvoidR60ToR30Left", 150, 60, 30, -1},
                                         SpiralCase{"R40ToStraight", 400, 40, 1e45, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

struct BeyondCase {
  const char* name;
  double length;
  double rq;
  double rn;
  double q;
  double l;  // distance from K0, beyond either end
};

void PrintTo(const BeyondCase& c, std::ostream* os) {
  *os << c.name << ": length " << c.length << ", RQ " << c.rq << ", RN " << c.rn << ", Q " << c.q
      << ", at " << c.l << " from K0";
}

class BeyondTheEndsTest : public testing::TestWithParam<BeyondCase> {};

// The panels used to be chosen by the net turn, which comes back near zero
// where the extended curvature reverses: R 60 into a straight over 100 m was
// 23 m off 100 m past its end.
TEST_P(BeyondTheEndsTest, MatchesAManyPanelReference) {
  const BeyondCase& c = GetParam();
  const LineElement e = Element(c.length, c.rq, c.rn, c.q);
  const Point p = CentreLinePoint(e, e.K0 + c.l);
  const Point r = Reference(e, e.K0 + c.l);
  EXPECT_NEAR(p.X, r.X, kTenthMillimetre);
  EXPECT_NEAR(p.Y, r.Y, kTenthMillimetre);
}

INSTANTIATE_TEST_SUITE_P(Reversing, BeyondTheEndsTest,
                         testing::Values(BeyondCase{"IntoStraightRight", 100, 60, 1e45, 1, 200},
                                         BeyondCase{"IntoStraightLeft", 100, 60, 1e45, -1, 200},
                                         BeyondCase{"FallingOvoid", 100, 200, 400, 1, 390},
                                         BeyondCase{"BeforeK0", 100, 60, 30, 1, -200}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CentreLinePoint, TakesAHugeFiniteRadiusAsAStraightStart) {
  // The product of the radii overflowed to a rate of 0: the spiral became a
  // straight, 5.5 m off at its end.
  const LineElement huge = Element(100, 1e304, 300, 1);
  const LineElement infinite = Element(100, 1e45, 300, 1);
  for (double l : {50.0, 100.0}) {
    const Point p = CentreLinePoint(huge, huge.K0 + l);
    const Point r = CentreLinePoint(infinite, infinite.K0 + l);
    EXPECT_NEAR(p.X, r.X, 1e-9) << l;
    EXPECT_NEAR(p.Y, r.Y, 1e-9) << l;
  }
}

TEST(CentreLinePoint, KeepsOnePanelForAGentleTurn) {
  // 0.04 rad: the one panel of the rule, to the last bit.
  const LineElement e = Element(360, 1e45, 4500, 1, 98.948783333333333);
  const double L = 213.293;
  const double c0 = 1 / e.RQ;
  const double E = (e.RQ - e.RN) / (2 * 360 * e.RQ * e.RN);
  const double nodes[] = {0.0694318442, 0.3300094782, 0.6699905218, 0.9305681558};
  const double weights[] = {0.1739274226, 0.3260725774, 0.3260725774, 0.1739274226};
  double cx = 0;
  for (int i = 0; i < 4; ++i) {
    const double l = nodes[i] * L;
    cx += weights[i] * std::cos(e.F / (180 / kPi) + e.Q * l * (c0 + E * l));
  }
  EXPECT_EQ(CentreLinePoint(e, e.K0 + L).X, cx * L + e.X0);
}

TEST(ForwardPoint, LaysTheOffsetAlongTheSkew) {
  const LineElement straight = Element(100, 1e45, 1e45, 0, 90);  // due east
  const ForwardResult right = ForwardPoint(straight, 1050, 5, 90);
  EXPECT_NEAR(right.point.X, 5000 - 5, 1e-9);
  EXPECT_NEAR(right.point.Y, 2050, 1e-9);
  EXPECT_EQ(right.azimuth, 90);
  const ForwardResult skewed = ForwardPoint(straight, 1050, 10, 30.3);  // 30°30′
  EXPECT_NEAR(skewed.point.X, 5000 + 10 * CosDeg(120.5), 1e-9);
  EXPECT_NEAR(skewed.point.Y, 2050 + 10 * SinDeg(120.5), 1e-9);
}

}  // namespace
}  // namespace tarnvel
