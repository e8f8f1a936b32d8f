#include "command_outcome.h"
#include "curve_table_text.h"
#include "jd_file.h"
#include "route_file.h"

namespace tarnvel {

CommandOutcome RunFromJd(const RouteCommandLine& line) {
  FileOutcome<JdRoute> jd = ReadJdRoute(line.route, line.source.startStation);
  if (const auto* refusal = std::get_if<FileRefusal>(&jd)) return ArgumentRefusal{refusal->message};
  const JdRoute& route = std::get<JdRoute>(jd);
  FileOutcome<QByteArray> file = RouteFileBytes(*line.output, route.route.elements);
  if (const auto* refusal = std::get_if<FileRefusal>(&file))
    return ArgumentRefusal{refusal->message};
  std::string text;
  for (char c : CurveTableText(route.curves)) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return CommandResult{std::move(text), kExitSuccess, std::get<QByteArray>(std::move(file))};
}

}  // namespace tarnvel
