// Apart from the other feet tests, for its ctest TIMEOUT (CMakeLists.txt).
#include <gtest/gtest.h>

#include "core/element/element_feet.h"

namespace tarnvel {
namespace {

// Pins the bound on one search's work: an arc of radius 1 over 4.5e9 m turns
// some 700 million times with feet all along it, and refining them all took
// well beyond the timeout (found by fuzzing). Bounded, the search gives the
// feet it found in time.
TEST(AllFeetStall, EndsOnAnElementTurningThousandsOfTimes) {
  const LineElement coil{4e9, 8.5e9, 20564, 0, 1, 1, 1, 1};  // R 1, 4.5e9 m
  const std::vector<Foot> feet = AllFeet(coil, {7800, 0});
  EXPECT_FALSE(feet.empty());
  for (const Foot& f : feet) EXPECT_TRUE(f.settled);
}

}  // namespace
}  // namespace tarnvel
