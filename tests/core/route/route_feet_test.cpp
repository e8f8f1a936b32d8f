#include "core/route/route_feet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/element/inverse_computation.h"
#include "core/route/route_forward.h"
#include "route_design.h"

namespace tarnvel {
namespace {

using std::numbers::pi;
using testing_support::Build;

constexpr double kStation = 1e-6;  // what a foot is promised to, metres

struct Expected {
  int element;
  double station, offset;
};

struct FeetCase {
  const char* name;
  std::vector<ElementValues> route;
  Point point;
  double maxOffset;
  std::vector<Expected> feet;
};

void PrintTo(const FeetCase& c, std::ostream* os) {
  *os << c.name;
}

class RouteFeetTest : public testing::TestWithParam<FeetCase> {};

TEST_P(RouteFeetTest, FindsEveryFootOnEveryElement) {
  const FeetCase& c = GetParam();
  std::vector<RouteElement> elements;
  for (const ElementValues& v : c.route) elements.push_back({v, ""});
  const Route route = Build(elements);
  const auto feet = RouteFeet(route, c.point, c.maxOffset);
  ASSERT_EQ(feet.size(), c.feet.size());
  for (size_t i = 0; i < feet.size(); ++i) {
    EXPECT_EQ(feet[i].element, c.feet[i].element) << i;
    EXPECT_NEAR(feet[i].station, c.feet[i].station, kStation) << i;
    EXPECT_NEAR(feet[i].offset, c.feet[i].offset, kStation) << i;
  }
}

// A hairpin: a right-hand arc of radius 20 turning half a circle from due
// north at (0, 0) about its centre (0, 20), then a straight back due south
// from (0, 40).
const std::vector<ElementValues> kHairpin = {{0, 20 * pi, 0, 0, 0, 20, 20, 1},
                                             {20 * pi, 20 * pi + 100, 0, 40, 180, 0, 0, 0}};

// Two straights 30 m apart, north along Y = 0 and back south along Y = 30.
const std::vector<ElementValues> kParallel = {{0, 200, 0, 0, 0, 0, 0, 0},
                                              {200, 400, 200, 30, 180, 0, 0, 0}};

// A left-hand arc of radius 50 about (0, 0) turning 350°, from (0, 50)
// heading north: at length l it lies at (50 sin(l/50), 50 cos(l/50)).
const std::vector<ElementValues> kNearCircle = {{0, 50 * 350 * pi / 180, 0, 50, 0, 50, 50, -1}};

// A right-hand arc of radius 30 turning a quarter circle from due north at
// (0, 0); its centre is (0, 30) and its middle at l = 7.5π.
const std::vector<ElementValues> kQuarter = {{0, 15 * pi, 0, 0, 0, 30, 30, 1}};

INSTANTIATE_TEST_SUITE_P(
    Points, RouteFeetTest,
    testing::Values(
        // Square to the straight, and beyond the arc's centre from its crown.
        FeetCase{"HairpinBetweenTheLegs",
                 kHairpin,
                 {-30, 20},
                 100,
                 {{2, 20 * pi + 30, 20}, {1, 10 * pi, 50}}},
        FeetCase{"HairpinInsideTheBend", kHairpin, {10, 20}, 100, {{1, 10 * pi, 10}}},
        // Square to the joint from both elements: once, on the straight; and
        // the far foot at the arc's very start.
        FeetCase{"HairpinAtTheJoint", kHairpin, {0, 50}, 100, {{2, 20 * pi, -10}, {1, 0, 50}}},
        FeetCase{"HairpinFarFootBeyondTheLimit", kHairpin, {0, 50}, 49, {{2, 20 * pi, -10}}},
        FeetCase{"BetweenParallels", kParallel, {50, 10}, 100, {{1, 50, 10}, {2, 350, 20}}},
        FeetCase{"OutsideParallels", kParallel, {50, -5}, 100, {{1, 50, -5}, {2, 350, 35}}},
        FeetCase{"ParallelsNearerOnly", kParallel, {50, 10}, 15, {{1, 50, 10}}},
        // 4 m from the centre, towards the arc at l = 50·π/2.
        FeetCase{"NearFullCircleNearItsCentre",
                 kNearCircle,
                 {4, 0},
                 100,
                 {{1, 25 * pi, -46}, {1, 75 * pi, -54}}},
        // 20 m from the centre towards the arc's 10° gap: the far foot only.
        FeetCase{"NearFullCircleNearFootInTheGap",
                 kNearCircle,
                 {20 * std::sin(355 * pi / 180), 20 * std::cos(355 * pi / 180)},
                 100,
                 {{1, 50 * 175 * pi / 180, -70}}},
        FeetCase{"NearFullCircleFromOutside",
                 kNearCircle,
                 {-80, 0},
                 200,
                 {{1, 75 * pi, 30}, {1, 25 * pi, -130}}},
        // 2.5 R from the centre, off the arc's middle: no fixed-point search
        // settles there.
        FeetCase{"Beyond2RFromTheCentre",
                 kQuarter,
                 {75 * std::sin(pi / 4), 30 - 75 * std::cos(pi / 4)},
                 100,
                 {{1, 7.5 * pi, -45}}},
        FeetCase{"Beyond3RFarOffTheArcStart", kQuarter, {0, -70}, 100, {{1, 0, -70}}},
        FeetCase{"NoFoot", kQuarter, {-10, -10}, 100, {}},
        FeetCase{"FarFromTheRoute", kParallel, {5000, 5000}, 100, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The README's road, K1+000 to K1+550.5.
const std::vector<ElementValues> kReadmeRoad = {
    {1000, 1200, 3378605.445, 453648.704, 45.3, 0, 0, 0},
    {1200, 1300, 3378745.627, 453791.354, 45.3, 0, 500, 1},
    {1300, 1450.5, 3378813.272, 453864.942, 51.134648, 500, 500, 1},
    {1450.5, 1550.5, 3378888.572, 453994.594, 68.283219, 500, 0, 1}};

struct EndCase {
  const char* name;
  Point point;
  std::vector<Expected> feet;
};

void PrintTo(const EndCase& c, std::ostream* os) {
  *os << c.name;
}

class RouteEndFeetTest : public testing::TestWithParam<EndCase> {};

// Pins a point that forward wrote at the route's start to the tenth of a
// millimetre, 0.01 mm before the start, having no foot (0/0): within the
// 2 mm position tolerance beyond either end, the foot is at that end.
TEST_P(RouteEndFeetTest, WithinTheToleranceOfAnEndIsAtIt) {
  const EndCase& c = GetParam();
  std::vector<RouteElement> elements;
  for (const ElementValues& v : kReadmeRoad) elements.push_back({v, ""});
  const auto feet = RouteFeet(Build(elements), c.point, 100, 0.002);
  ASSERT_EQ(feet.size(), c.feet.size()) << c.name;
  for (size_t i = 0; i < feet.size(); ++i) {
    EXPECT_EQ(feet[i].element, c.feet[i].element) << c.name;
    EXPECT_NEAR(feet[i].station, c.feet[i].station, 1e-4) << c.name;
    EXPECT_NEAR(feet[i].offset, c.feet[i].offset, 1e-4) << c.name;
  }
}

// The printed coordinates of K1+000R4.10, K1+000L4.10 and of the end's
// points 4.10 out, whose feet lie within 0.03 mm of the ends, on the road or
// a hair beyond; 3 mm before the start is beyond the tolerance.
INSTANTIATE_TEST_SUITE_P(
    Points, RouteEndFeetTest,
    testing::Values(EndCase{"StartRight", {3378602.5207, 453651.5777}, {{1, 1000, 4.1}}},
                    EndCase{"StartLeft", {3378608.3693, 453645.8303}, {{1, 1000, -4.1}}},
                    EndCase{"EndRight", {3378915.0241, 454090.9314}, {{4, 1550.5, 4.1}}},
                    EndCase{"EndLeft", {3378922.9145, 454088.6994}, {{4, 1550.5, -4.1}}},
                    EndCase{"BeyondTheToleranceBeforeTheStart", {3378602.5186, 453651.5756}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Every foot lies where its station and offset put it, on its element as
// the single-element computation finds it; on the road the nearest is the
// main window's inverse of one element.
TEST(RouteFeet, AgreesWithTheSingleElementComputation) {
  using namespace testing_support;
  const Route route = Build(Design(7373.414, kRoadStart, kRoadAzimuth, kRoad, true));
  int checked = 0;
  for (double K = 7380; K < 8700; K += 37.3) {
    for (double m : {-60.0, -4.5, 0.0, 12.25, 90.0}) {
      const auto at = std::get<std::vector<RoutePoint>>(RouteForward(route, K, m, 90));
      const Point p = at.front().result.point;
      const auto feet = RouteFeet(route, p);
      ASSERT_FALSE(feet.empty()) << K << " " << m;
      for (const RouteFoot& f : feet) {
        const ForwardResult back =
            ForwardPoint(route.loaded[static_cast<size_t>(f.element - 1)], f.station, f.offset, 90);
        EXPECT_NEAR(back.point.X, p.X, kStation) << K << " " << m;
        EXPECT_NEAR(back.point.Y, p.Y, kStation) << K << " " << m;
      }
      const RouteFoot& nearest = feet.front();
      EXPECT_NEAR(nearest.station, K, kStation) << m;
      EXPECT_NEAR(nearest.offset, m, kStation) << K;
      const Foot single = FindFoot(route.loaded[static_cast<size_t>(nearest.element - 1)], p);
      ASSERT_TRUE(single.settled);
      EXPECT_NEAR(single.station, nearest.station, 1e-4) << K << " " << m;
      ++checked;
    }
  }
  EXPECT_GT(checked, 150);
}

struct SpiralPointCase {
  const char* name;
  double K;       // station of the point's own foot
  double offset;  // + right
};

void PrintTo(const SpiralPointCase& c, std::ostream* os) {
  *os << c.name;
}

class TightSpiralTest : public testing::TestWithParam<SpiralPointCase> {};

// A long tight spiral, R 17.134 to a straight over 566.657 m, turns some
// 2.6 times; its samples are stepped along the line rather than each
// integrated over up to 64 panels. The point's own foot is found, and every
// foot lies where its station and offset put it.
TEST_P(TightSpiralTest, FindsEveryFootOfAPointBackOnTheForwardComputation) {
  const SpiralPointCase& c = GetParam();
  const Route route =
      Build({{{1000, 1566.657, 3378605.445, 453648.704, 98.5655, 17.134, 0, 1}, ""}});
  const LineElement& spiral = route.loaded.front();
  const Point p = ForwardPoint(spiral, c.K, c.offset, 90).point;
  const auto feet = RouteFeet(route, p, 1000);
  ASSERT_FALSE(feet.empty());
  EXPECT_TRUE(std::any_of(feet.begin(), feet.end(),
                          [&](const RouteFoot& f) {
                            return std::fabs(f.station - c.K) <= kStation &&
                                   std::fabs(f.offset - c.offset) <= kStation;
                          }))
      << "nearest " << feet.front().station << " " << feet.front().offset;
  for (const RouteFoot& f : feet) {
    const Point back = ForwardPoint(spiral, f.station, f.offset, 90).point;
    EXPECT_NEAR(back.X, p.X, kStation) << f.station;
    EXPECT_NEAR(back.Y, p.Y, kStation) << f.station;
  }
}

INSTANTIATE_TEST_SUITE_P(Points, TightSpiralTest,
                         testing::Values(SpiralPointCase{"TightEndInside", 1003.7, 6},
                                         SpiralPointCase{"TightEndOutside", 1011.2, -9.5},
                                         SpiralPointCase{"FirstTurnInside", 1123.45, 10},
                                         SpiralPointCase{"Middle", 1281.3, -4.25},
                                         SpiralPointCase{"OnTheLine", 1402.77, 0},
                                         SpiralPointCase{"NearTheEnd", 1560.1, 7.5},
                                         SpiralPointCase{"AtTheEnd", 1566.657, -3}),
                         [](const auto& info) { return std::string(info.param.name); });

// The boxes, the test at the samples and the end points taken from the
// samples only skip work: a route without them (every element searched,
// every point computed) gives the same feet to the bit, here around tight
// curves whose radii are near the largest offset.
TEST(RouteFeet, SkippingFarElementsLosesNoFoot) {
  using testing_support::Design;
  const Route route = Build(Design(0, {1000, 2000}, 10,
                                   {{80, 0, 0, 0},
                                    {60, 0, 90, 1},
                                    {150, 90, 90, 1},
                                    {60, 90, 0, 1},
                                    {40, 0, 0, 0},
                                    {120, 0, 250, -1},
                                    {300, 250, 250, -1},
                                    {90, 250, 60, -1},
                                    {200, 60, 60, -1},
                                    {100, 0, 0, 0}},
                                   false));
  Route everyElement = route;
  everyElement.firstSample.clear();
  everyElement.boxTree.clear();
  everyElement.grid = {};
  everyElement.prepared.clear();
  ASSERT_TRUE(route.grid.usable());
  for (double x = 700; x <= 1700; x += 41.3) {
    for (double y = 1700; y <= 2900; y += 53.9) {
      // Within the grid's reach, and beyond it down the tree.
      for (double maxOffset : {20.0, 100.0, 150.0}) {
        const auto feet = RouteFeet(route, {x, y}, maxOffset);
        const auto all = RouteFeet(everyElement, {x, y}, maxOffset);
        ASSERT_EQ(feet.size(), all.size()) << x << " " << y;
        for (size_t i = 0; i < feet.size(); ++i) {
          EXPECT_EQ(feet[i].element, all[i].element) << x << " " << y;
          EXPECT_EQ(feet[i].station, all[i].station) << x << " " << y;
          EXPECT_EQ(feet[i].offset, all[i].offset) << x << " " << y;
        }
      }
    }
  }
}

}  // namespace
}  // namespace tarnvel
