#include "core/text/station_text.h"

#include <cmath>
#include <string>

#include "core/text/number_reading.h"
#include "core/text/number_text.h"

namespace tarnvel {

namespace {

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The prefix's letters, then the kilometres' digits: where the "+" stands,
// or npos when the text does not begin as K text.
size_t PlusPosition(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsLetter(text[i])) ++i;
  if (i == 0) return std::string_view::npos;
  const size_t digits = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  if (i == digits || i == text.size() || text[i] != '+') return std::string_view::npos;
  return i;
}

}  // namespace

std::optional<double> ReadStationText(std::string_view text) {
  text = Trimmed(text);
  const size_t plus = PlusPosition(text);
  if (plus == std::string_view::npos) return ReadStrict(text);

  size_t first = 0;
  while (IsLetter(text[first])) ++first;
  std::string_view km = text.substr(first, plus - first);
  while (km.size() > 1 && km.front() == '0') km.remove_prefix(1);
  // Metres: one to three digits, then an optional point with digits; no sign
  // and no exponent, as the metres of K text are never written with them.
  const std::string_view metres = text.substr(plus + 1);
  size_t whole = 0;
  while (whole < metres.size() && IsDigit(metres[whole])) ++whole;
  if (whole == 0 || whole > 3) return std::nullopt;
  if (whole < metres.size()) {
    if (metres[whole] != '.' || whole + 1 == metres.size()) return std::nullopt;
    for (size_t i = whole + 1; i < metres.size(); ++i)
      if (!IsDigit(metres[i])) return std::nullopt;
  }
  // Written out as metres and read once, so that the value is the double
  // nearest the decimal, exactly as a metres field would give it.
  std::string digits(km == "0" ? std::string_view() : km);
  digits.append(3 - whole, '0');
  digits += metres;
  return ReadStrict(digits);
}

StationPass SplitStationPass(std::string_view text) {
  const std::string_view trimmed = Trimmed(text);
  const size_t mark = trimmed.rfind('_');
  if (mark == std::string_view::npos) return {text, 1};
  const std::string_view digits = trimmed.substr(mark + 1);
  if (digits.empty() || digits.size() > kMostPassDigits || digits.front() == '0') return {text, 1};
  int pass = 0;
  for (char c : digits) {
    if (!IsDigit(c)) return {text, 1};
    pass = pass * 10 + (c - '0');
  }
  return {trimmed.substr(0, mark), pass};
}

std::string PassStationText(double station, int pass, std::string_view prefix) {
  std::string text = KStationText(station, prefix);
  if (pass > 1) text += "_" + std::to_string(pass);
  return text;
}

std::string KStationText(double station, std::string_view prefix) {
  std::string metres = FixedText(station, 3);
  if (!std::isfinite(station) || metres.front() == '-') return metres;
  const size_t whole = metres.find('.');
  if (whole < 3) metres.insert(0, 3 - whole, '0');
  const size_t split = metres.find('.') - 3;
  std::string text(prefix);
  text += split == 0 ? std::string_view("0") : std::string_view(metres).substr(0, split);
  text += '+';
  text += std::string_view(metres).substr(split);
  return text;
}

bool BeginsLikeStationText(std::string_view text) {
  return PlusPosition(Trimmed(text)) != std::string_view::npos;
}

}  // namespace tarnvel
