// The 横断面 page: a cross-section file in, its columns and rows shown and
// its section drawn; a refused file and a cell typed wrong named.
#include "ui/route/sections/sections_page.h"

#include <QAbstractItemModel>
#include <QClipboard>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "fakes.h"
#include "io/profile/profile_file.h"
#include "test_files.h"
#include "ui/common/file_dialog.h"
#include "ui/route/common/route_document.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

class SectionsPageTest : public QObject {
  Q_OBJECT

 private slots:
  void importShowsTheColumnsAndRows();
  void aRefusedFileIsShown();
  void aBadCellIsNamed_data();
  void aBadCellIsNamed();
  void aDesignLineOnTheEdgeIsOnTheRoad_data();
  void aDesignLineOnTheEdgeIsOnTheRoad();
  void theDrawingHoldsThePartsAndEdgeElevations();
  void pasteWithItsHeaderIsTheTable_data();
  void pasteWithItsHeaderIsTheTable();
  void pastedRowsFillFromTheCurrentCell();

 private:
  QString write(const QString& name, const QByteArray& bytes) {
    return WriteBytes(dir_.filePath(name), bytes);
  }
  QStringList labels(SectionsPage& page) {
    QStringList texts;
    auto* view = page.findChild<QGraphicsView*>(QStringLiteral("sectionView"));
    for (QGraphicsItem* item : view->scene()->items())
      if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item)) texts << text->text();
    return texts;
  }

  QTemporaryDir dir_;
  FakeMessageBoxes boxes_;
  FakeFileDialogs dialogs_;
  WindowFileDialogs files_{dialogs_};
  RouteDocument document_;
};

// A crown of lanes and 土路肩, turning to one-way 超高 over 50 m.
const QByteArray kSections(
    "桩号,左行车道宽,左行车道坡,左土路肩宽,左土路肩坡,右行车道宽,右行车道坡,右土路肩宽,右土路肩坡\n"
    "K0+100,3.75,-2,0.75,-4,3.75,-2,0.75,-4\n"
    "K0+150,3.75,4,0.75,4,3.75,-4,0.75,-4\n");

void SectionsPageTest::importShowsTheColumnsAndRows() {
  SectionsPage page(document_, boxes_, files_);
  QVERIFY(page.importSections(write(QStringLiteral("s.csv"), kSections)));
  QVERIFY(page.sections());
  auto* rows = page.findChild<QTableView*>(QStringLiteral("sectionTable"))->model();
  QCOMPARE(rows->rowCount(), 2);
  QCOMPARE(rows->columnCount(), 9);
  QCOMPARE(rows->headerData(3, Qt::Horizontal).toString(), QStringLiteral("左土路肩宽"));
  QCOMPARE(rows->index(1, 0).data().toString(), QStringLiteral("K0+150.000"));
  QCOMPARE(rows->index(1, 6).data().toString(), QStringLiteral("-4"));
}

void SectionsPageTest::aRefusedFileIsShown() {
  SectionsPage page(document_, boxes_, files_);
  boxes_.shown.clear();
  const QString path = write(QStringLiteral("bad.csv"), "K0+100,3.75,-2\n");
  QVERIFY(!page.importSections(path));
  QVERIFY(!page.sections());
  QCOMPARE(boxes_.shown.size(), 1);
  QCOMPARE(boxes_.shown[0].text,
           QStringLiteral("文件“%1”第1行：缺少标题行，第1列应为“桩号”，而不是“K0+100”！")
               .arg(QDir::toNativeSeparators(path)));
}

void SectionsPageTest::aBadCellIsNamed_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("problem");
  QTest::newRow("notANumber") << 1 << 2 << QStringLiteral("4B")
                              << QStringLiteral("第2行“左行车道坡”不是有效的数字！");
  QTest::newRow("negativeWidth") << 0 << 7 << QStringLiteral("-0.75")
                                 << QStringLiteral("第1行“右土路肩宽”为负数，宽度不能为负数！");
  QTest::newRow("stationNotIncreasing")
      << 1 << 0 << QStringLiteral("K0+100")
      << QStringLiteral("第2行“桩号”不大于第1行的桩号，桩号必须递增！");
}

void SectionsPageTest::aBadCellIsNamed() {
  QFETCH(int, row);
  QFETCH(int, column);
  QFETCH(QString, text);
  QFETCH(QString, problem);
  SectionsPage page(document_, boxes_, files_);
  QVERIFY(page.importSections(write(QStringLiteral("s.csv"), kSections)));
  auto* rows = page.findChild<QTableView*>(QStringLiteral("sectionTable"))->model();
  rows->setData(rows->index(row, column), text);
  QVERIFY(!page.sections());
  QCOMPARE(page.findChild<QLabel*>(QStringLiteral("problemLabel"))->text(), problem);
  // The cell at fault is marked, not its row.
  QCOMPARE(rows->index(row, column).data(Qt::ToolTipRole).toString(), problem);
  QVERIFY(!rows->index(row, column == 0 ? 1 : 0).data(Qt::BackgroundRole).isValid());
}

// The table took a design line a hair past the road's edge as off the road,
// where the file and the README take it, within the position tolerance, as
// on the edge.
void SectionsPageTest::aDesignLineOnTheEdgeIsOnTheRoad_data() {
  QTest::addColumn<QString>("offset");
  QTest::addColumn<QString>("problem");
  QTest::newRow("withinTolerance") << QStringLiteral("-4.5015") << QString();
  QTest::newRow("beyondTolerance")
      << QStringLiteral("-4.503") << QStringLiteral("第1行“设计线偏距”超出左侧路基宽度4.500 m！");
}

void SectionsPageTest::aDesignLineOnTheEdgeIsOnTheRoad() {
  QFETCH(QString, offset);
  QFETCH(QString, problem);
  SectionsPage page(document_, boxes_, files_);
  QVERIFY(page.importSections(
      write(QStringLiteral("s.csv"),
            "桩号,左行车道宽,左行车道坡,左土路肩宽,左土路肩坡,右行车道宽,右行车道坡,设计线偏距\n"
            "K0+100,3.75,-2,0.75,-4,3.75,-2,0\n")));
  auto* rows = page.findChild<QTableView*>(QStringLiteral("sectionTable"))->model();
  rows->setData(rows->index(0, 7), offset);
  QCOMPARE(page.sections() != nullptr, problem.isEmpty());
  QCOMPARE(page.findChild<QLabel*>(QStringLiteral("problemLabel"))->text(), problem);
}

// Two fifths into the transition, on a level grade at 100 m: the left lane
// at +0.4 % rises 0.015 m, its 土路肩 at -0.8 % falls 0.006 m; the right
// lane falls 2.8 % over 3.75 m and its 土路肩 4 % over 0.75 m.
void SectionsPageTest::theDrawingHoldsThePartsAndEdgeElevations() {
  RouteDocument document;  // its profile stays its own
  SectionsPage page(document, boxes_, files_);
  QVERIFY(page.importSections(write(QStringLiteral("s.csv"), kSections)));
  const auto profile = ReadProfileFile(write(QStringLiteral("p.csv"), "BP,0,100\nEP,1000,100\n"));
  document.setProfile(std::make_shared<const VerticalProfile>(std::get<VerticalProfile>(profile)));
  auto* station = page.findChild<QLineEdit*>(QStringLiteral("stationEdit"));
  station->setText(QStringLiteral("K0+120"));
  emit station->editingFinished();
  const QStringList texts = labels(page);
  QCOMPARE(texts.count(QStringLiteral("行车道")), 2);
  QCOMPARE(texts.count(QStringLiteral("土路肩")), 2);
  for (const char* expected :
       {"0.40%\n3.750m", "-0.80%\n0.750m", "-2.80%\n3.750m", "-4.00%\n0.750m", "100.015", "100.009",
        "99.895", "99.865", "中线 K0+120.000", "设计线 100.000"})
    QVERIFY2(texts.contains(QString::fromUtf8(expected)), expected);
}

// A 路基设计表 as a spreadsheet copies it, tabs apart and CR LF ended, with
// its header row: the header makes the columns; a wrong one is named.
void SectionsPageTest::pasteWithItsHeaderIsTheTable_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("columns");
  QTest::addColumn<QString>("message");
  QTest::newRow("threeParts")
      << QStringLiteral(
             "桩号\t左行车道宽\t左行车道坡\t左硬路肩宽\t左硬路肩坡\t右行车道宽\t右行车道坡\r\n"
             "K1+000\t3.75\t-2\t2.5\t-2\t3.75\t-2\r\n"
             "K1+050\t3.75\t2\t2.5\t2\t3.75\t-2\r\n")
      << 7 << QString();
  QTest::newRow("slopeWithoutWidth")
      << QStringLiteral("桩号\t左行车道坡\r\nK1+000\t-2\r\n") << 9
      << QStringLiteral("粘贴的横断面表第1行第2列“左行车道坡”前面不是与之成对的“左行车道宽”！");
}

void SectionsPageTest::pasteWithItsHeaderIsTheTable() {
  QFETCH(QString, text);
  QFETCH(int, columns);
  QFETCH(QString, message);
  SectionsPage page(document_, boxes_, files_);
  boxes_.shown.clear();
  QGuiApplication::clipboard()->setText(text);
  page.findChild<QPushButton*>(QStringLiteral("pasteSectionsButton"))->click();
  auto* rows = page.findChild<QTableView*>(QStringLiteral("sectionTable"))->model();
  QCOMPARE(rows->columnCount(), columns);
  if (message.isEmpty()) {
    QVERIFY(boxes_.shown.isEmpty());
    QVERIFY(page.sections());
    QCOMPARE(rows->index(1, 0).data().toString(), QStringLiteral("K1+050.000"));
    QCOMPARE(page.findChild<QLineEdit*>(QStringLiteral("stationEdit"))->text(),
             QStringLiteral("K1+000.000"));
  } else {
    QCOMPARE(boxes_.shown.size(), 1);
    QCOMPARE(boxes_.shown[0].text, message);
  }
}

// Rows copied without a header go in from the current cell on, the table
// growing to hold them.
void SectionsPageTest::pastedRowsFillFromTheCurrentCell() {
  SectionsPage page(document_, boxes_, files_);
  QVERIFY(page.importSections(write(QStringLiteral("s.csv"), kSections)));
  auto* table = page.findChild<QTableView*>(QStringLiteral("sectionTable"));
  table->setCurrentIndex(table->model()->index(1, 0));
  QGuiApplication::clipboard()->setText(
      QStringLiteral("K0+150\t3.75\t4\r\nK0+200\t3.75\t4\t0.75\t4\t3.75\t-4\t0.75\t-4\r\n"));
  page.findChild<QPushButton*>(QStringLiteral("pasteSectionsButton"))->click();
  QCOMPARE(table->model()->rowCount(), 3);
  QCOMPARE(table->model()->index(1, 3).data().toString(), QStringLiteral("0.75"));
  QCOMPARE(table->model()->index(2, 0).data().toString(), QStringLiteral("K0+200"));
  QVERIFY(page.sections());
  QCOMPARE(page.sections()->stations.size(), 3u);
}

QTEST_MAIN(SectionsPageTest)
#include "sections_page_test.moc"
