#include "core/element/element_feet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "core/element/inverse_computation.h"
#include "core/text/angle.h"
#include "previous_route.h"

namespace tarnvel {
namespace {

constexpr double kStation = 1e-6;  // metres: what a foot is promised to
constexpr double kK0 = 1000;

// An arc of radius R turning 4 rad (more than half a circle, so that a point
// has a far foot as well), with its exact circle.
struct Arc {
  double R;
  double q;
  LineElement element() const { return {kK0, kK0 + 4 * R, 5000, 2000, 30, R, R, q}; }
  double Heading(double l) const { return 30 / (180 / kPi) + q * l / R; }
  // The point at distance l along the arc and `offset` right of it.
  Point At(double l, double offset) const {
    const double f = Heading(0);
    const double t = Heading(l);
    const double ox = 5000 - q * R * std::sin(f);
    const double oy = 2000 + q * R * std::cos(f);
    return {ox + q * R * std::sin(t) - offset * std::sin(t),
            oy - q * R * std::cos(t) + offset * std::cos(t)};
  }
};

struct FeetCase {
  std::string name;
  double R;
  double q;
  double l;        // station of the near foot, from K0
  double outside;  // in radii: > 0 away from the centre, < 0 towards it
};

void PrintTo(const FeetCase& c, std::ostream* os) {
  *os << c.name << ": R " << c.R << ", Q " << c.q << ", l " << c.l << ", " << c.outside
      << " R outside";
}

class ArcFeetTest : public testing::TestWithParam<FeetCase> {};

// Points 2R and more from the centre, and points near it, used to be refused:
// the correction along the tangent cannot settle there.
TEST_P(ArcFeetTest, FindsTheNearAndFarFeetOfTheExactCircle) {
  const auto& [name, R, q, l, outside] = GetParam();
  const Arc arc{R, q};
  const double near_offset = -q * outside * R;  // the centre lies on the side of q
  const Point p = arc.At(l, near_offset);
  const std::vector<Foot> feet = AllFeet(arc.element(), p);

  // Half a turn on, or back, the point lies beyond the centre.
  const double far_l =
      l + std::numbers::pi * R <= 4 * R ? l + std::numbers::pi * R : l - std::numbers::pi * R;
  ASSERT_EQ(feet.size(), far_l >= 0 ? 2u : 1u);
  const size_t near = far_l < l ? 1 : 0;
  EXPECT_NEAR(feet[near].station, kK0 + l, kStation);
  EXPECT_NEAR(feet[near].offset, near_offset, kStation);
  if (feet.size() == 2) {
    EXPECT_NEAR(feet[1 - near].station, kK0 + far_l, kStation);
    EXPECT_NEAR(feet[1 - near].offset, q * (2 * R + outside * R), kStation);
  }

  const Foot shown = FindFoot(arc.element(), p);
  ASSERT_TRUE(shown.settled);
  EXPECT_NEAR(shown.station, kK0 + l, 2e-4);
  EXPECT_NEAR(shown.offset, near_offset, 5e-4);
}

std::vector<FeetCase> Sweep() {
  struct Named {
    double value;
    const char* name;
  };
  std::vector<FeetCase> cases;
  for (const Named R :
       {Named{15.0, "R15Right"}, Named{60.0, "R60Left"}, Named{1000.0, "R1000Right"}})
    for (const Named outside :
         {Named{0.1, "Out0p1R"}, Named{0.5, "Out0p5R"}, Named{1.0, "Out1R"}, Named{1.5, "Out1p5R"},
          Named{2.0, "Out2R"}, Named{3.0, "Out3R"}, Named{-0.5, "In0p5R"}, Named{-0.99, "In0p99R"}})
      cases.push_back({std::string(R.name) + "_" + outside.name, R.value,
                       R.value == 60 ? -1.0 : 1.0, 0.5 * R.value, outside.value});
  // Feet on and next to either end; a far foot then lies beyond K1.
  for (const Named l : {Named{0.0, "AtK0"}, Named{1e-4, "JustAfterK0"},
                        Named{4 * 60 - 1e-4, "JustBeforeK1"}, Named{4 * 60.0, "AtK1"}})
    cases.push_back({std::string("R60Right_") + l.name, 60, 1, l.value, 1.0});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Sweep, ArcFeetTest, testing::ValuesIn(Sweep()),
                         [](const auto& info) { return info.param.name; });

TEST(AllFeet, GivesBothOfTwoFeetCloseTogether) {
  // Just beyond the centre of curvature of a spiral (R 40 at its middle) the
  // point has two feet 1 mm apart, where the residual dips across zero
  // between two samples by less than 1e-7 m; they were once merged into one
  // foot at the bottom of the dip.
  const LineElement spiral{1000, 1010, 5000, 2000, 30, 20, 1e45, 1};
  const ForwardResult beyond = ForwardPoint(spiral, 1005, 40.004, 90);
  const std::vector<Foot> feet = AllFeet(spiral, beyond.point);
  ASSERT_EQ(feet.size(), 2u);
  EXPECT_GT(feet[1].station - feet[0].station, 0.0005);
  for (const Foot& f : feet) {
    const Point back = ForwardPoint(spiral, f.station, f.offset, 90).point;
    EXPECT_NEAR(back.X, beyond.point.X, kStation);
    EXPECT_NEAR(back.Y, beyond.point.Y, kStation);
  }
}

TEST(AllFeet, HasNoneWhereNoNormalReaches) {
  // Square to a straight only beyond its end.
  const LineElement straight{0, 100, 0, 0, 0, 1e45, 1e45, 0};
  EXPECT_TRUE(AllFeet(straight, {150, 3}).empty());
  EXPECT_TRUE(FindFoot(straight, {150, 3}).settled);  // shown past K1, by design
  const std::vector<Foot> on = AllFeet(straight, {40, -3});
  ASSERT_EQ(on.size(), 1u);
  EXPECT_NEAR(on[0].station, 40, kStation);
  EXPECT_NEAR(on[0].offset, -3, kStation);
}

// Metres: some of Newton's last steps, far below what a foot is given to.
constexpr double kLastStep = 1e-8;

struct SameFeetCase {
  const char* name;
  LineElement element;
  double reach;  // points from this far left to this far right, metres
  int points = 3000;
};

void PrintTo(const SameFeetCase& c, std::ostream* os) {
  *os << c.name;
}

class SameFeetTest : public testing::TestWithParam<SameFeetCase> {};

// A gentle element's residual is no longer sampled in full, and a tight
// one's samples are stepped along the line: every foot must still come out
// of the same refinement. It now stops where Newton's step is lost below
// the station's last bit, a hair from where the halving that followed
// used to end, and on a tight element it steps towards a foot before one
// point of CentreLinePoint settles it, which moves the foot only within
// that point's rounding; nothing else may move a foot.
TEST_P(SameFeetTest, GivesThePreviousFeet) {
  const SameFeetCase& c = GetParam();
  const LineElement& e = c.element;
  std::mt19937 random(17);
  auto uniform = [&](double a, double b) { return std::uniform_real_distribution(a, b)(random); };
  const double length = std::fabs(e.K1 - e.K0);
  for (int i = 0; i < c.points; ++i) {
    // Some points square to either end exactly, the rest along and past it.
    const double K = i % 10 == 0   ? e.K0
                     : i % 10 == 1 ? e.K1
                                   : uniform(std::min(e.K0, e.K1) - length / 4,
                                             std::max(e.K0, e.K1) + length / 4);
    const Point p = ForwardPoint(e, K, uniform(-c.reach, c.reach), 90).point;
    const std::vector<Foot> now = AllFeet(e, p);
    const std::vector<Foot> before = previous::AllFeet(e, p);
    ASSERT_EQ(now.size(), before.size()) << "K " << K << " point " << p.X << ", " << p.Y;
    for (size_t f = 0; f < now.size(); ++f) {
      ASSERT_NEAR(now[f].station, before[f].station, kLastStep) << "K " << K << " foot " << f;
      ASSERT_NEAR(now[f].offset, before[f].offset, kLastStep) << "K " << K << " foot " << f;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SameFeetTest,
    testing::Values(
        SameFeetCase{"Straight", {1000, 1400, 3378605.445, 453648.704, 98.9488, 1e45, 1e45, 0}, 60},
        SameFeetCase{
            "ArcRight250", {1000, 1300, 3378605.445, 453648.704, 98.9488, 250, 250, 1}, 60},
        SameFeetCase{"ArcLeft1000Long", {1000, 2200, 5000, 2000, 271.3, 1000, 1000, -1}, 200},
        SameFeetCase{"SpiralIn", {1000, 1150, 5000, 2000, 30, 1e45, 300, -1}, 60},
        SameFeetCase{"SpiralOut", {1000, 1200, 5000, 2000, 30, 600, 1e45, 1}, 400},
        SameFeetCase{"Ovoid", {1000, 1100, 5000, 2000, 30, 800, 400, 1}, 100},
        SameFeetCase{"ArcAcrossItsCentre", {1000, 1150, 5000, 2000, 30, 100, 100, 1}, 250},
        SameFeetCase{
            "TightSpiral", {1000, 1566.657, 5000, 2000, 98.5655, 17.134, 1e45, 1}, 40, 200},
        SameFeetCase{"TightOvoidLeft", {1000, 1300, 5000, 2000, 30, 20, 60, -1}, 80, 200},
        // A foot on a tight element is stepped towards and then settled by
        // one point of At, from wherever Newton's method got to: survey
        // coordinates, and an easting with its zone in front, near the
        // largest whose rounding lets that stand.
        SameFeetCase{"TightSpiralSurveyCoordinates",
                     {1000, 1566.657, 3378605.445, 453648.704, 98.5655, 17.134, 1e45, 1},
                     40,
                     200},
        SameFeetCase{"TightArcZoneEasting",
                     {1000, 1100, 4378605.445, 19453648.704, 98.9488, 25, 25, -1},
                     60,
                     300},
        SameFeetCase{"TightArc", {1000, 1060, 5000, 2000, 30, 15, 15, 1}, 40},
        SameFeetCase{"QZeroWithRadii", {1000, 1100, 5000, 2000, 30, 500, 500, 0}, 60},
        SameFeetCase{"StationsFalling", {1400, 1000, 5000, 2000, 30, 2000, 2000, 1}, 60},
        SameFeetCase{"Centimetre", {1000, 1000.01, 5000, 2000, 30, 300, 300, 1}, 5},
        SameFeetCase{"HugeCoordinates", {1000, 1300, 3e11, -2e11, 98.9488, 900, 900, 1}, 60}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
