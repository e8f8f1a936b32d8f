// Routes for the tests, built from a design as a designer's program would
// print its element table: each element starts where the previous one ends.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/element/centre_line.h"
#include "core/route/route.h"

namespace tarnvel::testing_support {

// Decimal degrees (0 ≤ v < 360) to the d.mmss value a user types, the
// seconds rounded to `secondDecimals` places.
inline double DmsValue(double degrees, int secondDecimals) {
  const double scale = std::pow(10.0, secondDecimals);
  const double total = std::round(degrees * 3600 * scale) / scale;
  const int d = static_cast<int>(std::floor(total / 3600));
  const int m = static_cast<int>(std::floor((total - d * 3600) / 60));
  const double s = total - d * 3600 - m * 60;
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%0*.*f", secondDecimals + 3, secondDecimals, s);
  std::string fraction = seconds;
  fraction.erase(2, 1);  // the decimal point of the seconds
  char text[64];
  std::snprintf(text, sizeof text, "%d.%02d%s", d, m, fraction.c_str());
  return std::stod(text);
}

struct Piece {
  double length, RQ, RN, Q;
};

// Chains the pieces from station K0 at `start` with azimuth `degrees`.
// `rounded`: coordinates to the millimetre and azimuths to 0.1″, as design
// tables give them; otherwise as exact as the d.mmss value can hold.
inline std::vector<RouteElement> Design(double K0, Point start, double degrees,
                                        const std::vector<Piece>& pieces, bool rounded) {
  std::vector<RouteElement> elements;
  auto cut = [&](double v) { return rounded ? std::round(v * 1000) / 1000 : v; };
  for (const Piece& p : pieces) {
    const ElementValues v{
        K0,   K0 + p.length, cut(start.X), cut(start.Y), DmsValue(degrees, rounded ? 1 : 5),
        p.RQ, p.RN,          p.Q};
    elements.push_back({v, ""});
    const LineElement exact{K0,
                            K0 + p.length,
                            start.X,
                            start.Y,
                            degrees,
                            p.RQ == 0 ? kInfiniteRadius : p.RQ,
                            p.RN == 0 ? kInfiniteRadius : p.RN,
                            p.Q};
    const ForwardResult end = ForwardPoint(exact, exact.K1, 0, 90);
    start = end.point;
    degrees = std::fmod(end.azimuth + 360, 360);
    K0 = exact.K1;
  }
  return elements;
}

inline Route Build(std::vector<RouteElement> elements) {
  auto made = MakeRoute(std::move(elements));
  if (auto* error = std::get_if<RouteError>(&made)) ADD_FAILURE() << error->message;
  return std::get<Route>(std::move(made));
}

// A road from the main window's opening element: straight, spiral into a
// right-hand arc of 4500, spiral out.
inline const std::vector<Piece> kRoad = {
    {213.293, 0, 0, 0}, {360, 0, 4500, 1}, {401.25, 4500, 4500, 1}, {360, 4500, 0, 1}};
inline constexpr Point kRoadStart{3378605.445, 453648.704};
inline constexpr double kRoadAzimuth = 98.9488;

}  // namespace tarnvel::testing_support
