#include "core/slopes/catch_point.h"

#include <gtest/gtest.h>

#include <ostream>

#include "core/slopes/slope_point.h"

namespace tarnvel {
namespace {

// A level road 5 m wide each side at 100.000, so that each hinge is at
// offset ±5, elevation 100.000, and every figure below is worked by hand.
SectionStation Road() {
  SectionStation section;
  section.left = {{5, 0}};
  section.right = {{5, 0}};
  return section;
}

// A slope line of one side and kind, its steps' cells as the file gives them
// from 坡率1 on (nothing for an empty cell), its ditch 底宽, 深, 内坡, 外坡.
SlopeLine Line(bool left, SlopeKind kind, std::vector<std::optional<double>> steps,
               std::array<std::optional<double>, 4> ditch = {}) {
  SlopeCells cells{left ? "左" : "右", kind == SlopeKind::Cut ? "挖" : "填", ditch,
                   std::move(steps)};
  return std::get<SlopeLine>(MakeSlopeLine(cells));
}

SideSlopes Slopes(std::vector<SlopeLine> lines) {
  SideSlopes slopes;
  for (SlopeLine& line : lines)
    slopes.lines[line.left][line.kind == SlopeKind::Cut].push_back(std::move(line));
  return slopes;
}

struct Break {
  std::string label;
  double offset, elevation;
};

struct CatchCase {
  std::string name;
  bool left;
  std::vector<GroundPoint> ground;
  std::vector<SlopeLine> slopes;
  std::optional<SlopeKind> kind;
  std::optional<GroundPoint> catchPoint;
  std::vector<Break> breaks;
  NoCatchPoint reason = NoCatchPoint::None;
  std::optional<double> design = 100;
};

std::ostream& operator<<(std::ostream& out, const CatchCase& c) {
  return out << c.name;
}

class CatchPointTest : public testing::TestWithParam<CatchCase> {};

TEST_P(CatchPointTest, MeetsTheGroundWhereWorkedByHand) {
  const CatchCase& c = GetParam();
  const SideCatch side = CatchPointAt(Road(), c.design, c.ground, Slopes(c.slopes), 0, c.left);
  EXPECT_EQ(side.hingeOffset, c.left ? -5 : 5) << c.name;
  EXPECT_EQ(side.kind, c.kind) << c.name;
  EXPECT_EQ(NoCatchPointText(side.reason), NoCatchPointText(c.reason)) << c.name;
  ASSERT_EQ(side.catchPoint.has_value(), c.catchPoint.has_value()) << c.name;
  if (c.catchPoint) {
    EXPECT_NEAR(side.catchPoint->offset, c.catchPoint->offset, 1e-12) << c.name;
    EXPECT_NEAR(side.catchPoint->elevation, c.catchPoint->elevation, 1e-12) << c.name;
  }
  ASSERT_EQ(side.breaks.size(), c.breaks.size()) << c.name;
  for (std::size_t k = 0; k < c.breaks.size(); ++k) {
    EXPECT_EQ(side.breaks[k].label, c.breaks[k].label) << c.name << " break " << k;
    EXPECT_NEAR(side.breaks[k].offset, c.breaks[k].offset, 1e-12) << c.name << " break " << k;
    EXPECT_NEAR(side.breaks[k].elevation, c.breaks[k].elevation, 1e-12) << c.name << " break " << k;
  }
}

using K = SlopeKind;
const std::vector<GroundPoint> kFallingRight{{-20, 100}, {20, 96}};  // 98.000 − 0.1 × offset
const std::vector<GroundPoint> kRisingLeft{{-20, 104}, {0, 100}};    // 100.000 − 0.2 × offset

INSTANTIATE_TEST_SUITE_P(
    Sides, CatchPointTest,
    testing::Values(
        // 102.5 − u/2 meets 98 − u/10 at u = 11.25.
        CatchCase{"FillOnFallingGround",
                  false,
                  kFallingRight,
                  {Line(false, K::Fill, {2})},
                  K::Fill,
                  GroundPoint{11.25, 96.875},
                  {}},
        // 95 + u meets 100 + u/5 at u = 6.25.
        CatchCase{"CutOnRisingGround",
                  true,
                  kRisingLeft,
                  {Line(true, K::Cut, {1})},
                  K::Cut,
                  GroundPoint{-6.25, 101.25},
                  {}},
        // Down 1 at 1:1, 2 level, down 2 at 1:1.5, 1 level, then 1:2 to 95.
        CatchCase{
            "FillWithTwoBerms",
            false,
            {{0, 95}, {30, 95}},
            {Line(false, K::Fill, {1, 1, 2, 1.5, 2, 1, 2})},
            K::Fill,
            GroundPoint{16, 95},
            {{"平台1内", 6, 99}, {"平台1外", 8, 99}, {"平台2内", 11, 97}, {"平台2外", 12, 97}}},
        // 0.6 deep at 1:1 with a 0.6 bottom, then 1:1 up to 102.
        CatchCase{"CutWithDitch",
                  true,
                  {{-30, 102}, {0, 102}},
                  {Line(true, K::Cut, {1}, {0.6, 0.6, 1, 1})},
                  K::Cut,
                  GroundPoint{-8.8, 102},
                  {{"沟底内", -5.6, 99.4}, {"沟底外", -6.2, 99.4}, {"沟外缘", -6.8, 100}}},
        // The ground at 99 touches the first berm's inner edge, which is the
        // catch point and no break of its own.
        CatchCase{"GroundAtBermEdge",
                  false,
                  {{0, 99}, {30, 99}},
                  {Line(false, K::Fill, {1, 1, 2, 1.5})},
                  K::Fill,
                  GroundPoint{6, 99},
                  {}},
        // Regression: a step whose width is lost to rounding (1:1e-300 over
        // 10 m) made the crossing's elevation 0/0; it is a vertical step.
        CatchCase{"VerticalStep",
                  false,
                  {{0, 105}, {30, 105}},
                  {Line(false, K::Cut, {1e-300, 10, 0, 1})},
                  K::Cut,
                  GroundPoint{5, 105},
                  {}},
        CatchCase{"HingeOnGroundFill",
                  false,
                  {{0, 99.9995}, {30, 99.9995}},
                  {},
                  K::Fill,
                  GroundPoint{5, 99.9995},
                  {}},
        CatchCase{"HingeOnGroundCut",
                  true,
                  {{-30, 100.0008}, {0, 100.0008}},
                  {},
                  K::Cut,
                  GroundPoint{-5, 100.0008},
                  {}},
        CatchCase{"NoDesignHeight",
                  false,
                  kFallingRight,
                  {Line(false, K::Fill, {2})},
                  std::nullopt,
                  std::nullopt,
                  {},
                  NoCatchPoint::NoDesignHeight,
                  std::nullopt},
        CatchCase{"NoGroundAtHinge",
                  false,
                  {{6, 90}, {30, 90}},
                  {Line(false, K::Fill, {2})},
                  std::nullopt,
                  std::nullopt,
                  {},
                  NoCatchPoint::NoGroundAtHinge},
        // Only a cut slope is given for a fill.
        CatchCase{"NoSlope",
                  false,
                  kFallingRight,
                  {Line(false, K::Cut, {2})},
                  K::Fill,
                  std::nullopt,
                  {},
                  NoCatchPoint::NoSlope},
        CatchCase{"GroundTooNarrow",
                  false,
                  {{0, 98}, {11, 96.9}},
                  {Line(false, K::Fill, {2})},
                  K::Fill,
                  std::nullopt,
                  {},
                  NoCatchPoint::GroundTooNarrow}),
    [](const auto& info) { return info.param.name; });

// Halfway in position between a level line and one that rises 2 m over its
// 10 m to the right, from −5 only: both reach −5 to 10, and each line's
// breaks are the blend's.
TEST(GroundAtTest, BetweenTwoSurveyedStations) {
  GroundLines ground{
      {{0, 1, 0, {{-10, 100}, {10, 100}}}, {20, 1, 20, {{-5, 101}, {0, 100}, {10, 102}}}}};
  const std::vector<GroundPoint> at = GroundAt(ground, 5);
  ASSERT_EQ(at.size(), 3u);
  const GroundPoint expected[] = {{-5, 100.25}, {0, 100}, {10, 100.5}};
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(at[k].offset, expected[k].offset) << k;
    EXPECT_EQ(at[k].elevation, expected[k].elevation) << k;
  }
  EXPECT_TRUE(GroundAt(ground, -0.01).empty());
  EXPECT_TRUE(GroundAt(ground, 20.01).empty());
  EXPECT_EQ(GroundAt(ground, 20.001).size(), 3u);  // on the last line, to the tolerance
}

struct SlopePointCase {
  std::string name;
  double offset;
  std::optional<double> height;
  bool withGround;
  std::optional<double> design;
  std::optional<double> toCatchPoint;
  std::string note;
};

std::ostream& operator<<(std::ostream& out, const SlopePointCase& c) {
  return out << c.name;
}

class SlopePointTest : public testing::TestWithParam<SlopePointCase> {};

// The fill on the right at 1:2 and the cut on the left at 1:1, the ground as
// in FillOnFallingGround (catch point R11.25 at 96.875) and on the left
// rising as in CutOnRisingGround (L6.25 at 101.25).
TEST_P(SlopePointTest, OnTheChainOfItsSide) {
  const SlopePointCase& c = GetParam();
  const SideSlopes slopes = Slopes({Line(false, K::Fill, {2}), Line(true, K::Cut, {1}),
                                    Line(false, K::Cut, {1}), Line(true, K::Fill, {1.5})});
  const std::vector<GroundPoint> ground{{-20, 104}, {-5, 101}, {5, 97.5}, {20, 96}};
  const SlopePoint point =
      SlopePointAt(Road(), 100, c.withGround ? &ground : nullptr, slopes, 0, c.offset, c.height);
  ASSERT_EQ(point.designElevation.has_value(), c.design.has_value()) << c.name;
  if (c.design) {
    EXPECT_NEAR(*point.designElevation, *c.design, 1e-12) << c.name;
  }
  ASSERT_EQ(point.toCatchPoint.has_value(), c.toCatchPoint.has_value()) << c.name;
  if (c.toCatchPoint) {
    EXPECT_NEAR(*point.toCatchPoint, *c.toCatchPoint, 1e-12) << c.name;
  }
  EXPECT_EQ(point.note, c.note) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Points, SlopePointTest,
    testing::Values(
        // At R9 the fill is at 98; a stake at 97.2 lies 1.6 short of where
        // the fill reaches its height (R10.6).
        SlopePointCase{"FillShortOfTheToe", 9, 97.2, true, 98, 1.6, "向外"},
        // L7 is past the catch point L6.25; the cut reaches 101.4 at L6.4.
        SlopePointCase{"CutPastTheTop", -7, 101.4, true, std::nullopt, -0.6, "超出坡口；向内"},
        // Without ground the height picks the chain: above the hinge, the cut.
        SlopePointCase{"CutChosenByHeight", 8, 101, false, 103, -2, "向内"},
        SlopePointCase{"NoHeightWithoutGround", 8, std::nullopt, false, std::nullopt, std::nullopt,
                       "该点没有H"},
        SlopePointCase{"NoHeightWithGround", 8, std::nullopt, true, 98.5, std::nullopt,
                       "该点没有H"},
        // The fill never rises above its hinge.
        SlopePointCase{"OutOfReach", 8, 100.5, true, 98.5, std::nullopt, "坡面达不到该点高程"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tarnvel
