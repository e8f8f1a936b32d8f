#include "angle_radian.h"

#include <gtest/gtest.h>

namespace tarnvel {
namespace {

struct ToRadiansCase {
  DmsFields fields;
  const char* radians;
};

void PrintTo(const ToRadiansCase& c, std::ostream* os) {
  *os << c.fields.degrees << "/" << c.fields.minutes << "/" << c.fields.seconds;
}

class DegreesToRadiansTest : public testing::TestWithParam<ToRadiansCase> {};

TEST_P(DegreesToRadiansTest, WritesNineDecimals) {
  const auto outcome = DegreesToRadians(GetParam().fields);
  ASSERT_TRUE(std::holds_alternative<std::string>(outcome))
      << std::get<Refusal>(outcome).message;
  EXPECT_EQ(std::get<std::string>(outcome), GetParam().radians);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, DegreesToRadiansTest,
    testing::Values(ToRadiansCase{{"10", "20", "30"}, "0.180496133"},
                    ToRadiansCase{{"90", "0", "0"}, "1.570796327"},
                    // 75 minutes are 1°15′.
                    ToRadiansCase{{"10", "75", "0"}, "0.196349541"},
                    ToRadiansCase{{"11", "15", "0"}, "0.196349541"},
                    // The parts are added as they stand: -10° + 20′ + 30″.
                    ToRadiansCase{{"-10", "20", "30"}, "-0.168569717"},
                    ToRadiansCase{{"0", "0", "0"}, "0.000000000"},
                    ToRadiansCase{{"-0", "0", "0"}, "0.000000000"},
                    ToRadiansCase{{" 180 ", "0", "0"}, "3.141592654"},
                    ToRadiansCase{{"0", "0", "0.1"}, "0.000000485"},
                    ToRadiansCase{{"1e2", "0", "0"}, "1.745329252"}));

struct ToDmsCase {
  const char* radians;
  DmsFields fields;
};

void PrintTo(const ToDmsCase& c, std::ostream* os) { *os << c.radians; }

class RadiansToDegreesTest : public testing::TestWithParam<ToDmsCase> {};

TEST_P(RadiansToDegreesTest, CutsSecondsToTenths) {
  const auto outcome = RadiansToDegrees(GetParam().radians);
  ASSERT_TRUE(std::holds_alternative<DmsFields>(outcome))
      << std::get<Refusal>(outcome).message;
  EXPECT_EQ(std::get<DmsFields>(outcome), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, RadiansToDegreesTest,
    testing::Values(ToDmsCase{"0.180496133", {"10", "20", "29.9"}},
                    ToDmsCase{"1", {"57", "17", "44.8"}},
                    ToDmsCase{"0", {"0", "0", "0"}},
                    ToDmsCase{"-0", {"0", "0", "0"}},
                    // Floored degrees: the minutes and seconds stay positive.
                    ToDmsCase{"-0.1", {"-6", "16", "13.5"}},
                    ToDmsCase{"1.570796327", {"90", "0", "0"}},
                    ToDmsCase{" 3.141592654 ", {"180", "0", "0"}},
                    ToDmsCase{"6.283185307", {"359", "59", "59.9"}}));

struct RefusalCase {
  const char* name;
  DmsFields fields;  // for radians to degrees, the radians in `degrees`
  bool toRadians;
  Refusal refusal;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class ConverterRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(ConverterRefusalTest, Refuses) {
  const auto& c = GetParam();
  if (c.toRadians) {
    const auto outcome = DegreesToRadians(c.fields);
    ASSERT_TRUE(std::holds_alternative<Refusal>(outcome));
    EXPECT_EQ(std::get<Refusal>(outcome), c.refusal);
  } else {
    const auto outcome = RadiansToDegrees(c.fields.degrees);
    ASSERT_TRUE(std::holds_alternative<Refusal>(outcome));
    EXPECT_EQ(std::get<Refusal>(outcome), c.refusal);
  }
}

const Refusal kIncompleteDms{"数据未输入完整！", MessageIcon::Information, "Text1"};
const Refusal kIncompleteRadians{"数据未输入完整！", MessageIcon::Information, "Text4"};
const Refusal kTooLarge{"计算结果超出数值范围，请检查输入数据！", MessageIcon::Exclamation,
                        "Text1"};

INSTANTIATE_TEST_SUITE_P(
    Inputs, ConverterRefusalTest,
    testing::Values(
        RefusalCase{"degrees blank", {"", "20", "30"}, true, kIncompleteDms},
        // Whichever box is blank, the focus goes to Text1.
        RefusalCase{"seconds spaces", {"10", "20", "  "}, true, kIncompleteDms},
        RefusalCase{"blank before letters", {"abc", "", "30"}, true, kIncompleteDms},
        RefusalCase{"degrees letters", {"abc", "20", "30"}, true,
                    {"输入“度”不是有效的数字！", MessageIcon::Exclamation, "Text1"}},
        RefusalCase{"minutes trailing text", {"10", "20分", "30"}, true,
                    {"输入“分”不是有效的数字！", MessageIcon::Exclamation, "Text2"}},
        RefusalCase{"seconds beyond range", {"10", "20", "1e999"}, true,
                    {"输入“秒”不是有效的数字！", MessageIcon::Exclamation, "Text3"}},
        RefusalCase{"sum beyond range", {"1e308", "1e308", "0"}, true, kTooLarge},
        RefusalCase{"radians blank", {" ", "", ""}, false, kIncompleteRadians},
        RefusalCase{"radians letters", {"abc", "", ""}, false,
                    {"输入“弧度”不是有效的数字！", MessageIcon::Exclamation, "Text4"}},
        RefusalCase{"radians comma", {"0,5", "", ""}, false,
                    {"输入“弧度”不是有效的数字！", MessageIcon::Exclamation, "Text4"}},
        RefusalCase{"degrees beyond range", {"1e307", "", ""}, false,
                    {"计算结果超出数值范围，请检查输入数据！", MessageIcon::Exclamation,
                     "Text4"}}));

}  // namespace
}  // namespace tarnvel
