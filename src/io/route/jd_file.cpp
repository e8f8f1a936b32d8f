#include "jd_file.h"

#include <array>

#include "delimited_text.h"
#include "read_file.h"
#include "station_equation_line.h"

namespace tarnvel {

namespace {

constexpr qsizetype kFieldCount = 6;

QString FieldName(qsizetype index) {
  const std::string_view name = kJdFieldNames[static_cast<size_t>(index)];
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

ContentOutcome<JdPoint> ParseJdLine(const DelimitedLine& line) {
  if (line.fields.size() > kFieldCount) return TooManyFields(line, kFieldCount);
  if (line.fields[0].isEmpty())
    return ContentRefusal{line.number, FieldName(0),
                          QStringLiteral("缺少“%1”！").arg(FieldName(0))};
  JdPoint point;
  point.name = line.fields[0].toStdString();
  std::array<double, 5> values{};
  for (qsizetype n = 1; n < kFieldCount; ++n) {
    double& value = values[static_cast<size_t>(n - 1)];
    if (n <= 2) {
      ContentOutcome<double> read = ReadNumberField(line, n, FieldName(n));
      if (auto* refusal = std::get_if<ContentRefusal>(&read)) return std::move(*refusal);
      value = std::get<double>(read);
    } else {
      auto read = ReadOptionalNumberField(line, n, FieldName(n));
      if (auto* refusal = std::get_if<ContentRefusal>(&read)) return std::move(*refusal);
      value = std::get<std::optional<double>>(read).value_or(0);
    }
  }
  point.X = values[0];
  point.Y = values[1];
  point.R = values[2];
  point.Ls1 = values[3];
  point.Ls2 = values[4];
  return point;
}

}  // namespace

FileOutcome<JdTable> ReadJdFile(const QString& path) {
  FileOutcome<QByteArray> bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  return InFile(path, ParseJdFile(std::get<QByteArray>(bytes)));
}

ContentOutcome<JdTable> ParseJdFile(const QByteArray& bytes) {
  QStringList columns{QString()};
  for (qsizetype n = 1; n < kFieldCount; ++n) columns.append(FieldName(n));
  JdTable table;
  // One field more than a line may hold, so that a seventh is refused rather
  // than read as part of Ls2.
  using JdLine = std::variant<JdPoint, StationEquation>;
  std::vector<int> lines;
  auto read = ParseRecords<JdLine>(
      bytes, kFieldCount + 1, columns,
      [](const DelimitedLine& line) -> ContentOutcome<JdLine> {
        if (DeclaresStationEquation(line)) {
          auto equation = ReadStationEquationLine(line);
          if (auto* refusal = std::get_if<ContentRefusal>(&equation)) return std::move(*refusal);
          return std::get<StationEquation>(equation);
        }
        auto point = ParseJdLine(line);
        if (auto* refusal = std::get_if<ContentRefusal>(&point)) return std::move(*refusal);
        return std::get<JdPoint>(std::move(point));
      },
      &lines);
  if (auto* refusal = std::get_if<ContentRefusal>(&read)) return std::move(*refusal);
  const std::vector<JdLine>& records = std::get<std::vector<JdLine>>(read);
  for (size_t i = 0; i < records.size(); ++i) {
    if (const auto* equation = std::get_if<StationEquation>(&records[i])) {
      table.equations.push_back(*equation);
      continue;
    }
    table.points.push_back(std::get<JdPoint>(records[i]));
    table.lines.push_back(lines[i]);
  }
  if (table.points.empty()) return NoRecords(QStringLiteral("交点"));
  if (table.points.size() < 2)
    return ContentRefusal{0, {}, QStringLiteral("只有一个点，至少要有起点和终点两行！")};
  return table;
}

ContentOutcome<JdRoute> JdRouteOfTable(const JdTable& table, double startStation) {
  std::variant<JdRefusal, JdRoute> route = RouteFromJd(table.points, startStation);
  if (auto* refusal = std::get_if<JdRefusal>(&route)) {
    const QString message = QString::fromStdString(refusal->message);
    const size_t row = static_cast<size_t>(refusal->jd);
    if (row >= 1 && row <= table.lines.size()) return LineRefusal(table.lines[row - 1], message);
    return WholeFileRefusal(message);
  }
  std::get<JdRoute>(route).route.equations = table.equations;
  return std::get<JdRoute>(std::move(route));
}

FileOutcome<JdRoute> ReadJdRoute(const QString& path, double startStation) {
  FileOutcome<JdTable> table = ReadJdFile(path);
  if (auto* refusal = std::get_if<FileRefusal>(&table)) return std::move(*refusal);
  return InFile(path, JdRouteOfTable(std::get<JdTable>(table), startStation));
}

}  // namespace tarnvel
