// The two ways a field's text becomes a number, and the blank-field test.
#pragma once

#include <optional>
#include <string_view>

namespace tarnvel {

// True when the text is empty once leading and trailing spaces (U+0020 only)
// are removed. A text holding a line break is not blank.
bool IsBlank(std::string_view text);

// The lenient reading: the number at the start of the text (optional sign,
// digits, "." as the point, optional exponent), spaces before and inside it
// skipped, stopping at the first character that cannot continue it; text that
// does not begin with a number reads as 0 ("12abc" → 12, "abc" → 0).
// A number beyond the double range reads as ±infinity, which the computations
// refuse; one too small for it reads as 0.
double ReadLenient(std::string_view text);

// The strict reading: the whole text, apart from surrounding spaces, must be
// one number. Nothing, if it is not, or if it lies beyond the double range.
std::optional<double> ReadStrict(std::string_view text);

}  // namespace tarnvel
