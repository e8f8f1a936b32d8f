// The route window with a million-row stakeout and an inverse of 100,000
// points (run with QT_QPA_PLATFORM=offscreen): from the click until the
// rows are in the table, scrolling through them, and the memory they hold;
// the plan with the million points drawn, beside the previous points item,
// and the longest the window does not answer meanwhile.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGraphicsScene>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QTimer>
#include <algorithm>
#include <cstring>

#include "core/route/point_names.h"
#include "core/route/route_forward.h"
#include "core/route/stakeout_stations.h"
#include "fakes.h"
#include "io/route/route_file.h"
#include "previous_route_points_item.h"
#include "previous_stake_rows.h"
#include "ui/common/background_job.h"
#include "ui/route/common/route_result_models.h"
#include "ui/route/plan/plan_point_index.h"
#include "ui/route/plan/route_plan_view.h"
#include "ui/route/route_window.h"
#include "ui/route/stakeout/stakeout_page.h"
#include "window_test_support.h"

namespace tarnvel {
namespace {

using testing_support::FakeFileDialogs;
using testing_support::FakeMessageBoxes;

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024;
}

// The test road, K1000 to K1980.
struct RoadWindow {
  FakeMessageBoxes boxes;
  FakeFileDialogs dialogs;
  RouteWindow window{boxes, dialogs, [](const std::array<QString, 8>&) {}};

  RoadWindow() {
    window.resize(1200, 700);
    window.show();
    dialogs.answers << QStringLiteral(ROUTE_WINDOW_DATA "/route_window_road.txt");
    testing_support::Click(&window, "importButton");
  }
  void run(const char* button) {
    testing_support::Click(&window, button);
    window.job().wait();
  }
  QTableView* table(const char* name) {
    return window.findChild<QTableView*>(QString::fromLatin1(name));
  }
};

// A line of /proc/self/status in megabytes: VmRSS what the process holds
// now, VmHWM the most it held since the last ResetPeak.
double StatusMegabytes(const char* field) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith(field))
      return line.mid(static_cast<qsizetype>(std::strlen(field)))
                 .trimmed()
                 .split(' ')
                 .value(0)
                 .toDouble() /
             1024;
  return 0;
}

// Starts VmHWM again from what the process holds now.
void ResetPeak() {
  QFile clear(QStringLiteral("/proc/self/clear_refs"));
  if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

// What the process holds once the rows a take-in handed to the pool are
// freed and the allocator has given back what it keeps spare.
double SettledMegabytes() {
  QThreadPool::globalInstance()->waitForDone();
  malloc_trim(0);
  return StatusMegabytes("VmRSS:");
}

// 980,001 rows: every millimetre of the road, named by station (argument
// 0, "K1+234.567") or numbered as the window named them before (1, 序号).
// Peak MB is the process's: run each argument in a process of its own.
void BM_StakeoutMillionRows(benchmark::State& state) {
  RoadWindow w;
  testing_support::Box(&w.window, "stepEdit")->setText(QStringLiteral("0.001"));
  testing_support::Box(&w.window, "offsetsEdit")->setText(QStringLiteral("0"));
  w.window.findChild<QComboBox*>(QStringLiteral("namesCombo"))
      ->setCurrentIndex(static_cast<int>(state.range(0)));
  for (auto _ : state) w.run("stakeoutButton");
  state.counters["rows"] = w.table("stakeoutTable")->model()->rowCount();
  state.counters["peak MB"] = PeakMegabytes();
}
BENCHMARK(BM_StakeoutMillionRows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

// The memory of the window's 980,001 rows, named by station, in bytes a
// row: what the window holds once they are shown ("held"), the most it held
// while the first 计算 made them ("peak"), and the most while a second 计算
// replaced them with as many new rows ("second peak", above what the
// window held before the first). The benchmark's time is that of the two
// 计算. Peak figures are the process's: run it in a process of its own.
void BM_StakeoutMillionRowsMemory(benchmark::State& state) {
  RoadWindow w;
  testing_support::Box(&w.window, "stepEdit")->setText(QStringLiteral("0.001"));
  testing_support::Box(&w.window, "offsetsEdit")->setText(QStringLiteral("0"));
  double before = 0, held = 0, peak = 0, secondPeak = 0, rows = 0;
  for (auto _ : state) {
    w.window.findChild<StakeoutPage*>()->clearRows();
    before = SettledMegabytes();
    ResetPeak();
    w.run("stakeoutButton");
    peak = StatusMegabytes("VmHWM:");
    held = SettledMegabytes();
    ResetPeak();
    w.run("stakeoutButton");
    secondPeak = StatusMegabytes("VmHWM:");
    rows = w.table("stakeoutTable")->model()->rowCount();
  }
  const double bytesPerRow = 1024 * 1024 / std::max(rows, 1.0);
  state.counters["rows"] = rows;
  state.counters["before MB"] = before;
  state.counters["held B/row"] = (held - before) * bytesPerRow;
  state.counters["peak B/row"] = (peak - before) * bytesPerRow;
  state.counters["second peak B/row"] = (secondPeak - before) * bytesPerRow;
}
BENCHMARK(BM_StakeoutMillionRowsMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// ---- The rows and the plan's index beside the previous ones ----------------------

// What the allocator has handed out and not had back.
double AllocatedBytes() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd);
}

struct RowsMemory {
  double held = 0, peak = 0;  // bytes a row
};

// The road's 980,001 rows as the window makes them, named by station, with
// the plan's index of their points: the bytes a row they hold, and the
// most a row while they were made. `make` turns a point and its name into
// a row, `index` indexes the rows.
template <class Row, class Make, class Index>
RowsMemory MeasureRows(const Route& route, Make make, Index index) {
  RouteTableRequest request;
  request.from = 1000, request.to = 1980, request.step = 0.001;
  malloc_trim(0);
  const double allocated = AllocatedBytes(), resident = StatusMegabytes("VmRSS:");
  ResetPeak();
  RowsMemory memory;
  {
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(RangeStationCount(route, RangeOf(request))));
    RangePointNames names(route, "K");
    ForEachRouteTableRow(route, request, [&](RoutePoint&& point) {
      std::string name = names.Name(point);
      rows.push_back(make(std::move(name), std::move(point)));
      return true;
    });
    const auto plan = index(rows);
    const double count = static_cast<double>(rows.size());
    memory.held = (AllocatedBytes() - allocated) / count;
    memory.peak = (StatusMegabytes("VmHWM:") - resident) * 1024 * 1024 / count;
    benchmark::DoNotOptimize(plan);
  }
  malloc_trim(0);
  return memory;
}

RowsMemory PreviousRows(const Route& route) {
  return MeasureRows<previous::ForwardCsvRow>(
      route,
      [](std::string name, RoutePoint&& p) {
        return previous::ForwardCsvRow{
            std::move(name),
            {p.element, p.station, p.offset, p.skewDms, p.result, std::string(p.label), p.pass}};
      },
      [](const std::vector<previous::ForwardCsvRow>& rows) {
        return previous::IndexPlanPoints(
            rows.size(), [&rows](std::size_t i) { return rows[i].point.result.point; });
      });
}

RowsMemory TodaysRows(const Route& route) {
  return MeasureRows<StakeRow>(
      route,
      [](std::string name, RoutePoint&& p) {
        return StakeRow{std::move(name), std::move(p)};
      },
      [](const std::vector<StakeRow>& rows) {
        return IndexPlanPoints(rows.size(),
                               [&rows](std::size_t i) { return rows[i].point.result.point; });
      });
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The rows and index the window holds, today's beside the previous ones in
// turn, five times each: bytes a row held and at the peak, the median and
// the least and most of the five. The model's table and header add the
// same to both.
void BM_StakeRowsBesidePrevious(benchmark::State& state) {
  auto read = ReadRouteFile(QStringLiteral(ROUTE_WINDOW_DATA "/route_window_road.txt"));
  const Route* route = std::get_if<Route>(&read);
  if (!route) return state.SkipWithError("the road did not read");
  std::vector<double> held[2], peak[2];
  for (auto _ : state)
    for (int turn = 0; turn < 5; ++turn)
      for (int today = 0; today < 2; ++today) {
        const RowsMemory m = today ? TodaysRows(*route) : PreviousRows(*route);
        held[today].push_back(m.held);
        peak[today].push_back(m.peak);
      }
  const char* names[2] = {"previous", "today"};
  for (int today = 0; today < 2; ++today) {
    const std::string name = names[today];
    for (auto [figure, values] :
         {std::pair{"held", &held[today]}, std::pair{"peak", &peak[today]}}) {
      state.counters[name + " " + figure + " B/row"] = Median(*values);
      state.counters[name + " " + figure + " least"] =
          *std::min_element(values->begin(), values->end());
      state.counters[name + " " + figure + " most"] =
          *std::max_element(values->begin(), values->end());
    }
  }
  state.counters["previous row B"] = sizeof(previous::ForwardCsvRow);
  state.counters["today row B"] = sizeof(StakeRow);
}
BENCHMARK(BM_StakeRowsBesidePrevious)->Unit(benchmark::kMillisecond)->Iterations(1);

// One step of a scroll through the million rows: the view asks for the
// cells in sight only.
void BM_ScrollMillionRows(benchmark::State& state) {
  RoadWindow w;
  testing_support::Box(&w.window, "stepEdit")->setText(QStringLiteral("0.001"));
  testing_support::Box(&w.window, "offsetsEdit")->setText(QStringLiteral("0"));
  w.run("stakeoutButton");
  w.window.findChild<QTabWidget*>(QStringLiteral("tabs"))->setCurrentIndex(1);
  QTableView* table = w.table("stakeoutTable");
  if (!QTest::qWaitForWindowExposed(&w.window)) return;
  QScrollBar* bar = table->verticalScrollBar();
  int step = 0;
  for (auto _ : state) {
    bar->setValue(static_cast<int>(static_cast<long long>(bar->maximum()) * (step++ % 100) / 100));
    table->viewport()->repaint();
  }
}
BENCHMARK(BM_ScrollMillionRows)->Unit(benchmark::kMillisecond);

// 100,000 points within 50 m of the road, every foot of each.
void BM_InverseHundredThousandPoints(benchmark::State& state) {
  RoadWindow w;
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("points.txt"));
  QByteArray text;
  for (int i = 0; i < 100000; ++i)
    text += "P" + QByteArray::number(i) + "," +
            QByteArray::number(3378650 + (i % 200) * 0.5, 'f', 3) + "," +
            QByteArray::number(453650 + (i / 200) * 1.6, 'f', 3) + "\n";
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) return;
  file.close();
  testing_support::Box(&w.window, "maxOffsetEdit")->setText(QStringLiteral("50"));
  for (auto _ : state) {
    w.dialogs.answers << path;
    w.run("pointsButton");
  }
  state.counters["rows"] = w.table("inverseTable")->model()->rowCount();
  state.counters["peak MB"] = PeakMegabytes();
}
BENCHMARK(BM_InverseHundredThousandPoints)->Unit(benchmark::kMillisecond)->Iterations(2);

// ---- The plan with a million stake points ---------------------------------------

// The road's 980,001 stake points, every millimetre, computed and shown.
struct MillionPointWindow : RoadWindow {
  MillionPointWindow() {
    testing_support::Box(&window, "stepEdit")->setText(QStringLiteral("0.001"));
    testing_support::Box(&window, "offsetsEdit")->setText(QStringLiteral("0"));
    run("stakeoutButton");
    // Offscreen, the window is exposed at once; a failure only makes the
    // paints below cost nothing, which the figures would show.
    (void)QTest::qWaitForWindowExposed(&window);
  }
  RoutePlanView* plan() { return window.findChild<RoutePlanView*>(QStringLiteral("planView")); }
  StakeoutModel* stakeout() {
    return qobject_cast<StakeoutModel*>(table("stakeoutTable")->model());
  }
  // The previous points item in place of today's, holding the same points.
  std::unique_ptr<PreviousRoutePointsItem> previousItem() {
    window.findChild<QCheckBox*>(QStringLiteral("showStakeoutCheck"))->setChecked(false);
    auto item = std::make_unique<PreviousRoutePointsItem>(QColor(140, 0, 160));
    std::vector<Point> points;
    for (const StakeRow& row : stakeout()->rows()) points.push_back(row.point.result.point);
    item->setPoints(
        std::move(points),
        [this](std::size_t i) { return QString::fromStdString(stakeout()->rows()[i].name); },
        plan()->fromScene({0, 0}));
    plan()->scene()->addItem(item.get());
    return item;
  }
  // 全图, drawn at once.
  void fitAndDraw() {
    plan()->fitAll();
    plan()->viewport()->repaint();
  }
};

// One 全图 redraw with the points shown; the previous item draws a cross
// for each of them.
void BM_MillionPointRedraw_Previous(benchmark::State& state) {
  MillionPointWindow w;
  const auto item = w.previousItem();
  for (auto _ : state) w.fitAndDraw();
}
BENCHMARK(BM_MillionPointRedraw_Previous)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MillionPointRedraw(benchmark::State& state) {
  MillionPointWindow w;
  for (auto _ : state) w.fitAndDraw();
}
BENCHMARK(BM_MillionPointRedraw)->Unit(benchmark::kMillisecond)->Iterations(20);

// What the window's thread does with the finished rows until the plan has
// drawn them: the rows moved into the model, then the points given to the
// plan. The previous take-in freed the rows it replaced, copied every point
// out of the rows and the item placed each in the scene; today's frees them
// on a pool thread, and its index comes made from the job's thread (made
// here before the timing).
void BM_MillionPointTakeIn_Previous(benchmark::State& state) {
  MillionPointWindow w;
  const auto item = w.previousItem();
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<StakeRow> rows = w.stakeout()->rows();
    state.ResumeTiming();
    w.stakeout()->setRows(std::move(rows));
    std::vector<Point> points;
    points.reserve(w.stakeout()->rows().size());
    for (const StakeRow& row : w.stakeout()->rows()) points.push_back(row.point.result.point);
    item->setPoints(
        std::move(points),
        [&w](std::size_t i) { return QString::fromStdString(w.stakeout()->rows()[i].name); },
        w.plan()->fromScene({0, 0}));
    w.plan()->viewport()->repaint();
  }
}
BENCHMARK(BM_MillionPointTakeIn_Previous)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MillionPointTakeIn(benchmark::State& state) {
  MillionPointWindow w;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<StakeRow> rows = w.stakeout()->rows();
    PlanPointIndex index =
        IndexPlanPoints(rows.size(), [&rows](std::size_t i) { return rows[i].point.result.point; });
    state.ResumeTiming();
    StakeoutModel* model = w.stakeout();
    FreeInBackground(model->setRows(std::move(rows)));
    w.plan()->setPoints(
        RoutePlanView::Layer::Stakeout, std::move(index),
        [model](std::size_t i) { return model->rows()[i].point.result.point; },
        [model](std::size_t i) { return QString::fromStdString(model->rows()[i].name); });
    w.plan()->viewport()->repaint();
  }
}
BENCHMARK(BM_MillionPointTakeIn)->Unit(benchmark::kMillisecond)->Iterations(10);

// The longest the window's thread does not answer, from the click of 计算
// for the million rows until they are shown and the plan has drawn them,
// then through a 全图: a timer that should fire every millisecond measures
// the gaps between its firings. The reported time is that longest gap.
void BM_MillionPointLongestStall(benchmark::State& state) {
  MillionPointWindow w;
  for (auto _ : state) {
    QElapsedTimer clock;
    qint64 last = 0, longest = 0;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
      longest = std::max(longest, clock.nsecsElapsed() - last);
      last = clock.nsecsElapsed();
    });
    clock.start();
    tick.start();
    testing_support::Click(&w.window, "stakeoutButton");
    while (w.window.job().isRunning()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QTest::qWait(300);  // the table and plan draw what came in
    w.window.findChild<QPushButton*>(QStringLiteral("fitButton"))->click();
    QTest::qWait(300);
    tick.stop();
    state.SetIterationTime(static_cast<double>(longest) / 1e9);
  }
  state.counters["rows"] = w.stakeout()->rowCount();
}
BENCHMARK(BM_MillionPointLongestStall)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

}  // namespace
}  // namespace tarnvel

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
