// The 边坡 page: the side slope table read, marked, saved and handed to the
// route document, which clears the rows computed with it.
#include <QDir>
#include <QLabel>
#include <QTableView>
#include <QtTest>

#include "route_window_fixture.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

class SlopesPageTest : public RouteWindowFixture {
  Q_OBJECT

 private slots:
  void init() {
    openWindow();
    QVERIFY(loadEarthworks());
  }
  void cleanup() { closeWindow(); }
  void aFaultyCellIsMarked_data();
  void aFaultyCellIsMarked();
  void savedAsImported();
  void aFailedSaveSaysSo();
  void editsClearTheRowsComputedWithTheSlopes_data();
  void editsClearTheRowsComputedWithTheSlopes();
  void groundThatNoLongerPlacesIsSetAside();

 private:
  QAbstractItemModel* slopes() { return child<QTableView>("slopeTable")->model(); }
};

void SlopesPageTest::aFaultyCellIsMarked_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("problem");
  QTest::newRow("RatioZero") << 0 << 7 << QStringLiteral("0")
                             << QStringLiteral("第1行“坡率1”的值“0”无效，坡率必须大于0！");
  QTest::newRow("SideWrong") << 1 << 1 << QStringLiteral("中")
                             << QStringLiteral("第2行“侧”的值“中”无效，应为“左”或“右”！");
  QTest::newRow("DitchOnFill")
      << 0 << 4 << QStringLiteral("0.6")
      << QStringLiteral("第1行“边沟深”的值“0.6”无效，填方没有边沟，边沟各列应为空或0！");
  QTest::newRow("NotANumber") << 1 << 9 << QStringLiteral("2m")
                              << QStringLiteral("第2行“平台1”不是有效的数字！");
}

// The cell at fault is marked, not its row, and the document holds no
// slopes meanwhile.
void SlopesPageTest::aFaultyCellIsMarked() {
  QFETCH(int, row);
  QFETCH(int, column);
  QFETCH(QString, text);
  QFETCH(QString, problem);
  QVERIFY(window_->document().slopes());
  slopes()->setData(slopes()->index(row, column), text);
  QVERIFY2(!window_->document().slopes(), qPrintable(text));
  QCOMPARE(child<QLabel>("slopeProblemLabel")->text(), problem);
  QCOMPARE(slopes()->index(row, column).data(Qt::ToolTipRole).toString(), problem);
  QVERIFY(!slopes()->index(row, column == 0 ? 1 : 0).data(Qt::BackgroundRole).isValid());
}

// The widest line ends at 坡率2, so the table shows 坡率3 to go on.
void SlopesPageTest::savedAsImported() {
  QCOMPARE(slopes()->columnCount(), 14);
  QCOMPARE(slopes()->headerData(13, Qt::Horizontal).toString(), QStringLiteral("坡率3"));
  const QString path = dir_.filePath(QStringLiteral("saved.csv"));
  dialogs_.answers << path;
  Click(window_, "saveSlopesButton");
  QCOMPARE(firstMessage(), QString());
  QCOMPARE(ReadBytes(path), slopeFileBytes());
}

void SlopesPageTest::aFailedSaveSaysSo() {
  QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("taken.csv")));
  const QString path = dir_.filePath(QStringLiteral("taken.csv"));
  dialogs_.answers << path;
  Click(window_, "saveSlopesButton");
  QCOMPARE(
      firstMessage(),
      QStringLiteral("无法保存文件“%1”：已有同名的文件夹！").arg(QDir::toNativeSeparators(path)));
}

// A slope edited takes the rows computed with the slopes; the same figure
// written otherwise, or a route edited elsewhere, leaves them, as the
// route's own edits leave every row.
void SlopesPageTest::editsClearTheRowsComputedWithTheSlopes_data() {
  QTest::addColumn<bool>("route");  // the edit is the 线元表's, else the slope table's
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("cleared");
  QTest::newRow("SlopeEdited") << false << QStringLiteral("2.5") << true;
  QTest::newRow("SameFigure") << false << QStringLiteral("2.0") << false;
  QTest::newRow("RouteNameEdited") << true << QStringLiteral("直线一") << false;
}

void SlopesPageTest::editsClearTheRowsComputedWithTheSlopes() {
  QFETCH(bool, route);
  QFETCH(QString, text);
  QFETCH(bool, cleared);
  bool gone = false;
  window_->document().addComputedRows([] { return unsigned{RouteDocument::kSlopes}; },
                                      [&] { gone = true; });
  if (route)
    elements()->setData(elements()->index(0, 8), text);
  else
    slopes()->setData(slopes()->index(0, 7), text);
  QVERIFY(window_->document().slopes());
  QVERIFY2(gone == cleared, qPrintable(text));
}

// Ground on a 长链's second branch places along a route that makes it, and
// is set aside, saying why, on one that does not; it comes back with it.
void SlopesPageTest::groundThatNoLongerPlacesIsSetAside() {
  const QString twice =
      write("twice.txt",
            "起点桩号K,止点桩号K,起点坐标X,起点坐标Y,起点方位角F,起点半径RQ,止点半径RN,"
            "曲线转向Q\n"
            "1000,1150,3378605.445,453648.704,60,0,0,0\n"
            "1100,1250,3378680.445,453778.608,60,0,0,0\n");
  import(twice);
  const QString path = write("g2.txt",
                             "BEGIN,K1+120\n-30,92.5\n30,107.5\n"
                             "BEGIN,K1+120_2\n-30,92.5\n30,107.5\n");
  QVERIFY(page<SlopesPage>()->importGround(path));
  auto* label = child<QLabel>("groundLabel");
  QCOMPARE(label->text(), QStringLiteral("地面线“g2.txt”：2个桩号"));
  import(kRoad);
  QVERIFY(!window_->document().ground());
  QCOMPARE(label->text(),
           QStringLiteral("地面线“g2.txt”不能沿当前线路定位，已停用：文件“%1”第4行的桩号“K1+120_2”"
                          "不在线路上，线路没有经过该桩号这么多次！")
               .arg(QDir::toNativeSeparators(path)));
  import(twice);
  QVERIFY(window_->document().ground());
  QCOMPARE(std::get<GroundLines>(*window_->document().ground()).lines[1].position, 170.0);
}

QTEST_MAIN(SlopesPageTest)
#include "slopes_page_test.moc"
