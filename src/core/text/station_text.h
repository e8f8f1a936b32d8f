// 桩号 as surveyors write them: K12+345.678 is 12,345.678 m along the route.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarnvel {

// The station a text names, in metres: a plain number read strictly
// ("12345.678", "-20"), or K text: a letter prefix (K, ZK, YK, AK, DK, k …),
// whole kilometres, "+", and metres below 1000 ("K12+345.678", "DK0+5.2").
// Surrounding spaces are allowed. K text reads to the same double as the
// metres written out ("12345.678"), so the two spellings of a station never
// differ in the last bit. Nothing for any other text.
std::optional<double> ReadStationText(std::string_view text);

// Where a 长链 makes the route pass a stretch of stations twice, a station
// given as input may say which pass it means by a suffix: "K1+690.000_2" or
// "1690_2" is the second pass, on the 长链's second branch, as the second
// branch's point names read ("K1+690_2"). The suffix is "_" and a whole
// number of at most kMostPassDigits digits without leading zeros, every pass
// a route of a file's size can make ("_100" too, as the names go on); a
// station without one means the first pass. The text before the suffix and
// the pass: the text whole and 1 when it ends in no such suffix. ASCII, so
// instruments and shells take it.
inline constexpr size_t kMostPassDigits = 9;
struct StationPass {
  std::string_view station;
  int pass = 1;
};
StationPass SplitStationPass(std::string_view text);

// The station as K text to the millimetre: "K0+520.000", "K1+000.000" for
// 999.9995. The metres are those FixedText(station, 3) writes, so the K text
// and a 里程 column beside it never disagree in a digit. A negative station
// has no K text and is written in metres with its minus sign ("-20.000").
std::string KStationText(double station, std::string_view prefix = "K");

// The same with the suffix of a later pass over a 长链's stretch, as input
// reads it back (SplitStationPass): "K0+990.000_2"; the first pass has none.
std::string PassStationText(double station, int pass, std::string_view prefix = "K");

// True when the text begins as K text does (letters, digits, "+"), whether
// or not the rest reads: a mistyped station is still a station's field, so a
// line holding one is data to refuse, never a header to skip.
bool BeginsLikeStationText(std::string_view text);

}  // namespace tarnvel
