#include "core/jd/declared_chains.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/text/angle.h"

namespace tarnvel {
namespace {

// North 1000–1100 from (0, 0), then an arc of R 100 to the right, 1100–1200:
// the stations a JD table lays, without a jump.
std::vector<RouteElement> Laid() {
  return {{{1000, 1100, 0, 0, 0, 0, 0, 0}, "直线"},
          {{1100, 1200, 100, 0, 0, 100, 100, 1}, "圆曲线"}};
}

struct ChainsCase {
  const char* name;
  std::vector<StationEquation> equations;
  std::vector<std::pair<double, double>> stations;  // K0, K1 of each element laid
};

class DeclaredChainsTest : public testing::TestWithParam<ChainsCase> {};

// Each 等号前桩号 is met where the declared stations reach it, the element
// split there, and the stations after it start at its 等号后桩号.
TEST_P(DeclaredChainsTest, JumpsAtTheDeclaredStations) {
  std::vector<std::pair<double, double>> stations;
  for (const RouteElement& e : WithDeclaredChains(Laid(), GetParam().equations))
    stations.emplace_back(e.values.K0, e.values.K1);
  EXPECT_EQ(stations, GetParam().stations) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Declarations, DeclaredChainsTest,
    testing::Values(
        ChainsCase{"None", {}, {{1000, 1100}, {1100, 1200}}},
        ChainsCase{"ShortInStraight", {{1050, 1070}}, {{1000, 1050}, {1070, 1120}, {1120, 1220}}},
        // The second is declared in the stations after the first.
        ChainsCase{"ShortThenLongInArc",
                   {{1170, 1160}, {1050, 1070}},
                   {{1000, 1050}, {1070, 1120}, {1120, 1170}, {1160, 1210}}},
        ChainsCase{
            "AtJointWithinHalfMillimetre", {{1100.0004, 1110}}, {{1000, 1100}, {1110, 1210}}},
        ChainsCase{"OutsideRoute", {{900, 910}, {5000, 5010}}, {{1000, 1100}, {1100, 1200}}}),
    [](const testing::TestParamInfo<ChainsCase>& info) { return std::string(info.param.name); });

// The arc's rest starts where the arc is 50 m along: 0.5 rad turned.
TEST(DeclaredChains, TheRestStartsOnTheCurve) {
  const auto laid = WithDeclaredChains(Laid(), {{1150, 1140}});
  ASSERT_EQ(laid.size(), 3u);
  const ElementValues& rest = laid[2].values;
  EXPECT_NEAR(rest.X0, 100 + 100 * std::sin(0.5), 1e-9);
  EXPECT_NEAR(rest.Y0, 100 * (1 - std::cos(0.5)), 1e-9);
  EXPECT_NEAR(DmsToDegrees(rest.F), 0.5 * 180 / M_PI, 1e-9);
  EXPECT_EQ(rest.RQ, 100);
  EXPECT_EQ(laid[2].name, "圆曲线");
}

}  // namespace
}  // namespace tarnvel
