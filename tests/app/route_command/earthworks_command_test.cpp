#include <gtest/gtest.h>

#include <ostream>

#include "file_test_support.h"
#include "pdf_pages.h"
#include "route_program.h"

namespace tarnvel {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

const QByteArray kBom = "\xEF\xBB\xBF";
const char* const kHeader =
    "桩号,里程,挖方面积,填方面积,距离,挖方体积,填方体积,累计挖方,累计填方,说明\r\n";

// A route north from (1000, 2000) with a 10 m 长链 at K0+050: its second
// branch starts again at K0+040, at X 1050. The surface is the plane
// H = 100 + 0.1 × offset: a strip 10 m each side up to X 1040, then two
// strips apart, L10 to L4 and R2 to R10, to X 1080; an invisible face
// would bridge the gap. By hand, at X 1030 the strip's diagonal is crossed
// at L5; at X 1050 the right strip's is at R8, the left's at L5.5.
const QByteArray kChainRoute = "0,50,1000,2000,0,0,0,0\r\n40,100,1050,2000,0,0,0,0\r\n";
const QByteArray kSurface = R"(<?xml version="1.0"?>
<LandXML><Surfaces><Surface name="EG"><Definition surfType="TIN"><Pnts>
<P id="1">1000 1990 99</P><P id="2">1000 2010 101</P><P id="3">1040 1990 99</P>
<P id="4">1040 2010 101</P><P id="5">1040 1996 99.6</P><P id="6">1080 1990 99</P>
<P id="7">1080 1996 99.6</P><P id="8">1040 2002 100.2</P><P id="9">1080 2002 100.2</P>
<P id="10">1080 2010 101</P></Pnts><Faces><F>1 2 3</F><F>2 4 3</F><F>3 5 6</F>
<F>5 7 6</F><F>8 4 9</F><F>4 10 9</F><F i="1">5 8 7</F></Faces>
</Definition></Surface></Surfaces></LandXML>)";

// A level road 5 m each side at 100.000, fill slopes only; or the route,
// surface and stations of the ground command below.
class EarthworksCommandTest : public testing_support::ScratchFolder {
 protected:
  void SetUp() override {
    WriteBytes(PathOf("road.csv"),
               "桩号,左行车道宽,左行车道坡,右行车道宽,右行车道坡\r\nK0+000,5,0,5,0\r\n");
    WriteBytes(PathOf("level.csv"), "A,0,100\r\nB,200,100\r\n");
    WriteBytes(PathOf("chain.csv"), kChainRoute);
    WriteBytes(PathOf("eg.xml"), kSurface);
    WriteBytes(PathOf("stations.csv"), "A,K0+030\r\nB,K0+040_2\r\nC,K0+095\r\n");
  }
  void Slopes(const char* left, const char* right) {
    WriteBytes(PathOf("slopes.csv"),
               QByteArray("桩号,侧,填挖,边沟底宽,边沟深,边沟内坡,边沟外坡,坡率1\r\n") +
                   "K0+000,左,填,,,,," + left + "\r\nK0+000,右,填,,,,," + right + "\r\n");
  }
  testing_support::ProgramRun Run(QStringList arguments) {
    return testing_support::RunRouteProgram(PathOf(""), arguments);
  }
};

// The block ends at ±W; at K0+040_2 the section leaves the surface and
// comes back, and the longer piece is kept; K0+095 is past the surface.
TEST_F(EarthworksCommandTest, BlocksToTheWidth) {
  const auto run = Run({"ground", "chain.csv", "--tin", "eg.xml", "--stations", "stations.csv",
                        "--ground-width", "6", "-o", "ground.txt"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(ReadBytes(PathOf("ground.txt")),
            "BEGIN,K0+030.000\r\n-6.000,99.400\r\n-5.000,99.500\r\n6.000,100.600\r\n"
            "BEGIN,K0+040.000_2\r\n2.000,100.200\r\n6.000,100.600\r\n");
  EXPECT_EQ(run.err.toStdString(),
            "桩号K0+040.000_2的横断面线离开地面模型又回到其上，只写出最长的一段。\n"
            "桩号K0+095.000的横断面线不在地面模型上，已略去。\n");
}

TEST_F(EarthworksCommandTest, CentreLine) {
  const auto run =
      Run({"ground", "chain.csv", "--tin", "eg.xml", "--stations", "stations.csv", "--centre"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(QString::fromUtf8(run.out),
            QString::fromUtf8("桩号,里程,地面高程\r\nK0+030.000,30.000,100.000\r\n"
                              "K0+040.000_2,40.000,\r\nK0+095.000,95.000,\r\n"));
}

// A straight route north from (1000, 2000) with a 20 m 短链 at K0+100, and
// the plane H = 98 + 0.01 × the distance run, level across, from five
// points around it. Fill h = 2 − 0.01 × run at 1:2 both sides: an area of
// 10h + 2h², 28 at K0+000, 12 at K0+100 and 5.5 at K0+170, 50 m on; the
// profile ends before K0+220, which has no areas.
TEST_F(EarthworksCommandTest, PlaneAcrossAShortChain) {
  WriteBytes(PathOf("route.csv"), "0,100,1000,2000,0,0,0,0\r\n120,220,1100,2000,0,0,0,0\r\n");
  WriteBytes(PathOf("plane.csv"),
             "点名,X,Y,H\r\nA,990,1940,97.9\r\nB,1210,1945,100.1\r\nC,1205,2060,100.05\r\n"
             "D,995,2055,97.95\r\nE,1100,2001,99\r\n");
  WriteBytes(PathOf("stations.csv"), "A,K0+000\r\nB,K0+100\r\nC,K0+170\r\nD,K0+220\r\n");
  Slopes("2", "2");
  const auto run =
      Run({"earthworks", "route.csv", "--profile", "level.csv", "--sections", "road.csv", "--tin",
           "plane.csv", "--slopes", "slopes.csv", "--stations", "stations.csv"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(QString::fromUtf8(run.out),
            QString::fromUtf8(kBom + kHeader +
                              "K0+000.000,0.000,0.00,28.00,,,,0.0,0.0,\r\n"
                              "K0+100.000,100.000,0.00,12.00,100.000,0.0,2000.0,0.0,2000.0,\r\n"
                              "K0+170.000,170.000,0.00,5.50,50.000,0.0,437.5,0.0,2437.5,\r\n"
                              "K0+220.000,220.000,,,50.000,,,0.0,2437.5,"
                              "无设计高程；相邻桩号无面积，不计体积\r\n"
                              "合计,,,,200.000,0.0,2437.5,,,\r\n"));
}

// A circle of R 100 turning right, the same section at both ends: fill
// 20 m² under the road, 6 m² beyond it on the left (1:3, centroid L7) and
// 3 m² on the right (1:1.5, R6), 29 m² with its centroid 24/29 m left. The
// centroid runs 100.8276 m, so Pappus' 29 × 100.8276 = 2924.0 m³ is exact
// where the plain average end area gives 2900.0.
TEST_F(EarthworksCommandTest, CurvatureCorrectionOnACircle) {
  WriteBytes(PathOf("route.csv"), "0,100,1000,2000,0,100,100,1\r\n");
  WriteBytes(PathOf("ground.csv"),
             "BEGIN,K0+000\r\n-30,98\r\n30,98\r\nBEGIN,K0+100\r\n-30,98\r\n30,98\r\n");
  Slopes("3", "1.5");
  const QStringList table{"earthworks", "route.csv",  "--profile", "level.csv",
                          "--sections", "road.csv",   "--ground",  "ground.csv",
                          "--slopes",   "slopes.csv", "--from",    "0",
                          "--to",       "100",        "--step",    "100"};
  const auto plain = Run(table);
  EXPECT_TRUE(plain.out.endsWith("合计,,,,100.000,0.0,2900.0,,,\r\n")) << plain.out.toStdString();
  const auto run = Run(table + QStringList{"--curvature-correction", "--pdf", "volumes.pdf"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(QString::fromUtf8(run.out),
            QString::fromUtf8(kBom + kHeader +
                              "K0+000.000,0.000,0.00,29.00,,,,0.0,0.0,\r\n"
                              "K0+100.000,100.000,0.00,29.00,100.000,0.0,2924.0,0.0,2924.0,\r\n"
                              "合计,,,,100.000,0.0,2924.0,,,\r\n"));
  EXPECT_EQ(testing_support::PdfPageCount(ReadBytes(PathOf("volumes.pdf"))), 1);
}

struct Refused {
  std::string name;
  QStringList arguments;
  std::string message;
};

std::ostream& operator<<(std::ostream& out, const Refused& c) {
  return out << c.arguments.join(u' ').toStdString();
}

class EarthworksRefusalTest : public EarthworksCommandTest,
                              public testing::WithParamInterface<Refused> {};

TEST_P(EarthworksRefusalTest, ExitsWithTwoAndSaysWhy) {
  WriteBytes(PathOf("bad.xml"),
             "<LandXML><Surfaces><Surface>\n<Pnts><P id=\"1\">0 0 1</P></Pnts>\n"
             "<Faces><F>1 2 1</F></Faces></Surface></Surfaces></LandXML>");
  const auto run = Run(GetParam().arguments);
  EXPECT_EQ(run.status, 2) << GetParam();
  EXPECT_TRUE(run.out.isEmpty()) << GetParam();
  EXPECT_EQ(run.err.toStdString(), GetParam().message + "\n") << GetParam();
}

// The ground and the volumes commands', and the surface's options wherever
// they go.
const QStringList kTable{"earthworks", "chain.csv", "--profile",  "level.csv",  "--sections",
                         "road.csv",   "--slopes",  "slopes.csv", "--stations", "stations.csv"};

INSTANTIATE_TEST_SUITE_P(
    Lines, EarthworksRefusalTest,
    testing::Values(
        Refused{"GroundWithoutTin",
                {"ground", "chain.csv", "--stations", "stations.csv"},
                "ground命令需要“--tin”！"},
        Refused{"FaceNamesMissingPoint",
                {"ground", "chain.csv", "--tin", "bad.xml", "--stations", "stations.csv"},
                "文件“bad.xml”第3行的三角形引用了不存在的点“2”！"},
        Refused{"TableWithoutGround", kTable,
                "earthworks命令需要“--profile”、“--sections”、“--ground”（或“--tin”）和“--"
                "slopes”！"},
        Refused{"GroundAndTin", kTable + QStringList{"--ground", "g.csv", "--tin", "eg.xml"},
                "“--ground”和“--tin”不能同时使用！"},
        Refused{"MaxEdgeWithoutTin", kTable + QStringList{"--ground", "g.csv", "--max-edge", "5"},
                "“--max-edge”需要与“--tin”同用！"},
        Refused{"MaxEdgeOnLandXml", kTable + QStringList{"--tin", "eg.xml", "--max-edge", "5"},
                "“--max-edge”只用于点文件，LandXML地面模型的三角形按原样使用！"},
        Refused{"GroundWidthNotPositive",
                kTable + QStringList{"--tin", "eg.xml", "--ground-width", "0"},
                "选项“--ground-width”的值“0”无效，应大于0！"},
        Refused{"TinWithoutSlopes",
                {"inverse", "chain.csv", "points.csv", "--profile", "level.csv", "--sections",
                 "road.csv", "--tin", "eg.xml"},
                "“--tin”需要与“--slopes”同用！"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tarnvel
