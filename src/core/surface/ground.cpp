#include "core/surface/ground.h"

#include "core/surface/surface_cut.h"

namespace tarnvel {

Ground::Ground(const SurveyedGround& surveyed) {
  if (const auto* lines = std::get_if<GroundLines>(&surveyed)) {
    lines_ = lines;
  } else {
    surface_ = &std::get<SurfaceGround>(surveyed);
  }
}

std::vector<GroundPoint> GroundAcross(const Ground& ground, double position) {
  if (ground.lines()) return GroundAt(*ground.lines(), position);
  if (!ground.surface()) return {};
  const SurfaceGround& surface = *ground.surface();
  std::vector<std::vector<GroundPoint>> pieces =
      SurfaceCut(surface.tin, surface.positions.FrameAt(position), surface.width);
  if (pieces.empty()) return {};
  return std::move(pieces[CentrePiece(pieces)]);
}

}  // namespace tarnvel
