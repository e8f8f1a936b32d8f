#include "core/slopes/catch_point.h"

#include <cmath>
#include <limits>

#include "core/section/section_surface.h"

namespace tarnvel {

std::string_view NoCatchPointText(NoCatchPoint reason) {
  switch (reason) {
    case NoCatchPoint::NoDesignHeight:
      return "无设计高程";
    case NoCatchPoint::NoGroundAtHinge:
      return "边缘处没有地面线";
    case NoCatchPoint::NoSlope:
      return "无边坡";
    case NoCatchPoint::GroundTooNarrow:
      return "地面线不够宽";
    case NoCatchPoint::None:
      break;
  }
  return {};
}

std::string_view CatchPointNote(SlopeKind kind) {
  return kind == SlopeKind::Fill ? "坡脚" : "坡口";
}

std::string CatchPointName(std::string_view base, const SideCatch& side) {
  std::string name(base);
  name += side.left ? 'L' : 'R';
  if (side.kind) name += *side.kind == SlopeKind::Fill ? "PJ" : "PK";
  return name;
}

double HingeOffset(const SectionStation& section, bool left) {
  const double width = SideWidth(left ? section.left : section.right);
  return left ? -width : width;
}

SlopeKind KindAtHinge(double hingeElevation, double ground) {
  // Within the millimetre the hinge is on the ground: a fill unless the
  // hinge lies below it. The millimetre is decided to a hair beyond the
  // last bit of the difference of two elevations.
  const double above = hingeElevation - ground;
  if (std::fabs(above) <= kCatchAtHinge + 1e-9)
    return above >= 0 ? SlopeKind::Fill : SlopeKind::Cut;
  return above > 0 ? SlopeKind::Fill : SlopeKind::Cut;
}

std::vector<GroundPoint> OutwardGround(const std::vector<GroundPoint>& ground, bool left) {
  std::vector<GroundPoint> outward(ground.size());
  for (std::size_t k = 0; k < ground.size(); ++k) {
    const GroundPoint& p = left ? ground[ground.size() - 1 - k] : ground[k];
    outward[k] = {left ? -p.offset : p.offset, p.elevation};
  }
  return outward;
}

std::optional<GroundPoint> FirstMeeting(const SlopeChain& chain,
                                        const std::vector<GroundPoint>& outward) {
  const std::vector<ChainVertex>& v = chain.vertices;
  constexpr double kNone = std::numeric_limits<double>::infinity();
  // The ground's segment that holds the hinge: g − 1 to g.
  std::size_t g = 0;
  while (g < outward.size() && outward[g].offset <= v.front().out) ++g;
  const auto groundAt = [&](double out) {
    if (g == outward.size()) return outward.back().elevation;  // at its last point
    const GroundPoint& a = outward[g - 1];
    const GroundPoint& b = outward[g];
    return a.elevation + (b.elevation - a.elevation) * (out - a.offset) / (b.offset - a.offset);
  };
  // Both polylines are straight between the distances where either breaks:
  // their difference, signed to be positive at the hinge, is walked from one
  // break to the next until it is no longer positive, and the crossing is
  // where that straight difference is zero.
  double out = v.front().out;
  double ground = groundAt(out);
  const double sense = v.front().elevation > ground ? 1 : -1;
  double apart = sense * (v.front().elevation - ground);
  std::size_t c = 1;  // the chain's next vertex
  while (g < outward.size()) {
    const double next = std::min(c < v.size() ? v[c].out : kNone, outward[g].offset);
    const double nextGround = outward[g].offset == next ? outward[g].elevation : groundAt(next);
    const double nextChain =
        c < v.size() && v[c].out == next ? v[c].elevation : ChainElevation(chain, next);
    const double nextApart = sense * (nextChain - nextGround);
    if (nextApart == 0) return GroundPoint{next, nextGround};
    if (nextApart < 0) {
      // A step so steep that its width is lost to rounding is vertical.
      if (next == out) return GroundPoint{out, ground};
      const double at = out + (next - out) * apart / (apart - nextApart);
      return GroundPoint{at, ground + (nextGround - ground) * (at - out) / (next - out)};
    }
    if (c < v.size() && v[c].out == next) ++c;
    if (outward[g].offset == next) ++g;
    out = next;
    ground = nextGround;
    apart = nextApart;
  }
  return std::nullopt;
}

SideCatch CatchPointAt(const SectionStation& section, std::optional<double> designElevation,
                       const std::vector<GroundPoint>& ground, const SideSlopes& slopes,
                       double position, bool left) {
  SideCatch side;
  side.left = left;
  side.hingeOffset = HingeOffset(section, left);
  const double sign = left ? -1 : 1;
  side.groundAtHinge = ElevationOn(ground, side.hingeOffset);
  if (designElevation)
    side.hingeElevation = SurfaceElevation(section, *designElevation, side.hingeOffset);
  if (!side.hingeElevation) {
    side.reason = NoCatchPoint::NoDesignHeight;
    return side;
  }
  if (!side.groundAtHinge) {
    side.reason = NoCatchPoint::NoGroundAtHinge;
    return side;
  }
  const double hinge = *side.hingeElevation;
  side.kind = KindAtHinge(hinge, *side.groundAtHinge);
  if (std::fabs(hinge - *side.groundAtHinge) <= kCatchAtHinge + 1e-9) {
    side.catchPoint = GroundPoint{side.hingeOffset, *side.groundAtHinge};
    return side;
  }
  const SlopeLine* slope = SlopeAt(slopes, left, *side.kind, position);
  if (!slope) {
    side.reason = NoCatchPoint::NoSlope;
    return side;
  }
  const SlopeChain chain = MakeSlopeChain(*slope, sign * side.hingeOffset, hinge);
  const std::optional<GroundPoint> meeting = FirstMeeting(chain, OutwardGround(ground, left));
  if (!meeting) {
    side.reason = NoCatchPoint::GroundTooNarrow;
    return side;
  }
  side.catchPoint = GroundPoint{sign * meeting->offset, meeting->elevation};
  // A break within the millimetre of the catch point is the catch point.
  for (std::size_t k = 1; k < chain.vertices.size(); ++k) {
    const ChainVertex& vertex = chain.vertices[k];
    if (vertex.out >= meeting->offset - kCatchAtHinge) break;
    if (vertex.label.kind == BreakLabel::Kind::None) continue;
    side.breaks.push_back({sign * vertex.out, vertex.elevation, BreakLabelText(vertex.label)});
  }
  return side;
}

}  // namespace tarnvel
