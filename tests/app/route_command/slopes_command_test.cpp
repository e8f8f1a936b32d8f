#include <gtest/gtest.h>

#include <ostream>

#include "file_test_support.h"
#include "route_program.h"

namespace tarnvel {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

const QByteArray kBom = "\xEF\xBB\xBF";

// A straight route north from (1000, 2000), a level profile at 100.000 and a
// level road 5 m wide each side: every hinge is at ±5.000, 100.000. The
// ground, surveyed at K0+100 and K0+140 alike, rises to the left as
// 100 + 0.2 × distance out and falls to the right as 98 − 0.1 × it. By hand:
// the left cut's ditch (0.6 deep at 1:1, 0.6 wide) ends at L6.8, 100.000,
// and its 1:1 slope meets the ground at L8.5, 101.700; the right fill falls
// at 1:1 to its 2 m berm at 99.000 (R6 to R8), then at 1:2 to R12.5, 96.750.
const QByteArray kRoute = "0,300,1000,2000,0,0,0,0\r\n";
const QByteArray kLevel = "A,0,100\r\nB,300,100\r\n";
const QByteArray kSections =
    "桩号,左行车道宽,左行车道坡,右行车道宽,右行车道坡\r\nK0+000,5,0,5,0\r\n";
const QByteArray kGround =
    "BEGIN,K0+100\r\n-20,104\r\n-5,101\r\n5,97.5\r\n20,96\r\n"
    "BEGIN,K0+140\r\n-20,104\r\n-5,101\r\n5,97.5\r\n20,96\r\n";
const QByteArray kSlopes =
    "桩号,侧,填挖,边沟底宽,边沟深,边沟内坡,边沟外坡,坡率1,坡高1,平台1,坡率2\r\n"
    "K0+000,左,挖,0.6,0.6,1,1,1\r\n"
    "K0+000,右,填,,,,,1,1,2,2\r\n";

class SlopesCommandTest : public testing_support::ScratchFolder {
 protected:
  void SetUp() override {
    WriteBytes(PathOf("route.csv"), kRoute);
    WriteBytes(PathOf("level.csv"), kLevel);
    WriteBytes(PathOf("sections.csv"), kSections);
    WriteBytes(PathOf("ground.csv"), kGround);
    WriteBytes(PathOf("slopes.csv"), kSlopes);
  }
  testing_support::ProgramRun Run(QStringList arguments) {
    return testing_support::RunRouteProgram(PathOf(""), arguments);
  }
  const QStringList kFiles{"--profile", "level.csv",  "--sections", "sections.csv",
                           "--ground",  "ground.csv", "--slopes",   "slopes.csv"};
};

// K0+080 is before the first surveyed station: no ground at either hinge.
TEST_F(SlopesCommandTest, RangeWithBreaks) {
  const auto run = Run(QStringList{"slopes", "route.csv", "--from", "80", "--to", "100", "--step",
                                   "20", "--breaks"} +
                       kFiles);
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(
      QString::fromUtf8(run.out),
      QString::fromUtf8(
          kBom +
          "点名,桩号,里程,侧,填挖,边缘偏距,边缘高程,地面高程,填挖高,坡脚坡口偏距,X,Y,高程,平距,"
          "说明\r\n"
          "K0+080L,K0+080.000,80.000,左,,-5.000,100.000,,,,,,,,边缘处没有地面线\r\n"
          "K0+080R,K0+080.000,80.000,右,,5.000,100.000,,,,,,,,边缘处没有地面线\r\n"
          "K0+100L5.60,K0+100.000,100.000,左,挖,-5.000,100.000,101.000,-1.000,-5.600,1100.0000,"
          "1994.4000,99.400,0.600,沟底内\r\n"
          "K0+100L6.20,K0+100.000,100.000,左,挖,-5.000,100.000,101.000,-1.000,-6.200,1100.0000,"
          "1993.8000,99.400,1.200,沟底外\r\n"
          "K0+100L6.80,K0+100.000,100.000,左,挖,-5.000,100.000,101.000,-1.000,-6.800,1100.0000,"
          "1993.2000,100.000,1.800,沟外缘\r\n"
          "K0+100LPK,K0+100.000,100.000,左,挖,-5.000,100.000,101.000,-1.000,-8.500,1100.0000,"
          "1991.5000,101.700,3.500,坡口\r\n"
          "K0+100R6.00,K0+100.000,100.000,右,填,5.000,100.000,97.500,2.500,6.000,1100.0000,"
          "2006.0000,99.000,1.000,平台1内\r\n"
          "K0+100R8.00,K0+100.000,100.000,右,填,5.000,100.000,97.500,2.500,8.000,1100.0000,"
          "2008.0000,99.000,3.000,平台1外\r\n"
          "K0+100RPJ,K0+100.000,100.000,右,填,5.000,100.000,97.500,2.500,12.500,1100.0000,"
          "2012.5000,96.750,7.500,坡脚\r\n"));
}

// A stations file's names; a side without a catch point stays out of the
// .dat, whose 编码 is the row's 说明 and H the ground's.
TEST_F(SlopesCommandTest, StationsToSurveyPointFile) {
  WriteBytes(PathOf("stations.csv"), "S1,K0+100\r\n,80\r\n");
  const auto run = Run(QStringList{"slopes", "route.csv", "--stations", "stations.csv", "-o",
                                   "out.dat", "--encoding", "utf8"} +
                       kFiles);
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(QString::fromUtf8(ReadBytes(PathOf("out.dat"))),
            QString::fromUtf8("S1LPK,坡口,1991.5000,1100.0000,101.700\r\n"
                              "S1RPJ,坡脚,2012.5000,1100.0000,96.750\r\n"));
}

// R9 lies on the fill at 98.500 and a stake at 97.2 must go 2.6 m out, to
// R11.6 where the 1:2 slope is at its height; L7 lies on the cut at
// 100.200, and 101.4 is reached at L8.2.
TEST_F(SlopesCommandTest, InverseOnBothSides) {
  WriteBytes(PathOf("points.csv"),
             "点名,X,Y,H\r\nP1,1100,2009,97.2\r\nP2,1100,1993,101.4\r\nP3,1100,2008\r\n");
  const auto run = Run(QStringList{"inverse", "route.csv", "points.csv"} + kFiles);
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(
      QString::fromUtf8(run.out),
      QString::fromUtf8(
          kBom + "点名,X,Y,桩号,里程,偏距,线元,候选,设计高程,高差,挖填,距坡脚坡口,说明\r\n"
                 "P1,1100,2009,K0+100.000,100.000,9.000,1,1/1,98.500,-1.300,填,2.600,向外\r\n"
                 "P2,1100,1993,K0+100.000,100.000,-7.000,1,1/1,100.200,1.200,挖,1.200,向外\r\n"
                 "P3,1100,2008,K0+100.000,100.000,8.000,1,1/1,99.000,,,,该点没有H\r\n"));
}

// A stakeout's catch points: each side's right after its last 边桩, named
// as the slopes command names them, at the ground's height; K0+080 has no
// ground, so no catch point. A stations file's line names them.
TEST_F(SlopesCommandTest, ForwardAddsCatchPointsAfterEachSidesEdges) {
  WriteBytes(PathOf("stations.csv"), "S1,K0+100\r\n");
  const QStringList stakeout =
      QStringList{"forward", "route.csv", "--edges"} + kFiles;
  const auto range = Run(stakeout + QStringList{"--from", "80", "--to", "100", "--step", "20"});
  EXPECT_EQ(range.status, 0) << range.err.toStdString();
  EXPECT_EQ(
      QString::fromUtf8(range.out),
      QString::fromUtf8(
          kBom + "点名,桩号,里程,偏距,偏角,X,Y,切线方位角,线元,说明,设计高程\r\n"
                 "K0+080,K0+080.000,80.000,0.000,90,1080.0000,2000.0000,0°0ˊ0″,1,,100.000\r\n"
                 "K0+080L5.00,K0+080.000,80.000,-5.000,90,1080.0000,1995.0000,0°0ˊ0″,1,左行车道外,"
                 "100.000\r\n"
                 "K0+080R5.00,K0+080.000,80.000,5.000,90,1080.0000,2005.0000,0°0ˊ0″,1,右行车道外,"
                 "100.000\r\n"
                 "K0+100,K0+100.000,100.000,0.000,90,1100.0000,2000.0000,0°0ˊ0″,1,,100.000\r\n"
                 "K0+100L5.00,K0+100.000,100.000,-5.000,90,1100.0000,1995.0000,0°0ˊ0″,1,左行车道外,"
                 "100.000\r\n"
                 "K0+100LPK,K0+100.000,100.000,-8.500,90,1100.0000,1991.5000,0°0ˊ0″,1,坡口,"
                 "101.700\r\n"
                 "K0+100R5.00,K0+100.000,100.000,5.000,90,1100.0000,2005.0000,0°0ˊ0″,1,右行车道外,"
                 "100.000\r\n"
                 "K0+100RPJ,K0+100.000,100.000,12.500,90,1100.0000,2012.5000,0°0ˊ0″,1,坡脚,"
                 "96.750\r\n"));
  const auto lines = Run(stakeout + QStringList{"--stations", "stations.csv"});
  EXPECT_EQ(lines.status, 0) << lines.err.toStdString();
  EXPECT_TRUE(lines.out.contains("S1LPK,K0+100.000") && lines.out.contains("S1RPJ,K0+100.000"))
      << lines.out.toStdString();
}

// The same ground as a surface: the lines' points at K0+090 and K0+150,
// each height the same along the route, so every section cut from it is
// the lines' own; a point repeated within a millimetre is left out and
// said. The catch points, the stakeout's and the inverse's slope heights
// come out as with --ground.
TEST_F(SlopesCommandTest, TinGivesWhatTheLinesGive) {
  QByteArray points = "点名,X,Y,H\r\n";
  for (const char* x : {"1090", "1150"})
    for (const char* yh : {"1980,104", "1995,101", "2005,97.5", "2020,96"})
      points += QByteArray("P,") + x + "," + yh + "\r\n";
  WriteBytes(PathOf("tin.csv"), points + "Q,1090.0005,1980,0\r\n");
  WriteBytes(PathOf("points.csv"), "P1,1100,2009,97.2\r\nP2,1130,1993,101.4\r\n");
  const QStringList range{"--from", "100", "--to", "140", "--step", "20"};
  const QStringList commands[] = {
      QStringList{"slopes", "route.csv", "--breaks"} + range,
      QStringList{"forward", "route.csv", "--edges"} + range,
      {"inverse", "route.csv", "points.csv"},
  };
  for (const QStringList& command : commands) {
    const auto lines = Run(command + kFiles);
    QStringList surface = command + kFiles;
    surface[surface.indexOf("--ground") + 1] = "tin.csv";
    surface[surface.indexOf("--ground")] = "--tin";
    const auto tin = Run(surface);
    EXPECT_EQ(tin.status, 0) << tin.err.toStdString();
    EXPECT_EQ(tin.out, lines.out) << command.join(u' ').toStdString();
    EXPECT_EQ(tin.err.toStdString(),
              "文件“tin.csv”中有1个点与前面的点平面距离不到1毫米，已略去。\n");
  }
}

struct Refused {
  std::string name;
  QStringList arguments;
  std::string message;
};

std::ostream& operator<<(std::ostream& out, const Refused& c) {
  return out << c.arguments.join(u' ').toStdString();
}

class SlopesRefusalTest : public SlopesCommandTest, public testing::WithParamInterface<Refused> {};

TEST_P(SlopesRefusalTest, ExitsWithTwoAndSaysWhy) {
  WriteBytes(PathOf("bad.csv"), "BEGIN,K0+100\r\n-5,100\r\n");
  const auto run = Run(GetParam().arguments);
  EXPECT_EQ(run.status, 2) << GetParam();
  EXPECT_TRUE(run.out.isEmpty()) << GetParam();
  EXPECT_EQ(run.err.toStdString(), GetParam().message + "\n") << GetParam();
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SlopesRefusalTest,
    testing::Values(Refused{"SerialNames",
                            {"slopes", "route.csv", "--from", "0", "--to", "20", "--step", "20",
                             "--names", "serial", "--profile", "level.csv", "--sections",
                             "sections.csv", "--ground", "ground.csv", "--slopes", "slopes.csv"},
                            "选项“--names”不能用于slopes命令！"},
                    Refused{"NoGround",
                            {"slopes", "route.csv", "--from", "0", "--to", "20", "--step", "20",
                             "--profile", "level.csv", "--sections", "sections.csv", "--slopes",
                             "slopes.csv"},
                            "slopes命令需要“--profile”、“--sections”、“--ground”（或“--tin”）"
                            "和“--slopes”！"},
                    Refused{"InverseSlopesWithoutSections",
                            {"inverse", "route.csv", "points.csv", "--profile", "level.csv",
                             "--slopes", "slopes.csv"},
                            "“--slopes”需要与“--profile”和“--sections”同用！"},
                    Refused{"ForwardSlopesWithoutEdges",
                            {"forward", "route.csv", "--from", "0", "--to", "20", "--step", "20",
                             "--profile", "level.csv", "--sections", "sections.csv", "--ground",
                             "ground.csv", "--slopes", "slopes.csv"},
                            "forward命令的“--slopes”需要与“--ground”（或“--tin”）和“--edges”"
                            "同用！"},
                    Refused{"GroundRefused",
                            {"slopes", "route.csv", "--from", "0", "--to", "20", "--step", "20",
                             "--profile", "level.csv", "--sections", "sections.csv", "--ground",
                             "bad.csv", "--slopes", "slopes.csv"},
                            "文件“bad.csv”第1行的桩号“K0+100”只有1个地面点，至少要有2个！"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tarnvel
