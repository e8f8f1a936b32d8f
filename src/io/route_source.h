// Where a route comes from: the one place the command and the route window
// turn what the user named into a Route, whatever kind of file it is.
#pragma once

#include <QString>

#include "file_refusal.h"
#include "route.h"

namespace tarnvel {

// How the user said to read the file, beyond its name.
struct RouteSourceOptions {
  // A JD file (交点表, ReadJdRoute) rather than an element table, with BP at
  // this station.
  bool jdTable = false;
  double startStation = 0;
};

// The route in the file at `path`: the element table file, or the main
// window's element data file as a one-element route (ReadRouteFile); or, as
// the options say, the route a JD file gives.
// Refusals name the file and say what is wrong with it.
FileOutcome<Route> LoadRoute(const QString& path, const RouteSourceOptions& options = {});

}  // namespace tarnvel
