// The forward, inverse and continuous computations fed arbitrary field
// texts, one field per line.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/element/continuous_computation.h"
#include "core/element/forward_computation.h"
#include "core/element/inverse_computation.h"
#include "core/text/angle.h"
#include "core/text/number_reading.h"
#include "fuzz_checks.h"

namespace {

constexpr size_t kFields = 15;
// Tables are allowed a million rows; the fuzzer keeps to short ones so that
// it can try many inputs, and trusts the row limit's own tests for the rest.
constexpr double kFuzzTableRows = 64;
// The inverse samples the element every 0.1 rad of its turn, up to 20,000
// samples and 60,000 points a search, which took an element turning
// thousands of times seconds a run. The fuzzer keeps to elements turning at
// most ten full turns, some 630 samples, and trusts the search's own
// bound and its tests for the rest.
constexpr double kFuzzInverseTurn = 20 * tarnvel::kPi;

// The turn of the element as typed, in radians: its length times its
// curvatures (a radius of 0 is infinite, of no curvature). Not a number when
// a field overflows.
double TypedTurn(const std::vector<std::string>& f) {
  using tarnvel::ReadLenient;
  const auto curvature = [](double radius) { return radius == 0 ? 0 : 1 / std::fabs(radius); };
  return std::fabs(ReadLenient(f[1]) - ReadLenient(f[0])) *
         (curvature(ReadLenient(f[5])) + curvature(ReadLenient(f[6])));
}

std::vector<std::string> Fields(std::string_view input) {
  std::vector<std::string> fields;
  while (fields.size() < kFields) {
    const auto end = input.find('\n');
    fields.emplace_back(input.substr(0, end));
    if (end == std::string_view::npos) break;
    input.remove_prefix(end + 1);
  }
  fields.resize(kFields);
  return fields;
}

template <class Texts, class Show>
void Check(const tarnvel::Outcome<Texts>& outcome, Show show) {
  if (const auto* refusal = std::get_if<tarnvel::Refusal>(&outcome)) {
    tarnvel::fuzzing::Require(!refusal->message.empty(), "a refusal without message");
    return;
  }
  show(std::get<Texts>(outcome));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvel;
  const auto f = Fields({reinterpret_cast<const char*>(data), size});
  ElementTexts element;
  for (size_t i = 0; i < element.size(); ++i) element[i] = f[i];

  Check(ComputeForward({element, f[8], f[9], f[10]}), [](const ForwardTexts& t) {
    fuzzing::RequireFiniteText(t.x);
    fuzzing::RequireFiniteText(t.y);
    fuzzing::RequireFiniteText(t.azimuth);
  });
  if (TypedTurn(f) <= kFuzzInverseTurn) {
    Check(ComputeInverse({element, f[8], f[9]}), [](const InverseTexts& t) {
      fuzzing::RequireFiniteText(t.station);
      fuzzing::RequireFiniteText(t.offset);
    });
  }

  const double start = ReadLenient(f[11]);
  const double end = ReadLenient(f[12]);
  const double step = ReadLenient(f[13]);
  if (std::fabs((end - start) / step) <= kFuzzTableRows) {
    // Each row repeats the offset and skew as typed; only the computed
    // columns are the system's.
    const std::string typed = "   " + f[9] + "  " + f[14] + "  ";
    Check(ComputeTable({element, f[11], f[12], f[13], f[9], f[14]}),
          [&typed](const std::string& text) {
            for (size_t begin = text.find("\r\n") + 2, end; begin < text.size(); begin = end + 2) {
              end = text.find("\r\n", begin);
              std::string row = text.substr(begin, end - begin);
              const auto at = row.find(typed);
              fuzzing::Require(at != std::string::npos, "a row without the typed columns");
              row.erase(at, typed.size());
              fuzzing::RequireFiniteText(row);
            }
          });
  }
  return 0;
}
