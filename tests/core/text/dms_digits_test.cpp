#include "core/text/dms_digits.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

#include "core/text/angle.h"

namespace tarnvel {
namespace {

// Every value of a range typed with a given number of decimals.
struct TypedRange {
  const char* name;
  long first, last;  // in units of the last decimal
  double unit;       // 10^decimals
};

void PrintTo(const TypedRange& r, std::ostream* os) {
  *os << r.name;
}

class DmsDigitsTest : public testing::TestWithParam<TypedRange> {};

// The route's forward computation converts its skew by arithmetic instead of
// through DmsToDegrees's text: every typed skew must give the very same bits.
TEST_P(DmsDigitsTest, GivesTheTextPathsBitsForEveryTypedValue) {
  const TypedRange& r = GetParam();
  long differing = 0;
  double first = 0;
  for (long i = r.first; i <= r.last; ++i) {
    const double typed = static_cast<double>(i) / r.unit;  // as read from its text
    if (std::bit_cast<std::uint64_t>(DmsDigitsToDegrees(typed)) !=
            std::bit_cast<std::uint64_t>(DmsToDegrees(typed)) &&
        differing++ == 0)
      first = typed;
  }
  EXPECT_EQ(differing, 0) << "first at " << first;
}

INSTANTIATE_TEST_SUITE_P(Typed, DmsDigitsTest,
                         testing::Values(TypedRange{"FourDecimals0To360", 0, 3'600'000, 1e4},
                                         TypedRange{"FourDecimalsNegative", -20'000, -1, 1e4},
                                         TypedRange{"SixDecimalsNear90", 90'000'000, 90'600'000,
                                                    1e6},
                                         TypedRange{"NineDecimalsNear0", 0, 200'000, 1e9},
                                         TypedRange{"TwelveDecimalsNear359", 359'999'999'800'000,
                                                    359'999'999'999'999, 1e12}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DmsDigitsToDegrees, LeavesOtherValuesToTheTextPath) {
  for (double v :
       {1e12, -3e15, 1e300, 1e-300, 0.1 + 0.2, std::numbers::pi,
        std::numeric_limits<double>::infinity(), std::numeric_limits<double>::denorm_min()})
    EXPECT_EQ(std::bit_cast<std::uint64_t>(DmsDigitsToDegrees(v)),
              std::bit_cast<std::uint64_t>(DmsToDegrees(v)))
        << v;
  EXPECT_TRUE(std::isnan(DmsDigitsToDegrees(std::numeric_limits<double>::quiet_NaN())));
}

}  // namespace
}  // namespace tarnvel
