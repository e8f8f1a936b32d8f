// The catch point of a side slope (坡脚 of a fill, 坡口 of a cut): where the
// slope chain laid out from the road's edge first meets the ground going
// outward, found as the exact crossing of two polylines, without iteration.
// One side of one station from its own figures, for the command and for a
// stakeout alike.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ground/ground_lines.h"
#include "core/section/cross_section.h"
#include "core/slopes/side_slopes.h"
#include "core/slopes/slope_chain.h"

namespace tarnvel {

// Ground this close to the hinge's height puts the catch point at the hinge.
inline constexpr double kCatchAtHinge = 0.001;

// Why a side has no catch point.
enum class NoCatchPoint {
  None,            // it has one
  NoDesignHeight,  // the hinge is outside the profile
  NoGroundAtHinge,
  NoSlope,          // no slope line for that side and kind there
  GroundTooNarrow,  // the ground ends before the slope meets it
};

// 无设计高程, 边缘处没有地面线, 无边坡, 地面线不够宽; empty for None.
std::string_view NoCatchPointText(NoCatchPoint reason);

// The 坡脚 or 坡口 note of a kind.
std::string_view CatchPointNote(SlopeKind kind);

struct SlopeBreak {
  double offset = 0;  // left negative
  double elevation = 0;
  std::string label;  // BreakLabelText
};

struct SideCatch {
  bool left = false;
  double hingeOffset = 0;  // left negative
  std::optional<double> hingeElevation;
  std::optional<double> groundAtHinge;
  std::optional<SlopeKind> kind;  // once decided by the ground at the hinge
  std::optional<GroundPoint> catchPoint;
  std::vector<SlopeBreak> breaks;  // passed before the catch point, outward
  NoCatchPoint reason = NoCatchPoint::None;
};

// The name of a side's catch-point row: `base` (the station, or a stations
// file's name), the side letter, and PJ for a 坡脚 or PK for a 坡口; the side
// letter alone when fill or cut was not decided.
std::string CatchPointName(std::string_view base, const SideCatch& side);

// The road's edge on a side: the outer edge of its outermost part.
double HingeOffset(const SectionStation& section, bool left);

// The kind the ground at the hinge asks for: 填 when the hinge is not below
// it, within kCatchAtHinge too.
SlopeKind KindAtHinge(double hingeElevation, double ground);

// The ground across the route (signed offsets, increasing) seen from one side:
// outward distances, increasing.
std::vector<GroundPoint> OutwardGround(const std::vector<GroundPoint>& ground, bool left);

// The first point, outward from the chain's hinge, where the chain meets
// `outward` ground (touching counts); nothing when the ground ends first.
// The ground must reach the hinge, and differ from it in height there.
std::optional<GroundPoint> FirstMeeting(const SlopeChain& chain,
                                        const std::vector<GroundPoint>& outward);

// One side at a station: `section` the sections' section there,
// `designElevation` the profile's there (nothing outside it), `ground` the
// ground across the route there (GroundAt), `position` the station's along
// the route for the slope in force.
SideCatch CatchPointAt(const SectionStation& section, std::optional<double> designElevation,
                       const std::vector<GroundPoint>& ground, const SideSlopes& slopes,
                       double position, bool left);

}  // namespace tarnvel
