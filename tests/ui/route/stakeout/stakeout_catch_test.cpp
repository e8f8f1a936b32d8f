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
  void init() {
    document_ = std::make_unique<RouteDocument>();
    page_ = std::make_unique<StakeoutPage>(host_, *document_);
    LoadSlopeRoad(*document_);
  }
  void cleanup() {
    page_.reset();
    document_.reset();
  }
  void catchPointsNeedAllTheyAreComputedFrom_data();
  void catchPointsNeedAllTheyAreComputedFrom();
  void catchRowsSavedAsSurveyPoints_data();
  void catchRowsSavedAsSurveyPoints();
  void newGroundOrSlopesClearTheCatchRows_data();
  void newGroundOrSlopesClearTheCatchRows();

 private:
  QCheckBox* check(const char* name) {
    return page_->findChild<QCheckBox*>(QString::fromLatin1(name));
  }
  QAbstractItemModel* table() {
    return page_->findChild<QTableView*>(QStringLiteral("stakeoutTable"))->model();
  }
  // K0+100 on the centre line, its 边桩 and, unless not, its catch points.
  void stakeOut(bool catchPoints, bool breaks) {
    check("edgesCheck")->setChecked(true);
    check("catchCheck")->setChecked(catchPoints);
    check("breaksCheck")->setChecked(breaks);
    for (const auto& [box, text] : {std::pair{"fromEdit", "100"},
                                    {"toEdit", "100"},
                                    {"stepEdit", "20"},
                                    {"offsetsEdit", "0"}})
      Box(page_.get(), box)->setText(QString::fromLatin1(text));
    Click(page_.get(), "stakeoutButton");
  }

  FakePageHost host_;
  std::unique_ptr<RouteDocument> document_;
  std::unique_ptr<StakeoutPage> page_;
  QTemporaryDir dir_;
};

void StakeoutCatchTest::catchPointsNeedAllTheyAreComputedFrom_data() {
  QTest::addColumn<int>("without");  // 0 nothing, 1 边桩, 2 profile, 3 sections, 4 ground, 5 slopes
  int without = 0;
  for (const char* name : {"All", "NoEdges", "NoProfile", "NoSections", "NoGround", "NoSlopes"})
    QTest::newRow(name) << without++;
}

// 坡脚坡口 can be ticked only with all the catch points are computed from,
// and 含变坡点 only with it.
void StakeoutCatchTest::catchPointsNeedAllTheyAreComputedFrom() {
  QFETCH(int, without);
  check("edgesCheck")->setChecked(without != 1);
  check("catchCheck")->setChecked(true);
  if (without == 2) document_->setProfile(nullptr);
  if (without == 3) document_->setSections(nullptr);
  if (without == 4) document_->setGround(nullptr);
  if (without == 5) document_->setSlopes(nullptr);
  QCOMPARE(check("catchCheck")->isEnabled(), without == 0);
  QCOMPARE(check("breaksCheck")->isEnabled(), without == 0);
  check("catchCheck")->setChecked(false);
  QVERIFY(!check("breaksCheck")->isEnabled());
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

// The table shows each row's 点名 and 说明 as the .dat saves them.
void StakeoutCatchTest::catchRowsSavedAsSurveyPoints() {
  QFETCH(bool, breaks);
  QFETCH(QString, dat);
  stakeOut(true, breaks);
  QVERIFY2(host_.messages.isEmpty(), qPrintable(host_.messages.join(u'\n')));
  host_.answers << dir_.filePath(QStringLiteral("stakeout.dat"));
  Click(page_.get(), "saveDatButton");
  QCOMPARE(ReadBytes(dir_.filePath(QStringLiteral("stakeout.dat"))), *EncodeGbk(dat));
  QStringList shown, saved;
  for (int row = 0; row < table()->rowCount(); ++row)
    shown << table()->index(row, 0).data().toString() + u',' +
                 table()->index(row, 8).data().toString();
  for (const QString& line : dat.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
    saved << line.section(u',', 0, 1);
  QCOMPARE(shown, saved);
}

void StakeoutCatchTest::newGroundOrSlopesClearTheCatchRows_data() {
  QTest::addColumn<bool>("catchPoints");
  QTest::addColumn<bool>("ground");  // the ground changes, else the slopes
  QTest::addColumn<int>("rowsAfter");
  QTest::newRow("Catch_Ground") << true << true << 0;
  QTest::newRow("Catch_Slopes") << true << false << 0;
  QTest::newRow("EdgesOnly_Ground") << false << true << 3;
  QTest::newRow("EdgesOnly_Slopes") << false << false << 3;
}

void StakeoutCatchTest::newGroundOrSlopesClearTheCatchRows() {
  QFETCH(bool, catchPoints);
  QFETCH(bool, ground);
  QFETCH(int, rowsAfter);
  stakeOut(catchPoints, false);
  QCOMPARE(table()->rowCount(), catchPoints ? 5 : 3);
  const SlopeRoad road;
  if (ground)
    document_->setGround(std::make_shared<const GroundLines>(road.ground));
  else
    document_->setSlopes(std::make_shared<const SideSlopes>(road.slopes));
  QCOMPARE(table()->rowCount(), rowsAfter);
}

QTEST_MAIN(StakeoutCatchTest)
#include "stakeout_catch_test.moc"
