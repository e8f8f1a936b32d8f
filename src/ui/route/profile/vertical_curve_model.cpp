#include "ui/route/profile/vertical_curve_model.h"

namespace tarnvel {

int VerticalCurveModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int VerticalCurveModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(kVerticalCurveColumns.size());
}

QVariant VerticalCurveModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::TextAlignmentRole && index.column() > 0)
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  return QString::fromStdString(
      rows_[static_cast<size_t>(index.row())][static_cast<size_t>(index.column())]);
}

QVariant VerticalCurveModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  const auto name = kVerticalCurveColumns[static_cast<size_t>(section)];
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

void VerticalCurveModel::setProfile(const VerticalProfile* profile) {
  beginResetModel();
  profile_ = profile;
  makeTexts();
  endResetModel();
}

void VerticalCurveModel::setStationPrefix(const QString& prefix) {
  stationPrefix_ = prefix.toStdString();
  makeTexts();
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void VerticalCurveModel::makeTexts() {
  rows_.clear();
  if (profile_)
    for (const VerticalCurveRow& row : VerticalCurveRows(*profile_))
      rows_.push_back(VerticalCurveRowTexts(row, stationPrefix_));
}

}  // namespace tarnvel
