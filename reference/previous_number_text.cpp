// Today's number texts, frozen: see previous_number_text.h.
#include "previous_number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "core/text/angle.h"
#include "core/text/number_text.h"

namespace tarnvel::previous {

using tarnvel::WriteText;

namespace {

constexpr int kGeneralDigits = 15;
constexpr int kGeneralMaxExponent = 15;  // 1E+15 and up in exponent form
constexpr int kGeneralMinExponent = -4;  // below 0.0001 in exponent form

char* WriteNonFinite(char* out, double x) {
  if (std::isnan(x)) return WriteText(out, "NaN");
  return WriteText(out, x < 0 ? "-Inf" : "Inf");
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
  if (shift < 128) {
    q = scaled >> shift;
    const Uint128 rest = scaled - (q << shift);
    const Uint128 half = shift == 0 ? 0 : Uint128{1} << (shift - 1);
    if (shift > 0 && (rest > half || (rest == half && (q & 1) != 0))) ++q;
  }  // else |x| · 10^decimals < 2^-40: rounds to zero
  if (q > UINT64_MAX) return std::nullopt;
  return static_cast<std::uint64_t>(q);
}

constexpr auto kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Writes q / 10^decimals with exactly `decimals` places and at least one
// digit before the point. The digits are made two at a time from the end.
char* WriteScaled(char* out, std::uint64_t q, int decimals, bool negative) {
  if (negative && q != 0) *out++ = '-';
  const auto places = static_cast<size_t>(decimals);
  std::array<char, 24> digits;
  char* first = digits.data() + digits.size();
  while (q >= 100) {
    const auto pair = static_cast<size_t>(q % 100) * 2;
    q /= 100;
    *--first = kDigitPairs[pair + 1];
    *--first = kDigitPairs[pair];
  }
  if (q >= 10) {
    *--first = kDigitPairs[q * 2 + 1];
    *--first = kDigitPairs[q * 2];
  } else {
    *--first = static_cast<char>('0' + q);
  }
  const auto count = static_cast<size_t>(digits.data() + digits.size() - first);
  if (count > places) {
    out = std::copy_n(first, count - places, out);
  } else {
    *out++ = '0';
  }
  if (places == 0) return out;
  *out++ = '.';
  if (count < places) out = std::fill_n(out, places - count, '0');
  const size_t fraction = std::min(count, places);
  return std::copy_n(first + count - fraction, fraction, out);
}

// Steps back over trailing zeros after the point, and the point itself when
// nothing follows it ("12.50" → "12.5", "3.000" → "3").
char* TrimFraction(char* begin, char* end) {
  if (std::find(begin, end, '.') == end) return end;
  while (end[-1] == '0') --end;
  if (end[-1] == '.') --end;
  return end;
}

}  // namespace

char* WriteFixedText(char* out, double x, int decimals) {
  if (!std::isfinite(x)) return WriteNonFinite(out, x);
  if (const auto q = ScaledRound(x, decimals)) return WriteScaled(out, *q, decimals, x < 0);
  const auto end =
      std::to_chars(out, out + kNumberTextRoom, x, std::chars_format::fixed, decimals).ptr;
  if (*out == '-' && std::find_if(out, end, [](char c) { return c >= '1' && c <= '9'; }) == end)
    return std::copy(out + 1, end, out);  // no minus sign on a zero
  return end;
}

char* WriteLabelText(char* out, double x, int decimals) {
  char* const end = WriteFixedText(out, x, decimals);
  return std::isfinite(x) ? TrimFraction(out, end) : end;
}

char* WriteGeneralText(char* out, double x) {
  if (!std::isfinite(x)) return WriteNonFinite(out, x);
  if (x == 0) {
    *out++ = '0';
    return out;
  }

  // Fifteen significant digits in fixed form, the common case: find the
  // number of decimals that leaves fifteen digits after rounding.
  const double magnitude = std::fabs(x);
  if (magnitude >= 1e-4 && magnitude < 1e15) {
    int power = static_cast<int>(std::floor(std::log10(magnitude)));
    for (int attempt = 0; attempt < 3; ++attempt) {
      const int decimals = kGeneralDigits - 1 - power;
      const auto q = ScaledRound(magnitude, decimals);
      if (!q) break;
      if (*q >= 1'000'000'000'000'000) {
        ++power;
      } else if (*q < 100'000'000'000'000) {
        --power;
      } else {
        // A value just below a power of ten, with the power overestimated,
        // rounds up to 1 followed by zeros; one more decimal tells whether
        // it has fifteen digits of its own.
        std::uint64_t digits = *q;
        int places = decimals;
        if (digits == 100'000'000'000'000) {
          const auto finer = ScaledRound(magnitude, decimals + 1);
          if (finer && *finer < 1'000'000'000'000'000) {
            digits = *finer;
            ++places;
          }
        }
        if (x < 0) *out++ = '-';
        char* const begin = out;
        return TrimFraction(begin, WriteScaled(out, digits, places, false));
      }
    }
  }

  // Otherwise from the correctly rounded "d.dddddddddddddde±x".
  std::array<char, 32> buffer;
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
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

  if (x < 0) *out++ = '-';
  if (exponent >= kGeneralMaxExponent || exponent < kGeneralMinExponent) {
    *out++ = digits.front();
    if (digits.size() > 1) {
      *out++ = '.';
      out = WriteText(out, digits.substr(1));
    }
    out = WriteText(out, exponent < 0 ? "E-" : "E+");
    const int magnitude_of_exponent = std::abs(exponent);
    if (magnitude_of_exponent < 10) *out++ = '0';
    return std::to_chars(out, out + 8, magnitude_of_exponent).ptr;
  }
  if (exponent < 0) {
    out = WriteText(out, "0.");
    out = std::fill_n(out, -exponent - 1, '0');
    return WriteText(out, digits);
  }
  const auto whole = static_cast<size_t>(exponent) + 1;
  if (digits.size() <= whole) {
    out = WriteText(out, digits);
    return std::fill_n(out, whole - digits.size(), '0');
  }
  out = WriteText(out, digits.substr(0, whole));
  *out++ = '.';
  return WriteText(out, digits.substr(whole));
}

namespace {

constexpr int kSecondDecimals = 2;

// Degrees and minutes are whole numbers; most fit a 64-bit integer.
char* WriteWhole(char* out, double whole) {
  if (whole < 9e18) return std::to_chars(out, out + 24, static_cast<std::int64_t>(whole)).ptr;
  return WriteFixedText(out, whole, 0);
}

}  // namespace

char* WriteDmsText(char* out, double v) {
  if (!std::isfinite(v)) return WriteGeneralText(out, v);

  const double a = std::fabs(v);
  double degrees = std::floor(a);
  const double fraction_minutes = (a - degrees) * kMinutesPerDegree;
  double minutes = std::floor(fraction_minutes);
  const double seconds = (fraction_minutes - minutes) * kSecondsPerMinute;

  // Round first, then carry, so that the text never reads 60 seconds.
  std::array<char, kNumberTextRoom> buffer;
  std::string_view seconds_text(
      buffer.data(), WriteLabelText(buffer.data(), seconds, kSecondDecimals) - buffer.data());
  if (seconds_text == "60") {
    seconds_text = "0";
    minutes += 1;
    if (minutes == kMinutesPerDegree) {
      minutes = 0;
      degrees += 1;
    }
  }

  const bool zero = degrees == 0 && minutes == 0 && seconds_text == "0";
  if (v < 0 && !zero) *out++ = '-';
  out = WriteWhole(out, degrees);
  out = WriteText(out, "°");
  out = WriteWhole(out, minutes);
  out = WriteText(out, "ˊ");
  out = WriteText(out, seconds_text);
  return WriteText(out, "″");
}

}  // namespace tarnvel::previous
