#include "ui/route/curves/jd_table_model.h"

#include <array>

#include "core/text/number_reading.h"
#include "core/text/number_text.h"
#include "core/text/station_text.h"
#include "io/route/jd_file.h"

namespace tarnvel {

namespace {

constexpr int kNameColumn = 0;
constexpr int kStationColumn = 6;
constexpr int kColumnCount = static_cast<int>(kJdFieldNames.size());

QStringList FieldNames() {
  QStringList names;
  for (const std::string_view name : kJdFieldNames)
    names.append(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  return names;
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// X and Y must be typed; R, Ls1 and Ls2 are 0 and 交点桩号 not given when
// blank, as in the JD file.
bool MayBeBlank(int column) {
  return column > 2;
}

// A cell's value, nothing for a blank one; only for a cell that reads.
std::optional<double> CellValue(const QString& text, int column) {
  const std::string utf8 = text.toStdString();
  if (column == kNameColumn || IsBlank(utf8)) return std::nullopt;
  return column == kStationColumn ? ReadStationText(utf8) : ReadStrict(utf8);
}

}  // namespace

JdTableModel::JdTableModel(QObject* parent) : TextGridModel(FieldNames(), parent) {
  read();
}

QVariant JdTableModel::data(const QModelIndex& index, int role) const {
  if (role == Qt::TextAlignmentRole && index.column() != kNameColumn)
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  return TextGridModel::data(index, role);
}

QString JdTableModel::cellFault(int row, int column, const QString& text) const {
  if (IsBlank(text.toStdString())) {
    if (MayBeBlank(column)) return {};
    return QStringLiteral("请输入第%1行的“%2”！").arg(row + 1).arg(columnName(column));
  }
  if (column == kNameColumn || CellValue(text, column)) return {};
  if (column == kStationColumn)
    return QStringLiteral("第%1行“%2”不是有效的桩号！").arg(row + 1).arg(columnName(column));
  return QStringLiteral("第%1行").arg(row + 1) +
         Text(NotANumberText(columnName(column).toStdString()));
}

void JdTableModel::setPoints(const std::vector<JdPoint>& points,
                             std::optional<double> startStation) {
  std::vector<QStringList> rows;
  rows.reserve(points.size());
  for (const JdPoint& p : points)
    rows.push_back({Text(p.name), Text(GeneralText(p.X)), Text(GeneralText(p.Y)),
                    Text(GeneralText(p.R)), Text(GeneralText(p.Ls1)), Text(GeneralText(p.Ls2)),
                    p.station ? Text(GeneralText(*p.station)) : QString()});
  givenStart_ = startStation;
  setRows(std::move(rows));
}

std::optional<JdTableModel::Fault> JdTableModel::readRows(bool cellsRead) {
  route_.reset();
  points_.clear();
  if (!cellsRead) return std::nullopt;
  for (const QStringList& row : rows()) {
    std::array<double, kColumnCount> values{};
    for (int c = 1; c < kStationColumn; ++c)
      values[static_cast<size_t>(c)] = CellValue(row[c], c).value_or(0);
    points_.push_back({row[kNameColumn].trimmed().toStdString(), values[1], values[2], values[3],
                       values[4], values[5], CellValue(row[kStationColumn], kStationColumn)});
  }
  start_ = JdStartStation(JdTable{points_, {}, {}}, givenStart_);
  auto made = RouteFromJd(points_, start_);
  if (auto* refusal = std::get_if<JdRefusal>(&made)) {
    points_.clear();
    QString message = Text(refusal->message);
    if (refusal->jd > 0) message = QStringLiteral("第%1行：").arg(refusal->jd) + message;
    return Fault{refusal->jd - 1, refusal->field, message};
  }
  route_ = std::move(std::get<JdRoute>(made));
  return std::nullopt;
}

}  // namespace tarnvel
