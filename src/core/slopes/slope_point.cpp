#include "core/slopes/slope_point.h"

#include <cmath>

#include "core/route/position_tolerance.h"
#include "core/section/section_surface.h"

namespace tarnvel {

namespace {

void AddNote(std::string& note, std::string_view text) {
  if (text.empty()) return;
  if (!note.empty()) note += "；";
  note += text;
}

}  // namespace

SlopePoint SlopePointAt(const SectionStation& section, double designElevation,
                        const std::vector<GroundPoint>* ground, const SideSlopes& slopes,
                        double position, double offset, std::optional<double> height) {
  SlopePoint point;
  const bool left = offset < 0;
  const double sign = left ? -1 : 1;
  const double out = sign * offset;
  std::optional<SlopeKind> kind;
  std::optional<SideCatch> side;
  if (ground) {
    side = CatchPointAt(section, designElevation, *ground, slopes, position, left);
    kind = side->kind;
    if (!kind) {
      AddNote(point.note, NoCatchPointText(side->reason));
      return point;
    }
  }
  const double hingeOffset = HingeOffset(section, left);
  const double hinge = *SurfaceElevation(section, designElevation, hingeOffset);
  if (!kind) {
    if (!height) {
      AddNote(point.note, kNoHeightNote);
      return point;
    }
    kind = *height > hinge ? SlopeKind::Cut : SlopeKind::Fill;
  }
  const SlopeLine* slope = SlopeAt(slopes, left, *kind, position);
  if (!slope) {
    AddNote(point.note, NoCatchPointText(NoCatchPoint::NoSlope));
    return point;
  }
  const SlopeChain chain = MakeSlopeChain(*slope, sign * hingeOffset, hinge);
  // Past the catch point the ground, not the slope, is there.
  if (side && side->catchPoint && out > sign * side->catchPoint->offset + kPositionTolerance) {
    AddNote(point.note, "超出" + std::string(CatchPointNote(*kind)));
  } else {
    point.designElevation = ChainElevation(chain, out);
    if (side) AddNote(point.note, NoCatchPointText(side->reason));
  }
  if (!height) {
    AddNote(point.note, kNoHeightNote);
    return point;
  }
  const std::optional<double> reach = OutermostReach(chain, *height);
  if (!reach) {
    AddNote(point.note, kOutOfReachNote);
    return point;
  }
  point.toCatchPoint = *reach - out;
  // One that shows as 0.000 is on it, neither way.
  if (std::fabs(*point.toCatchPoint) >= 0.0005)
    AddNote(point.note, *point.toCatchPoint > 0 ? kOutwardNote : kInwardNote);
  return point;
}

}  // namespace tarnvel
