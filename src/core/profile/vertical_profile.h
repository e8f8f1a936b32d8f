// The vertical profile (纵断面): grade lines between 变坡点 (PVIs), joined at
// inner PVIs by vertical curves (竖曲线). By default a curve is the symmetric
// quadratic parabola of Chinese road design: ω = i2 − i1 (凸 when ω < 0, 凹
// when ω > 0), L = R·|ω|, T = L/2, E = T²/2R. A PVI may instead carry a true
// circle of radius R tangent to both grade lines (a LandXML CircCurve): with
// θ = atan(i), T = R·tan(|θ2 − θ1|/2) along each grade line, L = R·|θ2 − θ1|
// along the arc and E = R·(sec(|θ2 − θ1|/2) − 1) from the PVI to the arc.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tarnvel {

// The kind of curve at a PVI: the profile file only gives parabolas.
enum class VerticalCurveKind { kParabola, kCircle };

// One 变坡点 as the profile file lists it. A radius of 0 is a plain grade
// break; the first and last PVI have none.
struct Pvi {
  std::string name;
  double station = 0;
  double elevation = 0;
  double radius = 0;
  VerticalCurveKind curve = VerticalCurveKind::kParabola;
};

// The grade of the line from one PVI to the next, as a fraction; the one
// expression every reader and the profile share, so that a radius derived
// from it comes back exactly.
double GradeBetween(const Pvi& from, const Pvi& to);

// A profile that holds together: stations increasing, curves inside the
// profile and apart, each within the position tolerance (curves that touch
// are apart). Everything derived is kept exact; nothing is rounded.
struct VerticalProfile {
  std::vector<Pvi> pvis;
  // grades[k] runs from pvis[k] to pvis[k + 1], as a fraction (0.05 is 5%).
  std::vector<double> grades;
  // The tangent length T of each PVI's curve, 0 where there is none: along
  // the grade lines for a circle, so shorter in station by cos θ.
  std::vector<double> tangents;
};

// The stations where the curve of inner PVI k starts and ends (the PVI's
// own station where it has none).
double CurveStart(const VerticalProfile& profile, std::size_t k);
double CurveEnd(const VerticalProfile& profile, std::size_t k);

// Why a list of PVIs is no profile, in words that name the PVIs and the
// figures.
struct ProfileRefusal {
  std::string message;
  // The PVI the fault shows at, counted from 1 (a file names its line); 0
  // when the refusal is about the whole list.
  std::size_t pvi = 0;
  // What is refused, for a table that marks the field or a reader that says
  // it in its own words: the PVI's station, its radius (negative, or a curve
  // at the first or last PVI), or the curves and the list as a whole.
  enum class Fault { kProfile, kStation, kNegativeRadius, kCurveAtEnd };
  Fault fault = Fault::kProfile;
};

// The fault of one PVI on its own, whatever its neighbours: a negative R.
// `k` is the PVI's number, from 1. A reader that goes line by line asks it
// of each line as it reads, so that it refuses the first faulty line.
std::optional<ProfileRefusal> PviFault(const Pvi& pvi, std::size_t k);

// Every reader of PVIs makes its profile here, so that each refuses the
// same: the first fault of, in turn, a negative R (any PVI, in order), fewer
// than two PVIs, a curve (R other than 0) at the first or last PVI, stations
// that do not increase, a curve past the first or last PVI, and two curves
// that overlap.
std::variant<ProfileRefusal, VerticalProfile> MakeVerticalProfile(std::vector<Pvi> pvis);

// The design elevation and the grade (a fraction) at a station. At a PVI
// without a curve the grade is the one before it, except at the first PVI,
// also where the next curve starts at it.
struct ProfilePoint {
  double elevation = 0;
  double grade = 0;
};

// Nothing outside the profile's first and last PVI, but where a curve
// reaches past one of them, within the position tolerance that
// MakeVerticalProfile allows it, the curve is read there.
std::optional<ProfilePoint> ProfileAt(const VerticalProfile& profile, double station);

// The same for stations taken in order along the profile: `line` is the grade
// line the last station was on (0 to begin with), so that the next is found
// at once rather than searched for. A station up to `endTolerance` past the
// first or the last PVI is read at that PVI, as a range's end that far past
// the route's is the route's end: a foot or a station computed a hair past
// the profile's end still has its design elevation.
std::optional<ProfilePoint> ProfileAt(const VerticalProfile& profile, double station,
                                      std::size_t& line, double endTolerance = 0);

// The refusal for a station outside the profile, naming it and the range,
// and how far outside it lies where its K text is that of the end it misses.
ProfileRefusal StationOutsideProfile(const VerticalProfile& profile, double station);

// One inner PVI's row of the 竖曲线表, exact.
struct VerticalCurveRow {
  const Pvi* pvi = nullptr;
  bool crest = false;  // 凸; a sag (凹) otherwise
  double T = 0;
  double E = 0;
  double L = 0;
  double start = 0;  // 竖曲线起点
  double end = 0;    // 竖曲线终点
  double gradeBefore = 0;
  double gradeAfter = 0;
  double lengthBefore = 0;  // from the previous PVI
  double lengthAfter = 0;   // to the next PVI
};

std::vector<VerticalCurveRow> VerticalCurveRows(const VerticalProfile& profile);

}  // namespace tarnvel
