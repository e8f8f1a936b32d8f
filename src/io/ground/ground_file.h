// The ground line file (横断面地面线), as field and point-cloud software
// exports it, in either of two forms. Blocks: a line "BEGIN,<桩号>" (a
// ":<序号>" after the station is ignored) starts a station, and the lines
// after it are "偏距,高程" up to the next BEGIN. A table: a header
// "桩号,偏距,高程", then a ground point a line, each station's points one
// after another.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "core/ground/ground_lines.h"
#include "io/files/file_refusal.h"

namespace tarnvel {

// Reads the file with the route file's separators, encodings and header
// rule; stations in metres or K text, with "_2" on a 长链's second branch,
// placed along the route by `positions` (MakeGroundLines). Refused, naming
// the line and the text: a point before any BEGIN, a station not past the
// one before in route order, offsets that do not increase within a station,
// a station of fewer than two points (its BEGIN line, or its first line in
// the table), a pass the route does not make, a field that does not read.
FileOutcome<GroundLines> ReadGroundFile(const QString& path, const RoutePositions& positions);

// The same from the whole content of a file already read; the caller names
// the file (InFile).
ContentOutcome<GroundLines> ParseGroundFile(const QByteArray& bytes,
                                            const RoutePositions& positions);

// One station's block of the file, added to `out`: "BEGIN,<桩号>", K text
// with `prefix` to the millimetre and "_<pass>" on a 长链's later pass, then
// a line "偏距,高程" a point, to the millimetre, every line ended by CR LF.
// The file of such blocks, in UTF-8, reads back as ReadGroundFile reads.
void AppendGroundBlock(std::string& out, double station, int pass, std::string_view prefix,
                       const std::vector<GroundPoint>& points);

}  // namespace tarnvel
