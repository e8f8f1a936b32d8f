#include "station_equation_model.h"

#include <QBrush>
#include <QColor>

#include "number_reading.h"
#include "number_text.h"
#include "station_equation_line.h"
#include "station_text.h"

namespace tarnvel {

namespace {

constexpr int kColumnCount = 2;

const QString& FieldName(int column) {
  return column == 0 ? kStationEquationBack : kStationEquationAhead;
}

// What is wrong with one typed station, or nothing: both must be given.
QString CellMessage(const QString& text, int row, int column) {
  const std::string utf8 = text.toStdString();
  if (IsBlank(utf8))
    return QStringLiteral("请输入第%1个断链的“%2”！").arg(row + 1).arg(FieldName(column));
  if (!ReadStationText(utf8))
    return QStringLiteral("第%1个断链的“%2”不是有效的桩号！").arg(row + 1).arg(FieldName(column));
  return {};
}

const QColor kFaultColour(255, 205, 205);

}  // namespace

StationEquationModel::StationEquationModel(QObject* parent) : QAbstractTableModel(parent) {
  recompute();
}

int StationEquationModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int StationEquationModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant StationEquationModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= kColumnCount) return {};
  return FieldName(section);
}

Qt::ItemFlags StationEquationModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.isValid()) flags |= Qt::ItemIsEditable;
  return flags;
}

QString StationEquationModel::cellProblem(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= kColumnCount) return {};
  return CellMessage(rows_[static_cast<size_t>(row)][static_cast<size_t>(column)], row, column);
}

QVariant StationEquationModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row();
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return rows_[static_cast<size_t>(row)][static_cast<size_t>(column)];
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
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

bool StationEquationModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  QString& cell = rows_[static_cast<size_t>(index.row())][static_cast<size_t>(index.column())];
  const QString text = value.toString();
  if (cell == text) return true;
  cell = text;
  changed();
  return true;
}

bool StationEquationModel::insertRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || row > rowCount() || count < 1) return false;
  beginInsertRows({}, row, row + count - 1);
  rows_.insert(rows_.begin() + row, static_cast<size_t>(count), RowTexts{});
  endInsertRows();
  changed();
  return true;
}

bool StationEquationModel::removeRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount()) return false;
  beginRemoveRows({}, row, row + count - 1);
  rows_.erase(rows_.begin() + row, rows_.begin() + row + count);
  endRemoveRows();
  changed();
  return true;
}

void StationEquationModel::setEquations(const std::vector<StationEquation>& equations) {
  beginResetModel();
  rows_.clear();
  for (const StationEquation& e : equations)
    rows_.push_back({QString::fromStdString(GeneralText(e.back)),
                     QString::fromStdString(GeneralText(e.ahead))});
  endResetModel();
  recompute();
}

void StationEquationModel::changed() {
  recompute();
  emit edited();
}

void StationEquationModel::recompute() {
  problem_.clear();
  std::vector<StationEquation> equations;
  for (size_t r = 0; r < rows_.size() && problem_.isEmpty(); ++r) {
    std::array<double, kColumnCount> stations{};
    for (int c = 0; c < kColumnCount && problem_.isEmpty(); ++c) {
      const QString& text = rows_[r][static_cast<size_t>(c)];
      problem_ = CellMessage(text, static_cast<int>(r), c);
      if (problem_.isEmpty())
        stations[static_cast<size_t>(c)] = *ReadStationText(text.toStdString());
    }
    equations.push_back({stations[0], stations[1]});
  }
  if (problem_.isEmpty())
    equations_ = std::move(equations);
  else
    equations_.reset();
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
}

}  // namespace tarnvel
