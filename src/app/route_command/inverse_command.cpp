#include "command_outcome.h"
#include "point_file.h"

namespace tarnvel {

CommandOutcome RunInverse(const RouteCommandLine& line, CommandOutput& output) {
  FileOutcome<Route> route = LoadRoute(line.route, line.source);
  if (const auto* refusal = std::get_if<FileRefusal>(&route))
    return ArgumentRefusal{refusal->message};
  auto points = ReadPointFile(line.points);
  if (const auto* refusal = std::get_if<FileRefusal>(&points))
    return ArgumentRefusal{refusal->message};
  std::string text = std::string(kInverseCsvHeader) + "\r\n";
  for (const SurveyPoint& point : std::get<std::vector<SurveyPoint>>(points)) {
    const std::vector<RouteFoot> feet =
        RouteFeet(std::get<Route>(route), point.point, line.maxOffset);
    for (const InverseCsvRow& row : InverseRows(point.name.toStdString(), point.xText.toStdString(),
                                                point.yText.toStdString(), feet, line.all))
      AppendInverseCsvRow(text, row, line.prefix);
    // A point's rows go out together, as they are found.
    if (!output.Add(text)) return ArgumentRefusal{output.failure()};
    text.clear();
  }
  if (!output.Add(text)) return ArgumentRefusal{output.failure()};
  return CommandResult{};
}

}  // namespace tarnvel
