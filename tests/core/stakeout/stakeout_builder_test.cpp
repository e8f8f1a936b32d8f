#include "core/stakeout/stakeout_builder.h"

#include <gtest/gtest.h>

#include <ostream>

#include "core/text/number_text.h"
#include "slope_road.h"

namespace tarnvel {
namespace {

// Each row of K0+100 on the slope road but its name: 偏距, 说明, X, Y, 设计高程.
const std::vector<std::string> kRows = {
    "0.000,,1100.0000,2000.0000,100.000",           "-5.000,左行车道外,1100.0000,1995.0000,100.000",
    "-5.600,沟底内,1100.0000,1994.4000,99.400",     "-6.200,沟底外,1100.0000,1993.8000,99.400",
    "-6.800,沟外缘,1100.0000,1993.2000,100.000",    "-8.500,坡口,1100.0000,1991.5000,101.700",
    "5.000,右行车道外,1100.0000,2005.0000,100.000", "6.000,平台1内,1100.0000,2006.0000,99.000",
    "8.000,平台1外,1100.0000,2008.0000,99.000",     "12.500,坡脚,1100.0000,2012.5000,96.750"};

struct BreakRowsCase {
  std::string name;
  bool serial;                     // a range numbered 1, 2, 3 …
  std::string stationsName;        // a stations list of K0+100 by this 点名; "" for a range
  std::vector<std::string> names;  // of kRows' rows
};

std::ostream& operator<<(std::ostream& out, const BreakRowsCase& c) {
  return out << c.name;
}

class SlopeBreakRowsTest : public testing::TestWithParam<BreakRowsCase> {};

// The breaks come before their side's catch point, each named as a 边桩 at
// its offset, at the chain's elevation there.
TEST_P(SlopeBreakRowsTest, BreaksBeforeEachCatchPoint) {
  const BreakRowsCase& c = GetParam();
  const testing_support::SlopeRoad road;
  StakeoutRequest request;
  request.profile = &road.profile;
  request.sections = &road.sections;
  request.ground = &road.ground;
  request.slopes = &road.slopes;
  request.edges = request.slopeBreaks = true;
  request.serialNames = c.serial;
  if (c.stationsName.empty())
    request.range = StakeoutRange{.from = 100, .to = 100, .step = 20};
  else
    request.stations = [&](const std::function<bool(const StakeStation&)>& station) {
      StakeStation line;
      line.name = c.stationsName;
      line.station = 100;
      return station(line);
    };
  std::vector<std::string> names, rows;
  BuildStakeout(road.route, request, [&](StakeRow&& row) {
    names.push_back(row.name);
    rows.push_back(FixedText(row.point.offset, 3) + ',' + std::string(row.point.label) + ',' +
                   FixedText(row.point.result.point.X, 4) + ',' +
                   FixedText(row.point.result.point.Y, 4) + ',' +
                   (row.designElevation ? FixedText(*row.designElevation, 3) : ""));
    return true;
  });
  EXPECT_EQ(names, c.names) << c.name;
  EXPECT_EQ(rows, kRows) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, SlopeBreakRowsTest,
    testing::Values(
        BreakRowsCase{"ByStation",
                      false,
                      "",
                      {"K0+100", "K0+100L5.00", "K0+100L5.60", "K0+100L6.20", "K0+100L6.80",
                       "K0+100LPK", "K0+100R5.00", "K0+100R6.00", "K0+100R8.00", "K0+100RPJ"}},
        BreakRowsCase{"Serial", true, "", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
        BreakRowsCase{"StationsList",
                      false,
                      "S1",
                      {"S1", "S1L5.00", "S1L5.60", "S1L6.20", "S1L6.80", "S1LPK", "S1R5.00",
                       "S1R6.00", "S1R8.00", "S1RPJ"}}),
    [](const testing::TestParamInfo<BreakRowsCase>& info) { return info.param.name; });

}  // namespace
}  // namespace tarnvel
