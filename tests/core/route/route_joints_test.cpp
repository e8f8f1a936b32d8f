#include "core/route/route_joints.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "previous_route_joints.h"
#include "route_design.h"

namespace tarnvel {
namespace {

using testing_support::Build;
using testing_support::Design;
using testing_support::Piece;

constexpr double kMicrometre = 1e-3;  // in mm
constexpr Point kStart{3378605.445, 453648.704};

// A spiral into an arc of 500, with element 2 changed by `change`.
struct JointCase {
  const char* name;
  void (*change)(ElementValues&);
  JointTolerances tolerances;
  double dK, dX_mm, dY_mm, daz_sec;
  bool closed;
};

void PrintTo(const JointCase& c, std::ostream* os) {
  *os << c.name;
}

class JointReportTest : public testing::TestWithParam<JointCase> {};

TEST_P(JointReportTest, MeasuresTheMisclosure) {
  const JointCase& c = GetParam();
  auto elements = Design(1000, kStart, 98.9488, {{120, 0, 500, 1}, {200, 500, 500, 1}}, false);
  c.change(elements[1].values);
  testing::Message typed;
  typed << "element 2";
  for (double value : FieldValues(elements[1].values)) typed << " " << value;
  SCOPED_TRACE(typed << ", tolerances " << c.tolerances.position_mm << " mm "
                     << c.tolerances.azimuth_sec << "″");
  const auto joints = CheckJoints(Build(elements), c.tolerances);
  ASSERT_EQ(joints.size(), 1u);
  const Joint& j = joints[0];
  EXPECT_EQ(j.left, 1);
  EXPECT_NEAR(j.dK, c.dK, 1e-9);
  EXPECT_NEAR(j.dX_mm, c.dX_mm, kMicrometre);
  EXPECT_NEAR(j.dY_mm, c.dY_mm, kMicrometre);
  EXPECT_NEAR(j.d_mm, std::hypot(c.dX_mm, c.dY_mm), kMicrometre);
  EXPECT_NEAR(j.daz_sec, c.daz_sec, 1e-4);
  EXPECT_EQ(j.closed, c.closed);
  EXPECT_EQ(j.label, "HY");
  EXPECT_FALSE(j.curvatureJump);
  EXPECT_DOUBLE_EQ(j.curvatureEnd, 1.0 / 500);
}

INSTANTIATE_TEST_SUITE_P(
    Joints, JointReportTest,
    testing::Values(
        JointCase{"Continuous", [](ElementValues&) {}, {}, 0, 0, 0, 0, true},
        JointCase{"Position5mm",
                  [](ElementValues& v) { v.X0 += 0.003, v.Y0 -= 0.004; },
                  {},
                  0,
                  3,
                  -4,
                  0,
                  false},
        JointCase{"Position1_92mm",
                  [](ElementValues& v) { v.X0 -= 0.0012, v.Y0 += 0.0015; },
                  {},
                  0,
                  -1.2,
                  1.5,
                  0,
                  true},
        JointCase{"Position5mmWithinAWiderTolerance",
                  [](ElementValues& v) { v.X0 += 0.003, v.Y0 -= 0.004; },
                  {6, 2},
                  0,
                  3,
                  -4,
                  0,
                  true},
        JointCase{
            "Azimuth3Seconds", [](ElementValues& v) { v.F += 0.0003; }, {}, 0, 0, 0, 3, false},
        JointCase{"AzimuthMinus1_5Seconds",
                  [](ElementValues& v) { v.F -= 0.00015; },
                  {},
                  0,
                  0,
                  0,
                  -1.5,
                  true},
        JointCase{"ShortChain",
                  [](ElementValues& v) { v.K0 += 12.5, v.K1 += 12.5; },
                  {},
                  12.5,
                  0,
                  0,
                  0,
                  true},
        JointCase{"LongChain",
                  [](ElementValues& v) { v.K0 -= 7.25, v.K1 -= 7.25; },
                  {},
                  -7.25,
                  0,
                  0,
                  0,
                  true}),
    [](const auto& info) { return std::string(info.param.name); });

// Three straights due north, K 1000–1200–1400, the third starting at 1400 +
// `jump`; the route declares `equations`.
struct EquationCase {
  const char* name;
  double jump;
  std::vector<StationEquation> equations;
  std::array<bool, 2> closed;
  int equation;  // the declaration joint 2's stations match, 1-based
  bool undeclared;
  std::array<size_t, 2> unmatched;
};

void PrintTo(const EquationCase& c, std::ostream* os) {
  *os << c.name << ": jump " << c.jump << ", declared";
  for (const StationEquation& e : c.equations) *os << " " << e.back << "=" << e.ahead;
}

class EquationTest : public testing::TestWithParam<EquationCase> {};

TEST_P(EquationTest, HoldsEachJumpAndEachDeclarationToTheOther) {
  const EquationCase& c = GetParam();
  Route route = Build({{{1000, 1200, 0, 0, 0, 0, 0, 0}, ""},
                       {{1200, 1400, 200, 0, 0, 0, 0, 0}, ""},
                       {{1400 + c.jump, 1600 + c.jump, 400, 0, 0, 0, 0, 0}, ""}});
  route.equations = c.equations;
  const std::vector<Joint> joints = CheckJoints(route);
  ASSERT_EQ(joints.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(joints[i].closed, c.closed[i]) << "joint " << i + 1;
    EXPECT_EQ(joints[i].unmatched.size(), c.unmatched[i]) << "joint " << i + 1;
  }
  EXPECT_EQ(joints[1].jump, c.jump != 0);
  EXPECT_EQ(joints[1].equation, c.equation);
  EXPECT_EQ(joints[1].undeclared, c.undeclared);
}

INSTANTIATE_TEST_SUITE_P(
    Declared, EquationTest,
    testing::Values(
        EquationCase{"NoneDeclared_JumpTakenAsIs", 20, {}, {true, true}, 0, false, {0, 0}},
        EquationCase{"Declared", 20, {{1400, 1420}}, {true, true}, 1, false, {0, 0}},
        EquationCase{"LongChainAndAStrayDeclaration",
                     -5,
                     {{1290, 1300}, {1400, 1395}},
                     {false, true},
                     2,
                     false,
                     {1, 0}},
        EquationCase{
            "Declared1_5mmOff", 20, {{1400.0015, 1419.9985}}, {true, true}, 1, false, {0, 0}},
        EquationCase{"Declared3mmOff", 20, {{1400, 1420.003}}, {true, false}, 0, true, {0, 1}},
        EquationCase{"WrongSize", 20, {{1400, 1430}}, {true, false}, 0, true, {0, 1}},
        EquationCase{"NoJumpAtTheDeclaration", 0, {{1210, 1230}}, {false, true}, 0, false, {1, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// Held to the check that matched every joint against every declaration:
// jumps both ways on a half-metre grid, so that joints share their K1 and
// declarations fall exactly between two; declarations that match, that
// match within the tolerance, that repeat, and that match nothing.
TEST(CheckJoints, ManyDeclaredChainsCheckAsBefore) {
  std::mt19937 random(20261209);
  std::vector<RouteElement> elements;
  double K = 1000;
  for (int i = 0; i < 400; ++i) {
    const double length = 0.5 * static_cast<double>(1 + random() % 40);
    elements.push_back({{K, K + length, 10.0 * i, 0, 0, 0, 0, 0}, ""});
    const std::array<double, 5> jumps{0, 0, 2.5, -3, -0.5 * length};
    K += length + jumps[random() % jumps.size()];
  }
  Route route = Build(std::move(elements));
  for (int n = 0; n < 600; ++n) {
    const size_t i = random() % (route.loaded.size() - 1);
    const double back = route.loaded[i].K1, ahead = route.loaded[i + 1].K0;
    const std::array<double, 6> misses{0, 0.0015, -0.002, 0.003, 0.25, 7};
    const double miss = misses[random() % misses.size()];
    route.equations.push_back(random() % 2 ? StationEquation{back + miss, ahead}
                                           : StationEquation{back, ahead - miss});
  }
  for (const JointTolerances tolerances : {JointTolerances{}, JointTolerances{0.5, 2}}) {
    const std::vector<Joint> today = CheckJoints(route, tolerances);
    const std::vector<Joint> before = previous::CheckJoints(route, tolerances);
    ASSERT_EQ(today.size(), before.size());
    for (size_t i = 0; i < today.size(); ++i) {
      SCOPED_TRACE(testing::Message() << "joint " << i + 1 << " at " << route.loaded[i].K1
                                      << ", tolerance " << tolerances.position_mm << " mm");
      EXPECT_EQ(today[i].equation, before[i].equation);
      EXPECT_EQ(today[i].undeclared, before[i].undeclared);
      EXPECT_EQ(today[i].closed, before[i].closed);
      ASSERT_EQ(today[i].unmatched.size(), before[i].unmatched.size());
      for (size_t u = 0; u < today[i].unmatched.size(); ++u) {
        EXPECT_EQ(today[i].unmatched[u].back, before[i].unmatched[u].back);
        EXPECT_EQ(today[i].unmatched[u].ahead, before[i].unmatched[u].ahead);
      }
    }
  }
}

TEST(CheckJoints, ReducesTheAzimuthAcrossNorth) {
  // The typed F of 359°59ˊ59″ meets a tangent of 0°00ˊ01″: 2″, not a turn.
  const Route route =
      Build({{{0, 100, 0, 0, 0.0001, 0, 0, 0}, ""}, {{100, 200, 100, 0, 359.5959, 0, 0, 0}, ""}});
  EXPECT_NEAR(CheckJoints(route)[0].daz_sec, -2, 1e-6);
}

// The side a joint is judged by: what the left element ends with, what the
// right one begins with (radius 0 is infinite).
const Piece kStraight{100, 0, 0, 0};
const Piece kArc{100, 500, 500, 1};
const Piece kSpiralIn{100, 0, 500, 1};   // from the tangent to R
const Piece kSpiralOut{100, 500, 0, 1};  // from R to the tangent

std::string Text(const Piece& p) {
  return "{length " + testing::PrintToString(p.length) + ", RQ " + testing::PrintToString(p.RQ) +
         ", RN " + testing::PrintToString(p.RN) + ", Q " + testing::PrintToString(p.Q) + "}";
}

struct LabelCase {
  const char* name;
  Piece left, right;
  const char* label;
  bool jump;
};

class JointLabelTest : public testing::TestWithParam<LabelCase> {};

TEST_P(JointLabelTest, NamesWhatEndsAndWhatBegins) {
  const auto& c = GetParam();
  const auto joints = CheckJoints(Build(Design(0, kStart, 30, {c.left, c.right}, false)));
  const std::string pieces = Text(c.left) + " then " + Text(c.right);
  EXPECT_EQ(joints[0].label, c.label) << pieces;
  EXPECT_EQ(joints[0].curvatureJump, c.jump) << pieces;
  EXPECT_TRUE(joints[0].closed) << pieces;
}

INSTANTIATE_TEST_SUITE_P(
    Table, JointLabelTest,
    testing::Values(LabelCase{"Straight_SpiralIn_ZH", kStraight, kSpiralIn, "ZH", false},
                    LabelCase{"SpiralIn_Arc_HY", kSpiralIn, kArc, "HY", false},
                    LabelCase{"Arc_SpiralOut_YH", kArc, kSpiralOut, "YH", false},
                    LabelCase{"SpiralOut_Straight_HZ", kSpiralOut, kStraight, "HZ", false},
                    LabelCase{"Straight_Arc_ZY", kStraight, kArc, "ZY", true},
                    LabelCase{"Arc_Straight_YZ", kArc, kStraight, "YZ", true},
                    LabelCase{"SpiralOut_Arc_HZ_ZY", kSpiralOut, kArc, "HZ/ZY", true},
                    LabelCase{"Arc_SpiralIn_YZ_ZH", kArc, kSpiralIn, "YZ/ZH", true},
                    LabelCase{"SpiralOut_SpiralIn_HZ_ZH", kSpiralOut, kSpiralIn, "HZ/ZH", false},
                    LabelCase{"Straight_Straight_NoLabel", kStraight, kStraight, "", false},
                    // Compound, reverse and egg-shaped curves, and a spiral
                    // that does not start on the tangent.
                    LabelCase{"Arc_FlatterArc_GQ", kArc, {100, 800, 800, 1}, "GQ", true},
                    LabelCase{"Arc_ReverseArc_GQ", kArc, {100, 500, 500, -1}, "GQ", true},
                    LabelCase{"SpiralIn_EggSpiral_GQ", kSpiralIn, {100, 500, 800, 1}, "GQ", false},
                    LabelCase{"Straight_SpiralOut_GQ", kStraight, kSpiralOut, "GQ", true},
                    LabelCase{"SpiralIn_FlatterArc_GQ", kSpiralIn, {100, 800, 800, 1}, "GQ", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DesignTable, RoadGivenToTheMillimetreClosesAndNamesItsKeyPoints) {
  using testing_support::kRoad;
  const Route route = Build(Design(7373.414, kStart, testing_support::kRoadAzimuth, kRoad, true));
  for (const Joint& j : CheckJoints(route)) {
    EXPECT_TRUE(j.closed) << j.left << ": " << j.d_mm << " mm " << j.daz_sec << "″";
    EXPECT_EQ(j.dK, 0) << j.left;
    // The forward point at the joint, on the element that ends there, meets
    // the typed start of the next.
    const LineElement& left = route.loaded[static_cast<size_t>(j.left - 1)];
    const ForwardResult end = ForwardPoint(left, left.K1, 0, 90);
    const ElementValues& next = route.elements[static_cast<size_t>(j.left)].values;
    EXPECT_LE(std::hypot(end.point.X - next.X0, end.point.Y - next.Y0), 0.002) << j.left;
  }
  std::vector<std::pair<int, std::string>> labels;
  for (const KeyPoint& p : KeyPoints(route)) labels.emplace_back(p.element, p.label);
  const std::vector<std::pair<int, std::string>> expected = {{1, "起点"}, {2, "ZH"}, {3, "HY"},
                                                             {3, "QZ"},   {4, "YH"}, {4, "终点"}};
  EXPECT_EQ(labels, expected);
  EXPECT_DOUBLE_EQ(KeyPoints(route)[3].station, 7373.414 + 213.293 + 360 + 401.25 / 2);
}

}  // namespace
}  // namespace tarnvel
