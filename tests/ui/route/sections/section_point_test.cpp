// A point of 批量反算 seen on its cross section: the 横断面 tab at the
// point's station, the point marked at its offset and H with its name and
// the 高差 the inverse table gives it, or why it has none; a point belongs to
// its station only.
#include <QGraphicsEllipseItem>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>

#include "route_window_fixture.h"
#include "ui/route/profile/profile_page.h"
#include "ui/route/sections/sections_page.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

namespace {

// A 1% grade from 100.000 at K1+000; lanes at −2%, 土路肩 at −4%, 4.5 m
// wide on each side.
const QByteArray kProfile("BP,K1+000,100\nEP,K1+900,109\n");
const QByteArray kSections(
    "桩号,左行车道宽,左行车道坡,左土路肩宽,左土路肩坡,右行车道宽,右行车道坡,右土路肩宽,右土路肩坡\n"
    "K1+000,3.75,-2,0.75,-4,3.75,-2,0.75,-4\n");
// The first element runs straight at 60° from K1+000 (3378605.445,
// 453648.704). OnRoad is 2 m right of K1+010, where the lane is at
// 100.100 − 0.040; Beyond is 6 m left of K1+030, 1.5 m past the 土路肩.
const QString kPoints = QStringLiteral(
    "OnRoad,3378608.7129,453658.3643,99.9\n"
    "Beyond,3378625.6412,453671.6848,100.5\n");

}  // namespace

class SectionPointTest : public RouteWindowFixture {
  Q_OBJECT

 private slots:
  void init();
  void cleanup() { closeWindow(); }
  void aPointIsShownOnItsSection_data();
  void aPointIsShownOnItsSection();
  void thePointBelongsToItsStation_data();
  void thePointBelongsToItsStation();
  void tableAndCsvSayWhichIsBeyondTheRoad();

 private:
  void choose(int row) {
    auto* table = child<QTableView>("inverseTable");
    table->setCurrentIndex(table->model()->index(row, 0));
    Click(window_, "showOnSectionButton");
  }
  QGraphicsScene& scene() {
    return *window_->findChild<QGraphicsView*>(QStringLiteral("sectionView"))->scene();
  }
  QStringList texts() {
    QStringList found;
    for (QGraphicsItem* item : scene().items())
      if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item)) found << text->text();
    return found;
  }
  QList<QGraphicsEllipseItem*> markers() {
    QList<QGraphicsEllipseItem*> found;
    for (QGraphicsItem* item : scene().items())
      if (auto* marker = dynamic_cast<QGraphicsEllipseItem*>(item)) found << marker;
    return found;
  }

  SectionsPage* sections_ = nullptr;
};

void SectionPointTest::init() {
  openWindow();
  window_->resize(1360, 800);
  import(kRoad);
  sections_ = window_->findChild<SectionsPage*>();
  QVERIFY(window_->findChild<ProfilePage*>()->importProfile(write("p.csv", kProfile)));
  QVERIFY(sections_->importSections(write("s.csv", kSections)));
  window_->findChild<QPlainTextEdit*>(QStringLiteral("pointsEdit"))->setPlainText(kPoints);
  runJob("pasteButton");
  QVERIFY2(boxes_.shown.isEmpty(), qPrintable(firstMessage()));
}

// The marker's place in the scene: across at the offset, up at (H − the
// centre line's surface) × the exaggeration of 10. OnRoad is 0.160 below
// its lane, 0.200 below the centre line; Beyond is 0.200 above it.
void SectionPointTest::aPointIsShownOnItsSection_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("station");
  QTest::addColumn<QString>("note");
  QTest::addColumn<QPointF>("at");
  QTest::newRow("onTheSurface") << 0 << QStringLiteral("OnRoad") << QStringLiteral("K1+010.000")
                                << QStringLiteral("高差 -0.160 填") << QPointF(2, 2);
  QTest::newRow("beyondTheEdge") << 1 << QStringLiteral("Beyond") << QStringLiteral("K1+030.000")
                                 << QStringLiteral("无高差：超出路基范围") << QPointF(-6, -2);
}

void SectionPointTest::aPointIsShownOnItsSection() {
  QFETCH(int, row);
  QFETCH(QString, name);
  QFETCH(QString, station);
  QFETCH(QString, note);
  QFETCH(QPointF, at);
  choose(row);
  QVERIFY2(boxes_.shown.isEmpty(), qPrintable(firstMessage()));
  QCOMPARE(window_->findChild<QTabWidget*>(QStringLiteral("tabs"))->currentWidget(), sections_);
  QCOMPARE(Box(sections_, "stationEdit")->text(), station);
  const QStringList shown = texts();
  QVERIFY2(shown.contains(name + QStringLiteral("  ") + note), qPrintable(shown.join(u'|')));
  QVERIFY(shown.contains(QStringLiteral("中线 ") + station));
  QCOMPARE(markers().size(), 1);
  const QPointF marker = markers().front()->pos();
  QVERIFY2(QLineF(marker, at).length() < 1e-3,
           qPrintable(QStringLiteral("%1,%2").arg(marker.x()).arg(marker.y())));
}

// The point goes with any other station, table or profile; the same
// station confirmed as the field shows it keeps it.
void SectionPointTest::thePointBelongsToItsStation_data() {
  QTest::addColumn<QString>("change");
  QTest::addColumn<bool>("kept");
  QTest::newRow("sameStationConfirmed") << QStringLiteral("K1+010.000") << true;
  QTest::newRow("otherStationTyped") << QStringLiteral("K1+020") << false;
  QTest::newRow("sectionsReloaded") << QStringLiteral("sections") << false;
  QTest::newRow("profileReloaded") << QStringLiteral("profile") << false;
}

void SectionPointTest::thePointBelongsToItsStation() {
  QFETCH(QString, change);
  QFETCH(bool, kept);
  choose(0);
  QCOMPARE(markers().size(), 1);
  if (change == QStringLiteral("sections")) {
    QVERIFY(sections_->importSections(write("s.csv", kSections)));
  } else if (change == QStringLiteral("profile")) {
    QVERIFY(window_->findChild<ProfilePage*>()->importProfile(write("p.csv", kProfile)));
  } else {
    QLineEdit* station = Box(sections_, "stationEdit");
    station->setText(change);
    emit station->editingFinished();
  }
  QCOMPARE(markers().size(), kept ? 1 : 0);
  QCOMPARE(texts().contains(QStringLiteral("OnRoad  高差 -0.160 填")), kept);
}

// Pins the window's 批量反算 that dropped 说明: inverse --sections writes
// 超出路基范围 there, the window's table and CSV had no such column.
void SectionPointTest::tableAndCsvSayWhichIsBeyondTheRoad() {
  auto* rows = child<QTableView>("inverseTable")->model();
  const int note = rows->columnCount() - 1;
  QCOMPARE(rows->headerData(note, Qt::Horizontal).toString(), QStringLiteral("说明"));
  QCOMPARE(rows->index(0, note).data().toString(), QString());
  QCOMPARE(rows->index(1, note).data().toString(), QStringLiteral("超出路基范围"));
  const QString path = dir_.filePath(QStringLiteral("inverse.csv"));
  dialogs_.answers << path;
  runJob("saveInverseButton");
  const QString text = QString::fromUtf8(ReadBytes(path));
  QVERIFY2(text.contains(QStringLiteral("挖填,说明\r\n"
                                        "OnRoad,3378608.7129,453658.3643,K1+010.000,1010.000,2.000,"
                                        "1,1/1,100.060,-0.160,填,\r\n"
                                        "Beyond,3378625.6412,453671.6848,K1+030.000,1030.000,"
                                        "-6.000,1,1/1,,,,超出路基范围\r\n")),
           qPrintable(text));
}

QTEST_MAIN(SectionPointTest)
#include "section_point_test.moc"
