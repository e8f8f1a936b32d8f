// The ground line file reader on arbitrary file contents, along a route with
// a 长链, and the catch points of a fixed road and slope on what it accepts.
// What it accepts holds lines in route order, each of at least two points
// of increasing offsets; a catch point found lies on that ground, within
// its offsets.
#include <QByteArray>
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <variant>

#include "core/slopes/catch_point.h"
#include "fuzz_checks.h"
#include "io/ground/ground_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvel;
  static const Route route = std::get<Route>(
      MakeRoute({{{0, 1000, 0, 0, 0, 0, 0, 0}, ""}, {{980, 2000, 1000, 0, 0, 0, 0, 0}, ""}}));
  const RoutePositions positions(route);
  const auto outcome = InFile(
      QStringLiteral("地面线.csv"),
      ParseGroundFile(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
                      positions));
  if (const auto* refusal = std::get_if<FileRefusal>(&outcome)) {
    fuzzing::Require(refusal->message.startsWith(QStringLiteral("文件“地面线.csv”")),
                     "a refusal that does not name the file");
    return 0;
  }
  const GroundLines& ground = std::get<GroundLines>(outcome);
  SideSlopes slopes;
  for (const bool left : {true, false}) {
    slopes.lines[left][0].push_back({0, 1, -1e9, left, SlopeKind::Fill, {}, {{1.5, 2, 1}, {2}}});
    slopes.lines[left][1].push_back(
        {0, 1, -1e9, left, SlopeKind::Cut, {0.5, 0.6, 1, 1}, {{1, 4, 2}, {1.25}}});
  }
  SectionStation section;
  section.left = {{3.75, -2}, {0.75, -4}};
  section.right = {{3.75, -2}, {0.75, -4}};
  for (std::size_t k = 0; k < ground.lines.size(); ++k) {
    const GroundLine& line = ground.lines[k];
    fuzzing::Require(k == 0 || line.position > ground.lines[k - 1].position,
                     "lines not in route order");
    fuzzing::Require(line.points.size() >= 2, "a line of fewer than two points");
    for (std::size_t i = 1; i < line.points.size(); ++i)
      fuzzing::Require(line.points[i].offset > line.points[i - 1].offset, "offsets not increasing");
    const double between = k + 1 < ground.lines.size()
                               ? (line.position + ground.lines[k + 1].position) / 2
                               : line.position;
    const std::vector<GroundPoint> here = GroundAt(ground, between);
    for (const bool left : {true, false}) {
      const SideCatch side = CatchPointAt(section, 100, here, slopes, between, left);
      if (!side.catchPoint || !std::isfinite(side.catchPoint->offset)) continue;
      const std::optional<double> on = ElevationOn(here, side.catchPoint->offset);
      fuzzing::Require(on.has_value(), "a catch point off the ground");
    }
  }
  return 0;
}
