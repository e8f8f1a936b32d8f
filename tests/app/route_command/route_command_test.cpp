#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

#include "file_test_support.h"
#include "gbk_text.h"
#include "route_program.h"

namespace tarnvel {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

// A design table's line, spiral, arc and spiral, coordinates to the
// millimetre and azimuths to 0.01″ as the table gives them.
const QByteArray kDesignRoute =
    "起点桩号K,止点桩号K,起点坐标X,起点坐标Y,起点方位角F,起点半径RQ,止点半径RN,曲线转向Q,名称\r\n"
    "1000,1200,3378605.445,453648.704,45.3,0,0,0,直线\r\n"
    "1200,1300,3378745.627,453791.354,45.3,0,500,1,第一缓和曲线\r\n"
    "1300,1450.5,3378813.272,453864.942,51.134648,500,500,1,圆曲线\r\n"
    "1450.5,1550.5,3378888.572,453994.594,68.283219,500,0,1,第二缓和曲线\r\n";

using Outcome = testing_support::ProgramRun;

class RouteCommandTest : public testing_support::ScratchFolder {
 protected:
  void SetUp() override { WriteBytes(PathOf("route.csv"), kDesignRoute); }

  Outcome Route(const QStringList& arguments) {
    return testing_support::RunRouteProgram(PathOf(""), arguments);
  }

  // The CSV rows after the header, split into fields.
  static QList<QStringList> Rows(const QByteArray& csv) {
    QList<QStringList> rows;
    for (const QString& line :
         QString::fromUtf8(csv).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
      rows.append(line.split(u','));
    rows.removeFirst();
    return rows;
  }
};

TEST_F(RouteCommandTest, CheckClosesEveryJointOfTheDesignRoute) {
  const Outcome run = Route({"check", "route.csv"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  const QStringList lines = QString::fromUtf8(run.out).split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 7);
  EXPECT_EQ(lines[0], QStringLiteral("线元4个，接头3个；限差：位置2mm，方位角2″"));
  const char* labels[] = {"ZH", "HY", "YH"};
  for (int j = 0; j < 3; ++j) {
    EXPECT_TRUE(
        lines[2 + j].contains(QRegularExpression(QStringLiteral("%1 +闭合").arg(labels[j]))))
        << lines[2 + j].toStdString();
  }
  EXPECT_EQ(lines[5], QStringLiteral("全部接头闭合。"));
}

TEST_F(RouteCommandTest, CheckExitsOneOnAJointOutOfTolerance) {
  WriteBytes(PathOf("route.csv"), QByteArray(kDesignRoute).replace("3378888.572", "3378888.577"));
  const Outcome run = Route({"check", "route.csv", "--tol-position", "3"});
  EXPECT_EQ(run.status, 1);
  const QString out = QString::fromUtf8(run.out);
  EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("YH +超限")))) << out.toStdString();
  EXPECT_TRUE(out.endsWith(QStringLiteral("1个接头超限！\r\n")));
  EXPECT_EQ(Route({"check", "route.csv", "--tol-position", "6"}).status, 0);
}

// A station equation closes and is noted, never refused.
TEST_F(RouteCommandTest, CheckNotesALongAndAShortChain) {
  WriteBytes(PathOf("route.csv"), QByteArray(kDesignRoute).replace("1300,1450.5,", "1299.5,1450,"));
  const Outcome run = Route({"check", "route.csv"});
  EXPECT_EQ(run.status, 0) << run.out.toStdString();
  const QStringList lines = QString::fromUtf8(run.out).split(QStringLiteral("\r\n"));
  ASSERT_GE(lines.size(), 5);
  EXPECT_TRUE(
      lines[3].contains(QRegularExpression(QStringLiteral("^2 +2-3 +-0.500 .*闭合  长链0.500m$"))))
      << lines[3].toStdString();
  EXPECT_TRUE(
      lines[4].contains(QRegularExpression(QStringLiteral("^3 +3-4 +0.500 .*闭合  短链0.500m$"))))
      << lines[4].toStdString();
}

// The joints' forward points agree with the next element's typed start.
TEST_F(RouteCommandTest, ForwardRangeWritesGbkFileWithJointsOnTheTypedStarts) {
  const Outcome run = Route({"forward", "route.csv", "--from", "1200", "--to", "1450.5", "--step",
                             "125.25", "--encoding", "gbk", "-o", "out.csv"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_TRUE(run.out.isEmpty());
  const std::optional<QString> text = DecodeGbk(ReadBytes(PathOf("out.csv")));
  ASSERT_TRUE(text.has_value());
  EXPECT_TRUE(text->startsWith(QStringLiteral("点名,里程,偏距,偏角,X,Y,切线方位角,线元,说明\r\n")));
  const QList<QStringList> rows = Rows(text->toUtf8());
  ASSERT_EQ(rows.size(), 3);
  EXPECT_EQ(rows[0].mid(0, 4), (QStringList{"1", "1200.000", "0.000", "90"}));
  EXPECT_EQ(rows[0][7], u"2") << "the element that starts at a joint holds it";
  EXPECT_NEAR(rows[0][4].toDouble(), 3378745.627, 0.002);
  EXPECT_NEAR(rows[0][5].toDouble(), 453791.354, 0.002);
  EXPECT_EQ(rows[2].mid(1, 1), QStringList{"1450.500"});
  EXPECT_NEAR(rows[2][4].toDouble(), 3378888.572, 0.002);
  EXPECT_NEAR(rows[2][5].toDouble(), 453994.594, 0.002);
}

TEST_F(RouteCommandTest, ForwardStationsFileOffsetsAndInverseFindsThemBack) {
  WriteBytes(PathOf("stations.txt"), "点名,里程,偏距,偏角\nA,1375\nB,1375,7.5\n");
  const Outcome forward = Route(
      {"forward", "route.csv", "--stations", "stations.txt", "--offset", "-5", "--offset", "5"});
  ASSERT_EQ(forward.status, 0) << forward.err.toStdString();
  const QList<QStringList> rows = Rows(forward.out);
  ASSERT_EQ(rows.size(), 3);
  EXPECT_EQ((QStringList{rows[0][2], rows[1][2], rows[2][2]}),
            (QStringList{"-5.000", "5.000", "7.500"}));

  QByteArray points = "点名,X,Y\r\n";
  for (const QStringList& row : rows)
    points += (row[0] + u',' + row[4] + u',' + row[5] + "\r\n").toUtf8();
  points += "远点,0,0\r\n";
  WriteBytes(PathOf("points.txt"), points);
  const Outcome inverse = Route({"inverse", "route.csv", "points.txt"});
  ASSERT_EQ(inverse.status, 0) << inverse.err.toStdString();
  const QList<QStringList> feet = Rows(inverse.out);
  ASSERT_EQ(feet.size(), 4);
  EXPECT_EQ(feet[0].mid(3), (QStringList{"1375.000", "-5.000", "3", "1/1"}));
  EXPECT_EQ(feet[2].mid(1), (QStringList{rows[2][4], rows[2][5], "1375.000", "7.500", "3", "1/1"}));
  EXPECT_EQ(feet[3], (QStringList{"远点", "0", "0", "", "", "", "0/0"}));
}

// Nothing is written when an input is refused: the old output file stays.
TEST_F(RouteCommandTest, RefusalsGoToStandardErrorWithStatusTwo) {
  WriteBytes(PathOf("out.csv"), "old");
  WriteBytes(PathOf("stations.txt"), "A,1100\nB,1600\n");
  WriteBytes(PathOf("bad.csv"), "1000,1200,1,2,45.3,0,0,0\n1200,1300,1,2,45.3,0,0,x\n");
  const struct {
    QStringList arguments;
    const char* message;
  } cases[] = {
      {{"forward", "route.csv", "--stations", "stations.txt", "-o", "out.csv"},
       "文件“stations.txt”第2行："},
      {{"check", "bad.csv", "-o", "out.csv"}, "文件“bad.csv”第2行“曲线转向Q”不是有效的数字！"},
      {{"check", "missing.csv"}, "无法打开文件“missing.csv”：文件不存在！"},
      {{"forward", "route.csv", "--from", "1000", "--to", "1100", "-o", "out.csv"},
       "forward命令需要“--from”、“--to”和“--step”，或者“--stations”！"},
      {{"forward", "route.csv", "--from", "1000", "--to", "1100", "--step", "0"},
       "选项“--step”的值“0”无效，应大于0！"},
      {{"check", "route.csv", "--all"}, "选项“--all”不能用于check命令！"},
      {{"check", "route.csv", "--bogus"}, "未知选项“--bogus”！请用 --help 查看可用的选项。"},
      {{"inverse", "route.csv"}, "请给出线元表文件和测点文件！"},
      {{"check", "route.csv", "--tol-azimuth"}, "选项“--tol-azimuth”后缺少数值！"},
  };
  for (const auto& c : cases) {
    const Outcome run = Route(c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments.join(u' ').toStdString();
    EXPECT_TRUE(run.err.startsWith(QString::fromUtf8(c.message))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(ReadBytes(PathOf("out.csv")), "old");
  }
}

// Pins a write to a full disk through standard output that exited 0.
TEST_F(RouteCommandTest, AFailedWriteToStandardOutputIsRefused) {
  QProcess process;
  process.setWorkingDirectory(PathOf(""));
  process.setStandardOutputFile(QStringLiteral("/dev/full"));
  process.start(QStringLiteral(TARNVEL_ROUTE_PROGRAM), {"check", "route.csv"});
  ASSERT_TRUE(process.waitForFinished(30000));
  EXPECT_EQ(process.exitCode(), 2);
  EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()),
            QStringLiteral("写入标准输出时出错，输出不完整！\n"));
}

TEST_F(RouteCommandTest, HelpListsEveryOption) {
  const Outcome run = Route({"--help"});
  EXPECT_EQ(run.status, 0);
  const QString help = QString::fromUtf8(run.out);
  for (const char* option :
       {"-o, --output FILE", "--encoding CODE", "--tol-position MM", "--tol-azimuth SEC",
        "--from K", "--to K", "--step J", "--stations FILE", "--offset M", "--skew A",
        "--key-points", "--max-offset M", "--all", "--profile PROFILE", "-h, --help",
        "-v, --version"})
    EXPECT_TRUE(help.contains(QString::fromUtf8(option))) << option;
}

}  // namespace
}  // namespace tarnvel
