#include "io/earthworks/volume_csv.h"

#include <array>
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

void AppendVolumeCsvRow(std::string& out, double station, std::string_view prefix,
                        const VolumeRow& row) {
  const std::array<std::string, 10> cells{KStationText(station, prefix),
                                          FixedText(station, 3),
                                          Fixed(row.cut, 2),
                                          Fixed(row.fill, 2),
                                          Fixed(row.distance, 3),
                                          Fixed(row.cutVolume, 1),
                                          Fixed(row.fillVolume, 1),
                                          FixedText(row.totalCut, 1),
                                          FixedText(row.totalFill, 1),
                                          row.note};
  out += TableLine(cells, ',');
}

void AppendVolumeCsvTotals(std::string& out, const VolumeTable& table) {
  const std::array<std::string, 10> cells{"合计",
                                          {},
                                          {},
                                          {},
                                          FixedText(table.length(), 3),
                                          FixedText(table.totalCut(), 1),
                                          FixedText(table.totalFill(), 1),
                                          {},
                                          {},
                                          {}};
  out += TableLine(cells, ',');
}

}  // namespace tarnvel
