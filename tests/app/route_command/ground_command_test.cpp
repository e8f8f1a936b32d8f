#include <gtest/gtest.h>

#include <ostream>

#include "file_test_support.h"
#include "route_program.h"

namespace tarnvel {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

// A route north from (1000, 2000) with a 10 m 长链 at K0+050: its second
// branch starts again at K0+040, at X 1050. The surface is the plane
// H = 100 + 0.1 × offset: a strip 10 m each side up to X 1040, then two
// strips apart, L10 to L4 and R2 to R10, to X 1080; an invisible face
// would bridge the gap. By hand, at X 1030 the strip's diagonal is crossed
// at L5; at X 1050 the right strip's is at R8, the left's at L5.5.
const QByteArray kRoute = "0,50,1000,2000,0,0,0,0\r\n40,100,1050,2000,0,0,0,0\r\n";
const QByteArray kSurface = R"(<?xml version="1.0"?>
<LandXML><Surfaces><Surface name="EG"><Definition surfType="TIN"><Pnts>
<P id="1">1000 1990 99</P><P id="2">1000 2010 101</P><P id="3">1040 1990 99</P>
<P id="4">1040 2010 101</P><P id="5">1040 1996 99.6</P><P id="6">1080 1990 99</P>
<P id="7">1080 1996 99.6</P><P id="8">1040 2002 100.2</P><P id="9">1080 2002 100.2</P>
<P id="10">1080 2010 101</P></Pnts><Faces><F>1 2 3</F><F>2 4 3</F><F>3 5 6</F>
<F>5 7 6</F><F>8 4 9</F><F>4 10 9</F><F i="1">5 8 7</F></Faces>
</Definition></Surface></Surfaces></LandXML>)";

class GroundCommandTest : public testing_support::ScratchFolder {
 protected:
  void SetUp() override {
    WriteBytes(PathOf("route.csv"), kRoute);
    WriteBytes(PathOf("eg.xml"), kSurface);
    WriteBytes(PathOf("stations.csv"), "A,K0+030\r\nB,K0+040_2\r\nC,K0+095\r\n");
  }
  testing_support::ProgramRun Run(QStringList arguments) {
    return testing_support::RunRouteProgram(PathOf(""), arguments);
  }
};

// The block ends at ±W; at K0+040_2 the section leaves the surface and
// comes back, and the longer piece is kept; K0+095 is past the surface.
TEST_F(GroundCommandTest, BlocksToTheWidth) {
  const auto run = Run({"ground", "route.csv", "--tin", "eg.xml", "--stations", "stations.csv",
                        "--ground-width", "6", "-o", "ground.txt"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(ReadBytes(PathOf("ground.txt")),
            "BEGIN,K0+030.000\r\n-6.000,99.400\r\n-5.000,99.500\r\n6.000,100.600\r\n"
            "BEGIN,K0+040.000_2\r\n2.000,100.200\r\n6.000,100.600\r\n");
  EXPECT_EQ(run.err.toStdString(),
            "桩号K0+040.000_2的横断面线离开地面模型又回到其上，只写出最长的一段。\n"
            "桩号K0+095.000的横断面线不在地面模型上，已略去。\n");
}

TEST_F(GroundCommandTest, CentreLine) {
  const auto run =
      Run({"ground", "route.csv", "--tin", "eg.xml", "--stations", "stations.csv", "--centre"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(QString::fromUtf8(run.out),
            QString::fromUtf8("桩号,里程,地面高程\r\nK0+030.000,30.000,100.000\r\n"
                              "K0+040.000_2,40.000,\r\nK0+095.000,95.000,\r\n"));
}

struct Refused {
  std::string name;
  QStringList arguments;
  std::string message;
};

std::ostream& operator<<(std::ostream& out, const Refused& c) {
  return out << c.arguments.join(u' ').toStdString();
}

class GroundRefusalTest : public GroundCommandTest, public testing::WithParamInterface<Refused> {};

TEST_P(GroundRefusalTest, ExitsWithTwoAndSaysWhy) {
  WriteBytes(PathOf("bad.xml"),
             "<LandXML><Surfaces><Surface>\n<Pnts><P id=\"1\">0 0 1</P></Pnts>\n"
             "<Faces><F>1 2 1</F></Faces></Surface></Surfaces></LandXML>");
  const auto run = Run(GetParam().arguments);
  EXPECT_EQ(run.status, 2) << GetParam();
  EXPECT_TRUE(run.out.isEmpty()) << GetParam();
  EXPECT_EQ(run.err.toStdString(), GetParam().message + "\n") << GetParam();
}

INSTANTIATE_TEST_SUITE_P(
    Lines, GroundRefusalTest,
    testing::Values(Refused{"NoTin",
                            {"ground", "route.csv", "--stations", "stations.csv"},
                            "ground命令需要“--tin”！"},
                    Refused{"Encoding",
                            {"ground", "route.csv", "--tin", "eg.xml", "--stations", "stations.csv",
                             "--encoding", "gbk"},
                            "选项“--encoding”不能用于ground命令！"},
                    Refused{"CentreElsewhere",
                            {"profile", "route.csv", "--centre"},
                            "选项“--centre”不能用于profile命令！"},
                    Refused{
                        "FaceNamesMissingPoint",
                        {"ground", "route.csv", "--tin", "bad.xml", "--stations", "stations.csv"},
                        "文件“bad.xml”第3行的三角形引用了不存在的点“2”！"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tarnvel
