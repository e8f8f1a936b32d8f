// Where a route comes from: the one place the command and the route window
// turn what the user named into a Route, whatever kind of file it is.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "core/route/route.h"
#include "io/files/file_refusal.h"
#include "io/landxml/landxml_import.h"

namespace tarnvel {

// How the user said to read the file, beyond its name.
struct RouteSourceOptions {
  // A JD file (交点表, ReadJdRoute) rather than an element table, with BP at
  // this station (when not given, at BP's 交点桩号 in the file, or 0).
  bool jdTable = false;
  std::optional<double> startStation;
  // The alignment of a LandXML file to read; its first when empty. Only a
  // LandXML file has alignments.
  QString alignment;
};

// A file name ending in ".xml" (in any case) is a LandXML file.
bool IsLandXmlPath(const QString& path);

// The route in the file at `path`: as the options say, the route a JD file
// gives; a LandXML alignment (ReadLandXmlAlignment) for a ".xml" file; else
// the element table file, or the main window's element data file as a
// one-element route (ReadRouteFile). Refusals name the file and say what is
// wrong with it; an alignment asked for of a file that is not LandXML is
// refused.
FileOutcome<Route> LoadRoute(const QString& path, const RouteSourceOptions& options = {});

// The same with what the file says of itself: a LandXML alignment's name and
// its End checks (none for a table, whose name is the file's base name).
struct RouteSource {
  Route route;
  QString name;
  std::vector<LandXmlEndCheck> endChecks;
};
FileOutcome<RouteSource> LoadRouteSource(const QString& path,
                                         const RouteSourceOptions& options = {});

}  // namespace tarnvel
