#include "core/jd/declared_chains.h"

#include <algorithm>

#include "core/element/centre_line.h"
#include "core/jd/route_from_jd.h"

namespace tarnvel {

namespace {

// Stations are declared to the millimetre: one this close to a joint is it.
constexpr double kAtJoint = 0.0005;

// The rest of an element from station `at` (as its values count): its start,
// tangent and radius there as the element computation gives them.
ElementValues RestFrom(const ElementValues& v, double at) {
  const ForwardResult there = ForwardPoint(LoadElement(v), at, 0, 90);
  // The curvature runs linearly from 1/RQ to 1/RN along the element.
  const auto curvature = [](double radius) { return radius == 0 ? 0 : 1 / radius; };
  const double k =
      curvature(v.RQ) + (curvature(v.RN) - curvature(v.RQ)) * (at - v.K0) / (v.K1 - v.K0);
  ElementValues rest = v;
  rest.X0 = there.point.X;
  rest.Y0 = there.point.Y;
  if (v.RQ != 0 || v.RN != 0) rest.F = DegreesToDmsValue(there.azimuth);  // a straight keeps F
  if (v.RQ != v.RN) rest.RQ = k == 0 ? 0 : 1 / k;                         // an arc keeps its radius
  return rest;
}

}  // namespace

DeclaredChains::DeclaredChains(std::vector<StationEquation> equations)
    : equations_(std::move(equations)) {
  std::stable_sort(
      equations_.begin(), equations_.end(),
      [](const StationEquation& a, const StationEquation& b) { return a.back < b.back; });
}

std::optional<double> DeclaredChains::NextAt() {
  for (; next_ < equations_.size(); ++next_) {
    const double at = equations_[next_].back - shift_;
    if (at >= *reached_ - kAtJoint) return at;
  }
  return std::nullopt;
}

void DeclaredChains::Pass(double at) {
  shift_ = equations_[next_++].ahead - at;
  reached_ = at;
}

bool DeclaredChains::Lay(RouteElement element, const std::function<bool(RouteElement&&)>& emit) {
  const ElementValues whole = element.values;
  ElementValues piece = whole;
  double from = whole.K0;  // where the piece starts, as the element counts
  if (!reached_) reached_ = from;
  // One at the next element's start, or further on, waits for it.
  for (std::optional<double> at; (at = NextAt()) && *at <= whole.K1 - kAtJoint;) {
    if (*at > from + kAtJoint) {
      piece.K0 = from + shift_;
      piece.K1 = equations_[next_].back;
      if (!emit({piece, element.name})) return false;
      piece = RestFrom(whole, *at);
      from = *at;
    }
    Pass(from);  // at a joint, its station as declared
  }
  piece.K0 = from + shift_;
  piece.K1 = whole.K1 + shift_;
  return emit({piece, std::move(element.name)});
}

double DeclaredChains::Station(double laid, bool end) {
  if (!reached_) reached_ = laid;
  const double reach = end ? laid - kAtJoint : laid + kAtJoint;
  // One this close to the point is at it, as Lay takes one at a joint.
  for (std::optional<double> at; (at = NextAt()) && *at <= reach;)
    Pass(*at < laid - kAtJoint ? *at : laid);
  return laid + shift_;
}

std::vector<RouteElement> WithDeclaredChains(const std::vector<RouteElement>& elements,
                                             const std::vector<StationEquation>& equations) {
  DeclaredChains chains(equations);
  std::vector<RouteElement> laid;
  for (const RouteElement& element : elements)
    chains.Lay(element, [&](RouteElement&& piece) {
      laid.push_back(std::move(piece));
      return true;
    });
  return laid;
}

}  // namespace tarnvel
