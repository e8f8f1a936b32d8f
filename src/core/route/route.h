// A route: the whole alignment as an ordered chain of line elements, along
// which stations increase. Each element is computed exactly as the main
// window computes a single element, so a point of a route equals the
// single-element result, bit for bit, on the element that holds it.
#pragma once

#include <array>
#include <limits>
#include <string>
#include <variant>
#include <vector>

#include "core/element/centre_line.h"
#include "core/element/line_element.h"
#include "core/route/plan_box.h"
#include "core/route/plan_grid.h"
#include "core/route/station_equation.h"

namespace tarnvel {

// The eight values of an element as a user types them: stations and
// coordinates in metres, F in d.mmss, radii in metres with 0 for infinite,
// Q −1 (left), 0 (straight) or 1 (right).
struct ElementValues {
  double K0 = 0, K1 = 0, X0 = 0, Y0 = 0, F = 0, RQ = 0, RN = 0, Q = 0;

  bool operator==(const ElementValues&) const = default;
};

// The values in field order (the order of kElementFieldNames).
std::array<double, 8> FieldValues(const ElementValues& values);
ElementValues FromFieldValues(const std::array<double, 8>& fields);

// The element as the computations take it, as SJ loads the main window's
// fields: F in decimal degrees, a radius of 0 as kInfiniteRadius.
LineElement LoadElement(const ElementValues& values);

struct RouteElement {
  ElementValues values;
  std::string name;  // optional, may be empty

  bool operator==(const RouteElement&) const = default;
};

// The box that holds the centre line of `element` from K0 to K1, to within
// 1e-6 m outside it (never inside).
PlanBox CentreLineBox(const LineElement& element);

// The samples the route keeps of an element: its start, its end, and equal
// steps between that each turn at most 0.25 rad (at most 64 steps).
std::vector<CentreLineSample> CentreLineSamples(const LineElement& element);

// A route that passed MakeRoute: `loaded[i]` is element i as SJ loads it
// (F in decimal degrees, a radius of 0 as kInfiniteRadius). The rest is
// derived from these by MakeRoute, so that finding the elements near a
// station or a point does not look at every element; build a Route only
// through MakeRoute.
struct Route {
  std::vector<RouteElement> elements;
  std::vector<LineElement> loaded;

  std::vector<CentreLineSample> samples;  // every element's, in route order:
  std::vector<size_t> firstSample;        // element i's from firstSample[i] to
                                          // firstSample[i + 1]
  std::vector<PreparedElement> prepared;  // loaded[i] worked out for stations
  std::vector<PlanBox> boxes;             // each element's CentreLineBox
  std::vector<PlanBox> boxTree;           // runs of consecutive elements: node j holds
                                          // nodes 2j and 2j+1, element i is leaf
                                          // boxTree.size() / 2 + i
  PlanGrid grid;                          // the same boxes by cell, for the usual reach
  std::vector<int> byStart;               // element indices in order of K0, then index
  std::vector<double> reachK1;            // the greatest K1 among byStart[0..j]

  // The 断链 the route's file declares, in the file's order; none when it
  // declares none. Not derived from the elements: the reader sets them.
  std::vector<StationEquation> equations;
};

// Why a list of elements is not a route. `element` is 1-based (0 when the
// fault is the route's as a whole, such as no element at all); `field` is the
// index in kElementFieldNames, or -1 when no single field is at fault.
struct RouteError {
  int element = 0;
  int field = -1;
  std::string message;

  bool operator==(const RouteError&) const = default;
};

// Checks every element as the main window checks one (every value finite,
// Q −1, 0 or 1), and also K1 > K0 and at least one element; the first fault
// in route order, then field order, is given. An element whose computed end
// is not finite (coordinates near the double range) is refused as the main
// window refuses such a result, naming the element and no field.
std::variant<RouteError, Route> MakeRoute(std::vector<RouteElement> elements);

// The route's first start station and last end station.
double RouteStart(const Route& route);
double RouteEnd(const Route& route);

}  // namespace tarnvel
