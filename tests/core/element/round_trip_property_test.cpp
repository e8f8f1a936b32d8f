// Properties over many generated elements: a point laid off by the forward
// computation is found again by the inverse search, and every table row is
// the forward computation of its station.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <variant>

#include "core/element/centre_line.h"
#include "core/element/continuous_computation.h"
#include "core/element/forward_computation.h"
#include "core/element/inverse_computation.h"
#include "core/text/number_reading.h"
#include "core/text/number_text.h"

namespace tarnvel {
namespace {

constexpr double kMillimetre = 0.001;

struct Generated {
  LineElement element;
  ElementTexts texts;
  std::string kind;
};

// Straights, arcs and spirals both ways and curve to curve, starting near
// the awkward azimuths, each turning at most one radian.
Generated MakeElement(std::mt19937_64& random, int index) {
  std::uniform_real_distribution<double> unit(0, 1);
  const double azimuths[] = {0, 90, 180, 270, 360};
  double f = azimuths[index % 5] + (unit(random) - 0.5) * 0.02;
  if (f < 0) f += 360;
  const double length = 20 + unit(random) * 500;
  double radius = 60 + unit(random) * 3000;
  radius = std::max(radius, length);  // at most one radian of turn
  const double q = unit(random) < 0.5 ? -1 : 1;
  double rq = 0;
  double rn = 0;
  double turn = q;
  std::string kind;
  switch ((index / 5) % 5) {
    case 0:
      kind = "straight";
      turn = 0;
      break;
    case 1:
      kind = "arc";
      rq = rn = radius;
      break;
    case 2:
      kind = "spiral in";
      rn = radius;
      break;
    case 3:
      kind = "spiral out";
      rq = radius;
      break;
    default:
      kind = "curve to curve";
      rq = radius;
      rn = radius * (1.5 + unit(random));
      break;
  }
  const double k0 = std::round(unit(random) * 20000 * 1000) / 1000;
  // d.mmss text of f, to the hundredth of a second.
  const double whole = std::floor(f);
  const double minutes = std::floor((f - whole) * 60);
  const double seconds = std::floor(((f - whole) * 60 - minutes) * 6000) / 100;
  std::ostringstream dms;
  dms.precision(15);
  dms << whole + minutes / 100 + seconds / 10000;
  ElementTexts texts = {GeneralText(k0), GeneralText(k0 + std::round(length * 1000) / 1000),
                        "3378605.445",   "453648.704",
                        dms.str(),       GeneralText(rq),
                        GeneralText(rn), GeneralText(turn)};
  return {SJ(texts), texts, kind};
}

TEST(RoundTripProperty, InverseFindsTheForwardPoint) {
  std::mt19937_64 random(7800);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int i = 0; i < 2000; ++i) {
    const Generated g = MakeElement(random, i);
    const LineElement& e = g.element;
    ASSERT_FALSE(CheckElementValues(e)) << g.kind;
    const double K = e.K0 + unit(random) * (e.K1 - e.K0);
    const double smallest_radius = std::min(e.RQ, e.RN);
    const double m = (unit(random) - 0.5) * 2 * std::min(30.0, smallest_radius / 5);
    const ForwardResult r = ForwardPoint(e, K, m, 90);
    const Foot foot = FindFoot(e, r.point);
    ASSERT_TRUE(foot.settled) << g.kind << " #" << i;
    EXPECT_NEAR(foot.station, K, kMillimetre) << g.kind << " #" << i << " az " << e.F;
    EXPECT_NEAR(foot.offset, m, kMillimetre) << g.kind << " #" << i << " az " << e.F;
  }
}

TEST(TableProperty, EveryRowIsTheForwardComputationOfItsStation) {
  std::mt19937_64 random(7900);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int i = 0; i < 200; ++i) {
    const Generated g = MakeElement(random, i);
    const double step = 0.5 + std::round(unit(random) * 400) / 20;
    const std::string offset = GeneralText(std::round((unit(random) - 0.5) * 40 * 100) / 100);
    const TableFields fields{g.texts, g.texts[0], g.texts[1], GeneralText(step), offset, "90"};
    const auto outcome = ComputeTable(fields);
    ASSERT_TRUE(std::holds_alternative<std::string>(outcome)) << std::get<Refusal>(outcome).message;
    std::istringstream lines(std::get<std::string>(outcome));
    std::string line;
    std::getline(lines, line);  // the header
    double K = g.element.K0;
    while (std::getline(lines, line)) {
      const ForwardResult r = ForwardPoint(g.element, K, ReadLenient(offset), 90);
      std::ostringstream want;
      want << GeneralText(K) << "   " << offset << "  90  " << FixedText(r.point.X, 3) << "  "
           << FixedText(r.point.Y, 3) << "   ";
      ASSERT_TRUE(line.starts_with(want.str())) << line << "\nwant " << want.str();
      // The label of the single forward computation agrees to the millimetre.
      const auto single = ComputeForward({g.texts, GeneralText(K), offset, "90"});
      if (auto* texts = std::get_if<ForwardTexts>(&single)) {
        EXPECT_NEAR(std::stod(texts->x), r.point.X, 0.00005);
        EXPECT_NEAR(std::stod(texts->y), r.point.Y, 0.00005);
      }
      K += step;
    }
  }
}

}  // namespace
}  // namespace tarnvel
