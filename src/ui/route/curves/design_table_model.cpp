#include "ui/route/curves/design_table_model.h"

namespace tarnvel {

namespace {

// 交点号 and 转角值 are words; every other column is a number or a station.
bool IsWordColumn(int column) {
  return column == 0 || column == 4;
}

}  // namespace

int DesignTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(texts_.size());
}

int DesignTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(kDesignTableColumns.size());
}

QVariant DesignTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::TextAlignmentRole && !IsWordColumn(index.column()))
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  return QString::fromStdString(
      texts_[static_cast<size_t>(index.row())][static_cast<size_t>(index.column())]);
}

QVariant DesignTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= columnCount()) return {};
  const auto name = kDesignTableColumns[static_cast<size_t>(section)];
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

void DesignTableModel::setRows(std::vector<DesignRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  makeTexts();
  endResetModel();
}

void DesignTableModel::setStationPrefix(const QString& prefix) {
  stationPrefix_ = prefix.toStdString();
  makeTexts();
  if (!texts_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void DesignTableModel::makeTexts() {
  texts_.clear();
  texts_.reserve(rows_.size());
  for (const DesignRow& row : rows_) texts_.push_back(DesignRowTexts(row, stationPrefix_));
}

std::string DesignTableModel::csvText() const {
  std::string text = DesignTableHeaderLine(',');
  for (const DesignRow& row : rows_) text += DesignTableLine(row, ',', stationPrefix_);
  return text;
}

}  // namespace tarnvel
