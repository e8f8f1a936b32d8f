#include "io/landxml/landxml_numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/text/angle.h"

namespace tarnvel {

namespace {

// The most decimals of seconds an exact match is looked for with, and the
// decimals any other angle is rounded to.
constexpr int kMostExactDecimals = 10;
// Degrees carry four decimals more than the seconds they can be trusted to.
constexpr int kDegreeDecimalsOverSeconds = 4;

constexpr double kSecondsPerDegree = kMinutesPerDegree * kSecondsPerMinute;
// Units of 10^-n seconds are counted in a signed 64-bit integer.
constexpr double kMostUnits = 9e18;

bool IsXmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view TrimXmlSpace(std::string_view text) {
  while (!text.empty() && IsXmlSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsXmlSpace(text.back())) text.remove_suffix(1);
  return text;
}

// The d.mmss text of |degrees| with its seconds rounded to `decimals`, as a
// number; nothing when the units would not fit the counter.
std::optional<double> DmsWithDecimals(double degrees, int decimals) {
  const double a = std::fabs(degrees);
  const double whole = std::floor(a);
  // a − floor(a) is exact, so the seconds keep the full precision of the
  // fraction rather than that of the whole angle times 3600.
  const double fraction = a - whole;
  const double scale = std::pow(10.0, decimals);
  const double units_per_degree = kSecondsPerDegree * scale;
  if ((whole + 1) * units_per_degree >= kMostUnits) return std::nullopt;

  auto fraction_units = static_cast<std::int64_t>(std::nearbyint(fraction * units_per_degree));
  auto whole_degrees = static_cast<std::int64_t>(whole);
  const auto per_degree = static_cast<std::int64_t>(units_per_degree);
  if (fraction_units >= per_degree) {  // 59′59.9…″ rounded up to the next degree
    fraction_units -= per_degree;
    ++whole_degrees;
  }
  const auto per_minute = per_degree / static_cast<std::int64_t>(kMinutesPerDegree);
  const auto per_second = per_minute / static_cast<std::int64_t>(kSecondsPerMinute);
  const std::int64_t minutes = fraction_units / per_minute;
  const std::int64_t seconds = (fraction_units % per_minute) / per_second;
  const std::int64_t second_decimals = fraction_units % per_second;

  std::array<char, 64> text{};
  char* out = text.data();
  if (std::signbit(degrees)) *out++ = '-';
  out = std::to_chars(out, text.data() + text.size(), whole_degrees).ptr;
  *out++ = '.';
  *out++ = static_cast<char>('0' + minutes / 10);
  *out++ = static_cast<char>('0' + minutes % 10);
  *out++ = static_cast<char>('0' + seconds / 10);
  *out++ = static_cast<char>('0' + seconds % 10);
  for (int digit = decimals - 1; digit >= 0; --digit) {
    std::int64_t place = 1;
    for (int i = 0; i < digit; ++i) place *= 10;
    *out++ = static_cast<char>('0' + (second_decimals / place) % 10);
  }
  double value = 0;
  std::from_chars(text.data(), out, value);
  return value;
}

}  // namespace

std::string RoundTripText(double value) {
  std::array<char, 64> text{};
  const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
  return std::string(text.data(), end);
}

std::optional<double> ReadXsDouble(std::string_view text) {
  text = TrimXmlSpace(text);
  if (text == "INF" || text == "+INF") return std::numeric_limits<double>::infinity();
  if (text == "-INF") return -std::numeric_limits<double>::infinity();
  if (text == "NaN") return std::numeric_limits<double>::quiet_NaN();
  // from_chars would also take "inf", "nan" and hexadecimal forms, which
  // XML Schema does not.
  for (char c : text) {
    const bool allowed =
        (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
    if (!allowed) return std::nullopt;
  }
  if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') {
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<AngleUnit> AngleUnitNamed(std::string_view name) {
  name = TrimXmlSpace(name);
  if (name == "radians") return AngleUnit::kRadians;
  if (name == "grads") return AngleUnit::kGrads;
  if (name == "decimal degrees") return AngleUnit::kDecimalDegrees;
  if (name == "decimal dd.mm.ss") return AngleUnit::kDecimalDms;
  return std::nullopt;
}

double AngleToDegrees(double value, AngleUnit unit) {
  switch (unit) {
    case AngleUnit::kRadians:
      return value * 180 / kPi;
    case AngleUnit::kGrads:
      return value * 0.9;
    case AngleUnit::kDecimalDegrees:
      return value;
    case AngleUnit::kDecimalDms:
      return DmsToDegrees(value);
  }
  return value;
}

double DegreesToDmsField(double degrees, int mostExactDecimals) {
  if (!std::isfinite(degrees)) return degrees;
  const int most = std::clamp(mostExactDecimals, 0, kMostExactDecimals);
  for (int decimals = 0; decimals <= most; ++decimals) {
    const auto dms = DmsWithDecimals(degrees, decimals);
    if (!dms) break;
    if (DmsToDegrees(*dms) == degrees) return *dms;
  }
  for (int decimals = kRoundedSecondDecimals; decimals >= 0; --decimals) {
    if (const auto dms = DmsWithDecimals(degrees, decimals)) return *dms;
  }
  return degrees;
}

int TrustedSecondDecimals(std::string_view text) {
  text = TrimXmlSpace(text);
  int decimals = 0;
  const auto point = text.find('.');
  const auto exponent = text.find_first_of("eE");
  if (point != std::string_view::npos) {
    const auto end = exponent == std::string_view::npos ? text.size() : exponent;
    if (end > point) decimals = static_cast<int>(end - point - 1);
  }
  if (exponent != std::string_view::npos) {
    int power = 0;
    std::string_view digits = text.substr(exponent + 1);
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    std::from_chars(digits.data(), digits.data() + digits.size(), power);
    decimals = std::clamp(decimals - power, -1000, 1000);
  }
  return std::clamp(decimals - kDegreeDecimalsOverSeconds, kRoundedSecondDecimals,
                    kMostExactDecimals);
}

}  // namespace tarnvel
