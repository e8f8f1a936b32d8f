#include "io/slopes/slope_file.h"

#include <gtest/gtest.h>

namespace tarnvel {
namespace {

Route StraightRoute() {
  return std::get<Route>(MakeRoute({{{0, 2000, 0, 0, 0, 0, 0, 0}, ""}}));
}

FileOutcome<SideSlopes> Read(const QByteArray& bytes) {
  const Route route = StraightRoute();
  return InFile(QStringLiteral("b.csv"), ParseSlopeFile(bytes, RoutePositions(route)));
}

const QByteArray kHeader =
    "桩号,侧,填挖,边沟底宽,边沟深,边沟内坡,边沟外坡,坡率1,坡高1,平台1,坡率2,坡高2,平台2,坡率3\n";

// The README's example: the left fill's two steps, the left cut's ditch,
// and the right cut from K1+200 on without one.
TEST(SlopeFile, ReadsStepsDitchesAndStations) {
  const auto read = Read(kHeader +
                         "K0+000,左,填,,,,,1.5,8,2,1.75\n"
                         "K0+000,左,挖,0.6,0.6,1,1,1,10,2,1.25\n"
                         "K0+000,右,填,,,,,1.5\n"
                         "K0+000,右,挖,0.6,0.6,1,1,0.75\n"
                         "K1+200,右,挖,,,,,1\n");
  ASSERT_TRUE(std::holds_alternative<SideSlopes>(read))
      << std::get<FileRefusal>(read).message.toStdString();
  const SideSlopes& slopes = std::get<SideSlopes>(read);
  const SlopeLine& leftFill = slopes.lines[1][0][0];
  ASSERT_EQ(leftFill.steps.size(), 2u);
  EXPECT_EQ(leftFill.steps[0].height, 8);
  EXPECT_EQ(leftFill.steps[0].berm, 2);
  EXPECT_EQ(leftFill.steps[1].ratio, 1.75);
  EXPECT_EQ(slopes.lines[1][1][0].ditch.depth, 0.6);
  EXPECT_EQ(SlopeAt(slopes, false, SlopeKind::Cut, 1199)->steps[0].ratio, 0.75);
  EXPECT_EQ(SlopeAt(slopes, false, SlopeKind::Cut, 1200)->ditch.depth, 0);
}

struct Refused {
  const char* name;
  const char* line;
  const char* message;
};

class SlopeFileRefusalTest : public testing::TestWithParam<Refused> {};

// Each line after the header, as the file's third line after a good one.
TEST_P(SlopeFileRefusalTest, NamesTheFileTheLineTheColumnAndTheText) {
  const auto read = Read(kHeader + "K0+500,右,填,,,,,1.5\n" + GetParam().line + "\n");
  ASSERT_TRUE(std::holds_alternative<FileRefusal>(read)) << GetParam().line;
  EXPECT_EQ(std::get<FileRefusal>(read).message.toStdString(), GetParam().message)
      << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SlopeFileRefusalTest,
    testing::Values(
        Refused{"RatioZero", "K0+600,左,填,,,,,0",
                "文件“b.csv”第3行“坡率1”的值“0”无效，坡率必须大于0！"},
        Refused{"NegativeHeight", "K0+600,左,填,,,,,1.5,-8,2,1.75",
                "文件“b.csv”第3行“坡高1”的值“-8”不能为负数！"},
        Refused{"NegativeDitch", "K0+600,左,挖,-0.6,0.6,1,1,1",
                "文件“b.csv”第3行“边沟底宽”的值“-0.6”不能为负数！"},
        Refused{"BermAfterLastRatio", "K0+600,左,填,,,,,1.5,8,2",
                "文件“b.csv”第3行“平台1”的值“2”无效，最后一级坡率之后不能再有坡高或平台！"},
        Refused{"EmptyBermBetween", "K0+600,左,填,,,,,1.5,8,,1.75",
                "文件“b.csv”第3行缺少“平台1”，两级边坡之间的坡高和平台不能为空！"},
        Refused{"NoRatio", "K0+600,左,填", "文件“b.csv”第3行缺少“坡率1”！"},
        Refused{"DitchSideZero", "K0+600,左,挖,0.6,0.6,1,0,1",
                "文件“b.csv”第3行“边沟外坡”的值“0”无效，有边沟时边沟内坡和边沟外坡必须大于0！"},
        Refused{"DitchOnFill", "K0+600,左,填,0.6,0.6,1,1,1",
                "文件“b.csv”第3行“边沟底宽”的值“0.6”无效，填方没有边沟，边沟各列应为空或0！"},
        Refused{"NotASide", "K0+600,中,填,,,,,1",
                "文件“b.csv”第3行“侧”的值“中”无效，应为“左”或“右”！"},
        Refused{"NotAKind", "K0+600,左,半填,,,,,1",
                "文件“b.csv”第3行“填挖”的值“半填”无效，应为“填”或“挖”！"},
        Refused{"StationsNotIncreasing", "K0+400,右,填,,,,,1",
                "文件“b.csv”第3行的桩号“K0+400”不在第2行（右填）的桩号“K0+500”之后，"
                "同侧同填挖的桩号必须沿线路递增！"},
        Refused{"RatioNotANumber", "K0+600,左,填,,,,,1:1.5",
                "文件“b.csv”第3行“坡率1”的值“1:1.5”不是有效的数字！"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
