#include "core/earthworks/volume_table.h"

namespace tarnvel {

double VolumeTable::Corrected(const AreaMoment& area, double curvature) const {
  // A × (1 − κ·c) with c = moment / A, without dividing by an area of 0.
  return corrected_ ? area.area - curvature * area.moment : area.area;
}

VolumeRow VolumeTable::Add(const VolumeStation& station) {
  VolumeRow row;
  row.note = station.note;
  if (station.areas) {
    row.cut = station.areas->cut.area;
    row.fill = station.areas->fill.area;
  }
  if (last_) {
    const double distance = station.position - last_->position;
    row.distance = distance;
    length_ += distance;
    if (last_->areas && station.areas) {
      row.cutVolume = (Corrected(last_->areas->cut, last_->curvature) +
                       Corrected(station.areas->cut, station.curvature)) /
                      2 * distance;
      row.fillVolume = (Corrected(last_->areas->fill, last_->curvature) +
                        Corrected(station.areas->fill, station.curvature)) /
                       2 * distance;
      totalCut_ += *row.cutVolume;
      totalFill_ += *row.fillVolume;
    } else {
      row.note = row.note.empty() ? std::string(kNoVolumeNote)
                                  : row.note + "；" + std::string(kNoVolumeNote);
    }
  }
  row.totalCut = totalCut_;
  row.totalFill = totalFill_;
  last_ = station;
  return row;
}

}  // namespace tarnvel
