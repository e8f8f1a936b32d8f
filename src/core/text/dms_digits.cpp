#include "core/text/dms_digits.h"

#include <cmath>
#include <cstdint>

#include "core/text/angle.h"

namespace tarnvel {

namespace {

// Beyond this the whole degrees alone fill the double's digits; no angle a
// user types comes near it.
constexpr double kLargest = 1e9;
constexpr int kMostDecimals = 17;

}  // namespace

double DmsDigitsToDegrees(double v) {
  const double a = std::fabs(v);
  if (!(a < kLargest)) return DmsToDegrees(v);
  const double gap = std::nextafter(a, kLargest) - a;
  // Tries k = 0, 1, 2, … decimals. While 10^k gaps between neighbouring
  // doubles stay below 1/8, at most one k-decimal number reads back as `a`,
  // and a·10^k rounds to it: the first k whose rounded number reads back is
  // the shortest text, the very digits DmsToDegrees splits.
  double scale = 1;
  std::uint64_t power = 1;
  for (int k = 0; k <= kMostDecimals && scale * gap <= 0.125; ++k, scale *= 10, power *= 10) {
    const double n = std::nearbyint(a * scale);
    if (n / scale != a) continue;
    const auto digits = static_cast<std::uint64_t>(n);
    const std::uint64_t fraction = digits % power;
    // Minutes are the first two decimals, a missing second one read as 0.
    const double m = k >= 2 ? static_cast<double>(fraction / (power / 100))
                            : static_cast<double>(fraction * (k == 1 ? 10 : 0));
    // Seconds the next two, a missing fourth read as 0, with any further
    // decimals as theirs: a quotient of exact whole numbers rounds as the
    // reading of their decimal text does.
    double s = 0;
    if (k == 3) s = static_cast<double>(fraction % 10 * 10);
    if (k >= 4) {
      std::uint64_t below = 1;
      for (int i = 4; i < k; ++i) below *= 10;
      s = static_cast<double>(fraction % (below * 100)) / static_cast<double>(below);
    }
    const double d = static_cast<double>(digits / power);
    const double degrees = d + (m + s / kSecondsPerMinute) / kMinutesPerDegree;
    return v < 0 ? -degrees : degrees;
  }
  return DmsToDegrees(v);
}

}  // namespace tarnvel
