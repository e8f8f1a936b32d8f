#include "route_source.h"

#include "jd_file.h"
#include "route_file.h"

namespace tarnvel {

FileOutcome<Route> LoadRoute(const QString& path, const RouteSourceOptions& options) {
  if (!options.jdTable) return ReadRouteFile(path);
  FileOutcome<JdRoute> jd = ReadJdRoute(path, options.startStation);
  if (auto* refusal = std::get_if<FileRefusal>(&jd)) return std::move(*refusal);
  return std::get<JdRoute>(std::move(jd)).route;
}

}  // namespace tarnvel
