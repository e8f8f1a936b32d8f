#include "core/text/angle.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/text/number_text.h"

namespace tarnvel {

namespace {

constexpr int kSecondDecimals = 2;

// Whether seconds (0 <= s < 60) round to 60.00 or to 0.00 at two decimals,
// an exact half to even, decided before anything is written. The double
// nearest 59.995 lies below the true value, and the one nearest 0.005
// above it, so plain comparisons with them are exact.
bool RoundsToWholeMinute(double seconds) {
  return seconds > 59.995;
}
bool RoundsToZero(double seconds) {
  return seconds < 0.005;
}

double ParseDigits(std::string_view digits) {
  double value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

}  // namespace

double DmsToDegrees(double v) {
  if (!std::isfinite(v)) return v;

  // The shortest fixed-point text of |v| is the value as typed: 98.565562
  // rather than the binary expansion 98.56556199999999...
  std::array<char, 1200> buffer{};
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(v),
                                 std::chars_format::fixed)
                       .ptr;
  const std::string_view text(buffer.data(), end - buffer.data());
  const auto point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);

  // Minutes are the first two digits after the point; seconds the next two,
  // with any further digits as their decimals.
  std::string minutes = "00";
  fraction.substr(0, 2).copy(minutes.data(), 2);
  std::string seconds;
  if (fraction.size() > 2) {
    seconds = "00";
    fraction.substr(2, 2).copy(seconds.data(), 2);
    if (fraction.size() > 4) {
      seconds += '.';
      seconds += fraction.substr(4);
    }
  }

  const double d = ParseDigits(whole);
  const double m = ParseDigits(minutes);
  const double s = seconds.empty() ? 0 : ParseDigits(seconds);
  const double degrees = d + (m + s / kSecondsPerMinute) / kMinutesPerDegree;
  return v < 0 ? -degrees : degrees;
}

char* WriteDmsText(char* out, double v) {
  if (!std::isfinite(v)) return WriteGeneralText(out, v);

  const double a = std::fabs(v);
  double degrees = std::floor(a);
  const double fraction_minutes = (a - degrees) * kMinutesPerDegree;
  double minutes = std::floor(fraction_minutes);
  double seconds = (fraction_minutes - minutes) * kSecondsPerMinute;

  // Round first, then carry, so that the text never reads 60 seconds.
  if (RoundsToWholeMinute(seconds)) {
    seconds = 0;
    minutes += 1;
    if (minutes == kMinutesPerDegree) {
      minutes = 0;
      degrees += 1;
    }
  }

  const bool zero = degrees == 0 && minutes == 0 && RoundsToZero(seconds);
  if (v < 0 && !zero) *out++ = '-';
  out = WriteWholeText(out, degrees);
  out = WriteText(out, "°");
  out = WriteWholeText(out, minutes);
  out = WriteText(out, "ˊ");
  out = WriteLabelText(out, seconds, kSecondDecimals);
  return WriteText(out, "″");
}

std::string DegreesToDmsText(double v) {
  std::array<char, kNumberTextRoom> buffer;
  return std::string(buffer.data(), WriteDmsText(buffer.data(), v));
}

std::string AzimuthDmsText(double degrees) {
  if (!std::isfinite(degrees)) return DegreesToDmsText(degrees);
  double reduced = std::fmod(degrees, 360.0);
  if (reduced < 0) reduced += 360.0;  // a hair below 0 comes to 360 itself
  std::string text = DegreesToDmsText(reduced);
  return text.starts_with("360°") ? DegreesToDmsText(0) : text;
}

}  // namespace tarnvel
