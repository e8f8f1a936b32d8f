#include "io/ground/ground_file.h"

#include <gtest/gtest.h>

namespace tarnvel {
namespace {

// A straight route north with a 20 m 长链 at K1+000: its second branch
// starts again at K0+980, so K0+990_2 comes after K1+000.
Route LongChainRoute() {
  return std::get<Route>(
      MakeRoute({{{0, 1000, 0, 0, 0, 0, 0, 0}, ""}, {{980, 2000, 1000, 0, 0, 0, 0, 0}, ""}}));
}

FileOutcome<GroundLines> Read(const char* bytes) {
  const Route route = LongChainRoute();
  return InFile(QStringLiteral("g.csv"), ParseGroundFile(QByteArray(bytes), RoutePositions(route)));
}

// Both forms give the same lines, a ":序号" ignored; the second branch's
// station lies 20 m along the route past K1+000.
TEST(GroundFile, ReadsBlocksAndTableAlike) {
  const char* const files[] = {
      "BEGIN,K0+990:1\n-5,100\n5,101\nBEGIN,K1+000:2\n-5,100\n5,101.5\nBEGIN,K0+990_2\n-6,99\n6,"
      "102\n",
      "桩号,偏距,高程\nK0+990,-5,100\nK0+990,5,101\n1000,-5,100\n1000,5,101.5\n990_2,-6,99\n990_"
      "2,6,102\n"};
  for (const char* bytes : files) {
    const auto read = Read(bytes);
    ASSERT_TRUE(std::holds_alternative<GroundLines>(read))
        << std::get<FileRefusal>(read).message.toStdString();
    const auto& lines = std::get<GroundLines>(read).lines;
    ASSERT_EQ(lines.size(), 3u) << bytes;
    EXPECT_EQ(lines[1].position, 1000) << bytes;
    EXPECT_EQ(lines[2].position, 1010) << bytes;
    EXPECT_EQ(lines[2].points[1].offset, 6) << bytes;
    EXPECT_EQ(lines[2].points[1].elevation, 102) << bytes;
  }
}

// A block to the millimetre, the second branch's station with its pass,
// read back to the same lines; −0.0004 shows no minus sign.
TEST(GroundFile, BlocksWrittenReadBack) {
  std::string text;
  AppendGroundBlock(text, 990, 1, "K", {{-5.0004, 100}, {-0.0004, 100.0004}, {6, 101.2496}});
  AppendGroundBlock(text, 990, 2, "K", {{-6, 99}, {6, 102}});
  EXPECT_EQ(text,
            "BEGIN,K0+990.000\r\n-5.000,100.000\r\n0.000,100.000\r\n6.000,101.250\r\n"
            "BEGIN,K0+990.000_2\r\n-6.000,99.000\r\n6.000,102.000\r\n");
  const auto read = Read(text.c_str());
  ASSERT_TRUE(std::holds_alternative<GroundLines>(read));
  EXPECT_EQ(std::get<GroundLines>(read).lines[1].position, 1010);
}

struct Refused {
  const char* name;
  const char* bytes;
  const char* message;
};

class GroundFileRefusalTest : public testing::TestWithParam<Refused> {};

TEST_P(GroundFileRefusalTest, NamesTheFileTheLineAndTheText) {
  const auto read = Read(GetParam().bytes);
  ASSERT_TRUE(std::holds_alternative<FileRefusal>(read)) << GetParam().bytes;
  EXPECT_EQ(std::get<FileRefusal>(read).message.toStdString(), GetParam().message)
      << GetParam().bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, GroundFileRefusalTest,
    testing::Values(
        Refused{"PointBeforeBegin", "-5,100\nBEGIN,100\n",
                "文件“g.csv”第1行“-5,100”之前没有“BEGIN,桩号”行！"},
        Refused{"OffsetsNotIncreasing", "BEGIN,100\n-5,100\n3,100\n3,101\n",
                "文件“g.csv”第4行的偏距“3”不大于第3行的偏距“3”，同一桩号的偏距必须递增！"},
        Refused{"OnePointBlock", "BEGIN,100\n-5,100\n5,100\nBEGIN,120\n-5,100\n",
                "文件“g.csv”第4行的桩号“120”只有1个地面点，至少要有2个！"},
        Refused{"OnePointTable", "桩号,偏距,高程\n100,-5,100\n100,5,100\n120,-5,100\n",
                "文件“g.csv”第4行的桩号“120”只有1个地面点，至少要有2个！"},
        Refused{"StationsNotIncreasing",
                "BEGIN,K1+000\n-5,100\n5,100\nBEGIN,K0+995\n-5,100\n5,100\n",
                "文件“g.csv”第4行的桩号“K0+995”不在第1行的桩号“K1+000”之后，"
                "桩号必须沿线路递增！"},
        Refused{"SecondBranchBackwards",
                "BEGIN,K0+990_2\n-5,100\n5,100\nBEGIN,K0+985_2\n-5,100\n5,100\n",
                "文件“g.csv”第4行的桩号“K0+985_2”不在第1行的桩号“K0+990_2”之后，"
                "桩号必须沿线路递增！"},
        Refused{"PassNotMade", "BEGIN,K0+990_3\n-5,100\n5,100\n",
                "文件“g.csv”第1行的桩号“K0+990_3”不在线路上，线路没有经过该桩号这么多次！"},
        Refused{"ElevationNotANumber", "BEGIN,100\n-5,100\n5,1o0\n",
                "文件“g.csv”第3行“高程”的值“1o0”不是有效的数字！"},
        Refused{"StationNotKText", "桩号,偏距,高程\nK0+1x0,-5,100\n",
                "文件“g.csv”第2行“桩号”的值“K0+1x0”不是有效的桩号！"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
