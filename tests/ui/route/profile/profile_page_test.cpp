// The 纵断面 page: a profile file in, its 竖曲线表 shown; a cell typed wrong
// named; the table saved back to the bytes that read to the same profile.
#include "ui/route/profile/profile_page.h"

#include <QAbstractItemModel>
#include <QClipboard>
#include <QGraphicsPathItem>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "fakes.h"
#include "io/profile/profile_file.h"
#include "test_files.h"
#include "ui/route/common/route_document.h"
#include "ui/route/profile/profile_view.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

class ProfilePageTest : public QObject {
  Q_OBJECT

 private slots:
  void importShowsTheCurveTable();
  void aBadCellIsNamedAndTheProfileWithdrawn_data();
  void aBadCellIsNamedAndTheProfileWithdrawn();
  void savesWhatReadsBack();
  void circleDrawnBetweenItsTrueEnds();
  void landXmlImportKeepsTheCircle();
  void pastedTableLeavesItsHeaderOut();

 private:
  QString write(const QByteArray& bytes) {
    return WriteBytes(dir_.filePath(QStringLiteral("p.csv")), bytes);
  }

  QTemporaryDir dir_;
  FakeMessageBoxes boxes_;
  FakeFileDialogs dialogs_;
  WindowFileDialogs files_{dialogs_};
  RouteDocument document_;
};

const QByteArray kTextbookCrest("BP,K4+800,416.18\nBPD1,K5+030,427.68,2000\nEP,K5+300,416.88\n");

void ProfilePageTest::importShowsTheCurveTable() {
  ProfilePage page(document_, boxes_, files_);
  QVERIFY(page.importProfile(write(kTextbookCrest)));
  QVERIFY(page.profile());
  auto* curves = page.findChild<QTableView*>(QStringLiteral("verticalCurveTable"))->model();
  QCOMPARE(curves->rowCount(), 1);
  QCOMPARE(curves->index(0, 6).data().toString(), QStringLiteral("2.025"));
  QCOMPARE(curves->index(0, 8).data().toString(), QStringLiteral("K4+940.000"));
}

// A fault the profile names the field of marks that cell; one it names no
// field of marks the PVI's row. The R rules are the core's now: the table
// kept its words for them.
void ProfilePageTest::aBadCellIsNamedAndTheProfileWithdrawn_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("marked");  // the column marked, -1 for the row
  QTest::addColumn<QString>("problem");
  QTest::newRow("notANumber") << 1 << 2 << QStringLiteral("427.6B") << 2
                              << QStringLiteral("第2行“高程”不是有效的数字！");
  QTest::newRow("negativeRadius") << 1 << 3 << QStringLiteral("-2000") << 3
                                  << QStringLiteral("第2行“竖曲线半径R”不是有效的半径！");
  QTest::newRow("curveAtBp") << 0 << 3 << QStringLiteral("2000") << 3
                             << QStringLiteral(
                                    "第1行“竖曲线半径R”应为空或0：起点和终点没有竖曲线！");
  QTest::newRow("stationNotIncreasing")
      << 2 << 1 << QStringLiteral("K5+000") << 1
      << QStringLiteral(
             "变坡点“EP”的桩号K5+000.000不大于变坡点“BPD1”的桩号K5+030.000，桩号必须递增！");
  QTest::newRow("curvePastBp")
      << 1 << 3 << QStringLiteral("200000") << -1
      << QStringLiteral(
             "变坡点“BPD1”的竖曲线切线长T=9000.000 m，超出起点变坡点“BP”（相距230.000 m）！");
}

void ProfilePageTest::aBadCellIsNamedAndTheProfileWithdrawn() {
  QFETCH(int, row);
  QFETCH(int, column);
  QFETCH(QString, text);
  QFETCH(int, marked);
  QFETCH(QString, problem);
  ProfilePage page(document_, boxes_, files_);
  QVERIFY(page.importProfile(write(kTextbookCrest)));
  auto* pvis = page.findChild<QTableView*>(QStringLiteral("pviTable"))->model();
  pvis->setData(pvis->index(row, column), text);
  QVERIFY(!page.profile());
  QCOMPARE(page.findChild<QLabel*>(QStringLiteral("problemLabel"))->text(), problem);
  for (int c = 0; c < pvis->columnCount(); ++c) {
    const QModelIndex cell = pvis->index(row, c);
    const bool isMarked = marked < 0 || c == marked;
    QVERIFY2(cell.data(Qt::BackgroundRole).isValid() == isMarked, qPrintable(text));
    QCOMPARE(cell.data(Qt::ToolTipRole).toString(), isMarked ? problem : QString());
  }
}

void ProfilePageTest::savesWhatReadsBack() {
  ProfilePage page(document_, boxes_, files_);
  QVERIFY(page.importProfile(write(kTextbookCrest)));
  const QString saved = dir_.filePath(QStringLiteral("saved.csv"));
  dialogs_.answers = {saved};
  page.findChild<QPushButton*>(QStringLiteral("saveProfileButton"))->click();
  QCOMPARE(ReadBytes(saved),
           QByteArray("\xb1\xe4\xc6\xc2\xb5\xe3\xba\xc5,\xd7\xae\xba\xc5,\xb8\xdf\xb3\xcc,"
                      "\xca\xfa\xc7\xfa\xcf\xdf\xb0\xeb\xbe\xb6R\r\n"
                      "BP,4800,416.18,\r\nBPD1,5030,427.68,2000\r\nEP,5300,416.88,\r\n"));
}

// Regression: a circle's ends were drawn at PVI ± T in station, where a
// parabola's are; a circle reaches T·cos θ either side, half a metre less
// on these 10% grades, so its drawn start and end missed the true ones.
void ProfilePageTest::circleDrawnBetweenItsTrueEnds() {
  const auto profile = std::get<VerticalProfile>(MakeVerticalProfile(
      {{"BP", 0, 100}, {"SJD1", 200, 120, 1000, VerticalCurveKind::kCircle}, {"EP", 400, 100}}));
  ProfileView view;
  view.setProfile(&profile);
  std::vector<double> stations;  // of every point drawn; the first PVI is at 0
  for (QGraphicsItem* item : view.scene()->items())
    if (auto* path = qgraphicsitem_cast<QGraphicsPathItem*>(item))
      for (int i = 0; i < path->path().elementCount(); ++i)
        stations.push_back(path->path().elementAt(i).x);
  for (double end : {CurveStart(profile, 1), CurveEnd(profile, 1)})
    QVERIFY2(std::any_of(stations.begin(), stations.end(),
                         [end](double x) { return std::abs(x - end) < 1e-9; }),
             qPrintable(QStringLiteral("no point drawn at %1").arg(end, 0, 'f', 6)));
}

// The page reads a LandXML profile as the command's --profile does, and its
// table keeps each curve's kind: a CircCurve stays a circle. The grades of
// +6.25% and −6.25% over R 2000 turn by 2·atan 0.0625, 249.675 m of arc.
void ProfilePageTest::landXmlImportKeepsTheCircle() {
  const QString path = WriteBytes(
      dir_.filePath(QStringLiteral("p.xml")),
      "<?xml version=\"1.0\"?>\n"
      "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\">\n"
      "<Alignments><Alignment name=\"A\" length=\"800\" staStart=\"1000\"><CoordGeom>"
      "<Line length=\"800\"><Start>0 0</Start><End>800 0</End></Line></CoordGeom>\n"
      "<Profile><ProfAlign name=\"FG\">\n"
      "<PVI>1000 100</PVI>\n"
      "<CircCurve desc=\"SJD1\" length=\"249.6747\" radius=\"2000\">1400 125</CircCurve>\n"
      "<PVI>1800 100</PVI>\n"
      "</ProfAlign></Profile></Alignment></Alignments></LandXML>\n");
  ProfilePage page(document_, boxes_, files_);
  QVERIFY2(page.importProfile(path), qPrintable(boxes_.shown.value(0).text));
  QVERIFY(page.profile());
  QCOMPARE(page.profile()->pvis.size(), size_t{3});
  QCOMPARE(page.profile()->pvis[1].curve, VerticalCurveKind::kCircle);
}

// A 变坡点表 copied from a spreadsheet with its header row, tabs apart: the
// header is no PVI, and the rows make the profile of the file.
void ProfilePageTest::pastedTableLeavesItsHeaderOut() {
  ProfilePage page(document_, boxes_, files_);
  QGuiApplication::clipboard()->setText(
      QStringLiteral("变坡点号\t桩号\t高程\t竖曲线半径R\r\nBP\tK4+800\t416.18\t\r\n"
                     "BPD1\tK5+030\t427.68\t2000\r\nEP\tK5+300\t416.88\t\r\n"));
  page.findChild<QPushButton*>(QStringLiteral("pastePvisButton"))->click();
  QCOMPARE(page.findChild<QTableView*>(QStringLiteral("pviTable"))->model()->rowCount(), 3);
  QVERIFY2(page.profile(),
           qPrintable(page.findChild<QLabel*>(QStringLiteral("problemLabel"))->text()));
  auto* curves = page.findChild<QTableView*>(QStringLiteral("verticalCurveTable"))->model();
  QCOMPARE(curves->index(0, 8).data().toString(), QStringLiteral("K4+940.000"));
}

QTEST_MAIN(ProfilePageTest)
#include "profile_page_test.moc"
