// 桩号 in the route window as surveyors write them: typed as K text in the
// station fields and the 线元表's station cells. The road (tests/ui/route/data)
// runs from K1+000 to K1+980.
#include <QTableView>
#include <QTest>
#include <cmath>

#include "background_job.h"
#include "fakes.h"
#include "route_element_model.h"
#include "route_result_models.h"
#include "route_window.h"
#include "window_test_support.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

namespace {

const QString kRoad = QStringLiteral(ROUTE_WINDOW_DATA "/route_window_road.txt");

}  // namespace

class RouteStationTextsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    boxes_ = FakeMessageBoxes();
    dialogs_ = FakeFileDialogs();
    window_ = new RouteWindow(boxes_, dialogs_, [](const std::array<QString, 8>&) {});
    dialogs_.answers << kRoad;
    Click(window_, "importButton");
  }
  void cleanup() {
    window_->job().wait();
    delete window_;
  }

  void stationTypedInAField_data();
  void stationTypedInAField();
  void stationTypedInACell_data();
  void stationTypedInACell();

 private:
  template <class T>
  T* child(const char* name) {
    auto* found = window_->findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("no %s", name);
    return found;
  }
  RouteElementModel* elements() {
    return qobject_cast<RouteElementModel*>(child<QTableView>("elementTable")->model());
  }
  StakeoutModel* stakeout() {
    return qobject_cast<StakeoutModel*>(child<QTableView>("stakeoutTable")->model());
  }
  QString refusal() const { return boxes_.shown.isEmpty() ? QString() : boxes_.shown[0].text; }

  FakeMessageBoxes boxes_;
  FakeFileDialogs dialogs_;
  RouteWindow* window_ = nullptr;
};

void RouteStationTextsTest::stationTypedInAField_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<double>("station");  // the first row's; NaN when refused
  QTest::addColumn<QString>("message");
  const double refused = std::nan("");
  QTest::newRow("Metres") << "1100.5" << 1100.5 << "";
  QTest::newRow("KText") << "K1+100.5" << 1100.5 << "";
  QTest::newRow("ZkPrefix") << "ZK1+100.5" << 1100.5 << "";
  QTest::newRow("LowerCaseSpaces") << " k1+099.9995 " << 1099.9995 << "";
  QTest::newRow("MetresPastThousand")
      << "K1+1000" << refused << QStringLiteral("输入“起点里程”的值“K1+1000”不是有效的桩号！");
  QTest::newRow("NotAStation") << "1l00" << refused
                               << QStringLiteral("输入“起点里程”的值“1l00”不是有效的数字！");
}

// 起点里程 took metres only: K text, as every design table writes it, was
// refused as not a number.
void RouteStationTextsTest::stationTypedInAField() {
  QFETCH(QString, typed);
  QFETCH(double, station);
  QFETCH(QString, message);
  Box(window_, "fromEdit")->setText(typed);
  Box(window_, "toEdit")->setText(QStringLiteral("K1+980"));
  Box(window_, "offsetsEdit")->setText(QStringLiteral("0"));
  Click(window_, "stakeoutButton");
  window_->job().wait();
  QCOMPARE(refusal(), message);
  if (std::isnan(station)) return;
  QCOMPARE(stakeout()->rows().front().point.station, station);
  QCOMPARE(stakeout()->rows().back().point.station, 1980.0);
}

void RouteStationTextsTest::stationTypedInACell_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<double>("station");  // the first element's, as read
  QTest::addColumn<QString>("problem");
  QTest::newRow("StartKText") << 0 << "K0+999.9995" << 999.9995 << "";
  QTest::newRow("EndZkPrefix") << 1 << "ZK1+150" << 1150.0 << "";
  QTest::newRow("EndBadMetres") << 1 << "K1+15O" << std::nan("")
                                << QStringLiteral("第1行“止点桩号K”的值“K1+15O”不是有效的桩号！");
}

// A 线元表 cell took metres only, so a table pasted from a design was all
// marked as faults.
void RouteStationTextsTest::stationTypedInACell() {
  QFETCH(int, column);
  QFETCH(QString, typed);
  QFETCH(double, station);
  QFETCH(QString, problem);
  QVERIFY(elements()->setData(elements()->index(0, column), typed));
  QCOMPARE(elements()->cellProblem(0, column), problem);
  QCOMPARE(bool(elements()->route()), problem.isEmpty());
  if (!elements()->route()) return;
  const auto& values = elements()->route()->elements.front().values;
  QCOMPARE(column == 0 ? values.K0 : values.K1, station);
}

QTEST_MAIN(RouteStationTextsTest)
#include "route_station_texts_test.moc"
