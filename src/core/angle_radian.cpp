#include "angle_radian.h"

#include <cmath>
#include <optional>

#include "angle.h"
#include "number_reading.h"
#include "number_text.h"

namespace tarnvel {

namespace {

constexpr int kRadianDecimals = 9;
constexpr double kTenthsPerMinute = 600;

Refusal Incomplete(std::string_view field) {
  return {"数据未输入完整！", MessageIcon::Information, field};
}

}  // namespace

Outcome<std::string> DegreesToRadians(const DmsFields& f) {
  if (IsBlank(f.degrees) || IsBlank(f.minutes) || IsBlank(f.seconds))
    return Incomplete("Text1");

  const std::optional<double> d = ReadStrict(f.degrees);
  if (!d) return NotANumber("Text1", "度");
  const std::optional<double> m = ReadStrict(f.minutes);
  if (!m) return NotANumber("Text2", "分");
  const std::optional<double> s = ReadStrict(f.seconds);
  if (!s) return NotANumber("Text3", "秒");

  const double degrees = (*d + *m / kMinutesPerDegree) +
                         *s / (kMinutesPerDegree * kSecondsPerMinute);
  const double radians = (degrees * kPi) / 180;
  if (!std::isfinite(radians)) return NotComputable("Text1");
  return FixedText(radians, kRadianDecimals);
}

Outcome<DmsFields> RadiansToDegrees(const std::string& text) {
  if (IsBlank(text)) return Incomplete("Text4");
  const std::optional<double> r = ReadStrict(text);
  if (!r) return NotANumber("Text4", "弧度");

  const double t = (*r * 180) / kPi;
  if (!std::isfinite(t)) return NotComputable("Text4");
  const double d = std::floor(t);
  const double t1 = (t - d) * kMinutesPerDegree;
  const double m = std::floor(t1);
  const double s = std::floor((t1 - m) * kTenthsPerMinute) / 10;
  return DmsFields{GeneralText(d), GeneralText(m), GeneralText(s)};
}

}  // namespace tarnvel
