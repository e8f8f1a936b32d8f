#include "core/route/route_forward.h"

#include <gtest/gtest.h>

#include "route_design.h"

namespace tarnvel {
namespace {

using testing_support::Build;
using testing_support::Design;

// Straight 1000–1100, spiral 1100–1200, then a 短链 of 20 m: the arc runs
// 1220–1370 (QZ 1295); then a 长链 of 30 m: the straight runs 1340–1420.
Route ChainedRoute() {
  auto elements =
      Design(1000, {3378605.445, 453648.704}, 98.9488,
             {{100, 0, 0, 0}, {100, 0, 600, 1}, {150, 600, 600, 1}, {80, 0, 0, 0}}, false);
  for (double* K : {&elements[2].values.K0, &elements[2].values.K1}) *K += 20;
  for (double* K : {&elements[3].values.K0, &elements[3].values.K1}) *K -= 10;
  return Build(elements);
}

// Every point is the single-element computation on its element, bit for bit.
void ExpectSingleElementResult(const Route& route, const RoutePoint& p) {
  const ForwardResult single = ForwardPoint(route.loaded[static_cast<size_t>(p.element - 1)],
                                            p.station, p.offset, p.skewDms);
  EXPECT_EQ(p.result.point.X, single.point.X) << p.station;
  EXPECT_EQ(p.result.point.Y, single.point.Y) << p.station;
  EXPECT_EQ(p.result.azimuth, single.azimuth) << p.station;
}

struct StationCase {
  const char* name;
  double K;
  std::vector<std::pair<int, std::string>> points;  // element, label
};

void PrintTo(const StationCase& c, std::ostream* os) {
  *os << c.name << ": K " << c.K;
}

class RouteForwardTest : public testing::TestWithParam<StationCase> {};

TEST_P(RouteForwardTest, GivesOnePointPerElementHoldingTheStation) {
  const Route route = ChainedRoute();
  const auto outcome = RouteForward(route, GetParam().K, -7.5, 75.3);
  ASSERT_TRUE(std::holds_alternative<std::vector<RoutePoint>>(outcome))
      << std::get<StationRefusal>(outcome).message;
  std::vector<std::pair<int, std::string>> points;
  for (const RoutePoint& p : std::get<std::vector<RoutePoint>>(outcome)) {
    points.emplace_back(p.element, p.label);
    ExpectSingleElementResult(route, p);
  }
  EXPECT_EQ(points, GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(
    Stations, RouteForwardTest,
    testing::Values(StationCase{"Start", 1000, {{1, "起点"}}},
                    // A joint belongs to the element that starts there.
                    StationCase{"JointZH", 1100, {{2, "ZH"}}},
                    // Before a 短链 the element holds its own end.
                    StationCase{"BeforeShortChain", 1200, {{2, ""}}},
                    StationCase{"AfterShortChainHY", 1220, {{3, "HY"}}},
                    StationCase{"ArcMiddleQZ", 1295, {{3, "QZ"}}},
                    // In the 长链 both elements hold the station, in route order.
                    StationCase{"LongChainStartYZ", 1340, {{3, ""}, {4, "YZ"}}},
                    StationCase{"InLongChain", 1355.5, {{3, ""}, {4, ""}}},
                    StationCase{"LongChainEnd", 1370, {{3, ""}, {4, ""}}},
                    StationCase{"End", 1420, {{4, "终点"}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
  const char* name;
  double K;
  const char* message;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
  *os << c.name << ": K " << c.K;
}

class RouteForwardRefusalTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(RouteForwardRefusalTest, NamesTheGapOrTheRange) {
  const auto outcome = RouteForward(ChainedRoute(), GetParam().K, 0, 90);
  ASSERT_TRUE(std::holds_alternative<StationRefusal>(outcome));
  EXPECT_EQ(std::get<StationRefusal>(outcome).message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Stations, RouteForwardRefusalTest,
    testing::Values(
        RefusedCase{"InShortChain", 1210,
                    "里程“1210”位于第2、3个线元之间的短链（1200～1220）内，该里程不存在！"},
        RefusedCase{"JustBeforeShortChainEnd", 1219.9999,
                    "里程“1219.9999”位于第2、3个线元之间的短链（1200～1220）内，该里程不存在！"},
        // Written to three decimals this station read 01+000.000, the very
        // first station of the range it was refused for.
        RefusedCase{"JustBeforeStart", 999.9995, "里程“999.9995”超出线路范围（1000～1420）！"},
        RefusedCase{"PastEnd", 1420.001, "里程“1420.001”超出线路范围（1000～1420）！"}),
    [](const auto& info) { return std::string(info.param.name); });

struct TableCase {
  const char* name;
  RouteTableRequest request;
  std::vector<std::tuple<double, int, std::string>> rows;  // station, element, label
};

void PrintTo(const TableCase& c, std::ostream* os) {
  *os << c.name;
}

class RouteTableTest : public testing::TestWithParam<TableCase> {};

TEST_P(RouteTableTest, StepsAlongTheRoute) {
  const Route route = ChainedRoute();
  const auto outcome = RouteTable(route, GetParam().request);
  ASSERT_TRUE(std::holds_alternative<std::vector<RoutePoint>>(outcome))
      << std::get<StationRefusal>(outcome).message;
  std::vector<std::tuple<double, int, std::string>> rows;
  for (const RoutePoint& p : std::get<std::vector<RoutePoint>>(outcome)) {
    rows.emplace_back(p.station, p.element, p.label);
    ExpectSingleElementResult(route, p);
  }
  EXPECT_EQ(rows, GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, RouteTableTest,
    testing::Values(TableCase{"GapSkipped",
                              {1180, 1240, 10},
                              {{1180, 2, ""},
                               {1190, 2, ""},
                               {1200, 2, ""},
                               {1220, 3, "HY"},
                               {1230, 3, ""},
                               {1240, 3, ""}}},
                    TableCase{"EndOffTheStep",
                              {1000, 1025, 10},
                              {{1000, 1, "起点"}, {1010, 1, ""}, {1020, 1, ""}, {1025, 1, ""}}},
                    TableCase{"KeyPointsOnce",
                              {1050, 1225, 50, {0}, 90, true},
                              {{1050, 1, ""},
                               {1100, 2, "ZH"},
                               {1150, 2, ""},
                               {1200, 2, ""},
                               {1220, 3, "HY"},
                               {1225, 3, ""}}},
                    // An end that both branches of the 长链 hold is on the first.
                    TableCase{"KeyPointsAtBothEnds",
                              {1295, 1340, 30, {0}, 90, true},
                              {{1295, 3, "QZ"}, {1320, 3, ""}, {1340, 3, ""}}},
                    // Pins the rows of a 长链's branches interleaved station by station:
                    // the first branch to its end at 1370, then the second from 1340.
                    TableCase{"LongChainBranchByBranch",
                              {1330, 1400, 20, {0}, 90, true},
                              {{1330, 3, ""},
                               {1340, 3, ""},
                               {1360, 3, ""},
                               {1370, 3, ""},
                               {1340, 4, "YZ"},
                               {1360, 4, ""},
                               {1380, 4, ""},
                               {1400, 4, ""}}},
                    TableCase{"LongChainDescending",
                              {1400, 1330, -20, {0}, 90, true},
                              {{1400, 4, ""},
                               {1380, 4, ""},
                               {1360, 4, ""},
                               {1340, 4, "YZ"},
                               {1370, 3, ""},
                               {1360, 3, ""},
                               {1340, 3, ""},
                               {1330, 3, ""}}},
                    TableCase{"Descending",
                              {1120, 1080, -20, {0}, 90, true},
                              {{1120, 2, ""}, {1100, 2, "ZH"}, {1080, 1, ""}}},
                    TableCase{"OffsetsPerStation",
                              {1400, 1420, 20, {-10, 0, 10}},
                              {{1400, 4, ""},
                               {1400, 4, ""},
                               {1400, 4, ""},
                               {1420, 4, "终点"},
                               {1420, 4, "终点"},
                               {1420, 4, "终点"}}}),
    [](const testing::TestParamInfo<TableCase>& info) { return std::string(info.param.name); });

// A published design's pair of key points 0.27 mm apart: a straight of
// "0.000" between an arc ending (YZ) and a spiral starting (ZH). Straight
// 1000–1050, arc of 300 to YZ, the straight, spiral to 300 (HY 50 m on).
constexpr double kYZ = 1050 + 71.0743;
constexpr double kZH = kYZ + 0.00027;
Route SubMillimetreStraight() {
  return Build(Design(1000, {3378605.445, 453648.704}, 98.9488,
                      {{50, 0, 0, 0}, {71.0743, 300, 300, 1}, {0.00027, 0, 0, 0}, {50, 0, 300, 1}},
                      false));
}

class CloseKeyPointsTest : public testing::TestWithParam<TableCase> {};

// Pins the key points within the position tolerance of each other staked
// twice, YZ at K1+121.074 and ZH at K1+121.075: one row at the first along
// the route, 说明 naming both; the straight between stays in the route.
TEST_P(CloseKeyPointsTest, StakedOnceAtTheFirst) {
  const Route route = SubMillimetreStraight();
  ASSERT_EQ(route.loaded.size(), 4u);
  const auto outcome = RouteTable(route, GetParam().request);
  ASSERT_TRUE(std::holds_alternative<std::vector<RoutePoint>>(outcome))
      << std::get<StationRefusal>(outcome).message;
  std::vector<std::tuple<double, int, std::string>> rows;
  for (const RoutePoint& p : std::get<std::vector<RoutePoint>>(outcome))
    rows.emplace_back(p.station, p.element, p.label);
  EXPECT_EQ(rows, GetParam().rows) << "tolerance " << GetParam().request.positionTolerance;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, CloseKeyPointsTest,
    testing::Values(
        TableCase{"OneRowAtTheFirst",
                  {1100, 1140, 20, {0}, 90, true, 0, 0.002},
                  {{1100, 2, ""}, {1120, 2, ""}, {kYZ, 3, "YZ/ZH"}, {1140, 4, ""}}},
        TableCase{"DescendingAtTheFirstToo",
                  {1140, 1100, -20, {0}, 90, true, 0, 0.002},
                  {{1140, 4, ""}, {kYZ, 3, "YZ/ZH"}, {1120, 2, ""}, {1100, 2, ""}}},
        // The range starts past YZ: ZH alone is in it.
        TableCase{"RangeFromTheSecond",
                  {kZH, 1140, 20, {0}, 90, true, 0, 0.002},
                  {{kZH, 4, "ZH"}, {1140, 4, ""}}},
        TableCase{"ApartBeyondTheTolerance",
                  {1100, 1140, 20, {0}, 90, true, 0, 0.0002},
                  {{1100, 2, ""}, {1120, 2, ""}, {kYZ, 3, "YZ"}, {kZH, 4, "ZH"}, {1140, 4, ""}}}),
    [](const testing::TestParamInfo<TableCase>& info) { return std::string(info.param.name); });

struct PassCase {
  const char* name;
  RouteTableRequest request;
  std::vector<std::pair<double, std::string>> rows;  // station, RowNote
};

class RoutePassTest : public testing::TestWithParam<PassCase> {};

// Rows of a 长链's second branch within the stretch it repeats (1340–1370)
// say so; a range's end may name that branch by its pass.
TEST_P(RoutePassTest, SecondBranchRowsAreMarked) {
  const auto outcome = RouteTable(ChainedRoute(), GetParam().request);
  ASSERT_TRUE(std::holds_alternative<std::vector<RoutePoint>>(outcome))
      << std::get<StationRefusal>(outcome).message;
  std::vector<std::pair<double, std::string>> rows;
  for (const RoutePoint& p : std::get<std::vector<RoutePoint>>(outcome))
    rows.emplace_back(p.station, RowNote(p));
  EXPECT_EQ(rows, GetParam().rows);
}

PassCase WithPasses(const char* name, RouteTableRequest request, int fromPass, int toPass,
                    std::vector<std::pair<double, std::string>> rows) {
  request.fromPass = fromPass;
  request.toPass = toPass;
  return {name, request, std::move(rows)};
}

INSTANTIATE_TEST_SUITE_P(
    Tables, RoutePassTest,
    testing::Values(WithPasses("AcrossTheChain", {1350, 1390, 20, {0}, 90, true}, 1, 1,
                               {{1350, ""},
                                {1360, ""},
                                {1370, ""},
                                {1340, "YZ；长链第2支"},
                                {1360, "长链第2支"},
                                {1380, ""},
                                {1390, ""}}),
                    WithPasses("FromOnTheSecondBranch", {1350, 1390, 20}, 2, 1,
                               {{1350, "长链第2支"}, {1360, "长链第2支"}, {1380, ""}, {1390, ""}}),
                    WithPasses("WithinTheSecondBranch", {1345, 1365, 10}, 2, 2,
                               {{1345, "长链第2支"},
                                {1350, "长链第2支"},
                                {1360, "长链第2支"},
                                {1365, "长链第2支"}})),
    [](const testing::TestParamInfo<PassCase>& info) { return std::string(info.param.name); });

TEST(RoutePass, APassNoBranchMakesIsRefused) {
  RouteTableRequest request{1350, 1390, 20};
  request.fromPass = 3;
  const auto outcome = RouteTable(ChainedRoute(), request);
  ASSERT_TRUE(std::holds_alternative<StationRefusal>(outcome));
  EXPECT_EQ(std::get<StationRefusal>(outcome).message,
            "“起点K”K1+350.000_3：线路只经过该桩号2次！");
}

// Pins the end dropped by round-off: 7600 + 0.1 ten times passes 7601, so
// a table that added the step up stopped at 7600.9.
TEST(RouteTable, EndsOnItsEndWhateverTheRoundOff) {
  const Route route =
      Build({{{7586.707, 7946.707, 3378605.445, 453648.704, 98.565562, 0, 4500, 1}, ""}});
  const auto rows = std::get<std::vector<RoutePoint>>(RouteTable(route, {7600, 7601, 0.1}));
  ASSERT_EQ(rows.size(), 11u);
  EXPECT_EQ(rows.front().station, 7600);
  EXPECT_EQ(rows.back().station, 7601);
}

TEST(RouteTable, RefusesARangeLeavingTheRouteAndAStepThatCannotMove) {
  const Route route = ChainedRoute();
  const std::vector<std::pair<RouteTableRequest, std::string>> cases = {
      {{999, 1100, 10}, "“起点K”超出线路范围（1000.000～1420.000）！"},
      {{1000, 1420.5, 10}, "“止点K”超出线路范围（1000.000～1420.000）！"},
      {{1000, 1100, 0}, "“计算间距J”必须是不为零的数！"},
      {{1100, 1000, 10}, "“计算间距J”的正负与起点K到止点K的方向不符！"},
      {{1000, 1100, 1e-14}, "“计算间距J”太小，里程无法前进！"},
      {{1000, 1420, 1e-5}, "“计算间距J”太小，计算点数超过10000000个！"}};
  for (const auto& [request, message] : cases) {
    const auto outcome = RouteTable(route, request);
    ASSERT_TRUE(std::holds_alternative<StationRefusal>(outcome)) << message;
    EXPECT_EQ(std::get<StationRefusal>(outcome).message, message);
  }
}

}  // namespace
}  // namespace tarnvel
