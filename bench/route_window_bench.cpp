// The route window with a million-row stakeout and an inverse of 100,000
// points (run with QT_QPA_PLATFORM=offscreen): from the click until the
// rows are in the table, scrolling through them, and the memory they hold.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "background_job.h"
#include "fakes.h"
#include "route_window.h"
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

// 980,001 rows: every millimetre of the road.
void BM_StakeoutMillionRows(benchmark::State& state) {
  RoadWindow w;
  testing_support::Box(&w.window, "stepEdit")->setText(QStringLiteral("0.001"));
  testing_support::Box(&w.window, "offsetsEdit")->setText(QStringLiteral("0"));
  for (auto _ : state) w.run("stakeoutButton");
  state.counters["rows"] = w.table("stakeoutTable")->model()->rowCount();
  state.counters["peak MB"] = PeakMegabytes();
}
BENCHMARK(BM_StakeoutMillionRows)->Unit(benchmark::kMillisecond)->Iterations(2);

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
    text += "P" + QByteArray::number(i) + "," + QByteArray::number(3378650 + (i % 200) * 0.5, 'f', 3) +
            "," + QByteArray::number(453650 + (i / 200) * 1.6, 'f', 3) + "\n";
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

}  // namespace
}  // namespace tarnvel

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
