#include "core/text/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <random>

namespace tarnvel {
namespace {

struct TextCase {
  const char* name;
  double value;
  const char* text;
};

class GeneralTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(GeneralTextTest, IsShortestWithFifteenDigits) {
  EXPECT_EQ(GeneralText(GetParam().value), GetParam().text) << "value " << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, GeneralTextTest,
    testing::Values(TextCase{"TrailingZero", 1.50, "1.5"}, TextCase{"Whole", 7800, "7800"},
                    TextCase{"Zero", 0, "0"}, TextCase{"NegativeZero", -0.0, "0"},
                    TextCase{"NegativeWhole", -1, "-1"}, TextCase{"OneDecimal", 7600.9, "7600.9"},
                    // fifteen digits hide the binary noise
                    TextCase{"SumWithBinaryNoise", 0.1 + 0.2, "0.3"},
                    TextCase{"StationSumWithBinaryNoise", 7600.0 + 0.1 * 9, "7600.9"},
                    TextCase{"SixteenDigitsAsExponent", 1e15, "1E+15"},
                    TextCase{"FifteenNines", 999999999999999, "999999999999999"},
                    TextCase{"FifteenNinesRoundUpToExponent", 999999999999999.9, "1E+15"},
                    TextCase{"FourthDecimalFixed", 0.0001, "0.0001"},
                    TextCase{"FifthDecimalAsExponent", 0.00001, "1E-05"},
                    TextCase{"NegativeSmallAsExponent", -0.000015, "-1.5E-05"},
                    TextCase{"EighteenDigitsRounded", 1.23456789012345678e17,
                             "1.23456789012346E+17"},
                    TextCase{"Tiny", 1e-300, "1E-300"},
                    TextCase{"Coordinate", 3378605.445, "3378605.445"}),
    [](const auto& info) { return std::string(info.param.name); });

class FixedTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(FixedTextTest, KeepsThreeDecimals) {
  EXPECT_EQ(FixedText(GetParam().value, 3), GetParam().text) << "value " << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, FixedTextTest,
    testing::Values(TextCase{"CoordinateRoundsDown", 3378603.3774, "3378603.377"},
                    TextCase{"PaddedWithZeros", 0.5, "0.500"},
                    TextCase{"NegativeWhole", -2, "-2.000"},
                    // exact half to even
                    TextCase{"ExactHalfToEvenDown", 0.0625, "0.062"},
                    TextCase{"ExactHalfToEvenUp", 0.1875, "0.188"},
                    TextCase{"NegativeRoundsToZero", -0.0004, "0.000"},
                    TextCase{"HugeWithoutExponent", 1e20, "100000000000000000000.000"}),
    [](const auto& info) { return std::string(info.param.name); });

class LabelTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(LabelTextTest, RoundsToFourThenDropsZeros) {
  EXPECT_EQ(LabelText(GetParam().value, 4), GetParam().text) << "value " << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Values, LabelTextTest,
                         testing::Values(TextCase{"CoordinateNoiseDropped", 3378568.39600001,
                                                  "3378568.396"},
                                         TextCase{"RoundsToWhole", 10.00004, "10"},
                                         TextCase{"NegativeRoundsToZero", -0.00004, "0"},
                                         TextCase{"HalfOfLastDecimalRoundsUp", 0.00005, "0.0001"},
                                         // below half: the binary value is under it
                                         TextCase{"BelowHalfOfLastDecimal", 0.000025, "0"},
                                         // an exact half goes to the even digit
                                         TextCase{"ExactHalfToEvenDown", 0.03125, "0.0312"},
                                         TextCase{"ExactHalfToEvenUp", 0.09375, "0.0938"},
                                         TextCase{"NegativeOneDecimal", -12.5, "-12.5"}),
                         [](const auto& info) { return std::string(info.param.name); });

class StationTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(StationTextTest, PadsAndMarksTheThousands) {
  EXPECT_EQ(StationText(GetParam().value), GetParam().text) << "value " << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, StationTextTest,
    testing::Values(TextCase{"RoundsUpIntoTheThousand", 7799.99968, "07+800.000"},
                    TextCase{"BelowAThousand", 12.5, "00+012.500"},
                    TextCase{"ThreeDigitThousands", 123456.7, "123+456.700"},
                    TextCase{"Zero", 0, "00+000.000"}, TextCase{"Negative", -12.5, "-00+012.500"},
                    TextCase{"NegativeRoundsToZero", -0.0001, "00+000.000"},
                    TextCase{"RoundsToMillimetres", 8050.6934, "08+050.693"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel

namespace tarnvel {
namespace {

// The general form is fifteen significant digits, correctly rounded.
void ExpectGeneralTextAgrees(double x) {
  char buffer[64];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, 14).ptr;
  const double rounded = std::strtod(std::string(buffer, end).c_str(), nullptr);
  const std::string text = GeneralText(x);
  ASSERT_EQ(std::strtod(text.c_str(), nullptr), rounded) << text << " for " << x;
  // Read again, the text gives itself: the element file relies on it.
  ASSERT_EQ(GeneralText(std::strtod(text.c_str(), nullptr)), text) << x;
}

// The tables format numbers in exact integer arithmetic; it must agree with
// the library's correctly rounded conversion on every kind of value.
TEST(NumberTexts, AgreeWithTheLibraryConversion) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> exponent(-12, 16);
  std::uniform_int_distribution<int> decimals(0, 9);
  char buffer[512];
  for (int i = 0; i < 200000; ++i) {
    double x = std::pow(10.0, exponent(random)) * (random() % 2 ? 1 : -1);
    if (i % 4 == 0) x = std::round(x * 1000) / 1000;                     // typed millimetres
    if (i % 8 == 1) x = std::ldexp(std::round(std::ldexp(x, 10)), -10);  // exact halves
    const int d = decimals(random);
    auto end = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, d).ptr;
    std::string fixed(buffer, end);
    if (fixed.front() == '-' && fixed.find_first_of("123456789") == std::string::npos)
      fixed.erase(0, 1);
    ASSERT_EQ(FixedText(x, d), fixed) << x << " to " << d;

    ExpectGeneralTextAgrees(x);
  }
  // Just below and above every power of ten, where the number of digits
  // before the point changes.
  for (int power = -5; power <= 16; ++power) {
    double x = std::pow(10.0, power);
    for (int step = 0; step < 200; ++step) {
      ExpectGeneralTextAgrees(x);
      ExpectGeneralTextAgrees(-x);
      x = std::nextafter(x, 0.0);
      if (step == 100) x = std::pow(10.0, power) * (1 - 1e-14);
    }
  }
  EXPECT_EQ(GeneralText(9999999999999.98), "9999999999999.98");
  EXPECT_EQ(GeneralText(9999999999999.999), "10000000000000");
}

}  // namespace
}  // namespace tarnvel
