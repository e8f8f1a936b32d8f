#include "core/element/element_kind.h"

#include <algorithm>
#include <cmath>

namespace tarnvel {

namespace {

constexpr double kSameCurvatureDigits = 1e-9;

double Curvature(const LineElement& e, double radius) {
  if (e.Q == 0 || radius == kInfiniteRadius) return 0;
  return e.Q / radius;
}

}  // namespace

double StartCurvature(const LineElement& e) {
  return Curvature(e, e.RQ);
}
double EndCurvature(const LineElement& e) {
  return Curvature(e, e.RN);
}

bool SameCurvature(double a, double b) {
  return std::fabs(a - b) <= kSameCurvatureDigits * std::max(std::fabs(a), std::fabs(b));
}

ElementKind KindOf(const LineElement& e) {
  const double start = StartCurvature(e);
  const double end = EndCurvature(e);
  if (start == 0 && end == 0) return ElementKind::Straight;
  return SameCurvature(start, end) ? ElementKind::Arc : ElementKind::Spiral;
}

}  // namespace tarnvel
