// The heights of an inverse's rows, as `tarnvel-route inverse` writes them
// and the route window's 批量反算 shows them: 设计高程 at the foot (with cross
// sections, the surface's at the point's own offset), and, with the side
// slopes, a point beyond the road's edge put on the slope with its
// 距坡脚坡口.
#pragma once

#include <optional>

#include "core/profile/vertical_profile.h"
#include "core/route/route.h"
#include "core/route/route_position.h"
#include "core/section/cross_section.h"
#include "core/section/design_height.h"
#include "core/slopes/side_slopes.h"
#include "core/surface/ground.h"
#include "io/route/route_csv.h"

namespace tarnvel {

// For rows taken mostly in order of station, as a points file's come.
class InverseHeights {
 public:
  // `sections` and `slopes` may be null, `ground` none. The slopes take a point
  // beyond the road, which only the sections tell, and the ground picks
  // the slope's chain. A foot up to `tolerance` past an end of the profile
  // is at that end.
  InverseHeights(const Route& route, const VerticalProfile& profile,
                 const CrossSectionTable* sections, Ground ground, const SideSlopes* slopes,
                 double tolerance);

  // Gives `row` the point's H, its 设计高程 and what follows from it: beyond
  // the road 超出路基范围, or on the slope its 距坡脚坡口 and slope note
  // (SlopePointAt).
  void Fill(InverseCsvRow& row, std::optional<double> height);

 private:
  const VerticalProfile& profile_;
  Ground ground_;
  const SideSlopes* slopes_;
  RoutePositions positions_;
  DesignHeights heights_;
  double tolerance_;
  std::size_t profileLine_ = 0;
};

}  // namespace tarnvel
