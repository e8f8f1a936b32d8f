// 坡脚坡口 in the route window's stakeout: each side's catch point after its
// last 边桩, with 含变坡点 the slope's breaks before it, on the slope road
// (slope_road.h), saved in the .dat as `slopes` saves them; and gone when
// the ground or the slopes they met change.
#include <QCheckBox>
#include <QTableView>
#include <QtTest>

#include "fake_page_host.h"
#include "io/files/gbk_text.h"
#include "test_files.h"
#include "ui/route/stakeout/stakeout_page.h"
#include "window_test_support.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

class StakeoutCatchTest : public QObject {
  Q_OBJECT

 private slots:
  void catchPointsNeedAllTheyAreComputedFrom_data();
  void catchPointsNeedAllTheyAreComputedFrom();
  void catchRowsSavedAsSurveyPoints_data();
  void catchRowsSavedAsSurveyPoints();
};

void StakeoutCatchTest::catchPointsNeedAllTheyAreComputedFrom_data() {
  QTest::addColumn<int>("without");  // 0 nothing, 1 边桩, 2 profile, 3 sections, 4 ground, 5 slopes
  int without = 0;
  for (const char* name : {"All", "NoEdges", "NoProfile", "NoSections", "NoGround", "NoSlopes"})
    QTest::newRow(name) << without++;
}

// 坡脚坡口 can be ticked only with 边桩 and while the document holds all
// that the catch points are computed from; 含变坡点 only with it ticked.
void StakeoutCatchTest::catchPointsNeedAllTheyAreComputedFrom() {
  QFETCH(int, without);
  SlopeRoadPage<StakeoutPage> on;
  on.child<QCheckBox>("edgesCheck")->setChecked(without != 1);
  on.child<QCheckBox>("catchCheck")->setChecked(true);
  if (without == 2) on.document.setProfile(nullptr);
  if (without == 3) on.document.setSections(nullptr);
  if (without == 4) on.document.setGround(nullptr);
  if (without == 5) on.document.setSlopes(nullptr);
  QCOMPARE(on.child<QCheckBox>("catchCheck")->isEnabled(), without == 0);
  QCOMPARE(on.child<QCheckBox>("breaksCheck")->isEnabled(), without == 0);
  on.child<QCheckBox>("catchCheck")->setChecked(false);
  QVERIFY(!on.child<QCheckBox>("breaksCheck")->isEnabled());
}

void StakeoutCatchTest::catchRowsSavedAsSurveyPoints_data() {
  QTest::addColumn<bool>("breaks");
  QTest::addColumn<QString>("dat");  // 点名,编码,Y,X,H; the route runs north, so Y is 2000 + 偏距
  const QString start = QStringLiteral(
      "K0+100,,2000.0000,1100.0000,100.000\r\n"
      "K0+100L5.00,左行车道外,1995.0000,1100.0000,100.000\r\n");
  const QString right = QStringLiteral("K0+100R5.00,右行车道外,2005.0000,1100.0000,100.000\r\n");
  QTest::newRow("CatchPoints") << false
                               << start + "K0+100LPK,坡口,1991.5000,1100.0000,101.700\r\n" + right +
                                      "K0+100RPJ,坡脚,2012.5000,1100.0000,96.750\r\n";
  QTest::newRow("WithBreaks") << true
                              << start +
                                     "K0+100L5.60,沟底内,1994.4000,1100.0000,99.400\r\n"
                                     "K0+100L6.20,沟底外,1993.8000,1100.0000,99.400\r\n"
                                     "K0+100L6.80,沟外缘,1993.2000,1100.0000,100.000\r\n"
                                     "K0+100LPK,坡口,1991.5000,1100.0000,101.700\r\n" +
                                     right +
                                     "K0+100R6.00,平台1内,2006.0000,1100.0000,99.000\r\n"
                                     "K0+100R8.00,平台1外,2008.0000,1100.0000,99.000\r\n"
                                     "K0+100RPJ,坡脚,2012.5000,1100.0000,96.750\r\n";
}

// K0+100 with its 边桩 and catch points: the table shows each row's 点名 and
// 说明 as the .dat saves them, until the ground (without the breaks) or the
// slopes (with them) change.
void StakeoutCatchTest::catchRowsSavedAsSurveyPoints() {
  QFETCH(bool, breaks);
  QFETCH(QString, dat);
  SlopeRoadPage<StakeoutPage> on;
  on.child<QCheckBox>("edgesCheck")->setChecked(true);
  on.child<QCheckBox>("catchCheck")->setChecked(true);
  on.child<QCheckBox>("breaksCheck")->setChecked(breaks);
  for (const char* box : {"fromEdit", "toEdit"}) Box(&on.page, box)->setText("100");
  Box(&on.page, "offsetsEdit")->setText("0");
  Click(&on.page, "stakeoutButton");
  QTemporaryDir dir;
  on.host.answers << dir.filePath(QStringLiteral("stakeout.dat"));
  Click(&on.page, "saveDatButton");
  QVERIFY2(on.host.messages.isEmpty(), qPrintable(on.host.messages.join(u'\n')));
  QCOMPARE(ReadBytes(dir.filePath(QStringLiteral("stakeout.dat"))), *EncodeGbk(dat));
  const QAbstractItemModel* table = on.child<QTableView>("stakeoutTable")->model();
  QStringList shown, saved;
  for (int row = 0; row < table->rowCount(); ++row)
    shown << table->index(row, 0).data().toString() + u',' + table->index(row, 8).data().toString();
  for (const QString& line : dat.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
    saved << line.section(u',', 0, 1);
  QCOMPARE(shown, saved);
  if (breaks)
    on.document.setSlopes(std::make_shared<const SideSlopes>(on.road.slopes));
  else
    on.document.setGround(std::make_shared<const SurveyedGround>(on.road.ground));
  QCOMPARE(table->rowCount(), 0);
}

QTEST_MAIN(StakeoutCatchTest)
#include "stakeout_catch_test.moc"
