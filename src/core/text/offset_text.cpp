#include "core/text/offset_text.h"

#include <cmath>

#include "core/text/number_text.h"

namespace tarnvel {

std::string SidedOffsetText(double offset, int decimals) {
  if (!std::isfinite(offset)) return FixedText(offset, decimals);
  std::string size = FixedText(std::fabs(offset), decimals);
  // The side goes by the rounded text: no side stands before a zero.
  if (size.find_first_not_of("0.") == std::string::npos) return size;
  return (offset < 0 ? "左" : "右") + size;
}

}  // namespace tarnvel
