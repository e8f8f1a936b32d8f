#include "station_file.h"

#include "delimited_text.h"
#include "read_file.h"

namespace tarnvel {

namespace {

constexpr qsizetype kFieldCount = 4;

FileOutcome<StationLine> ParseStationLine(const QString& path, const DelimitedLine& line) {
  if (line.fields.size() > kFieldCount) return TooManyFields(path, line, kFieldCount);
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

}  // namespace

FileOutcome<std::vector<StationLine>> ReadStationFile(const QString& path) {
  FileOutcome<QByteArray> bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  return ParseStationFile(path, std::get<QByteArray>(bytes));
}

FileOutcome<std::vector<StationLine>> ParseStationFile(const QString& path,
                                                       const QByteArray& bytes) {
  const QStringList columns{QString(), QStringLiteral("里程"), QStringLiteral("偏距"),
                            QStringLiteral("偏角")};
  auto stations = ParseRecords<StationLine>(
      path, bytes, kFieldCount, columns,
      [&](const DelimitedLine& line) { return ParseStationLine(path, line); });
  if (auto* refusal = std::get_if<FileRefusal>(&stations)) return std::move(*refusal);
  if (std::get<std::vector<StationLine>>(stations).empty())
    return NoRecords(path, QStringLiteral("里程"));
  return stations;
}

}  // namespace tarnvel
