#include "number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

namespace tarnvel {

namespace {

constexpr int kGeneralDigits = 15;
constexpr int kGeneralMaxExponent = 15;  // 1E+15 and up in exponent form
constexpr int kGeneralMinExponent = -4;  // below 0.0001 in exponent form

// Room for any fixed text of a double with up to a few dozen decimals.
using Buffer = std::array<char, 400>;

bool AllZeroDigits(std::string_view text) {
  return text.find_first_of("123456789") == std::string_view::npos;
}

std::string_view NonFiniteText(double x) {
  if (std::isnan(x)) return "NaN";
  return x < 0 ? "-Inf" : "Inf";
}

__extension__ using Uint128 = unsigned __int128;

constexpr int kMaxScaledDecimals = 18;

constexpr auto kPowersOfTen = [] {
  std::array<Uint128, kMaxScaledDecimals + 1> powers{};
  Uint128 p = 1;
  for (auto& power : powers) {
    power = p;
    p *= 10;
  }
  return powers;
}();

// |x| · 10^decimals rounded to the nearest whole number, an exact half to
// even, in exact integer arithmetic on the binary value of x; nothing when
// the result does not fit 64 bits. The tables write millions of numbers,
// and this is many times faster than the general conversion.
std::optional<std::uint64_t> ScaledRound(double x, int decimals) {
  if (decimals < 0 || decimals > kMaxScaledDecimals) return std::nullopt;
  // |x| = mantissa · 2^-shift exactly, read off the bits of the double.
  const auto bits = std::bit_cast<std::uint64_t>(x) & ~(std::uint64_t{1} << 63);
  const auto biased = static_cast<int>(bits >> 52);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased != 0) mantissa |= std::uint64_t{1} << 52;
  const int shift = 1075 - std::max(biased, 1);
  if (shift < 0) return std::nullopt;
  const Uint128 scaled = Uint128{mantissa} * kPowersOfTen[static_cast<size_t>(decimals)];
  Uint128 q = 0;
  if (shift <= 0) {
    q = scaled;
  } else if (shift < 128) {
    q = scaled >> shift;
    const Uint128 rest = scaled - (q << shift);
    const Uint128 half = Uint128{1} << (shift - 1);
    if (rest > half || (rest == half && (q & 1) != 0)) ++q;
  }  // else |x| · 10^decimals < 2^-40: rounds to zero
  if (q > UINT64_MAX) return std::nullopt;
  return static_cast<std::uint64_t>(q);
}

// Writes q / 10^decimals with exactly `decimals` places and at least one
// digit before the point.
std::string_view ScaledText(Buffer& buffer, std::uint64_t q, int decimals, bool negative) {
  char* out = buffer.data();
  if (negative && q != 0) *out++ = '-';
  const auto places = static_cast<size_t>(decimals);
  char* digits = out + 1;  // room for the point
  const auto count = static_cast<size_t>(std::to_chars(digits, digits + 24, q).ptr - digits);
  if (places == 0) {
    std::memmove(out, digits, count);
    return {buffer.data(), static_cast<size_t>(out + count - buffer.data())};
  }
  if (count > places) {
    // Shift the whole part one place left to open the point.
    const size_t whole = count - places;
    std::memmove(out, digits, whole);
    out[whole] = '.';
    return {buffer.data(), static_cast<size_t>(digits + count - buffer.data())};
  }
  // 0.00ddd: move the digits right behind the padding.
  const size_t zeros = places - count;
  std::memmove(out + 2 + zeros, digits, count);
  out[0] = '0';
  out[1] = '.';
  std::memset(out + 2, '0', zeros);
  return {buffer.data(), static_cast<size_t>(out + 2 + places - buffer.data())};
}

// The fixed text in `buffer`, without the minus sign of a value that rounds
// to zero.
std::string_view Fixed(Buffer& buffer, double x, int decimals) {
  if (const auto q = ScaledRound(x, decimals)) return ScaledText(buffer, *q, decimals, x < 0);
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                 std::chars_format::fixed, decimals)
                       .ptr;
  std::string_view text(buffer.data(), end - buffer.data());
  if (text.front() == '-' && AllZeroDigits(text)) text.remove_prefix(1);
  return text;
}

// Drops trailing zeros after the point, and the point when nothing follows.
std::string_view TrimFraction(std::string_view fixed) {
  if (fixed.find('.') == std::string_view::npos) return fixed;
  fixed = fixed.substr(0, fixed.find_last_not_of('0') + 1);
  if (fixed.back() == '.') fixed.remove_suffix(1);
  return fixed;
}

template <class Append>
std::string Collect(Append append) {
  std::string out;
  append(out);
  return out;
}

}  // namespace

void AppendFixedText(std::string& out, double x, int decimals) {
  if (!std::isfinite(x)) {
    out += NonFiniteText(x);
    return;
  }
  Buffer buffer;
  out += Fixed(buffer, x, decimals);
}

void AppendLabelText(std::string& out, double x, int decimals) {
  if (!std::isfinite(x)) {
    out += NonFiniteText(x);
    return;
  }
  Buffer buffer;
  out += TrimFraction(Fixed(buffer, x, decimals));
}

void AppendGeneralText(std::string& out, double x) {
  if (!std::isfinite(x)) {
    out += NonFiniteText(x);
    return;
  }
  if (x == 0) {
    out += '0';
    return;
  }

  // Fifteen significant digits in fixed form, the common case.
  const double magnitude = std::fabs(x);
  if (magnitude >= 1e-4 && magnitude < 1e15) {
    int power = static_cast<int>(std::floor(std::log10(magnitude)));
    for (int attempt = 0; attempt < 3; ++attempt) {
      const int decimals = kGeneralDigits - 1 - power;
      const auto q = ScaledRound(magnitude, decimals);
      if (!q || decimals < 0) break;
      if (*q >= 1'000'000'000'000'000) {
        ++power;
      } else if (*q < 100'000'000'000'000) {
        --power;
      } else {
        Buffer buffer;
        if (x < 0) out += '-';
        out += TrimFraction(ScaledText(buffer, *q, decimals, false));
        return;
      }
    }
  }

  // Fifteen significant digits, correctly rounded: "d.dddddddddddddde±x".
  std::array<char, 32> buffer{};
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(x),
                                 std::chars_format::scientific, kGeneralDigits - 1)
                       .ptr;
  const std::string_view text(buffer.data(), end - buffer.data());
  const auto e = text.find('e');
  std::array<char, kGeneralDigits> digit_buffer{};
  size_t count = 0;
  for (char c : text.substr(0, e))
    if (c != '.') digit_buffer[count++] = c;
  while (count > 1 && digit_buffer[count - 1] == '0') --count;
  const std::string_view digits(digit_buffer.data(), count);
  int exponent = 0;
  const std::string_view power = text.substr(e + 1);
  std::from_chars(power.data() + (power.front() == '+' ? 1 : 0), power.data() + power.size(),
                  exponent);

  if (x < 0) out += '-';
  if (exponent >= kGeneralMaxExponent || exponent < kGeneralMinExponent) {
    out += digits.front();
    if (digits.size() > 1) {
      out += '.';
      out += digits.substr(1);
    }
    out += exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) out += '0';
    out += std::to_string(magnitude);
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
}

std::string GeneralText(double x) {
  return Collect([&](std::string& out) { AppendGeneralText(out, x); });
}

std::string FixedText(double x, int decimals) {
  return Collect([&](std::string& out) { AppendFixedText(out, x, decimals); });
}

std::string LabelText(double x, int decimals) {
  return Collect([&](std::string& out) { AppendLabelText(out, x, decimals); });
}

std::string StationText(double station) {
  const std::string fixed = FixedText(station, 3);
  if (!std::isfinite(station)) return fixed;
  const bool negative = fixed.front() == '-';
  const std::string_view unsigned_text = std::string_view(fixed).substr(negative ? 1 : 0);
  const auto point = unsigned_text.find('.');
  std::string whole(unsigned_text.substr(0, point));
  if (whole.size() < 5) whole.insert(0, 5 - whole.size(), '0');
  whole.insert(whole.size() - 3, "+");
  return (negative ? "-" : "") + whole + std::string(unsigned_text.substr(point));
}

}  // namespace tarnvel
