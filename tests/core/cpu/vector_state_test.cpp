// The computations that a table or a batch runs once a row or a point find
// the upper halves of the vector registers in use when a library called
// before them left them so, as Qt's string hash does. Pins the fault that
// made the programs' inverse 2.7 times and their stakeout 1.8 times slower
// than the same computations in a clean process: each such entry must clear
// them.
#include "core/cpu/vector_state.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/route/route_feet.h"
#include "core/route/route_forward.h"
#include "route_design.h"

namespace tarnvel {
namespace {

using testing_support::Build;
using testing_support::Design;
using testing_support::kRoad;
using testing_support::kRoadAzimuth;
using testing_support::kRoadStart;

// What a 256-bit instruction leaves behind, as the hash does.
void DirtyUpperHalves() {
  asm volatile("vinsertf128 $1, %%xmm15, %%ymm15, %%ymm15" ::: "xmm15");
}

struct EntryCase {
  std::string name;
  // Runs the entry after the state was left in use; whether the
  // computation then found it still in use.
  std::function<bool(const Route&)> inUse;
};

class EntryClearsTheState : public ::testing::TestWithParam<EntryCase> {};

TEST_P(EntryClearsTheState, AfterALibraryLeftItInUse) {
  if (!__builtin_cpu_supports("avx")) GTEST_SKIP() << "no upper halves on this processor";
  DirtyUpperHalves();
  if (!UpperVectorStateInUse()) GTEST_SKIP() << "this processor does not report the state";
  static const Route route = Build(Design(1000, kRoadStart, kRoadAzimuth, kRoad, true));
  DirtyUpperHalves();
  EXPECT_FALSE(GetParam().inUse(route)) << GetParam().name << " ran with the upper halves in use";
}

INSTANTIATE_TEST_SUITE_P(
    Computations, EntryClearsTheState,
    ::testing::Values(
        EntryCase{"RouteFeet",
                  [](const Route& route) {
                    RouteFeet(route, {3378500, 453900});
                    return UpperVectorStateInUse();
                  }},
        EntryCase{"RouteForward",
                  [](const Route& route) {
                    RouteForward(route, 1500, 3.75, 90);
                    return UpperVectorStateInUse();
                  }},
        EntryCase{"EveryTableRow",
                  [](const Route& route) {
                    bool inUse = false;
                    ForEachRouteTableRow(route, {1000, 1100, 20, {0, 5}}, [&](RoutePoint&&) {
                      inUse = inUse || UpperVectorStateInUse();
                      DirtyUpperHalves();  // as the caller's formatting may, between rows
                      return true;
                    });
                    return inUse;
                  }},
        EntryCase{"MakeRoute",
                  [](const Route&) {
                    Build(Design(1000, kRoadStart, kRoadAzimuth, kRoad, true));
                    return UpperVectorStateInUse();
                  }}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tarnvel
