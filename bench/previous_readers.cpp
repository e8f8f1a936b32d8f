// The stations and points files read as they were before their records were
// parsed line by line: the whole file decoded into one text, split into a
// list of every line's fields, and only then made records.
#include "previous_readers.h"

#include <QList>
#include <algorithm>

#include "core/text/station_text.h"
#include "io/files/delimited_text.h"
#include "io/files/read_file.h"
#include "io/route/point_file.h"
#include "io/route/station_file.h"

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
ContentOutcome<std::vector<Record>> ParseRecords(const QList<DelimitedLine>& lines, Parse parse) {
  std::vector<Record> records;
  records.reserve(static_cast<size_t>(lines.size()));
  for (const DelimitedLine& line : lines) {
    ContentOutcome<Record> record = parse(line);
    if (auto* refusal = std::get_if<ContentRefusal>(&record)) return std::move(*refusal);
    records.push_back(std::get<Record>(std::move(record)));
  }
  return records;
}

constexpr qsizetype kStationFieldCount = 4;
ContentOutcome<StationLine> ParseStationLine(const DelimitedLine& line) {
  if (line.fields.size() > kStationFieldCount) return TooManyFields(line, kStationFieldCount);
  StationLine station;
  station.line = line.number;
  station.name = line.fields[0];
  ContentOutcome<double> K = ReadStationField(line, 1, QStringLiteral("里程"));
  if (auto* refusal = std::get_if<ContentRefusal>(&K)) return std::move(*refusal);
  station.station = std::get<double>(K);
  auto offset = ReadOptionalNumberField(line, 2, QStringLiteral("偏距"));
  if (auto* refusal = std::get_if<ContentRefusal>(&offset)) return std::move(*refusal);
  station.offset = std::get<std::optional<double>>(offset);
  auto skew = ReadOptionalNumberField(line, 3, QStringLiteral("偏角"));
  if (auto* refusal = std::get_if<ContentRefusal>(&skew)) return std::move(*refusal);
  station.skewDms = std::get<std::optional<double>>(skew);
  return station;
}

constexpr qsizetype kPointFieldCount = 5;
ContentOutcome<SurveyPoint> ParsePointLine(const DelimitedLine& line) {
  if (line.fields.size() > kPointFieldCount) return TooManyFields(line, kPointFieldCount);
  SurveyPoint point;
  point.line = line.number;
  point.name = line.fields[0];
  ContentOutcome<double> X = ReadNumberField(line, 1, QStringLiteral("X"));
  if (auto* refusal = std::get_if<ContentRefusal>(&X)) return std::move(*refusal);
  ContentOutcome<double> Y = ReadNumberField(line, 2, QStringLiteral("Y"));
  if (auto* refusal = std::get_if<ContentRefusal>(&Y)) return std::move(*refusal);
  point.point = {std::get<double>(X), std::get<double>(Y)};
  point.xText = line.fields[1];
  point.yText = line.fields[2];
  auto H = ReadOptionalNumberField(line, 3, QStringLiteral("H"));
  if (auto* refusal = std::get_if<ContentRefusal>(&H)) return std::move(*refusal);
  point.height = std::get<std::optional<double>>(H);
  if (line.fields.size() > 4) point.code = line.fields[4];
  return point;
}

template <class Record, class Parse>
FileOutcome<std::vector<Record>> PreviousRead(const QString& path, qsizetype fieldCount,
                                              const QStringList& columns, Parse parse) {
  FileOutcome<QByteArray> bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  FileOutcome<QString> text = InFile(path, DecodeDelimitedText(std::get<QByteArray>(bytes)));
  if (auto* refusal = std::get_if<FileRefusal>(&text)) return std::move(*refusal);
  QList<DelimitedLine> lines = SplitDelimitedLines(std::get<QString>(text), fieldCount);
  DropHeader(lines, columns);
  return InFile(path, ParseRecords<Record>(lines, parse));
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
