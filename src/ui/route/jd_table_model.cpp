#include "jd_table_model.h"

#include <QBrush>
#include <QColor>
#include <QStringList>
#include <variant>

#include "jd_file.h"
#include "number_reading.h"
#include "number_text.h"
#include "pasted_cells.h"
#include "refusal.h"
#include "station_text.h"

namespace tarnvel {

namespace {

constexpr int kNameColumn = 0;
constexpr int kStationColumn = 6;
constexpr int kColumnCount = static_cast<int>(kJdFieldNames.size());

QString FieldName(int column) {
  const auto name = kJdFieldNames[static_cast<size_t>(column)];
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// X and Y must be typed; R, Ls1 and Ls2 are 0 and 交点桩号 not given when
// blank, as in the JD file.
bool MayBeBlank(int column) {
  return column > 2;
}

// What is wrong with one typed field, or nothing; the value when it reads.
std::variant<QString, std::optional<double>> ReadCell(const QString& text, int row, int column) {
  const std::string utf8 = text.toStdString();
  if (IsBlank(utf8)) {
    if (MayBeBlank(column)) return std::optional<double>();
    return QStringLiteral("请输入第%1行的“%2”！").arg(row + 1).arg(FieldName(column));
  }
  if (column == kNameColumn) return std::optional<double>();
  const std::optional<double> value =
      column == kStationColumn ? ReadStationText(utf8) : ReadStrict(utf8);
  if (value) return value;
  if (column == kStationColumn)
    return QStringLiteral("第%1行“%2”不是有效的桩号！").arg(row + 1).arg(FieldName(column));
  return QStringLiteral("第%1行").arg(row + 1) +
         Text(NotANumberText(FieldName(column).toStdString()));
}

QString CellMessage(const QString& text, int row, int column) {
  const auto read = ReadCell(text, row, column);
  const QString* message = std::get_if<QString>(&read);
  return message ? *message : QString();
}

const QColor kFaultColour(255, 205, 205);

}  // namespace

JdTableModel::JdTableModel(QObject* parent) : QAbstractTableModel(parent) {
  recompute();
}

int JdTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int JdTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant JdTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= kColumnCount) return {};
  return FieldName(section);
}

Qt::ItemFlags JdTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.isValid()) flags |= Qt::ItemIsEditable;
  return flags;
}

QString JdTableModel::cellProblem(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= kColumnCount) return {};
  QString message =
      CellMessage(rows_[static_cast<size_t>(row)][static_cast<size_t>(column)], row, column);
  if (message.isEmpty() && row == problemRow_ && column == problemColumn_) message = problem_;
  return message;
}

QVariant JdTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row();
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return rows_[static_cast<size_t>(row)][static_cast<size_t>(column)];
    case Qt::TextAlignmentRole:
      return column == kNameColumn ? QVariant()
                                   : QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
      return cellProblem(row, column).isEmpty() ? QVariant() : QVariant(QBrush(kFaultColour));
    case Qt::ToolTipRole: {
      const QString message = cellProblem(row, column);
      return message.isEmpty() ? QVariant() : QVariant(message);
    }
    default:
      return {};
  }
}

bool JdTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  QString& cell = rows_[static_cast<size_t>(index.row())][static_cast<size_t>(index.column())];
  const QString text = value.toString();
  if (cell == text) return true;
  cell = text;
  changed();
  return true;
}

bool JdTableModel::insertRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || row > rowCount() || count < 1) return false;
  beginInsertRows({}, row, row + count - 1);
  rows_.insert(rows_.begin() + row, static_cast<size_t>(count), RowTexts{});
  endInsertRows();
  changed();
  return true;
}

bool JdTableModel::removeRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount()) return false;
  beginRemoveRows({}, row, row + count - 1);
  rows_.erase(rows_.begin() + row, rows_.begin() + row + count);
  endRemoveRows();
  changed();
  return true;
}

void JdTableModel::setPoints(const std::vector<JdPoint>& points,
                             std::optional<double> startStation) {
  beginResetModel();
  rows_.clear();
  rows_.reserve(points.size());
  for (const JdPoint& p : points)
    rows_.push_back({Text(p.name), Text(GeneralText(p.X)), Text(GeneralText(p.Y)),
                     Text(GeneralText(p.R)), Text(GeneralText(p.Ls1)), Text(GeneralText(p.Ls2)),
                     p.station ? Text(GeneralText(*p.station)) : QString()});
  givenStart_ = startStation;
  endResetModel();
  recompute();
}

void JdTableModel::paste(int row, int column, const QString& text) {
  const QList<QStringList> cells = PastedCells(text);
  if (cells.isEmpty() || row < 0 || column < 0 || column >= kColumnCount) return;
  const int needed = row + static_cast<int>(cells.size());
  if (needed > rowCount()) {
    beginInsertRows({}, rowCount(), needed - 1);
    rows_.resize(static_cast<size_t>(needed));
    endInsertRows();
  }
  for (qsizetype i = 0; i < cells.size(); ++i) {
    RowTexts& texts = rows_[static_cast<size_t>(row + i)];
    for (qsizetype c = 0; c < cells[i].size() && column + c < kColumnCount; ++c)
      texts[static_cast<size_t>(column + c)] = cells[i][c];
  }
  changed();
}

void JdTableModel::changed() {
  recompute();
  emit edited();
}

// Every change makes the whole route again: a table of tens of JDs takes
// well under a millisecond, and one pass keeps the marks consistent.
void JdTableModel::recompute() {
  route_.reset();
  points_.clear();
  problem_.clear();
  problemRow_ = problemColumn_ = -1;

  points_.reserve(rows_.size());
  for (size_t r = 0; r < rows_.size() && problem_.isEmpty(); ++r) {
    std::array<double, kColumnCount> values{};
    std::optional<double> station;
    for (int c = 0; c < kColumnCount; ++c) {
      const auto read = ReadCell(rows_[r][static_cast<size_t>(c)], static_cast<int>(r), c);
      if (const QString* message = std::get_if<QString>(&read)) {
        problem_ = *message;
        break;
      }
      const auto& value = std::get<std::optional<double>>(read);
      if (c == kStationColumn) station = value;
      values[static_cast<size_t>(c)] = value.value_or(0);
    }
    points_.push_back({rows_[r][kNameColumn].trimmed().toStdString(), values[1], values[2],
                       values[3], values[4], values[5], station});
  }
  if (problem_.isEmpty()) {
    start_ = JdStartStation(JdTable{points_, {}, {}}, givenStart_);
    auto made = RouteFromJd(points_, start_);
    if (auto* refusal = std::get_if<JdRefusal>(&made)) {
      problem_ = Text(refusal->message);
      if (refusal->jd > 0) problem_ = QStringLiteral("第%1行：").arg(refusal->jd) + problem_;
      problemRow_ = refusal->jd - 1;
      problemColumn_ = refusal->field;
    } else {
      route_ = std::move(std::get<JdRoute>(made));
    }
  }
  if (!route_) points_.clear();
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
}

}  // namespace tarnvel
