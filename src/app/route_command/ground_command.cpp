#include <cstdio>
#include <string>
#include <vector>

#include "app/route_command/centre_stations.h"
#include "app/route_command/command_files.h"
#include "app/route_command/command_options.h"
#include "core/surface/surface_cut.h"
#include "core/text/number_text.h"
#include "core/text/station_text.h"
#include "core/text/table_line.h"
#include "io/ground/ground_file.h"
#include "io/route/route_source.h"

namespace tarnvel {

namespace {

// What the blocks cannot show goes to standard error, a station at a time.
void Note(const std::string& station, const char* what) {
  std::fputs(("桩号" + station + what + "\n").c_str(), stderr);
}

// The ground on the centre line: the cut's where a piece of it holds
// offset 0.
std::optional<double> CentreElevation(const std::vector<std::vector<GroundPoint>>& pieces) {
  for (const std::vector<GroundPoint>& piece : pieces)
    if (auto elevation = ElevationOn(piece, 0)) return elevation;
  return std::nullopt;
}

}  // namespace

CommandOutcome RunGround(const GroundOptions& line, CommandOutput& output) {
  FileOutcome<Route> readRoute = LoadRoute(line.route, line.source);
  if (const auto* refusal = std::get_if<FileRefusal>(&readRoute))
    return ArgumentRefusal{refusal->message};
  const Route& route = std::get<Route>(readRoute);
  const RoutePositions positions(route);
  auto readGround = CommandGround(line, positions);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&readGround)) return *refusal;
  const auto& surface =
      std::get<SurfaceGround>(*std::get<std::optional<SurveyedGround>>(readGround));
  // The header waits in the output's chunk: a refusal before the first
  // rows writes nothing.
  if (line.centre) output.Add("桩号,里程,地面高程\r\n");
  std::string text;
  bool failed = false;
  CentreStationsRequest request;
  request.range = line.range;
  request.keyPoints = line.keyPoints;
  request.positionTolerance = line.tolerances.position_mm / 1000;  // mm to m
  const auto refusal = ForEachCentreStation(
      route, line, request,
      [&](const RoutePoint& point) {
        const std::vector<std::vector<GroundPoint>> pieces =
            SurfaceCut(surface.tin, point.result, surface.width);
        const std::string station = PassStationText(point.station, point.pass, line.prefix);
        text.clear();
        if (line.centre) {
          const std::optional<double> elevation = CentreElevation(pieces);
          const std::string cells[] = {station, FixedText(point.station, 3),
                                       elevation ? FixedText(*elevation, 3) : std::string()};
          text = TableLine(cells, ',');
        } else if (pieces.empty()) {
          Note(station, "的横断面线不在地面模型上，已略去。");
        } else {
          const std::size_t kept = CentrePiece(pieces);
          // The block form has no gap: the piece under the road stands for
          // the section.
          if (pieces.size() > 1)
            Note(station, CentreElevation({pieces[kept]})
                              ? "的横断面线离开地面模型又回到其上，只写出含中桩的一段。"
                              : "的横断面线离开地面模型又回到其上，只写出最长的一段。");
          AppendGroundBlock(text, point.station, point.pass, line.prefix, pieces[kept]);
        }
        failed = !output.Add(text);
        return !failed;
      },
      [&]() -> std::optional<ArgumentRefusal> {
        if (failed) return ArgumentRefusal{output.failure()};
        return std::nullopt;
      });
  if (refusal) return *refusal;
  return CommandResult{};
}

}  // namespace tarnvel
