#include "core/tools/azimuth_distance.h"

#include <gtest/gtest.h>

namespace tarnvel {
namespace {

const AzimuthFields kDefaults{"3367011.241", "463520.5531", "3366815.284", "463819.0273"};

AzimuthFields FromOrigin(const char* xb, const char* yb) {
  return {"0", "0", xb, yb};
}

// The four boxes as typed, quoted so that spaces show.
std::string Typed(const AzimuthFields& f) {
  return "Xa " + testing::PrintToString(f.xa) + ", Ya " + testing::PrintToString(f.ya) + ", Xb " +
         testing::PrintToString(f.xb) + ", Yb " + testing::PrintToString(f.yb);
}

struct ResultCase {
  const char* name;
  AzimuthFields fields;
  AzimuthTexts texts;
};

void PrintTo(const ResultCase& c, std::ostream* os) {
  *os << Typed(c.fields);
}

class AzimuthResultTest : public testing::TestWithParam<ResultCase> {};

TEST_P(AzimuthResultTest, FillsTheFourBoxes) {
  const auto& c = GetParam();
  const auto outcome = ComputeAzimuthDistance(c.fields);
  ASSERT_TRUE(std::holds_alternative<AzimuthTexts>(outcome))
      << std::get<Refusal>(outcome).message << " for " << Typed(c.fields);
  EXPECT_EQ(std::get<AzimuthTexts>(outcome), c.texts) << Typed(c.fields);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, AzimuthResultTest,
    testing::Values(
        ResultCase{"Defaults", kDefaults, {"123", "17", "9", "357.0518"}},
        ResultCase{"North", FromOrigin("100", "0"), {"0", "0", "0", "100.0000"}},
        ResultCase{"South", FromOrigin("-100", "0"), {"180", "0", "0", "100.0000"}},
        ResultCase{"NorthEast", FromOrigin("100", "100"), {"45", "0", "0", "141.4214"}},
        ResultCase{"SouthWest", FromOrigin("-100", "-100"), {"225", "0", "0", "141.4214"}},
        // The shortened π leaves these a hair short of 315° and 135°; the cut
        // keeps 59″ instead of rounding up.
        ResultCase{"NorthWest", FromOrigin("100", "-100"), {"314", "59", "59", "141.4214"}},
        ResultCase{"SouthEast", FromOrigin("-100", "100"), {"134", "59", "59", "141.4214"}},
        ResultCase{"SecondsCut", FromOrigin("3", "4"), {"53", "7", "48", "5.0000"}},
        ResultCase{"NearlyEast", FromOrigin("0.0000001", "5"), {"90", "0", "0", "5.0000"}},
        ResultCase{"NearlyWest", FromOrigin("0.0000001", "-5"), {"270", "0", "0", "5.0000"}},
        ResultCase{"NearlySamePoint", FromOrigin("0.0000001", "0"), {"270", "0", "0", "0.0000"}},
        ResultCase{"LettersReadAsZero", {"abc", " 0 ", "3m", "4 米"}, {"53", "7", "48", "5.0000"}},
        ResultCase{"LeadingNumber", {"-0", "+0", "1e2xyz", "0"}, {"0", "0", "0", "100.0000"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
  const char* name;
  AzimuthFields fields;
  Refusal refusal;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
  *os << Typed(c.fields);
}

class AzimuthRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(AzimuthRefusalTest, Refuses) {
  const auto& c = GetParam();
  const auto outcome = ComputeAzimuthDistance(c.fields);
  ASSERT_TRUE(std::holds_alternative<Refusal>(outcome)) << Typed(c.fields);
  EXPECT_EQ(std::get<Refusal>(outcome), c.refusal) << Typed(c.fields);
}

const Refusal kIncomplete{"数据未输入完整！", RefusalKind::MissingInput, Field::XA};
const Refusal kZeroDivisor{"除数为零，请检查坐标输入是否正确！", RefusalKind::DivisionByZero,
                           Field::XA};

INSTANTIATE_TEST_SUITE_P(
    Inputs, AzimuthRefusalTest,
    testing::Values(RefusalCase{"AllBlank", {"", "", "", ""}, kIncomplete},
                    // Whichever box is blank, the focus goes to txtXa.
                    RefusalCase{"YbSpaces", {"1", "2", "3", "   "}, kIncomplete},
                    RefusalCase{"XbBlank", {"1", "2", "", "4"}, kIncomplete},
                    RefusalCase{"DueEast", FromOrigin("0", "100"), kZeroDivisor},
                    RefusalCase{"SamePoint", FromOrigin("0", "0"), kZeroDivisor},
                    RefusalCase{"XDifferenceBelowTheLimit", FromOrigin("0.000000009", "100"),
                                kZeroDivisor},
                    // Far apart but with equal X: still no distance.
                    RefusalCase{"FarDueWest", {"5", "1e9", "5", "-1e9"}, kZeroDivisor},
                    RefusalCase{"XbBeyondRange",
                                FromOrigin("1e999", "0"),
                                {"输入“Xb”超出数值范围！", RefusalKind::UnusableValue, Field::XB}},
                    RefusalCase{"YaBeyondRange",
                                {"0", "-1e400", "1", "1"},
                                {"输入“Ya”超出数值范围！", RefusalKind::UnusableValue, Field::YA}},
                    RefusalCase{"SquaresOverflow",
                                FromOrigin("1e200", "1"),
                                {"计算结果超出数值范围，请检查输入数据！",
                                 RefusalKind::UnusableValue, Field::XA}},
                    RefusalCase{"DifferenceOverflows",
                                {"-1.7e308", "0", "1.7e308", "0"},
                                {"计算结果超出数值范围，请检查输入数据！",
                                 RefusalKind::UnusableValue, Field::XA}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
