// The design height of a stakeout row or a surveyed point: the centre
// line's from the profile alone, or, with cross sections, the road
// surface's at the point's own offset.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "core/profile/vertical_profile.h"
#include "core/section/cross_section.h"

namespace tarnvel {

// What a row says of a point beyond the outermost part, in 说明.
inline constexpr std::string_view kBeyondRoadNote = "超出路基范围";

struct DesignHeight {
  std::optional<double> elevation;  // nothing outside the profile or beyond the road
  bool beyondRoad = false;          // inside the profile, but off the road's surface
};

// Heights for stations taken mostly in order, as a table's rows come: the
// profile's grade line and the sections' interval are remembered from one
// station to the next, and the section is made once per station.
class DesignHeights {
 public:
  // `sections` may be null: every offset then takes the centre line's
  // elevation. A station up to `tolerance` past an end of the profile is at
  // that end (ProfileAt), and an offset up to `tolerance` beyond the road's
  // outer edge is on that edge (RiseTo).
  DesignHeights(const VerticalProfile& profile, const CrossSectionTable* sections,
                double tolerance = 0)
      : profile_(profile), sections_(sections), tolerance_(tolerance) {}

  DesignHeight At(double station, double offset);

  // Whether heights are the surface's across the sections.
  bool HasSections() const { return sections_ != nullptr; }

  // The interpolated section at the station (with sections only).
  const SectionStation& Section(double station);

 private:
  const VerticalProfile& profile_;
  const CrossSectionTable* sections_;
  double tolerance_;
  std::size_t profileLine_ = 0;
  std::size_t sectionInterval_ = 0;
  bool sectionMade_ = false;
  SectionStation section_;
};

}  // namespace tarnvel
