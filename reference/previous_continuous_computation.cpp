// Today's table loop, frozen: see previous_number_text.h.
#include <algorithm>
#include <array>
#include <cmath>

#include "core/element/centre_line.h"
#include "core/text/angle.h"
#include "core/text/number_reading.h"
#include "core/text/number_text.h"
#include "previous_number_text.h"

namespace tarnvel::previous {

namespace {

constexpr int kCoordinateDecimals = 3;
constexpr double kDefaultOffset = 0;
constexpr double kDefaultSkew = 90;

bool Continues(double K, double end, double step) {
  return step >= 0 ? K <= end : K >= end;
}

// Rows of a table from start to end; rounding of the running sum may add one.
double RowCount(double start, double end, double step) {
  return Continues(start, end, step) ? std::floor((end - start) / step) + 1 : 0;
}

// Refuses a step that would never end the table, or end it past the limit.
std::optional<Refusal> CheckStep(double start, double end, double step) {
  if (!std::isfinite(start)) return OutOfNumberRange(Field::TableStart, "起点K");
  if (!std::isfinite(end)) return OutOfNumberRange(Field::TableEnd, "止点K");
  if (!std::isfinite(step)) return OutOfNumberRange(Field::TableStep, "计算间距J");
  if (!Continues(start, end, step)) return std::nullopt;  // the header alone
  if (step == 0)
    return Refusal{"“计算间距J”不能为零！", RefusalKind::UnusableValue, Field::TableStep};
  if (start + step == start || end + step == end)
    return Refusal{"“计算间距J”过小，桩号无法递增！", RefusalKind::UnusableValue, Field::TableStep};
  if (!(RowCount(start, end, step) <= kMaxTableRows))
    return Refusal{"计算行数超过1000000行，请加大“计算间距J”！", RefusalKind::UnusableValue,
                   Field::TableStep};
  return std::nullopt;
}

}  // namespace

Outcome<std::string> ComputeTable(const TableFields& f) {
  if (auto refusal = CheckElementFields(f.element)) return *refusal;
  if (IsBlank(f.step)) return MissingInput(Field::TableStep, "计算间距J");
  if (IsBlank(f.start)) return MissingInput(Field::TableStart, "起点桩号K");
  if (IsBlank(f.end)) return MissingInput(Field::TableEnd, "止点桩号K");

  const double start = ReadLenient(f.start);
  const double end = ReadLenient(f.end);
  const auto k0 = ReadStrict(f.element[0]);
  if (!k0) return NotANumber(kElementFields[0], kElementFieldNames[0]);
  if (*k0 > start)
    return Refusal{"输入“起点K”小于线元“起点桩号K”！", RefusalKind::UnusableValue,
                   Field::TableStart};
  const auto k1 = ReadStrict(f.element[1]);
  if (!k1) return NotANumber(kElementFields[1], kElementFieldNames[1]);
  if (*k1 < end)
    return Refusal{"输入“止点K”大于线元“止点桩号K”！", RefusalKind::UnusableValue, Field::TableEnd};

  const LineElement element = SJ(f.element);
  if (auto refusal = CheckElementValues(element)) return *refusal;

  // A blank offset or skew puts both back to their defaults.
  double m = kDefaultOffset;
  double a = kDefaultSkew;
  if (!IsBlank(f.offset) && !IsBlank(f.skew)) {
    const auto offset = ReadStrict(f.offset);
    if (!offset) return NotANumber(Field::TableOffset, "偏距m");
    const auto skew = ReadStrict(f.skew);
    if (!skew) return NotANumber(Field::TableSkew, "偏角a");
    m = *offset;
    a = *skew;
  }

  const double step = ReadLenient(f.step);
  if (auto refusal = CheckStep(start, end, step)) return *refusal;

  const double skew_degrees = DmsToDegrees(a);
  const std::string row_middle = "   " + f.offset + "  " + f.skew + "  ";
  std::string text;
  text.reserve(kTableHeader.size() + kLineEnd.size() +
               static_cast<size_t>(RowCount(start, end, step)) * (row_middle.size() + 48));
  text += kTableHeader;
  text += kLineEnd;

  // Each station is the previous one plus the step, as a surveyor stepping
  // along the line would reach it; the end is included when reached exactly.
  // Each row is written into this buffer and appended in two pieces around
  // the typed columns.
  std::array<char, 4 * kNumberTextRoom> row{};
  double rows_written = 0;
  for (double K = start; Continues(K, end, step) && rows_written <= kMaxTableRows;
       K += step, ++rows_written) {
    const ForwardResult r = ForwardPointDegrees(element, K, m, skew_degrees);
    if (!std::isfinite(r.point.X) || !std::isfinite(r.point.Y) || !std::isfinite(r.azimuth))
      return NotComputable(Field::TableStart);
    text.append(row.data(), WriteGeneralText(row.data(), K));
    text += row_middle;
    char* out = WriteFixedText(row.data(), r.point.X, kCoordinateDecimals);
    out = WriteText(out, "  ");
    out = WriteFixedText(out, r.point.Y, kCoordinateDecimals);
    out = WriteText(out, "   ");
    out = WriteDmsText(out, r.azimuth);
    out = WriteText(out, kLineEnd);
    text.append(row.data(), out);
  }
  return text;
}

}  // namespace tarnvel::previous
