#include "core/section/section_surface.h"

#include <cmath>

namespace tarnvel {

double SideWidth(const std::vector<SectionPart>& parts) {
  double width = 0;
  for (const SectionPart& part : parts) width += part.width;
  return width;
}

std::optional<double> RiseTo(const SectionStation& section, double offset, double tolerance) {
  const std::vector<SectionPart>& parts = offset < 0 ? section.left : section.right;
  const double distance = std::fabs(offset);
  // Summed part by part as OuterEdgeOffset sums them, so that an edge's own
  // offset is on the road, never a hair beyond it.
  double reached = 0;
  double rise = 0;
  for (const SectionPart& part : parts) {
    const double edge = reached + part.width;
    if (distance <= edge) return rise + (distance - reached) * part.slope / 100;
    rise += part.width * part.slope / 100;
    reached = edge;
  }
  // The centre line itself is on the road even where a side has no part.
  if (distance == 0 || distance - reached <= tolerance) return rise;
  return std::nullopt;
}

std::optional<double> SurfaceElevation(const SectionStation& section, double designElevation,
                                       double offset, double tolerance) {
  const std::optional<double> design = RiseTo(section, section.designOffset, kPositionTolerance);
  const std::optional<double> here = RiseTo(section, offset, tolerance);
  if (!design || !here) return std::nullopt;
  return designElevation - *design + *here;
}

double OuterEdgeOffset(const SectionStation& section, bool left, std::size_t k) {
  const std::vector<SectionPart>& parts = left ? section.left : section.right;
  double offset = 0;
  for (std::size_t i = 0; i <= k; ++i) offset += parts[i].width;
  return left ? -offset : offset;
}

}  // namespace tarnvel
