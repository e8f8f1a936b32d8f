#include <gtest/gtest.h>

#include <ostream>

#include "file_test_support.h"
#include "route_program.h"

namespace tarnvel {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

const QByteArray kBom = "\xEF\xBB\xBF";

// A straight route north from (1000, 2000), stations 0 to 300, on a level
// profile at 100.000, so that every height below is the section's alone.
const QByteArray kRoute = "0,300,1000,2000,0,0,0,0\r\n";
const QByteArray kLevel = "A,0,100\r\nB,300,100\r\n";

// A full 超高 transition, −2/−2 at K0+100 to +4/−4 at K0+150, each side a
// 3.75 m lane and a 0.75 m shoulder at −4%. By hand, at K0+110 (a fifth in)
// the lane slopes are −0.8 left and −2.4 right: the lane edges are
// 100 − 3.75 × 0.008 = 99.970 and 100 − 3.75 × 0.024 = 99.910, the shoulder
// edges 0.03 lower (99.940, 99.880). At K0+140 (four fifths) they are +2.8
// and −3.6: 100.105 and 99.865, shoulders 100.075 and 99.835.
const QByteArray kSections =
    "桩号,左行车道宽,左行车道坡,左土路肩宽,左土路肩坡,右行车道宽,右行车道坡,右土路肩宽,"
    "右土路肩坡\r\n"
    "K0+100,3.75,-2,0.75,-4,3.75,-2,0.75,-4\r\n"
    "K0+150,3.75,4,0.75,-4,3.75,-4,0.75,-4\r\n";

class SectionsCommandTest : public testing_support::ScratchFolder {
 protected:
  void SetUp() override {
    WriteBytes(PathOf("route.csv"), kRoute);
    WriteBytes(PathOf("level.csv"), kLevel);
    WriteBytes(PathOf("sections.csv"), kSections);
  }
  testing_support::ProgramRun Run(const QStringList& arguments) {
    return testing_support::RunRouteProgram(PathOf(""), arguments);
  }
};

// The 边桩 follow a station's own rows, left side then right, each part's
// outer edge with its own height. A row beyond the road (5 m out, the road
// ending at 4.5) says so and has no height. A skewed row (3 m at 45° from
// K0+110) takes the surface at its own foot: K0+112.121, 2.121 m right,
// where the right lane falls at 2.4849% (99.947 by hand).
TEST_F(SectionsCommandTest, ForwardWithEdges) {
  WriteBytes(PathOf("stations.csv"), "P1,K0+110,5\r\nP2,110,3,45\r\n");
  const auto run = Run({"forward", "route.csv", "--stations", "stations.csv", "--profile",
                        "level.csv", "--sections", "sections.csv", "--edges"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(QString::fromUtf8(run.out),
            QString::fromUtf8(
                kBom + "点名,桩号,里程,偏距,偏角,X,Y,切线方位角,线元,说明,设计高程\r\n"
                       "P1,K0+110.000,110.000,5.000,90,1110.0000,2005.0000,0°0ˊ0″,1,"
                       "超出路基范围,\r\n"
                       "P2,K0+110.000,110.000,3.000,45,1112.1213,2002.1213,0°0ˊ0″,1,,99.947\r\n"
                       "K0+110L3.75,K0+110.000,110.000,-3.750,90,1110.0000,1996.2500,0°0ˊ0″,1,"
                       "左行车道外,99.970\r\n"
                       "K0+110L4.50,K0+110.000,110.000,-4.500,90,1110.0000,1995.5000,0°0ˊ0″,1,"
                       "左土路肩外,99.940\r\n"
                       "K0+110R3.75,K0+110.000,110.000,3.750,90,1110.0000,2003.7500,0°0ˊ0″,1,"
                       "右行车道外,99.910\r\n"
                       "K0+110R4.50,K0+110.000,110.000,4.500,90,1110.0000,2004.5000,0°0ˊ0″,1,"
                       "右土路肩外,99.880\r\n"));
}

// Regression: a range's edge took the name of the row at its offset
// ("K0+110L3.75" twice), since the next station's row was named, and the
// last station's names forgotten, before the edges were written. In a .dat
// every edge carries its height as H and its part as 编码.
TEST_F(SectionsCommandTest, RangeEdgesNamedApartInASurveyPointFile) {
  const auto run = Run({"forward", "route.csv", "--from", "110", "--to", "140", "--step", "30",
                        "--offset", "-3.75", "--profile", "level.csv", "--sections", "sections.csv",
                        "--edges", "-o", "out.dat", "--encoding", "utf8"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  const QByteArray out = ReadBytes(PathOf("out.dat"));
  EXPECT_TRUE(
      out.startsWith("K0+110L3.75,,1996.2500,1110.0000,99.970\r\n"
                     "K0+110L3.75_2,左行车道外,1996.2500,1110.0000,99.970\r\n"
                     "K0+110L4.50,左土路肩外,1995.5000,1110.0000,99.940\r\n"))
      << out.toStdString();
  EXPECT_TRUE(out.endsWith("K0+140R4.50,右土路肩外,2004.5000,1140.0000,99.835\r\n"))
      << out.toStdString();
}

// Regression: a stations file's edges were named apart from one another
// only, so an edge took the name of a row of the file: that of a line
// without a name at the edge's offset (K0+110L3.75), or a name the file
// gives (K0+110R4.50). The edges of that named line take its name.
TEST_F(SectionsCommandTest, StationEdgesNamedApartFromTheFilesRows) {
  WriteBytes(PathOf("stations.csv"), ",K0+110\r\nK0+110R4.50,140,0\r\n");
  const auto run =
      Run({"forward", "route.csv", "--stations", "stations.csv", "--offset=-3.75", "--offset", "0",
           "--profile", "level.csv", "--sections", "sections.csv", "--edges", "-o", "out.dat"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  QStringList names;
  for (const QByteArray& line : ReadBytes(PathOf("out.dat")).split('\n'))
    if (!line.isEmpty()) names << QString::fromLatin1(line.left(line.indexOf(',')));
  EXPECT_EQ(names.join(' ').toStdString(),
            "K0+110L3.75 K0+110 K0+110L3.75_2 K0+110L4.50 K0+110R3.75 K0+110R4.50_2 K0+110R4.50 "
            "K0+110R4.50L3.75 K0+110R4.50L4.50 K0+110R4.50R3.75 K0+110R4.50R4.50");
}

// Pins a stations file line's name lost on its 边桩: S110's edges were
// K0+110L3.75 …, though the line's own row keeps its name. They take the
// line's name with their side; where lines of different names give one
// station's rows (A and B at 120) the station's; a line without a name
// gives its station's.
TEST_F(SectionsCommandTest, StationEdgesTakeTheLinesName) {
  WriteBytes(PathOf("stations.csv"), "S110,K0+110\r\nA,120,-1\r\nB,120,1\r\n,140\r\n");
  const auto run = Run({"forward", "route.csv", "--stations", "stations.csv", "--profile",
                        "level.csv", "--sections", "sections.csv", "--edges", "-o", "out.dat"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  QStringList names;
  for (const QByteArray& line : ReadBytes(PathOf("out.dat")).split('\n'))
    if (!line.isEmpty()) names << QString::fromLatin1(line.left(line.indexOf(',')));
  EXPECT_EQ(names.join(' ').toStdString(),
            "S110 S110L3.75 S110L4.50 S110R3.75 S110R4.50 "
            "A B K0+120L3.75 K0+120L4.50 K0+120R3.75 K0+120R4.50 "
            "K0+140 K0+140L3.75 K0+140L4.50 K0+140R3.75 K0+140R4.50");
}

// inverse with heights across the sections: 设计高程 at each point's own
// offset, 高差 and 挖填 from it; beyond the road none of the three, and 说明
// says so; a point without H has its 设计高程 alone.
TEST_F(SectionsCommandTest, InverseWithHeights) {
  WriteBytes(PathOf("points.csv"),
             "Lane,1110,1996.25,100\r\nShoulder,1140,2004.5,99.8\r\nOff,1140,2010,100\r\n"
             "NoH,1140,2000\r\n");
  const auto run = Run({"inverse", "route.csv", "points.csv", "--profile", "level.csv",
                        "--sections", "sections.csv"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(QString::fromUtf8(run.out),
            QString::fromUtf8(
                kBom + "点名,X,Y,桩号,里程,偏距,线元,候选,设计高程,高差,挖填,说明\r\n"
                       "Lane,1110,1996.25,K0+110.000,110.000,-3.750,1,1/1,99.970,0.030,挖,\r\n"
                       "Shoulder,1140,2004.5,K0+140.000,140.000,4.500,1,1/1,99.835,-0.035,填,\r\n"
                       "Off,1140,2010,K0+140.000,140.000,10.000,1,1/1,,,,超出路基范围\r\n"
                       "NoH,1140,2000,K0+140.000,140.000,0.000,1,1/1,100.000,,,\r\n"));
}

// Parts 3.75, 1.8 and 0.6 a side at −2, −2 and −4 %: the outer edges are
// 6.15 out, 0.135 below the centre line (101.865 on a profile at 102), but
// the parts' sum in doubles is 6.1499999999999995.
const QByteArray kThreeParts =
    "桩号,左行车道宽,左行车道坡,左硬路肩宽,左硬路肩坡,左土路肩宽,左土路肩坡,右行车道宽,右行车道坡,"
    "右硬路肩宽,右硬路肩坡,右土路肩宽,右土路肩坡\r\n"
    "K0+000,3.75,-2,1.8,-2,0.6,-4,3.75,-2,1.8,-2,0.6,-4\r\n";

// Pins an offset typed on the outer edge, and a point surveyed there (to
// 0.06 mm beyond it), being 超出路基范围 while the edge's 边桩 had a height.
TEST_F(SectionsCommandTest, OffsetOnTheOuterEdgeHasTheEdgesHeight) {
  WriteBytes(PathOf("three.csv"), kThreeParts);
  WriteBytes(PathOf("level102.csv"), "A,0,102\r\nB,300,102\r\n");
  WriteBytes(PathOf("points.csv"), "E1,1100,1993.85\r\nE2,1100,1993.84994\r\n");
  const QStringList heights{"--profile", "level102.csv", "--sections", "three.csv"};
  const auto forward = Run(QStringList{"forward", "route.csv", "--from", "100", "--to", "100",
                                       "--step", "10", "--offset", "-6.15", "--offset", "6.15"} +
                           heights);
  EXPECT_EQ(QString::fromUtf8(forward.out),
            QString::fromUtf8(
                kBom + "点名,桩号,里程,偏距,偏角,X,Y,切线方位角,线元,说明,设计高程\r\n"
                       "K0+100L6.15,K0+100.000,100.000,-6.150,90,1100.0000,1993.8500,0°0ˊ0″,1,,"
                       "101.865\r\n"
                       "K0+100R6.15,K0+100.000,100.000,6.150,90,1100.0000,2006.1500,0°0ˊ0″,1,,"
                       "101.865\r\n"));
  const auto inverse = Run(QStringList{"inverse", "route.csv", "points.csv"} + heights);
  EXPECT_EQ(
      QString::fromUtf8(inverse.out),
      QString::fromUtf8(kBom + "点名,X,Y,桩号,里程,偏距,线元,候选,设计高程,高差,挖填,说明\r\n"
                               "E1,1100,1993.85,K0+100.000,100.000,-6.150,1,1/1,101.865,,,\r\n"
                               "E2,1100,1993.84994,K0+100.000,100.000,-6.150,1,1/1,101.865,,,"
                               "\r\n"));
}

// Pins a design line on the right edge, 6.25 at K0+100 and 7.25 at K0+200
// as the 硬路肩 widens, costing 13 of the 101 sections between, centre line
// included, where the interpolated line fell a last bit beyond the edge.
TEST_F(SectionsCommandTest, DesignLineOnTheEdgeKeepsEverySection) {
  WriteBytes(PathOf("edge.csv"),
             "桩号,左行车道宽,左行车道坡,右行车道宽,右行车道坡,右硬路肩宽,右硬路肩坡,设计线偏距\r\n"
             "K0+100,3.75,-2,3.75,-2,2.5,-4,6.25\r\n"
             "K0+200,3.75,-2,3.75,-2,3.5,-4,7.25\r\n");
  const auto run = Run({"forward", "route.csv", "--from", "100", "--to", "200", "--step", "1",
                        "--profile", "level.csv", "--sections", "edge.csv"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  const QList<QByteArray> lines = run.out.trimmed().split('\n');
  EXPECT_EQ(lines.size(), 102);
  EXPECT_EQ(run.out.count("超出路基范围"), 0) << run.out.toStdString();
  // K0+103: the centre line 0.075 + 0.04 × 2.53 above the design line.
  EXPECT_TRUE(lines.at(4).startsWith("K0+103,") && lines.at(4).endsWith(",100.176\r"))
      << lines.at(4).toStdString();
}

// The sections subcommand prints the interpolated widths and slopes: at the
// middle K0+125 the lanes slope +1 and −3; before the table its first line.
TEST_F(SectionsCommandTest, PrintsInterpolatedParts) {
  WriteBytes(PathOf("stations.csv"), "S,K0+050\r\n");
  const QByteArray header =
      "点名,里程,左行车道宽,左行车道坡,左土路肩宽,左土路肩坡,右行车道宽,右行车道坡,右土路肩宽,"
      "右土路肩坡\r\n";
  const auto range =
      Run({"sections", "sections.csv", "--from", "100", "--to", "150", "--step", "25"});
  EXPECT_EQ(range.status, 0) << range.err.toStdString();
  EXPECT_EQ(
      QString::fromUtf8(range.out),
      QString::fromUtf8(kBom + header +
                        "K0+100,100.000,3.750,-2.000,0.750,-4.000,3.750,-2.000,0.750,-4.000\r\n"
                        "K0+125,125.000,3.750,1.000,0.750,-4.000,3.750,-3.000,0.750,-4.000\r\n"
                        "K0+150,150.000,3.750,4.000,0.750,-4.000,3.750,-4.000,0.750,-4.000\r\n"));
  const auto file = Run({"sections", "sections.csv", "--stations", "stations.csv"});
  EXPECT_EQ(QString::fromUtf8(file.out),
            QString::fromUtf8(kBom + header +
                              "S,50.000,3.750,-2.000,0.750,-4.000,3.750,-2.000,0.750,-4.000\r\n"));
}

struct RefusedCase {
  const char* name;
  QStringList arguments;
  const char* err;
};

// Shown by its name, not as bytes, when a case fails.
void PrintTo(const RefusedCase& c, std::ostream* os) {
  *os << c.name;
}

class SectionsRefusalTest : public SectionsCommandTest,
                            public testing::WithParamInterface<RefusedCase> {};

TEST_P(SectionsRefusalTest, ExitsTwoWithTheMessage) {
  WriteBytes(PathOf("bad.csv"), "桩号,左行车道宽,左行车道坡\r\n0,-1,-2\r\n");
  WriteBytes(PathOf("pass.csv"), "S,K0+100\r\nS2,K0+100_2\r\n");
  const auto run = Run(GetParam().arguments);
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_EQ(run.err.trimmed().toStdString(), GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, SectionsRefusalTest,
    testing::Values(RefusedCase{"SectionsWithoutProfile",
                                {"forward", "route.csv", "--stations", "s.csv", "--sections",
                                 "sections.csv"},
                                "“--sections”需要与“--profile”同用！"},
                    RefusedCase{"EdgesWithoutSections",
                                {"forward", "route.csv", "--from", "0", "--to", "10", "--step", "5",
                                 "--profile", "level.csv", "--edges"},
                                "“--edges”需要与“--sections”同用！"},
                    RefusedCase{"SectionsWithoutStations",
                                {"sections", "sections.csv"},
                                "sections命令需要“--from”、“--to”和“--step”，或者“--stations”！"},
                    // Pins "K0+100_2" written silently as K0+100: the
                    // sections have no 长链 branch to name, as the profile has none.
                    RefusedCase{"StationsFilePassRefused",
                                {"sections", "sections.csv", "--stations", "pass.csv"},
                                "文件“pass.csv”第2行：横断面的里程不分长链的两支，不能带“_2”！"},
                    RefusedCase{"FileRefusalPassedOn",
                                {"sections", "bad.csv", "--from", "0", "--to", "10", "--step", "5"},
                                "文件“bad.csv”第2行的“左行车道宽”为“-1”，宽度不能为负数！"}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
