// The 横断面 drawing with the ground and the side slopes: each side's catch
// point labelled with its offset and elevation, or why it has none.
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QtTest>

#include "route_window_fixture.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

class SectionEarthworksTest : public RouteWindowFixture {
  Q_OBJECT

 private slots:
  void init() {
    openWindow();
    QVERIFY(loadEarthworks());
  }
  void cleanup() { closeWindow(); }
  void catchPointsAreLabelled_data();
  void catchPointsAreLabelled();
  void areasAreWritten_data();
  void areasAreWritten();

 private:
  QStringList labelsAt(const QString& station) {
    auto* edit = Box(window_, "stationEdit");
    edit->setText(station);
    emit edit->editingFinished();
    QStringList texts;
    for (QGraphicsItem* item : child<QGraphicsView>("sectionView")->scene()->items())
      if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item)) texts << text->text();
    return texts;
  }
};

// The fixture's fill and cut, worked by hand there; before the first
// surveyed station there is no ground.
void SectionEarthworksTest::catchPointsAreLabelled_data() {
  QTest::addColumn<QString>("station");
  QTest::addColumn<QStringList>("expected");
  QTest::newRow("FillLeftCutRight") << QStringLiteral("K1+100")
                                    << QStringList{QStringLiteral("坡脚 -10.000 / 97.500"),
                                                   QStringLiteral("坡口 13.280 / 103.320")};
  QTest::newRow("BeforeTheGround")
      << QStringLiteral("K1+050")
      << QStringList{QStringLiteral("边缘处没有地面线"), QStringLiteral("边缘处没有地面线")};
}

void SectionEarthworksTest::catchPointsAreLabelled() {
  QFETCH(QString, station);
  QFETCH(QStringList, expected);
  QVERIFY(showWindow(1400, 800));
  const QStringList texts = labelsAt(station);
  for (const QString& text : expected)
    QVERIFY2(texts.count(text) == expected.count(text),
             qPrintable(station + u' ' + text + QStringLiteral(" in ") + texts.join(u'|')));
}

// The fixture's planar ground and straight road at K1+100, by hand: on
// the left a fill 5 m wide, 1.25 m deep at the hinge, two triangles; on the
// right the cut strips 3.125 + 0.975 + 1.245 + 1.155 + 1.325 + 2.4 + 2.523.
// Without both catch points there are no areas to write.
void SectionEarthworksTest::areasAreWritten_data() {
  QTest::addColumn<QString>("station");
  QTest::addColumn<QStringList>("expected");
  QTest::newRow("FillLeftCutRight")
      << QStringLiteral("K1+100")
      << QStringList{QStringLiteral("■ 填方面积 6.25 m²"), QStringLiteral("■ 挖方面积 12.75 m²")};
  QTest::newRow("BeforeTheGround") << QStringLiteral("K1+050") << QStringList{};
}

void SectionEarthworksTest::areasAreWritten() {
  QFETCH(QString, station);
  QFETCH(QStringList, expected);
  QVERIFY(showWindow(1400, 800));
  const QStringList areas = labelsAt(station).filter(QStringLiteral("面积"));
  QVERIFY2(QSet<QString>(areas.begin(), areas.end()) ==
                   QSet<QString>(expected.begin(), expected.end()) &&
               areas.size() == expected.size(),
           qPrintable(station + QStringLiteral(": ") + areas.join(u'|')));
}

QTEST_MAIN(SectionEarthworksTest)
#include "section_earthworks_test.moc"
