#include "core/route/point_names.h"

#include <gtest/gtest.h>

#include <set>

#include "previous_point_names.h"

namespace tarnvel {
namespace {

struct NameCase {
  const char* name;
  double station, offset;
  const char* prefix;
  const char* text;
};

class PointNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(PointNameTest, StationThenSide) {
  const NameCase& c = GetParam();
  EXPECT_EQ(StationPointName(c.station, c.prefix) + SideText(c.offset), c.text)
      << "station " << c.station << " offset " << c.offset << " prefix " << c.prefix;
}

INSTANTIATE_TEST_SUITE_P(
    Names, PointNameTest,
    testing::Values(NameCase{"WholeMetres", 520, 0, "K", "K0+520"},
                    NameCase{"Millimetres", 499.027, 0, "K", "K0+499.027"},
                    NameCase{"TrailingZeroDropped", 1234.5, 0, "K", "K1+234.5"},
                    NameCase{"RoundsIntoNextKilometre", 999.9995, 0, "K", "K1+000"},
                    NameCase{"Left", 520, -10, "K", "K0+520L10.00"},
                    NameCase{"RightToTheCentimetre", 520, 10.005, "K", "K0+520R10.01"},
                    NameCase{"Prefix", 12045, 3.5, "ZK", "ZK12+045R3.50"},
                    NameCase{"NegativeInMetres", -20.5, -2, "K", "-20.5L2.00"}),
    [](const auto& info) { return std::string(info.param.name); });

RoutePoint At(int element, double station, double offset) {
  RoutePoint point;
  point.element = element;
  point.station = station;
  point.offset = offset;
  return point;
}

// A 长链 of 10 m: the second straight starts at 1190, below the first's end.
Route LongChainRoute() {
  return std::get<Route>(MakeRoute(
      {{{1000, 1200, 0, 0, 45, 0, 0, 0}, "1"}, {{1190, 1300, 100, 100, 45, 0, 0, 0}, "2"}}));
}

// The second branch comes round to stations named two hundred rows before;
// the names of the first stretch, far behind, are free to be given again.
TEST(RangePointNamesTest, TheSecondBranchOfALongChainGetsItsOwnNames) {
  RangePointNames names(LongChainRoute(), "K");
  std::set<std::string> given;
  std::vector<std::string> second;
  for (int branch = 1; branch <= 2; ++branch) {
    const int first = branch == 1 ? 1000 : 1190, last = branch == 1 ? 1200 : 1300;
    for (int K = first; K <= last; ++K)
      for (double offset : {-5.0, 0.0}) {
        const std::string name = names.Name(At(branch, K, offset));
        EXPECT_TRUE(given.insert(name).second) << name << " given twice";
        if (branch == 2) second.push_back(name);
      }
  }
  ASSERT_EQ(second.size(), 222u);
  EXPECT_EQ(second[0], "K1+190L5.00_2");
  EXPECT_EQ(second[21], "K1+200_2");
  EXPECT_EQ(second[22], "K1+201L5.00");
}

// Stations closer than a millimetre share their text; each row still gets
// a name of its own, and the names stay with their station.
TEST(RangePointNamesTest, StationsWithinAMillimetreAreNumbered) {
  RangePointNames names(LongChainRoute(), "K");
  std::vector<std::string> given;
  for (double K : {1050.0001, 1050.0002, 1050.0004, 1050.0006, 1050.0007})
    given.push_back(names.Name(At(1, K, 0)));
  EXPECT_EQ(given, (std::vector<std::string>{"K1+050", "K1+050_2", "K1+050_3", "K1+050.001",
                                             "K1+050.001_2"}));
}

// Held to the names given when every row looked through every stretch
// held twice: 长链 that overlap and nest, rows a hair beside each stretch's
// edges included, in route order.
TEST(RangePointNamesTest, OverlappingLongChainsNameAsBefore) {
  const Route route = std::get<Route>(MakeRoute({{{1000, 1200, 0, 0, 45, 0, 0, 0}, "1"},
                                                 {{1190, 1300, 100, 100, 45, 0, 0, 0}, "2"},
                                                 {{1250, 1400, 200, 200, 45, 0, 0, 0}, "3"},
                                                 {{1100, 1500, 300, 300, 45, 0, 0, 0}, "4"},
                                                 {{1499, 1600, 400, 400, 45, 0, 0, 0}, "5"}}));
  RangePointNames names(route, "K");
  previous::RangePointNames before(route, "K");
  for (int element = 1; element <= 5; ++element) {
    const LineElement& e = route.loaded[static_cast<size_t>(element - 1)];
    for (double K = e.K0; K <= e.K1; K += 0.25)
      for (double near : {-0.0045, -0.0035, -0.0005, 0.0, 0.0005, 0.0035, 0.0045})
        for (double offset : {-5.0, 0.0}) {
          const RoutePoint point = At(element, K + near, offset);
          ASSERT_EQ(names.Name(point), before.Name(point))
              << "element " << element << " station " << point.station;
        }
  }
}

}  // namespace
}  // namespace tarnvel
