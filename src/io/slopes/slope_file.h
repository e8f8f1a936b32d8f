// The side slope file (边坡): one line for one side and fill or cut, from a
// station on, as "桩号,侧,填挖,边沟底宽,边沟深,边沟内坡,边沟外坡,坡率1,坡高1,
// 平台1,坡率2,…", as many steps as the line needs, the last 坡率 without its
// 坡高 and 平台.
#pragma once

#include <QByteArray>
#include <QString>

#include "core/slopes/side_slopes.h"
#include "io/files/file_refusal.h"

namespace tarnvel {

// The name of column `index` (0-based): 桩号 … 边沟外坡, then 坡率n, 坡高n,
// 平台n in turn.
QString SlopeColumnName(std::size_t index);

// Reads the file with the route file's separators, encodings and header
// rule; stations in metres or K text, with "_2" on a 长链's second branch,
// placed along the route by `positions`. Refused, naming the line, the
// column and the text, as MakeSlopeLine and MakeSideSlopes find the lines,
// and a field that does not read.
FileOutcome<SideSlopes> ReadSlopeFile(const QString& path, const RoutePositions& positions);

// The same from the whole content of a file already read; the caller names
// the file (InFile).
ContentOutcome<SideSlopes> ParseSlopeFile(const QByteArray& bytes, const RoutePositions& positions);

}  // namespace tarnvel
