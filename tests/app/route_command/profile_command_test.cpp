#include <gtest/gtest.h>

#include "file_test_support.h"
#include "route_program.h"

namespace tarnvel {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

// The textbook crest: PVI K5+030 at 427.68, +5% then -4%, R 2000, so T 90,
// E 2.025, L 180, and 425.28 at K5+000 and 424.78 at K5+100.
const QByteArray kCrest =
    "变坡点号,桩号,高程,竖曲线半径R\r\n"
    "BP,K4+900,421.18\r\n"
    "SJD1,K5+030,427.68,2000\r\n"
    "EP,K5+200,420.88\r\n";

const QByteArray kBom = "\xEF\xBB\xBF";

struct ProfileCase {
  const char* name;
  QStringList arguments;
  int status;
  QByteArray out;  // exactly; or the -o file's bytes when arguments write one
  QString err;     // what standard error holds
};

class ProfileCommandTest : public testing_support::ScratchFolder,
                           public testing::WithParamInterface<ProfileCase> {};

TEST_P(ProfileCommandTest, WritesTheTableOrTheElevations) {
  const ProfileCase& c = GetParam();
  WriteBytes(PathOf("crest.csv"), kCrest);
  WriteBytes(PathOf("stations.csv"), "A,K5+000\r\n,5100\r\n");
  WriteBytes(PathOf("pass.csv"), "A,K5+000_2\r\n");
  const testing_support::ProgramRun run = testing_support::RunRouteProgram(
      PathOf(""), QStringList{"profile", "crest.csv"} + c.arguments);
  EXPECT_EQ(run.status, c.status) << run.err.toStdString();
  const QByteArray out = c.arguments.contains("-o") ? ReadBytes(PathOf("out.csv")) : run.out;
  EXPECT_EQ(out, c.out) << c.arguments.join(' ').toStdString();
  EXPECT_TRUE(run.err.contains(c.err)) << run.err.toStdString();
}

const QByteArray kTableHeader =
    "变坡点\t桩号\t高程\t凸凹\tR\tT\tE\tL\t竖曲线起点\t竖曲线终点\t前坡度(%)\t后坡度(%)"
    "\t前坡长\t后坡长\r\n";

INSTANTIATE_TEST_SUITE_P(
    Outputs, ProfileCommandTest,
    testing::Values(
        ProfileCase{"CurveTablePrinted",
                    {},
                    0,
                    kTableHeader +
                        "SJD1\tK5+030.000\t427.680\t凸\t2000.000\t90.000\t2.025\t180.000\t"
                        "K4+940.000\tK5+120.000\t5.000\t-4.000\t130.000\t170.000\r\n",
                    ""},
        ProfileCase{"CurveTableCsv",
                    {"-o", "out.csv"},
                    0,
                    kBom + QByteArray(kTableHeader).replace('\t', ',') +
                        "SJD1,K5+030.000,427.680,凸,2000.000,90.000,2.025,180.000,"
                        "K4+940.000,K5+120.000,5.000,-4.000,130.000,170.000\r\n",
                    ""},
        ProfileCase{"RangeWithKeyPoints",
                    {"--from", "K4+930", "--to", "5000", "--step", "40", "--key-points"},
                    0,
                    kBom + "点名,里程,设计高程,坡度,说明\r\n"
                           "K4+930,4930.000,422.680,5.000,\r\n"
                           "K4+940,4940.000,423.180,5.000,竖曲线起点\r\n"
                           "K4+960,4960.000,424.080,4.000,\r\n"
                           "K5+000,5000.000,425.280,2.000,\r\n",
                    ""},
        ProfileCase{"StationsFileNamesAndK",
                    {"--stations", "stations.csv"},
                    0,
                    kBom + "点名,里程,设计高程,坡度\r\n"
                           "A,5000.000,425.280,2.000\r\n"
                           "K5+100,5100.000,424.780,-3.000\r\n",
                    ""},
        // A profile has no 长链 branch to name.
        ProfileCase{"StationsFilePassRefused",
                    {"--stations", "pass.csv"},
                    2,
                    "",
                    "文件“pass.csv”第1行：纵断面的里程不分长链的两支，不能带“_2”！\n"},
        ProfileCase{"RangeOutsideRefused",
                    {"--from", "K4+800", "--to", "5100", "--step", "20"},
                    2,
                    "",
                    "桩号K4+800.000不在纵断面范围K4+900.000～K5+200.000内！"}),
    [](const testing::TestParamInfo<ProfileCase>& info) { return std::string(info.param.name); });

// A straight route north from K4+900 to K5+300, past the profile's end.
const QByteArray kRoute = "4900,5300,1000,2000,0,0,0,0\r\n";

struct ForwardCase {
  const char* name;
  QString output;
  QByteArray bytes;
};

class ForwardProfileTest : public testing_support::ScratchFolder,
                           public testing::WithParamInterface<ForwardCase> {};

// forward --profile adds the centre line's 设计高程, on an offset row too,
// and leaves it empty past the profile's end; a .dat carries it as H.
TEST_P(ForwardProfileTest, AddsTheDesignElevation) {
  const ForwardCase& c = GetParam();
  WriteBytes(PathOf("crest.csv"), kCrest);
  WriteBytes(PathOf("route.csv"), kRoute);
  WriteBytes(PathOf("stations.csv"), "P1,K5+000,10\r\nP2,K5+250\r\n");
  const testing_support::ProgramRun run = testing_support::RunRouteProgram(
      PathOf(""), {"forward", "route.csv", "--stations", "stations.csv", "--profile", "crest.csv",
                   "-o", c.output});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(ReadBytes(PathOf(c.output)), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, ForwardProfileTest,
    testing::Values(ForwardCase{"Csv", "out.csv",
                                kBom +
                                    "点名,桩号,里程,偏距,偏角,X,Y,切线方位角,线元,说明,设计高程\r\n"
                                    "P1,K5+000.000,5000.000,10.000,90,1100.0000,2010.0000,0°0ˊ0″,"
                                    "1,,425.280\r\n"
                                    "P2,K5+250.000,5250.000,0.000,90,1350.0000,2000.0000,0°0ˊ0″,"
                                    "1,,\r\n"},
                    ForwardCase{"SurveyPointFile", "out.dat",
                                "P1,,2010.0000,1100.0000,425.280\r\n"
                                "P2,,2000.0000,1350.0000,\r\n"}),
    [](const testing::TestParamInfo<ForwardCase>& info) { return std::string(info.param.name); });

// inverse --profile: 设计高程 at the foot, 高差 = H − 设计高程 and 挖填 (挖
// above, 填 below, none at 0.000); a point without H has no 高差, and a foot
// past the profile's end none of the three.
class InverseProfileTest : public testing_support::ScratchFolder {};

TEST_F(InverseProfileTest, GivesCutAndFill) {
  WriteBytes(PathOf("crest.csv"), kCrest);
  WriteBytes(PathOf("route.csv"), kRoute);
  WriteBytes(PathOf("points.csv"),
             "Above,1100,2010,426.000\r\nNoHeight,1200,1995\r\nOnDesign,1100,2000,425.28\r\n"
             "Below,1200,2000,424.5\r\nPast,1350,2000,1\r\n");
  const testing_support::ProgramRun run = testing_support::RunRouteProgram(
      PathOf(""), {"inverse", "route.csv", "points.csv", "--profile", "crest.csv"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(QString::fromUtf8(run.out),
            QString::fromUtf8(
                kBom + "点名,X,Y,桩号,里程,偏距,线元,候选,设计高程,高差,挖填\r\n"
                       "Above,1100,2010,K5+000.000,5000.000,10.000,1,1/1,425.280,0.720,挖\r\n"
                       "NoHeight,1200,1995,K5+100.000,5100.000,-5.000,1,1/1,424.780,,\r\n"
                       "OnDesign,1100,2000,K5+000.000,5000.000,0.000,1,1/1,425.280,0.000,\r\n"
                       "Below,1200,2000,K5+100.000,5100.000,0.000,1,1/1,424.780,-0.280,填\r\n"
                       "Past,1350,2000,K5+250.000,5250.000,0.000,1,1/1,,,\r\n"));
}

// Regression: a foot a hair past the profile's last PVI, within the position
// tolerance (2 mm unless told), had an empty 设计高程 where the route's own
// end is clamped; it is read at the PVI, and one further past still has none.
TEST_F(InverseProfileTest, FootWithinTheToleranceOfTheEndIsAtTheEnd) {
  WriteBytes(PathOf("crest.csv"), kCrest);
  WriteBytes(PathOf("route.csv"), kRoute);
  WriteBytes(PathOf("points.csv"), "Within,1300.0015,2000,420\r\nBeyond,1300.0025,2000,420\r\n");
  const testing_support::ProgramRun run = testing_support::RunRouteProgram(
      PathOf(""), {"inverse", "route.csv", "points.csv", "--profile", "crest.csv"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(QString::fromUtf8(run.out),
            QString::fromUtf8(
                kBom + "点名,X,Y,桩号,里程,偏距,线元,候选,设计高程,高差,挖填\r\n"
                       "Within,1300.0015,2000,K5+200.002,5200.002,0.000,1,1/1,420.880,-0.880,填\r\n"
                       "Beyond,1300.0025,2000,K5+200.003,5200.003,0.000,1,1/1,,,\r\n"));
}

// Regression: a .dat points file was read as 点名,X,Y, so an instrument's
// survey point file (点名,编码,Y,X,H) was refused or its east taken as north.
TEST_F(InverseProfileTest, ReadsASurveyPointFileWithItsHeights) {
  WriteBytes(PathOf("crest.csv"), kCrest);
  WriteBytes(PathOf("route.csv"), kRoute);
  WriteBytes(PathOf("points.dat"), "Above,,2010,1100,426.000\r\nNoHeight,SJ,1995,1200,\r\n");
  const testing_support::ProgramRun run = testing_support::RunRouteProgram(
      PathOf(""), {"inverse", "route.csv", "points.dat", "--profile", "crest.csv"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(QString::fromUtf8(run.out),
            QString::fromUtf8(
                kBom + "点名,X,Y,桩号,里程,偏距,线元,候选,设计高程,高差,挖填\r\n"
                       "Above,1100,2010,K5+000.000,5000.000,10.000,1,1/1,425.280,0.720,挖\r\n"
                       "NoHeight,1200,1995,K5+100.000,5100.000,-5.000,1,1/1,424.780,,\r\n"));
}

}  // namespace
}  // namespace tarnvel
