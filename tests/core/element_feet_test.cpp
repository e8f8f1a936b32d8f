#include "element_feet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "angle.h"
#include "inverse_computation.h"

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
  double R;
  double q;
  double l;             // station of the near foot, from K0
  double outside;       // in radii: > 0 away from the centre, < 0 towards it
};

class ArcFeetTest : public testing::TestWithParam<FeetCase> {};

// Points 2R and more from the centre, and points near it, used to be refused:
// the correction along the tangent cannot settle there.
TEST_P(ArcFeetTest, FindsTheNearAndFarFeetOfTheExactCircle) {
  const auto [R, q, l, outside] = GetParam();
  const Arc arc{R, q};
  const double near_offset = -q * outside * R;  // the centre lies on the side of q
  const Point p = arc.At(l, near_offset);
  const std::vector<Foot> feet = AllFeet(arc.element(), p);

  // Half a turn on, or back, the point lies beyond the centre.
  const double far_l = l + std::numbers::pi * R <= 4 * R ? l + std::numbers::pi * R
                                                         : l - std::numbers::pi * R;
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
  std::vector<FeetCase> cases;
  for (double R : {15.0, 60.0, 1000.0})
    for (double outside : {0.1, 0.5, 1.0, 1.5, 2.0, 3.0, -0.5, -0.99})
      cases.push_back({R, R == 60 ? -1.0 : 1.0, 0.5 * R, outside});
  // Feet on and next to either end; a far foot then lies beyond K1.
  for (double l : {0.0, 1e-4, 4 * 60 - 1e-4, 4 * 60.0})
    cases.push_back({60, 1, l, 1.0});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Sweep, ArcFeetTest, testing::ValuesIn(Sweep()));

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

}  // namespace
}  // namespace tarnvel
