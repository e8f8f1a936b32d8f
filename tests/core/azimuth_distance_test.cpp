#include "azimuth_distance.h"

#include <gtest/gtest.h>

namespace tarnvel {
namespace {

const AzimuthFields kDefaults{"3367011.241", "463520.5531", "3366815.284", "463819.0273"};

AzimuthFields FromOrigin(const char* xb, const char* yb) { return {"0", "0", xb, yb}; }

struct ResultCase {
  const char* name;
  AzimuthFields fields;
  AzimuthTexts texts;
};

void PrintTo(const ResultCase& c, std::ostream* os) { *os << c.name; }

class AzimuthResultTest : public testing::TestWithParam<ResultCase> {};

TEST_P(AzimuthResultTest, FillsTheFourBoxes) {
  const auto& c = GetParam();
  const auto outcome = ComputeAzimuthDistance(c.fields);
  ASSERT_TRUE(std::holds_alternative<AzimuthTexts>(outcome))
      << std::get<Refusal>(outcome).message;
  EXPECT_EQ(std::get<AzimuthTexts>(outcome), c.texts);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, AzimuthResultTest,
    testing::Values(
        ResultCase{"defaults", kDefaults, {"123", "17", "9", "357.0518"}},
        ResultCase{"north", FromOrigin("100", "0"), {"0", "0", "0", "100.0000"}},
        ResultCase{"south", FromOrigin("-100", "0"), {"180", "0", "0", "100.0000"}},
        ResultCase{"north east", FromOrigin("100", "100"), {"45", "0", "0", "141.4214"}},
        ResultCase{"south west", FromOrigin("-100", "-100"), {"225", "0", "0", "141.4214"}},
        // The shortened π leaves these a hair short of 315° and 135°; the cut
        // keeps 59″ instead of rounding up.
        ResultCase{"north west", FromOrigin("100", "-100"), {"314", "59", "59", "141.4214"}},
        ResultCase{"south east", FromOrigin("-100", "100"), {"134", "59", "59", "141.4214"}},
        ResultCase{"seconds cut", FromOrigin("3", "4"), {"53", "7", "48", "5.0000"}},
        ResultCase{"nearly east", FromOrigin("0.0000001", "5"), {"90", "0", "0", "5.0000"}},
        ResultCase{"nearly west", FromOrigin("0.0000001", "-5"), {"270", "0", "0", "5.0000"}},
        ResultCase{"nearly same point", FromOrigin("0.0000001", "0"),
                   {"270", "0", "0", "0.0000"}},
        ResultCase{"letters read as 0", {"abc", " 0 ", "3m", "4 米"}, {"53", "7", "48", "5.0000"}},
        ResultCase{"leading number", {"-0", "+0", "1e2xyz", "0"}, {"0", "0", "0", "100.0000"}}));

struct RefusalCase {
  const char* name;
  AzimuthFields fields;
  Refusal refusal;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class AzimuthRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(AzimuthRefusalTest, Refuses) {
  const auto& c = GetParam();
  const auto outcome = ComputeAzimuthDistance(c.fields);
  ASSERT_TRUE(std::holds_alternative<Refusal>(outcome));
  EXPECT_EQ(std::get<Refusal>(outcome), c.refusal);
}

const Refusal kIncomplete{"数据未输入完整！", MessageIcon::Information, "txtXa"};
const Refusal kZeroDivisor{"除数为零，请检查坐标输入是否正确！", MessageIcon::None, "txtXa"};

INSTANTIATE_TEST_SUITE_P(
    Inputs, AzimuthRefusalTest,
    testing::Values(
        RefusalCase{"all blank", {"", "", "", ""}, kIncomplete},
        // Whichever box is blank, the focus goes to txtXa.
        RefusalCase{"Yb spaces", {"1", "2", "3", "   "}, kIncomplete},
        RefusalCase{"Xb blank", {"1", "2", "", "4"}, kIncomplete},
        RefusalCase{"due east", FromOrigin("0", "100"), kZeroDivisor},
        RefusalCase{"same point", FromOrigin("0", "0"), kZeroDivisor},
        RefusalCase{"below 1e-8", FromOrigin("0.000000009", "100"), kZeroDivisor},
        // Far apart but with equal X: still no distance.
        RefusalCase{"far due west", {"5", "1e9", "5", "-1e9"}, kZeroDivisor},
        RefusalCase{"Xb beyond range", FromOrigin("1e999", "0"),
                    {"输入“Xb”超出数值范围！", MessageIcon::Exclamation, "txtXb"}},
        RefusalCase{"Ya beyond range", {"0", "-1e400", "1", "1"},
                    {"输入“Ya”超出数值范围！", MessageIcon::Exclamation, "txtYa"}},
        RefusalCase{"squares overflow", FromOrigin("1e200", "1"),
                    {"计算结果超出数值范围，请检查输入数据！", MessageIcon::Exclamation, "txtXa"}},
        RefusalCase{"difference overflows", {"-1.7e308", "0", "1.7e308", "0"},
                    {"计算结果超出数值范围，请检查输入数据！", MessageIcon::Exclamation,
                     "txtXa"}}));

}  // namespace
}  // namespace tarnvel
