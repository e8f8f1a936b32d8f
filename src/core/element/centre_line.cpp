#include "core/element/centre_line.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "core/cpu/vector_state.h"
#include "core/text/angle.h"

namespace tarnvel {

namespace {

// Four-point Gauss–Legendre nodes and weights on [0, 1], cut to ten decimals.
constexpr std::array<double, 4> kNodes = {0.0694318442, 0.3300094782, 0.6699905218, 0.9305681558};
constexpr std::array<double, 4> kWeights = {0.1739274226, 0.3260725774, 0.3260725774, 0.1739274226};

// One panel of the rule is exact to far below a millimetre while the line
// turns little over it, but its error grows with about the fourth power of
// the turn: 0.08 mm at 0.5 rad, over 0.2 m on a 300 m loop of radius 50.
// Beyond this turn (the total of its absolute turns, not the net) the
// stretch is cut into equal sub-panels that each turn at most this much; up
// to it the single panel is kept unchanged, so that every ordinary element
// gives the figures surveyors already hold.
constexpr double kMaxPanelTurn = 0.25;

// Bounds the work of one call when a trial station wanders far past the
// element (the inverse search). 64 panels keep full accuracy up to 16 rad,
// some two and a half full turns, more than any real element turns.
constexpr double kMaxSubPanels = 64;

// Half the rate of change of curvature, unsigned, per metre squared.
double HalfCurvatureRate(const LineElement& e) {
  const double LS = e.K1 - e.K0;
  const double product = 2 * LS * e.RQ * e.RN;
  // The product of the radii overflows for a huge finite radius (1e304 with
  // R 300 gave 0, a straight 5.5 m off); from the curvatures the rate holds.
  // Elsewhere the product form is kept, for the figures already held.
  if (!std::isnormal(product)) return (1 / e.RN - 1 / e.RQ) / (2 * LS);
  return (e.RQ - e.RN) / product;
}

// The absolute turn of the line from its start over a signed distance L.
// Where the extended curvature passes through zero on the way (past the end
// of a spiral into a straight, a falling ovoid), the line curved one way and
// then back: the net turn then comes back near zero while one panel of the
// rule would be 23 m off at 100 m past the end of R 60 into a straight.
double TotalTurn(double Q, double c0, double E, double L) {
  const double net = std::fabs(Q * L * (c0 + E * L));
  const double end_curvature = c0 + 2 * E * L;
  if (!((c0 > 0 && end_curvature < 0) || (c0 < 0 && end_curvature > 0))) return net;
  const double l_zero = -c0 / (2 * E);
  const double to_zero = l_zero * (c0 + E * l_zero);
  return std::fabs(Q) * (std::fabs(to_zero) + std::fabs(L * (c0 + E * L) - to_zero));
}

bool SameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

}  // namespace

PositionLaw MakePositionLaw(const LineElement& e) {
  return {e.K0, e.X0, e.Y0, e.Q, 1 / e.RQ, HalfCurvatureRate(e), e.F / (180 / kPi)};
}

Point CentreLinePoint(const PositionLaw& law, double K) {
  const double L = K - law.K0;
  const double c0 = law.start_curvature;
  const double E = law.half_rate;
  const double Q = law.Q;
  auto heading = [&](double l) { return law.start_heading + Q * l * (c0 + E * l); };

  const double turn = TotalTurn(Q, c0, E, L);
  if (!(turn > kMaxPanelTurn)) {
    std::array<double, 4> theta{};
    for (size_t i = 0; i < 4; ++i) theta[i] = heading(kNodes[i] * L);
    // Along a straight, and at the element's start, the four headings are
    // one: its sine and cosine are taken once, and the sum runs as before.
    const bool oneHeading = SameBits(theta[0], theta[1]) && SameBits(theta[0], theta[2]) &&
                            SameBits(theta[0], theta[3]);
    const double cos0 = std::cos(theta[0]);
    const double sin0 = std::sin(theta[0]);
    double cx = 0;
    double sy = 0;
    for (size_t i = 0; i < 4; ++i) {
      cx += kWeights[i] * (oneHeading ? cos0 : std::cos(theta[i]));
      sy += kWeights[i] * (oneHeading ? sin0 : std::sin(theta[i]));
    }
    return {cx * L + law.X0, sy * L + law.Y0};
  }

  // The curvature is linear in l, so its largest magnitude over [0, L] is at
  // an end; panels of equal length then each turn at most kMaxPanelTurn.
  const double largest_curvature =
      std::fabs(Q) * std::max(std::fabs(c0), std::fabs(c0 + 2 * E * L));
  const double panels =
      std::clamp(std::ceil(largest_curvature * std::fabs(L) / kMaxPanelTurn), 2.0, kMaxSubPanels);
  const double h = L / panels;
  double x = 0;
  double y = 0;
  for (double p = 0; p < panels; ++p) {
    const double start = p * h;
    double cx = 0;
    double sy = 0;
    for (size_t i = 0; i < 4; ++i) {
      const double theta = heading(start + kNodes[i] * h);
      cx += kWeights[i] * std::cos(theta);
      sy += kWeights[i] * std::sin(theta);
    }
    x += cx * h;
    y += sy * h;
  }
  return {x + law.X0, y + law.Y0};
}

Point CentreLineStep(const PositionLaw& law, Point from, double fromK, double to) {
  const double start = fromK - law.K0;
  const double h = to - fromK;
  double cx = 0;
  double sy = 0;
  for (size_t i = 0; i < 4; ++i) {
    const double l = start + kNodes[i] * h;
    const double theta = law.start_heading + law.Q * l * (law.start_curvature + law.half_rate * l);
    cx += kWeights[i] * std::cos(theta);
    sy += kWeights[i] * std::sin(theta);
  }
  return {from.X + cx * h, from.Y + sy * h};
}

Point CentreLinePoint(const LineElement& e, double K) {
  return CentreLinePoint(MakePositionLaw(e), K);
}

PreparedElement Prepare(const LineElement& e) {
  return {MakePositionLaw(e), MakeAzimuthLaw(e)};
}

ForwardResult FrameAt(const PreparedElement& e, double K) {
  ClearUpperVectorState();  // every stake row and edge comes through here
  const double A = QXFWJ(e.azimuth, K);
  return {CentreLinePoint(e.position, K), A};
}

ForwardResult PointOff(const ForwardResult& frame, double m, double skewDegrees) {
  // A zero offset adds exactly nothing; most tables run along the centre line.
  if (m == 0) return frame;
  ClearUpperVectorState();  // a caller may have run between two points of a frame
  const double phi = skewDegrees + frame.azimuth;
  return {{CosDeg(phi) * m + frame.point.X, SinDeg(phi) * m + frame.point.Y}, frame.azimuth};
}

ForwardResult ForwardPointDegrees(const PreparedElement& e, double K, double m,
                                  double skewDegrees) {
  return PointOff(FrameAt(e, K), m, skewDegrees);
}

ForwardResult ForwardPointDegrees(const LineElement& e, double K, double m, double skewDegrees) {
  return ForwardPointDegrees(Prepare(e), K, m, skewDegrees);
}

ForwardResult ForwardPoint(const LineElement& e, double K, double m, double skewDms) {
  return ForwardPointDegrees(e, K, m, DmsToDegrees(skewDms));
}

}  // namespace tarnvel
