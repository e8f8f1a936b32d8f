// 桩号 in the route window as surveyors write them: typed as K text in the
// station fields and the 线元表's station cells. The road (tests/ui/route/data)
// runs from K1+000 to K1+980.
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <cmath>

#include "core/element/centre_line.h"
#include "io/route/route_source.h"
#include "route_window_fixture.h"
#include "ui/route/plan/route_plan_view.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

class RouteStationTextsTest : public RouteWindowFixture {
  Q_OBJECT

 private slots:
  void init() {
    openWindow();
    import(kRoad);
  }
  void cleanup() { closeWindow(); }

  void stationTypedInAField_data();
  void stationTypedInAField();
  void stationTypedInACell_data();
  void stationTypedInACell();
  void footShownAsKText();
  void jointNamedByItsStation();
  void cellShownRoundedEditedFull_data();
  void cellShownRoundedEditedFull();
  void rangePrefilledToTheMillimetre_data();
  void rangePrefilledToTheMillimetre();
  void offsetShowsItsSide_data();
  void offsetShowsItsSide();
  void prefixFollowedAtOnce_data();
  void prefixFollowedAtOnce();
  void otherTabsFollowThePrefix_data();
  void otherTabsFollowThePrefix();

 private:
  InverseModel* inverse() {
    return qobject_cast<InverseModel*>(child<QTableView>("inverseTable")->model());
  }
  StakeoutModel* stakeout() {
    return qobject_cast<StakeoutModel*>(child<QTableView>("stakeoutTable")->model());
  }
  // The drawing's label that begins with `start`, whole.
  QString label(const char* view, const QString& start) {
    for (QGraphicsItem* item : child<QGraphicsView>(view)->scene()->items())
      if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item))
        if (text->text().startsWith(start)) return text->text();
    return {};
  }
};

void RouteStationTextsTest::stationTypedInAField_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<double>("station");  // the first row's; NaN when refused
  QTest::addColumn<QString>("shown");
  QTest::addColumn<QString>("message");
  const double refused = std::nan("");
  QTest::newRow("Metres") << "1100.5" << 1100.5 << "K1+100.500"
                          << "";
  QTest::newRow("KText") << "K1+100.5" << 1100.5 << "K1+100.500"
                         << "";
  QTest::newRow("ZkPrefix") << "ZK1+100.5" << 1100.5 << "K1+100.500"
                            << "";
  QTest::newRow("LowerCaseSpaces") << " k1+099.9996 " << 1099.9996 << "K1+100.000"
                                   << "";
  QTest::newRow("MetresPastThousand")
      << "K1+1000" << refused << ""
      << QStringLiteral("输入“起点里程”的值“K1+1000”不是有效的桩号！");
  QTest::newRow("NotAStation") << "1l00" << refused << ""
                               << QStringLiteral("输入“起点里程”的值“1l00”不是有效的数字！");
}

// 起点里程 took metres only: K text, as every design table writes it, was
// refused as not a number. The table showed metres.
void RouteStationTextsTest::stationTypedInAField() {
  QFETCH(QString, typed);
  QFETCH(double, station);
  QFETCH(QString, shown);
  QFETCH(QString, message);
  Box(window_, "fromEdit")->setText(typed);
  Box(window_, "toEdit")->setText(QStringLiteral("K1+980"));
  Box(window_, "offsetsEdit")->setText(QStringLiteral("0"));
  runJob("stakeoutButton");
  QCOMPARE(firstMessage(), message);
  if (std::isnan(station)) return;
  QCOMPARE(stakeout()->rows().front().point.station, station);
  QCOMPARE(stakeout()->rows().back().point.station, 1980.0);
  QCOMPARE(stakeout()->index(0, 1).data().toString(), shown);
}

void RouteStationTextsTest::stationTypedInACell_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<double>("station");  // the first element's, as read
  QTest::addColumn<QString>("shown");
  QTest::addColumn<QString>("problem");
  // 999.9995 is a little above the half millimetre as a double: it shows
  // as the next kilometre.
  QTest::newRow("StartKText") << 0 << "K0+999.9995" << 999.9995 << "K1+000.000"
                              << "";
  QTest::newRow("StartNegative") << 0 << "-20" << -20.0 << "-20.000"
                                 << "";
  QTest::newRow("EndZkPrefix") << 1 << "ZK1+150" << 1150.0 << "K1+150.000"
                               << "";
  QTest::newRow("EndBadMetres") << 1 << "K1+15O" << std::nan("") << "K1+15O"
                                << QStringLiteral("第1行“止点桩号K”的值“K1+15O”不是有效的桩号！");
}

// A 线元表 cell took metres only and showed them, so a table pasted from a
// design was all marked as faults.
void RouteStationTextsTest::stationTypedInACell() {
  QFETCH(int, column);
  QFETCH(QString, typed);
  QFETCH(double, station);
  QFETCH(QString, shown);
  QFETCH(QString, problem);
  const QModelIndex cell = elements()->index(0, column);
  QVERIFY(elements()->setData(cell, typed));
  QCOMPARE(elements()->cellProblem(0, column), problem);
  // Shown as K text, edited as typed.
  QCOMPARE(cell.data(Qt::DisplayRole).toString(), shown);
  QCOMPARE(cell.data(Qt::EditRole).toString(), typed);
  QCOMPARE(bool(elements()->route()), problem.isEmpty());
  if (!elements()->route()) return;
  const auto& values = elements()->route()->elements.front().values;
  QCOMPARE(column == 0 ? values.K0 : values.K1, station);
}

// The inverse table showed its feet's stations in metres.
void RouteStationTextsTest::footShownAsKText() {
  // A point 5 m right of K1+300, on the first arc.
  const Route road = std::get<Route>(LoadRoute(kRoad));
  const Point p = ForwardPoint(road.loaded[2], 1300, 5, 90).point;
  child<QPlainTextEdit>("pointsEdit")
      ->setPlainText(QStringLiteral("P,%1,%2").arg(p.X, 0, 'f', 6).arg(p.Y, 0, 'f', 6));
  runJob("pasteButton");
  QCOMPARE(firstMessage(), QString());
  QCOMPARE(inverse()->index(0, 3).data().toString(), QStringLiteral("K1+300.000"));
}

// A joint's tooltip named its elements only, not where it stands; past a
// 断链 both stations show.
void RouteStationTextsTest::jointNamedByItsStation() {
  const QModelIndex status = elements()->index(0, RouteElementModel::kStatusColumn);
  QVERIFY(status.data(Qt::ToolTipRole)
              .toString()
              .startsWith(QStringLiteral("第1–2线元接头 ZH K1+150.000\n")));
  QVERIFY(elements()->setData(elements()->index(1, 0), QStringLiteral("K1+170")));
  QVERIFY(status.data(Qt::ToolTipRole)
              .toString()
              .startsWith(QStringLiteral("第1–2线元接头 ZH K1+150.000=K1+170.000\n")));
}

void RouteStationTextsTest::cellShownRoundedEditedFull_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::newRow("StationToMm") << 1 << "1150.00049999"
                               << "K1+150.000";
  QTest::newRow("XToTenthMm") << 2 << "3378605.44504999"
                              << "3378605.4450";
  QTest::newRow("YHalfUp") << 3 << "453648.70405001"
                           << "453648.7041";
  QTest::newRow("AzimuthDms") << 4 << "60.0000496"
                              << "60°0ˊ0.5″";
  QTest::newRow("RadiusToMm") << 5 << "299.9995001"
                              << "300.000";
  QTest::newRow("DirectionAsTyped") << 7 << "0"
                                    << "0";
  QTest::newRow("FaultAsTyped") << 6 << "3OO"
                                << "3OO";
}

// The 线元表 showed every value with fifteen digits (289.063298253348): it
// shows them rounded as the route's outputs are, and edits them in full.
void RouteStationTextsTest::cellShownRoundedEditedFull() {
  QFETCH(int, column);
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  const QModelIndex cell = elements()->index(0, column);
  QVERIFY(elements()->setData(cell, typed));
  QCOMPARE(cell.data(Qt::DisplayRole).toString(), shown);
  QCOMPARE(cell.data(Qt::EditRole).toString(), typed);
}

void RouteStationTextsTest::rangePrefilledToTheMillimetre_data() {
  QTest::addColumn<QString>("start");  // the road's, as its file gives it
  QTest::addColumn<QString>("end");
  QTest::addColumn<QString>("from");  // prefilled
  QTest::addColumn<QString>("to");
  QTest::newRow("WholeMm") << "1000"
                           << "1980"
                           << "K1+000.000"
                           << "K1+980.000";
  QTest::newRow("EndRoundsUp") << "1000"
                               << "1979.9996"
                               << "K1+000.000"
                               << "K1+980.000";
  // The ends are written as the tables round them, the millimetre below
  // included: 止点里程 read K3+718.678 where the 曲线表 and the command gave
  // K3+718.677, and 起点里程 gave an end off the millimetre in full.
  QTest::newRow("EndRoundsDown") << "1000"
                                 << "1980.0004"
                                 << "K1+000.000"
                                 << "K1+980.000";
  QTest::newRow("StartRoundsUp") << "999.9996"
                                 << "1980"
                                 << "K1+000.000"
                                 << "K1+980.000";
  QTest::newRow("StartRoundsDown") << "1000.0004"
                                   << "1980"
                                   << "K1+000.000"
                                   << "K1+980.000";
}

// 止点里程 was prefilled with fifteen digits (3220.86277060866). It shows
// the millimetre, and the stakeout of the prefilled range still runs from
// the route's start to its end.
void RouteStationTextsTest::rangePrefilledToTheMillimetre() {
  QFETCH(QString, start);
  QFETCH(QString, end);
  QFETCH(QString, from);
  QFETCH(QString, to);
  QByteArray bytes = ReadBytes(kRoad);
  bytes.replace("\n1000,1150,", "\n" + start.toUtf8() + ",1150,");
  bytes.replace(",1980,", "," + end.toUtf8() + ",");
  import(write(QStringLiteral("road.txt"), bytes));
  QCOMPARE(Box(window_, "fromEdit")->text(), from);
  QCOMPARE(Box(window_, "toEdit")->text(), to);
  runJob("stakeoutButton");
  QCOMPARE(firstMessage(), QString());
  QCOMPARE(stakeout()->rows().front().point.station, start.toDouble());
  QCOMPARE(stakeout()->rows().back().point.station, end.toDouble());
}

void RouteStationTextsTest::offsetShowsItsSide_data() {
  QTest::addColumn<double>("offset");
  QTest::addColumn<QString>("shown");
  QTest::newRow("Left") << -10.0 << "左10.000";
  QTest::newRow("Right") << 5.0 << "右5.000";
  QTest::newRow("OnTheLine") << 0.0 << "0.000";
  QTest::newRow("LeftRoundsToLine") << -0.0004 << "0.000";
  // Each a little beyond the half millimetre as a double.
  QTest::newRow("RightHalfMm") << 0.0005 << "右0.001";
  QTest::newRow("LeftHalfMm") << -0.0005 << "左0.001";
}

// The offset cells showed a bare sign, which a crew had to remember meant
// left; the saved files keep it.
void RouteStationTextsTest::offsetShowsItsSide() {
  QFETCH(double, offset);
  QFETCH(QString, shown);
  StakeoutModel stakeout;
  RoutePoint point;
  point.element = 1, point.station = 1000, point.offset = offset;
  stakeout.setRows({{"1", point}});
  QCOMPARE(stakeout.index(0, 2).data().toString(), shown);
  InverseModel inverse;
  inverse.setRows({{"1", "0", "0", RouteFoot{1, 1000, offset}, 1, 1}});
  QCOMPARE(inverse.index(0, 4).data().toString(), shown);
}

void RouteStationTextsTest::prefixFollowedAtOnce_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("start");  // K1+000 as every table shows it then
  QTest::newRow("Zk") << "ZK"
                      << "ZK1+000.000";
  QTest::newRow("LowerCase") << "yk"
                             << "yk1+000.000";
  QTest::newRow("DigitRefused") << "Z9K"
                                << "ZK1+000.000";
  QTest::newRow("EmptyKeepsK") << ""
                               << "K1+000.000";
}

// The prefix is the window's: the tables, the cursor readout and the saved
// 桩号 column follow it as it is typed, a digit is refused, and an empty
// box keeps the prefix in force.
void RouteStationTextsTest::prefixFollowedAtOnce() {
  QFETCH(QString, typed);
  QFETCH(QString, start);
  Box(window_, "fromEdit")->setText(QStringLiteral("1000"));
  Box(window_, "toEdit")->setText(QStringLiteral("1020"));
  Box(window_, "offsetsEdit")->setText(QStringLiteral("0"));
  runJob("stakeoutButton");
  // The cursor over the route's start, before the prefix changes.
  auto* plan = child<RoutePlanView>("planView");
  emit plan->cursorMoved(3378605.445, 453648.704);

  QLineEdit* box = Box(window_, "stationPrefixEdit");
  box->setFocus();
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, typed);
  QCOMPARE(elements()->index(0, 0).data().toString(), start);
  QCOMPARE(stakeout()->index(0, 1).data().toString(), start);
  const QString readout = child<QLabel>("cursorLabel")->text();
  QVERIFY2(readout.contains(QStringLiteral("桩号 ") + start), qPrintable(readout));

  const QString path = dir_.filePath(QStringLiteral("stakeout.csv"));
  dialogs_.answers << path;
  runJob("saveStakeoutButton");
  const QByteArray csv = ReadBytes(path);
  // The point names are made with the prefix in force at 计算, as a crew
  // may already have them.
  QVERIFY2(csv.contains("\r\nK1+000," + start.toUtf8() + ",1000.000,"), csv.constData());
}

void RouteStationTextsTest::otherTabsFollowThePrefix_data() {
  QTest::addColumn<QString>("place");
  QTest::addColumn<QString>("shown");  // with the prefix ZK
  // JD1 is 583.095 m from BP at K0+500.
  QTest::newRow("DesignTable") << "design"
                               << "ZK1+083.095";
  QTest::newRow("DesignCsv") << "designCsv"
                             << "ZK1+083.095";
  QTest::newRow("JdStationMessage")
      << "mismatch"
      << QStringLiteral("交点“JD1”的交点桩号ZK1+083.000与计算所得ZK1+083.095相差+95.2 mm！");
  QTest::newRow("PviTable") << "pvi"
                            << "ZK1+500.000";
  QTest::newRow("PviTypedInMetresStays") << "pviTyped"
                                         << "1900";
  // T = 10000 x 4% / 2 = 200 m before the PVI.
  QTest::newRow("VerticalCurveTable") << "verticalCurve"
                                      << "ZK1+300.000";
  QTest::newRow("ProfileDrawing") << "profileDrawing"
                                  << "SJD1\nZK1+500.000\n110.000";
  QTest::newRow("SectionTable") << "sectionTable"
                                << "ZK0+150.000";
  QTest::newRow("SectionStationField") << "sectionField"
                                       << "ZK0+100.000";
  QTest::newRow("SectionDrawing") << "sectionDrawing"
                                  << "中线 ZK0+100.000";
}

// The fault pinned: the 曲线表, 纵断面 and 横断面 tabs wrote K whatever the
// window's prefix; a station the user typed in metres stays as typed.
void RouteStationTextsTest::otherTabsFollowThePrefix() {
  QFETCH(QString, place);
  QFETCH(QString, shown);
  Box(window_, "jdStartEdit")->setText(QStringLiteral("500"));
  dialogs_.answers << write(QStringLiteral("jd.csv"),
                            "交点号,X,Y,R,Ls1,Ls2,交点桩号\n"
                            "BP,3378000,450000,0,0,0,\n"
                            "JD1,3378500,450300,400,80,80,K1+083.000\n"
                            "JD2,3378700,450900,300,60,60,\n"
                            "EP,3378600,451400,0,0,0,\n");
  Click(window_, "jdButton");
  dialogs_.answers << write(QStringLiteral("profile.csv"),
                            "BP,K1+000,100\nSJD1,K1+500,110,10000\nEP,K1+900,102\n");
  Click(window_, "importProfileButton");
  dialogs_.answers << write(QStringLiteral("sections.csv"),
                            "桩号,左行车道宽,左行车道坡,右行车道宽,右行车道坡\nK0+100,3.75,-2,3.75,"
                            "-2\nK0+150,3.75,2,3.75,-2\n");
  Click(window_, "importSectionsButton");
  QVERIFY2(boxes_.shown.isEmpty(), qPrintable(firstMessage()));
  QAbstractItemModel* pvis = child<QTableView>("pviTable")->model();
  QVERIFY(pvis->setData(pvis->index(2, 1), QStringLiteral("1900")));

  QLineEdit* box = Box(window_, "stationPrefixEdit");
  box->setFocus();
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, QStringLiteral("ZK"));
  dialogs_.answers << dir_.filePath(QStringLiteral("design.csv"));
  runJob("saveDesignButton");
  const QList<QByteArray> lines =
      ReadBytes(dir_.filePath(QStringLiteral("design.csv"))).split('\n');
  QVERIFY2(lines.size() > 2, lines.value(0).constData());
  const QMap<QString, QString> texts{
      {"designCsv", QString::fromUtf8(lines[2].split(',').value(1))},
      {"design", child<QTableView>("curveTable")->model()->index(1, 1).data().toString()},
      {"mismatch", child<QLabel>("jdStationLabel")->text()},
      {"pvi", pvis->index(1, 1).data().toString()},
      {"pviTyped", pvis->index(2, 1).data().toString()},
      {"verticalCurve",
       child<QTableView>("verticalCurveTable")->model()->index(0, 8).data().toString()},
      {"profileDrawing", label("profileView", QStringLiteral("SJD1"))},
      {"sectionTable", child<QTableView>("sectionTable")->model()->index(1, 0).data().toString()},
      {"sectionField", Box(window_, "stationEdit")->text()},
      {"sectionDrawing", label("sectionView", QStringLiteral("中线"))}};
  QCOMPARE(texts.value(place), shown);
}

QTEST_MAIN(RouteStationTextsTest)
#include "route_station_texts_test.moc"
