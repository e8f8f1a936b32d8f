// The 土方 tab: its table saved as the command writes it, and cleared with
// what it was computed from.
#include "ui/route/earthworks/earthworks_page.h"

#include <QCheckBox>
#include <QProcess>
#include <QTableView>
#include <QtTest>

#include "route_window_fixture.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

class EarthworksPageTest : public RouteWindowFixture {
  Q_OBJECT

 private slots:
  void init() {
    openWindow();
    QVERIFY(loadEarthworks());
  }
  void cleanup() { closeWindow(); }
  void savedAsTheCommandWritesThem_data();
  void savedAsTheCommandWritesThem();
  void aNewInputClearsTheTable_data();
  void aNewInputClearsTheTable();

 private:
  int rows() { return child<QTableView>("volumeTable")->model()->rowCount(); }
  void computeRange() {
    Box(window_, "volumeFromEdit")->setText(QStringLiteral("K1+080"));
    Box(window_, "volumeToEdit")->setText(QStringLiteral("K1+160"));
    Box(window_, "volumeStepEdit")->setText(QStringLiteral("20"));
    runJob("volumeButton");
  }
};

// Stations before, on and past the fixture's surveyed ground, so that rows
// without areas and stretches left out are in the bytes too.
void EarthworksPageTest::savedAsTheCommandWritesThem_data() {
  QTest::addColumn<QByteArray>("stations");  // empty: the range
  QTest::addColumn<bool>("keyPoints");
  QTest::addColumn<bool>("corrected");
  QTest::addColumn<QString>("type");
  QTest::newRow("RangeUtf8") << QByteArray() << false << false << kCsvUtf8Type;
  QTest::newRow("RangeKeyPointsCorrectedGbk") << QByteArray() << true << true << kCsvGbkType;
  QTest::newRow("StationsFile") << QByteArray("A,K1+090\nB,K1+100,5\nC,K1+133.3\nD,K1+140\n")
                                << false << false << kCsvUtf8Type;
}

void EarthworksPageTest::savedAsTheCommandWritesThem() {
  QFETCH(QByteArray, stations);
  QFETCH(bool, keyPoints);
  QFETCH(bool, corrected);
  QFETCH(QString, type);
#ifdef TARNVEL_ROUTE_COMMAND
  QStringList arguments{QStringLiteral("earthworks"),
                        kRoad,
                        "--profile",
                        dir_.filePath("p.csv"),
                        "--sections",
                        dir_.filePath("s.csv"),
                        "--ground",
                        dir_.filePath("g.txt"),
                        "--slopes",
                        dir_.filePath("b.csv")};
  child<QCheckBox>("volumeKeyPointsCheck")->setChecked(keyPoints);
  child<QCheckBox>("curvatureCheck")->setChecked(corrected);
  if (corrected) arguments << "--curvature-correction";
  if (type == kCsvGbkType)
    arguments << "--encoding"
              << "gbk";
  if (stations.isEmpty()) {
    computeRange();
    arguments << "--from"
              << "K1+080"
              << "--to"
              << "K1+160"
              << "--step"
              << "20";
    if (keyPoints) arguments << "--key-points";
  } else {
    const QString list = write("stations.csv", stations);
    dialogs_.answers << list;
    runJob("volumeStationsButton");
    arguments << "--stations" << list;
  }
  QVERIFY2(rows() > 0, qPrintable(firstMessage()));
  const QString saved = dir_.filePath(QStringLiteral("window.csv"));
  const QString written = dir_.filePath(QStringLiteral("command.csv"));
  dialogs_.answers << saved;
  dialogs_.answerTypes << type;
  runJob("saveVolumeButton");
  QProcess command;
  command.start(QStringLiteral(TARNVEL_ROUTE_COMMAND), arguments << "-o" << written);
  QVERIFY(command.waitForFinished());
  QVERIFY2(command.exitCode() == 0, command.readAllStandardError().constData());
  QCOMPARE(ReadBytes(saved), ReadBytes(written));
#else
  QSKIP("built without tarnvel-route");
#endif
}

// Every row has areas from all four: a new one of any clears them (the
// slopes' changed, as the same slopes are not handed over again).
void EarthworksPageTest::aNewInputClearsTheTable_data() {
  QTest::addColumn<int>("input");
  QTest::newRow("Slopes") << 0;
  QTest::newRow("Ground") << 1;
  QTest::newRow("Profile") << 2;
  QTest::newRow("Sections") << 3;
}

void EarthworksPageTest::aNewInputClearsTheTable() {
  QFETCH(int, input);
  computeRange();
  QVERIFY2(rows() > 0, qPrintable(firstMessage()));
  const bool read =
      input == 0
          ? page<SlopesPage>()->importSlopes(write(
                "b2.csv", *EncodeGbk(QString(kFillAndCut).replace(",填,,,,,2", ",填,,,,,1.5"))))
      : input == 1 ? page<SlopesPage>()->importGround(write("g2.txt", kRisingGround))
      : input == 2 ? page<ProfilePage>()->importProfile(write("p2.csv", kLevelProfile))
                   : page<SectionsPage>()->importSections(write("s2.csv", kLevelRoad));
  QVERIFY(read);
  QCOMPARE(rows(), 0);
}

QTEST_MAIN(EarthworksPageTest)
#include "earthworks_page_test.moc"
