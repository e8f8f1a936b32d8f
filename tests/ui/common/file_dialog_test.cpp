// The name a save dialog gives the file for the type the user chose.
#include "file_dialog.h"

#include <QtTest>

using namespace tarnvel;

class FileDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void nameGetsTheTypesSuffix_data();
  void nameGetsTheTypesSuffix();
};

void FileDialogTest::nameGetsTheTypesSuffix_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("type");
  QTest::addColumn<QString>("named");
  const QString csv = QStringLiteral("表(*.csv)");
  const QString several = QStringLiteral("表(*.txt *.csv *.dat)");
  QTest::newRow("bare") << "/d/pts" << csv << "/d/pts.csv";
  QTest::newRow("own_suffix") << "/d/pts.csv" << csv << "/d/pts.csv";
  QTest::newRow("own_suffix_upper_case") << "/d/pts.CSV" << csv << "/d/pts.CSV";
  QTest::newRow("other_suffix") << "/d/pts.txt" << csv << "/d/pts.txt.csv";
  QTest::newRow("station_with_decimals") << "/d/K1+100.5" << csv << "/d/K1+100.5.csv";
  QTest::newRow("trailing_dot") << "/d/pts." << csv << "/d/pts.csv";
  QTest::newRow("dotted_folder") << "/d/v1.2/pts" << csv << "/d/v1.2/pts.csv";
  QTest::newRow("several_bare_takes_first") << "/d/road" << several << "/d/road.txt";
  QTest::newRow("several_last_kept") << "/d/road.dat" << several << "/d/road.dat";
  QTest::newRow("any_name_type") << "/d/road"
                                 << "所有文件(*.*)"
                                 << "/d/road";
  QTest::newRow("star_type") << "/d/road"
                             << "所有文件(*)"
                             << "/d/road";
  QTest::newRow("no_patterns") << "/d/road"
                               << "表"
                               << "/d/road";
}

void FileDialogTest::nameGetsTheTypesSuffix() {
  QFETCH(QString, typed);
  QFETCH(QString, type);
  QFETCH(QString, named);
  QCOMPARE(WithTypeSuffix(typed, type), named);
}

QTEST_MAIN(FileDialogTest)
#include "file_dialog_test.moc"
