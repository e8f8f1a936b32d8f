#include "route_source.h"

#include "jd_file.h"
#include "route_file.h"

namespace tarnvel {

namespace {

FileOutcome<Route> LoadJdRoute(const QString& path, double startStation) {
  FileOutcome<JdRoute> jd = ReadJdRoute(path, startStation);
  if (auto* refusal = std::get_if<FileRefusal>(&jd)) return std::move(*refusal);
  std::variant<RouteError, Route> route =
      MakeRoute(std::get<JdRoute>(std::move(jd)).elements);
  // Only a table of absurd sizes gets here, such as a spiral too short to
  // lengthen a station of its magnitude.
  if (const auto* error = std::get_if<RouteError>(&route))
    return FileRefusal{QStringLiteral("文件“%1”：%2")
                           .arg(FileNameForMessage(path), QString::fromStdString(error->message))};
  return std::get<Route>(std::move(route));
}

}  // namespace

FileOutcome<Route> LoadRoute(const QString& path, const RouteSourceOptions& options) {
  if (options.jdTable) return LoadJdRoute(path, options.startStation);
  return ReadRouteFile(path);
}

}  // namespace tarnvel
