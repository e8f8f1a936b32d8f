// Apart from the other stakeout tests, for its ctest TIMEOUT (CMakeLists.txt).
#include <gtest/gtest.h>

#include <ostream>

#include "core/route/route_forward.h"
#include "route_design.h"

namespace tarnvel {
namespace {

struct StallCase {
  const char* name;
  double from, to, curveStep;
};

void PrintTo(const StallCase& c, std::ostream* os) {
  *os << c.name;
}

class StakeoutStallTest : public testing::TestWithParam<StallCase> {};

// Pins the table that never ended: a curve step so small that the count of
// its multiples overflowed (1e-320, to infinity), or passed 2^53 where a
// multiple plus one is itself, walked the same station for ever at 100 %
// CPU. The table is refused before its first row, and the timeout is the
// test's failure.
TEST_P(StakeoutStallTest, TableEndsBeforeItsFirstRow) {
  const Route route = testing_support::Build(
      testing_support::Design(1000, testing_support::kRoadStart, testing_support::kRoadAzimuth,
                              testing_support::kRoad, false));
  RouteTableRequest request;
  request.from = GetParam().from;
  request.to = GetParam().to;
  request.curveStep = GetParam().curveStep;
  long rows = 0;
  const auto refusal = ForEachRouteTableRow(route, request, [&](RoutePoint&&) {
    ++rows;
    return true;
  });
  EXPECT_TRUE(refusal) << GetParam().from << "～" << GetParam().to << " curve step "
                       << GetParam().curveStep;
  EXPECT_EQ(rows, 0);
}

INSTANTIATE_TEST_SUITE_P(CurveSteps, StakeoutStallTest,
                         testing::Values(StallCase{"Subnormal", 1000, 2000, 1e-320},
                                         StallCase{"SmallestDouble", 1000, 2000, 4.9e-324},
                                         StallCase{"SmallestNormal", 1000, 2000, 2.2e-308},
                                         StallCase{"OneStationPast2To53", 1500, 1500, 1e-300}),
                         [](const testing::TestParamInfo<StallCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace tarnvel
