#include "core/route/optional_double.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace tarnvel {
namespace {

struct ValueCase {
  const char* name;
  std::optional<double> value;
};

class OptionalDoubleTest : public testing::TestWithParam<ValueCase> {};

// Gives back the std::optional<double> it was given, every bit of the value.
TEST_P(OptionalDoubleTest, HoldsWhatItWasGiven) {
  const std::optional<double> given = GetParam().value;
  const OptionalDouble held = given;
  const std::optional<double> back = held;
  ASSERT_EQ(back.has_value(), given.has_value()) << GetParam().name;
  EXPECT_EQ(static_cast<bool>(held), given.has_value());
  if (given) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(*held), std::bit_cast<std::uint64_t>(*given)) << *given;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, OptionalDoubleTest,
    testing::Values(ValueCase{"Nothing", std::nullopt}, ValueCase{"Elevation", 312.4567},
                    ValueCase{"Zero", 0.0}, ValueCase{"NegativeZero", -0.0},
                    ValueCase{"QuietNaN", std::nan("")},
                    ValueCase{"NegativeQuietNaN", -std::numeric_limits<double>::quiet_NaN()},
                    ValueCase{"SignallingNaN", std::numeric_limits<double>::signaling_NaN()},
                    ValueCase{"Infinity", std::numeric_limits<double>::infinity()},
                    ValueCase{"Denormal", std::numeric_limits<double>::denorm_min()}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
