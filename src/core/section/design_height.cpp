#include "core/section/design_height.h"

#include "core/section/section_surface.h"

namespace tarnvel {

const SectionStation& DesignHeights::Section(double station) {
  if (!sectionMade_ || section_.station != station) {
    SectionAt(*sections_, station, sectionInterval_, section_);
    sectionMade_ = true;
  }
  return section_;
}

DesignHeight DesignHeights::At(double station, double offset) {
  const std::optional<ProfilePoint> at = ProfileAt(profile_, station, profileLine_, tolerance_);
  if (!at) return {};
  if (!sections_) return {at->elevation};
  const std::optional<double> surface =
      SurfaceElevation(Section(station), at->elevation, offset, tolerance_);
  return {surface, !surface};
}

}  // namespace tarnvel
