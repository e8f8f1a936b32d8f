#include "point_file.h"

#include "delimited_text.h"
#include "read_file.h"

namespace tarnvel {

namespace {

constexpr qsizetype kFieldCount = 5;

FileOutcome<SurveyPoint> ParsePointLine(const QString& path, const DelimitedLine& line) {
  if (line.fields.size() > kFieldCount) return TooManyFields(path, line, kFieldCount);
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

}  // namespace

FileOutcome<std::vector<SurveyPoint>> ReadPointFile(const QString& path) {
  FileOutcome<QByteArray> bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  return ParsePointFile(path, std::get<QByteArray>(bytes));
}

FileOutcome<std::vector<SurveyPoint>> ParsePointFile(const QString& path, const QByteArray& bytes) {
  const QStringList columns{QString(), QStringLiteral("X"), QStringLiteral("Y"),
                            QStringLiteral("H")};
  auto points = ParseRecords<SurveyPoint>(
      path, bytes, kFieldCount, columns,
      [&](const DelimitedLine& line) { return ParsePointLine(path, line); });
  if (auto* refusal = std::get_if<FileRefusal>(&points)) return std::move(*refusal);
  if (std::get<std::vector<SurveyPoint>>(points).empty())
    return NoRecords(path, QStringLiteral("点"));
  return points;
}

}  // namespace tarnvel
