#include "core/section/edge_points.h"

#include "core/section/section_surface.h"

namespace tarnvel {

void EdgePoints(const Route& route, const CrossSectionTable& table, const SectionStation& section,
                double station, int element, std::vector<RoutePoint>& out) {
  out.clear();
  const auto index = static_cast<std::size_t>(element - 1);
  const bool prepared = route.prepared.size() == route.loaded.size();
  // The edges share the station's centre point and tangent.
  const ForwardResult frame =
      FrameAt(prepared ? route.prepared[index] : Prepare(route.loaded[index]), station);
  for (const bool left : {true, false}) {
    const std::vector<std::string>& parts = left ? table.leftParts : table.rightParts;
    for (std::size_t k = 0; k < parts.size(); ++k) {
      const double offset = OuterEdgeOffset(section, left, k);
      out.push_back({.element = element,
                     .station = station,
                     .offset = offset,
                     .skewDms = 90,
                     .result = PointOff(frame, offset, 90),
                     .label = (left ? "左" : "右") + parts[k] + "外"});
    }
  }
}

}  // namespace tarnvel
