#include "core/section/section_rules.h"

#include <cmath>

#include "core/route/position_tolerance.h"
#include "core/section/section_surface.h"

namespace tarnvel {

std::optional<SectionFault> SectionStationFault(const CrossSectionTable& table, std::size_t k) {
  using Kind = SectionFault::Kind;
  const SectionStation& s = table.stations[k];
  for (const bool left : {true, false}) {
    const std::vector<SectionPart>& side = left ? s.left : s.right;
    for (std::size_t part = 0; part < side.size(); ++part)
      if (side[part].width < 0) return SectionFault{Kind::kNegativeWidth, k, left, part};
  }
  const bool left = s.designOffset < 0;
  const double width = SideWidth(left ? s.left : s.right);
  if (std::fabs(s.designOffset) > width + kPositionTolerance)
    return SectionFault{Kind::kDesignOffsetOffRoad, k, left, 0, width};
  if (k > 0 && !(s.station > table.stations[k - 1].station))
    return SectionFault{Kind::kStationNotIncreasing, k};
  return std::nullopt;
}

std::variant<SectionFault, CrossSectionTable> MakeCrossSectionTable(CrossSectionTable table) {
  for (std::size_t k = 0; k < table.stations.size(); ++k)
    if (auto fault = SectionStationFault(table, k)) return *fault;
  return table;
}

}  // namespace tarnvel
