#include "core/element/forward_computation.h"

#include <cmath>

#include "core/element/centre_line.h"
#include "core/text/angle.h"
#include "core/text/number_reading.h"
#include "core/text/number_text.h"

namespace tarnvel {

namespace {

constexpr int kCoordinateDecimals = 4;

}  // namespace

Outcome<ForwardTexts> ComputeForward(const ForwardFields& f) {
  if (auto refusal = CheckElementFields(f.element)) return *refusal;
  if (IsBlank(f.station)) return MissingInput(Field::ForwardStation, "计算里程K");
  if (IsBlank(f.offset)) return MissingInput(Field::ForwardOffset, "计算偏距m");
  if (IsBlank(f.skew)) return MissingInput(Field::ForwardSkew, "计算偏角a");

  const LineElement element = SJ(f.element);
  const auto k0 = ReadStrict(f.element[0]);
  if (!k0) return NotANumber(kElementFields[0], kElementFieldNames[0]);
  const auto k1 = ReadStrict(f.element[1]);
  if (!k1) return NotANumber(kElementFields[1], kElementFieldNames[1]);
  if (auto refusal = CheckElementValues(element)) return *refusal;

  const double K = ReadLenient(f.station);
  if (*k0 > K || *k1 < K)
    return Refusal{"输入“计算桩号K”超出范围！", RefusalKind::UnusableValue, Field::ForwardStation};

  const auto m = ReadStrict(f.offset);
  if (!m) return NotANumber(Field::ForwardOffset, "计算偏距m");
  const auto a = ReadStrict(f.skew);
  if (!a) return NotANumber(Field::ForwardSkew, "计算偏角a");

  const ForwardResult r = ForwardPoint(element, K, *m, *a);
  if (!std::isfinite(r.point.X) || !std::isfinite(r.point.Y) || !std::isfinite(r.azimuth))
    return NotComputable(Field::ForwardStation);
  return ForwardTexts{LabelText(r.point.X, kCoordinateDecimals),
                      LabelText(r.point.Y, kCoordinateDecimals), DegreesToDmsText(r.azimuth)};
}

}  // namespace tarnvel
