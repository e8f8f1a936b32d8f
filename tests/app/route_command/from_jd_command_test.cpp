#include <gtest/gtest.h>

#include <QProcess>

#include "file_test_support.h"
#include "gbk_text.h"
#include "route_program.h"

namespace tarnvel {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

// A curve right of 35°30′ with unequal spirals, then one left of 20° without,
// coordinates to the millimetre.
const QByteArray kJdTable =
    "交点号,X,Y,R,Ls1,Ls2\r\n"
    "BP,3378000.000,512000.000\r\n"
    "JD1,3378400.000,512000.000,600,100,80\r\n"
    "JD2,3378888.469,512348.422,1200\r\n"
    "EP,3379370.284,512482.041\r\n";

class FromJdCommandTest : public testing_support::ScratchFolder {
 protected:
  struct Run {
    int status = -1;
    QString out, err;
  };

  Run Route(const QStringList& arguments) {
    const testing_support::ProgramRun run = testing_support::RunRouteProgram(PathOf(""), arguments);
    return {run.status, QString::fromUtf8(run.out), run.err};
  }
};

// from-jd writes the element table and prints the design table; the table
// file and --jd give the same route, and it closes.
TEST_F(FromJdCommandTest, WritesTheElementTableAndPrintsTheDesignTable) {
  WriteBytes(PathOf("jd.csv"), kJdTable);
  const Run made = Route({"from-jd", "jd.csv", "--start-station", "2000", "-o", "route.csv"});
  ASSERT_EQ(made.status, 0) << made.err.toStdString();
  const QStringList lines = made.out.split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 6);
  EXPECT_EQ(lines[0], QStringLiteral(
                          "交点号\t交点桩号\tX\tY\t转角值\tR\tLs1\tLs2\tT1\tT2\tL\tE\tJ\tZH\tHY\tQZ"
                          "\tYH\tHZ\t直线长\t交点间距\t计算方位角"));
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("BP\tK2+000.000\t"))) << lines[1].toStdString();
  EXPECT_TRUE(
      lines[2].startsWith(QStringLiteral("JD1\tK2+400.000\t3378400.0000\t512000.0000\t右35°30ˊ")))
      << lines[2].toStdString();
  EXPECT_TRUE(lines[3].startsWith(QStringLiteral("JD2\t"))) << lines[3].toStdString();
  EXPECT_TRUE(lines[4].startsWith(QStringLiteral("EP\t"))) << lines[4].toStdString();

  const std::optional<QString> file = DecodeGbk(ReadBytes(PathOf("route.csv")));
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->startsWith(QStringLiteral("起点桩号K,止点桩号K,")));
  EXPECT_TRUE(file->contains(QStringLiteral("\r\n2000,")));
  EXPECT_EQ(file->count(QStringLiteral("\r\n")), 1 + 1 + 3 + 1 + 1 + 1);

  const Run fromFile = Route({"check", "route.csv"});
  const Run fromJd = Route({"check", "--jd", "jd.csv", "--start-station", "2000"});
  EXPECT_EQ(fromFile.status, 0);
  EXPECT_TRUE(fromJd.out.endsWith(QStringLiteral("全部接头闭合。\r\n")))
      << fromJd.out.toStdString();
  EXPECT_EQ(fromJd.out.section(u'\n', 1), fromFile.out.section(u'\n', 1));
}

TEST_F(FromJdCommandTest, RefusedTableWritesNothing) {
  WriteBytes(PathOf("jd.csv"), QByteArray(kJdTable).replace(",600,100,80", ",600,400,400"));
  const Run run = Route({"from-jd", "jd.csv", "-o", "route.csv"});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_TRUE(run.err.startsWith(QStringLiteral("文件“jd.csv”第3行：交点“JD1”的缓和曲线过长：")))
      << run.err.toStdString();
  EXPECT_FALSE(QFile::exists(PathOf("route.csv")));
}

// Pins a 0.5 mm straight between two curves (the JD1–JD2 leg is T2 + T1
// plus that) made a 短链 by the command: check noted it and forward skipped
// the stations in it.
TEST_F(FromJdCommandTest, ShortStraightBetweenCurvesHasItsStations) {
  WriteBytes(PathOf("jd.csv"),
             "BP,3000000,500000\r\n"
             "JD1,3000221.985734,500068.668234,300,80,60\r\n"
             "JD2,3000409.401792,500304.842120,500,100,100\r\n"
             "EP,3000665.334254,500413.048629\r\n");
  const Run check = Route({"check", "--jd", "jd.csv"});
  EXPECT_EQ(check.status, 0);
  EXPECT_TRUE(check.out.startsWith(QStringLiteral("线元9个，接头8个"))) << check.out.toStdString();
  EXPECT_FALSE(check.out.contains(QStringLiteral("短链"))) << check.out.toStdString();

  const Run forward = Route(
      {"forward", "--jd", "jd.csv", "--from", "350.0001", "--to", "350.0004", "--step", "0.0001"});
  EXPECT_EQ(forward.status, 0) << forward.err.toStdString();
  const QStringList lines = forward.out.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 5) << forward.out.toStdString();  // the header, 4 stations
  // 0.399 mm along the straight, element 5, from its start at 3000298.83758,
  // 500165.51372 on 51°33′58.33″.
  EXPECT_EQ(lines[4],
            QStringLiteral(
                "K0+350_4,K0+350.000,350.000,0.000,90,3000298.8378,500165.5140,51°33ˊ58.33″,5,"));
}

}  // namespace
}  // namespace tarnvel
