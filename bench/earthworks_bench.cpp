// The ground as a surface and the volumes table, on a winding road of some
// 10 km surveyed as 1,000,000 points over a corridor 100 m either side (about
// 2 m² a point, as a drone's survey thinned), with 5,000 stations along it:
// - BM_TinOfPoints: the TIN built from the points, duplicates looked for,
//   triangulated and indexed (at most 3 s);
// - BM_TinFile: the same from a points file, read and built, as --tin does;
// - BM_CutStations: each station's ground line cut from it (at most 0.5 s);
// - BM_VolumeTable: the volumes table at the 5,000 stations, every input
//   already read, with the ground as lines of 50 points a station (0) or as
//   the TIN (1): the stations walked, the catch points, the areas, the rows
//   and their text (at most 1 s).
// The peak memory of a TIN of a million points is bench/tin_memory.sh's.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "core/earthworks/station_areas.h"
#include "core/earthworks/volume_table.h"
#include "core/element/line_element.h"
#include "core/profile/vertical_profile.h"
#include "core/route/route_forward.h"
#include "core/section/cross_section.h"
#include "core/slopes/side_slopes.h"
#include "core/stakeout/stakeout_builder.h"
#include "core/surface/ground.h"
#include "core/surface/tin.h"
#include "generated_road.h"
#include "io/earthworks/volume_csv.h"
#include "io/slopes/slope_file.h"
#include "io/surface/tin_file.h"

namespace tarnvel {
namespace {

constexpr int kPoints = 1'000'000;
constexpr int kStations = 5000;
constexpr double kReach = 100;  // the survey's, either side
constexpr int kLinePoints = 50;

const Route& Road() {
  static const Route road = GeneratedRoute(56);
  return road;
}

// Grades of ±2% between PVIs a kilometre apart.
const VerticalProfile& Profile() {
  static const VerticalProfile profile = [] {
    std::vector<Pvi> pvis;
    const double start = RouteStart(Road()), end = RouteEnd(Road());
    const int kilometres = static_cast<int>((end - start) / 1000) + 1;
    for (int k = 0; k <= kilometres; ++k)
      pvis.push_back({"BPD" + std::to_string(k), start + k * 1000.0, k % 2 ? 120.0 : 100.0,
                      k == 0 || k == kilometres ? 0 : 20000.0});
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

// The ground at a station and offset: wandering above and below the road
// and leaning across it, so that both sides see fills and cuts.
double GroundHeight(double station, double offset) {
  const double centre = ProfileAt(Profile(), station)->elevation + 3 * std::sin(station / 170);
  return centre + 0.08 * std::sin(station / 530) * offset + 0.3 * std::sin(offset);
}

// The surveyed points, at random stations and offsets; the same from one
// run to the next.
const std::vector<TinPoint>& Survey() {
  static const std::vector<TinPoint> points = [] {
    std::mt19937 random(20261209);
    const double start = RouteStart(Road()), end = RouteEnd(Road());
    std::vector<TinPoint> survey;
    survey.reserve(kPoints);
    for (int i = 0; i < kPoints; ++i) {
      const double K = std::uniform_real_distribution(start, end)(random);
      const double m = std::uniform_real_distribution(-kReach, kReach)(random);
      const Point at =
          std::get<std::vector<RoutePoint>>(RouteForward(Road(), K, m, 90)).front().result.point;
      survey.push_back({at.X, at.Y, GroundHeight(K, m)});
    }
    return survey;
  }();
  return points;
}

// The README's slopes, berms and ditches and all, read from their file.
const SideSlopes& Slopes() {
  static const SideSlopes slopes = [] {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("slopes.csv"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(
        "桩号,侧,填挖,边沟底宽,边沟深,边沟内坡,边沟外坡,坡率1,坡高1,平台1,坡率2,坡高2,平台2,坡率3\n"
        "K0+000,左,填,,,,,1.5,8,2,1.75\n"
        "K0+000,左,挖,0.6,0.6,1,1,1,10,2,1.25\n"
        "K0+000,右,填,,,,,1.5\n"
        "K0+000,右,挖,0.6,0.6,1,1,0.75\n");
    file.close();
    return std::get<SideSlopes>(ReadSlopeFile(path, RoutePositions(Road())));
  }();
  return slopes;
}

Ground SurfaceOfSurvey() {
  static const SurfaceGround surface{TinOfPoints(Survey(), std::nullopt).tin,
                                     RoutePositions(Road())};
  return &surface;
}

// Lines of 50 points ±60 m at every station of the table.
Ground LinesOfSurvey() {
  static const GroundLines ground = [] {
    const RoutePositions positions(Road());
    std::vector<GroundLine> lines;
    const double start = RouteStart(Road()), step = (RouteEnd(Road()) - start) / kStations;
    for (int i = 0; i <= kStations; ++i) {
      GroundLine line{start + i * step, 1, 0, {}};
      for (int k = 0; k < kLinePoints; ++k) {
        const double offset = -60 + 120.0 * k / (kLinePoints - 1);
        line.points.push_back({offset, GroundHeight(line.station, offset)});
      }
      lines.push_back(std::move(line));
    }
    return std::get<GroundLines>(MakeGroundLines(std::move(lines), positions));
  }();
  return &ground;
}

void BM_TinOfPoints(benchmark::State& state) {
  const std::vector<TinPoint>& survey = Survey();
  for (auto _ : state) {
    const TinFromPoints made = TinOfPoints(survey, std::nullopt);
    benchmark::DoNotOptimize(made.tin.faces.data());
    state.counters["faces"] = static_cast<double>(made.tin.faces.size());
  }
}
BENCHMARK(BM_TinOfPoints)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TinFile(benchmark::State& state) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("survey.csv"));
  {
    std::string text = "点名,X,Y,H\r\n";
    char line[128];
    int i = 0;
    for (const TinPoint& p : Survey())
      text.append(line, static_cast<std::size_t>(std::snprintf(
                            line, sizeof line, "P%d,%.4f,%.4f,%.3f\r\n", ++i, p.X, p.Y, p.H)));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text.data(), static_cast<qint64>(text.size()));
  }
  for (auto _ : state) {
    const auto read = ReadTinFile(path, std::nullopt);
    benchmark::DoNotOptimize(&read);
  }
}
BENCHMARK(BM_TinFile)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CutStations(benchmark::State& state) {
  const Ground ground = SurfaceOfSurvey();
  const double length = RouteEnd(Road()) - RouteStart(Road());
  std::size_t points = 0;
  for (auto _ : state) {
    points = 0;
    for (int i = 0; i < kStations; ++i) {
      const std::vector<GroundPoint> line = GroundAcross(ground, length * (i + 0.5) / kStations);
      points += line.size();
      benchmark::DoNotOptimize(line.data());
    }
  }
  state.counters["points_a_line"] = static_cast<double>(points) / kStations;
  // The faces the sections look through, by cell of the index.
  const Tin& tin = ground.surface()->tin;
  state.counters["index_entries"] = static_cast<double>(tin.cellFaces.size());
}
BENCHMARK(BM_CutStations)->Unit(benchmark::kMillisecond);

void BM_VolumeTable(benchmark::State& state) {
  const Ground ground = state.range(0) ? SurfaceOfSurvey() : LinesOfSurvey();
  const Route& route = Road();
  StakeoutRequest request;
  StakeoutRange& range = request.range.emplace();
  range.from = RouteStart(route);
  range.to = RouteEnd(route);
  range.step = (range.to - range.from) / kStations;
  const RoutePositions positions(route);
  std::string text;
  int64_t withAreas = 0;
  for (auto _ : state) {
    VolumeTable table(true);
    std::size_t profileLine = 0, interval = 0;
    SectionStation section;
    withAreas = 0;
    BuildStakeout(route, request, [&](StakeRow&& row) {
      const RoutePoint& point = row.point;
      const std::optional<ProfilePoint> design = ProfileAt(Profile(), point.station, profileLine);
      SectionAt(Sections(), point.station, interval, section);
      VolumeStation station;
      station.station = point.station;
      station.position = positions.At(point.element - 1, point.station);
      station.curvature = CurvatureAt(
          MakeAzimuthLaw(route.loaded[static_cast<std::size_t>(point.element - 1)]), point.station);
      StationAreas areas =
          AreasAt(section, design->elevation, GroundAcross(ground, station.position), Slopes(),
                  station.position);
      withAreas += areas.areas.has_value();
      station.areas = areas.areas;
      station.note = std::move(areas.note);
      text.clear();
      AppendVolumeCsvRow(text, point.station, "K", table.Add(station));
      benchmark::DoNotOptimize(text.data());
      return true;
    });
  }
  state.counters["stations_with_areas"] = static_cast<double>(withAreas);
}
BENCHMARK(BM_VolumeTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnvel
