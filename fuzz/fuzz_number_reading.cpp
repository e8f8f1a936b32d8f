// The lenient and strict readers on arbitrary field texts.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/text/number_reading.h"
#include "core/text/number_text.h"
#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvel;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double lenient = ReadLenient(text);
  fuzzing::Require(!std::isnan(lenient), "lenient reading gave NaN");
  const auto strict = ReadStrict(text);
  if (strict) {
    fuzzing::Require(std::isfinite(*strict), "strict reading gave a non-finite number");
    fuzzing::Require(lenient == *strict, "strict and lenient readings disagree");
    fuzzing::Require(!IsBlank(text), "a blank text read strictly");
    fuzzing::RequireFiniteText(GeneralText(*strict));
  }
  return 0;
}
