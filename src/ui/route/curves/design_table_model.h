// The 直线、曲线及转角表 of the 曲线表 page: one row per point of the JD
// table, BP and EP too, read only, its cells those from-jd prints and saves.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <string>
#include <vector>

#include "core/jd/design_table.h"
#include "core/jd/design_table_text.h"

namespace tarnvel {

class DesignTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // The rows of a table, or none for a route not made from one.
  void setRows(std::vector<DesignRow> rows);
  const std::vector<DesignRow>& rows() const { return rows_; }
  // The prefix of the stations' K text, in the cells and the CSV; the rows
  // shown follow it at once.
  void setStationPrefix(const QString& prefix);
  const std::string& stationPrefix() const { return stationPrefix_; }

  // The whole table as from-jd's --table writes it, stations in the prefix
  // in force: the header line and one line per row, cells apart by commas,
  // each line ended by CR LF.
  std::string csvText() const;

 private:
  void makeTexts();

  std::vector<DesignRow> rows_;
  std::string stationPrefix_ = "K";
  // The cells, written once: a view asks for them at every paint.
  std::vector<std::array<std::string, kDesignTableColumns.size()>> texts_;
};

}  // namespace tarnvel
