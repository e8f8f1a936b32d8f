#include "core/tools/azimuth_distance.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "core/text/angle.h"
#include "core/text/number_reading.h"
#include "core/text/number_text.h"

namespace tarnvel {

namespace {

constexpr Field kFirstField = Field::XA;
constexpr int kDistanceDecimals = 4;

// Below this northing difference the quotient dy / dx is not trusted at all;
// below the second it is replaced by due east or due west.
constexpr double kZeroDivisor = 1e-8;
constexpr double kTinyNorthing = 1e-6;

// The whole units are held as 16-bit integers, as the azimuth (0 to 360)
// always fits.
struct WholeDms {
  std::int16_t degrees, minutes, seconds;
};

// Each unit is cut, never rounded, so that 53.1301° shows as 53°7′48″
// although its seconds are 48.37.
WholeDms CutToWholeUnits(double azimuth) {
  const double d = std::trunc(azimuth);
  double r = (azimuth - d) * kMinutesPerDegree;
  const double m = std::trunc(r);
  r = (r - m) * kSecondsPerMinute;
  const double s = std::trunc(r);
  return {static_cast<std::int16_t>(d), static_cast<std::int16_t>(m), static_cast<std::int16_t>(s)};
}

// Clockwise from north (X), 0 to 360.
double Azimuth(double dx, double dy) {
  if (std::fabs(dx) < kTinyNorthing) return dy > 0 ? 90 : 270;
  double a = std::atan(dy / dx) * 180 / kPi;
  if (dx < 0) {
    a += 180;
  } else if (dy < 0) {
    a += 360;
  }
  return a;
}

}  // namespace

Outcome<AzimuthTexts> ComputeAzimuthDistance(const AzimuthFields& f) {
  const std::array<const std::string*, 4> texts = {&f.xa, &f.ya, &f.xb, &f.yb};
  for (const std::string* text : texts)
    if (IsBlank(*text)) return Refusal{"数据未输入完整！", RefusalKind::MissingInput, kFirstField};

  constexpr std::array<Field, 4> kFields = {Field::XA, Field::YA, Field::XB, Field::YB};
  constexpr std::array<std::string_view, 4> kNames = {"Xa", "Ya", "Xb", "Yb"};
  std::array<double, 4> v{};
  for (size_t i = 0; i < v.size(); ++i) {
    v[i] = ReadLenient(*texts[i]);
    if (!std::isfinite(v[i])) return OutOfNumberRange(kFields[i], kNames[i]);
  }
  const auto [xa, ya, xb, yb] = v;

  const double dx = xb - xa;
  const double dy = yb - ya;
  if (std::fabs(dx) < kZeroDivisor)
    return Refusal{"除数为零，请检查坐标输入是否正确！", RefusalKind::DivisionByZero, kFirstField};

  const double distance = std::sqrt(dy * dy + dx * dx);
  if (!std::isfinite(distance)) return NotComputable(kFirstField);

  const WholeDms dms = CutToWholeUnits(Azimuth(dx, dy));
  return AzimuthTexts{std::to_string(dms.degrees), std::to_string(dms.minutes),
                      std::to_string(dms.seconds), FixedText(distance, kDistanceDecimals)};
}

}  // namespace tarnvel
