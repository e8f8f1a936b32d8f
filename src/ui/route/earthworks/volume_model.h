// The volumes table (路基土石方数量计算表) as the 土方 tab shows it: a row a
// station in the columns of `tarnvel-route earthworks`, then 合计, each
// cell written by the command's own formatting when the view asks for it.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <string>
#include <vector>

#include "core/earthworks/volume_table.h"

namespace tarnvel {

// A station's row as the table gave it.
struct VolumeTableRow {
  double station = 0;
  VolumeRow row;
};

// What a computation made: the rows and the table with their totals.
struct VolumeTableRows {
  std::vector<VolumeTableRow> rows;
  VolumeTable table{false};
};

class VolumeModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  void setRows(VolumeTableRows rows);
  const VolumeTableRows& rows() const { return rows_; }
  // The letters before the kilometres of the stations shown (K by default).
  void setStationPrefix(const QString& prefix);
  const std::string& stationPrefix() const { return stationPrefix_; }
  // The table as `tarnvel-route earthworks` writes it, UTF-8 with CR LF.
  std::string csvText() const;

  // The stations' rows, then 合计 when there are any.
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  VolumeTableRows rows_;
  std::string stationPrefix_ = "K";
};

}  // namespace tarnvel
