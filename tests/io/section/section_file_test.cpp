#include "io/section/section_file.h"

#include <gtest/gtest.h>

#include <ostream>

#include "file_test_support.h"
#include "io/files/gbk_text.h"

namespace tarnvel {
namespace {

// A 路基设计表 pasted with tabs, GBK, K text and metres, a comment, and the
// design line's column: the parts come in their columns' order on each side.
TEST(SectionFile, ReadsPartsInColumnOrder) {
  const QByteArray text =
      *EncodeGbk(QStringLiteral("桩号\t左行车道宽\t左行车道坡\t左土路肩宽\t左土路肩坡\t设计线偏距\t"
                                "右行车道宽\t右行车道坡\n"
                                "# 超高起点\n"
                                "K0+100\t3.75\t-2\t0.75\t-4\t0\t3.75\t-2\n"
                                "150.5\t3.75\t4\t0.75\t-4\t-0.5\t4.25\t-4\n"));
  const auto read = InFile(QStringLiteral("s.csv"), ParseSectionFile(text));
  ASSERT_TRUE(std::holds_alternative<CrossSectionTable>(read))
      << std::get<FileRefusal>(read).message.toStdString();
  const auto& table = std::get<CrossSectionTable>(read);
  EXPECT_EQ(table.leftParts, (std::vector<std::string>{"行车道", "土路肩"}));
  EXPECT_EQ(table.rightParts, (std::vector<std::string>{"行车道"}));
  EXPECT_TRUE(table.hasDesignOffset);
  ASSERT_EQ(table.stations.size(), 2u);
  const SectionStation& last = table.stations[1];
  EXPECT_EQ(last.station, 150.5);
  EXPECT_EQ(last.left[0].slope, 4);
  EXPECT_EQ(last.left[1].width, 0.75);
  EXPECT_EQ(last.right[0].width, 4.25);
  EXPECT_EQ(last.right[0].slope, -4);
  EXPECT_EQ(last.designOffset, -0.5);
}

// The saved file keeps the table's columns, left side first, in metres: the
// bytes exactly, and they read back to the same figures.
TEST(SectionFile, SavesWhatReadsBack) {
  const auto read =
      ParseSectionFile(QByteArray("桩号,右行车道宽,右行车道坡,左行车道宽,左行车道坡,设计线偏距\n"
                                  "K0+100,3.75,-2,3.5,-2,0\n"
                                  "150.5,4.25,-4,3.5,4,-0.5\n"));
  const auto& table = std::get<CrossSectionTable>(read);
  const auto bytes = SectionFileBytes(QStringLiteral("s.csv"), table);
  ASSERT_TRUE(std::holds_alternative<QByteArray>(bytes));
  EXPECT_EQ(
      std::get<QByteArray>(bytes),
      *EncodeGbk(QStringLiteral("桩号,左行车道宽,左行车道坡,右行车道宽,右行车道坡,设计线偏距\r\n"
                                "100,3.5,-2,3.75,-2,0\r\n"
                                "150.5,3.5,4,4.25,-4,-0.5\r\n")));
  const auto again = ParseSectionFile(std::get<QByteArray>(bytes));
  ASSERT_TRUE(std::holds_alternative<CrossSectionTable>(again));
  EXPECT_EQ(std::get<CrossSectionTable>(again).stations[1].left[0].slope, 4);
  EXPECT_EQ(std::get<CrossSectionTable>(again).stations[1].right[0].width, 4.25);
}

// Pins a 设计线偏距 typed on a side's outer edge (−6.15 on parts 3.75, 1.8
// and 0.6, whose sum in doubles is 6.1499999999999995) being refused as
// beyond the road.
TEST(SectionFile, DesignLineOnASidesEdgeIsOnTheRoad) {
  const auto read = InFile(
      QStringLiteral("s.csv"),
      ParseSectionFile(QByteArray("桩号,左行车道宽,左行车道坡,左硬路肩宽,左硬路肩坡,左土路肩宽,"
                                  "左土路肩坡,设计线偏距\n0,3.75,-2,1.8,-2,0.6,-4,-6.15\n")));
  ASSERT_TRUE(std::holds_alternative<CrossSectionTable>(read))
      << std::get<FileRefusal>(read).message.toStdString();
  EXPECT_EQ(std::get<CrossSectionTable>(read).stations.at(0).designOffset, -6.15);
}

struct Refused {
  const char* name;
  const char* bytes;
  const char* message;
};

// Shown by its name, not as bytes, when a case fails.
void PrintTo(const Refused& c, std::ostream* os) {
  *os << c.name;
}

class SectionFileRefusalTest : public testing::TestWithParam<Refused> {};

TEST_P(SectionFileRefusalTest, NamesTheFileTheLineTheColumnAndTheText) {
  const auto read = InFile(QStringLiteral("s.csv"), ParseSectionFile(QByteArray(GetParam().bytes)));
  ASSERT_TRUE(std::holds_alternative<FileRefusal>(read)) << GetParam().bytes;
  EXPECT_EQ(std::get<FileRefusal>(read).message.toStdString(), GetParam().message)
      << GetParam().bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, SectionFileRefusalTest,
    testing::Values(
        Refused{"StationsNotIncreasing",
                "桩号,右行车道宽,右行车道坡\nK0+050,3.75,-2\n# 注释\nK0+040,3.75,-2\n",
                "文件“s.csv”第4行的桩号“K0+040”不大于第2行的桩号“K0+050”，桩号必须递增！"},
        Refused{"StationRepeated", "桩号,右行车道宽,右行车道坡\n50,3.75,-2\n50.000,3.75,-2\n",
                "文件“s.csv”第3行的桩号“50.000”不大于第2行的桩号“50”，桩号必须递增！"},
        Refused{"NegativeWidth", "桩号,右行车道宽,右行车道坡\n0,3.75,-2\n10,-0.50,-2\n",
                "文件“s.csv”第3行的“右行车道宽”为“-0.50”，宽度不能为负数！"},
        // Regression: a design line off the road was read, and every row
        // then came out beyond the road, 设计高程 empty, with no word why.
        Refused{"DesignLineBeyondTheRoad",
                "桩号,左行车道宽,左行车道坡,设计线偏距\n0,3.75,-2,-3.75\n10,3.75,-2,-3.76\n",
                "文件“s.csv”第3行的“设计线偏距”为“-3.76”，超出左侧路基宽度3.750 m！"},
        Refused{
            "DesignLinePastEdgeTolerance",
            "桩号,左行车道宽,左行车道坡,左硬路肩宽,左硬路肩坡,左土路肩宽,左土路肩坡,设计线偏距\n"
            "0,3.75,-2,1.8,-2,0.6,-4,-6.153\n",
            "文件“s.csv”第2行的“设计线偏距”为“-6.153”，超出左侧路基宽度6.150 m！"},
        Refused{"DesignLineOnARoadlessSide",
                "桩号,左行车道宽,左行车道坡,设计线偏距\n0,3.75,-2,0.5\n",
                "文件“s.csv”第2行的“设计线偏距”为“0.5”，超出右侧路基宽度0.000 m！"},
        Refused{"HeaderMissing", "K0+000,3.75,-2\n",
                "文件“s.csv”第1行：缺少标题行，第1列应为“桩号”，而不是“K0+000”！"},
        Refused{"HeaderOfAnotherTable", "里程,右行车道宽,右行车道坡\n0,3.75,-2\n",
                "文件“s.csv”第1行：缺少标题行，第1列应为“桩号”，而不是“里程”！"},
        Refused{"WidthWithoutSlope", "桩号,左行车道宽,左土路肩宽,左土路肩坡\n0,3.75,0.75,-4\n",
                "文件“s.csv”第1行第2列“左行车道宽”后面不是与之成对的“左行车道坡”！"},
        Refused{"WidthLastWithoutSlope", "桩号,右行车道宽\n0,3.75\n",
                "文件“s.csv”第1行第2列“右行车道宽”后面不是与之成对的“右行车道坡”！"},
        Refused{"SlopeOfTheOtherSide", "桩号,左行车道宽,右行车道坡\n0,3.75,-2\n",
                "文件“s.csv”第1行第2列“左行车道宽”后面不是与之成对的“左行车道坡”！"},
        Refused{"SlopeWithoutWidth", "桩号,左行车道坡,左行车道宽\n0,-2,3.75\n",
                "文件“s.csv”第1行第2列“左行车道坡”前面不是与之成对的“左行车道宽”！"},
        Refused{"PartTwice", "桩号,左行车道宽,左行车道坡,左行车道宽,左行车道坡\n0,3.75,-2,1,-2\n",
                "文件“s.csv”第1行第4列“左行车道宽”重复！"},
        Refused{"UnknownColumn", "桩号,行车道宽,行车道坡\n0,3.75,-2\n",
                "文件“s.csv”第1行第2列“行车道宽”不是“左/右+部位+宽/坡”或“设计线偏距”！"},
        Refused{"SlopeNotANumber", "桩号,右行车道宽,右行车道坡\n0,3.75,-2x\n",
                "文件“s.csv”第2行“右行车道坡”的值“-2x”不是有效的数字！"},
        Refused{"SlopeMissing", "桩号,右行车道宽,右行车道坡\n0,3.75\n",
                "文件“s.csv”第2行缺少“右行车道坡”！"},
        Refused{"HeaderOnly", "桩号,右行车道宽,右行车道坡\n", "文件“s.csv”中没有横断面数据！"},
        Refused{"Empty", "# 只有注释\n", "文件“s.csv”中没有标题行！"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
