#include "command_outcome.h"
#include "design_table_text.h"
#include "jd_file.h"
#include "route_file.h"

namespace tarnvel {

CommandOutcome RunFromJd(const RouteCommandLine& line) {
  FileOutcome<JdTable> table = ReadJdFile(line.route);
  if (const auto* refusal = std::get_if<FileRefusal>(&table))
    return ArgumentRefusal{refusal->message};
  const std::vector<JdPoint>& points = std::get<JdTable>(table).points;
  const double start = line.source.startStation;
  FileOutcome<JdRoute> jd = JdRouteOfTable(line.route, std::get<JdTable>(table), start);
  if (const auto* refusal = std::get_if<FileRefusal>(&jd)) return ArgumentRefusal{refusal->message};
  const JdRoute& route = std::get<JdRoute>(jd);
  FileOutcome<QByteArray> file = RouteFileBytes(*line.output, route.route.elements);
  if (const auto* refusal = std::get_if<FileRefusal>(&file))
    return ArgumentRefusal{refusal->message};
  std::string text = DesignTableHeaderLine('\t');
  for (size_t i = 0; i < points.size(); ++i)
    text +=
        DesignTableLine(DesignTableRow(points, route.curves, route.straightAfter, start, i), '\t');
  return CommandResult{std::move(text), kExitSuccess, std::get<QByteArray>(std::move(file))};
}

}  // namespace tarnvel
