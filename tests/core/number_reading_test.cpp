#include "number_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarnvel {
namespace {

struct LenientCase {
  const char* text;
  double value;
};

class ReadLenientTest : public testing::TestWithParam<LenientCase> {};

TEST_P(ReadLenientTest, TakesTheLeadingNumber) {
  EXPECT_EQ(ReadLenient(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadLenientTest,
    testing::Values(LenientCase{"7586.707", 7586.707}, LenientCase{"12abc", 12},
                    LenientCase{"abc", 0}, LenientCase{"", 0}, LenientCase{"   ", 0},
                    LenientCase{"  -1", -1}, LenientCase{"+2.5", 2.5},
                    LenientCase{"1 2 . 5", 12.5},  // spaces inside are skipped
                    LenientCase{"- 5", -5}, LenientCase{".5", 0.5}, LenientCase{"-.5", -0.5},
                    LenientCase{"7.", 7}, LenientCase{".", 0}, LenientCase{"-", 0},
                    LenientCase{"1.2.3", 1.2}, LenientCase{"1e3", 1000},
                    LenientCase{"1E-2x", 0.01}, LenientCase{"1e", 1}, LenientCase{"1e+", 1},
                    LenientCase{"2e x", 2}, LenientCase{"3378571.281\r\n", 3378571.281},
                    LenientCase{"\r\n5", 0},  // only spaces are skipped
                    LenientCase{"98.565562 起点方位角F", 98.565562},
                    LenientCase{"1e-400", 0}, LenientCase{"0.000e5", 0}));

TEST(ReadLenient, GivesInfinityBeyondTheDoubleRange) {
  EXPECT_EQ(ReadLenient("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadLenient("-1e99999999999999999999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadLenient(std::string(400, '9')), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadLenient("0." + std::string(400, '0') + "1"), 0.0);
}

struct StrictCase {
  const char* text;
  std::optional<double> value;
};

class ReadStrictTest : public testing::TestWithParam<StrictCase> {};

TEST_P(ReadStrictTest, WantsOneWholeNumber) {
  EXPECT_EQ(ReadStrict(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadStrictTest,
    testing::Values(StrictCase{"5", 5}, StrictCase{"  -10  ", -10}, StrictCase{"+1.5e2", 150},
                    StrictCase{".5", 0.5}, StrictCase{"7.", 7}, StrictCase{"abc", std::nullopt},
                    StrictCase{"12abc", std::nullopt}, StrictCase{"1 2", std::nullopt},
                    StrictCase{"", std::nullopt}, StrictCase{"  ", std::nullopt},
                    StrictCase{".", std::nullopt}, StrictCase{"1e", std::nullopt},
                    StrictCase{"1e400", std::nullopt}, StrictCase{"5\r\n", std::nullopt},
                    StrictCase{"--5", std::nullopt}));

TEST(IsBlank, TrimsSpacesOnly) {
  EXPECT_TRUE(IsBlank(""));
  EXPECT_TRUE(IsBlank("    "));
  EXPECT_FALSE(IsBlank("\r\n"));
  EXPECT_FALSE(IsBlank("\t"));
  EXPECT_FALSE(IsBlank(" 0 "));
}

}  // namespace
}  // namespace tarnvel
