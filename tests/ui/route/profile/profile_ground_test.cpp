// The 纵断面's ground line along the slope road's centre line (slope_road.h:
// north from (1000, 2000), so X is 1000 + 桩号 and Y is 2000 + 偏距): from
// its surveyed lines, and from a surface, the plane H = 90 + 0.05·桩号 −
// 0.2·偏距 on five points whose outline crosses the centre line at
// K0+042.46 and K0+157.50.
#include "ui/route/profile/profile_ground.h"

#include <QtTest>

#include "slope_road.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

class ProfileGroundTest : public QObject {
  Q_OBJECT

 private slots:
  void groundAlongTheCentre_data();
  void groundAlongTheCentre();
};

void ProfileGroundTest::groundAlongTheCentre_data() {
  QTest::addColumn<bool>("surface");
  QTest::addColumn<QString>("expected");  // first and last station, then 桩号=H at three
  // Both lines give 99.25 at the centre, halfway from 101 at L5 to 97.5 at R5.
  QTest::newRow("Lines") << false << "100,140 100=99.25 120=99.25 140=99.25";
  QTest::newRow("Surface") << true << "43,157 50=92.5 100=95 150=97.5";
}

void ProfileGroundTest::groundAlongTheCentre() {
  QFETCH(bool, surface);
  QFETCH(QString, expected);
  const SlopeRoad road;
  const SurveyedGround ground =
      surface ? SurveyedGround(SurfaceGround{TinOfPoints({{1040, 1970, 98},
                                                          {1045, 2031, 86.05},
                                                          {1160, 2032, 91.6},
                                                          {1155, 1968, 104.15},
                                                          {1100, 2003, 94.4}},
                                                         std::nullopt)
                                                 .tin,
                                             road.positions, 50})
              : SurveyedGround(road.ground);
  const auto stretches = CentreGroundLine(ground, road.route, 0, 300);
  QCOMPARE(stretches.size(), size_t{1});
  const auto& line = stretches.front();
  QString got = QStringLiteral("%1,%2").arg(line.front().station).arg(line.back().station);
  for (const QString& at : expected.split(u' ').mid(1)) {
    const double station = at.section(u'=', 0, 0).toDouble();
    for (const StationElevation& point : line)
      if (point.station == station)
        got += QStringLiteral(" %1=%2").arg(station).arg(
            QString::number(point.elevation, 'f', 6).remove(QRegularExpression("\\.?0+$")));
  }
  QCOMPARE(got, expected);
}

QTEST_MAIN(ProfileGroundTest)
#include "profile_ground_test.moc"
