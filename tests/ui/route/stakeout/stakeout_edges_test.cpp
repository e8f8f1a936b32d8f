// 边桩 in the route window's stakeout: after each station's own row, a row
// at the outer edge of every part of the 横断面 table, named by station and
// side as the command names them, labelled by side and part, at the edge's
// exact point.
#include <QCheckBox>
#include <QComboBox>
#include <QProcess>
#include <QtTest>

#include "core/text/number_text.h"
#include "route_window_fixture.h"
#include "ui/route/profile/profile_page.h"
#include "ui/route/sections/sections_page.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

namespace {

// Lanes and 土路肩 on each side, from K1+000.
const QByteArray kSections(
    "桩号,左行车道宽,左行车道坡,左土路肩宽,左土路肩坡,右行车道宽,右行车道坡,右土路肩宽,右土路肩坡\n"
    "K1+000,3.75,-2,0.75,-4,3.5,-2,1,-4\n");

}  // namespace

class StakeoutEdgesTest : public RouteWindowFixture {
  Q_OBJECT

 private slots:
  void init() {
    openWindow();
    import(kRoad);
  }
  void cleanup() { closeWindow(); }
  void edgesFollowTheirStation_data();
  void edgesFollowTheirStation();
  void stationEdgesNamedApartFromTheFilesRows_data();
  void stationEdgesNamedApartFromTheFilesRows();
  void edgesWithoutSectionsAreRefused();
  void edgesTakeTheSurfaceHeight();
  void anOffsetTypedOnTheOuterEdgeHasItsHeight();
  void editedSectionsDropTheirRows_data();
  void editedSectionsDropTheirRows();
  void savedAsTheCommandWritesThem_data();
  void savedAsTheCommandWritesThem();

 private:
  // K1+000 to K1+020 by 20 m on the centre line, 边桩 ticked unless not.
  const std::vector<StakeRow>& stakeOut(bool edges = true) {
    window_->findChild<QCheckBox*>(QStringLiteral("edgesCheck"))->setChecked(edges);
    return stakeOutRange("1000", "1020", "20", "0");
  }
};

// The first element runs straight at 60° from K1+000 (3378605.445,
// 453648.704): a point m to the right lies at 150°.
void StakeoutEdgesTest::edgesFollowTheirStation_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("label");
  QTest::addColumn<double>("offset");
  QTest::addColumn<QString>("X");
  QTest::addColumn<QString>("Y");
  QTest::newRow("leftLane") << 1 << "K1+000L3.75" << QStringLiteral("左行车道外") << -3.75
                            << QStringLiteral("3378608.6926") << QStringLiteral("453646.8290");
  QTest::newRow("leftShoulder") << 2 << "K1+000L4.50" << QStringLiteral("左土路肩外") << -4.5
                                << QStringLiteral("3378609.3421") << QStringLiteral("453646.4540");
  QTest::newRow("rightLane") << 3 << "K1+000R3.50" << QStringLiteral("右行车道外") << 3.5
                             << QStringLiteral("3378602.4139") << QStringLiteral("453650.4540");
  QTest::newRow("rightShoulder") << 4 << "K1+000R4.50" << QStringLiteral("右土路肩外") << 4.5
                                 << QStringLiteral("3378601.5479") << QStringLiteral("453650.9540");
}

void StakeoutEdgesTest::edgesFollowTheirStation() {
  QFETCH(int, row);
  QFETCH(QString, name);
  QFETCH(QString, label);
  QFETCH(double, offset);
  QFETCH(QString, X);
  QFETCH(QString, Y);
  QVERIFY(window_->findChild<SectionsPage*>()->importSections(write("s.csv", kSections)));
  const auto& rows = stakeOut();
  QCOMPARE(rows.size(), size_t{10});
  // The next station's own row comes after the four edges of the first.
  QCOMPARE(rows[5].point.station, 1020.0);
  QCOMPARE(rows[5].point.offset, 0.0);
  const StakeRow& edge = rows[static_cast<size_t>(row)];
  QCOMPARE(QString::fromStdString(edge.name), name);
  QCOMPARE(QString::fromStdString(edge.point.label), label);
  QCOMPARE(edge.point.station, 1000.0);
  QCOMPARE(edge.point.offset, offset);
  QCOMPARE(QString::fromStdString(FixedText(edge.point.result.point.X, 4)), X);
  QCOMPARE(QString::fromStdString(FixedText(edge.point.result.point.Y, 4)), Y);
}

void StakeoutEdgesTest::stationEdgesNamedApartFromTheFilesRows_data() {
  QTest::addColumn<QString>("prefix");
  QTest::addColumn<QStringList>("names");
  QTest::newRow("K") << "K"
                     << QStringList{"K1+000L3.75",      "K1+000",           "K1+000L3.75_2",
                                    "K1+000L4.50_2",    "K1+000R3.50",      "K1+000R4.50",
                                    "K1+000L4.50",      "K1+000L4.50L3.75", "K1+000L4.50L4.50",
                                    "K1+000L4.50R3.50", "K1+000L4.50R4.50"};
  QTest::newRow("ZK") << "ZK"
                      << QStringList{"ZK1+000L3.75",     "ZK1+000",          "ZK1+000L3.75_2",
                                     "ZK1+000L4.50",     "ZK1+000R3.50",     "ZK1+000R4.50",
                                     "K1+000L4.50",      "K1+000L4.50L3.75", "K1+000L4.50L4.50",
                                     "K1+000L4.50R3.50", "K1+000L4.50R4.50"};
}

// Regression: a stations file's edges were named apart from one another
// only, so an edge took the name of a row of the file, that of a line
// without a name at the edge's offset or one the file gives; and they were
// named with K whatever the window's prefix. Pins too a named line's edges
// named by their station (K1+020L3.75): they take the line's name.
void StakeoutEdgesTest::stationEdgesNamedApartFromTheFilesRows() {
  QFETCH(QString, prefix);
  QFETCH(QStringList, names);
  QVERIFY(window_->findChild<SectionsPage*>()->importSections(write("s.csv", kSections)));
  const QString stations = write("stations.csv", ",K1+000\nK1+000L4.50,1020,0\n");
  QLineEdit* prefixBox = Box(window_, "stationPrefixEdit");
  prefixBox->selectAll();
  QTest::keyClicks(prefixBox, prefix);
  window_->findChild<QCheckBox*>(QStringLiteral("edgesCheck"))->setChecked(true);
  Box(window_, "offsetsEdit")->setText(QStringLiteral("-3.75, 0"));
  dialogs_.answers << stations;
  runJob("stationsButton");
  QStringList given;
  for (const StakeRow& row : stakeoutRows()) given << QString::fromStdString(row.name);
  QCOMPARE(given, names);
}

void StakeoutEdgesTest::edgesWithoutSectionsAreRefused() {
  QVERIFY(stakeOut().empty());
  QCOMPARE(boxes_.shown.size(), 1);
  QCOMPARE(boxes_.shown[0].text, QStringLiteral("请先在“横断面”页输入横断面表，或不选“边桩”！"));
}

// Each edge's 设计高程 is the road surface's at its own offset, not the
// centre line's: on a level profile at 100.000, the left lane falls 2% over
// 3.75 m to 99.925 and its shoulder 4% over 0.75 m more to 99.895; the
// right lane 2% over 3.5 m to 99.930, its shoulder 4% over 1 m to 99.890.
void StakeoutEdgesTest::edgesTakeTheSurfaceHeight() {
  QVERIFY(window_->findChild<ProfilePage*>()->importProfile(
      write("p.csv", "BP,K1+000,100\nEP,K1+900,100\n")));
  QVERIFY(window_->findChild<SectionsPage*>()->importSections(write("s.csv", kSections)));
  const auto& rows = stakeOut();
  QCOMPARE(rows.size(), size_t{10});
  const char* expected[] = {"100.000", "99.925", "99.895", "99.930", "99.890"};
  for (size_t i = 0; i < 5; ++i) {
    QVERIFY2(rows[i].designElevation, rows[i].point.label.c_str());
    QCOMPARE(QString::fromStdString(FixedText(*rows[i].designElevation, 3)),
             QString::fromLatin1(expected[i]));
  }
}

// Pins an offset typed on the outer edge getting no height: parts 3.75, 1.8
// and 0.6 a side sum to 6.1499999999999995 in doubles. At −2, −2 and −4 %
// the edge lies 0.135 below a level profile at 102.
void StakeoutEdgesTest::anOffsetTypedOnTheOuterEdgeHasItsHeight() {
  QVERIFY(window_->findChild<ProfilePage*>()->importProfile(
      write("p.csv", "BP,K1+000,102\nEP,K1+900,102\n")));
  QVERIFY(window_->findChild<SectionsPage*>()->importSections(
      write("s.csv",
            "桩号,左行车道宽,左行车道坡,左硬路肩宽,左硬路肩坡,左土路肩宽,左土路肩坡,"
            "右行车道宽,右行车道坡,右硬路肩宽,右硬路肩坡,右土路肩宽,右土路肩坡\n"
            "K1+000,3.75,-2,1.8,-2,0.6,-4,3.75,-2,1.8,-2,0.6,-4\n")));
  stakeOut(false);
  Box(window_, "offsetsEdit")->setText(QStringLiteral("-6.15, 6.15"));
  runJob("stakeoutButton");
  const auto& rows = stakeoutRows();
  QCOMPARE(rows.size(), size_t{4});
  for (const StakeRow& row : rows) {
    QVERIFY2(row.designElevation, QByteArray::number(row.point.offset).constData());
    QCOMPARE(QString::fromStdString(FixedText(*row.designElevation, 3)), QStringLiteral("101.865"));
  }
}

// Pins the 边桩 rows that stayed, at the old widths, when the 横断面 table
// they were computed from was edited; rows computed without it stay.
void StakeoutEdgesTest::editedSectionsDropTheirRows_data() {
  QTest::addColumn<bool>("edges");
  QTest::addColumn<int>("rowsAfter");
  QTest::newRow("withEdges") << true << 0;
  QTest::newRow("centreOnly") << false << 2;
}

void StakeoutEdgesTest::editedSectionsDropTheirRows() {
  QFETCH(bool, edges);
  QFETCH(int, rowsAfter);
  QVERIFY(window_->findChild<SectionsPage*>()->importSections(write(
      "s.csv", "桩号,左行车道宽,左行车道坡,右行车道宽,右行车道坡\nK1+000,3.75,-2,3.75,-2\n")));
  QCOMPARE(stakeOut(edges).size(), size_t(edges ? 6 : 2));
  auto* sections = child<QTableView>("sectionTable")->model();
  QVERIFY(sections->setData(sections->index(0, 1), QStringLiteral("4")));
  QCOMPARE(child<QTableView>("stakeoutTable")->model()->rowCount(), rowsAfter);
}

void StakeoutEdgesTest::savedAsTheCommandWritesThem_data() {
  QTest::addColumn<int>("names");            // 点名: 0 按桩号, 1 序号
  QTest::addColumn<QByteArray>("stations");  // a stations file, or none for a range
  QTest::newRow("RangeByStation") << 0 << QByteArray();
  QTest::newRow("RangeSerial") << 1 << QByteArray();
  QTest::newRow("StationsFile") << 0 << QByteArray("S1,K1+005\n,1020\nS3,1020,-3\n");
}

// Pins the window's 边桩 numbered on (2, 3 …) where the command names them
// by station and side: the window's saved CSV and .dat are the bytes
// `forward -o` writes of the same stakeout, 边桩, heights across a
// transition, a row beyond the road and key points included.
void StakeoutEdgesTest::savedAsTheCommandWritesThem() {
#ifdef TARNVEL_ROUTE_COMMAND
  QFETCH(int, names);
  QFETCH(QByteArray, stations);
  const QString profile = write("p.csv", "BP,K1+000,100\nEP,K1+900,109\n");
  const QString sections = write("s.csv", kSections + "K1+040,3.75,2,0.75,-4,3.5,-4,1,-4\n");
  const QString list = write("stations.csv", stations);
  QVERIFY(window_->findChild<ProfilePage*>()->importProfile(profile));
  QVERIFY(window_->findChild<SectionsPage*>()->importSections(sections));
  window_->findChild<QCheckBox*>(QStringLiteral("edgesCheck"))->setChecked(true);
  window_->findChild<QComboBox*>(QStringLiteral("namesCombo"))->setCurrentIndex(names);
  Box(window_, "offsetsEdit")->setText(QStringLiteral("0, 10"));
  QStringList arguments{"forward",   kRoad,   "--offset",   "0",      "--offset", "10",
                        "--profile", profile, "--sections", sections, "--edges"};
  if (stations.isEmpty()) {
    Box(window_, "fromEdit")->setText(QStringLiteral("1000"));
    Box(window_, "toEdit")->setText(QStringLiteral("1040"));
    Box(window_, "stepEdit")->setText(QStringLiteral("20"));
    Click(window_, "stakeoutButton");
    arguments << "--from"
              << "1000"
              << "--to"
              << "1040"
              << "--step"
              << "20"
              << "--key-points";
    if (names == 1)
      arguments << "--names"
                << "serial";
  } else {
    dialogs_.answers << list;
    Click(window_, "stationsButton");
    arguments << "--stations" << list;
  }
  waitForJob();
  QVERIFY2(boxes_.shown.isEmpty(), qPrintable(firstMessage()));
  for (const QString& suffix : {QStringLiteral(".csv"), QStringLiteral(".dat")}) {
    const QString saved = dir_.filePath(QStringLiteral("window") + suffix);
    const QString written = dir_.filePath(QStringLiteral("command") + suffix);
    dialogs_.answers << saved;
    runJob(suffix == QStringLiteral(".csv") ? "saveStakeoutButton" : "saveDatButton");
    QProcess command;
    command.start(QStringLiteral(TARNVEL_ROUTE_COMMAND), QStringList(arguments) << "-o" << written);
    QVERIFY(command.waitForFinished());
    QVERIFY2(command.exitCode() == 0, command.readAllStandardError().constData());
    QCOMPARE(ReadBytes(saved), ReadBytes(written));
  }
#else
  QSKIP("built without tarnvel-route");
#endif
}

QTEST_MAIN(StakeoutEdgesTest)
#include "stakeout_edges_test.moc"
