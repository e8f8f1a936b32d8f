// LandXML alignments in and out: hand-written files as design software writes
// them, the exact round trip of Tarnvel's own export, and the export against
// the schema.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QProcess>
#include <cmath>
#include <random>

#include "core/route/route_forward.h"
#include "core/route/route_joints.h"
#include "core/text/angle.h"
#include "core/text/number_text.h"
#include "file_test_support.h"
#include "io/landxml/landxml_export.h"
#include "io/landxml/landxml_import.h"
#include "io/landxml/landxml_numbers.h"
#include "io/route/route_file.h"

namespace tarnvel {
namespace {

using testing_support::ScratchFolder;

QByteArray Document(const QByteArray& units, const QByteArray& alignments) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" date=\"2026-12-08\" "
         "time=\"10:00:00\" version=\"1.2\">\n" +
         units + "<Alignments>\n" + alignments + "</Alignments>\n</LandXML>\n";
}

QByteArray MetricUnits(const QByteArray& angles) {
  return "<Units><Metric areaUnit=\"squareMeter\" linearUnit=\"meter\" volumeUnit=\"cubicMeter\" "
         "temperatureUnit=\"celsius\" pressureUnit=\"HPA\" " +
         angles + "/></Units>\n";
}

QByteArray Degrees() {
  return MetricUnits("angularUnit=\"decimal degrees\" directionUnit=\"decimal degrees\"");
}

QByteArray OneAlignment(const QByteArray& name, const QByteArray& geometry,
                        const QByteArray& extra = {}) {
  return "<Alignment name=\"" + name + "\" length=\"0\" staStart=\"1000\">\n<CoordGeom>\n" +
         geometry + "</CoordGeom>\n" + extra + "</Alignment>\n";
}

LandXmlAlignment Imported(const QByteArray& bytes, const QString& name = {}) {
  auto outcome = ParseLandXmlAlignment(QStringLiteral("a.xml"), bytes, name);
  if (const auto* refusal = std::get_if<FileRefusal>(&outcome)) {
    ADD_FAILURE() << refusal->message.toStdString();
    return {};
  }
  return std::get<LandXmlAlignment>(std::move(outcome));
}

QString Refusal(const QByteArray& bytes, const QString& name = {}) {
  auto outcome = ParseLandXmlAlignment(QStringLiteral("a.xml"), bytes, name);
  if (const auto* refusal = std::get_if<FileRefusal>(&outcome)) return refusal->message;
  return QStringLiteral("(imported)");
}

// The d.mmss round trip through the decimal degrees the export writes. Pins
// the choice of conversion: a plain degrees-to-d.mmss with rounded seconds
// gives 98.56556199999 or 98.5655620000001 back for some fields.
TEST(LandXmlNumbers, EveryDmsFieldComesBackFromItsDecimalDegrees) {
  std::mt19937 random(14);
  for (int i = 0; i < 20000; ++i) {
    const int decimals = static_cast<int>(random() % 7);
    std::string text = std::to_string(random() % 720) + ".";
    const auto two = [&](int limit) {
      const auto value = random() % limit;
      text += static_cast<char>('0' + value / 10);
      text += static_cast<char>('0' + value % 10);
    };
    two(60);
    two(60);
    for (int d = 0; d < decimals; ++d) text += static_cast<char>('0' + random() % 10);
    const double field = (i % 5 == 0 ? -1 : 1) * std::stod(text);
    const auto written = RoundTripText(DmsToDegrees(field));
    const auto read = ReadXsDouble(written);
    ASSERT_TRUE(read) << written;
    ASSERT_EQ(DegreesToDmsField(*read, TrustedSecondDecimals(written)), field)
        << text << " written " << written;
  }
}

TEST(LandXmlNumbers, AnglesNotFromAFieldRoundToMicroseconds) {
  struct Case {
    double degrees;
    double dms;
  };
  for (const Case& c : {Case{45.508333333333, 45.303},     // 30′29.9999999988″
                        Case{59.832277777778, 59.49562},   // 49′56.2000000008″
                        Case{359.99999999999, 0 + 360.0},  // carries into 360°
                        Case{-0.25, -0.15}, Case{1e20, 1e20}}) {
    EXPECT_EQ(GeneralText(DegreesToDmsField(c.degrees)), GeneralText(c.dms)) << c.degrees;
  }
}

TEST(LandXmlNumbers, XsDoubleAsXmlSchemaSpellsIt) {
  EXPECT_EQ(ReadXsDouble(" 12.5e1\n"), 125);
  EXPECT_EQ(ReadXsDouble("+.5"), 0.5);
  EXPECT_TRUE(std::isinf(*ReadXsDouble("INF")));
  EXPECT_TRUE(std::isinf(*ReadXsDouble("-INF")));
  for (const char* refused : {"inf", "nan", "0x10", "1,5", "", "1 2", "--1", "+-1"}) {
    EXPECT_FALSE(ReadXsDouble(refused)) << refused;
  }
}

// One straight of 45° (north-east) in each unit the file may declare; the
// schema's default, with no unit declared, is radians.
TEST(LandXmlImport, DirectionsInEveryAngularUnit) {
  struct Case {
    QByteArray units;
    QByteArray dir;
  };
  const QByteArray none;
  for (const Case& c :
       {Case{Degrees(), "45.5"}, Case{MetricUnits("directionUnit=\"radians\""), "0.794124809657"},
        Case{MetricUnits("directionUnit=\"grads\""), "50.5555555555556"},
        Case{MetricUnits("directionUnit=\"decimal dd.mm.ss\""), "45.30"},
        Case{none, "0.794124809657"}}) {
    const auto imported =
        Imported(Document(c.units, OneAlignment("A", "<Line dir=\"" + c.dir +
                                                         "\" length=\"10\"><Start>100 200</Start>"
                                                         "<End>107.0090 207.1325</End></Line>\n")));
    ASSERT_EQ(imported.route.elements.size(), 1u) << c.units.toStdString();
    EXPECT_EQ(GeneralText(imported.route.elements[0].values.F), "45.3") << c.units.toStdString();
  }
}

// Lengths and azimuths from the points where the attributes are missing:
// a quarter circle of R 100 turning left, and a clothoid from ∞ to R 200 of
// θ = L/2R = 0.25 rad given in grads.
TEST(LandXmlImport, LengthsAndAzimuthsFromTheGeometry) {
  const auto imported = Imported(Document(
      MetricUnits("angularUnit=\"grads\" directionUnit=\"grads\""),
      OneAlignment("A",
                   "<Line><Start>0 0</Start><End>0 100</End></Line>\n"
                   "<Curve rot=\"ccw\"><Start>0 100</Start><Center>100 100</Center>"
                   "<End>100 200</End></Curve>\n"
                   "<Spiral radiusStart=\"INF\" radiusEnd=\"200\" rot=\"cw\" spiType=\"clothoid\" "
                   "theta=\"15.9154943091895\" dirStart=\"0\">"
                   "<Start>100 200</Start><PI>200 200</PI><End>200 210</End></Spiral>\n")));
  ASSERT_EQ(imported.route.elements.size(), 3u);
  const auto& e = imported.route.elements;
  EXPECT_EQ(GeneralText(e[0].values.K1), "1100");
  EXPECT_EQ(GeneralText(e[0].values.F), "90");
  EXPECT_NEAR(e[1].values.K1 - e[1].values.K0, 50 * kPi, 1e-9);
  EXPECT_EQ(GeneralText(e[1].values.F), "90");
  EXPECT_EQ(e[1].values.Q, -1);
  EXPECT_NEAR(e[2].values.K1 - e[2].values.K0, 100, 1e-9);
  EXPECT_EQ(e[2].values.RQ, 0);  // "INF"
  EXPECT_EQ(e[2].values.RN, 200);
}

TEST(LandXmlImport, InfiniteAndMissingSpiralRadii) {
  const auto imported = Imported(Document(
      Degrees(),
      OneAlignment("A",
                   "<Spiral length=\"50\" radiusStart=\"500\" radiusEnd=\"INF\" rot=\"ccw\" "
                   "spiType=\"clothoid\" dirStart=\"10\"><Start>0 0</Start></Spiral>\n"
                   "<Spiral length=\"50\" radiusEnd=\"-INF\" rot=\"cw\" "
                   "spiType=\"clothoid\" dirStart=\"10\"><Start>1 1</Start></Spiral>\n")));
  ASSERT_EQ(imported.route.elements.size(), 2u);
  const ElementValues& a = imported.route.elements[0].values;
  const ElementValues& b = imported.route.elements[1].values;
  EXPECT_EQ((std::array{a.RQ, a.RN, a.Q, b.RQ, b.RN, b.Q}),
            (std::array{500.0, 0.0, -1.0, 0.0, 0.0, 1.0}));
}

TEST(LandXmlImport, TheFirstAlignmentOrTheOneNamed) {
  const QByteArray file =
      Document(Degrees(),
               OneAlignment("主线", "<Line dir=\"0\" length=\"10\"><Start>1 2</Start></Line>\n") +
                   OneAlignment("B", "<Line dir=\"0\" length=\"20\"><Start>3 4</Start></Line>\n"));
  const auto first = Imported(file);
  EXPECT_EQ(first.name, QStringLiteral("主线"));
  EXPECT_EQ(first.allNames, (QStringList{QStringLiteral("主线"), QStringLiteral("B")}));
  EXPECT_EQ(first.route.elements.at(0).values.X0, 1);
  const auto second = Imported(file, QStringLiteral("B"));
  EXPECT_EQ(second.route.elements.at(0).values.X0, 3);
  EXPECT_EQ(
      Refusal(file, QStringLiteral("C")),
      QStringLiteral("文件“a.xml”中没有名为“C”的路线（Alignment），文件中的路线有：主线、B！"));
}

// The file's End 3 mm north of where the straight ends is reported as 超限,
// and the element keeps the file's own start, direction and length.
TEST(LandXmlImport, AnEndThatDisagreesIsReportedNotAdjusted) {
  const auto imported = Imported(
      Document(Degrees(), OneAlignment("A",
                                       "<Line dir=\"90\" length=\"100\"><Start>0 0</Start>"
                                       "<End>0.003 100</End></Line>\n"
                                       "<Line dir=\"90\" length=\"100\"><Start>0 100</Start>"
                                       "<End>0.0015 200</End></Line>\n")));
  ASSERT_EQ(imported.endChecks.size(), 2u);
  const LandXmlEndCheck& off = imported.endChecks[0];
  EXPECT_EQ(off.element, 1);
  EXPECT_EQ(off.line, 7);
  EXPECT_EQ(FixedText(off.dX_mm, 3), "3.000");
  EXPECT_EQ(FixedText(off.d_mm, 3), "3.000");
  EXPECT_FALSE(off.closed);
  EXPECT_TRUE(imported.endChecks[1].closed);  // 1.5 mm is within 2 mm
  EXPECT_EQ(imported.route.elements[1].values.X0, 0);
}

TEST(LandXmlImport, RefusalsNameTheLineAndTheElement) {
  struct Case {
    QByteArray file;
    const char* message;
  };
  const auto spiral = [](const QByteArray& type) {
    return Document(Degrees(), OneAlignment("A",
                                            "<Spiral length=\"50\" radiusStart=\"INF\" "
                                            "radiusEnd=\"500\" rot=\"cw\" spiType=\"" +
                                                type + "\"><Start>0 0</Start></Spiral>\n"));
  };
  for (
      const Case& c : {
          Case{"1,2,3\n",
               "文件“a.xml”第1行不是有效的XML（系统报告“Start tag expected.”），不是LandXML文件！"},
          Case{"<?xml version=\"1.0\"?>\n<Route/>", "文件“a.xml”第2行<Route>：不是LandXML文件！"},
          Case{"<LandXML>\n<Alignments>\n</Alignments>\n</LandXML>",
               "文件“a.xml”第1行<LandXML>：文件中没有路线（Alignment）！"},
          Case{spiral("cubic"),
               "文件“a.xml”第7行<Spiral>"
               "：缓和曲线类型“cubic”不能导入，只能导入回旋线（clothoid）！"},
          Case{
              Document(Degrees(),
                       OneAlignment("A", "<Line dir=\"x\" length=\"1\"><Start>0 0</Start></Line>")),
              "文件“a.xml”第7行<Line>：dir的值“x”不是有效的数！"},
          Case{Document(Degrees(),
                        OneAlignment("A", "<Line dir=\"0\" length=\"1\"><Start>0</Start></Line>")),
               "文件“a.xml”第7行<Start>：坐标“0”不是“北坐标 东坐标”形式的两个数！"},
          Case{
              Document(Degrees(),
                       OneAlignment("A", "<Line dir=\"0\" length=\"0\"><Start>0 0</Start></Line>")),
              "文件“a.xml”第7行<Line>：第1个线元“止点桩号K”必须大于“起点桩号K”！"},
          Case{Document(Degrees(),
                        OneAlignment("A", "<Line dir=\"0\" length=\"10\"><Start>0 0</Start></Line>",
                                     "<StaEquation staInternal=\"1011\" staAhead=\"1200\"/>\n")),
               "文件“a.xml”第8行<StaEquation>：staInternal=1011不在路线上！"},
          // Regression: an entity dropped out of the text, which was refused as "坐标“0”…".
          Case{
              "<?xml version=\"1.0\"?>\n<!DOCTYPE LandXML [<!ENTITY north SYSTEM \"north.txt\">]>\n"
              "<LandXML><Alignments>\n<Alignment name=\"A\" staStart=\"0\"><CoordGeom>\n"
              "<Line dir=\"0\" length=\"1\"><Start>&north; 0</Start></Line>\n"
              "</CoordGeom></Alignment></Alignments></LandXML>\n",
              "文件“a.xml”第2行<!DOCTYPE>：声明了外部实体“north”，不读取实体（entity）！"},
          Case{"<?xml version=\"1.0\"?>\n<!DOCTYPE LandXML SYSTEM \"landxml.dtd\">\n"
               "<LandXML><Alignments>\n<Alignment name=\"A\" staStart=\"0\"><CoordGeom>\n"
               "<Line dir=\"0\" length=\"1\"><Start>&north; 0</Start></Line>\n"
               "</CoordGeom></Alignment></Alignments></LandXML>\n",
               "文件“a.xml”第5行<Start>：坐标中引用了实体“&north;"
               "”，不读取实体（entity），请直接写出坐标！"},
          Case{
              Document(Degrees(),
                       OneAlignment("A", "<Line dir=\"0\" length=\"-10\"><Start>0 0</Start></Line>",
                                    "<StaEquation staInternal=\"995\" staAhead=\"1200\"/>\n")),
              "文件“a.xml”第7行<Line>：线元长度为-10，不是正数！"},
      }) {
    EXPECT_EQ(Refusal(c.file), QString::fromUtf8(c.message));
  }
}

// Regression: a refusal quoted the whole text it refused (a 50 MB coordinate
// text) and listed every alignment of the file when the one asked for is
// missing; it now quotes 40 characters and lists five names.
TEST(LandXmlImport, RefusalsQuoteLongTextsCut) {
  const QByteArray coordinates(100000, '7');
  EXPECT_EQ(Refusal(Document(Degrees(), OneAlignment("A", "<Line dir=\"0\" length=\"1\"><Start>" +
                                                              coordinates + "</Start></Line>"))),
            QStringLiteral("文件“a.xml”第7行<Start>：坐标“%1…”不是“北坐标 东坐标”形式的两个数！")
                .arg(QString(40, u'7')));
  QByteArray alignments;
  for (int i = 1; i <= 7; ++i) {
    alignments += OneAlignment("L" + QByteArray::number(i),
                               "<Line dir=\"0\" length=\"1\"><Start>0 0</Start></Line>\n");
  }
  EXPECT_EQ(Refusal(Document(Degrees(), alignments), QString(50, u'Z')),
            QStringLiteral("文件“a.xml”中没有名为“%1…”的路线（Alignment），"
                           "文件中的路线有：L1、L2、L3、L4、L5、…等7个！")
                .arg(QString(40, u'Z')));
}

// A station equation 40 m into an arc of R 200 splits it where the arc
// reaches that point; the file's End is checked on the second piece.
TEST(LandXmlImport, AnEquationWithinAnElementSplitsIt) {
  const auto imported = Imported(Document(
      Degrees(), OneAlignment("A",
                              "<Curve rot=\"cw\" radius=\"200\" length=\"100\" dirStart=\"0\">"
                              "<Start>0 0</Start><Center>0 200</Center>"
                              "<End>95.8851077208406 24.4834876219255</End></Curve>\n",
                              "<StaEquation staInternal=\"1040\" staAhead=\"1100\"/>\n")));
  ASSERT_EQ(imported.route.elements.size(), 2u);
  const ElementValues& first = imported.route.elements[0].values;
  const ElementValues& second = imported.route.elements[1].values;
  EXPECT_EQ((std::array{first.K0, first.K1, second.K0, second.K1}),
            (std::array{1000.0, 1040.0, 1100.0, 1160.0}));
  EXPECT_EQ(FixedText(second.X0, 4), "39.7339");      // 200 sin 0.2
  EXPECT_EQ(FixedText(second.Y0, 4), "3.9867");       // 200 (1 − cos 0.2)
  EXPECT_EQ(GeneralText(second.F), "11.2732961249");  // 0.2 rad, 11°27ˊ32.96124942″, to 0.000001″
  EXPECT_EQ((std::array{second.RQ, second.RN, second.Q}), (std::array{200.0, 200.0, 1.0}));
  for (const Joint& joint : CheckJoints(imported.route)) EXPECT_TRUE(joint.closed);
  ASSERT_EQ(imported.endChecks.size(), 1u);
  EXPECT_EQ(imported.endChecks[0].element, 2);
  EXPECT_TRUE(imported.endChecks[0].closed);
}

// Where equations fall on three straights of 10 m from 1000, given in file
// order from the last element back: each finds its element by its own
// station, not by the order of the file.
TEST(LandXmlImport, EquationsFindTheirElementInAnyOrder) {
  const auto imported = Imported(Document(
      Degrees(), OneAlignment("A",
                              "<Line dir=\"0\" length=\"10\"><Start>0 0</Start></Line>\n"
                              "<Line dir=\"0\" length=\"10\"><Start>10 0</Start></Line>\n"
                              "<Line dir=\"0\" length=\"10\"><Start>20 0</Start></Line>\n",
                              "<StaEquation staInternal=\"1030\" staAhead=\"9000\"/>\n"
                              "<StaEquation staInternal=\"1024\" staAhead=\"2000\"/>\n"
                              "<StaEquation staInternal=\"1020.00009\" staAhead=\"1500\"/>\n"
                              "<StaEquation staInternal=\"1003\" staAhead=\"1100\"/>\n")));
  std::vector<std::array<double, 2>> stations;
  for (const RouteElement& e : imported.route.elements)
    stations.push_back({e.values.K0, e.values.K1});
  // The one at the end changes nothing; the one 0.09 mm past a joint starts
  // the third element there.
  EXPECT_EQ(stations, (std::vector<std::array<double, 2>>{
                          {1000, 1003}, {1100, 1107}, {1107, 1117}, {1500, 1504}, {2000, 2006}}));
}

// Regression: each equation searched every station and element for its
// place, so 240,000 equations took about two minutes; ctest stops this test
// after a minute (the TIMEOUT of io_tests).
TEST(LandXmlImport, ManyEquationsAreReadInTime) {
  constexpr int kCount = 240000;
  QByteArray geometry, equations;
  for (int i = 0; i < kCount; ++i) {
    geometry += "<Line dir=\"0\" length=\"10\"><Start>" + QByteArray::number(10 * i) +
                " 0</Start></Line>\n";
    equations += "<StaEquation staInternal=\"" + QByteArray::number(1005 + 10 * i) +
                 "\" staAhead=\"" + QByteArray::number(1006 + 11 * i) + "\"/>\n";
  }
  const auto imported = Imported(Document(Degrees(), OneAlignment("A", geometry, equations)));
  ASSERT_EQ(imported.route.elements.size(), 2u * kCount);
  EXPECT_EQ(imported.route.elements.back().values.K1, 1011.0 + 11 * (kCount - 1));
}

// A cancel during the reading stops it with a refusal that says so.
TEST(LandXmlImport, ACancelStopsTheReading) {
  QByteArray geometry;
  for (int i = 0; i < 10000; ++i) {
    geometry += "<Line dir=\"0\" length=\"10\"><Start>" + QByteArray::number(10 * i) +
                " 0</Start></Line>\n";
  }
  const QByteArray file = Document(Degrees(), OneAlignment("A", geometry));
  qint64 asked = 0;
  const auto outcome =
      ParseLandXmlAlignment(QStringLiteral("a.xml"), file, {}, {}, [&asked](qint64 bytesRead) {
        asked = bytesRead;
        return false;
      });
  ASSERT_TRUE(std::holds_alternative<FileRefusal>(outcome));
  EXPECT_EQ(std::get<FileRefusal>(outcome).message, QStringLiteral("已取消读取文件“a.xml”！"));
  EXPECT_GT(asked, 0);
  EXPECT_LT(asked, file.size());
}

// A route with every kind of element, both turns, a 短链 and a 长链, and
// coordinates that are no short decimals.
Route EveryKindOfElement() {
  struct Typed {
    double K0, K1, F, RQ, RN, Q;
    const char* name;
  };
  const Typed typed[] = {{7800.125, 7900.3, 98.565562, 0, 0, 0, "起点直线"},
                         {7900.3, 7960.3, 98.565562, 0, 450.5, 1, ""},
                         {7960.3, 8080.77, 0, 450.5, 450.5, 1, "JD1"},
                         {8080.77, 8140.77, 0, 450.5, 900, 1, ""},
                         {8150, 8200.1, 0, 900, 0, 1, ""},  // 短链 of 9.23 m
                         {8190, 8300, 0, 0, 0, 0, ""},      // 长链 of 10.1 m
                         {8300, 8350, 0, 0, 300, -1, ""},
                         {8350, 8400.0000000001, 0, 300, 300, -1, ""},
                         {8400.0000000001, 8450, 0, 300, 0, -1, ""},
                         {8450, 8470, 0, 0, 0, -1, ""}};  // a turning element of no curvature
  std::vector<RouteElement> elements;
  double X = 3378568.396123, Y = 521345.0017;
  double F = typed[0].F;
  for (const Typed& t : typed) {
    RouteElement e{{t.K0, t.K1, X, Y, F, t.RQ, t.RN, t.Q}, t.name};
    elements.push_back(e);
    auto made = MakeRoute(elements);
    const Route& route = std::get<Route>(made);
    const ForwardResult end = ForwardPoint(route.loaded.back(), t.K1, 0, 90);
    X = end.point.X;
    Y = end.point.Y;
    F = DegreesToDmsField(end.azimuth);
  }
  return std::get<Route>(MakeRoute(elements));
}

TEST(LandXmlRoundTrip, TheExportReadsBackAsTheSameRoute) {
  const Route route = EveryKindOfElement();
  const QByteArray bytes =
      LandXmlAlignmentBytes(route, QStringLiteral("K线"), QDateTime::currentDateTime());
  const auto back = Imported(bytes);
  EXPECT_EQ(back.name, QStringLiteral("K线"));
  ASSERT_EQ(back.route.elements.size(), route.elements.size());
  for (std::size_t i = 0; i < route.elements.size(); ++i) {
    // Bit for bit, which is more than the general decimal form asks.
    EXPECT_EQ(back.route.elements[i], route.elements[i]) << "element " << i + 1;
  }
  for (const Joint& joint : CheckJoints(back.route)) EXPECT_TRUE(joint.closed) << joint.left;
  ASSERT_EQ(back.endChecks.size(), route.elements.size());
  for (const LandXmlEndCheck& check : back.endChecks) {
    EXPECT_EQ(check.d_mm, 0) << check.element;
    EXPECT_TRUE(check.hasAzimuth || route.elements[check.element - 1].values.Q == 0);
    EXPECT_LT(std::fabs(check.daz_sec), 1e-9) << check.element;
  }
}

// A design's line, spiral, arc and spiral with a 断链, once as LandXML in
// decimal degrees and once typed as an element table, to the millimetre and
// the hundredth of a second.
TEST(LandXmlRoundTrip, AnAlignmentComputesAsTheSameTypedTable) {
  const QByteArray xml = Document(
      Degrees(),
      "<Alignment name=\"A\" length=\"390\" staStart=\"1000\">\n"
      "<StaEquation staInternal=\"1330.000\" staBack=\"1330\" staAhead=\"1340\"/>\n"
      "<CoordGeom>\n"
      "<Line dir=\"45.508333333333\" length=\"150\"><Start>3000.000 5000.000</Start>"
      "<End>3105.121 5107.003</End></Line>\n"
      "<Spiral length=\"60\" radiusStart=\"INF\" radiusEnd=\"600\" rot=\"cw\" spiType=\"clothoid\" "
      "dirStart=\"45.508333333333\"><Start>3105.121 5107.003</Start><PI>3133.157 5135.541</PI>"
      "<End>3146.446 5150.494</End></Spiral>\n"
      "<Curve rot=\"cw\" radius=\"600\" length=\"120\" dirStart=\"48.373122222222\">"
      "<Start>3146.446 5150.494</Start><Center>2697.954 5549.060</Center>"
      "<End>3216.689 5247.540</End></Curve>\n"
      "<Spiral length=\"60\" radiusStart=\"600\" radiusEnd=\"INF\" rot=\"cw\" spiType=\"clothoid\" "
      "dirStart=\"59.832277777778\"><Start>3216.689 5247.540</Start><PI>3226.742 5264.835</PI>"
      "<End>3245.092 5300.384</End></Spiral>\n"
      "</CoordGeom>\n</Alignment>\n");
  const QByteArray table =
      "1000,1150,3000.000,5000.000,45.3030,0,0,0\r\n"
      "1150,1210,3105.121,5107.003,45.3030,0,600,1\r\n"
      "1210,1330,3146.446,5150.494,48.222324,600,600,1\r\n"
      "1340,1400,3216.689,5247.540,59.49562,600,0,1\r\n";
  const auto imported = Imported(xml);
  auto typed = InFile(QStringLiteral("t.txt"), ParseRouteFile(table));
  ASSERT_TRUE(std::holds_alternative<Route>(typed));
  const Route& from_table = std::get<Route>(typed);
  EXPECT_EQ(imported.route.elements, from_table.elements);
  for (const Joint& joint : CheckJoints(imported.route)) EXPECT_TRUE(joint.closed) << joint.left;
  // Every element gives its End, so the loop below has four checks to pass,
  // never none.
  ASSERT_EQ(imported.endChecks.size(), from_table.elements.size());
  for (const LandXmlEndCheck& check : imported.endChecks)
    EXPECT_TRUE(check.closed) << check.element;

  RouteTableRequest request;
  request.from = 1000;
  request.to = 1400;
  request.step = 20;
  request.offsets = {-7.5, 0, 7.5};
  request.keyPoints = true;
  const auto a = std::get<std::vector<RoutePoint>>(RouteTable(imported.route, request));
  const auto b = std::get<std::vector<RoutePoint>>(RouteTable(from_table, request));
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(FixedText(a[i].station, 3), FixedText(b[i].station, 3));
    EXPECT_EQ(FixedText(a[i].result.point.X, 4), FixedText(b[i].result.point.X, 4));
    EXPECT_EQ(FixedText(a[i].result.point.Y, 4), FixedText(b[i].result.point.Y, 4));
    EXPECT_EQ(a[i].label, b[i].label);
  }

  // And Tarnvel's own export of it reads back the same.
  const auto again = Imported(LandXmlAlignmentBytes(imported.route, imported.name, QDateTime()));
  EXPECT_EQ(again.route.elements, from_table.elements);
}

class LandXmlFiles : public ScratchFolder {};

// The export against the LandXML 1.2 content model of everything it writes
// (tests/io/landxml/alignment-subset.xsd), through xmllint.
TEST_F(LandXmlFiles, TheExportIsValidLandXml) {
  const QString path = PathOf(QStringLiteral("route.xml"));
  ASSERT_EQ(SaveLandXmlAlignment(path, EveryKindOfElement(), QStringLiteral("K线")), std::nullopt);
  QProcess xmllint;
  xmllint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"),
                                            QStringLiteral(TARNVEL_LANDXML_SCHEMA), path});
  ASSERT_TRUE(xmllint.waitForFinished(30000)) << "xmllint (libxml2-utils) did not run";
  EXPECT_EQ(xmllint.exitCode(), 0) << xmllint.readAllStandardError().toStdString();
}

TEST_F(LandXmlFiles, SavesAndReadsThatCannotBeDoneAreRefused) {
  ASSERT_TRUE(SaveLandXmlAlignment(Unwritable(), EveryKindOfElement(), QStringLiteral("A")));
  const auto missing = ReadLandXmlAlignment(PathOf(QStringLiteral("none.xml")));
  EXPECT_TRUE(std::holds_alternative<FileRefusal>(missing));
}

}  // namespace
}  // namespace tarnvel
