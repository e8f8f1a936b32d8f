#include "command_outcome.h"
#include "station_rows.h"

namespace tarnvel {

namespace {

// The rows of a range, named by their row number.
std::variant<ArgumentRefusal, std::vector<ForwardCsvRow>> RangeRows(const Route& route,
                                                                    const RouteCommandLine& line) {
  RouteTableRequest request;
  request.from = line.range->from;
  request.to = line.range->to;
  request.step = line.range->step;
  request.offsets = line.offsets;
  request.skewDms = line.skewDms;
  request.keyPoints = line.keyPoints;
  auto table = RouteTable(route, request);
  if (const auto* refusal = std::get_if<StationRefusal>(&table))
    return ArgumentRefusal{QString::fromStdString(refusal->message)};
  std::vector<ForwardCsvRow> rows;
  for (RoutePoint& point : std::get<std::vector<RoutePoint>>(table)) {
    if (!IsFinitePoint(point)) return ArgumentRefusal{kRouteNotComputable};
    rows.push_back({std::to_string(rows.size() + 1), std::move(point)});
  }
  return rows;
}

// The rows of a stations file; a station the route does not hold refuses the
// whole command.
std::variant<ArgumentRefusal, std::vector<ForwardCsvRow>> StationRows(const Route& route,
                                                                      const RouteCommandLine& line) {
  auto stations = ReadStationFile(*line.stations);
  if (const auto* refusal = std::get_if<FileRefusal>(&stations))
    return ArgumentRefusal{refusal->message};
  auto rows = StationFileRows(route, *line.stations, std::get<std::vector<StationLine>>(stations),
                              line.offsets, line.skewDms);
  if (const auto* refusal = std::get_if<QString>(&rows)) return ArgumentRefusal{*refusal};
  return std::get<std::vector<ForwardCsvRow>>(std::move(rows));
}

}  // namespace

CommandOutcome RunForward(const RouteCommandLine& line) {
  FileOutcome<Route> route = LoadRoute(line.route, line.source);
  if (const auto* refusal = std::get_if<FileRefusal>(&route)) return ArgumentRefusal{refusal->message};
  auto rows = line.range ? RangeRows(std::get<Route>(route), line)
                         : StationRows(std::get<Route>(route), line);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&rows)) return *refusal;
  return CommandResult{ForwardCsvText(std::get<std::vector<ForwardCsvRow>>(rows))};
}

}  // namespace tarnvel
