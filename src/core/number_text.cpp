#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tarnvel {

namespace {

constexpr int kGeneralDigits = 15;
constexpr int kGeneralMaxExponent = 15;   // 1E+15 and up in exponent form
constexpr int kGeneralMinExponent = -4;   // below 0.0001 in exponent form

bool AllZeroDigits(std::string_view text) {
  return text.find_first_of("123456789") == std::string_view::npos;
}

}  // namespace

std::string TrimFraction(std::string_view fixed) {
  if (fixed.find('.') == std::string_view::npos) return std::string(fixed);
  const auto last = fixed.find_last_not_of('0');
  std::string_view kept = fixed.substr(0, last + 1);
  if (kept.back() == '.') kept.remove_suffix(1);
  return std::string(kept);
}

std::string FixedText(double x, int decimals) {
  if (!std::isfinite(x)) return GeneralText(x);
  std::array<char, 400> buffer{};
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                 std::chars_format::fixed, decimals)
                       .ptr;
  std::string_view text(buffer.data(), end - buffer.data());
  if (text.front() == '-' && AllZeroDigits(text)) text.remove_prefix(1);
  return std::string(text);
}

std::string LabelText(double x, int decimals) {
  return TrimFraction(FixedText(x, decimals));
}

std::string GeneralText(double x) {
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x < 0 ? "-Inf" : "Inf";
  if (x == 0) return "0";

  // Fifteen significant digits, correctly rounded: "d.dddddddddddddde±x".
  std::array<char, 64> buffer{};
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                 std::fabs(x), std::chars_format::scientific,
                                 kGeneralDigits - 1)
                       .ptr;
  const std::string_view text(buffer.data(), end - buffer.data());
  const auto e = text.find('e');
  std::string digits;
  for (char c : text.substr(0, e))
    if (c != '.') digits += c;
  digits.erase(digits.find_last_not_of('0') + 1);
  const int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());

  std::string out = x < 0 ? "-" : "";
  if (exponent >= kGeneralMaxExponent || exponent < kGeneralMinExponent) {
    out += digits.front();
    if (digits.size() > 1) {
      out += '.';
      out += digits.substr(1);
    }
    out += exponent < 0 ? "E-" : "E+";
    const std::string power = std::to_string(std::abs(exponent));
    if (power.size() < 2) out += '0';
    out += power;
  } else if (exponent < 0) {
    out += "0.";
    out.append(static_cast<size_t>(-exponent - 1), '0');
    out += digits;
  } else {
    const auto whole = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      out += digits;
      out.append(whole - digits.size(), '0');
    } else {
      out += digits.substr(0, whole);
      out += '.';
      out += digits.substr(whole);
    }
  }
  return out;
}

std::string StationText(double station) {
  const std::string fixed = FixedText(station, 3);
  if (!std::isfinite(station)) return fixed;
  const bool negative = fixed.front() == '-';
  const std::string_view unsigned_text =
      std::string_view(fixed).substr(negative ? 1 : 0);
  const auto point = unsigned_text.find('.');
  std::string whole(unsigned_text.substr(0, point));
  if (whole.size() < 5) whole.insert(0, 5 - whole.size(), '0');
  whole.insert(whole.size() - 3, "+");
  return (negative ? "-" : "") + whole + std::string(unsigned_text.substr(point));
}

}  // namespace tarnvel
