#include "core/tools/angle_radian.h"

#include <gtest/gtest.h>

namespace tarnvel {
namespace {

// The three boxes quoted, so that spaces in them show.
std::string Boxes(const DmsFields& f) {
  return testing::PrintToString(f.degrees) + " " + testing::PrintToString(f.minutes) + " " +
         testing::PrintToString(f.seconds);
}

struct ToRadiansCase {
  const char* name;
  DmsFields fields;
  const char* radians;
};

void PrintTo(const ToRadiansCase& c, std::ostream* os) {
  *os << Boxes(c.fields);
}

class DegreesToRadiansTest : public testing::TestWithParam<ToRadiansCase> {};

TEST_P(DegreesToRadiansTest, WritesNineDecimals) {
  const auto outcome = DegreesToRadians(GetParam().fields);
  ASSERT_TRUE(std::holds_alternative<std::string>(outcome))
      << std::get<Refusal>(outcome).message << " for " << Boxes(GetParam().fields);
  EXPECT_EQ(std::get<std::string>(outcome), GetParam().radians) << Boxes(GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, DegreesToRadiansTest,
    testing::Values(ToRadiansCase{"AllThreeParts", {"10", "20", "30"}, "0.180496133"},
                    ToRadiansCase{"RightAngle", {"90", "0", "0"}, "1.570796327"},
                    // 75 minutes are 1°15′.
                    ToRadiansCase{"SeventyFiveMinutes", {"10", "75", "0"}, "0.196349541"},
                    ToRadiansCase{"SameAngleWrittenNormally", {"11", "15", "0"}, "0.196349541"},
                    // The parts are added as they stand: -10° + 20′ + 30″.
                    ToRadiansCase{"NegativeDegreesOnly", {"-10", "20", "30"}, "-0.168569717"},
                    ToRadiansCase{"Zero", {"0", "0", "0"}, "0.000000000"},
                    ToRadiansCase{"NegativeZero", {"-0", "0", "0"}, "0.000000000"},
                    ToRadiansCase{"SpacesAround", {" 180 ", "0", "0"}, "3.141592654"},
                    ToRadiansCase{"TenthOfASecond", {"0", "0", "0.1"}, "0.000000485"},
                    ToRadiansCase{"ExponentDegrees", {"1e2", "0", "0"}, "1.745329252"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ToDmsCase {
  const char* name;
  const char* radians;
  DmsFields fields;
};

void PrintTo(const ToDmsCase& c, std::ostream* os) {
  *os << testing::PrintToString(c.radians);
}

class RadiansToDegreesTest : public testing::TestWithParam<ToDmsCase> {};

TEST_P(RadiansToDegreesTest, CutsSecondsToTenths) {
  const auto outcome = RadiansToDegrees(GetParam().radians);
  ASSERT_TRUE(std::holds_alternative<DmsFields>(outcome))
      << std::get<Refusal>(outcome).message << " for " << testing::PrintToString(GetParam());
  EXPECT_EQ(std::get<DmsFields>(outcome), GetParam().fields)
      << testing::PrintToString(GetParam()) << " gave " << Boxes(std::get<DmsFields>(outcome))
      << ", not " << Boxes(GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, RadiansToDegreesTest,
    testing::Values(ToDmsCase{"SecondsCutNotRounded", "0.180496133", {"10", "20", "29.9"}},
                    ToDmsCase{"OneRadian", "1", {"57", "17", "44.8"}},
                    ToDmsCase{"Zero", "0", {"0", "0", "0"}},
                    ToDmsCase{"NegativeZero", "-0", {"0", "0", "0"}},
                    // Floored degrees: the minutes and seconds stay positive.
                    ToDmsCase{"NegativeFloorsDegrees", "-0.1", {"-6", "16", "13.5"}},
                    ToDmsCase{"RightAngle", "1.570796327", {"90", "0", "0"}},
                    ToDmsCase{"SpacesAround", " 3.141592654 ", {"180", "0", "0"}},
                    ToDmsCase{"JustShortOfFullTurn", "6.283185307", {"359", "59", "59.9"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
  const char* name;
  DmsFields fields;  // for radians to degrees, the radians in `degrees`
  bool toRadians;
  Refusal refusal;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
  if (c.toRadians)
    *os << "degrees, minutes, seconds " << Boxes(c.fields);
  else
    *os << "radians " << testing::PrintToString(c.fields.degrees);
}

class ConverterRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(ConverterRefusalTest, Refuses) {
  const auto& c = GetParam();
  if (c.toRadians) {
    const auto outcome = DegreesToRadians(c.fields);
    ASSERT_TRUE(std::holds_alternative<Refusal>(outcome)) << testing::PrintToString(c);
    EXPECT_EQ(std::get<Refusal>(outcome), c.refusal) << testing::PrintToString(c);
  } else {
    const auto outcome = RadiansToDegrees(c.fields.degrees);
    ASSERT_TRUE(std::holds_alternative<Refusal>(outcome)) << testing::PrintToString(c);
    EXPECT_EQ(std::get<Refusal>(outcome), c.refusal) << testing::PrintToString(c);
  }
}

const Refusal kIncompleteDms{"数据未输入完整！", RefusalKind::MissingInput, Field::Degrees};
const Refusal kIncompleteRadians{"数据未输入完整！", RefusalKind::MissingInput, Field::Radians};
const Refusal kTooLarge{"计算结果超出数值范围，请检查输入数据！", RefusalKind::UnusableValue,
                        Field::Degrees};

INSTANTIATE_TEST_SUITE_P(
    Inputs, ConverterRefusalTest,
    testing::Values(
        RefusalCase{"DegreesBlank", {"", "20", "30"}, true, kIncompleteDms},
        // Whichever box is blank, the focus goes to Text1.
        RefusalCase{"SecondsSpaces", {"10", "20", "  "}, true, kIncompleteDms},
        RefusalCase{"BlankBeforeLetters", {"abc", "", "30"}, true, kIncompleteDms},
        RefusalCase{"DegreesLetters",
                    {"abc", "20", "30"},
                    true,
                    {"输入“度”不是有效的数字！", RefusalKind::UnusableValue, Field::Degrees}},
        RefusalCase{"MinutesTrailingText",
                    {"10", "20分", "30"},
                    true,
                    {"输入“分”不是有效的数字！", RefusalKind::UnusableValue, Field::Minutes}},
        RefusalCase{"SecondsBeyondRange",
                    {"10", "20", "1e999"},
                    true,
                    {"输入“秒”不是有效的数字！", RefusalKind::UnusableValue, Field::Seconds}},
        RefusalCase{"SumBeyondRange", {"1e308", "1e308", "0"}, true, kTooLarge},
        RefusalCase{"RadiansBlank", {" ", "", ""}, false, kIncompleteRadians},
        RefusalCase{"RadiansLetters",
                    {"abc", "", ""},
                    false,
                    {"输入“弧度”不是有效的数字！", RefusalKind::UnusableValue, Field::Radians}},
        RefusalCase{"RadiansComma",
                    {"0,5", "", ""},
                    false,
                    {"输入“弧度”不是有效的数字！", RefusalKind::UnusableValue, Field::Radians}},
        RefusalCase{"ResultDegreesBeyondRange",
                    {"1e307", "", ""},
                    false,
                    {"计算结果超出数值范围，请检查输入数据！", RefusalKind::UnusableValue,
                     Field::Radians}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
