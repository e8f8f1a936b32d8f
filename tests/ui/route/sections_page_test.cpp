// The 横断面 page: a cross-section file in, its columns and rows shown and
// its section drawn; a refused file and a cell typed wrong named.
#include "sections_page.h"

#include <QAbstractItemModel>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "fakes.h"
#include "file_dialog.h"
#include "profile_file.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

class SectionsPageTest : public QObject {
  Q_OBJECT

 private slots:
  void importShowsTheColumnsAndRows();
  void aRefusedFileIsShown();
  void aBadCellIsNamed_data();
  void aBadCellIsNamed();
  void theDrawingHoldsThePartsAndEdgeElevations();

 private:
  QString write(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
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
};

// A crown of lanes and 土路肩, turning to one-way 超高 over 50 m.
const QByteArray kSections(
    "桩号,左行车道宽,左行车道坡,左土路肩宽,左土路肩坡,右行车道宽,右行车道坡,右土路肩宽,右土路肩坡\n"
    "K0+100,3.75,-2,0.75,-4,3.75,-2,0.75,-4\n"
    "K0+150,3.75,4,0.75,4,3.75,-4,0.75,-4\n");

void SectionsPageTest::importShowsTheColumnsAndRows() {
  SectionsPage page(boxes_, files_);
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
  SectionsPage page(boxes_, files_);
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
  SectionsPage page(boxes_, files_);
  QVERIFY(page.importSections(write(QStringLiteral("s.csv"), kSections)));
  auto* rows = page.findChild<QTableView*>(QStringLiteral("sectionTable"))->model();
  rows->setData(rows->index(row, column), text);
  QVERIFY(!page.sections());
  QCOMPARE(page.findChild<QLabel*>(QStringLiteral("problemLabel"))->text(), problem);
}

// Two fifths into the transition, on a level grade at 100 m: the left lane
// at +0.4 % rises 0.015 m, its 土路肩 at -0.8 % falls 0.006 m; the right
// lane falls 2.8 % over 3.75 m and its 土路肩 4 % over 0.75 m.
void SectionsPageTest::theDrawingHoldsThePartsAndEdgeElevations() {
  SectionsPage page(boxes_, files_);
  QVERIFY(page.importSections(write(QStringLiteral("s.csv"), kSections)));
  const auto profile = ReadProfileFile(write(QStringLiteral("p.csv"), "BP,0,100\nEP,1000,100\n"));
  page.setProfile(&std::get<VerticalProfile>(profile));
  auto* station = page.findChild<QLineEdit*>(QStringLiteral("stationEdit"));
  station->setText(QStringLiteral("K0+120"));
  emit station->editingFinished();
  const QStringList texts = labels(page);
  QCOMPARE(texts.count(QStringLiteral("行车道")), 2);
  QCOMPARE(texts.count(QStringLiteral("土路肩")), 2);
  for (const char* expected :
       {"0.40%  3.750m", "-0.80%  0.750m", "-2.80%  3.750m", "-4.00%  0.750m", "100.015", "100.009",
        "99.895", "99.865", "中线 K0+120.000", "设计线 100.000"})
    QVERIFY2(texts.contains(QString::fromUtf8(expected)), expected);
}

QTEST_MAIN(SectionsPageTest)
#include "sections_page_test.moc"
