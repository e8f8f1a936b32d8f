// The points file: surveyed points, one a line, as "点名,X,Y[,H[,编码]]"
// (metres).
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "core/element/centre_line.h"
#include "io/files/delimited_file.h"
#include "io/files/file_refusal.h"

namespace tarnvel {

struct SurveyPoint {
  int line = 0;   // in the file, for messages
  QString name;   // may be empty
  QString xText;  // X and Y as the file gives them, for echoing
  QString yText;
  Point point;
  std::optional<double> height;
  QString code;  // may be empty
};

// Reads the file; one whose name ends in ".dat" (IsSurveyPointPath) is the
// survey point file, read by ParseSurveyPointFile. Separators, skipped lines and encodings are
// those of SplitDelimitedLines and DecodeDelimitedText; the first line may be a header
// (DropHeader). X and Y must be numbers, H too when
// it is given; the code is the rest of a space-separated line. Refusals name
// the file, the line and the field.
FileOutcome<std::vector<SurveyPoint>> ReadPointFile(const QString& path);

// The same from the whole content of a file already read, or text pasted,
// its refusals said of the line and the field; the caller names the source.
ContentOutcome<std::vector<SurveyPoint>> ParsePointFile(const QByteArray& bytes);

// The content of the file named `path`, read as ReadPointFile reads it: a
// ".dat" as the survey point file, any other as the points file.
ContentOutcome<std::vector<SurveyPoint>> ParsePointsOf(const QString& path,
                                                       const QByteArray& bytes);

// Each point of a points file opened for reading a line at a time, read as
// ReadPointFile reads the file (a ".dat" as the survey point file), handed
// to `point` as its line is read: a million points held at once would take
// 300 MB. Nothing once every point is handed over; else the first refusal
// ReadPointFile would give, a line's once the points before it are handed
// over, and "中没有点！" at the end of a file without any.
std::optional<FileRefusal> ForEachFilePoint(DelimitedFile& file,
                                            const std::function<void(SurveyPoint&&)>& point);

// The same for the survey point file a stakeout is saved as, and that
// instruments record: "点名,编码,Y,X[,H]", east before north. Y and X must be
// numbers, H too when it is given.
ContentOutcome<std::vector<SurveyPoint>> ParseSurveyPointFile(const QByteArray& bytes);

}  // namespace tarnvel
