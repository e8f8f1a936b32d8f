// The vertical profile in LandXML: a ProfAlign as design software writes it,
// its refusals, and the exact round trip of Tarnvel's own export.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QProcess>
#include <cmath>

#include "file_test_support.h"
#include "io/landxml/landxml_export.h"
#include "io/landxml/landxml_import.h"

namespace tarnvel {
namespace {

// The ProfAlign's own elements start on line 9.
QByteArray WithProfile(const QByteArray& profAlign) {
  return "<?xml version=\"1.0\"?>\n"
         "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\">\n"
         "<Alignments>\n"
         "<Alignment name=\"A\" staStart=\"1000\">\n"
         "<CoordGeom><Line dir=\"0\" length=\"2000\"><Start>0 0</Start></Line></CoordGeom>\n"
         "<Profile>\n"
         "<ProfSurf name=\"ground\"><PntList2D>1000 90 2000 95</PntList2D></ProfSurf>\n"
         "<ProfAlign name=\"FG\">\n" +
         profAlign + "</ProfAlign>\n</Profile>\n</Alignment>\n</Alignments>\n</LandXML>\n";
}

// Grades of +6.25%, −6.25%, +12.5% and +7.5%, exact in binary: the
// ParaCurve's 250 m over ω = 0.125 is R 2000 exactly; the CircCurve's
// length is 2000·(atan 0.125 − atan 0.075) to 0.1 mm.
TEST(LandXmlProfile, PviParaCurveAndCircCurve) {
  auto imported = ParseLandXmlAlignment(
      QStringLiteral("a.xml"),
      WithProfile(
          "<PVI>1000 100</PVI>\n"
          "<ParaCurve desc=\"BPD1\" length=\"250\">1400 125</ParaCurve>\n"
          "<PVI desc=\"BPD2\">1800 100</PVI>\n"
          "<CircCurve desc=\"BPD3\" length=\"98.9903\" radius=\"2000\">2200 150</CircCurve>\n"
          "<PVI>2600 180</PVI>\n"));
  ASSERT_TRUE(std::holds_alternative<LandXmlAlignment>(imported))
      << std::get<FileRefusal>(imported).message.toStdString();
  const auto& profile = std::get<LandXmlAlignment>(imported).profile;
  ASSERT_TRUE(profile);
  std::vector<std::string> names;
  std::vector<double> radii;
  for (const Pvi& pvi : profile->pvis) {
    names.push_back(pvi.name);
    radii.push_back(pvi.radius);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"1", "BPD1", "BPD2", "BPD3", "5"}));
  EXPECT_EQ(radii, (std::vector<double>{0, 2000, 0, 2000, 0}));
  EXPECT_EQ(profile->pvis[1].curve, VerticalCurveKind::kParabola);
  EXPECT_EQ(profile->pvis[3].curve, VerticalCurveKind::kCircle);
  EXPECT_EQ(profile->tangents[1], 125);
}

struct Refused {
  const char* name;
  QByteArray profAlign;
  const char* message;
};

class LandXmlProfileRefusal : public testing::TestWithParam<Refused> {};

TEST_P(LandXmlProfileRefusal, NamesTheLineAndTheElement) {
  const auto outcome =
      ParseLandXmlAlignment(QStringLiteral("a.xml"), WithProfile(GetParam().profAlign));
  ASSERT_TRUE(std::holds_alternative<FileRefusal>(outcome)) << GetParam().name;
  EXPECT_EQ(std::get<FileRefusal>(outcome).message.toStdString(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LandXmlProfileRefusal,
    testing::Values(
        Refused{"Unsymmetric",
                "<PVI>1000 100</PVI>\n<UnsymParaCurve lengthIn=\"10\" lengthOut=\"20\">1400 "
                "125</UnsymParaCurve>\n",
                "文件“a.xml”第10行<UnsymParaCurve>：不对称竖曲线不能导入，只能导入变坡点（PVI）、"
                "抛物线（ParaCurve）和圆曲线（CircCurve）！"},
        Refused{"NotStationElevation", "<PVI>1000 100</PVI>\n<PVI>1400</PVI>\n",
                "文件“a.xml”第10行<PVI>：“1400”不是“桩号 高程”形式的两个数！"},
        Refused{"CurveAtTheStart",
                "<ParaCurve length=\"10\">1000 100</ParaCurve>\n<PVI>1400 125</PVI>\n",
                "文件“a.xml”第9行<ParaCurve>：纵断面的起点不能有竖曲线！"},
        Refused{"NegativeLength",
                "<PVI>1000 100</PVI>\n<ParaCurve length=\"-250\">1400 125</ParaCurve>\n"
                "<PVI>1800 100</PVI>\n",
                "文件“a.xml”第10行<ParaCurve>：length的值-250为负数！"},
        Refused{"CircleLengthDisagrees",
                "<PVI>1000 100</PVI>\n<CircCurve length=\"250\" radius=\"2000\">1400 "
                "125</CircCurve>\n<PVI>1800 100</PVI>\n",
                "文件“a.xml”第10行<CircCurve>：length=250与半径radius=2000的圆弧长249.675不符！"},
        Refused{"CurvesOverlap",
                "<PVI>1000 100</PVI>\n<ParaCurve length=\"500\">1400 125</ParaCurve>\n"
                "<ParaCurve length=\"500\">1800 100</ParaCurve>\n<PVI>2200 150</PVI>\n",
                "文件“a.xml”第11行<ParaCurve>：变坡点“2”与变坡点“3”的竖曲线重叠："
                "T1+T2=500.000 m，大于两点间距400.000 m！"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LandXmlProfile, ReadingJustTheProfileRefusesAnAlignmentWithout) {
  const QByteArray file =
      "<LandXML><Alignments>\n<Alignment name=\"主线\" staStart=\"0\"><CoordGeom/></Alignment>\n"
      "</Alignments></LandXML>";
  const auto outcome = ParseLandXmlProfile(QStringLiteral("a.xml"), file);
  ASSERT_TRUE(std::holds_alternative<FileRefusal>(outcome));
  EXPECT_EQ(std::get<FileRefusal>(outcome).message,
            QStringLiteral(
                "文件“a.xml”第2行<Alignment>：路线“主线”没有纵断面（Profile中的ProfAlign）！"));
}

Route OneStraight() {
  return std::get<Route>(
      MakeRoute({{{1000, 3000, 3378568.396123, 521345.0017, 98.565562, 0, 0, 0}, ""}}));
}

// Figures that are no short decimals: a crest parabola, a plain break, a sag
// circle and a parabola of R with no exact length (R·ω/ω ≠ R).
VerticalProfile Designed() {
  return std::get<VerticalProfile>(MakeVerticalProfile(
      {{"起点", 1000.125, 427.681, 0},
       {"BPD1", 1300.3, 431.0017, 2345.678},
       {"BPD2", 1700.77, 420.3, 0},
       {"BPD3", 2100.0000000001, 428.123456, 3000.5, VerticalCurveKind::kCircle},
       {"", 2500.5, 431.9, 1234.5678901},
       {"终点", 2999.9, 433.01, 0}}));
}

// Every PVI comes back bit for bit: name, station, elevation, R and kind;
// but the R of the fifth, which no ParaCurve length divides back to (the
// doubles next to R·ω give R one unit in the last place off either way),
// comes back to that last unit.
TEST(LandXmlProfile, TheExportReadsBackBitForBit) {
  const VerticalProfile profile = Designed();
  const QByteArray bytes =
      LandXmlAlignmentBytes(OneStraight(), QStringLiteral("K线"), QDateTime(), &profile);
  auto route = ParseLandXmlAlignment(QStringLiteral("a.xml"), bytes);
  auto alone = ParseLandXmlProfile(QStringLiteral("a.xml"), bytes);
  ASSERT_TRUE(std::holds_alternative<LandXmlAlignment>(route));
  ASSERT_TRUE(std::holds_alternative<VerticalProfile>(alone));
  const auto& back = std::get<LandXmlAlignment>(route).profile;
  ASSERT_TRUE(back);
  const VerticalProfile& only = std::get<VerticalProfile>(alone);
  for (const VerticalProfile* read : {&*back, &only}) {
    ASSERT_EQ(read->pvis.size(), profile.pvis.size());
    for (std::size_t k = 0; k < profile.pvis.size(); ++k) {
      const Pvi& a = profile.pvis[k];
      const Pvi& b = read->pvis[k];
      // An unnamed PVI is named by its place.
      EXPECT_EQ(b.name, a.name.empty() ? std::to_string(k + 1) : a.name) << k;
      EXPECT_EQ(b.station, a.station) << k;
      EXPECT_EQ(b.elevation, a.elevation) << k;
      if (k == 4) {
        EXPECT_EQ(b.radius, std::nextafter(a.radius, b.radius)) << k;
      } else {
        EXPECT_EQ(b.radius, a.radius) << k;
      }
      EXPECT_EQ(b.curve, a.curve) << k;
    }
  }
}

class LandXmlProfileFiles : public testing_support::ScratchFolder {};

// The export with a profile against the LandXML 1.2 content model
// (tests/io/landxml/alignment-subset.xsd), through xmllint.
TEST_F(LandXmlProfileFiles, TheExportWithAProfileIsValidLandXml) {
  const QString path = PathOf(QStringLiteral("route.xml"));
  const VerticalProfile profile = Designed();
  ASSERT_EQ(SaveLandXmlAlignment(path, OneStraight(), QStringLiteral("K线"), &profile),
            std::nullopt);
  QProcess xmllint;
  xmllint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"),
                                            QStringLiteral(TARNVEL_LANDXML_SCHEMA), path});
  ASSERT_TRUE(xmllint.waitForFinished(30000)) << "xmllint (libxml2-utils) did not run";
  EXPECT_EQ(xmllint.exitCode(), 0) << xmllint.readAllStandardError().toStdString();
}

}  // namespace
}  // namespace tarnvel
