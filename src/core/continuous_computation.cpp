#include "continuous_computation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "angle.h"
#include "centre_line.h"
#include "number_reading.h"
#include "number_text.h"

namespace tarnvel {

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
  if (!std::isfinite(start)) return OutOfNumberRange("Text10", "起点K");
  if (!std::isfinite(end)) return OutOfNumberRange("Text11", "止点K");
  if (!std::isfinite(step)) return OutOfNumberRange("Text9", "计算间距J");
  if (!Continues(start, end, step)) return std::nullopt;  // the header alone
  if (step == 0)
    return Refusal{"“计算间距J”不能为零！", MessageIcon::Exclamation, "Text9"};
  if (start + step == start || end + step == end)
    return Refusal{"“计算间距J”过小，桩号无法递增！", MessageIcon::Exclamation, "Text9"};
  if (!(RowCount(start, end, step) <= kMaxTableRows))
    return Refusal{"计算行数超过1000000行，请加大“计算间距J”！",
                   MessageIcon::Exclamation, "Text9"};
  return std::nullopt;
}

// Bytes of the "0.000" text, sign included, of any value up to `magnitude`,
// rounding included.
double FixedTextBytes(double magnitude, int decimals) {
  double digits = 1;
  for (double power = 10; power <= magnitude + 1 && digits < kNumberTextRoom; power *= 10)
    ++digits;
  return 1 + digits + (decimals > 0 ? 1 + decimals : 0);
}

// The longest general text of a station: "-1.23456789012346E-300".
constexpr double kStationBytes = 22;
// A row's separators and line end around its five texts.
constexpr double kSeparatorBytes = 3 + 2 + 2 + 2 + 3 + 2;
// "°", "ˊ", "″" in UTF-8 and the seconds "59.99".
constexpr double kDmsMarkBytes = 2 + 2 + 2 + 3 + 5;

// The most bytes one row can take between stations start and end. A point
// lies no further from the element's start than the length of line to it
// plus the offset, and the tangent turns no more than the curvature law
// allows over that length; a little is added against rounding.
double RowBytesBound(const LineElement& e, double start, double end, double m,
                     size_t typed_bytes) {
  const double length = std::max(std::fabs(start - e.K0), std::fabs(end - e.K0));
  const double reach = (length + std::fabs(m)) * (1 + 1e-9) + 1;
  const double start_curvature = 1 / std::fabs(e.RQ);
  const double end_curvature = 1 / std::fabs(e.RN);
  const double turn = length * (start_curvature + length * (start_curvature + end_curvature) /
                                                      (2 * std::fabs(e.K1 - e.K0)));
  const double azimuth = std::fabs(e.F) + turn * (180 / kPi) * (1 + 1e-9) + 1;
  return kStationBytes + static_cast<double>(typed_bytes) +
         FixedTextBytes(std::fabs(e.X0) + reach, kCoordinateDecimals) +
         FixedTextBytes(std::fabs(e.Y0) + reach, kCoordinateDecimals) +
         FixedTextBytes(azimuth, 0) + kDmsMarkBytes + kSeparatorBytes;
}

}  // namespace

Outcome<std::string> ComputeTable(const TableFields& f) {
  if (auto refusal = CheckElementFields(f.element)) return *refusal;
  if (IsBlank(f.step)) return MissingInput("Text9", "计算间距J");
  if (IsBlank(f.start)) return MissingInput("Text10", "起点桩号K");
  if (IsBlank(f.end)) return MissingInput("Text11", "止点桩号K");

  const double start = ReadLenient(f.start);
  const double end = ReadLenient(f.end);
  const auto k0 = ReadStrict(f.element[0]);
  if (!k0) return NotANumber(kElementFields[0], kElementFieldNames[0]);
  if (*k0 > start)
    return Refusal{"输入“起点K”小于线元“起点桩号K”！", MessageIcon::Exclamation,
                   "Text10"};
  const auto k1 = ReadStrict(f.element[1]);
  if (!k1) return NotANumber(kElementFields[1], kElementFieldNames[1]);
  if (*k1 < end)
    return Refusal{"输入“止点K”大于线元“止点桩号K”！", MessageIcon::Exclamation,
                   "Text11"};

  const LineElement element = SJ(f.element);
  if (auto refusal = CheckElementValues(element)) return *refusal;

  // A blank offset or skew puts both back to their defaults.
  double m = kDefaultOffset;
  double a = kDefaultSkew;
  if (!IsBlank(f.offset) && !IsBlank(f.skew)) {
    const auto offset = ReadStrict(f.offset);
    if (!offset) return NotANumber("Text13", "偏距m");
    const auto skew = ReadStrict(f.skew);
    if (!skew) return NotANumber("Text14", "偏角a");
    m = *offset;
    a = *skew;
  }

  const double step = ReadLenient(f.step);
  if (auto refusal = CheckStep(start, end, step)) return *refusal;

  const std::string row_middle = "   " + f.offset + "  " + f.skew + "  ";
  // The running sum of steps may add one row to the count.
  const double rows = std::min(RowCount(start, end, step) + 1, kMaxTableRows + 1);
  const double bytes_bound = static_cast<double>(kTableHeader.size() + kLineEnd.size()) +
                             rows * RowBytesBound(element, start, end, m, row_middle.size());
  if (!(bytes_bound <= kMaxTableBytes))
    return Refusal{"计算成果表将超过128MB，请加大“计算间距J”或缩短“偏距m”“偏角a”！",
                   MessageIcon::Exclamation, "Text9"};

  // The bound is reserved whole: pages past the real end are never touched,
  // and the table is never moved while it grows.
  std::string text;
  text.reserve(static_cast<size_t>(bytes_bound));
  text += kTableHeader;
  text += kLineEnd;

  // Rows are written straight into a block that stays in the cache and
  // joins the table a block at a time; a block always has room for a
  // further row of the largest texts the writers make.
  const size_t row_room = row_middle.size() + 4 * kNumberTextRoom + 16;
  const size_t block_size = std::max<size_t>(64 * 1024, 2 * row_room);
  const auto block = std::make_unique_for_overwrite<char[]>(block_size);
  char* const full = block.get() + block_size - row_room;
  char* out = block.get();

  // Each station is the previous one plus the step, as a surveyor stepping
  // along the line would reach it; the end is included when reached exactly.
  const double skew_degrees = DmsToDegrees(a);
  double rows_written = 0;
  for (double K = start; Continues(K, end, step) && rows_written <= kMaxTableRows;
       K += step, ++rows_written) {
    const ForwardResult r = ForwardPointDegrees(element, K, m, skew_degrees);
    if (!std::isfinite(r.point.X) || !std::isfinite(r.point.Y) ||
        !std::isfinite(r.azimuth))
      return NotComputable("Text10");
    out = WriteGeneralText(out, K);
    out = WriteText(out, row_middle);
    out = WriteFixedText(out, r.point.X, kCoordinateDecimals);
    out = WriteText(out, "  ");
    out = WriteFixedText(out, r.point.Y, kCoordinateDecimals);
    out = WriteText(out, "   ");
    out = WriteDmsText(out, r.azimuth);
    out = WriteText(out, kLineEnd);
    if (out > full) {
      text.append(block.get(), out);
      out = block.get();
    }
  }
  text.append(block.get(), out);
  return text;
}

}  // namespace tarnvel
