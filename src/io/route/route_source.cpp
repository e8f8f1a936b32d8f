#include "route_source.h"

#include <QFileInfo>

#include "jd_file.h"
#include "route_file.h"

namespace tarnvel {

bool IsLandXmlPath(const QString& path) {
  return path.endsWith(QStringLiteral(".xml"), Qt::CaseInsensitive);
}

FileOutcome<RouteSource> LoadRouteSource(const QString& path, const RouteSourceOptions& options) {
  if (options.jdTable) {
    FileOutcome<JdRoute> jd = ReadJdRoute(path, options.startStation);
    if (auto* refusal = std::get_if<FileRefusal>(&jd)) return std::move(*refusal);
    return RouteSource{
        std::get<JdRoute>(std::move(jd)).route, QFileInfo(path).completeBaseName(), {}};
  }
  if (IsLandXmlPath(path)) {
    auto alignment = ReadLandXmlAlignment(path, options.alignment);
    if (auto* refusal = std::get_if<FileRefusal>(&alignment)) return std::move(*refusal);
    auto& read = std::get<LandXmlAlignment>(alignment);
    return RouteSource{std::move(read.route), read.name, std::move(read.endChecks)};
  }
  if (!options.alignment.isEmpty()) {
    return FileRefusal{QStringLiteral("文件“%1”不是LandXML文件（.xml），没有名为“%2”的路线！")
                           .arg(FileNameForMessage(path), options.alignment)};
  }
  auto route = ReadRouteFile(path);
  if (auto* refusal = std::get_if<FileRefusal>(&route)) return std::move(*refusal);
  return RouteSource{std::get<Route>(std::move(route)), QFileInfo(path).completeBaseName(), {}};
}

FileOutcome<Route> LoadRoute(const QString& path, const RouteSourceOptions& options) {
  auto source = LoadRouteSource(path, options);
  if (auto* refusal = std::get_if<FileRefusal>(&source)) return std::move(*refusal);
  return std::get<RouteSource>(std::move(source)).route;
}

}  // namespace tarnvel
