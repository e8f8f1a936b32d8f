// Every number the user sees is written by one of these functions; the
// computations never format. Each Append form adds to the end of `out`
// without building a temporary string, for the long tables.
#pragma once

#include <string>
#include <string_view>

namespace tarnvel {

// The general decimal form: at most 15 significant digits, shortest text,
// no trailing zeros, no point after a whole number (1.5, 7800, 0, -2.25);
// magnitudes from 1E+15 up or below 0.0001 in exponent form (1E+15, 1.5E-05).
std::string GeneralText(double x);
void AppendGeneralText(std::string& out, double x);

// A fixed pattern "0.000…" with `decimals` places, rounded to the nearest
// (an exact half to even). A value that rounds to zero shows no minus sign.
std::string FixedText(double x, int decimals);
void AppendFixedText(std::string& out, double x, int decimals);

// A result label: rounded to `decimals` places like FixedText, then written
// in its shortest form (3378568.3960 shows as 3378568.396, 10.0000 as 10).
std::string LabelText(double x, int decimals);
void AppendLabelText(std::string& out, double x, int decimals);

// A station as "00+000.000": three decimals, the integer part padded to five
// digits with a "+" before its last three (7800 → 07+800.000).
std::string StationText(double station);

}  // namespace tarnvel
