// The cross-section table of the 横断面 page: one row per listed station as
// the user typed it, in the columns of the file's header (桩号, each part's
// 宽 and 坡 on each side, 设计线偏距), and the table the rows make.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "cross_section.h"

namespace tarnvel {

class SectionTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // Empty, in the columns of a two-lane road with 土路肩 on each side, until
  // a file gives its own.
  explicit SectionTableModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  bool insertRows(int row, int count, const QModelIndex& parent = {}) override;
  bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

  // Cells copied from a spreadsheet (PastedCells) put in from `row` and
  // `column` on, rows added as they are needed; cells past the last column
  // are dropped.
  void paste(int row, int column, const QString& text);

  // Replaces the columns with the table's parts and every row with its
  // listed stations, stations as K text.
  void setTable(const CrossSectionTable& table);
  // The prefix of the K text the model writes. A station cell in the old
  // prefix's K text follows it (ReprefixedStationText); the table stays.
  void setStationPrefix(const QString& prefix);

  // The table the rows make, or nothing while there is no row, a cell does
  // not read or the rows do not hold together; then `problem()` says why,
  // naming the row and the column.
  const std::optional<CrossSectionTable>& table() const { return table_; }
  const QString& problem() const { return problem_; }

 signals:
  void tableChanged();

 private:
  void recompute();

  CrossSectionTable parts_;  // the columns: the parts' names, no stations
  QStringList columns_;
  std::vector<QStringList> rows_;
  std::optional<CrossSectionTable> table_;
  QString problem_;
  int problemRow_ = -1;
  std::string stationPrefix_ = "K";
};

}  // namespace tarnvel
