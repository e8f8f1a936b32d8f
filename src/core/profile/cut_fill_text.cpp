#include "core/profile/cut_fill_text.h"

#include "core/text/number_text.h"

namespace tarnvel {

CutFillTexts CutFillText(std::optional<double> design, std::optional<double> height) {
  CutFillTexts texts;
  if (!design) return texts;
  texts.design = FixedText(*design, kHeightDecimals);
  if (!height) return texts;
  // Judged on the printed difference, so that a 0.000 is neither, and a
  // value that rounds to zero carries no minus sign to call it 填.
  texts.difference = FixedText(*height - *design, kHeightDecimals);
  if (texts.difference != FixedText(0, kHeightDecimals))
    texts.cutFill = texts.difference.front() == '-' ? "填" : "挖";
  return texts;
}

}  // namespace tarnvel
