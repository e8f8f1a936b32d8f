#include "command_outcome.h"
#include "point_file.h"

namespace tarnvel {

CommandOutcome RunInverse(const RouteCommandLine& line) {
  FileOutcome<Route> route = LoadRoute(line.route, line.source);
  if (const auto* refusal = std::get_if<FileRefusal>(&route)) return ArgumentRefusal{refusal->message};
  auto points = ReadPointFile(line.points);
  if (const auto* refusal = std::get_if<FileRefusal>(&points)) return ArgumentRefusal{refusal->message};
  std::vector<InverseCsvRow> rows;
  for (const SurveyPoint& point : std::get<std::vector<SurveyPoint>>(points)) {
    const std::vector<RouteFoot> feet = RouteFeet(std::get<Route>(route), point.point, line.maxOffset);
    for (InverseCsvRow& row : InverseRows(point.name.toStdString(), point.xText.toStdString(),
                                          point.yText.toStdString(), feet, line.all))
      rows.push_back(std::move(row));
  }
  return CommandResult{InverseCsvText(rows)};
}

}  // namespace tarnvel
