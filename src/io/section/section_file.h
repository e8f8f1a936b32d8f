// The cross-section file (横断面, pasted from a 路基设计表): a header line of
// 桩号, then for each part of each side `<左|右><部位>宽` and
// `<左|右><部位>坡` side by side, and optionally 设计线偏距; then one listed
// station a line.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/section/cross_section.h"
#include "io/files/file_refusal.h"

namespace tarnvel {

// Reads the table as the other line-by-line files are read: the same
// separators and encodings, stations in metres or K text, but its header is
// required, since it names the parts. A side's parts are ordered from the
// centre line outward as their columns appear; a 坡 is in percent. Refused,
// naming the line, the column and the text: a first line that is no header,
// a column that is no part's 宽 or 坡, a part's 宽 without its 坡 right
// after it (or a 坡 without its 宽 right before), a part given twice, a
// negative width, a 设计线偏距 beyond its side's parts, a station not
// greater than the one before; and, as every
// reader refuses them, a missing field or a text that is no number.
FileOutcome<CrossSectionTable> ReadSectionFile(const QString& path);

// The same from the whole content of a file already read; the refusal says
// the line and field, for the caller to name the file (InFile).
ContentOutcome<CrossSectionTable> ParseSectionFile(const QByteArray& bytes);

// The header of a table: 桩号, the left side's parts' 宽 and 坡 from the
// centre line outward, then the right side's, then 设计线偏距 when the table
// lists it. The window's table shows these columns and the file keeps them.
QStringList SectionColumnNames(const CrossSectionTable& table);

// The file's bytes for a table, in GBK as the profile file is saved: that
// header, then a line per listed station in metres and general decimals,
// comma apart, each line ended by CR LF; it reads back to the same table.
// Refused, naming the file, when a part's name holds a comma, a tab or a
// line break, or a character GBK cannot hold.
FileOutcome<QByteArray> SectionFileBytes(const QString& path, const CrossSectionTable& table);
// Saves those bytes all or nothing.
std::optional<FileRefusal> SaveSectionFile(const QString& path, const CrossSectionTable& table);

}  // namespace tarnvel
