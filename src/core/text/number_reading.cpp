#include "core/text/number_reading.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tarnvel {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Converts a well-formed decimal text ("-12.5e3", ".5", "7.") to a double.
// An overflow gives ±infinity and an underflow ±0, so that neither depends
// on the process locale or on errno.
double ConvertDecimal(std::string_view number) {
  bool negative = false;
  if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
    negative = number.front() == '-';
    number.remove_prefix(1);
  }
  double value = 0;
  const auto [ptr, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                            std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    // Decide between overflow and underflow from the decimal exponent of the
    // first significant digit.
    const auto e = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, e);
    long long power = 0;
    if (e != std::string_view::npos) {
      std::string_view digits = number.substr(e + 1);
      const bool negative_power = !digits.empty() && digits.front() == '-';
      if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
        digits.remove_prefix(1);
      for (char c : digits) power = std::min(power * 10 + (c - '0'), 1'000'000'000LL);
      if (negative_power) power = -power;
    }
    const auto point = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, point);
    const auto first_whole = whole.find_first_not_of('0');
    if (first_whole != std::string_view::npos) {
      power += static_cast<long long>(whole.size() - first_whole) - 1;
    } else if (point != std::string_view::npos) {
      const auto first_fraction = mantissa.find_first_not_of('0', point + 1);
      power -= static_cast<long long>(first_fraction - point);
    }
    value = power > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

bool IsSpace(char c) {
  return c == ' ';
}

}  // namespace

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

double ReadLenient(std::string_view text) {
  std::string number;
  size_t i = 0;
  auto skip_spaces = [&] {
    while (i < text.size() && IsSpace(text[i])) ++i;
  };

  skip_spaces();
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];

  bool digits = false;
  bool point = false;
  for (;; ++i) {
    skip_spaces();
    if (i >= text.size()) break;
    if (IsDigit(text[i])) {
      number += text[i];
      digits = true;
    } else if (text[i] == '.' && !point) {
      number += '.';
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return 0;

  // An exponent counts only when at least one digit follows the "E".
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    std::string exponent = "e";
    while (j < text.size() && IsSpace(text[j])) ++j;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    bool exponent_digits = false;
    for (;; ++j) {
      while (j < text.size() && IsSpace(text[j])) ++j;
      if (j >= text.size() || !IsDigit(text[j])) break;
      exponent += text[j];
      exponent_digits = true;
    }
    if (exponent_digits) number += exponent;
  }
  return ConvertDecimal(number);
}

std::optional<double> ReadStrict(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);

  size_t i = 0;
  if (text[i] == '+' || text[i] == '-') ++i;
  size_t mantissa_digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++mantissa_digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++mantissa_digits;
  }
  if (mantissa_digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t exponent_digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++exponent_digits;
    if (exponent_digits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;

  const double value = ConvertDecimal(text);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace tarnvel
