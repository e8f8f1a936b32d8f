#include "core/profile/vertical_curve_table_text.h"

#include "core/text/number_text.h"
#include "core/text/station_text.h"

namespace tarnvel {

std::string GradePercentText(double grade) {
  return FixedText(grade * 100, 3);
}

std::array<std::string, 14> VerticalCurveRowTexts(const VerticalCurveRow& r,
                                                  std::string_view prefix) {
  const bool flat = r.gradeAfter == r.gradeBefore;
  return {r.pvi->name,
          KStationText(r.pvi->station, prefix),
          FixedText(r.pvi->elevation, 3),
          flat ? std::string() : std::string(r.crest ? "凸" : "凹"),
          FixedText(r.pvi->radius, 3),
          FixedText(r.T, 3),
          FixedText(r.E, 3),
          FixedText(r.L, 3),
          KStationText(r.start, prefix),
          KStationText(r.end, prefix),
          GradePercentText(r.gradeBefore),
          GradePercentText(r.gradeAfter),
          FixedText(r.lengthBefore, 3),
          FixedText(r.lengthAfter, 3)};
}

}  // namespace tarnvel
