// The names the window's stakeout gives its points, as `tarnvel-route
// forward` gives them: the station and side by default, 1…n when 序号 is
// chosen, never two rows alike, on a 长链 as elsewhere; and its station
// fields, which take the pass of a 长链 as `--from` and `--to` do.
#include <QComboBox>
#include <QtTest>

#include "route_window_fixture.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

namespace {

// Two straights due north with a 长链 of 10 m: the second starts at K1+190
// where the first ends at K1+200.
const QByteArray kLongChainRoad(
    "起点桩号K,止点桩号K,起点坐标X,起点坐标Y,起点方位角F,起点半径RQ,止点半径RN,曲线转向Q\n"
    "断链,K1+200,K1+190\n"
    "1000,1200,3000000,500000,0,0,0,0\n"
    "1190,1300,3000200,500000,0,0,0,0\n");

}  // namespace

class StakeoutNamesTest : public RouteWindowFixture {
  Q_OBJECT

 private slots:
  void init() { openWindow(); }
  void cleanup() { closeWindow(); }
  void rangeNamedByStationAndSide_data();
  void rangeNamedByStationAndSide();
  void longChainNamesStayUnique();
  void fieldsTakeTheSecondPass_data();
  void fieldsTakeTheSecondPass();

 private:
  // The names of the stakeout of the inputs.
  QStringList stakeOut(const QString& from, const QString& to, const QString& step,
                       const QString& offsets) {
    QStringList names;
    for (const StakeRow& row : stakeOutRange(from, to, step, offsets))
      names << QString::fromStdString(row.name);
    return names;
  }
};

void StakeoutNamesTest::rangeNamedByStationAndSide_data() {
  QTest::addColumn<int>("choice");  // of 点名
  QTest::addColumn<QString>("prefix");
  QTest::addColumn<QStringList>("names");
  QTest::addColumn<QByteArray>("datLine");  // the third row's, K1+005.5 10 m right
  QTest::newRow("ByStation") << 0 << "K"
                             << QStringList{"K1+005.5L10.00", "K1+005.5", "K1+005.5R10.00",
                                            "K1+010L10.00",   "K1+010",   "K1+010R10.00",
                                            "K1+020L10.00",   "K1+020",   "K1+020R10.00"}
                             << QByteArray("K1+005.5R10.00,,453658.4671,3378599.5347,\r\n");
  QTest::newRow("ByStationWithPrefix")
      << 0 << "ZK" << QStringList{"ZK1+005.5L10.00", "ZK1+005.5", "ZK1+005.5R10.00",
                                  "ZK1+010L10.00",   "ZK1+010",   "ZK1+010R10.00",
                                  "ZK1+020L10.00",   "ZK1+020",   "ZK1+020R10.00"}
      << QByteArray("ZK1+005.5R10.00,,453658.4671,3378599.5347,\r\n");
  QTest::newRow("Serial") << 1 << "K" << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9"}
                          << QByteArray("3,,453658.4671,3378599.5347,\r\n");
}

// The window numbered its points 1…n, which a crew cannot find on the
// ground; the command named them by station and side. The .dat carries the
// names the table shows.
void StakeoutNamesTest::rangeNamedByStationAndSide() {
  QFETCH(int, choice);
  QFETCH(QString, prefix);
  QFETCH(QStringList, names);
  QFETCH(QByteArray, datLine);
  import(kRoad);
  QLineEdit* prefixBox = Box(window_, "stationPrefixEdit");
  prefixBox->selectAll();
  QTest::keyClicks(prefixBox, prefix);
  window_->findChild<QComboBox*>(QStringLiteral("namesCombo"))->setCurrentIndex(choice);
  QCOMPARE(stakeOut("1005.5", "1020", "10", "-10, 0, 10"), names);
  QVERIFY2(boxes_.shown.isEmpty(), qPrintable(firstMessage()));

  const QString dat = dir_.filePath(QStringLiteral("points.dat"));
  dialogs_.answers << dat;
  runJob("saveDatButton");
  const QList<QByteArray> lines = ReadBytes(dat).split('\n');
  QCOMPARE(lines.value(2) + '\n', datLine);
}

// On a 长链 the second branch comes back over K1+190 to K1+200: its rows
// are named apart from the first branch's, and the stretch past the
// repeated one is named plainly again.
void StakeoutNamesTest::longChainNamesStayUnique() {
  import(write("long_chain.txt", kLongChainRoad));
  const QStringList names = stakeOut("1180", "1210", "10", "-10, 0");
  QVERIFY2(boxes_.shown.isEmpty(), qPrintable(firstMessage()));
  QCOMPARE(names, (QStringList{"K1+180L10.00", "K1+180", "K1+190L10.00", "K1+190", "K1+200L10.00",
                               "K1+200", "K1+190L10.00_2", "K1+190_2", "K1+200L10.00_2", "K1+200_2",
                               "K1+210L10.00", "K1+210"}));
}

void StakeoutNamesTest::fieldsTakeTheSecondPass_data() {
  QTest::addColumn<QString>("from");
  QTest::addColumn<QString>("to");
  QTest::addColumn<QString>("rows");  // station/element, or the refusal shown
  QTest::newRow("FirstPassUnmarked") << "K1+195"
                                     << "1210"
                                     << "1195/1 1200/1 1190/2 1200/2 1210/2";
  QTest::newRow("SecondPassKText") << "K1+195_2"
                                   << "1210"
                                   << "1195/2 1200/2 1210/2";
  QTest::newRow("SecondPassMetres") << " 1195_2 "
                                    << "1210"
                                    << "1195/2 1200/2 1210/2";
  QTest::newRow("ToFirstPass") << "1180"
                               << "K1+195"
                               << "1180/1 1190/1 1195/1";
  QTest::newRow("ToSecondPass") << "1180"
                                << "K1+195_2"
                                << "1180/1 1190/1 1200/1 1190/2 1195/2";
  QTest::newRow("BadStationBeforeSuffix")
      << "K1+19x_2"
      << "1210" << QStringLiteral("输入“起点里程”的值“K1+19x_2”不是有效的桩号！");
  QTest::newRow("SuffixOnlyOnce") << "K1+195_2_2"
                                  << "1210"
                                  << QStringLiteral(
                                         "输入“起点里程”的值“K1+195_2_2”不是有效的桩号！");
  QTest::newRow("PassNotMade") << "1180"
                               << "K1+195_3"
                               << QStringLiteral("“止点K”K1+195.000_3：线路只经过该桩号2次！");
}

// 起点里程 and 止点里程 refused the "_2" that `--from`, `--to` and a
// stations file take for the second pass over a 长链's repeated stretch,
// so the window could not start a stakeout on the second branch.
void StakeoutNamesTest::fieldsTakeTheSecondPass() {
  QFETCH(QString, from);
  QFETCH(QString, to);
  QFETCH(QString, rows);
  import(write("long_chain.txt", kLongChainRoad));
  stakeOut(from, to, "10", "0");
  QStringList given;
  for (const StakeRow& row : stakeoutRows())
    given << QStringLiteral("%1/%2").arg(row.point.station).arg(row.point.element);
  QCOMPARE(boxes_.shown.isEmpty() ? given.join(' ') : firstMessage(), rows);
}

QTEST_MAIN(StakeoutNamesTest)
#include "stakeout_names_test.moc"
