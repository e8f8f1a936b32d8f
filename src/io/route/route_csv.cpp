#include "io/route/route_csv.h"

#include "core/profile/cut_fill_text.h"
#include "core/section/design_height.h"
#include "core/text/angle.h"
#include "core/text/number_text.h"
#include "core/text/station_text.h"
#include "core/text/table_line.h"

namespace tarnvel {

namespace {

constexpr int kStationDecimals = 3;
constexpr int kCoordinateDecimals = 4;
constexpr std::string_view kRowEnd = "\r\n";

// A field as CSV readers take it back: quoted when it holds a separator, a
// quote or a line break.
void AppendField(std::string& out, std::string_view text) {
  AppendTableCell(out, text, ',');
}

}  // namespace

void AppendForwardCsvRow(std::string& out, const StakeRow& row, std::string_view prefix,
                         bool designElevation) {
  const RoutePoint& p = row.point;
  AppendField(out, row.name);
  out += ',';
  AppendField(out, KStationText(p.station, prefix));
  out += ',' + FixedText(p.station, kStationDecimals);
  out += ',' + FixedText(p.offset, kStationDecimals);
  out += ',' + GeneralText(p.skewDms);
  out += ',' + FixedText(p.result.point.X, kCoordinateDecimals);
  out += ',' + FixedText(p.result.point.Y, kCoordinateDecimals);
  out += ',' + AzimuthDmsText(p.result.azimuth);
  out += ',' + std::to_string(p.element);
  out += ',';
  AppendField(out, RowNote(p));
  if (designElevation) {
    // Written in place: a million-row stakeout may spend little on its heights.
    out += ',';
    char cell[kNumberTextRoom];
    if (row.designElevation)
      out.append(cell, WriteFixedText(cell, *row.designElevation, kHeightDecimals));
  }
  out += kRowEnd;
}

std::string ForwardCsvHeader(bool designElevation) {
  std::string header(kForwardCsvHeader);
  if (designElevation) (header += ',') += kDesignElevationColumn;
  return header += kRowEnd;
}

std::string ForwardCsvText(std::span<const StakeRow> rows, std::string_view prefix,
                           bool designElevation) {
  std::string out;
  out.reserve(kForwardCsvHeader.size() + rows.size() * 96);
  out += ForwardCsvHeader(designElevation);
  for (const StakeRow& row : rows) AppendForwardCsvRow(out, row, prefix, designElevation);
  return out;
}

void AppendInverseCsvRow(std::string& out, const InverseCsvRow& row, std::string_view prefix,
                         bool cutFill, bool notes, bool toCatchPoint) {
  AppendField(out, row.name);
  out += ',';
  AppendField(out, row.x);
  out += ',';
  AppendField(out, row.y);
  if (row.foot) {
    out += ',';
    AppendField(out, KStationText(row.foot->station, prefix));
    out += ',' + FixedText(row.foot->station, kStationDecimals);
    out += ',' + FixedText(row.foot->offset, kStationDecimals);
    out += ',' + std::to_string(row.foot->element);
  } else {
    out += ",,,,";
  }
  out += ',' + std::to_string(row.rank) + '/' + std::to_string(row.count);
  if (cutFill) {
    const CutFillTexts texts = CutFillText(row.designElevation, row.height);
    out += ',' + texts.design + ',' + texts.difference + ',' + texts.cutFill;
  }
  if (toCatchPoint) {
    out += ',';
    if (row.toCatchPoint) out += FixedText(*row.toCatchPoint, kStationDecimals);
  }
  if (notes) {
    out += ',';
    AppendField(out, InverseRowNote(row));
  }
  out += kRowEnd;
}

std::string InverseCsvHeader(bool cutFill, bool notes, bool toCatchPoint) {
  std::string header(kInverseCsvHeader);
  if (cutFill) (header += ',') += kCutFillColumns;
  if (toCatchPoint) header += ",距坡脚坡口";
  if (notes) header += ",说明";
  return header += kRowEnd;
}

std::string_view InverseRowNote(const InverseCsvRow& row) {
  return row.beyondRoad ? kBeyondRoadNote : std::string_view(row.slopeNote);
}

std::string InverseCsvText(std::span<const InverseCsvRow> rows, std::string_view prefix,
                           bool cutFill, bool notes, bool toCatchPoint) {
  std::string out;
  out.reserve(kInverseCsvHeader.size() + rows.size() * 64);
  out += InverseCsvHeader(cutFill, notes, toCatchPoint);
  for (const InverseCsvRow& row : rows)
    AppendInverseCsvRow(out, row, prefix, cutFill, notes, toCatchPoint);
  return out;
}

std::vector<InverseCsvRow> InverseRows(const std::string& name, const std::string& x,
                                       const std::string& y, const std::vector<RouteFoot>& feet,
                                       bool all) {
  if (feet.empty()) return {InverseCsvRow{name, x, y, std::nullopt, 0, 0}};
  const int count = static_cast<int>(feet.size());
  std::vector<InverseCsvRow> rows;
  for (int k = 0; k < (all ? count : 1); ++k)
    rows.push_back({name, x, y, feet[static_cast<size_t>(k)], k + 1, count});
  return rows;
}

}  // namespace tarnvel
