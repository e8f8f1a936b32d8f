#include "core/element/inverse_computation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/text/angle.h"
#include "example_element.h"

namespace tarnvel {
namespace {

using testing_support::InitialElement;
using testing_support::WithField;

struct FootCase {
  const char* name;
  ElementTexts element;
  const char* x;
  const char* y;
  InverseTexts texts;
};

void PrintTo(const FootCase& c, std::ostream* os) {
  *os << "element " << testing::PrintToString(c.element) << ", point "
      << testing::PrintToString(c.x) << " " << testing::PrintToString(c.y);
}

class InverseResultTest : public testing::TestWithParam<FootCase> {};

TEST_P(InverseResultTest, ShowsStationAndOffset) {
  const auto& c = GetParam();
  const auto outcome = ComputeInverse({c.element, c.x, c.y});
  ASSERT_TRUE(std::holds_alternative<InverseTexts>(outcome))
      << std::get<Refusal>(outcome).message << " for " << testing::PrintToString(c);
  EXPECT_EQ(std::get<InverseTexts>(outcome), c.texts) << testing::PrintToString(c);
}

// An element running due east or due west, where the offset cannot be taken
// from the easting difference alone.
ElementTexts EastWest(const char* azimuth, const char* q) {
  return {"1000", "1200", "5000", "2000", azimuth, "0", "0", q};
}

INSTANTIATE_TEST_SUITE_P(
    Points, InverseResultTest,
    testing::Values(
        // Its coordinates were cut to millimetres: 0.54 mm right of the line.
        FootCase{"InitialPointCutToMillimetres",
                 InitialElement(),
                 "3378571.281\r\n",
                 "453859.241\r\n",
                 {"07+800.000", "0.001"}},
        FootCase{"Right10", InitialElement(), "3378561.426", "453857.5473", {"07+800.000", "10"}},
        FootCase{"Left10", InitialElement(), "3378581.1369", "453860.9354", {"07+800.000", "-10"}},
        // The search stops with 0.00009 m along the tangent; it is no offset.
        FootCase{"OnTheLine", InitialElement(), "3378571.2815", "453859.2413", {"07+800.000", "0"}},
        FootCase{"BeyondTheEnd", InitialElement(), "3378500", "454100", {"08+050.693", "23.741"}},
        FootCase{"DueEast_Right", EastWest("90", "0"), "4990", "2100", {"01+100.000", "10"}},
        FootCase{"DueEast_Left", EastWest("90", "0"), "5012.5", "2050", {"01+050.000", "-12.5"}},
        FootCase{"DueWest_Right", EastWest("270", "0"), "5010", "1900", {"01+100.000", "10"}},
        FootCase{"DueWest_OnTheLine", EastWest("270", "0"), "5000", "1850", {"01+150.000", "0"}},
        FootCase{"DueEastArc_Start",
                 {"1000", "1200", "5000", "2000", "90", "300", "300", "1"},
                 "5000",
                 "2000",
                 {"01+000.000", "0"}},
        // 2.5 R from the centre of an arc of R 60 the correction along the
        // tangent cannot settle; such a point used to be refused.
        FootCase{"FarOutsideATightArc",
                 {"1000", "1200", "5000", "2000", "0", "60", "60", "1"},
                 "5150",
                 "2060",
                 {"01+094.248", "-90"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InverseComputation, MeasuresSquareToAnEastWestArc) {
  // A right-hand arc of radius 300 leaving due east; the point lies 7 m
  // outside the arc at 100 m.
  const ElementTexts arc = {"1000", "1200", "5000", "2000", "90", "300", "300", "1"};
  const double theta = 100.0 / 300;
  const double x = 5000 - 300 * (1 - std::cos(theta)) + 7 * std::cos(theta);
  const double y = 2000 + 300 * std::sin(theta) + 7 * std::sin(theta);
  const auto outcome = ComputeInverse({arc, std::to_string(x).c_str(), std::to_string(y).c_str()});
  ASSERT_TRUE(std::holds_alternative<InverseTexts>(outcome));
  EXPECT_EQ(std::get<InverseTexts>(outcome).station, "01+100.000");
  EXPECT_EQ(std::get<InverseTexts>(outcome).offset, "-7");
}

struct BeforeStartCase {
  const char* name;
  double R;
  double l;       // station of the foot from K0, negative
  double offset;  // metres, + right
  const char* station;
  const char* offset_text;
};

class BeforeStartTest : public testing::TestWithParam<BeforeStartCase> {};

// The tangent before K0 used to mirror the arc's turn while the position
// followed it: these feet came back 198 mm and 273 mm off.
TEST_P(BeforeStartTest, FindsTheFootOnTheExactCircle) {
  const auto [name, R, l, offset, station, offset_text] = GetParam();
  const ElementTexts arc = {
      "1000", "1200", "5000", "2000", "30", std::to_string(R), std::to_string(R), "1"};
  const double f = 30 / (180 / kPi);
  const double t = f + l / R;
  const double x = 5000 - R * std::sin(f) + (R - offset) * std::sin(t);
  const double y = 2000 + R * std::cos(f) - (R - offset) * std::cos(t);
  const auto outcome = ComputeInverse({arc, std::to_string(x).c_str(), std::to_string(y).c_str()});
  ASSERT_TRUE(std::holds_alternative<InverseTexts>(outcome))
      << std::get<Refusal>(outcome).message << " for R " << R << ", l " << l << ", offset "
      << offset;
  EXPECT_EQ(std::get<InverseTexts>(outcome), (InverseTexts{station, offset_text}))
      << "R " << R << ", l " << l << ", offset " << offset;
}

INSTANTIATE_TEST_SUITE_P(
    Arcs, BeforeStartTest,
    testing::Values(BeforeStartCase{"WideArc_10mBack_Right", 1000, -10, 10, "00+990.000", "10"},
                    BeforeStartCase{"TightArc_1mBack_Left", 250, -1, -30, "00+999.000", "-30"},
                    BeforeStartCase{"TightArc_40mBack_Right", 250, -40, 30, "00+960.000", "30"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
  const char* name;
  ElementTexts element;
  const char* x;
  const char* y;
  Refusal refusal;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
  *os << "element " << testing::PrintToString(c.element) << ", point "
      << testing::PrintToString(c.x) << " " << testing::PrintToString(c.y);
}

class InverseRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(InverseRefusalTest, ShowsTheFirstFailure) {
  const auto& c = GetParam();
  const auto outcome = ComputeInverse({c.element, c.x, c.y});
  ASSERT_TRUE(std::holds_alternative<Refusal>(outcome)) << testing::PrintToString(c);
  EXPECT_EQ(std::get<Refusal>(outcome), c.refusal) << testing::PrintToString(c);
}

constexpr auto kMissing = RefusalKind::MissingInput;
constexpr auto kUnusable = RefusalKind::UnusableValue;

INSTANTIATE_TEST_SUITE_P(
    Checks, InverseRefusalTest,
    testing::Values(RefusalCase{"ElementCheckedFirst",
                                WithField(InitialElement(), 2, ""),
                                "",
                                "",
                                {"请输入“起点坐标X”！", kMissing, Field::StartX}},
                    RefusalCase{"XSpaces",
                                InitialElement(),
                                "   ",
                                "",
                                {"请输入“反算坐标X”！", kMissing, Field::InverseX}},
                    RefusalCase{"YBlank",
                                InitialElement(),
                                "1",
                                "",
                                {"请输入“反算坐标Y”！", kMissing, Field::InverseY}},
                    RefusalCase{"ZeroLengthElement",
                                WithField(InitialElement(), 1, "7586.707"),
                                "1",
                                "1",
                                {"线元长度为零，“止点桩号K”不能等于“起点桩号K”！", kUnusable,
                                 Field::EndStation}},
                    RefusalCase{"XBeyondRange",
                                InitialElement(),
                                "1e999",
                                "1",
                                {"输入“反算坐标X”超出数值范围！", kUnusable, Field::InverseX}},
                    // A mistyped coordinate reads as 0, thousands of radii from the arc.
                    RefusalCase{"FarPointDoesNotConverge",
                                WithField(InitialElement(), 5, "4500"),
                                "abc",
                                "453859",
                                {"反算未能收敛，请检查“反算坐标”是否在线元附近！", kUnusable,
                                 Field::InverseX}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InverseComputation, ALineBreakIsNotBlank) {
  // It passes the check and reads as 0, which lies far from the element.
  const auto outcome = ComputeInverse({InitialElement(), "\r\n", "453859.241"});
  if (auto* refusal = std::get_if<Refusal>(&outcome)) {
    EXPECT_NE(refusal->message, "请输入“反算坐标X”！");
  }
}

}  // namespace
}  // namespace tarnvel
