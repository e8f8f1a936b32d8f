#include "io/route/station_file.h"

#include "io/files/delimited_text.h"
#include "io/files/read_file.h"

namespace tarnvel {

namespace {

constexpr qsizetype kFieldCount = 4;

ContentOutcome<StationLine> ParseStationLine(const DelimitedLine& line) {
  if (line.fields.size() > kFieldCount) return TooManyFields(line, kFieldCount);
  StationLine station;
  station.line = line.number;
  station.name = line.fields[0];
  ContentOutcome<double> K = ReadStationField(line, 1, QStringLiteral("里程"), &station.pass);
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

QStringList StationColumns() {
  return {QString(), QStringLiteral("里程"), QStringLiteral("偏距"), QStringLiteral("偏角")};
}

}  // namespace

FileOutcome<std::vector<StationLine>> ReadStationFile(const QString& path) {
  FileOutcome<QByteArray> bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  return InFile(path, ParseStationFile(std::get<QByteArray>(bytes)));
}

ContentOutcome<std::vector<StationLine>> ParseStationFile(const QByteArray& bytes) {
  auto stations = ParseRecords<StationLine>(bytes, kFieldCount, StationColumns(), ParseStationLine);
  if (auto* refusal = std::get_if<ContentRefusal>(&stations)) return std::move(*refusal);
  if (std::get<std::vector<StationLine>>(stations).empty())
    return NoRecords(QStringLiteral("里程"));
  return stations;
}

std::optional<FileRefusal> ForEachFileStation(DelimitedFile& file,
                                              const std::function<void(StationLine&&)>& station) {
  bool any = false;
  const auto refusal = file.ForEachRecord(
      kFieldCount, StationColumns(), [&](DelimitedLine&& line) -> std::optional<ContentRefusal> {
        ContentOutcome<StationLine> read = ParseStationLine(line);
        if (auto* refused = std::get_if<ContentRefusal>(&read)) return std::move(*refused);
        any = true;
        station(std::get<StationLine>(std::move(read)));
        return std::nullopt;
      });
  if (refusal) return refusal;
  if (!any) return InFile(file.path(), NoRecords(QStringLiteral("里程")));
  return std::nullopt;
}

std::optional<ContentRefusal> LaterPassRefusal(const std::vector<StationLine>& lines,
                                               const QString& table) {
  for (const StationLine& station : lines)
    if (station.pass != 1)
      return LineRefusal(
          station.line,
          QStringLiteral("%1的里程不分长链的两支，不能带“_%2”！").arg(table).arg(station.pass));
  return std::nullopt;
}

}  // namespace tarnvel
