// The ground as a surface on the 边坡 page: a points file triangulated off
// the window's thread, its line on the page, and the catch points of
// 逐桩坐标 cut from it; a file refused names its line. On the slope road
// (slope_road.h: north from (1000, 2000), so X is 1000 + 桩号 and Y is
// 2000 + 偏距).
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "fake_page_host.h"
#include "io/files/gbk_text.h"
#include "test_files.h"
#include "ui/route/slopes/slopes_page.h"
#include "ui/route/stakeout/stakeout_page.h"
#include "window_test_support.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

namespace {

// The plane H = 100.5 − 0.2·偏距, half a metre over the surveyed lines'
// left side: five points in general position, the centre one given twice.
const QByteArray kPlane(
    "点名,X,Y,H\n"
    "A,1040,1970,106.5\n"
    "B,1045,2031,94.3\n"
    "C,1160,2032,94.1\n"
    "D,1155,1968,106.9\n"
    "E,1100,2003,99.9\n"
    "E2,1100.0005,2003,99.9\n");

}  // namespace

class SlopesSurfaceTest : public QObject {
  Q_OBJECT

 private slots:
  void catchPointsCutFromThePlane();
  void planDrawsTheOutline();
  void refusedNamingTheLine_data();
  void refusedNamingTheLine();
};

// Left, the cut's 1:1 from its ditch's end (L6.8, 100.000) meets the plane
// where 100 + (d − 6.8) = 100.5 + 0.2d: d = 9.125, H 102.325. Right, the
// fill's 1:1 from the hinge meets it where 105 − o = 100.5 − 0.2o: o =
// 5.625, H 99.375. The surveyed lines would give L8.5 and R12.5.
void SlopesSurfaceTest::catchPointsCutFromThePlane() {
  SlopeRoadPage<StakeoutPage> on;
  SlopesPage slopes(on.host, on.document);
  // The page's empty slope table took the road's slopes away.
  on.document.setSlopes(std::make_shared<const SideSlopes>(on.road.slopes));
  QTemporaryDir dir;
  QVERIFY(slopes.importSurface(WriteBytes(dir.filePath(QStringLiteral("plane.csv")), kPlane)));
  QVERIFY2(on.host.messages.isEmpty(), qPrintable(on.host.messages.join(u'\n')));
  QCOMPARE(slopes.findChild<QLabel*>(QStringLiteral("groundLabel"))->text(),
           QStringLiteral("地面模型“plane.csv”：5个点，4个三角形，略去重复点1个"));
  on.child<QCheckBox>("edgesCheck")->setChecked(true);
  on.child<QCheckBox>("catchCheck")->setChecked(true);
  for (const char* box : {"fromEdit", "toEdit"}) Box(&on.page, box)->setText("100");
  Box(&on.page, "offsetsEdit")->setText("0");
  Click(&on.page, "stakeoutButton");
  on.host.answers << dir.filePath(QStringLiteral("stakeout.dat"));
  Click(&on.page, "saveDatButton");
  QVERIFY2(on.host.messages.isEmpty(), qPrintable(on.host.messages.join(u'\n')));
  QCOMPARE(ReadBytes(dir.filePath(QStringLiteral("stakeout.dat"))),
           *EncodeGbk(QStringLiteral("K0+100,,2000.0000,1100.0000,100.000\r\n"
                                     "K0+100L5.00,左行车道外,1995.0000,1100.0000,100.000\r\n"
                                     "K0+100LPK,坡口,1990.8750,1100.0000,102.325\r\n"
                                     "K0+100R5.00,右行车道外,2005.0000,1100.0000,100.000\r\n"
                                     "K0+100RPJ,坡脚,2005.6250,1100.0000,99.375\r\n")));
}

// The centre point E inside, the four around it make the outline: each
// edge once, by the names of its ends.
void SlopesSurfaceTest::planDrawsTheOutline() {
  SlopeRoadPage<StakeoutPage> on;
  SlopesPage slopes(on.host, on.document);
  QTemporaryDir dir;
  QVERIFY(slopes.importSurface(WriteBytes(dir.filePath(QStringLiteral("plane.csv")), kPlane)));
  const QHash<double, QString> names{
      {1040, "A"}, {1045, "B"}, {1160, "C"}, {1155, "D"}, {1100, "E"}};
  QStringList edges;
  for (const auto& [from, to] : on.host.planView.groundOutline()) {
    QStringList ends{names.value(from.X), names.value(to.X)};
    ends.sort();
    edges << ends.join(u'-');
  }
  edges.sort();
  QCOMPARE(edges, QStringList({"A-B", "A-D", "B-C", "C-D"}));
}

void SlopesSurfaceTest::refusedNamingTheLine_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QString>("maxEdge");
  QTest::addColumn<QString>("message");  // %1 for the file's path
  QTest::newRow("PointWithoutH") << "points.csv"
                                 << QByteArray("A,1040,1970,106.5\nB,1045,2031\nC,1160,2032,94.1\n")
                                 << ""
                                 << QStringLiteral(
                                        "文件“%1”第2行的点“B”没有高程H，地面模型的点必须有H！");
  QTest::newRow("FaceNamesNoPoint")
      << "surface.xml"
      << QByteArray(
             "<LandXML><Surfaces><Surface><Definition surfType=\"TIN\">\n"
             "<Pnts><P id=\"1\">1040 1970 106.5</P><P id=\"2\">1045 2031 94.3</P>\n"
             "<P id=\"3\">1160 2032 94.1</P></Pnts>\n"
             "<Faces><F>1 2 4</F></Faces></Definition></Surface></Surfaces></LandXML>\n")
      << "" << QStringLiteral("文件“%1”第4行的三角形引用了不存在的点“4”！");
  QTest::newRow("MaxEdgeOnLandXml")
      << "surface.xml" << QByteArray("<LandXML/>") << "30"
      << QStringLiteral("“最大边长”只用于点文件，LandXML地面模型的三角形按原样使用！");
}

// The ground held before stays the document's.
void SlopesSurfaceTest::refusedNamingTheLine() {
  QFETCH(QString, name);
  QFETCH(QByteArray, bytes);
  QFETCH(QString, maxEdge);
  QFETCH(QString, message);
  SlopeRoadPage<StakeoutPage> on;
  SlopesPage slopes(on.host, on.document);
  const auto held = on.document.ground();
  slopes.findChild<QLineEdit*>(QStringLiteral("maxEdgeEdit"))->setText(maxEdge);
  QTemporaryDir dir;
  const QString path = WriteBytes(dir.filePath(name), bytes);
  slopes.importSurface(path);
  QCOMPARE(on.host.messages.join(u'\n'),
           message.replace(QStringLiteral("%1"), QDir::toNativeSeparators(path)));
  QCOMPARE(on.document.ground(), held);
}

QTEST_MAIN(SlopesSurfaceTest)
#include "slopes_surface_test.moc"
