#include <cmath>

#include "command_outcome.h"
#include "station_file.h"

namespace tarnvel {

namespace {

bool Finite(const RoutePoint& p) {
  return std::isfinite(p.result.point.X) && std::isfinite(p.result.point.Y) &&
         std::isfinite(p.result.azimuth);
}

const QString kNotComputable = QStringLiteral("计算结果超出数值范围，请检查输入数据！");

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
    if (!Finite(point)) return ArgumentRefusal{kNotComputable};
    rows.push_back({std::to_string(rows.size() + 1), std::move(point)});
  }
  return rows;
}

// The rows of a stations file: a line's own offset, or each of the command's;
// a station the route does not hold refuses the whole command.
std::variant<ArgumentRefusal, std::vector<ForwardCsvRow>> StationRows(const Route& route,
                                                                      const RouteCommandLine& line) {
  auto stations = ReadStationFile(*line.stations);
  if (const auto* refusal = std::get_if<FileRefusal>(&stations))
    return ArgumentRefusal{refusal->message};
  std::vector<ForwardCsvRow> rows;
  for (const StationLine& station : std::get<std::vector<StationLine>>(stations)) {
    const std::vector<double> offsets =
        station.offset ? std::vector<double>{*station.offset} : line.offsets;
    const std::string name = station.name.toStdString();
    for (double offset : offsets) {
      auto points = RouteForward(route, station.station, offset,
                                 station.skewDms.value_or(line.skewDms));
      if (const auto* refusal = std::get_if<StationRefusal>(&points))
        return ArgumentRefusal{QStringLiteral("文件“%1”第%2行：%3")
                                   .arg(FileNameForMessage(*line.stations),
                                        QString::number(station.line),
                                        QString::fromStdString(refusal->message))};
      for (RoutePoint& point : std::get<std::vector<RoutePoint>>(points)) {
        if (!Finite(point)) return ArgumentRefusal{kNotComputable};
        rows.push_back({name, std::move(point)});
      }
    }
  }
  return rows;
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
