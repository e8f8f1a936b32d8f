#include "io/route/jd_file.h"

#include <array>

#include "core/jd/declared_chains.h"
#include "io/files/delimited_text.h"
#include "io/files/read_file.h"
#include "io/route/station_equation_line.h"

namespace tarnvel {

namespace {

constexpr qsizetype kFieldCount = 7;
constexpr qsizetype kStationField = 6;

QString FieldName(qsizetype index) {
  const std::string_view name = kJdFieldNames[static_cast<size_t>(index)];
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// Where each of the seven fields is on a line (-1: not in the file). In
// kJdFieldNames' order unless the file's first line names the columns.
using FieldPlaces = std::array<qsizetype, kFieldCount>;
constexpr FieldPlaces kInOrder = {0, 1, 2, 3, 4, 5, 6};

// The field a header cell names, by the names tables and spreadsheets give
// the columns; -1 for any other.
qsizetype FieldNamed(const QString& cell) {
  static const std::array<QStringList, kFieldCount> kNames = {
      QStringList{"交点号", "交点", "点号", "JD"},
      QStringList{"交点坐标X", "X", "X(N)", "N", "北坐标"},
      QStringList{"交点坐标Y", "Y", "Y(E)", "E", "东坐标"},
      QStringList{"半径R", "R", "半径"},
      QStringList{"缓和曲线长Ls1", "Ls1", "第一缓和曲线长"},
      QStringList{"缓和曲线长Ls2", "Ls2", "第二缓和曲线长"},
      QStringList{"交点桩号", "桩号"}};
  for (size_t f = 0; f < kNames.size(); ++f)
    if (kNames[f].contains(cell, Qt::CaseInsensitive)) return static_cast<qsizetype>(f);
  return -1;
}

// The places the header `cells` gives the fields, when every cell names a
// field, none twice, and 交点号, X and Y are among them. Any other header, or
// one that names something else too, leaves the fields in order, as a file
// without names has them: a misspelt name is never a column quietly dropped.
FieldPlaces PlacesNamedBy(const QStringList& cells) {
  FieldPlaces places;
  places.fill(-1);
  for (qsizetype i = 0; i < cells.size(); ++i) {
    const qsizetype field = FieldNamed(cells[i]);
    if (field < 0 || places[static_cast<size_t>(field)] >= 0) return kInOrder;
    places[static_cast<size_t>(field)] = i;
  }
  if (places[0] < 0 || places[1] < 0 || places[2] < 0) return kInOrder;
  return places;
}

ContentOutcome<JdPoint> ParseJdLine(const DelimitedLine& line, const FieldPlaces& places) {
  if (line.fields.size() > kFieldCount) return TooManyFields(line, kFieldCount);
  const qsizetype nameAt = places[0];
  if (nameAt >= line.fields.size() || line.fields[nameAt].isEmpty())
    return ContentRefusal{line.number, FieldName(0),
                          QStringLiteral("缺少“%1”！").arg(FieldName(0))};
  JdPoint point;
  point.name = line.fields[nameAt].toStdString();
  std::array<double, 5> values{};
  for (qsizetype n = 1; n < kStationField; ++n) {
    double& value = values[static_cast<size_t>(n - 1)];
    const qsizetype at = places[static_cast<size_t>(n)];
    if (n <= 2) {
      ContentOutcome<double> read = ReadNumberField(line, at, FieldName(n));
      if (auto* refusal = std::get_if<ContentRefusal>(&read)) return std::move(*refusal);
      value = std::get<double>(read);
    } else if (at >= 0) {
      auto read = ReadOptionalNumberField(line, at, FieldName(n));
      if (auto* refusal = std::get_if<ContentRefusal>(&read)) return std::move(*refusal);
      value = std::get<std::optional<double>>(read).value_or(0);
    }
  }
  point.X = values[0];
  point.Y = values[1];
  point.R = values[2];
  point.Ls1 = values[3];
  point.Ls2 = values[4];
  const qsizetype stationAt = places[kStationField];
  if (stationAt >= 0 && stationAt < line.fields.size() && !line.fields[stationAt].isEmpty()) {
    ContentOutcome<double> read = ReadStationField(line, stationAt, FieldName(kStationField));
    if (auto* refusal = std::get_if<ContentRefusal>(&read)) return std::move(*refusal);
    point.station = std::get<double>(read);
  }
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
  // The header, when the file has one, may name the columns.
  auto first = FirstDelimitedRecord(bytes, kFieldCount + 1, DeclaresStationEquation);
  if (auto* refusal = std::get_if<ContentRefusal>(&first)) return std::move(*refusal);
  FieldPlaces places = kInOrder;
  if (const auto& cells = std::get<std::optional<QStringList>>(first))
    if (IsHeader(*cells, columns)) places = PlacesNamedBy(*cells);
  JdTable table;
  // One field more than a line may hold, so that an eighth is refused rather
  // than read as part of the seventh.
  using JdLine = std::variant<JdPoint, StationEquation>;
  std::vector<int> lines;
  auto read = ParseRecords<JdLine>(
      bytes, kFieldCount + 1, columns,
      [&places](const DelimitedLine& line) -> ContentOutcome<JdLine> {
        if (DeclaresStationEquation(line.fields)) {
          auto equation = ReadStationEquationLine(line);
          if (auto* refusal = std::get_if<ContentRefusal>(&equation)) return std::move(*refusal);
          return std::get<StationEquation>(equation);
        }
        auto point = ParseJdLine(line, places);
        if (auto* refusal = std::get_if<ContentRefusal>(&point)) return std::move(*refusal);
        return std::get<JdPoint>(std::move(point));
      },
      &lines, DeclaresStationEquation);
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
  JdRoute& made = std::get<JdRoute>(route);
  // The stations jump at the declared 断链, as a route file's own would.
  if (!table.equations.empty()) {
    auto laid = MakeRoute(WithDeclaredChains(made.route.elements, table.equations));
    if (const auto* error = std::get_if<RouteError>(&laid))
      return WholeFileRefusal(QString::fromStdString(error->message));
    made.route = std::get<Route>(std::move(laid));
  }
  made.route.equations = table.equations;
  return std::get<JdRoute>(std::move(route));
}

double JdStartStation(const JdTable& table, std::optional<double> given) {
  if (given) return *given;
  return table.points.empty() ? 0 : table.points.front().station.value_or(0);
}

FileOutcome<JdRoute> ReadJdRoute(const QString& path, std::optional<double> startStation) {
  FileOutcome<JdTable> table = ReadJdFile(path);
  if (auto* refusal = std::get_if<FileRefusal>(&table)) return std::move(*refusal);
  const JdTable& read = std::get<JdTable>(table);
  return InFile(path, JdRouteOfTable(read, JdStartStation(read, startStation)));
}

}  // namespace tarnvel
