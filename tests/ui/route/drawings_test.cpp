// The route window's drawings as a surveyor reads them: every label of the
// 纵断面, the 横断面 and the plan inside its view and clear of the others,
// whatever the size of the pane and the station; and the room the drawings
// are given beside the plan and their tables. The road is the published
// JD table (tests/core/jd) from K10+000, about 3.7 km.
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "core/section/cross_section.h"
#include "design_example.h"
#include "fakes.h"
#include "io/section/section_file.h"
#include "test_files.h"
#include "ui/common/background_job.h"
#include "ui/route/profile/profile_page.h"
#include "ui/route/profile/profile_view.h"
#include "ui/route/route_window.h"
#include "ui/route/sections/section_view.h"
#include "ui/route/sections/sections_page.h"
#include "window_test_support.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

namespace {

// A profile over the road: a crest 120 m after BP, whose label met BP's,
// then a sag, a crest and a sag.
VerticalProfile Profile() {
  return std::get<VerticalProfile>(MakeVerticalProfile({{"BP", 10000, 350},
                                                        {"SJD1", 10120, 352.4, 3000},
                                                        {"SJD2", 10680, 344, 6000},
                                                        {"SJD3", 11500, 360.4, 12000},
                                                        {"SJD4", 12400, 349.6, 8000},
                                                        {"EP", 13700, 362.6}}));
}

// Lanes, 硬路肩 and 土路肩 of 3.75, 1.8 and 0.6 m, from the crown at
// K10+100 to 6 % of 超高 at K10+220, level on the left at K10+140.
const QByteArray kSections(
    "桩号,左行车道宽,左行车道坡,左硬路肩宽,左硬路肩坡,左土路肩宽,左土路肩坡,"
    "右行车道宽,右行车道坡,右硬路肩宽,右硬路肩坡,右土路肩宽,右土路肩坡\n"
    "K10+100,3.75,-2,1.8,-2,0.6,-4,3.75,-2,1.8,-2,0.6,-4\n"
    "K10+220,3.75,6,1.8,6,0.6,4,3.75,-6,1.8,-6,0.6,-4\n");

struct Label {
  QString text;
  QRectF box;  // in the viewport's pixels
};

// The labels the view shows, where it shows them.
QList<Label> Labels(const QGraphicsView& view) {
  QList<Label> labels;
  for (QGraphicsItem* item : view.scene()->items())
    if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item); text && text->isVisible())
      labels.push_back(
          {text->text().replace(u'\n', u' '),
           text->deviceTransform(view.viewportTransform()).mapRect(text->boundingRect())});
  return labels;
}

QString Describe(const Label& label) {
  const QRectF& r = label.box;
  return QStringLiteral("“%1” (%2,%3 %4x%5)")
      .arg(label.text)
      .arg(r.x())
      .arg(r.y())
      .arg(r.width())
      .arg(r.height());
}

// What is wrong with the labels: one outside the view, two overlapping.
QStringList Faults(const QList<Label>& labels, const QGraphicsView& view) {
  QStringList faults;
  const QRectF inside = QRectF(view.viewport()->rect()).adjusted(-0.01, -0.01, 0.01, 0.01);
  for (qsizetype i = 0; i < labels.size(); ++i) {
    if (!inside.contains(labels[i].box))
      faults << QStringLiteral("outside: ") + Describe(labels[i]);
    for (qsizetype j = i + 1; j < labels.size(); ++j)
      if (labels[i].box.intersects(labels[j].box))
        faults << Describe(labels[i]) + QStringLiteral(" over ") + Describe(labels[j]);
  }
  return faults;
}

bool Shown(const QList<Label>& labels, const QString& start) {
  return std::any_of(labels.begin(), labels.end(),
                     [&start](const Label& label) { return label.text.startsWith(start); });
}

}  // namespace

class DrawingsTest : public QObject {
  Q_OBJECT

 private slots:
  void profileLabelsClearInsideTheView_data();
  void profileLabelsClearInsideTheView();
  void sectionLabelsClearInsideTheView_data();
  void sectionLabelsClearInsideTheView();
  void planStationLabelsClearAtFitAll_data();
  void planStationLabelsClearAtFitAll();
  void collapsedPlanWidensTheDrawing_data();
  void collapsedPlanWidensTheDrawing();
  void drawingWidensAgainstItsTable_data();
  void drawingWidensAgainstItsTable();

 private:
  // The route window with the road read from its JD table, shown at `size`.
  std::unique_ptr<RouteWindow> window(QSize size) {
    auto made =
        std::make_unique<RouteWindow>(boxes_, dialogs_, [](const std::array<QString, 8>&) {});
    made->resize(size);
    made->show();
    if (!QTest::qWaitForWindowExposed(made.get())) qFatal("window not shown");
    QByteArray jd = "交点号,X,Y,R,Ls1,Ls2\n";
    for (const JdPoint& p : kDesign)
      jd += QStringLiteral("%1,%2,%3,%4,%5,%6\n")
                .arg(QString::fromStdString(p.name))
                .arg(p.X, 0, 'f', 3)
                .arg(p.Y, 0, 'f', 3)
                .arg(p.R)
                .arg(p.Ls1)
                .arg(p.Ls2)
                .toUtf8();
    Box(made.get(), "jdStartEdit")->setText(QStringLiteral("10000"));
    dialogs_.answers << WriteBytes(dir_.filePath(QStringLiteral("jd.csv")), jd);
    Click(made.get(), "jdButton");
    if (!boxes_.shown.isEmpty()) qFatal("%s", qPrintable(boxes_.shown[0].text));
    return made;
  }
  // The 纵断面 or 横断面 page, made the current tab.
  static QWidget* showPage(RouteWindow& w, const QString& name) {
    QWidget* page = name == QStringLiteral("Profile")
                        ? static_cast<QWidget*>(w.findChild<ProfilePage*>())
                        : static_cast<QWidget*>(w.findChild<SectionsPage*>());
    w.findChild<QTabWidget*>(QStringLiteral("tabs"))->setCurrentWidget(page);
    QCoreApplication::processEvents();
    return page;
  }

  QTemporaryDir dir_;
  FakeMessageBoxes boxes_;
  FakeFileDialogs dialogs_;
};

void DrawingsTest::profileLabelsClearInsideTheView_data() {
  QTest::addColumn<QSize>("size");
  QTest::addColumn<QStringList>("named");  // labels shown, by how they start
  const QStringList ends{"K10+000", "K12+000", "BP K10+000.000 350.000", "EP K13+700.000 362.600"};
  const QStringList all =
      ends + QStringList{"K11+000", "K13+000", "SJD1 K10+120.000 352.400", "SJD2", "SJD3", "SJD4"};
  QTest::newRow("Quarter_360x240") << QSize(360, 240) << ends;
  QTest::newRow("Small_560x300") << QSize(560, 300) << all;
  QTest::newRow("Common_800x420") << QSize(800, 420) << all;
  QTest::newRow("Large_1100x600") << QSize(1100, 600) << all;
  QTest::newRow("Whole_1580x900") << QSize(1580, 900) << all;
}

// Pins the 纵断面 drawn as a thin strip with no axes: BP's and EP's labels
// ran out of the view at either end, even in a large window, and SJD1's lay
// over BP's. It is drawn over a station axis in K text and an elevation
// axis, filling the view, with every label inside it and clear of the
// others, BP and EP named at any size and every PVI in all but the least.
void DrawingsTest::profileLabelsClearInsideTheView() {
  QFETCH(QSize, size);
  QFETCH(QStringList, named);
  const VerticalProfile profile = Profile();
  ProfileView view;
  view.resize(size);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  view.setProfile(&profile);
  const QList<Label> labels = Labels(view);
  const QStringList faults = Faults(labels, view);
  QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
  for (const QString& start : named) QVERIFY2(Shown(labels, start), qPrintable(start));
}

void DrawingsTest::sectionLabelsClearInsideTheView_data() {
  QTest::addColumn<QSize>("size");
  QTest::addColumn<double>("station");
  for (const double station : {10100, 10130, 10140, 10190, 10220})
    for (const QSize& size : {QSize(420, 280), QSize(640, 360), QSize(1000, 560)})
      QTest::newRow(QStringLiteral("K%1_%2x%3")
                        .arg(station)
                        .arg(size.width())
                        .arg(size.height())
                        .toLatin1()
                        .constData())
          << size << station;
}

// Pins the 横断面's edge elevations printed over each other (349.949 over
// 349.910 on the right): at any station, every label lies inside the view
// and clear of the others, and in a pane of a common window every edge has
// its elevation.
void DrawingsTest::sectionLabelsClearInsideTheView() {
  QFETCH(QSize, size);
  QFETCH(double, station);
  const auto table = std::get<CrossSectionTable>(
      ReadSectionFile(WriteBytes(dir_.filePath(QStringLiteral("s.csv")), kSections)));
  const VerticalProfile profile = Profile();
  SectionView view;
  view.resize(size);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  view.setDrawing(SectionDrawing{SectionAt(table, station), table.leftParts, table.rightParts,
                                 ProfileAt(profile, station)->elevation, std::nullopt,
                                 std::nullopt});
  const QList<Label> labels = Labels(view);
  const QStringList faults = Faults(labels, view);
  const QString where =
      QStringLiteral("%1 in %2x%3\n").arg(station).arg(size.width()).arg(size.height());
  QVERIFY2(faults.isEmpty(), qPrintable(where + faults.join(u'\n')));
  if (size.width() < 640) return;
  const QRegularExpression elevation(QStringLiteral("^\\d+\\.\\d{3}$"));
  const auto edges = std::count_if(labels.begin(), labels.end(), [&](const Label& label) {
    return elevation.match(label.text).hasMatch();
  });
  QVERIFY2(edges == 6, qPrintable(where + QString::number(edges)));
}

void DrawingsTest::planStationLabelsClearAtFitAll_data() {
  QTest::addColumn<QSize>("size");
  QTest::addColumn<QStringList>("named");
  QTest::newRow("Small_1000x640") << QSize(1000, 640) << QStringList{"K10+000", "K11+000"};
  const QStringList kilometres{"K10+000", "K11+000", "K12+000", "K13+000"};
  QTest::newRow("Common_1400x800") << QSize(1400, 800) << kilometres;
  QTest::newRow("Large_1900x1000") << QSize(1900, 1000) << kilometres;
}

// Pins the plan's station labels laid over each other at 全图: thinned by
// the scale, none overlaps another, and the kilometres are named where
// they keep clear of each other.
void DrawingsTest::planStationLabelsClearAtFitAll() {
  QFETCH(QSize, size);
  QFETCH(QStringList, named);
  const auto w = window(size);
  Click(w.get(), "fitButton");
  auto* plan = w->findChild<QGraphicsView*>(QStringLiteral("planView"));
  const QRegularExpression station(QStringLiteral("^K\\d+\\+\\d{3}$"));
  QList<Label> labels = Labels(*plan);
  labels.removeIf([&](const Label& label) { return !station.match(label.text).hasMatch(); });
  const QStringList faults = Faults(labels, *plan);
  QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
  for (const QString& start : named) QVERIFY2(Shown(labels, start), qPrintable(start));
}

void DrawingsTest::collapsedPlanWidensTheDrawing_data() {
  QTest::addColumn<QString>("page");
  QTest::newRow("Profile") << QStringLiteral("Profile");
  QTest::newRow("Section") << QStringLiteral("Section");
}

// Pins the drawings kept to a quarter of the window beside the plan: the
// plan collapses, the drawing takes the width it frees, and the plan comes
// back at its width.
void DrawingsTest::collapsedPlanWidensTheDrawing() {
  QFETCH(QString, page);
  const auto w = window({1400, 800});
  auto* drawing = showPage(*w, page)->findChild<QGraphicsView*>();
  QVERIFY(drawing->isVisible());
  auto* planPane = w->findChild<QWidget*>(QStringLiteral("planPane"));
  const int plan = planPane->width();
  const int before = drawing->width();
  auto* button = w->findChild<QPushButton*>(QStringLiteral("planButton"));
  QVERIFY(button);
  button->click();
  QTRY_VERIFY2(drawing->width() >= before + plan * 9 / 10,
               qPrintable(QStringLiteral("%1 → %2 with the plan's %3")
                              .arg(before)
                              .arg(drawing->width())
                              .arg(plan)));
  button->click();
  QTRY_COMPARE(planPane->width(), plan);
}

void DrawingsTest::drawingWidensAgainstItsTable_data() {
  QTest::addColumn<QString>("page");
  QTest::newRow("Profile") << QStringLiteral("Profile");
  QTest::newRow("Section") << QStringLiteral("Section");
}

// Pins the drawing's pane held to half its page by the table's, whose row
// of buttons would not narrow: dragged, the drawing takes four fifths.
void DrawingsTest::drawingWidensAgainstItsTable() {
  QFETCH(QString, page);
  const auto w = window({1400, 800});
  QWidget* tab = showPage(*w, page);
  auto* splitter = tab->findChild<QSplitter*>(QStringLiteral("pageSplitter"));
  const int whole = splitter->width();
  splitter->setSizes({whole / 5, whole - whole / 5});
  QCoreApplication::processEvents();
  auto* drawing = tab->findChild<QGraphicsView*>();
  QVERIFY2(drawing->width() >= whole * 7 / 10,
           qPrintable(QStringLiteral("%1 of %2").arg(drawing->width()).arg(whole)));
}

QTEST_MAIN(DrawingsTest)
#include "drawings_test.moc"
