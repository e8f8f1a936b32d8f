#include "io/route/jd_file.h"

#include <gtest/gtest.h>

#include "file_test_support.h"
#include "io/files/gbk_text.h"

namespace tarnvel {
namespace {

// A header, a comment, a blank line, every separator and fields left out:
// the points as typed, each with its file line.
TEST(JdFile, ReadsTheElementTableFileSeparatorsAndSkippedLines) {
  const QString text = QStringLiteral(
      "交点号  X  Y  R  Ls1  Ls2\r\n"
      "BP  3378214.562  512873.319\r\n"
      "# 第一个交点\r\n"
      "\r\n"
      "JD1，3378545.189，513388.324，800，120，100\n"
      "JD2\t3378712.105\t514418.894\t1500\t\t\r"
      "EP,3378629.804,516443.730,,,\r\n"
      "断链,K1+680,K1+700\r\n");
  const QByteArray bytes = EncodeGbk(text).value();
  const auto read = InFile(QStringLiteral("jd.txt"), ParseJdFile(bytes));
  ASSERT_TRUE(std::holds_alternative<JdTable>(read))
      << std::get<FileRefusal>(read).message.toStdString();
  const JdTable& table = std::get<JdTable>(read);
  const std::vector<JdPoint> expected = {{"BP", 3378214.562, 512873.319},
                                         {"JD1", 3378545.189, 513388.324, 800, 120, 100},
                                         {"JD2", 3378712.105, 514418.894, 1500},
                                         {"EP", 3378629.804, 516443.730}};
  EXPECT_EQ(table.points, expected);
  EXPECT_EQ(table.lines, (std::vector<int>{2, 5, 6, 7}));
  EXPECT_EQ(table.equations, (std::vector<StationEquation>{{1680, 1700}}));
  const auto route = JdRouteOfTable(table, 0);
  ASSERT_TRUE(std::holds_alternative<JdRoute>(route));
  EXPECT_EQ(std::get<JdRoute>(route).route.equations, table.equations) << "the route holds them";
}

TEST(JdFile, RefusalsNameTheFileTheLineAndTheField) {
  const struct {
    const char* bytes;
    const char* message;
  } cases[] = {
      {"BP,0,0\nJD1,10a,0,300\nEP,0,50\n", "文件“jd.txt”第2行“交点坐标X”的值“10a”不是有效的数字！"},
      {"BP,0,0\nJD1,100,0,300,60,60,1,2\nEP,0,50\n", "文件“jd.txt”第2行有8个字段，最多7个！"},
      {"BP,0,0\nJD1,100,0,300,60,60,K0+1x\nEP,0,50\n",
       "文件“jd.txt”第2行“交点桩号”的值“K0+1x”不是有效的桩号！"},
      {"BP,0,0\nJD1,100\nEP,0,50\n", "文件“jd.txt”第2行缺少“交点坐标Y”！"},
      {"BP,0,0\n", "文件“jd.txt”只有一个点，至少要有起点和终点两行！"},
      // The computation's refusal, said of the JD's own line past a comment.
      {"BP,0,0\n#\nJD1,100,0.0001,300\nEP,200,0\n",
       "文件“jd.txt”第3行：交点“JD1”的两条边共线，不能设曲线！"},
  };
  for (const auto& c : cases) {
    const QString path = QStringLiteral("jd.txt");
    FileOutcome<JdRoute> outcome = FileRefusal{};
    const auto table = InFile(path, ParseJdFile(c.bytes));
    if (const auto* refusal = std::get_if<FileRefusal>(&table))
      outcome = *refusal;
    else
      outcome = InFile(path, JdRouteOfTable(std::get<JdTable>(table), 0));
    ASSERT_TRUE(std::holds_alternative<FileRefusal>(outcome)) << c.bytes;
    EXPECT_EQ(std::get<FileRefusal>(outcome).message, QString::fromUtf8(c.message));
  }
}

// Where the fields are: in order, 交点桩号 seventh; where a header that
// names every column puts them; in order under any other header.
struct ColumnsCase {
  const char* name;
  const char* bytes;
};

class JdColumnsTest : public testing::TestWithParam<ColumnsCase> {};

TEST_P(JdColumnsTest, ReadsEveryFieldWhereTheFilePutsIt) {
  const ColumnsCase& c = GetParam();
  const auto read = InFile(QStringLiteral("jd.txt"), ParseJdFile(c.bytes));
  ASSERT_TRUE(std::holds_alternative<JdTable>(read))
      << c.name << ": " << std::get<FileRefusal>(read).message.toStdString();
  std::vector<JdPoint> expected = {
      {"BP", 10, 20, 0, 0, 0, 649.501}, {"JD1", 110, 20, 300, 60, 50, 749.5}, {"EP", 110, 120}};
  EXPECT_EQ(std::get<JdTable>(read).points, expected) << c.name << ": " << c.bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Columns, JdColumnsTest,
    testing::Values(
        ColumnsCase{"SeventhColumnInOrder",
                    "BP,10,20,,,,K0+649.501\nJD1,110,20,300,60,50,749.5\nEP,110,120\n"},
        ColumnsCase{"HeaderInItsOwnOrder",
                    "交点桩号,交点号,Y,X,Ls2,Ls1,R\nK0+649.501,BP,20,10\n749.5,JD1,20,110,50,"
                    "60,300\n,EP,120,110\n"},
        ColumnsCase{"HeaderOfLongNames",
                    "交点号,交点坐标X,交点坐标Y,交点桩号,半径R,缓和曲线长Ls1,缓和曲线长Ls2\n"
                    "BP,10,20,649.501\nJD1,110,20,749.5,300,60,50\nEP,110,120\n"},
        ColumnsCase{"UnknownHeaderKeepsTheOrder",
                    "点,北,东,半径,前缓和,后缓和,桩号\nBP,10,20,,,,649.501\n"
                    "JD1,110,20,300,60,50,K0+749.500\nEP,110,120\n"}),
    [](const testing::TestParamInfo<ColumnsCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
