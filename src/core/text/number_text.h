// Every number the user sees is written by one of these functions; the
// computations never format. Each comes in two forms: one that gives a
// string, and one that writes at `out` and returns the end of what it wrote,
// for the long tables, which build a row without a temporary string.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace tarnvel {

// Room that one Write call may need at `out`: the fixed text of the largest
// double with a few dozen decimals. A writer may use the room past the end
// of its text as scratch; what follows is written over it.
inline constexpr std::size_t kNumberTextRoom = 400;

// Copies a text to `out` and returns the end, for building a row in place.
inline char* WriteText(char* out, std::string_view text) {
  return std::copy(text.begin(), text.end(), out);
}

// The general decimal form: at most 15 significant digits, shortest text,
// no trailing zeros, no point after a whole number (1.5, 7800, 0, -2.25);
// magnitudes from 1E+15 up or below 0.0001 in exponent form (1E+15, 1.5E-05).
std::string GeneralText(double x);
char* WriteGeneralText(char* out, double x);

// A fixed pattern "0.000…" with `decimals` places (0 to 18), rounded to the
// nearest, an exact half to even. A value that rounds to zero shows no minus
// sign.
std::string FixedText(double x, int decimals);
char* WriteFixedText(char* out, double x, int decimals);

// A whole number, as its digits alone: FixedText(x, 0) for a whole x >= 0,
// made faster for the degrees and minutes of an angle.
char* WriteWholeText(char* out, double x);

// A result label: rounded to `decimals` places like FixedText, then written
// in its shortest form (3378568.3960 shows as 3378568.396, 10.0000 as 10).
std::string LabelText(double x, int decimals);
char* WriteLabelText(char* out, double x, int decimals);

// A station as "00+000.000": three decimals, the integer part padded to five
// digits with a "+" before its last three (7800 → 07+800.000).
std::string StationText(double station);

}  // namespace tarnvel
