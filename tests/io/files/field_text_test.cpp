// A field refused by any reader is quoted: the file, the line, the field and
// the text, cut to 40 characters. Pins the profile file's "PVI2,75O.000,…"
// (letter O) refused as "第2行“桩号”不是有效的数字" without the text, which
// every reader did alike.
#include <gtest/gtest.h>

#include "reader_outcomes.h"

namespace tarnvel {
namespace {

using namespace testing_support;

struct FieldCase {
  const char* name;
  ReadBytes read;
  const char* bytes;
  const char* message;
};

class FieldTextTest : public testing::TestWithParam<FieldCase> {};

TEST_P(FieldTextTest, RefusalQuotesTheText) {
  const FieldCase& c = GetParam();
  EXPECT_EQ(c.read(QByteArray(c.bytes)), c.message) << c.bytes;
}

INSTANTIATE_TEST_SUITE_P(
    EveryReader, FieldTextTest,
    testing::Values(
        FieldCase{"Profile_LetterOInStation", ProfileOutcome,
                  "BP,0,100\nPVI1,500,104,2500\nPVI2,75O.000,101\nEP,1000,90\n",
                  "文件“f.csv”第3行“桩号”的值“75O.000”不是有效的数字！"},
        FieldCase{"Profile_NegativeRadius", ProfileOutcome, "A,0,10\nB,100,11,-2000\nC,200,10\n",
                  "文件“f.csv”第2行“竖曲线半径R”的值“-2000”不能为负数！"},
        FieldCase{"Section_Slope", SectionOutcome, "桩号,左行车道宽,左行车道坡\nK0+100,3.75,-2%\n",
                  "文件“f.csv”第2行“左行车道坡”的值“-2%”不是有效的数字！"},
        FieldCase{"Section_KText", SectionOutcome, "桩号,左行车道宽,左行车道坡\nK0+1OO,3.75,-2\n",
                  "文件“f.csv”第2行“桩号”的值“K0+1OO”不是有效的桩号！"},
        FieldCase{"Jd_X", JdOutcome, "BP,0,0\nJD1,10a,0,300\nEP,0,50\n",
                  "文件“f.csv”第2行“交点坐标X”的值“10a”不是有效的数字！"},
        FieldCase{"Jd_Station", JdOutcome, "BP,0,0,,,,K0+000\nEP,0,50,,,,K0+05O\n",
                  "文件“f.csv”第2行“交点桩号”的值“K0+05O”不是有效的桩号！"},
        FieldCase{"Stations_KTextWithPass", StationsOutcome, "P1,K1+19x_2\n",
                  "文件“f.csv”第1行“里程”的值“K1+19x_2”不是有效的桩号！"},
        FieldCase{"Stations_MetresWithPass", StationsOutcome, "P1,11OO_2\n",
                  "文件“f.csv”第1行“里程”的值“11OO_2”不是有效的数字！"},
        FieldCase{"Stations_Offset", StationsOutcome, "P1,1100,左5\n",
                  "文件“f.csv”第1行“偏距”的值“左5”不是有效的数字！"},
        FieldCase{"Points_HBeyondRange", PointsOutcome, "P1,1,2,1e999\n",
                  "文件“f.csv”第1行“H”的值“1e999”超出数值范围！"},
        FieldCase{"SurveyPoints_Y", SurveyPointsOutcome, "P1,,453921.7.5,3378850.5\n",
                  "文件“f.csv”第1行“Y”的值“453921.7.5”不是有效的数字！"},
        FieldCase{"Route_Value", RouteOutcome, "1000,1200,3378605.445,4536x48.704,45.3,0,0,0\n",
                  "文件“f.csv”第1行“起点坐标Y”的值“4536x48.704”不是有效的数字！"},
        FieldCase{"Equation_Back", RouteOutcome,
                  "断链,K1+2OO,K1+210\n1000,1200,3378605.445,453648.704,45.3,0,0,0\n",
                  "文件“f.csv”第1行“等号前桩号”的值“K1+2OO”不是有效的桩号！"},
        FieldCase{"Equation_AheadInJd", JdOutcome, "BP,0,0\nEP,0,50\n断链,20,2l0\n",
                  "文件“f.csv”第3行“等号后桩号”的值“2l0”不是有效的数字！"},
        FieldCase{"LongTextCut", PointsOutcome,
                  "P1,12345678901234567890123456789012345678901234567890x,2\n",
                  "文件“f.csv”第1行“X”的值“1234567890123456789012345678901234567890…”"
                  "不是有效的数字！"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
