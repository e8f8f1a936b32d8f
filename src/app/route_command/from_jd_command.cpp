#include "command_outcome.h"
#include "curve_table_text.h"
#include "jd_file.h"
#include "route_file.h"

namespace tarnvel {

CommandOutcome RunFromJd(const RouteCommandLine& line) {
  FileOutcome<JdRoute> jd = ReadJdRoute(line.route, line.source.startStation);
  if (const auto* refusal = std::get_if<FileRefusal>(&jd)) return ArgumentRefusal{refusal->message};
  const JdRoute& route = std::get<JdRoute>(jd);
  // The table is printed only once the file is written, so that a refused
  // save leaves nothing that looks like a result.
  if (const auto refusal = SaveRouteFile(*line.output, route.route.elements))
    return ArgumentRefusal{refusal->message};
  std::string text;
  for (char c : CurveTableText(route.curves)) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return CommandResult{std::move(text)};
}

}  // namespace tarnvel
