#include "io/earthworks/volume_csv.h"

#include <optional>

#include "core/text/number_text.h"
#include "core/text/station_text.h"
#include "core/text/table_line.h"

namespace tarnvel {

namespace {

std::string Fixed(std::optional<double> value, int decimals) {
  return value ? FixedText(*value, decimals) : std::string();
}

}  // namespace

std::string VolumeCsvHeader() {
  return std::string(kVolumeCsvHeader) + "\r\n";
}

VolumeCells VolumeRowCells(double station, std::string_view prefix, const VolumeRow& row) {
  return {KStationText(station, prefix),
          FixedText(station, 3),
          Fixed(row.cut, 2),
          Fixed(row.fill, 2),
          Fixed(row.distance, 3),
          Fixed(row.cutVolume, 1),
          Fixed(row.fillVolume, 1),
          FixedText(row.totalCut, 1),
          FixedText(row.totalFill, 1),
          row.note};
}

void AppendVolumeCsvRow(std::string& out, double station, std::string_view prefix,
                        const VolumeRow& row) {
  out += TableLine(VolumeRowCells(station, prefix, row), ',');
}

VolumeCells VolumeTotalCells(const VolumeTable& table) {
  return {"合计",
          {},
          {},
          {},
          FixedText(table.length(), 3),
          FixedText(table.totalCut(), 1),
          FixedText(table.totalFill(), 1),
          {},
          {},
          {}};
}

void AppendVolumeCsvTotals(std::string& out, const VolumeTable& table) {
  out += TableLine(VolumeTotalCells(table), ',');
}

}  // namespace tarnvel
