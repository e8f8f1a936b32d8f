#include "ui/route/earthworks/volume_model.h"

#include <QStringList>

#include "io/earthworks/volume_csv.h"

namespace tarnvel {

namespace {

const QStringList& Columns() {
  static const QStringList columns =
      QString::fromUtf8(kVolumeCsvHeader.data(), static_cast<qsizetype>(kVolumeCsvHeader.size()))
          .split(u',');
  return columns;
}

}  // namespace

void VolumeModel::setRows(VolumeTableRows rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

void VolumeModel::setStationPrefix(const QString& prefix) {
  stationPrefix_ = prefix.toStdString();
  if (!rows_.rows.empty())
    emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DisplayRole});
}

std::string VolumeModel::csvText() const {
  std::string text = VolumeCsvHeader();
  for (const VolumeTableRow& row : rows_.rows)
    AppendVolumeCsvRow(text, row.station, stationPrefix_, row.row);
  AppendVolumeCsvTotals(text, rows_.table);
  return text;
}

int VolumeModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || rows_.rows.empty()) return 0;
  return static_cast<int>(rows_.rows.size()) + 1;
}

int VolumeModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(Columns().size());
}

QVariant VolumeModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  if (role == Qt::TextAlignmentRole)
    return index.column() == Columns().size() - 1 ? QVariant()
                                                  : QVariant(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  const VolumeCells cells =
      row < rows_.rows.size()
          ? VolumeRowCells(rows_.rows[row].station, stationPrefix_, rows_.rows[row].row)
          : VolumeTotalCells(rows_.table);
  return QString::fromStdString(cells[static_cast<std::size_t>(index.column())]);
}

QVariant VolumeModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  // The stations are numbered; 合计 is not one.
  if (orientation == Qt::Vertical)
    return static_cast<std::size_t>(section) < rows_.rows.size() ? QVariant(section + 1)
                                                                 : QVariant();
  return Columns().value(section);
}

}  // namespace tarnvel
