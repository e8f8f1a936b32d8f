#include "core/element/forward_computation.h"

#include <gtest/gtest.h>

#include "example_element.h"

namespace tarnvel {
namespace {

using testing_support::InitialElement;
using testing_support::WithField;

// The boxes as typed, quoted so that spaces show.
std::string Typed(const ElementTexts& element, const char* station, const char* offset,
                  const char* skew) {
  return "element " + testing::PrintToString(element) + ", station " +
         testing::PrintToString(station) + ", offset " + testing::PrintToString(offset) +
         ", skew " + testing::PrintToString(skew);
}

struct ResultCase {
  const char* name;
  ElementTexts element;
  const char* station;
  const char* offset;
  const char* skew;
  ForwardTexts texts;
};

void PrintTo(const ResultCase& c, std::ostream* os) {
  *os << Typed(c.element, c.station, c.offset, c.skew);
}

class ForwardResultTest : public testing::TestWithParam<ResultCase> {};

TEST_P(ForwardResultTest, ShowsTheLabels) {
  const auto& c = GetParam();
  const auto outcome = ComputeForward({c.element, c.station, c.offset, c.skew});
  ASSERT_TRUE(std::holds_alternative<ForwardTexts>(outcome))
      << std::get<Refusal>(outcome).message << " for " << testing::PrintToString(c);
  EXPECT_EQ(std::get<ForwardTexts>(outcome), c.texts) << testing::PrintToString(c);
}

INSTANTIATE_TEST_SUITE_P(
    InitialElement, ForwardResultTest,
    testing::Values(ResultCase{"Centre",
                               InitialElement(),
                               "7800",
                               "0",
                               "90",
                               {"3378571.2815", "453859.2413", "99°45ˊ11.85″"}},
                    // The fourth decimal is 0 and is not shown.
                    ResultCase{"Right10",
                               InitialElement(),
                               "7800",
                               "10",
                               "90",
                               {"3378561.426", "453857.5473", "99°45ˊ11.85″"}},
                    ResultCase{"Left10",
                               InitialElement(),
                               "7800",
                               "-10",
                               "90",
                               {"3378581.1369", "453860.9354", "99°45ˊ11.85″"}},
                    ResultCase{"Skew45",
                               InitialElement(),
                               "7800",
                               "5",
                               "45",
                               {"3378567.1981", "453862.1268", "99°45ˊ11.85″"}},
                    ResultCase{"Skew135",
                               InitialElement(),
                               "7800",
                               "5",
                               "135",
                               {"3378568.396", "453855.1579", "99°45ˊ11.85″"}},
                    ResultCase{"ElementStart",
                               InitialElement(),
                               "7586.707",
                               "0",
                               "90",
                               {"3378605.445", "453648.704", "98°56ˊ55.62″"}},
                    ResultCase{"ElementEnd",
                               InitialElement(),
                               "7946.707",
                               "0",
                               "90",
                               {"3378544.7144", "454003.5185", "101°14ˊ26.21″"}},
                    ResultCase{"LeftTurn",
                               WithField(InitialElement(), 7, "-1"),
                               "7800",
                               "0",
                               "90",
                               {"3378573.2537", "453859.5519", "98°8ˊ39.39″"}},
                    ResultCase{"Arc",
                               WithField(InitialElement(), 5, "4500"),
                               "7800",
                               "0",
                               "90",
                               {"3378567.287", "453858.5357", "101°39ˊ52.25″"}},
                    ResultCase{"Straight",
                               WithField(InitialElement(), 6, "0"),
                               "7800",
                               "0",
                               "90",
                               {"3378572.267", "453859.4008", "98°56ˊ55.62″"}},
                    ResultCase{"LenientStation",
                               InitialElement(),
                               "7800abc",
                               " 0 ",
                               "90",
                               {"3378571.2815", "453859.2413", "99°45ˊ11.85″"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
  const char* name;
  ElementTexts element;
  const char* station;
  const char* offset;
  const char* skew;
  Refusal refusal;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
  *os << Typed(c.element, c.station, c.offset, c.skew);
}

class ForwardRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(ForwardRefusalTest, ShowsTheFirstFailure) {
  const auto& c = GetParam();
  const auto outcome = ComputeForward({c.element, c.station, c.offset, c.skew});
  ASSERT_TRUE(std::holds_alternative<Refusal>(outcome)) << testing::PrintToString(c);
  EXPECT_EQ(std::get<Refusal>(outcome), c.refusal) << testing::PrintToString(c);
}

constexpr auto kMissing = RefusalKind::MissingInput;
constexpr auto kUnusable = RefusalKind::UnusableValue;

INSTANTIATE_TEST_SUITE_P(
    Checks, ForwardRefusalTest,
    testing::Values(
        RefusalCase{"ElementCheckedFirst",
                    WithField(InitialElement(), 2, ""),
                    "",
                    "",
                    "",
                    {"请输入“起点坐标X”！", kMissing, Field::StartX}},
        RefusalCase{"StationBlank",
                    InitialElement(),
                    " ",
                    "",
                    "",
                    {"请输入“计算里程K”！", kMissing, Field::ForwardStation}},
        RefusalCase{"OffsetSpaces",
                    InitialElement(),
                    "7800",
                    "   ",
                    "90",
                    {"请输入“计算偏距m”！", kMissing, Field::ForwardOffset}},
        RefusalCase{"SkewBlank",
                    InitialElement(),
                    "7800",
                    "0",
                    "",
                    {"请输入“计算偏角a”！", kMissing, Field::ForwardSkew}},
        RefusalCase{"BeforeStart",
                    InitialElement(),
                    "7586.706",
                    "0",
                    "90",
                    {"输入“计算桩号K”超出范围！", kUnusable, Field::ForwardStation}},
        RefusalCase{"AfterEnd",
                    InitialElement(),
                    "7946.708",
                    "0",
                    "90",
                    {"输入“计算桩号K”超出范围！", kUnusable, Field::ForwardStation}},
        RefusalCase{"StationText",
                    InitialElement(),
                    "abc",
                    "0",
                    "90",
                    {"输入“计算桩号K”超出范围！", kUnusable, Field::ForwardStation}},
        RefusalCase{"RangeBeforeOffset",
                    InitialElement(),
                    "9000",
                    "abc",
                    "90",
                    {"输入“计算桩号K”超出范围！", kUnusable, Field::ForwardStation}},
        RefusalCase{"ReversedElement",
                    WithField(InitialElement(), 1, "7000"),
                    "7500",
                    "0",
                    "90",
                    {"输入“计算桩号K”超出范围！", kUnusable, Field::ForwardStation}},
        RefusalCase{"OffsetText",
                    InitialElement(),
                    "7800",
                    "abc",
                    "90",
                    {"输入“计算偏距m”不是有效的数字！", kUnusable, Field::ForwardOffset}},
        RefusalCase{"SkewText",
                    InitialElement(),
                    "7800",
                    "0",
                    "9O",
                    {"输入“计算偏角a”不是有效的数字！", kUnusable, Field::ForwardSkew}},
        RefusalCase{"ElementStartText",
                    WithField(InitialElement(), 0, "7586.707m"),
                    "7800",
                    "0",
                    "90",
                    {"输入“起点桩号K”不是有效的数字！", kUnusable, Field::StartStation}},
        RefusalCase{"ElementEndText",
                    WithField(InitialElement(), 1, "K7946"),
                    "7800",
                    "0",
                    "90",
                    {"输入“止点桩号K”不是有效的数字！", kUnusable, Field::EndStation}},
        RefusalCase{
            "ZeroLengthElement",
            WithField(InitialElement(), 1, "7586.707"),
            "7586.707",
            "0",
            "90",
            {"线元长度为零，“止点桩号K”不能等于“起点桩号K”！", kUnusable, Field::EndStation}},
        RefusalCase{"TurnDirection",
                    WithField(InitialElement(), 7, "2"),
                    "7800",
                    "0",
                    "90",
                    {"“曲线转向Q”只能输入-1、0或1（左转为-1、右转为1、直线为0）！", kUnusable,
                     Field::TurnDirection}},
        RefusalCase{"Overflow",
                    WithField(InitialElement(), 2, "1.7e308"),
                    "7800",
                    "1e308",
                    "-90",
                    {"计算结果超出数值范围，请检查输入数据！", kUnusable, Field::ForwardStation}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
