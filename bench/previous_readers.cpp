// The stations and points files read as they were before their records were
// parsed line by line: the whole file decoded into one text, split into a
// list of every line's fields, and only then made records.
#include "previous_readers.h"

#include <QList>
#include <algorithm>

#include "delimited_text.h"
#include "point_file.h"
#include "read_file.h"
#include "station_file.h"
#include "station_text.h"

namespace tarnvel {
namespace {

void DropHeader(QList<DelimitedLine>& lines, const QStringList& columns) {
  if (lines.isEmpty()) return;
  const QStringList& first = lines.front().fields;
  bool names_a_column = false;
  for (qsizetype i = 0; i < std::min(first.size(), columns.size()); ++i)
    names_a_column = names_a_column || (!columns[i].isEmpty() && first[i] == columns[i]);
  const auto reads_as_data = [](const QString& field) {
    return StartsWithNumber(field) || BeginsLikeStationText(field.toStdString());
  };
  if (names_a_column || std::none_of(first.begin(), first.end(), reads_as_data))
    lines.removeFirst();
}

template <class Record, class Parse>
FileOutcome<std::vector<Record>> ParseRecords(const QList<DelimitedLine>& lines, Parse parse) {
  std::vector<Record> records;
  records.reserve(static_cast<size_t>(lines.size()));
  for (const DelimitedLine& line : lines) {
    FileOutcome<Record> record = parse(line);
    if (auto* refusal = std::get_if<FileRefusal>(&record)) return std::move(*refusal);
    records.push_back(std::get<Record>(std::move(record)));
  }
  return records;
}

constexpr qsizetype kStationFieldCount = 4;
FileOutcome<StationLine> ParseStationLine(const QString& path, const DelimitedLine& line) {
  if (line.fields.size() > kStationFieldCount) return TooManyFields(path, line, kStationFieldCount);
  StationLine station;
  station.line = line.number;
  station.name = line.fields[0];
  FileOutcome<double> K = ReadStationField(path, line, 1, QStringLiteral("里程"));
  if (auto* refusal = std::get_if<FileRefusal>(&K)) return std::move(*refusal);
  station.station = std::get<double>(K);
  auto offset = ReadOptionalNumberField(path, line, 2, QStringLiteral("偏距"));
  if (auto* refusal = std::get_if<FileRefusal>(&offset)) return std::move(*refusal);
  station.offset = std::get<std::optional<double>>(offset);
  auto skew = ReadOptionalNumberField(path, line, 3, QStringLiteral("偏角"));
  if (auto* refusal = std::get_if<FileRefusal>(&skew)) return std::move(*refusal);
  station.skewDms = std::get<std::optional<double>>(skew);
  return station;
}

constexpr qsizetype kPointFieldCount = 5;
FileOutcome<SurveyPoint> ParsePointLine(const QString& path, const DelimitedLine& line) {
  if (line.fields.size() > kPointFieldCount) return TooManyFields(path, line, kPointFieldCount);
  SurveyPoint point;
  point.line = line.number;
  point.name = line.fields[0];
  FileOutcome<double> X = ReadNumberField(path, line, 1, QStringLiteral("X"));
  if (auto* refusal = std::get_if<FileRefusal>(&X)) return std::move(*refusal);
  FileOutcome<double> Y = ReadNumberField(path, line, 2, QStringLiteral("Y"));
  if (auto* refusal = std::get_if<FileRefusal>(&Y)) return std::move(*refusal);
  point.point = {std::get<double>(X), std::get<double>(Y)};
  point.xText = line.fields[1];
  point.yText = line.fields[2];
  auto H = ReadOptionalNumberField(path, line, 3, QStringLiteral("H"));
  if (auto* refusal = std::get_if<FileRefusal>(&H)) return std::move(*refusal);
  point.height = std::get<std::optional<double>>(H);
  if (line.fields.size() > 4) point.code = line.fields[4];
  return point;
}

template <class Record, class Parse>
FileOutcome<std::vector<Record>> PreviousRead(const QString& path, qsizetype fieldCount,
                                              const QStringList& columns, Parse parse) {
  FileOutcome<QByteArray> bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  FileOutcome<QString> text = DecodeDelimitedText(path, std::get<QByteArray>(bytes));
  if (auto* refusal = std::get_if<FileRefusal>(&text)) return std::move(*refusal);
  QList<DelimitedLine> lines = SplitDelimitedLines(std::get<QString>(text), fieldCount);
  DropHeader(lines, columns);
  return ParseRecords<Record>(lines, [&](const DelimitedLine& line) { return parse(path, line); });
}

}  // namespace

FileOutcome<std::vector<StationLine>> PreviousReadStationFile(const QString& path) {
  return PreviousRead<StationLine>(
      path, kStationFieldCount,
      {QString(), QStringLiteral("里程"), QStringLiteral("偏距"), QStringLiteral("偏角")},
      ParseStationLine);
}

FileOutcome<std::vector<SurveyPoint>> PreviousReadPointFile(const QString& path) {
  return PreviousRead<SurveyPoint>(
      path, kPointFieldCount,
      {QString(), QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("H")}, ParsePointLine);
}

}  // namespace tarnvel
