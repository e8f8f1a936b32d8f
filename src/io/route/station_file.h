// The stations file: the stations a surveyor wants set out, one a line, as
// "点名,里程[,偏距[,偏角]]" (metres, metres, d.mmss).
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "io/files/delimited_file.h"
#include "io/files/file_refusal.h"

namespace tarnvel {

struct StationLine {
  int line = 0;  // in the file, for messages
  QString name;  // may be empty
  double station = 0;
  int pass = 1;                   // which pass of the route over the station (SplitStationPass)
  std::optional<double> offset;   // left out or empty: the caller's offsets
  std::optional<double> skewDms;  // left out or empty: the caller's skew
};

// Reads the file. Separators, skipped lines and encodings are those of
// SplitDelimitedLines and DecodeDelimitedText; the first line may be a header
// (DropHeader). 里程 must be a station, in metres or as K text, with the
// suffix of a later pass over a 长链's repeated stretch ("K1+190_2"); 偏距 and 偏角,
// when given, numbers. Refusals name the file, the line and the field.
FileOutcome<std::vector<StationLine>> ReadStationFile(const QString& path);

// The same from the whole content of a file already read, its refusals said
// of the line and the field; the caller that read the file names it (InFile).
ContentOutcome<std::vector<StationLine>> ParseStationFile(const QByteArray& bytes);

// Each line of a stations file opened for reading a line at a time, read as
// ReadStationFile reads the file, handed to `station` as it is read: a
// million lines held at once would take 100 MB. Nothing once every line is
// handed over; else the first refusal ReadStationFile would give, a line's
// once the lines before it are handed over, and "中没有里程！" at the end of
// a file without any.
std::optional<FileRefusal> ForEachFileStation(DelimitedFile& file,
                                              const std::function<void(StationLine&&)>& station);

// The refusal of the first line whose station has the suffix of a later
// pass, for a table along one line of stations that no 长链 repeats, the
// profile's (`table` "纵断面") or the cross sections' ("横断面"):
// "第1行：纵断面的里程不分长链的两支，不能带“_2”！". Nothing when none has.
std::optional<ContentRefusal> LaterPassRefusal(const std::vector<StationLine>& lines,
                                               const QString& table);

}  // namespace tarnvel
