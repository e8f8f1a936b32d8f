// The route document clears the rows computed with what changed, and only
// those: a new profile takes the rows that carry its heights, new cross
// sections the rows they gave, new ground or slopes the catch points, a
// route read or made every row; and work that may be giving such rows is
// told to end before they go.
#include "ui/route/common/route_document.h"

#include <QtTest>

using namespace tarnvel;

class RouteDocumentTest : public QObject {
  Q_OBJECT

 private slots:
  void clearsTheRowsComputedWithWhatChanged_data();
  void clearsTheRowsComputedWithWhatChanged();
};

void RouteDocumentTest::clearsTheRowsComputedWithWhatChanged_data() {
  QTest::addColumn<unsigned>("inputs");  // what the rows were computed with
  QTest::addColumn<int>("change");  // 0 profile, 1 sections, 2 route replaced, 3 ground, 4 slopes
  QTest::addColumn<bool>("cleared");
  const unsigned route = RouteDocument::kRoute, profile = RouteDocument::kProfile,
                 sections = RouteDocument::kSections, ground = RouteDocument::kGround,
                 slopes = RouteDocument::kSlopes;
  QTest::newRow("Plain_Profile") << route << 0 << false;
  QTest::newRow("Plain_Sections") << route << 1 << false;
  QTest::newRow("Plain_Route") << route << 2 << true;
  QTest::newRow("Heights_Profile") << (route | profile) << 0 << true;
  QTest::newRow("Heights_Sections") << (route | profile) << 1 << false;
  QTest::newRow("Edges_Profile") << (route | sections) << 0 << false;
  QTest::newRow("Edges_Sections") << (route | sections) << 1 << true;
  QTest::newRow("Both_Sections") << (route | profile | sections) << 1 << true;
  QTest::newRow("Edges_Ground") << (route | profile | sections) << 3 << false;
  QTest::newRow("Catch_Ground") << (route | sections | ground | slopes) << 3 << true;
  QTest::newRow("Catch_Slopes") << (route | sections | ground | slopes) << 4 << true;
  QTest::newRow("Heights_Slopes") << (route | profile) << 4 << false;
}

void RouteDocumentTest::clearsTheRowsComputedWithWhatChanged() {
  QFETCH(unsigned, inputs);
  QFETCH(int, change);
  QFETCH(bool, cleared);
  RouteDocument document;
  QStringList events;
  document.addComputedRows([&] { return inputs; }, [&] { events << QStringLiteral("cleared"); });
  connect(&document, &RouteDocument::clearingRows, [&] { events << QStringLiteral("work ends"); });
  connect(&document, &RouteDocument::replacingRoute,
          [&] { events << QStringLiteral("work ends"); });
  if (change == 0) document.setProfile(nullptr);
  if (change == 1) document.setSections(nullptr);
  if (change == 2) document.beginReplacingRoute();
  if (change == 3) document.setGround(nullptr);
  if (change == 4) document.setSlopes(nullptr);
  QStringList expected{QStringLiteral("work ends")};
  if (cleared) expected << QStringLiteral("cleared");
  QVERIFY2(events == expected, qPrintable(QStringLiteral("inputs %1, change %2: %3")
                                              .arg(inputs)
                                              .arg(change)
                                              .arg(events.join(u','))));
}

QTEST_MAIN(RouteDocumentTest)
#include "route_document_test.moc"
