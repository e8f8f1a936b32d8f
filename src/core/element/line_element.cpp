#include "core/element/line_element.h"

#include <cmath>

#include "core/text/angle.h"
#include "core/text/number_reading.h"

namespace tarnvel {

std::optional<Refusal> CheckElementFields(const ElementTexts& texts) {
  for (size_t i = 0; i < texts.size(); ++i)
    if (IsBlank(texts[i])) return MissingInput(kElementFields[i], kElementFieldNames[i]);
  return std::nullopt;
}

LineElement SJ(const ElementTexts& texts) {
  LineElement e;
  e.K0 = ReadLenient(texts[0]);
  e.K1 = ReadLenient(texts[1]);
  e.X0 = ReadLenient(texts[2]);
  e.Y0 = ReadLenient(texts[3]);
  e.F = DmsToDegrees(ReadLenient(texts[4]));
  e.RQ = ReadLenient(texts[5]);
  e.RN = ReadLenient(texts[6]);
  e.Q = ReadLenient(texts[7]);
  if (e.RQ == 0) e.RQ = kInfiniteRadius;
  if (e.RN == 0) e.RN = kInfiniteRadius;
  return e;
}

std::optional<Refusal> CheckElementValues(const LineElement& e) {
  const std::array<double, 8> values = {e.K0, e.K1, e.X0, e.Y0, e.F, e.RQ, e.RN, e.Q};
  for (size_t i = 0; i < values.size(); ++i)
    if (!std::isfinite(values[i]))
      return OutOfNumberRange(kElementFields[i], kElementFieldNames[i]);
  if (e.K1 == e.K0)
    return Refusal{"线元长度为零，“止点桩号K”不能等于“起点桩号K”！", RefusalKind::UnusableValue,
                   kElementFields[1]};
  if (e.Q != -1 && e.Q != 0 && e.Q != 1)
    return Refusal{"“曲线转向Q”只能输入-1、0或1（左转为-1、右转为1、直线为0）！",
                   RefusalKind::UnusableValue, kElementFields[7]};
  return std::nullopt;
}

AzimuthLaw MakeAzimuthLaw(const LineElement& e) {
  double RQ = e.RQ;
  double RN = e.RN;
  if (e.Q != 0) {
    RQ *= e.Q;
    RN *= e.Q;
  }
  return {e.K0, e.F, 1 / RQ, 1 / RN - 1 / RQ, std::fabs(e.K1 - e.K0)};
}

double QXFWJ(const AzimuthLaw& law, double K) {
  // Signed, so that before K0 the tangent follows the same curvature law as
  // CentreLinePoint's position; a distance taken as its absolute value there
  // mirrored the turn and put an inverse foot 0.2 m off 10 m before an arc.
  const double distance = K - law.K0;
  // The division by the length stays at each station: a reciprocal taken
  // once would change the last bit of tables already held.
  const double cK = distance * law.curvature_change / law.length + law.start_curvature;
  return distance * ((law.start_curvature + cK) * ((180 / kPi) / 2)) + law.F;
}

double CurvatureAt(const AzimuthLaw& law, double K) {
  return (K - law.K0) * law.curvature_change / law.length + law.start_curvature;
}

double QXFWJ(const LineElement& e, double K) {
  return QXFWJ(MakeAzimuthLaw(e), K);
}

double QXFWJ(const ElementTexts& texts, double K) {
  return QXFWJ(SJ(texts), K);
}

}  // namespace tarnvel
