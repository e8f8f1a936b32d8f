// Opening a long route: reading a 10,000-element table from disk and checking
// its joints, the work between choosing a file and seeing its joint report.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <string>

#include "core/element/centre_line.h"
#include "core/element/line_element.h"
#include "core/route/route_joints.h"
#include "core/text/angle.h"
#include "core/text/number_text.h"
#include "io/route/route_file.h"

namespace tarnvel {
namespace {

// Decimal degrees to d.mmss, as a design table writes an azimuth.
double ToDms(double degrees) {
  const double d = std::floor(degrees);
  const double minutes = (degrees - d) * 60;
  const double m = std::floor(minutes);
  return d + m / 100 + (minutes - m) * 60 / 10000;
}

// Straights, spirals and arcs in turn, each starting where the last ends, the
// curves turning left and right alternately so the route stays compact.
QByteArray GeneratedTable(int count) {
  std::string text =
      "起点桩号K,止点桩号K,起点坐标X,起点坐标Y,起点方位角F,起点半径RQ,止点半径RN,曲线转向Q\r\n";
  double K = 0, X = 3378605.445, Y = 453648.704, F = 45.3;
  for (int i = 0; i < count; ++i) {
    const int kind = i % 4;  // straight, spiral in, arc, spiral out
    const double turn = (i / 4) % 2 == 0 ? 1 : -1;
    const double RQ = kind == 2 || kind == 3 ? 800 : 0;
    const double RN = kind == 1 || kind == 2 ? 800 : 0;
    const double Q = kind == 0 ? 0 : turn;
    const double length = kind == 2 ? 150 : 100;
    const LineElement e{K,
                        K + length,
                        X,
                        Y,
                        DmsToDegrees(F),
                        RQ == 0 ? kInfiniteRadius : RQ,
                        RN == 0 ? kInfiniteRadius : RN,
                        Q};
    for (double v : {K, K + length, X, Y, F, RQ, RN, Q}) text += GeneralText(v) + ",";
    text.back() = '\r';
    text += '\n';
    const Point end = CentreLinePoint(e, K + length);
    X = std::round(end.X * 1000) / 1000;
    Y = std::round(end.Y * 1000) / 1000;
    F = ToDms(std::fmod(QXFWJ(e, K + length) + 360, 360));
    K += length;
  }
  return QByteArray::fromStdString(text);
}

void BM_ReadTableAndCheckJoints(benchmark::State& state) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("route.csv"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(GeneratedTable(static_cast<int>(state.range(0)))) < 0) {
    state.SkipWithError("cannot write the table");
    return;
  }
  file.close();
  for (auto _ : state) {
    const FileOutcome<Route> route = ReadRouteFile(path);
    if (!std::holds_alternative<Route>(route)) {
      state.SkipWithError(std::get<FileRefusal>(route).message.toStdString().c_str());
      return;
    }
    benchmark::DoNotOptimize(CheckJoints(std::get<Route>(route)));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadTableAndCheckJoints)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnvel
