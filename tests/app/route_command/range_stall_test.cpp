// Apart from the other command tests, for its ctest TIMEOUT (CMakeLists.txt):
// each of these ran for ever before it was refused.
#include <gtest/gtest.h>

#include <ostream>

#include "file_test_support.h"
#include "route_program.h"

namespace tarnvel {
namespace {

using testing_support::WriteBytes;

struct StallCase {
  const char* name;
  QStringList arguments;
  const char* message;
};

void PrintTo(const StallCase& c, std::ostream* os) {
  *os << c.name;
}

class RangeStallTest : public testing_support::ScratchFolder,
                       public testing::WithParamInterface<StallCase> {};

// Pins the ranges whose step was so small that its count of multiples
// overflowed, or passed 2^53 where a multiple plus one is itself: the walk
// stood on one station at 100 % CPU, with no row written. Refused before
// the first row, as a step that gives too many stations is.
TEST_P(RangeStallTest, RefusedBeforeTheFirstRow) {
  WriteBytes(PathOf("route.csv"), "10000,10100,3378605.445,453648.704,45.3,0,500,1\r\n");
  WriteBytes(PathOf("profile.csv"), "BP,0,100\r\nEP,20000,110\r\n");
  WriteBytes(PathOf("sections.csv"), "桩号,左行车道宽,左行车道坡\r\n0,3.75,-2\r\n");
  const StallCase& c = GetParam();
  const std::string command = c.arguments.join(' ').toStdString();
  const auto run = testing_support::RunRouteProgram(PathOf(""), c.arguments);
  EXPECT_EQ(run.status, 2) << command;
  EXPECT_EQ(run.err, QString::fromUtf8(c.message) + '\n') << command;
  EXPECT_TRUE(run.out.isEmpty()) << command;
}

const char kCurveStep[] = "“曲线间距”太小，计算点数超过10000000个！";
const char kRangeStations[] = "里程范围超过10000000个桩号，请增大“--step”或分段计算！";

INSTANTIATE_TEST_SUITE_P(
    Steps, RangeStallTest,
    testing::Values(StallCase{"ForwardCurveStepSubnormal",
                              {"forward", "route.csv", "--from", "10000", "--to", "10100", "--step",
                               "20", "--curve-step", "1e-320"},
                              kCurveStep},
                    StallCase{"ForwardCurveStepSmallestNormal",
                              {"forward", "route.csv", "--from", "10000", "--to", "10100", "--step",
                               "20", "--curve-step", "2.2e-308"},
                              kCurveStep},
                    StallCase{"ProfileStepPast2To53",
                              {"profile", "profile.csv", "--from", "10000", "--to", "10000.000002",
                               "--step", "2.1e-13"},
                              kRangeStations},
                    StallCase{"SectionsStepPast2To53",
                              {"sections", "sections.csv", "--from", "10000", "--to",
                               "10000.000002", "--step", "2.1e-13"},
                              kRangeStations}),
    [](const testing::TestParamInfo<StallCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
