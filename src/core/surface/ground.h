// The ground (原地面), whichever way it was surveyed: the 横断面地面线's lines
// at stations, or a surface (TIN) cut square to the centre line wherever it
// is asked for. The catch points, the slope heights and the areas take it
// the same either way.
#pragma once

#include <variant>
#include <vector>

#include "core/ground/ground_lines.h"
#include "core/route/route_position.h"
#include "core/surface/tin.h"

namespace tarnvel {

// How far out on each side a section is cut from a surface unless told.
inline constexpr double kDefaultGroundWidth = 50;

// A surface and what cutting a section from it needs: the route's frame at
// a position, and the width W of the section on each side.
struct SurfaceGround {
  Tin tin;
  RoutePositions positions;
  double width = kDefaultGroundWidth;
};

// The ground as it was read, held whole.
using SurveyedGround = std::variant<GroundLines, SurfaceGround>;

// The ground a computation takes, held by whoever read it: the lines, a
// surface, or none. Given the lines' address as a request's ground always
// was, or a surface's.
class Ground {
 public:
  Ground() = default;
  Ground(const GroundLines* lines) : lines_(lines) {}
  Ground(const SurfaceGround* surface) : surface_(surface) {}
  explicit Ground(const SurveyedGround& surveyed);

  explicit operator bool() const { return lines_ || surface_; }

  const GroundLines* lines() const { return lines_; }
  const SurfaceGround* surface() const { return surface_; }

 private:
  const GroundLines* lines_ = nullptr;
  const SurfaceGround* surface_ = nullptr;
};

// The ground across the route at `position` (RoutePositions), offsets
// increasing: the lines' GroundAt; or the surface's cut from −W to W there
// (SurfaceCut), the piece that holds the centre line where the cut leaves
// the surface and comes back (CentrePiece). Empty where there is none, and
// without a ground.
std::vector<GroundPoint> GroundAcross(const Ground& ground, double position);

}  // namespace tarnvel
