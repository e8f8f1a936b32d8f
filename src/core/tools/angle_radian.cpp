#include "core/tools/angle_radian.h"

#include <cmath>
#include <optional>

#include "core/text/angle.h"
#include "core/text/number_reading.h"
#include "core/text/number_text.h"

namespace tarnvel {

namespace {

constexpr int kRadianDecimals = 9;
constexpr double kTenthsPerMinute = 600;

Refusal Incomplete(Field field) {
  return {"数据未输入完整！", RefusalKind::MissingInput, field};
}

}  // namespace

Outcome<std::string> DegreesToRadians(const DmsFields& f) {
  if (IsBlank(f.degrees) || IsBlank(f.minutes) || IsBlank(f.seconds))
    return Incomplete(Field::Degrees);

  const std::optional<double> d = ReadStrict(f.degrees);
  if (!d) return NotANumber(Field::Degrees, "度");
  const std::optional<double> m = ReadStrict(f.minutes);
  if (!m) return NotANumber(Field::Minutes, "分");
  const std::optional<double> s = ReadStrict(f.seconds);
  if (!s) return NotANumber(Field::Seconds, "秒");

  const double degrees =
      (*d + *m / kMinutesPerDegree) + *s / (kMinutesPerDegree * kSecondsPerMinute);
  const double radians = (degrees * kPi) / 180;
  if (!std::isfinite(radians)) return NotComputable(Field::Degrees);
  return FixedText(radians, kRadianDecimals);
}

Outcome<DmsFields> RadiansToDegrees(const std::string& text) {
  if (IsBlank(text)) return Incomplete(Field::Radians);
  const std::optional<double> r = ReadStrict(text);
  if (!r) return NotANumber(Field::Radians, "弧度");

  const double t = (*r * 180) / kPi;
  if (!std::isfinite(t)) return NotComputable(Field::Radians);
  const double d = std::floor(t);
  const double t1 = (t - d) * kMinutesPerDegree;
  const double m = std::floor(t1);
  const double s = std::floor((t1 - m) * kTenthsPerMinute) / 10;
  return DmsFields{GeneralText(d), GeneralText(m), GeneralText(s)};
}

}  // namespace tarnvel
