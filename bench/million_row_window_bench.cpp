// A million-row continuous table end to end in the main window (run it with
// QT_QPA_PLATFORM=offscreen): from the click of Command6 until Text12 holds
// the whole table and has drawn it, then saved to a file by Command7.
//
// "peak MB" is the whole process's peak, so run one benchmark per process.
// To set a change beside the code before it, build window_bench in a second
// worktree at the earlier commit and run the two in turn, so that both meet
// the same load on the machine:
//   for i in 1 2 3 4 5 6 7; do for b in $OLD/window_bench $NEW/window_bench; do
//     QT_QPA_PLATFORM=offscreen $b --benchmark_filter=BM_ClickToTable; done; done
// and compare the medians.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "fakes.h"
#include "ui/main/main_window.h"

namespace tarnvel {
namespace {

using testing_support::FakeFileDialogs;
using testing_support::FakeMessageBoxes;
using testing_support::FakePlatform;

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024;
}

// What the process holds now, the table and the window included.
double ResidentMegabytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:"))
      return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
  return 0;
}

struct MillionRowWindow {
  FakeMessageBoxes boxes;
  FakePlatform platform;
  FakeFileDialogs dialogs;
  MainWindow window{boxes, platform, dialogs};

  MillionRowWindow() {
    window.show();
    window.findChild<QRadioButton*>(QStringLiteral("OptionButton2"))->click();
    const std::pair<const char*, const char*> fields[] = {{"Text1", "0"},    {"Text2", "10000"},
                                                          {"Text10", "0"},   {"Text11", "9999.99"},
                                                          {"Text9", "0.01"}, {"Text13", "2.5"}};
    for (const auto& [name, text] : fields)
      window.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromLatin1(text));
  }
  void click(const char* button) {
    QTest::mouseClick(window.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
  }
};

void BM_ClickToTable(benchmark::State& state) {
  MillionRowWindow w;
  for (auto _ : state) {
    w.click("Command6");
    benchmark::DoNotOptimize(w.window.findChild<QWidget*>(QStringLiteral("Text12"))->grab());
  }
  state.counters["peak MB"] = PeakMegabytes();
  state.counters["holding MB"] = ResidentMegabytes();
}
BENCHMARK(BM_ClickToTable)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SaveTable(benchmark::State& state) {
  MillionRowWindow w;
  w.click("Command6");
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("table.txt"));
  for (auto _ : state) {
    w.dialogs.answers = {path};
    w.click("Command7");
  }
  state.counters["MB written"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
  state.counters["peak MB"] = PeakMegabytes();
}
BENCHMARK(BM_SaveTable)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tarnvel

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
