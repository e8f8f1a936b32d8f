#include "core/route/stakeout_stations.h"

#include <gtest/gtest.h>

#include <ostream>

#include "route_design.h"

namespace tarnvel {
namespace {

using testing_support::Build;
using testing_support::Design;

// Straight 480–550, spiral 550–610 (ZH, HY), arc of 300 610–690 (QZ 650),
// spiral 690–750 (YH, HZ), straight 750–820.875; every station exact.
Route Curve() {
  return Build(Design(
      480, {3378605.445, 453648.704}, 98.9488,
      {{70, 0, 0, 0}, {60, 0, 300, 1}, {80, 300, 300, 1}, {60, 300, 0, 1}, {70.875, 0, 0, 0}},
      false));
}

struct StationsCase {
  const char* name;
  StakeoutRange range;
  std::vector<double> stations;
};

void PrintTo(const StationsCase& c, std::ostream* os) {
  *os << c.name;
}

class StakeoutStationsTest : public testing::TestWithParam<StationsCase> {};

TEST_P(StakeoutStationsTest, GivesEndsWholeMultiplesAndKeyPoints) {
  const Route route = Curve();
  const StakeoutRange& range = GetParam().range;
  ASSERT_FALSE(RangeRefusal(route, range)) << RangeRefusal(route, range)->message;
  std::vector<double> stations;
  ForEachRangeStation(route, range, [&](double K, const RouteBranch&, std::string_view) {
    stations.push_back(K);
    return true;
  });
  EXPECT_EQ(stations, GetParam().stations)
      << GetParam().name << ": " << range.from << "～" << range.to << " step " << range.step
      << " curve step " << range.curveStep;
  EXPECT_EQ(RangeStationCount(route, range), static_cast<double>(stations.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, StakeoutStationsTest,
    testing::Values(
        // Pins the range that counted from its start: 499.027, 519.027, …
        StationsCase{
            "StartOffTheGrid", {499.027, 620, 20}, {499.027, 500, 520, 540, 560, 580, 600, 620}},
        StationsCase{"EndOffTheGrid", {600, 655.5, 20}, {600, 620, 640, 655.5}},
        StationsCase{
            "KeyPoints",
            {499.027, 700, 20, true},
            {499.027, 500, 520, 540, 550, 560, 580, 600, 610, 620, 640, 650, 660, 680, 690, 700}},
        // Multiples of 30 from K0, not from the ZH at 550; none on the straights.
        StationsCase{"CurveStep",
                     {520, 780, 40, false, 30},
                     {520, 560, 570, 600, 630, 640, 660, 680, 690, 720, 750, 760, 780}},
        StationsCase{"Descending", {700, 655.5, -20, true}, {700, 690, 680, 660, 655.5}},
        // A typed end a hair from a multiple is one station, as typed.
        StationsCase{
            "EndsNearMultiples", {499.9999995, 540.0000004, 20}, {499.9999995, 520, 540.0000004}},
        // Pins an end typed to the millimetre, 0.2 mm past the route's.
        StationsCase{"EndClamped", {800, 820.8752, 20, false, 0, 0.002}, {800, 820, 820.875}},
        StationsCase{
            "StartClampedDescending", {520, 479.9995, -20, false, 0, 0.002}, {520, 500, 480}}),
    [](const testing::TestParamInfo<StationsCase>& info) { return std::string(info.param.name); });

// Two straights due north: the second starts at `start`, below the first's
// end at 1200 (a 长链) or above it (a 短链).
Route Chained(double start) {
  return Build({{{1000, 1200, 0, 0, 0, 0, 0, 0}, ""}, {{start, 1300, 200, 0, 0, 0, 0, 0}, ""}});
}
Route Curved() {
  return Curve();
}
Route LongChain() {
  return Chained(1100);
}
Route ShortChain() {
  return Chained(1220);
}

struct CountCase {
  const char* name;
  Route (*route)();
  StakeoutRange range;
  long long stations;
};

void PrintTo(const CountCase& c, std::ostream* os) {
  *os << c.name;
}

class StakeoutCountTest : public testing::TestWithParam<CountCase> {};

// Pins the count that the route window judged its table by: it added two
// stations a branch for the range's ends on top of multiples that already
// held ends on the grid, so a range of exactly the window's 1,000,000 rows
// was refused; it counted key points and curve multiples on the grid twice
// and stations in a 短链 gap, which give no row, and it counted the
// multiples of the stretch a 长链 repeats once. The count is exact.
TEST_P(StakeoutCountTest, CountsTheStationsThatGiveRows) {
  const CountCase& c = GetParam();
  EXPECT_EQ(static_cast<long long>(RangeStationCount(c.route(), c.range)), c.stations)
      << c.range.from << "～" << c.range.to << " step " << c.range.step << " curve step "
      << c.range.curveStep << (c.range.keyPoints ? " with key points" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, StakeoutCountTest,
    testing::Values(
        // 6,000,000 × 0.0001 to 6,999,999 × 0.0001: the window's cap.
        CountCase{"MillionRowsToTheTenthOfAMillimetre", Curved, {600, 699.9999, 0.0001}, 1000000},
        // 520 … 760 and 780; 580 … 740 on the curve; ZH, HY, QZ, YH, HZ.
        CountCase{"KeyPointsAndCurveStepOnTheGrid", Curved, {520, 780, 40, true, 20}, 18},
        // 1000 … 1200, then 1100 … 1300 again.
        CountCase{"LongChainRepeatsItsMultiples", LongChain, {1000, 1300, 20}, 22},
        // 1000 … 1300 but 1210, which lies in the gap.
        CountCase{"ShortChainGapGivesNoRow", ShortChain, {1000, 1300, 10}, 30}),
    [](const testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

struct RefusalCase {
  const char* name;
  StakeoutRange range;
  const char* message;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
  *os << c.name;
}

class StakeoutRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(StakeoutRefusalTest, SaysWhyAtTheTablesPrecision) {
  const auto refusal = RangeRefusal(Curve(), GetParam().range);
  ASSERT_TRUE(refusal) << GetParam().message;
  EXPECT_EQ(refusal->message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, StakeoutRefusalTest,
    testing::Values(
        // Pins the route's end written to 15 digits.
        RefusalCase{"EndPastTheTolerance",
                    {500, 820.8771, 20, false, 0, 0.002},
                    "“止点K”超出线路范围（480.000～820.875）！"},
        RefusalCase{"StartBeforeTheRoute",
                    {479.9995, 500, 20, false, 0, 0.002},
                    "“起点K”超出线路范围（480.000～820.875）！"},
        RefusalCase{"NegativeCurveStep", {500, 700, 20, false, -10}, "“曲线间距”必须是正数！"},
        RefusalCase{"CurveStepTooSmall",
                    {500, 700, 20, false, 1e-5},
                    "“曲线间距”太小，计算点数超过10000000个！"},
        // Pins the curve steps whose count of multiples overflowed to
        // infinity, and the walk that then never ended: refused as 1e-5 is.
        RefusalCase{"CurveStepSubnormal",
                    {500, 700, 20, false, 1e-320},
                    "“曲线间距”太小，计算点数超过10000000个！"},
        RefusalCase{"CurveStepSmallestDouble",
                    {500, 700, 20, false, 4.9e-324},
                    "“曲线间距”太小，计算点数超过10000000个！"},
        RefusalCase{"CurveStepSmallestNormal",
                    {500, 700, 20, false, 2.2e-308},
                    "“曲线间距”太小，计算点数超过10000000个！"},
        // One station on the arc, its multiple beyond 2^53: the walk could
        // not step past it and gave it again and again.
        RefusalCase{"CurveStepOneStationPast2To53",
                    {650, 650, 20, false, 1e-300},
                    "“曲线间距”太小，计算点数超过10000000个！"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
