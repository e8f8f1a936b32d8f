#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

#include "file_test_support.h"
#include "io/files/gbk_text.h"
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

// The design route with a 20 m 短链 at joint 2 (K1+300=K1+320), and the
// line that declares it, if any.
QByteArray RouteWithAShortChain(const QByteArray& declaration) {
  return QByteArray(kDesignRoute)
             .replace("1300,1450.5,", "1320,1470.5,")
             .replace("1450.5,1550.5,", "1470.5,1570.5,") +
         declaration;
}

// Pins a mistyped station passing as a 断链: a jump that the file does not
// declare, or a declaration that matches no jump, is 超限.
TEST_F(RouteCommandTest, CheckHoldsJumpsToTheDeclaredChains) {
  const struct {
    const char* name;
    QByteArray declaration;
    int status;
    const char* joint2;  // how the row of joint 2 ends
    const char* ending;  // the report's last lines
  } cases[] = {
      {"Undeclared", "", 0, "闭合  短链20.000m",
       "全部接头闭合。\r\n桩号跳变1处，文件没有声明断链：\r\n"
       "接头2：K1+300.000=K1+320.000，短链20.000m\r\n"
       "请将以上桩号跳变与设计的断链表核对。\r\n"},
      {"Declared", "断链,K1+300,1320\r\n", 0, "闭合  短链20.000m；与声明的断链相符",
       "全部接头闭合。\r\n"},
      {"WrongDeclaration", "断链,K1+300,K1+330\r\n", 1,
       "超限  短链20.000m；未声明的断链；声明的断链K1+300.000=K1+330.000没有对应的桩号跳变",
       "1个接头超限！\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(PathOf("route.csv"), RouteWithAShortChain(c.declaration));
    const Outcome run = Route({"check", "route.csv"});
    EXPECT_EQ(run.status, c.status) << run.err.toStdString();
    const QString out = QString::fromUtf8(run.out);
    const QStringList lines = out.split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 4) << out.toStdString();
    EXPECT_TRUE(lines[3].startsWith(u'2') && lines[3].endsWith(QString::fromUtf8(c.joint2)))
        << lines[3].toStdString();
    EXPECT_TRUE(out.endsWith(QString::fromUtf8(c.ending))) << out.toStdString();
  }
}

// The joints' forward points agree with the next element's typed start.
TEST_F(RouteCommandTest, ForwardRangeWritesGbkFileWithJointsOnTheTypedStarts) {
  const Outcome run = Route({"forward", "route.csv", "--from", "1200", "--to", "1450.5", "--step",
                             "125.25", "--encoding", "gbk", "-o", "out.csv"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_TRUE(run.out.isEmpty());
  const std::optional<QString> text = DecodeGbk(ReadBytes(PathOf("out.csv")));
  ASSERT_TRUE(text.has_value());
  EXPECT_TRUE(
      text->startsWith(QStringLiteral("点名,桩号,里程,偏距,偏角,X,Y,切线方位角,线元,说明\r\n")))
      << "GBK has no byte-order mark";
  const QList<QStringList> rows = Rows(text->toUtf8());
  ASSERT_EQ(rows.size(), 4);  // 1200, 1252.5 and 1377.75 (整桩), 1450.5
  EXPECT_EQ(rows[0].mid(0, 5), (QStringList{"K1+200", "K1+200.000", "1200.000", "0.000", "90"}));
  EXPECT_EQ(rows[0][8], u"2") << "the element that starts at a joint holds it";
  EXPECT_NEAR(rows[0][5].toDouble(), 3378745.627, 0.002);
  EXPECT_NEAR(rows[0][6].toDouble(), 453791.354, 0.002);
  EXPECT_EQ(rows[3].mid(0, 3), (QStringList{"K1+450.5", "K1+450.500", "1450.500"}));
  EXPECT_NEAR(rows[3][5].toDouble(), 3378888.572, 0.002);
  EXPECT_NEAR(rows[3][6].toDouble(), 453994.594, 0.002);
}

// The stations of --step and --curve-step, and a --to typed 0.2 mm past the
// route's end, which was refused naming the end in 15 digits.
TEST_F(RouteCommandTest, ForwardRangeOfWholeStationsToTheClampedEnd) {
  const Outcome run = Route({"forward", "route.csv", "--from", "1180.4", "--to", "1550.5002",
                             "--step", "100", "--curve-step", "40"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  QStringList stations;
  for (const QStringList& row : Rows(run.out)) stations << row[2];
  EXPECT_EQ(stations, (QStringList{"1180.400", "1200.000", "1240.000", "1280.000", "1300.000",
                                   "1320.000", "1360.000", "1400.000", "1440.000", "1480.000",
                                   "1500.000", "1520.000", "1550.500"}));
  const Outcome past =
      Route({"forward", "route.csv", "--from", "1500", "--to", "1550.503", "--step", "20"});
  EXPECT_EQ(past.status, 2);
  EXPECT_EQ(past.err, QStringLiteral("“止点K”超出线路范围（1000.000～1550.500）！\n"));
}

TEST_F(RouteCommandTest, ForwardStationsFileOffsetsAndInverseFindsThemBack) {
  WriteBytes(PathOf("stations.txt"), "点名,里程,偏距,偏角\nA,1375\nB,1375,7.5\n");
  const Outcome forward = Route(
      {"forward", "route.csv", "--stations", "stations.txt", "--offset", "-5", "--offset", "5"});
  ASSERT_EQ(forward.status, 0) << forward.err.toStdString();
  const QList<QStringList> rows = Rows(forward.out);
  ASSERT_EQ(rows.size(), 3);
  EXPECT_EQ((QStringList{rows[0][0], rows[1][0], rows[2][0]}),
            (QStringList{"AL5.00", "AR5.00", "B"}));
  EXPECT_EQ((QStringList{rows[0][3], rows[1][3], rows[2][3]}),
            (QStringList{"-5.000", "5.000", "7.500"}));

  QByteArray points = "点名,X,Y\r\n";
  for (const QStringList& row : rows)
    points += (row[0] + u',' + row[5] + u',' + row[6] + "\r\n").toUtf8();
  points += "远点,0,0\r\n";
  WriteBytes(PathOf("points.txt"), points);
  const Outcome inverse = Route({"inverse", "route.csv", "points.txt"});
  ASSERT_EQ(inverse.status, 0) << inverse.err.toStdString();
  const QList<QStringList> feet = Rows(inverse.out);
  ASSERT_EQ(feet.size(), 4);
  EXPECT_EQ(feet[0].mid(3), (QStringList{"K1+375.000", "1375.000", "-5.000", "3", "1/1"}));
  EXPECT_EQ(feet[2].mid(1),
            (QStringList{rows[2][5], rows[2][6], "K1+375.000", "1375.000", "7.500", "3", "1/1"}));
  EXPECT_EQ(feet[3], (QStringList{"远点", "0", "0", "", "", "", "", "0/0"}));
}

// Pins forward's own point at the route's start, K1+000R4.10 written to the
// tenth of a millimetre and so 0.01 mm before the start, having no foot
// (0/0) in inverse: within the position tolerance it is at the start.
TEST_F(RouteCommandTest, InverseFindsForwardsPointAtTheStart) {
  const Outcome forward = Route({"forward", "route.csv", "--from", "1000", "--to", "1000", "--step",
                                 "10", "--offset", "4.1", "-o", "start.csv"});
  ASSERT_EQ(forward.status, 0) << forward.err.toStdString();
  const QList<QStringList> rows = Rows(ReadBytes(PathOf("start.csv")).mid(3));
  ASSERT_EQ(rows.size(), 1);
  WriteBytes(PathOf("points.txt"), (rows[0][0] + u',' + rows[0][5] + u',' + rows[0][6]).toUtf8());
  const Outcome inverse = Route({"inverse", "route.csv", "points.txt"});
  ASSERT_EQ(inverse.status, 0) << inverse.err.toStdString();
  EXPECT_EQ(Rows(inverse.out),
            (QList<QStringList>{{"K1+000R4.10", "3378602.5207", "453651.5777", "K1+000.000",
                                 "1000.000", "4.100", "1", "1/1"}}));
}

// A .dat goes into an instrument: "点名,编码,Y,X,H" lines in GBK, no header
// and no mark, named as the CSV's rows.
TEST_F(RouteCommandTest, ForwardWritesASurveyPointFileForADatName) {
  WriteBytes(PathOf("stations.txt"), "甲,1300\n");
  const Outcome run = Route({"forward", "route.csv", "--stations", "stations.txt", "--offset",
                             "-10", "--offset", "10", "-o", "pts.dat"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  const QList<QByteArray> lines = ReadBytes(PathOf("pts.dat")).split('\n');
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(lines[0].startsWith("\xBC\xD7L10.00,HY,453858.6800,3378821.0686,\r"))
      << lines[0].toStdString();
  EXPECT_TRUE(lines[1].startsWith("\xBC\xD7R10.00,HY,")) << lines[1].toStdString();
}

// K text in the station options, the prefix in names and 桩号, and the
// byte-order mark on the CSV, wherever it goes.
TEST_F(RouteCommandTest, ForwardReadsAndWritesKText) {
  const Outcome run = Route({"forward", "route.csv", "--from", "ak1+000", "--to", "1040", "--step",
                             "20", "--prefix", "AK", "-o", "out.csv"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  const QByteArray csv = ReadBytes(PathOf("out.csv"));
  EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF点名,桩号,里程,")) << csv.left(16).toHex().toStdString();
  EXPECT_EQ(csv.count("\xEF\xBB\xBF"), 1);
  const QList<QStringList> rows = Rows(csv);
  ASSERT_EQ(rows.size(), 3);
  EXPECT_EQ(rows[2].mid(0, 3), (QStringList{"AK1+040", "AK1+040.000", "1040.000"}));
  EXPECT_EQ(Route({"forward", "route.csv", "--from", "K1+000", "--to", "1040", "--step", "20",
                   "--prefix", "AK"})
                .out,
            csv)
      << "standard output has the file's bytes";
}

// Names from the file are kept, the side added for several offsets; a name
// met again, or no name, still names one row only.
TEST_F(RouteCommandTest, ForwardStationsFileNamesAreUnique) {
  WriteBytes(PathOf("stations.txt"), "A,1375\nA,K1+380\n,1390.25\n");
  const Outcome run = Route(
      {"forward", "route.csv", "--stations", "stations.txt", "--offset", "-5", "--offset", "5"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  QStringList names;
  for (const QStringList& row : Rows(run.out)) names << row[0];
  EXPECT_EQ(names, (QStringList{"AL5.00", "AR5.00", "AL5.00_2", "AR5.00_2", "K1+390.25L5.00",
                                "K1+390.25R5.00"}));
}

// A straight 1000–1200 and its continuation from 1190: a 长链 of 10 m that
// passes 1190–1200 twice.
const QByteArray kLongChainRoute =
    "1000,1200,3378605.445,453648.704,45,0,0,0\r\n"
    "1190,1300,3378746.866356,453790.125356,45,0,0,0\r\n";

struct BranchCase {
  const char* name;
  QStringList arguments;  // after "forward long.csv"
  const char* stations;   // the stations file, when one is given
  QStringList rows;       // 点名|里程|说明 of each row, or the refusal
};

class ForwardBranchTest : public RouteCommandTest,
                          public testing::WithParamInterface<BranchCase> {};

// Pins a 长链's second branch unmarked, and a station of its repeated stretch
// unable to name that branch: a stations file gave both branches' rows.
TEST_P(ForwardBranchTest, SecondBranchIsMarkedAndNamedBySuffix) {
  const BranchCase& c = GetParam();
  WriteBytes(PathOf("long.csv"), kLongChainRoute);
  WriteBytes(PathOf("st.csv"), c.stations);
  const Outcome run = Route(QStringList{"forward", "long.csv"} + c.arguments);
  QStringList rows;
  if (run.status == 0) {
    for (const QStringList& row : Rows(run.out)) rows << row[0] + u'|' + row[2] + u'|' + row[9];
  } else {
    rows << run.err;
  }
  EXPECT_EQ(rows, c.rows) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ForwardBranchTest,
    testing::Values(BranchCase{"RangeAcross",
                               {"--from", "1180", "--to", "1210", "--step", "10"},
                               "",
                               {"K1+180|1180.000|", "K1+190|1190.000|", "K1+200|1200.000|",
                                "K1+190_2|1190.000|长链第2支", "K1+200_2|1200.000|长链第2支",
                                "K1+210|1210.000|"}},
                    BranchCase{"FromOnSecondBranch",
                               {"--from", "K1+195_2", "--to", "1210", "--step", "10"},
                               "",
                               {"K1+195|1195.000|长链第2支", "K1+200|1200.000|长链第2支",
                                "K1+210|1210.000|"}},
                    BranchCase{"StationsFile",
                               {"--stations", "st.csv"},
                               "A,1195\r\nB,K1+195_2\r\nC,1195_1\r\n",
                               {"A|1195.000|", "B|1195.000|长链第2支", "C|1195.000|"}},
                    BranchCase{"StationsFilePassBeyond",
                               {"--stations", "st.csv"},
                               "A,1180_2\r\n",
                               {"文件“st.csv”第1行：里程“1180_2”不存在：线路只经过该桩号1次！\n"}},
                    BranchCase{"RangePassBeyond",
                               {"--from", "1195_3", "--to", "1210", "--step", "10"},
                               "",
                               {"“起点K”K1+195.000_3：线路只经过该桩号2次！\n"}}),
    [](const testing::TestParamInfo<BranchCase>& info) { return std::string(info.param.name); });

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
      {{"check", "bad.csv", "-o", "out.csv"},
       "文件“bad.csv”第2行“曲线转向Q”的值“x”不是有效的数字！"},
      {{"check", "missing.csv"}, "无法打开文件“missing.csv”：文件不存在！"},
      {{"forward", "route.csv", "--from", "1000", "--to", "1100", "-o", "out.csv"},
       "forward命令需要“--from”、“--to”和“--step”，或者“--stations”！"},
      {{"forward", "route.csv", "--from", "1000", "--to", "1100", "--step", "0"},
       "选项“--step”的值“0”无效，应大于0！"},
      {{"check", "route.csv", "--all"}, "选项“--all”不能用于check命令！"},
      {{"check", "route.csv", "--bogus"}, "未知选项“--bogus”！请用 --help 查看可用的选项。"},
      {{"inverse", "route.csv"}, "请给出线元表文件和测点文件！"},
      {{"check", "route.csv", "--tol-azimuth"}, "选项“--tol-azimuth”后缺少数值！"},
      {{"forward", "route.csv", "--from", "K1+1000", "--to", "1100", "--step", "1"},
       "选项“--from”的值“K1+1000”不是有效的桩号！"},
      {{"forward", "route.csv", "--from", "1000", "--to", "1+100", "--step", "1"},
       "选项“--to”的值“1+100”不是有效的数字！"},
      {{"forward", "route.csv", "--from", "1000", "--to", "1100", "--step", "1", "--prefix", "K1"},
       "选项“--prefix”的值“K1”无效，应为英文字母，如K、ZK！"},
      {{"forward", "route.csv", "--stations", "stations.txt", "--names", "serial"},
       "“--names”只能用于里程范围（--from、--to、--step）；里程文件的点名取自文件！"},
  };
  for (const auto& c : cases) {
    const Outcome run = Route(c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments.join(u' ').toStdString();
    EXPECT_TRUE(run.err.startsWith(QString::fromUtf8(c.message))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(ReadBytes(PathOf("out.csv")), "old");
  }
}

// The refusal a command line gets: the command's names and files as the
// command table gives them, and of two faults the one read first.
struct FirstRefusalCase {
  const char* name;
  QStringList arguments;
  const char* message;
};

class FirstRefusalTest : public RouteCommandTest,
                         public testing::WithParamInterface<FirstRefusalCase> {};

TEST_P(FirstRefusalTest, SaysTheFirstFault) {
  const FirstRefusalCase& c = GetParam();
  const Outcome run = Route(c.arguments);
  EXPECT_EQ(run.status, 2) << c.arguments.join(u' ').toStdString();
  EXPECT_EQ(run.err, QString::fromUtf8(c.message) + u'\n') << c.arguments.join(u' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FirstRefusalTest,
    testing::Values(
        FirstRefusalCase{
            "NoCommand",
            {},
            "请给出命令：check、forward、inverse、from-jd、export、profile、sections、slopes、"
            "ground或earthworks！"
            "请用 --help 查看用法。"},
        FirstRefusalCase{"UnknownCommand",
                         {"sideways"},
                         "未知命令“sideways”，应为check、forward、inverse、from-jd、export、"
                         "profile、sections、slopes、ground或earthworks！"},
        FirstRefusalCase{"PointsBesideJd", {"inverse", "--jd", "jd.csv"}, "请给出测点文件！"},
        FirstRefusalCase{"OutputBeforePrefix",
                         {"from-jd", "jd.csv", "--prefix", "1"},
                         "from-jd命令需要用“-o”给出要写的线元表文件！"},
        FirstRefusalCase{"SkewBeforeStartStation",
                         {"forward", "--jd", "jd.csv", "--stations", "s.csv", "--start-station",
                          "x", "--skew", "y"},
                         "选项“--skew”的值“y”不是有效的数字！"},
        FirstRefusalCase{
            "SectionsBeforeEdges",
            {"forward", "route.csv", "--stations", "s.csv", "--sections", "s.csv", "--edges"},
            "“--sections”需要与“--profile”同用！"},
        FirstRefusalCase{"ProfileRangeHalfGiven",
                         {"profile", "p.csv", "--from", "1", "--to", "2"},
                         "profile命令的里程范围需要“--from”、“--to”和“--step”！"}),
    [](const testing::TestParamInfo<FirstRefusalCase>& info) {
      return std::string(info.param.name);
    });

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
        "--from K",          "--to K",          "--step J",          "--stations FILE",
        "--offset M",        "--skew A",        "--key-points",      "--curve-step S",
        "--names KIND",      "--prefix P",      "--max-offset M",    "--all",
        "--profile PROFILE", "--pdf FILE",      "-h, --help",        "-v, --version"})
    EXPECT_TRUE(help.contains(QString::fromUtf8(option))) << option;
}

}  // namespace
}  // namespace tarnvel
