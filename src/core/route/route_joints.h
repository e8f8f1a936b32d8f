// The joint check of a route: how well each element's computed end meets the
// typed start of the next, and the surveyors' name of each key point.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/element/element_kind.h"
#include "core/route/position_tolerance.h"
#include "core/route/route.h"

namespace tarnvel {

// The status of a joint or an End check, as every table, report and plan
// writes it.
inline constexpr std::string_view kClosedWord = "闭合";
inline constexpr std::string_view kOutOfToleranceWord = "超限";
inline constexpr std::string_view StatusWord(bool closed) {
  return closed ? kClosedWord : kOutOfToleranceWord;
}

struct JointTolerances {
  double position_mm = kPositionToleranceMm;  // computed end to typed start
  double azimuth_sec = 2;                     // tangent at the end against the typed F
};

// One joint between element `left` and left + 1 (1-based). A route of one
// element has none.
struct Joint {
  int left = 0;
  double dK = 0;     // K0(i+1) − K1(i), m: > 0 短链, < 0 长链, 0 continuous
  double dX_mm = 0;  // typed start of i+1 minus computed end of i
  double dY_mm = 0;
  double d_mm = 0;             // hypot(dX, dY)
  double daz_sec = 0;          // typed F of i+1 minus the tangent at the end of i,
                               // reduced to (−648000, 648000]
  double curvatureEnd = 0;     // signed (right +), 1/m, at the end of i
  double curvatureStart = 0;   // signed, at the start of i+1
  bool curvatureJump = false;  // the two differ beyond SameCurvature (a note,
                               // not a fault)
  std::string label;           // "ZH", "HY", … or "" for straight to straight
  bool closed = true;          // 闭合: d_mm and |daz_sec| within the tolerances
                               // (a value that is not a number is 超限), and the
                               // stations as the route's declared 断链 say
  bool jump = false;           // |dK| beyond the position tolerance: a 断链
  int equation = 0;            // 1-based, the declared 断链 its stations match
  bool undeclared = false;     // a jump that matches none of the declared 断链
  // The declared 断链 that match no joint, this one being the nearest to each.
  std::vector<StationEquation> unmatched;
};

// Every joint of the route. When the route declares 断链, each jump must
// match one, its K1 and the next K0 each within the position tolerance of
// the declared stations, and each declaration must match the stations of a
// joint; a jump that does not is 超限 where it is, and a declaration that
// does not is 超限 at the joint whose K1 is nearest its 等号前桩号. A route
// that declares none takes its jumps as they are.
std::vector<Joint> CheckJoints(const Route& route, const JointTolerances& tolerances = {});

// A key point of the route: every joint's label, every arc's QZ at its middle
// station, 起点 at the first start and 终点 at the last end, in order along
// the route (element, then station: in a 长链 the stations run back once).
// At a 断链 joint the key point is the next element's start. A joint between
// two straights has no label and no key point.
struct KeyPoint {
  double station = 0;
  int element = 0;  // 1-based, the element that holds the station
  std::string label;
};

std::vector<KeyPoint> KeyPoints(const Route& route);

// The surveyors' name of the joint where `left` ends and `right` begins,
// judged by the curvature at each side; "" between two straights.
std::string_view JointLabel(const LineElement& left, const LineElement& right);

// The label KeyPoints gives station K on element `index` (0-based), or "".
std::string_view KeyPointLabel(const Route& route, int index, double K);

}  // namespace tarnvel
