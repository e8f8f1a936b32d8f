#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QPixmap>
#include <string>
#include <variant>

#include "core/element/continuous_computation.h"
#include "ui/main/results_box.h"

namespace tarnvel {
namespace {

// One application for the whole run, drawn offscreen unless told otherwise.
QApplication& App() {
  static int argc = 1;
  static char name[] = "ui_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

// A million rows along the initial element: 360 m at a step of 0.36 mm.
const TableFields kMillionRows{
    {"7586.707", "7946.707", "3378605.445", "453648.704", "98.565562", "0", "4500", "1"},
    "7586.707",
    "7946.707",
    "0.00036",
    "0",
    "90"};

const QString& MillionRowText() {
  static const QString text =
      QString::fromStdString(std::get<std::string>(ComputeTable(kMillionRows)));
  return text;
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;
}

// Setting a million-row text and drawing it the first time.
void BM_SetTableTextAndPaint(benchmark::State& state) {
  App();
  const QString& text = MillionRowText();
  ResultsBox box;
  box.resize(380, 125);
  for (auto _ : state) {
    box.setTableText(text);
    benchmark::DoNotOptimize(box.grab());
  }
  state.counters["peakMB"] = PeakMegabytes();
}
BENCHMARK(BM_SetTableTextAndPaint)->Unit(benchmark::kMillisecond);

// The same text with LF line ends, which the box turns into CR LF.
void BM_SetLineFeedText(benchmark::State& state) {
  App();
  QString text = MillionRowText();
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  ResultsBox box;
  for (auto _ : state) box.setTableText(text);
}
BENCHMARK(BM_SetLineFeedText)->Unit(benchmark::kMillisecond);

// The text the table file takes, read back from the box.
void BM_TableText(benchmark::State& state) {
  App();
  ResultsBox box;
  box.setTableText(MillionRowText());
  for (auto _ : state) benchmark::DoNotOptimize(box.tableText());
}
BENCHMARK(BM_TableText)->Unit(benchmark::kMicrosecond);

// One character typed at the top of a million rows, the slowest place.
void BM_TypeAtTop(benchmark::State& state) {
  App();
  ResultsBox box;
  box.setTableText(MillionRowText());
  for (auto _ : state) {
    box.insertText(QStringLiteral("备"));
    box.moveCursor(QTextCursor::Start);
  }
}
BENCHMARK(BM_TypeAtTop)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnvel
