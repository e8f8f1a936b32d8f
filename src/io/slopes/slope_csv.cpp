#include "io/slopes/slope_csv.h"

#include <array>
#include <cmath>

#include "core/profile/cut_fill_text.h"
#include "core/text/number_text.h"
#include "core/text/station_text.h"
#include "core/text/table_line.h"

namespace tarnvel {

namespace {

std::string Height(std::optional<double> value) {
  return value ? FixedText(*value, kHeightDecimals) : std::string();
}

}  // namespace

std::string SlopeRowNote(const SlopeCsvRow& row) {
  if (row.slopeBreak) return row.slopeBreak->label;
  if (row.side->catchPoint) return std::string(CatchPointNote(*row.side->kind));
  return std::string(NoCatchPointText(row.side->reason));
}

std::string SlopeCsvHeader() {
  return std::string(kSlopeCsvHeader) + "\r\n";
}

void AppendSlopeCsvRow(std::string& out, const SlopeCsvRow& row, std::string_view prefix) {
  const SideCatch& side = *row.side;
  std::optional<double> offset, elevation;
  if (row.slopeBreak) {
    offset = row.slopeBreak->offset;
    elevation = row.slopeBreak->elevation;
  } else if (side.catchPoint) {
    offset = side.catchPoint->offset;
    elevation = side.catchPoint->elevation;
  }
  std::optional<double> above;
  if (side.hingeElevation && side.groundAtHinge) above = *side.hingeElevation - *side.groundAtHinge;
  std::string kind;
  if (side.kind) kind = *side.kind == SlopeKind::Fill ? "填" : "挖";
  const std::array<std::string, 15> cells{
      row.name,
      KStationText(row.station, prefix),
      FixedText(row.station, 3),
      side.left ? "左" : "右",
      kind,
      FixedText(side.hingeOffset, 3),
      Height(side.hingeElevation),
      Height(side.groundAtHinge),
      Height(above),
      offset ? FixedText(*offset, 3) : std::string(),
      row.point && offset ? FixedText(row.point->X, 4) : std::string(),
      row.point && offset ? FixedText(row.point->Y, 4) : std::string(),
      Height(elevation),
      offset ? FixedText(std::fabs(*offset - side.hingeOffset), 3) : std::string(),
      SlopeRowNote(row)};
  out += TableLine(cells, ',');
}

}  // namespace tarnvel
