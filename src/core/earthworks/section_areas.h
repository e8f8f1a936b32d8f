// The cut and fill areas of a station's section, with their first moments
// about the centre line: the regions FillAndCut finds between the design
// line and the ground, the ones the 横断面 drawing shades, measured exactly
// as the polygons they are.
#pragma once

#include <vector>

#include "core/slopes/fill_and_cut.h"

namespace tarnvel {

// One kind's area and its first moment about the centre line (offset times
// area, right positive): the moment over the area is its centroid's offset.
struct AreaMoment {
  double area = 0;
  double moment = 0;
};

struct SectionAreas {
  AreaMoment cut;   // 挖: the design line below the ground
  AreaMoment fill;  // 填: the design line above the ground
};

// Each kind's regions summed.
SectionAreas AreasOf(const std::vector<EarthworkArea>& regions);

}  // namespace tarnvel
