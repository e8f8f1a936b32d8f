// Every foot of a point on one element: the stations where the point lies
// square to the centre line's tangent.
#pragma once

#include <span>
#include <vector>

#include "core/element/centre_line.h"
#include "core/element/line_element.h"

namespace tarnvel {

struct Foot {
  double station = 0;  // the foot station S
  double offset = 0;   // signed distance from the tangent at S, + right
  bool settled = false;
};

// Every station S within K0–K1, ends included, at which the line from
// CentreLinePoint(S) to `p` is square to the tangent QXFWJ(S), in increasing
// station, each with the point's signed offset there (metres, + right of the
// direction of increasing station). Each station is found to 1e-9 m of where
// the along-tangent residual of these two functions vanishes, so to 1e-6 m
// of the exact curve wherever CentreLinePoint holds its accuracy.
//
// Finds feet near either end (a residual within 1e-7 m at an end counts as a
// foot there), the near and far feet of an arc, and points beyond 2R from an
// arc's centre or near it. The along-tangent residual is sampled at least 16
// times and at most every 0.1 rad of turn; each sign change, and each dip
// back across zero between samples (a point near the centre of curvature,
// whose two feet lie close together), is refined by Newton's method on the
// curvature law, with bisection whenever a step would leave its bracket;
// on an element that turns much, its steps take the line one panel on from
// the nearer end of the bracket, and one point of CentreLinePoint settles
// the foot.
// A point at the very centre of an arc is square to it everywhere: then the
// feet the samples happen to find are given. Not finite element values, or
// K1 = K0: no foot.
std::vector<Foot> AllFeet(const LineElement& element, Point p);

// The same bits, from the element's laws worked out already and the
// samples of its line a route keeps (CentreLineSamples): the points at its
// ends are not computed again.
std::vector<Foot> AllFeet(const LineElement& element, const PreparedElement& prepared, Point p,
                          std::span<const CentreLineSample> known);

// Of AllFeet, the one with the smallest |offset|, the lower station on a
// tie. `settled` is false when there is none.
Foot NearestFoot(const LineElement& element, Point p);

}  // namespace tarnvel
