// The volumes table (路基土石方数量计算表) as `tarnvel-route earthworks`
// writes it: a row a station, then the totals.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/earthworks/volume_table.h"

namespace tarnvel {

inline constexpr std::string_view kVolumeCsvHeader =
    "桩号,里程,挖方面积,填方面积,距离,挖方体积,填方体积,累计挖方,累计填方,说明";

// A row's cells, as written below and as the window shows them.
using VolumeCells = std::array<std::string, 10>;
VolumeCells VolumeRowCells(double station, std::string_view prefix, const VolumeRow& row);
VolumeCells VolumeTotalCells(const VolumeTable& table);

// The header row, its CR LF included.
std::string VolumeCsvHeader();

// One station's row, its CR LF included, added to `out`: 桩号 as K text
// with `prefix`, 里程 and 距离 to the millimetre, the areas to 0.01 m², the
// volumes and their sums to 0.1 m³; what the row lacks is empty.
void AppendVolumeCsvRow(std::string& out, double station, std::string_view prefix,
                        const VolumeRow& row);

// The last row: 合计 in 桩号, the whole length in 距离 and the total volumes.
void AppendVolumeCsvTotals(std::string& out, const VolumeTable& table);

}  // namespace tarnvel
