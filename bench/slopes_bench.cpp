// Catch points at 5,000 stations on both sides, with a ground line file of
// 50 points a station: the files read and the rows written, beside the same
// stakeout without slopes (the centre line and the 边桩, with heights across
// the sections). The slopes may add at most 0.5 s.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "core/profile/vertical_profile.h"
#include "core/route/route.h"
#include "core/route/route_forward.h"
#include "core/section/design_height.h"
#include "core/section/edge_points.h"
#include "core/slopes/catch_point.h"
#include "io/ground/ground_file.h"
#include "io/route/route_csv.h"
#include "io/slopes/slope_csv.h"
#include "io/slopes/slope_file.h"

namespace tarnvel {
namespace {

constexpr int kStations = 5000;
constexpr double kStep = 20;
constexpr double kLength = kStations * kStep;
constexpr int kGroundPoints = 50;

const Route& Road() {
  static const Route road =
      std::get<Route>(MakeRoute({{{0, kLength, 3378605.445, 453648.704, 60, 0, 0, 0}, "直线"}}));
  return road;
}

// Grades of ±2% between PVIs a kilometre apart.
const VerticalProfile& Profile() {
  static const VerticalProfile profile = [] {
    std::vector<Pvi> pvis;
    for (int k = 0; k <= kLength / 1000; ++k)
      pvis.push_back({"BPD" + std::to_string(k), k * 1000.0, k % 2 ? 120.0 : 100.0,
                      k == 0 || k == kLength / 1000 ? 0 : 20000.0});
    return std::get<VerticalProfile>(MakeVerticalProfile(std::move(pvis)));
  }();
  return profile;
}

const CrossSectionTable& Sections() {
  static const CrossSectionTable table{
      {"行车道", "土路肩"},
      {"行车道", "土路肩"},
      false,
      {{0, {{3.75, -2}, {0.75, -4}}, {{3.75, -2}, {0.75, -4}}, 0}}};
  return table;
}

// The files in a folder of their own: ground that wanders above and below
// the road and leans across it, so that both sides see fills and cuts; and
// the slopes of the README's example, berms and ditches and all.
struct Files {
  QTemporaryDir folder;
  QString ground, slopes;
  Files() {
    ground = folder.filePath(QStringLiteral("ground.csv"));
    slopes = folder.filePath(QStringLiteral("slopes.csv"));
    std::string text;
    for (int i = 0; i < kStations; ++i) {
      const double station = i * kStep;
      const double centre = ProfileAt(Profile(), station)->elevation + 3 * std::sin(station / 170);
      const double lean = 0.08 * std::sin(station / 530);
      text += "BEGIN," + std::to_string(station) + "\n";
      for (int k = 0; k < kGroundPoints; ++k) {
        const double offset = -60 + 120.0 * k / (kGroundPoints - 1);
        text += std::to_string(offset) + "," +
                std::to_string(centre + lean * offset + 0.3 * std::sin(offset)) + "\n";
      }
    }
    QFile g(ground);
    g.open(QIODevice::WriteOnly);
    g.write(text.data(), static_cast<qint64>(text.size()));
    QFile b(slopes);
    b.open(QIODevice::WriteOnly);
    b.write(
        "桩号,侧,填挖,边沟底宽,边沟深,边沟内坡,边沟外坡,坡率1,坡高1,平台1,坡率2,坡高2,平台2,坡率3\n"
        "K0+000,左,填,,,,,1.5,8,2,1.75\n"
        "K0+000,左,挖,0.6,0.6,1,1,1,10,2,1.25\n"
        "K0+000,右,填,,,,,1.5\n"
        "K0+000,右,挖,0.6,0.6,1,1,0.75\n");
  }
};

void BM_SlopeStakeout(benchmark::State& state) {
  const bool withSlopes = state.range(0) != 0;
  static const Files files;
  const Route& route = Road();
  RouteTableRequest request;
  request.from = 0;
  request.to = kLength - kStep;
  request.step = kStep;
  std::string text;
  std::vector<RoutePoint> edges;
  int64_t catchPoints = 0;
  for (auto _ : state) {
    const RoutePositions positions(route);
    std::optional<GroundLines> ground;
    std::optional<SideSlopes> slopes;
    if (withSlopes) {
      ground = std::get<GroundLines>(ReadGroundFile(files.ground, positions));
      slopes = std::get<SideSlopes>(ReadSlopeFile(files.slopes, positions));
    }
    DesignHeights heights(Profile(), &Sections());
    std::size_t profileLine = 0;
    ForEachRouteTableRow(route, request, [&](RoutePoint&& point) {
      text.clear();
      const double station = point.station;
      const int element = point.element;
      const ForwardResult frame = point.result;
      AppendForwardCsvRow(text, {"1", std::move(point)});
      const SectionStation& section = heights.Section(station);
      EdgePoints(route, Sections(), section, station, element, edges);
      for (RoutePoint& edge : edges) {
        const DesignHeight at = heights.At(station, edge.offset);
        AppendForwardCsvRow(text, {"1", std::move(edge), at.elevation}, "K", true);
      }
      if (withSlopes) {
        const double position = positions.At(element - 1, station);
        const std::vector<GroundPoint> here = GroundAt(*ground, position);
        const std::optional<ProfilePoint> design = ProfileAt(Profile(), station, profileLine);
        for (const bool left : {true, false}) {
          const SideCatch side =
              CatchPointAt(section, design->elevation, here, *slopes, position, left);
          std::optional<Point> at;
          if (side.catchPoint) {
            at = PointOff(frame, side.catchPoint->offset, 90).point;
            ++catchPoints;
          }
          AppendSlopeCsvRow(text, {CatchPointName("K", side), station, &side, nullptr, at}, "K");
        }
      }
      benchmark::DoNotOptimize(text.data());
      return true;
    });
  }
  state.counters["catch_points"] = static_cast<double>(catchPoints) / state.iterations();
}
BENCHMARK(BM_SlopeStakeout)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnvel
