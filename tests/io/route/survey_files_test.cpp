// The stations and points files, which share the element table's reading:
// what each adds is its optional fields and what it keeps as text.
#include <gtest/gtest.h>

#include "file_test_support.h"
#include "io/route/point_file.h"
#include "io/route/station_file.h"

namespace tarnvel {
namespace {

TEST(StationFileTest, ReadsOptionalOffsetAndSkewAfterAHeader) {
  const auto outcome = InFile(
      QStringLiteral("里程.txt"),
      ParseStationFile(
          "点名,里程,偏距,偏角\r\nA,7800\r\nB,7810.5,-3.5\r\nC 7820 0 45.3\r\nD,7830,,60\r\n"));
  ASSERT_TRUE(std::holds_alternative<std::vector<StationLine>>(outcome));
  const auto& s = std::get<std::vector<StationLine>>(outcome);
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(s[0].name, u"A");
  EXPECT_EQ(s[0].offset, std::nullopt);
  EXPECT_EQ(s[0].skewDms, std::nullopt);
  EXPECT_EQ(s[1].offset, -3.5);
  EXPECT_EQ(s[2].station, 7820);
  EXPECT_EQ(s[2].skewDms, 45.3);
  EXPECT_EQ(s[3].offset, std::nullopt) << "an empty 偏距 is the command's offsets";
  EXPECT_EQ(s[3].skewDms, 60);
  EXPECT_EQ(s[3].line, 5);
}

TEST(StationFileTest, RefusesNamingTheLineAndTheField) {
  const auto outcome = InFile(QStringLiteral("里程.txt"), ParseStationFile("A,7800\nB,7810,左3\n"));
  ASSERT_TRUE(std::holds_alternative<FileRefusal>(outcome));
  EXPECT_EQ(std::get<FileRefusal>(outcome).message,
            QStringLiteral("文件“里程.txt”第2行“偏距”的值“左3”不是有效的数字！"));
}

// Pins the unbounded line: one line of a hundred megabytes was decoded and
// split whole, taking seven times its size, before any refusal.
TEST(StationFileTest, RefusesALineLongerThanTheLongestNamingItsLength) {
  const QByteArray atMost = "A,7800," + QByteArray(64 * 1024 - 7, '0');
  const auto read =
      InFile(QStringLiteral("里程.txt"), ParseStationFile("点名,里程\n" + atMost + "\n"));
  ASSERT_TRUE(std::holds_alternative<std::vector<StationLine>>(read))
      << std::get<FileRefusal>(read).message.toStdString();

  const auto refused = InFile(QStringLiteral("里程.txt"),
                              ParseStationFile("点名,里程\r\n" + atMost + "0\r\nB,7810\r\n"));
  ASSERT_TRUE(std::holds_alternative<FileRefusal>(refused));
  EXPECT_EQ(std::get<FileRefusal>(refused).message,
            QStringLiteral("文件“里程.txt”第2行有65537个字节，一行最多65536个字节！"));
}

TEST(PointFileTest, EchoesCoordinatesAsGivenAndKeepsACodeWithSpaces) {
  const auto outcome =
      InFile(QStringLiteral("测点.txt"),
             ParsePointFile("点名 X Y H 编码\nP1 3378600.40 453700 12.5 边桩 左侧\nP2,1,2\n"));
  ASSERT_TRUE(std::holds_alternative<std::vector<SurveyPoint>>(outcome));
  const auto& p = std::get<std::vector<SurveyPoint>>(outcome);
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[0].xText, u"3378600.40");
  EXPECT_EQ(p[0].point.X, 3378600.4);
  EXPECT_EQ(p[0].point.Y, 453700);
  EXPECT_EQ(p[0].height, 12.5);
  EXPECT_EQ(p[0].code, QStringLiteral("边桩 左侧"));
  EXPECT_EQ(p[1].height, std::nullopt);

  const auto refused = InFile(QStringLiteral("测点.txt"), ParsePointFile("P1,3378600.4\n"));
  ASSERT_TRUE(std::holds_alternative<FileRefusal>(refused));
  EXPECT_EQ(std::get<FileRefusal>(refused).message, QStringLiteral("文件“测点.txt”第1行缺少“Y”！"));
}

}  // namespace
}  // namespace tarnvel
