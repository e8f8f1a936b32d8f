// The side slope file (边坡): one line for one side and fill or cut, from a
// station on, as "桩号,侧,填挖,边沟底宽,边沟深,边沟内坡,边沟外坡,坡率1,坡高1,
// 平台1,坡率2,…", as many steps as the line needs, the last 坡率 without its
// 坡高 and 平台.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

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

// The file read as ReadSlopeFile reads it, and each line's fields as the
// file gives them, in its order: what a table shows of it.
struct SlopeFileLines {
  SideSlopes slopes;
  std::vector<QStringList> fields;
};
FileOutcome<SlopeFileLines> ReadSlopeFileLines(const QString& path,
                                               const RoutePositions& positions);

// What is said of a line that MakeSlopeLine refuses, in the file's words,
// for a table's rows too: `line` is its number, `fields` its fields.
ContentRefusal SlopeLineRefusal(int line, const QStringList& fields, const SlopeFault& fault);

// What is said of the lines MakeSideSlopes refuses: `lineOf` and `fields`
// are each line's number and fields, in the order the lines were given.
ContentRefusal SlopeOrderRefusal(const SlopeOrderFault& fault, const std::vector<int>& lineOf,
                                 const std::vector<QStringList>& fields);

// The file's bytes for lines given as their fields' texts, as a table holds
// them: the header up to the last field any line gives, then each line up
// to its own last field, comma apart, each ended by CR LF, in GBK as the
// other files are saved. Read back, it gives the same texts. Refused,
// naming the file, for a text holding a separator or a line break, or a
// character GBK cannot hold.
FileOutcome<QByteArray> SlopeFileBytes(const QString& path, const std::vector<QStringList>& lines);
// Saves those bytes all or nothing.
std::optional<FileRefusal> SaveSlopeFile(const QString& path,
                                         const std::vector<QStringList>& lines);

}  // namespace tarnvel
