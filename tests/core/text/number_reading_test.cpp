#include "core/text/number_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarnvel {
namespace {

struct LenientCase {
  const char* name;
  const char* text;
  double value;
};

class ReadLenientTest : public testing::TestWithParam<LenientCase> {};

TEST_P(ReadLenientTest, TakesTheLeadingNumber) {
  EXPECT_EQ(ReadLenient(GetParam().text), GetParam().value)
      << "text " << testing::PrintToString(GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadLenientTest,
    testing::Values(
        LenientCase{"Decimal", "7586.707", 7586.707}, LenientCase{"TrailingLetters", "12abc", 12},
        LenientCase{"Letters", "abc", 0}, LenientCase{"Empty", "", 0},
        LenientCase{"Spaces", "   ", 0}, LenientCase{"LeadingSpaces", "  -1", -1},
        LenientCase{"PlusSign", "+2.5", 2.5},
        // spaces inside are skipped
        LenientCase{"SpacesInside", "1 2 . 5", 12.5}, LenientCase{"SpaceAfterMinus", "- 5", -5},
        LenientCase{"NoLeadingDigit", ".5", 0.5},
        LenientCase{"NegativeNoLeadingDigit", "-.5", -0.5}, LenientCase{"TrailingPoint", "7.", 7},
        LenientCase{"PointOnly", ".", 0}, LenientCase{"MinusOnly", "-", 0},
        LenientCase{"SecondPoint", "1.2.3", 1.2}, LenientCase{"Exponent", "1e3", 1000},
        LenientCase{"NegativeExponentThenLetter", "1E-2x", 0.01},
        LenientCase{"ExponentWithoutDigits", "1e", 1},
        LenientCase{"ExponentSignWithoutDigits", "1e+", 1},
        LenientCase{"ExponentThenLetter", "2e x", 2},
        LenientCase{"TrailingLineBreak", "3378571.281\r\n", 3378571.281},
        // only spaces are skipped
        LenientCase{"LeadingLineBreak", "\r\n5", 0},
        LenientCase{"TrailingDescription", "98.565562 起点方位角F", 98.565562},
        LenientCase{"UnderflowToZero", "1e-400", 0}, LenientCase{"ZeroWithExponent", "0.000e5", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadLenient, GivesInfinityBeyondTheDoubleRange) {
  EXPECT_EQ(ReadLenient("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadLenient("-1e99999999999999999999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadLenient(std::string(400, '9')), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadLenient("0." + std::string(400, '0') + "1"), 0.0);
}

struct StrictCase {
  const char* name;
  const char* text;
  std::optional<double> value;
};

class ReadStrictTest : public testing::TestWithParam<StrictCase> {};

TEST_P(ReadStrictTest, WantsOneWholeNumber) {
  EXPECT_EQ(ReadStrict(GetParam().text), GetParam().value)
      << "text " << testing::PrintToString(GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadStrictTest,
    testing::Values(StrictCase{"Whole", "5", 5}, StrictCase{"SurroundingSpaces", "  -10  ", -10},
                    StrictCase{"SignAndExponent", "+1.5e2", 150},
                    StrictCase{"NoLeadingDigit", ".5", 0.5}, StrictCase{"TrailingPoint", "7.", 7},
                    StrictCase{"Letters", "abc", std::nullopt},
                    StrictCase{"TrailingLetters", "12abc", std::nullopt},
                    StrictCase{"SpaceInside", "1 2", std::nullopt},
                    StrictCase{"Empty", "", std::nullopt}, StrictCase{"Spaces", "  ", std::nullopt},
                    StrictCase{"PointOnly", ".", std::nullopt},
                    StrictCase{"ExponentWithoutDigits", "1e", std::nullopt},
                    StrictCase{"BeyondTheDoubleRange", "1e400", std::nullopt},
                    StrictCase{"TrailingLineBreak", "5\r\n", std::nullopt},
                    StrictCase{"DoubleMinus", "--5", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IsBlank, TrimsSpacesOnly) {
  EXPECT_TRUE(IsBlank(""));
  EXPECT_TRUE(IsBlank("    "));
  EXPECT_FALSE(IsBlank("\r\n"));
  EXPECT_FALSE(IsBlank("\t"));
  EXPECT_FALSE(IsBlank(" 0 "));
}

}  // namespace
}  // namespace tarnvel
