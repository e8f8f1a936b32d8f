// A road for the earthworks tests, every figure of it worked by hand: a
// straight route north from (1000, 2000) at K0+000, level at 100.000, 5 m of
// road a side. The ground, surveyed at K0+100 and K0+140 alike, rises to the
// left from 101 at the hinge and falls to the right from 97.5. The left cut's
// ditch (0.6 deep at 1:1, 0.6 wide) ends at L6.8, 100.000, and its 1:1 slope
// meets the ground at L8.5, 101.700; the right fill falls at 1:1 to its 2 m
// berm at 99.000 (R6 to R8), then at 1:2 to R12.5, 96.750.
#pragma once

#include <variant>

#include "core/ground/ground_lines.h"
#include "core/profile/vertical_profile.h"
#include "core/route/route.h"
#include "core/route/route_position.h"
#include "core/section/section_rules.h"
#include "core/slopes/side_slopes.h"

namespace tarnvel::testing_support {

struct SlopeRoad {
  Route route = std::get<Route>(MakeRoute({{{0, 300, 1000, 2000, 0, 0, 0, 0}, ""}}));
  RoutePositions positions{route};
  VerticalProfile profile = std::get<VerticalProfile>(
      MakeVerticalProfile({{"A", 0, 100, 0, {}}, {"B", 300, 100, 0, {}}}));
  CrossSectionTable sections = std::get<CrossSectionTable>(
      MakeCrossSectionTable({{"行车道"}, {"行车道"}, false, {{0, {{5, 0}}, {{5, 0}}, 0}}}));
  GroundLines ground = std::get<GroundLines>(
      MakeGroundLines({{100, 1, 0, {{-20, 104}, {-5, 101}, {5, 97.5}, {20, 96}}},
                       {140, 1, 0, {{-20, 104}, {-5, 101}, {5, 97.5}, {20, 96}}}},
                      positions));
  SideSlopes slopes = std::get<SideSlopes>(
      MakeSideSlopes({{0, 1, 0, true, SlopeKind::Cut, {0.6, 0.6, 1, 1}, {{1, 0, 0}}},
                      {0, 1, 0, false, SlopeKind::Fill, {}, {{1, 1, 2}, {2, 0, 0}}}},
                     positions));
};

}  // namespace tarnvel::testing_support
