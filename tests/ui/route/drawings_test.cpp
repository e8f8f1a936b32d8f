// The route window's drawings as a surveyor reads them: every label of the
// 纵断面 inside its view and clear of the others, whatever the size of the
// pane. The road is the published JD table (tests/core/jd) from K10+000,
// about 3.7 km.
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QTest>

#include "profile_view.h"

using namespace tarnvel;

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

QTEST_MAIN(DrawingsTest)
#include "drawings_test.moc"
