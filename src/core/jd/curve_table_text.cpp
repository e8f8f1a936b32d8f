#include "core/jd/curve_table_text.h"

#include <cmath>

#include "core/text/angle.h"
#include "core/text/number_text.h"

namespace tarnvel {

namespace {

constexpr int kDecimals = 3;

std::string Fixed(double x) {
  return FixedText(x, kDecimals);
}

}  // namespace

std::array<std::string, 16> CurveRowTexts(const CurveRow& r) {
  return {r.name,
          (r.alpha < 0 ? "左" : "右") + DegreesToDmsText(std::fabs(r.alpha)),
          Fixed(r.R),
          Fixed(r.Ls1),
          Fixed(r.Ly),
          Fixed(r.Ls2),
          Fixed(r.T1),
          Fixed(r.T2),
          Fixed(r.L),
          r.E ? Fixed(*r.E) : std::string(),
          Fixed(r.J),
          Fixed(r.ZH),
          r.Ls1 > 0 ? Fixed(r.HY) : std::string(),
          Fixed(r.QZ),
          r.Ls2 > 0 ? Fixed(r.YH) : std::string(),
          Fixed(r.HZ)};
}

std::string CurveTableText(const std::vector<CurveRow>& rows) {
  std::string text;
  auto line = [&text](const auto& cells) {
    for (size_t i = 0; i < cells.size(); ++i) {
      if (i > 0) text += '\t';
      text += cells[i];
    }
    text += '\n';
  };
  line(kCurveTableColumns);
  for (const CurveRow& row : rows) line(CurveRowTexts(row));
  return text;
}

}  // namespace tarnvel
