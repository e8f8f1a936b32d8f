#include "io/route/route_source.h"

#include <QFileInfo>

#include "io/route/jd_file.h"
#include "io/route/route_file.h"

namespace tarnvel {

namespace {

// A LandXML alignment's stations jump only where its StaEquation elements
// start them afresh, so each jump is a 断链 the file declares.
void DeclareLandXmlEquations(Route& route) {
  for (size_t i = 0; i + 1 < route.elements.size(); ++i) {
    const double back = route.elements[i].values.K1;
    const double ahead = route.elements[i + 1].values.K0;
    if (ahead != back) route.equations.push_back({back, ahead});
  }
}

}  // namespace

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
    DeclareLandXmlEquations(read.route);
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
