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

QTEST_MAIN(SectionEarthworksTest)
#include "section_earthworks_test.moc"
