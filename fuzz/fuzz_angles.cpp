// The d.mmss and degree–minute–second conversions on arbitrary doubles.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/text/angle.h"
#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvel;
  if (size < sizeof(double)) return 0;
  double v = 0;
  std::memcpy(&v, data, sizeof v);
  if (!std::isfinite(v)) return 0;
  const double degrees = DmsToDegrees(v);
  fuzzing::Require(std::isfinite(degrees) || std::fabs(v) > 1e300,
                   "d.mmss of a finite value is not finite");
  for (double angle : {v, degrees}) {
    if (!std::isfinite(angle)) continue;
    const std::string text = DegreesToDmsText(angle);
    fuzzing::RequireFiniteText(text);
    fuzzing::Require(
        text.find("ˊ60″") == std::string::npos && text.find("°60ˊ") == std::string::npos,
        "sixty seconds or minutes shown");
  }
  return 0;
}
