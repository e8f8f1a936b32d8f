// 批量反算 with the side slopes: a point beyond the road's edge on the slope
// road (slope_road.h) gets the slope's 设计高程 and its 距坡脚坡口, as
// `inverse --slopes` gives them, in the table and its CSV, until the ground
// or the slopes change; without the slopes the columns are those of
// `inverse --sections`.
#include <QPlainTextEdit>
#include <QTableView>
#include <QtTest>

#include "fake_page_host.h"
#include "test_files.h"
#include "ui/route/inverse/inverse_page.h"
#include "window_test_support.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

class InverseSlopesTest : public QObject {
  Q_OBJECT

 private slots:
  void pointsOnTheSlope_data();
  void pointsOnTheSlope();
};

void InverseSlopesTest::pointsOnTheSlope_data() {
  QTest::addColumn<int>("loaded");        // 0 slopes and ground, 1 slopes only, 2 neither
  QTest::addColumn<QStringList>("rows");  // the header, then each row, from 设计高程 on
  // P1 at R9 lies on the fill's 1:2 at 98.500 and its 97.2 is reached 2.6 m
  // out; P2 at L7 on the cut at 100.200, its 101.4 reached at L8.2; P4 at
  // R12 on the fill at 97.000, its 98 reached at R10.
  QTest::newRow("SlopesAndGround")
      << 0
      << QStringList{"设计高程,高差,挖填,距坡脚坡口,说明", "98.500,-1.300,填,2.600,向外",
                     "100.200,1.200,挖,1.200,向外", "99.000,,,,该点没有H",
                     "97.000,1.000,挖,-2.000,向内"};
  QTest::newRow("SlopesOnly") << 1
                              << QStringList{"设计高程,高差,挖填,距坡脚坡口,说明",
                                             "98.500,-1.300,填,2.600,向外",
                                             "100.200,1.200,挖,1.200,向外", ",,,,该点没有H",
                                             "97.000,1.000,挖,-2.000,向内"};
  QTest::newRow("NoSlopes") << 2
                            << QStringList{"设计高程,高差,挖填,说明", ",,,超出路基范围",
                                           ",,,超出路基范围", ",,,超出路基范围", ",,,超出路基范围"};
}

void InverseSlopesTest::pointsOnTheSlope() {
  QFETCH(int, loaded);
  QFETCH(QStringList, rows);
  SlopeRoadPage<InversePage> on;
  if (loaded > 0) on.document.setGround(nullptr);
  if (loaded > 1) on.document.setSlopes(nullptr);
  on.child<QPlainTextEdit>("pointsEdit")
      ->setPlainText(QStringLiteral("P1,1100,2009,97.2\nP2,1100,1993,101.4\nP3,1100,2008\n"
                                    "P4,1100,2012,98\n"));
  Click(&on.page, "pasteButton");
  QVERIFY2(on.host.messages.isEmpty(), qPrintable(on.host.messages.join(u'\n')));
  const QAbstractItemModel* table = on.child<QTableView>("inverseTable")->model();
  QStringList shown;
  for (int row = -1; row < table->rowCount(); ++row) {
    QStringList cells;
    for (int column = 7; column < table->columnCount(); ++column)
      cells << (row < 0 ? table->headerData(column, Qt::Horizontal)
                        : table->index(row, column).data())
                   .toString();
    shown << cells.join(u',');
  }
  QCOMPARE(shown, rows);
  // The CSV has 里程 besides: its rows end as the table's.
  QTemporaryDir dir;
  on.host.answers << dir.filePath(QStringLiteral("inverse.csv"));
  Click(&on.page, "saveInverseButton");
  const QStringList saved =
      QString::fromUtf8(ReadBytes(dir.filePath(QStringLiteral("inverse.csv"))))
          .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  QCOMPARE(saved.size(), rows.size());
  for (qsizetype i = 0; i < rows.size(); ++i)
    QVERIFY2(saved[i].endsWith(u',' + rows[i]),
             qPrintable(saved[i] + QStringLiteral(" | ") + rows[i]));
  // Rows that met the ground go with it, and rows on the slope with the slopes.
  on.document.setGround(std::make_shared<const SurveyedGround>(on.road.ground));
  QCOMPARE(table->rowCount() == 0, loaded == 0);
  on.document.setSlopes(std::make_shared<const SideSlopes>(on.road.slopes));
  QCOMPARE(table->rowCount() == 0, loaded < 2);
}

QTEST_MAIN(InverseSlopesTest)
#include "inverse_slopes_test.moc"
