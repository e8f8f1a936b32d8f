#include "core/text/angle.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarnvel {
namespace {

struct DmsCase {
  const char* name;
  double dms;
  double degrees;
};

class DmsToDegreesTest : public testing::TestWithParam<DmsCase> {};

TEST_P(DmsToDegreesTest, SplitsTheTypedDigits) {
  EXPECT_DOUBLE_EQ(DmsToDegrees(GetParam().dms), GetParam().degrees) << "d.mmss " << GetParam().dms;
}

INSTANTIATE_TEST_SUITE_P(
    Typed, DmsToDegreesTest,
    testing::Values(DmsCase{"DecimalSeconds", 98.565562, 98 + (56 + 55.62 / 60) / 60},
                    DmsCase{"WholeDegrees", 90, 90}, DmsCase{"OneSecond", 0.0001, 1.0 / 3600},
                    DmsCase{"NegativeMinutes", -0.3, -0.5},
                    DmsCase{"ThirtyMinutesBinaryBelow", 45.3, 45.5},
                    DmsCase{"ThirtyMinutesBinaryAbove", 30.3, 30.5},
                    // 75 minutes are added
                    DmsCase{"SeventyFiveMinutes", 98.75, 99.25}, DmsCase{"Zero", 0, 0},
                    DmsCase{"LastSecondOfTheTurn", 359.5959, 359 + (59 + 59.0 / 60) / 60},
                    DmsCase{"TenthOfASecond", 1.00001, 1 + 0.1 / 3600}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DmsToDegrees, IsExactWhereTheDigitsAre) {
  // The binary value of 98.565562 lies below it; splitting its exact
  // expansion would give 55.6199999… seconds.
  EXPECT_EQ(DmsToDegrees(98.565562), 98 + (56 + 55.62 / 60) / 60);
  EXPECT_EQ(DmsToDegrees(90), 90.0);
}

struct DmsTextCase {
  const char* name;
  double degrees;
  const char* text;
};

class DegreesToDmsTextTest : public testing::TestWithParam<DmsTextCase> {};

TEST_P(DegreesToDmsTextTest, WritesShortestParts) {
  EXPECT_EQ(DegreesToDmsText(GetParam().degrees), GetParam().text)
      << "degrees " << GetParam().degrees;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DegreesToDmsTextTest,
    testing::Values(
        DmsTextCase{"DecimalSeconds", 98 + (56 + 55.62 / 60) / 60, "98°56ˊ55.62″"},
        DmsTextCase{"WholeDegrees", 12, "12°0ˊ0″"}, DmsTextCase{"HalfDegree", 0.5, "0°30ˊ0″"},
        DmsTextCase{"NegativeHalfDegree", -0.5, "-0°30ˊ0″"},
        DmsTextCase{"HalfSecond", 12.5 + 0.5 / 3600, "12°30ˊ0.5″"},
        DmsTextCase{"Zero", 0.0, "0°0ˊ0″"}, DmsTextCase{"NegativeZero", -0.0, "0°0ˊ0″"},
        DmsTextCase{"BeyondAFullTurn", 370.5, "370°30ˊ0″"},
        // Seconds that round to 60 carry, also through the minutes.
        DmsTextCase{"SecondsCarryIntoDegrees", 359 + 59.0 / 60 + 59.999 / 3600, "360°0ˊ0″"},
        DmsTextCase{"SecondsCarryIntoMinutes", 10 + 4.0 / 60 + 59.996 / 3600, "10°5ˊ0″"},
        DmsTextCase{"SecondsJustShortOfCarry", 10 + 4.0 / 60 + 59.994 / 3600, "10°4ˊ59.99″"},
        // A negative angle that rounds to nothing shows no minus sign.
        DmsTextCase{"NegativeRoundsToZero", -0.000001, "0°0ˊ0″"},
        DmsTextCase{"NegativeHundredthsOfASecond", -1e-4, "-0°0ˊ0.36″"}),
    [](const auto& info) { return std::string(info.param.name); });

// Pins route azimuths printed below 0° and from 360° on ("-27°38ˊ52.4″",
// "387°38ˊ52.4″") where a route turns through north.
struct AzimuthTextCase {
  const char* name;
  double degrees;
  const char* text;
};

class AzimuthDmsTextTest : public testing::TestWithParam<AzimuthTextCase> {};

TEST_P(AzimuthDmsTextTest, IsWithinAFullTurn) {
  EXPECT_EQ(AzimuthDmsText(GetParam().degrees), GetParam().text)
      << "degrees " << GetParam().degrees;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AzimuthDmsTextTest,
    testing::Values(AzimuthTextCase{"Within", 98 + (56 + 55.62 / 60) / 60, "98°56ˊ55.62″"},
                    AzimuthTextCase{"Negative", -(27 + (38 + 52.4 / 60) / 60), "332°21ˊ7.6″"},
                    AzimuthTextCase{"PastFullTurn", 387 + (38 + 52.4 / 60) / 60, "27°38ˊ52.4″"},
                    AzimuthTextCase{"FullTurn", 360, "0°0ˊ0″"},
                    AzimuthTextCase{"TwoTurnsBack", -720.5, "359°30ˊ0″"},
                    AzimuthTextCase{"RoundsUpTo360", 359 + 59.0 / 60 + 59.999 / 3600, "0°0ˊ0″"},
                    AzimuthTextCase{"HairBelowZero", -1e-300, "0°0ˊ0″"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SinCosDeg, UseTheSystemsPi) {
  EXPECT_EQ(SinDeg(90), 1.0);
  EXPECT_EQ(CosDeg(0), 1.0);
  // The shortened π leaves cos 90° at about 1.6e-15, not 0.
  EXPECT_GT(CosDeg(90), 1.5e-15);
  EXPECT_LT(CosDeg(90), 1.7e-15);
  EXPECT_EQ(kPi, 3.14159265358979);
  EXPECT_NE(kPi, std::acos(-1.0));
}

}  // namespace
}  // namespace tarnvel
