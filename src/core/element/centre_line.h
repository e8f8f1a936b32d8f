// Positions on the centre line of a loaded element, and points laid off it.
#pragma once

#include "core/element/line_element.h"

namespace tarnvel {

struct Point {
  double X = 0;  // northing, metres
  double Y = 0;  // easting, metres
};

// The centre-line point at station K, integrated from the element's start
// with the four-point Gauss–Legendre rule (nodes and weights cut to ten
// decimals). K may lie outside the element: the same curvature law is
// extended. Exact to far below 0.01 mm on any element that turns no more
// than 16 radians between K0 and K.
Point CentreLinePoint(const LineElement& element, double K);

struct ForwardResult {
  Point point;
  double azimuth = 0;  // tangent azimuth at K, decimal degrees
};

// A station of an element with its centre-line point and its unit tangent
// as (cos, sin) of QXFWJ there.
struct CentreLineSample {
  double station = 0;
  Point point;
  Point tangent;
};

// The point at station K, at distance m along the ray at skew angle
// `skewDms` (d.mmss, clockwise from the forward tangent; 90 is square to the
// right), and the centre line's tangent azimuth at K.
ForwardResult ForwardPoint(const LineElement& element, double K, double m, double skewDms);

// The same with the skew already in decimal degrees, for loops that convert
// it once.
ForwardResult ForwardPointDegrees(const LineElement& element, double K, double m,
                                  double skewDegrees);

// What CentreLinePoint takes from the element alone, worked out once for a
// table instead of at every station: all three of its divisions.
struct PositionLaw {
  double K0 = 0, X0 = 0, Y0 = 0, Q = 0;
  double start_curvature = 0;  // 1/RQ, per metre, unsigned
  double half_rate = 0;        // half the rate of change of curvature, per m²
  double start_heading = 0;    // F in radians
};

PositionLaw MakePositionLaw(const LineElement& element);
Point CentreLinePoint(const PositionLaw& law, double K);

// The point at station `to` carried from `from`, the point at station
// `fromK`, by one panel of the same rule: for a search stepping along a
// line that turns much, each step short, where CentreLinePoint would
// integrate from K0 at every station. Not CentreLinePoint's bits: its own
// error and the round-off of the running sum add up with the steps.
Point CentreLineStep(const PositionLaw& law, Point from, double fromK, double to);

// An element with both laws worked out, for the many stations of a table.
// Every result equals, bit for bit, the one from the LineElement forms,
// which compute through these.
struct PreparedElement {
  PositionLaw position;
  AzimuthLaw azimuth;
};

PreparedElement Prepare(const LineElement& element);
ForwardResult ForwardPointDegrees(const PreparedElement& element, double K, double m,
                                  double skewDegrees);

// The centre line's point and tangent azimuth at station K, worked out once
// for the several points a station gives (its offsets, its 边桩); PointOff
// then lays each off it. ForwardPointDegrees is FrameAt and PointOff, so the
// two ways give the same bits.
ForwardResult FrameAt(const PreparedElement& element, double K);
ForwardResult PointOff(const ForwardResult& frame, double m, double skewDegrees);

}  // namespace tarnvel
