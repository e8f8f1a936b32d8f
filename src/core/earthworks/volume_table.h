// The volumes table (路基土石方数量计算表) by the average end area: a row
// per station, each stretch's volumes from the areas at its two ends, the
// running sums, and the totals. Rows are added one at a time, so that no
// table is held.
#pragma once

#include <optional>
#include <string>

#include "core/earthworks/section_areas.h"

namespace tarnvel {

// A station as the table takes it.
struct VolumeStation {
  double station = 0;
  double position = 0;   // along the route (RoutePositions): 距离 across a 断链 too
  double curvature = 0;  // signed, positive turning right, of the row's element
  std::optional<SectionAreas> areas;
  std::string note;  // why there are no areas
};

struct VolumeRow {
  std::optional<double> cut, fill;  // the areas as printed, uncorrected
  std::optional<double> distance;   // from the row before; none on the first
  std::optional<double> cutVolume, fillVolume;
  double totalCut = 0, totalFill = 0;  // 累计
  std::string note;
};

// 相邻桩号无面积，不计体积: the note of a stretch left out.
inline constexpr std::string_view kNoVolumeNote = "相邻桩号无面积，不计体积";

class VolumeTable {
 public:
  // `curvatureCorrection`: each area times (1 − κ·c), c its centroid's
  // offset (Pappus' rule), in the volumes only.
  explicit VolumeTable(bool curvatureCorrection) : corrected_(curvatureCorrection) {}

  VolumeRow Add(const VolumeStation& station);

  double length() const { return length_; }  // every stretch's, those left out too
  double totalCut() const { return totalCut_; }
  double totalFill() const { return totalFill_; }

 private:
  double Corrected(const AreaMoment& area, double curvature) const;

  bool corrected_;
  std::optional<VolumeStation> last_;
  double length_ = 0, totalCut_ = 0, totalFill_ = 0;
};

}  // namespace tarnvel
