#include "command_outcome.h"
#include "landxml_export.h"

namespace tarnvel {

// The alignment is named as the route's source names it: a LandXML
// alignment's own name, or the table file's base name.
CommandOutcome RunExport(const RouteCommandLine& line) {
  FileOutcome<RouteSource> source = LoadRouteSource(line.route, line.source);
  if (const auto* refusal = std::get_if<FileRefusal>(&source))
    return ArgumentRefusal{refusal->message};
  const RouteSource& loaded = std::get<RouteSource>(source);
  CommandResult result;
  result.bytes = LandXmlAlignmentBytes(loaded.route, loaded.name, QDateTime::currentDateTime());
  return result;
}

}  // namespace tarnvel
