// The number texts write straight into place; their bytes must stay those
// of the texts they replaced (kept in bench/previous_number_text.cpp) on the
// values where a digit is most easily lost.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/angle.h"
#include "core/text/number_text.h"
#include "previous_number_text.h"

namespace tarnvel {
namespace {

struct Texts {
  char now[kNumberTextRoom];
  char before[kNumberTextRoom];
};

// The text of one form now and before, compared without building strings:
// the comparison runs on millions of values.
template <class Now, class Before>
std::string Differs(Texts& t, Now now, Before before) {
  const std::string_view a(t.now, static_cast<size_t>(now(t.now) - t.now));
  const std::string_view b(t.before, static_cast<size_t>(before(t.before) - t.before));
  if (a == b) return {};
  return std::string(a) + " instead of " + std::string(b);
}

std::string Show(double x) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%a (%.17g)", x, x);
  return buffer;
}

// Compares every form at this value, and its negative.
void ExpectSameTexts(double x, int decimals) {
  Texts t;
  for (const double v : {x, -x}) {
    std::string fault = Differs(
        t, [&](char* o) { return WriteGeneralText(o, v); },
        [&](char* o) { return previous::WriteGeneralText(o, v); });
    ASSERT_EQ(fault, "") << "general " << Show(v);
    fault = Differs(
        t, [&](char* o) { return WriteFixedText(o, v, decimals); },
        [&](char* o) { return previous::WriteFixedText(o, v, decimals); });
    ASSERT_EQ(fault, "") << "fixed " << decimals << " " << Show(v);
    fault = Differs(
        t, [&](char* o) { return WriteLabelText(o, v, decimals); },
        [&](char* o) { return previous::WriteLabelText(o, v, decimals); });
    ASSERT_EQ(fault, "") << "label " << decimals << " " << Show(v);
    fault = Differs(
        t, [&](char* o) { return WriteDmsText(o, v); },
        [&](char* o) { return previous::WriteDmsText(o, v); });
    ASSERT_EQ(fault, "") << "dms " << Show(v);
  }
}

// The awkward values: over a million of them, each written in every form at
// three or four decimals, or a number that cycles through 0 to 19.
std::vector<double> AwkwardValues() {
  std::vector<double> values = {0.0,    DBL_MIN,  DBL_MAX, DBL_TRUE_MIN, 0x1p53,  0x1p64, 9e18,
                                1e15,   1e-4,     1e-5,    0x1p-1074,    59.995,  0.005,  1e300,
                                1e-300, HUGE_VAL, NAN,     0x1p63,       0x1p-11, 0.5};
  std::mt19937_64 random(20261208);
  // Exact halves at d decimals are the odd multiples of 2^-(d+1).
  for (int d = 0; d <= 19; ++d)
    for (int i = 0; i < 8000; ++i) {
      const auto odd = static_cast<double>((random() >> (11 + random() % 50)) | 1);
      values.push_back(std::ldexp(odd, -(d + 1)));
    }
  // Just below, at and above each power of ten, in steps of one unit in the
  // last place and then of parts in 10^15; and the rounding boundaries at
  // each number of decimals, n + 0.5 below and above.
  for (int power = -22; power <= 25; ++power) {
    const double decade = std::pow(10.0, power);
    double down = decade;
    double up = decade;
    for (int step = 0; step < 2000; ++step) {
      values.push_back(down);
      values.push_back(up);
      down = std::nextafter(down, 0.0);
      up = std::nextafter(up, HUGE_VAL);
    }
    for (int k = 1; k < 2000; ++k) values.push_back(decade * (1 - k * 1e-16));
    for (int k = 1; k < 1000; ++k) {
      const double half = (static_cast<double>(random() % 100000) + 0.5) * decade;
      values.push_back(std::nextafter(half, 0.0));
      values.push_back(std::nextafter(half, HUGE_VAL));
    }
  }
  // Angles whose seconds lie at 59.995″ and 0.005″, where a minute or a
  // degree carries or the minus sign is dropped.
  for (int i = 0; i < 40000; ++i) {
    const double degrees = static_cast<double>(random() % 400);
    const double minutes = static_cast<double>(random() % 60);
    const double seconds = (i % 2 ? 59.995 : 0.005) + static_cast<double>(i % 200 - 100) * 1e-12;
    values.push_back(degrees + (minutes + seconds / 60) / 60);
    values.push_back(degrees + 0.99999 + static_cast<double>(i) * 1e-10);
  }
  for (const double seconds : {59.995, 0.005})
    for (const double start : {0.0, 59.0 / 60, 1.0, 359 + 59.0 / 60}) {
      double v = start + seconds / 3600;
      for (int step = 0; step < 400; ++step) v = std::nextafter(v, 0.0);
      for (int step = 0; step < 800; ++step, v = std::nextafter(v, HUGE_VAL)) values.push_back(v);
    }
  // Every magnitude the double holds, uniform in its bits; and the
  // magnitudes of stations and coordinates in typed millimetres.
  for (int i = 0; i < 250000; ++i) {
    values.push_back(std::abs(std::bit_cast<double>(random())));
    const double x = std::pow(10.0, std::uniform_real_distribution<double>(-6, 16)(random));
    values.push_back(i % 2 ? x : std::round(x * 1000) / 1000);
  }
  return values;
}

TEST(NumberTextsWrittenInPlace, EqualThePreviousTextsOnAwkwardValues) {
  const std::vector<double> values = AwkwardValues();
  ASSERT_GE(values.size(), 1'000'000u);
  for (size_t i = 0; i < values.size(); ++i) {
    // Mostly the places of the tables' coordinates and the result labels.
    const int decimals = i % 4 == 0 ? static_cast<int>(i / 4 % 20) : i % 4 == 1 ? 4 : 3;
    ExpectSameTexts(values[i], decimals);
  }
}

}  // namespace
}  // namespace tarnvel
