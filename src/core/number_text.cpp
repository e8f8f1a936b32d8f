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

char* WriteNonFinite(char* out, double x) {
  if (std::isnan(x)) return WriteText(out, "NaN");
  return WriteText(out, x < 0 ? "-Inf" : "Inf");
}

template <class Write>
std::string Collect(Write write) {
  std::array<char, kNumberTextRoom> buffer;
  return std::string(buffer.data(), write(buffer.data()));
}

__extension__ using Uint128 = unsigned __int128;

// The general form of values from 1E-05 scales them by up to 10^19.
constexpr int kMaxScaledDecimals = 19;

// 10^0 to 10^19, all of which fit 64 bits.
constexpr auto kPowersOfTen = [] {
  std::array<std::uint64_t, kMaxScaledDecimals + 1> powers{};
  std::uint64_t p = 1;
  for (auto& power : powers) {
    power = p;
    p *= 10;
  }
  return powers;
}();

constexpr std::uint64_t kFifteenDigits = 100'000'000'000'000;  // 10^14

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
  // Below 2^53 · 10^19 < 2^117: one 64 × 64-bit product.
  const Uint128 scaled = Uint128{mantissa} * kPowersOfTen[static_cast<size_t>(decimals)];
  Uint128 q = 0;
  if (shift < 128) {
    q = scaled >> shift;
    const Uint128 rest = scaled - (q << shift);
    const Uint128 half = shift == 0 ? 0 : Uint128{1} << (shift - 1);
    if (shift > 0 && (rest > half || (rest == half && (q & 1) != 0))) ++q;
  }  // else |x| · 10^decimals < 2^-11: rounds to zero
  if (q > UINT64_MAX) return std::nullopt;
  return static_cast<std::uint64_t>(q);
}

// Decimal digits of q, at least one: from its bit length, then one
// comparison.
int DigitCount(std::uint64_t q) {
  const int bits = 64 - std::countl_zero(q | 1);
  const int guess = (bits * 1233) >> 12;  // bits · log10(2), rounded down
  return guess - (q < kPowersOfTen[static_cast<size_t>(guess)]) + 1;
}

constexpr auto kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Writes the last `count` digits of q so that they end at `end`, leading
// zeros included, two at a time from the end; leaves in q what is above
// them and returns where they begin.
char* WriteLastDigits(char* end, std::uint64_t& q, int count) {
  for (; count >= 2; count -= 2) {
    end -= 2;
    std::memcpy(end, &kDigitPairs[static_cast<size_t>(q % 100) * 2], 2);
    q /= 100;
  }
  if (count == 1) {
    *--end = static_cast<char>('0' + q % 10);
    q /= 10;
  }
  return end;
}

// Writes all `count` digits of q (its first digit not zero unless q is 0)
// and returns the end.
char* WriteDigits(char* out, std::uint64_t q, int count) {
  WriteLastDigits(out + count, q, count);
  return out + count;
}

// Writes q / 10^decimals with exactly `decimals` places and at least one
// digit before the point, straight into place: the length is known from
// the number of digits of q.
char* WriteScaled(char* out, std::uint64_t q, int decimals, bool negative) {
  if (negative && q != 0) *out++ = '-';
  const int whole = std::max(DigitCount(q) - decimals, 1);
  char* const end = out + whole + (decimals > 0 ? decimals + 1 : 0);
  char* first = end;
  if (decimals > 0) {
    first = WriteLastDigits(first, q, decimals);
    *--first = '.';
  }
  WriteLastDigits(first, q, whole);
  return end;
}

// Steps back over trailing zeros after the point, and the point itself when
// nothing follows it ("12.50" → "12.5", "3.000" → "3").
char* TrimFraction(char* begin, char* end) {
  if (std::find(begin, end, '.') == end) return end;
  while (end[-1] == '0') --end;
  if (end[-1] == '.') --end;
  return end;
}

// Drops the trailing zeros of q, at most `limit` of them, returning how
// many were dropped. Halving the stride finds the count in five tests.
int DropTrailingZeros(std::uint64_t& q, int limit) {
  if (q == 0) return limit;
  int dropped = 0;
  for (int stride : {16, 8, 4, 2, 1}) {
    const std::uint64_t power = kPowersOfTen[static_cast<size_t>(stride)];
    if (dropped + stride <= limit && q % power == 0) {
      q /= power;
      dropped += stride;
    }
  }
  return dropped;
}

// Doubles nearest to 10^-5 … 10^15. Each one from 10^-5 up lies at or
// above the true power, so |x| >= kDecades[k] holds exactly when the value
// of x is at least 10^(k-5).
constexpr std::array<double, 21> kDecades = {1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0,  1e1,
                                             1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,
                                             1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr int kFirstDecade = -5;

// floor(log10(m)) for 1E-05 <= m < 1E+15, without a logarithm: the binary
// exponent gives it or one less.
int DecimalExponent(double m) {
  const int binary = static_cast<int>(std::bit_cast<std::uint64_t>(m) >> 52) - 1023;
  const int guess = (binary * 78913) >> 18;  // binary · log10(2), rounded down
  const int next = std::min(guess + 1, kGeneralMaxExponent) - kFirstDecade;
  return guess + (m >= kDecades[static_cast<size_t>(next)]);
}

// Writes the significant digits `digits` (count of them, the first not
// zero, the last not zero unless it is the only one) of a value
// d.ddd × 10^exponent in the general form.
char* WriteSignificant(char* out, std::uint64_t digits, int count, int exponent) {
  if (exponent >= kGeneralMaxExponent || exponent < kGeneralMinExponent) {
    char* const end = out + count + (count > 1 ? 1 : 0);
    char* first = WriteLastDigits(end, digits, count - 1);
    if (count > 1) *--first = '.';
    *--first = static_cast<char>('0' + digits);
    out = WriteText(end, exponent < 0 ? "E-" : "E+");
    const auto magnitude = static_cast<std::uint64_t>(std::abs(exponent));
    return WriteDigits(out, magnitude, std::max(DigitCount(magnitude), 2));
  }
  if (exponent < 0) {
    out = WriteText(out, "0.");
    out = std::fill_n(out, -exponent - 1, '0');
    return WriteDigits(out, digits, count);
  }
  const int whole = exponent + 1;
  if (count <= whole) {
    out = WriteDigits(out, digits, count);
    return std::fill_n(out, whole - count, '0');
  }
  char* const end = out + count + 1;
  char* first = WriteLastDigits(end, digits, count - whole);
  *--first = '.';
  WriteLastDigits(first, digits, whole);
  return end;
}

// The general form outside 1E-05 to 1E+15, always in exponent form: the
// library's correctly rounded "d.dddddddddddddde±x", written in place and
// then reshaped.
char* WriteGeneralExponentForm(char* out, double magnitude) {
  const auto end = std::to_chars(out, out + kNumberTextRoom, magnitude,
                                 std::chars_format::scientific, kGeneralDigits - 1)
                       .ptr;
  char* const e = std::find(out, end, 'e');
  int exponent = 0;
  std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
  std::uint64_t digits = 0;
  int count = 0;
  for (const char* c = out; c != e; ++c) {
    if (*c == '.') continue;
    digits = digits * 10 + static_cast<std::uint64_t>(*c - '0');
    ++count;
  }
  count -= DropTrailingZeros(digits, count - 1);
  return WriteSignificant(out, digits, count, exponent);
}

}  // namespace

char* WriteFixedText(char* out, double x, int decimals) {
  if (!std::isfinite(x)) return WriteNonFinite(out, x);
  if (decimals <= 18)
    if (const auto q = ScaledRound(x, decimals)) return WriteScaled(out, *q, decimals, x < 0);
  const auto end = std::to_chars(out, out + kNumberTextRoom, x, std::chars_format::fixed,
                                 decimals).ptr;
  if (*out == '-' && std::find_if(out, end, [](char c) { return c >= '1' && c <= '9'; }) == end)
    return std::copy(out + 1, end, out);  // no minus sign on a zero
  return end;
}

char* WriteLabelText(char* out, double x, int decimals) {
  if (!std::isfinite(x)) return WriteNonFinite(out, x);
  if (decimals <= 18) {
    if (auto q = ScaledRound(x, decimals)) {
      const int places = decimals - DropTrailingZeros(*q, decimals);
      return WriteScaled(out, *q, places, x < 0);
    }
  }
  return TrimFraction(out, WriteFixedText(out, x, decimals));
}

char* WriteGeneralText(char* out, double x) {
  if (!std::isfinite(x)) return WriteNonFinite(out, x);
  if (x == 0) {
    *out++ = '0';
    return out;
  }
  const double magnitude = std::fabs(x);
  if (x < 0) *out++ = '-';
  if (!(magnitude >= kDecades.front() && magnitude < kDecades.back()))
    return WriteGeneralExponentForm(out, magnitude);

  // Fifteen significant digits: 10^14 <= digits <= 10^15, the top only when
  // rounding carries into the next power of ten.
  int exponent = DecimalExponent(magnitude);
  std::uint64_t digits = *ScaledRound(magnitude, kGeneralDigits - 1 - exponent);
  int count = kGeneralDigits;
  if (digits == kFifteenDigits * 10) {
    digits = 1;
    count = 1;
    ++exponent;
  } else {
    count -= DropTrailingZeros(digits, count - 1);
  }
  return WriteSignificant(out, digits, count, exponent);
}

std::string GeneralText(double x) {
  return Collect([&](char* out) { return WriteGeneralText(out, x); });
}

std::string FixedText(double x, int decimals) {
  return Collect([&](char* out) { return WriteFixedText(out, x, decimals); });
}

std::string LabelText(double x, int decimals) {
  return Collect([&](char* out) { return WriteLabelText(out, x, decimals); });
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
