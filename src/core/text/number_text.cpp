#include "core/text/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

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
// even, in exact integer arithmetic on the binary value of x, into q; false
// when the result does not fit 64 bits. The tables write millions of
// numbers, and this is many times faster than the general conversion.
[[gnu::always_inline]] inline bool ScaledRound(double x, int decimals, std::uint64_t& q) {
  if (decimals < 0 || decimals > kMaxScaledDecimals) return false;
  // |x| = mantissa · 2^-shift exactly, read off the bits of the double.
  const auto bits = std::bit_cast<std::uint64_t>(x) & ~(std::uint64_t{1} << 63);
  const auto biased = static_cast<int>(bits >> 52);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased != 0) mantissa |= std::uint64_t{1} << 52;
  const int shift = 1075 - std::max(biased, 1);
  if (shift < 0) return false;
  const std::uint64_t power = kPowersOfTen[static_cast<size_t>(decimals)];

  // The product is below 2^53 · 10^19 < 2^117; it is split at the binary
  // point into q and the rest, which is compared with a half.
  const Uint128 scaled = Uint128{mantissa} * power;
  const auto high = static_cast<std::uint64_t>(scaled >> 64);
  const auto low = static_cast<std::uint64_t>(scaled);
  bool above_half = false;
  bool at_half = false;
  if (shift == 0) {
    if (high != 0) return false;
    q = low;
    return true;
  }
  if (shift < 64) {
    if ((high >> shift) != 0) return false;
    q = (high << (64 - shift)) | (low >> shift);
    const std::uint64_t rest = low & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    above_half = rest > half;
    at_half = rest == half;
  } else if (shift == 64) {
    q = high;
    above_half = low > std::uint64_t{1} << 63;
    at_half = low == std::uint64_t{1} << 63;
  } else if (shift < 128) {
    q = high >> (shift - 64);
    const std::uint64_t rest = high & ((std::uint64_t{1} << (shift - 64)) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 65);
    above_half = rest > half || (rest == half && low != 0);
    at_half = rest == half && low == 0;
  } else {
    q = 0;  // |x| · 10^decimals < 2^-11
    return true;
  }
  if (above_half || (at_half && (q & 1) != 0)) {
    if (q == UINT64_MAX) return false;  // 2^64 does not fit
    ++q;
  }
  return true;
}

// Decimal digits of q, at least one: from its bit length, then one
// comparison.
[[gnu::always_inline]] inline int DigitCount(std::uint64_t q) {
  const int bits = 64 - std::countl_zero(q | 1);
  const int guess = (bits * 1233) >> 12;  // bits · log10(2), rounded down
  return guess - ((q | 1) < kPowersOfTen[static_cast<size_t>(guess)]) + 1;
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
// them and returns where they begin. For texts of more than sixteen digits.
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

// Up to sixteen digits are made at once in the bytes of two 64-bit words,
// the first digit in the lowest byte of the first word, as they will lie
// in memory.
struct DigitText {
  std::uint64_t first = 0;   // digits 1 to 8
  std::uint64_t second = 0;  // digits 9 to 16
};

constexpr std::uint64_t kEightZeros = 0x3030303030303030;

// The eight digits of n < 10^8, leading zeros included: halves, quarters
// and single digits are split off in all lanes at once, multiplying by
// reciprocals that are exact over the range of each lane.
[[gnu::always_inline]] inline std::uint64_t EightDigits(std::uint64_t n) {
  std::uint64_t lanes = (n / 10000) | ((n % 10000) << 32);
  std::uint64_t high = ((lanes * 10486) >> 20) & 0x0000007F0000007F;  // ÷ 100 below 10^4
  lanes = high | ((lanes - high * 100) << 16);
  high = ((lanes * 103) >> 10) & 0x000F000F000F000F;  // ÷ 10 below 100
  lanes = high | ((lanes - high * 10) << 8);
  return lanes | kEightZeros;
}

// The four digits of n < 10^4, leading zeros included, from the pair table.
[[gnu::always_inline]] inline std::uint64_t FourDigits(std::uint64_t n) {
  const std::uint64_t high = n / 100;
  std::uint16_t first = 0;
  std::uint16_t second = 0;
  std::memcpy(&first, &kDigitPairs[2 * high], 2);
  std::memcpy(&second, &kDigitPairs[2 * (n - high * 100)], 2);
  return first | (std::uint64_t{second} << 16);
}

// The `count` (1 to 16) digits of q < 10^count, leading zeros included.
[[gnu::always_inline]] inline DigitText DigitString(std::uint64_t q, int count) {
  if (count <= 8) return {EightDigits(q) >> (8 * (8 - count)), 0};
  const std::uint64_t top = EightDigits(q / 100'000'000);
  const std::uint64_t last = EightDigits(q % 100'000'000);
  const int unused = 8 * (16 - count);  // bytes of leading zeros in top
  if (unused == 0) return {top, last};
  return {(top >> unused) | (last << (64 - unused)), last >> unused};
}

// How many of the last digits of a string of `count` digits are zeros.
[[gnu::always_inline]] inline int TrailingZeroDigits(DigitText digits, int count) {
  if (count > 8) {
    const std::uint64_t values = (digits.second ^ kEightZeros) << (8 * (16 - count));
    if (values != 0) return std::countl_zero(values) / 8;
    const std::uint64_t first = digits.first ^ kEightZeros;
    return count - 8 + (first != 0 ? std::countl_zero(first) / 8 : 8);
  }
  const std::uint64_t values = (digits.first ^ kEightZeros) << (8 * (8 - count));
  return values != 0 ? std::countl_zero(values) / 8 : count;
}

// Puts a point after the first `bytes` (0 to 7) bytes of a word; returns
// the byte pushed out at the top.
[[gnu::always_inline]] inline std::uint64_t InsertPoint(std::uint64_t& word, int bytes) {
  const std::uint64_t pushed = word >> 56;
  const std::uint64_t low = (std::uint64_t{1} << (8 * bytes)) - 1;
  word = (word & low) | (std::uint64_t{'.'} << (8 * bytes)) | ((word & ~low) << 8);
  return pushed;
}

// Stores the first `count` digits of a digit string with a point after the
// first `whole` of them (none when whole >= count), and returns the end.
// Seventeen bytes are stored whatever the length: the room past the end
// is scratch.
[[gnu::always_inline]] inline char* StoreDigits(char* out, DigitText digits, int count, int whole) {
  if (whole < count) {
    if (whole < 8) {
      const std::uint64_t pushed = InsertPoint(digits.first, whole);
      out[16] = static_cast<char>(digits.second >> 56);
      digits.second = (digits.second << 8) | pushed;
    } else {
      out[16] = static_cast<char>(InsertPoint(digits.second, whole - 8));
    }
    ++count;
  }
  std::memcpy(out, &digits.first, 8);
  std::memcpy(out + 8, &digits.second, 8);
  return out + count;
}

// Writes q / 10^decimals with `decimals` places, less any trailing zeros
// among them when `trim`, and at least one digit before the point. The
// length is known from the number of digits of q, so the digits go
// straight into place.
[[gnu::always_inline]] inline char* WriteScaled(char* out, std::uint64_t q, int decimals,
                                                bool negative, bool trim) {
  if (negative && q != 0) *out++ = '-';
  const int count = std::max(DigitCount(q), decimals + 1);
  if (count <= 16) {
    const DigitText digits = DigitString(q, count);
    const int dropped = trim ? std::min(TrailingZeroDigits(digits, count), decimals) : 0;
    return StoreDigits(out, digits, count - dropped, count - decimals);
  }
  if (trim) decimals -= DropTrailingZeros(q, decimals);
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

// WriteScaled for a number of places known when compiling, with fewer than
// nine digits before the point: the digits before the point and the places
// are split by a multiplication and made as two words. The tables'
// coordinates take three places, and the seconds of their azimuths two,
// trimmed.
template <int Places, bool Trim>
[[gnu::always_inline]] inline char* WriteScaledPlaces(char* out, std::uint64_t q, bool negative) {
  static_assert(Places >= 1 && Places <= 8);
  constexpr std::uint64_t scale = kPowersOfTen[Places];
  const std::uint64_t whole = q / scale;
  if (whole >= 100'000'000) return WriteScaled(out, q, Places, negative, Trim);
  if (negative && q != 0) *out++ = '-';
  const int count = DigitCount(whole);
  const std::uint64_t whole_digits = EightDigits(whole) >> (8 * (8 - count));
  const std::uint64_t fraction = q - whole * scale;
  const std::uint64_t places = Places <= 4 ? FourDigits(fraction) >> (8 * (4 - Places))
                                           : EightDigits(fraction) >> (8 * (8 - Places));
  int kept = Places;
  if (Trim) {
    if (fraction == 0)
      kept = 0;
    else
      kept -= std::countl_zero((places ^ kEightZeros) << (8 * (8 - Places))) / 8;
  }
  std::memcpy(out, &whole_digits, 8);
  if (kept == 0) return out + count;
  out[count] = '.';
  std::memcpy(out + count + 1, &places, 8);
  return out + count + 1 + kept;
}

// Steps back over trailing zeros after the point, and the point itself when
// nothing follows it ("12.50" → "12.5", "3.000" → "3").
char* TrimFraction(char* begin, char* end) {
  if (std::find(begin, end, '.') == end) return end;
  while (end[-1] == '0') --end;
  if (end[-1] == '.') --end;
  return end;
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
[[gnu::always_inline]] inline int DecimalExponent(double m) {
  const int binary = static_cast<int>(std::bit_cast<std::uint64_t>(m) >> 52) - 1023;
  const int guess = (binary * 78913) >> 18;  // binary · log10(2), rounded down
  const int next = std::min(guess + 1, kGeneralMaxExponent) - kFirstDecade;
  return guess + (m >= kDecades[static_cast<size_t>(next)]);
}

// Writes d.ddd…E±xx from a string of `count` significant digits (the last
// not zero unless it is the only one).
char* WriteExponentForm(char* out, DigitText digits, int count, int exponent) {
  out = StoreDigits(out, digits, count, 1);
  out = WriteText(out, exponent < 0 ? "E-" : "E+");
  const auto magnitude = static_cast<std::uint64_t>(std::abs(exponent));
  const int places = std::max(DigitCount(magnitude), 2);
  return StoreDigits(out, DigitString(magnitude, places), places, places);
}

// The general form outside 1E-05 to 1E+15, always in exponent form: the
// library's correctly rounded "d.dddddddddddddde±x", read back from where
// it was written and written over in this form.
char* WriteGeneralExponentForm(char* out, double magnitude) {
  const auto end = std::to_chars(out, out + kNumberTextRoom, magnitude,
                                 std::chars_format::scientific, kGeneralDigits - 1)
                       .ptr;
  char* const e = std::find(out, end, 'e');
  int exponent = 0;
  std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
  std::uint64_t digits = 0;
  for (const char* c = out; c != e; ++c)
    if (*c != '.') digits = digits * 10 + static_cast<std::uint64_t>(*c - '0');
  const DigitText text = DigitString(digits, kGeneralDigits);
  return WriteExponentForm(out, text, kGeneralDigits - TrailingZeroDigits(text, kGeneralDigits),
                           exponent);
}

}  // namespace

char* WriteFixedText(char* out, double x, int decimals) {
  if (!std::isfinite(x)) return WriteNonFinite(out, x);
  std::uint64_t q = 0;
  if (decimals == 3 && ScaledRound(x, 3, q)) return WriteScaledPlaces<3, false>(out, q, x < 0);
  if (decimals <= 18 && ScaledRound(x, decimals, q))
    return WriteScaled(out, q, decimals, x < 0, false);
  const auto end =
      std::to_chars(out, out + kNumberTextRoom, x, std::chars_format::fixed, decimals).ptr;
  if (*out == '-' && std::find_if(out, end, [](char c) { return c >= '1' && c <= '9'; }) == end)
    return std::copy(out + 1, end, out);  // no minus sign on a zero
  return end;
}

char* WriteWholeText(char* out, double x) {
  if (x >= 0 && x < 100) {  // minutes, and degrees below 100
    const auto whole = static_cast<size_t>(x);
    if (whole < 10) {
      *out = static_cast<char>('0' + whole);
      return out + 1;
    }
    std::memcpy(out, &kDigitPairs[2 * whole], 2);
    return out + 2;
  }
  if (x >= 0 && x < 1e8) {
    const auto whole = static_cast<std::uint64_t>(x);
    const int count = DigitCount(whole);
    const std::uint64_t digits = EightDigits(whole) >> (8 * (8 - count));
    std::memcpy(out, &digits, sizeof digits);
    return out + count;
  }
  return WriteFixedText(out, x, 0);
}

char* WriteLabelText(char* out, double x, int decimals) {
  if (!std::isfinite(x)) return WriteNonFinite(out, x);
  std::uint64_t q = 0;
  if (decimals == 2 && ScaledRound(x, 2, q)) return WriteScaledPlaces<2, true>(out, q, x < 0);
  if (decimals <= 18 && ScaledRound(x, decimals, q))
    return WriteScaled(out, q, decimals, x < 0, true);
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

  // Fifteen significant digits: 10^14 <= q <= 10^15, the top only when
  // rounding carries into the next power of ten.
  int exponent = DecimalExponent(magnitude);
  std::uint64_t q = 0;
  ScaledRound(magnitude, kGeneralDigits - 1 - exponent, q);
  if (q == kFifteenDigits * 10) {
    q = kFifteenDigits;
    ++exponent;
  }
  const DigitText digits = DigitString(q, kGeneralDigits);
  const int count = kGeneralDigits - TrailingZeroDigits(digits, kGeneralDigits);
  if (exponent >= kGeneralMaxExponent || exponent < kGeneralMinExponent)
    return WriteExponentForm(out, digits, count, exponent);
  if (exponent < 0) {
    std::memcpy(out, "0.000000", 8);  // "0." and up to three zeros
    out += 1 - exponent;
    return StoreDigits(out, digits, count, count);
  }
  const int whole = exponent + 1;
  return StoreDigits(out, digits, std::max(count, whole), whole);
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
