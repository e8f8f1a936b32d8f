#include "angle.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "number_text.h"

namespace tarnvel {

namespace {

constexpr int kSecondDecimals = 2;

// Degrees and minutes are whole numbers; most fit a 64-bit integer.
void AppendWholeText(std::string& out, double whole) {
  if (whole < 9e18) {
    std::array<char, 24> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(),
                                   static_cast<std::int64_t>(whole))
                         .ptr;
    out.append(digits.data(), end);
  } else {
    AppendFixedText(out, whole, 0);
  }
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
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                 std::fabs(v), std::chars_format::fixed)
                       .ptr;
  const std::string_view text(buffer.data(), end - buffer.data());
  const auto point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);

  std::string minutes(fraction.substr(0, 2));
  minutes.resize(2, '0');
  std::string seconds;
  if (fraction.size() > 2) {
    seconds = fraction.substr(2, 2);
    seconds.resize(2, '0');
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

void AppendDmsText(std::string& out, double v) {
  if (!std::isfinite(v)) {
    AppendGeneralText(out, v);
    return;
  }

  const double a = std::fabs(v);
  double degrees = std::floor(a);
  const double fraction_minutes = (a - degrees) * kMinutesPerDegree;
  double minutes = std::floor(fraction_minutes);
  const double seconds = (fraction_minutes - minutes) * kSecondsPerMinute;

  // Round first, then carry, so that the text never reads 60 seconds.
  std::string seconds_text;
  AppendLabelText(seconds_text, seconds, kSecondDecimals);
  if (seconds_text == "60") {
    seconds_text = "0";
    minutes += 1;
    if (minutes == kMinutesPerDegree) {
      minutes = 0;
      degrees += 1;
    }
  }

  const bool zero = degrees == 0 && minutes == 0 && seconds_text == "0";
  if (v < 0 && !zero) out += '-';
  AppendWholeText(out, degrees);
  out += "°";
  AppendWholeText(out, minutes);
  out += "ˊ";
  out += seconds_text;
  out += "″";
}

std::string DegreesToDmsText(double v) {
  std::string text;
  AppendDmsText(text, v);
  return text;
}

double SinDeg(double degrees) { return std::sin(kPi / 180 * degrees); }

double CosDeg(double degrees) { return std::cos(kPi / 180 * degrees); }

}  // namespace tarnvel
