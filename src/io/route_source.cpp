#include "route_source.h"

#include "route_file.h"

namespace tarnvel {

FileOutcome<Route> LoadRoute(const QString& path, const RouteSourceOptions& /*options*/) {
  return ReadRouteFile(path);
}

}  // namespace tarnvel
