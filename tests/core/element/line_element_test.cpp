#include "core/element/line_element.h"

#include <gtest/gtest.h>

#include "core/text/angle.h"
#include "example_element.h"

namespace tarnvel {
namespace {

using testing_support::InitialElement;
using testing_support::WithField;

TEST(CheckElementFields, StopsAtTheFirstBlankField) {
  const char* messages[] = {"请输入“起点桩号K”！",  "请输入“止点桩号K”！",   "请输入“起点坐标X”！",
                            "请输入“起点坐标Y”！",  "请输入“起点方位角F”！", "请输入“起点半径RQ”！",
                            "请输入“止点半径RN”！", "请输入“曲线转角”！"};
  for (size_t i = 0; i < 8; ++i) {
    ElementTexts texts = InitialElement();
    for (size_t j = i; j < 8; ++j) texts[j] = "  ";
    const auto refusal = CheckElementFields(texts);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message, messages[i]);
    EXPECT_EQ(refusal->kind, RefusalKind::MissingInput);
    EXPECT_EQ(refusal->field, kElementFields[i]);
  }
  EXPECT_FALSE(CheckElementFields(InitialElement()));
}

TEST(SJ, NormalisesTheElement) {
  const LineElement e = SJ(WithField(InitialElement(), 0, "7586.707abc"));
  EXPECT_EQ(e.K0, 7586.707);
  EXPECT_DOUBLE_EQ(e.F, 98.948783333333333);
  EXPECT_EQ(e.RQ, 1e45);
  EXPECT_EQ(e.RN, 4500);
  EXPECT_EQ(e.Q, 1);
}

struct AzimuthCase {
  const char* name;
  const char* q;
  const char* rq;
  const char* rn;
  double station;
  double degrees;
  const char* text;
};

class QXFWJTest : public testing::TestWithParam<AzimuthCase> {};

TEST_P(QXFWJTest, TurnsByTheMeanCurvature) {
  const auto& c = GetParam();
  ElementTexts texts = InitialElement();
  texts[5] = c.rq;
  texts[6] = c.rn;
  texts[7] = c.q;
  const double a = QXFWJ(texts, c.station);
  const std::string typed = std::string("Q ") + c.q + ", RQ " + c.rq + ", RN " + c.rn;
  EXPECT_NEAR(a, c.degrees, 1e-9) << typed << ", station " << c.station;
  EXPECT_EQ(DegreesToDmsText(a), c.text) << typed << ", station " << c.station;
}

INSTANTIATE_TEST_SUITE_P(
    InitialElement, QXFWJTest,
    testing::Values(
        AzimuthCase{"Spiral_Start", "1", "0", "4500", 7586.707, 98.948783333, "98°56ˊ55.62″"},
        AzimuthCase{"Spiral_Inside", "1", "0", "4500", 7800, 99.753292186, "99°45ˊ11.85″"},
        AzimuthCase{"Spiral_End", "1", "0", "4500", 7946.707, 101.240614513, "101°14ˊ26.21″"},
        AzimuthCase{"LeftSpiral_Inside", "-1", "0", "4500", 7800, 98.144274480, "98°8ˊ39.39″"},
        // Q = 0 leaves the radii unsigned: the azimuth still turns right.
        AzimuthCase{"UnturnedSpiral_Inside", "0", "0", "4500", 7800, 99.753292186, "99°45ˊ11.85″"},
        AzimuthCase{"Straight_Inside", "1", "0", "0", 7800, 98.948783333, "98°56ˊ55.62″"},
        // Before K0 the curvature law runs on with its sign: leaving a
        // straight, the turn grows with the square of the distance
        // either way...
        AzimuthCase{"Spiral_BeforeStart", "1", "0", "4500", 7586.707 - 213.293, 99.753292186,
                    "99°45ˊ11.85″"},
        // ...but on an arc it turns back. Taking the distance as its
        // absolute value mirrored this to 101°39ˊ52.25″ and put the
        // inverse's feet before K0 up to 0.27 m off.
        AzimuthCase{"Arc_BeforeStart", "1", "4500", "4500", 7586.707 - 213.293, 96.233052511,
                    "96°13ˊ58.99″"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ValueCase {
  const char* name;
  size_t field;
  const char* text;
  const char* message;
};

class CheckElementValuesTest : public testing::TestWithParam<ValueCase> {};

TEST_P(CheckElementValuesTest, RefusesWhatCannotBeComputed) {
  const auto& c = GetParam();
  const auto refusal = CheckElementValues(SJ(WithField(InitialElement(), c.field, c.text)));
  const std::string typed = "field " + std::to_string(c.field) + " typed " + c.text;
  ASSERT_TRUE(refusal) << typed;
  EXPECT_EQ(refusal->message, c.message) << typed;
  EXPECT_EQ(refusal->kind, RefusalKind::UnusableValue) << typed;
  EXPECT_EQ(refusal->field, kElementFields[c.field]) << typed;
}

INSTANTIATE_TEST_SUITE_P(
    Values, CheckElementValuesTest,
    testing::Values(
        ValueCase{"ZeroLength", 1, "7586.707", "线元长度为零，“止点桩号K”不能等于“起点桩号K”！"},
        ValueCase{"TurnTwo", 7, "2", "“曲线转向Q”只能输入-1、0或1（左转为-1、右转为1、直线为0）！"},
        ValueCase{"TurnHalf", 7, "0.5",
                  "“曲线转向Q”只能输入-1、0或1（左转为-1、右转为1、直线为0）！"},
        ValueCase{"StartXBeyondRange", 2, "1e999", "输入“起点坐标X”超出数值范围！"},
        ValueCase{"EndRadiusBeyondRange", 6, "-1e400", "输入“止点半径RN”超出数值范围！"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CheckElementValues, AcceptsTheThreeTurnDirections) {
  for (const char* q : {"-1", "0", "1", "1.0", "-1abc"})
    EXPECT_FALSE(CheckElementValues(SJ(WithField(InitialElement(), 7, q)))) << q;
}

}  // namespace
}  // namespace tarnvel
