// The cross-section table of the 横断面 page: one row per listed station as
// the user typed it, in the columns of the file's header (桩号, each part's
// 宽 and 坡 on each side, 设计线偏距), and the table the rows make.
#pragma once

#include <optional>
#include <string>

#include "core/section/cross_section.h"
#include "ui/common/text_grid_model.h"

namespace tarnvel {

class SectionTableModel : public TextGridModel {
  Q_OBJECT

 public:
  // Empty, in the columns of a two-lane road with 土路肩 on each side, until
  // a file gives its own.
  explicit SectionTableModel(QObject* parent = nullptr);

  // Replaces the columns with the table's parts and every row with its
  // listed stations, stations as K text.
  void setTable(const CrossSectionTable& table);
  // The prefix of the K text the model writes. A station cell in the old
  // prefix's K text follows it (ReprefixedStationText); the table stays.
  void setStationPrefix(const QString& prefix);

  // The table the rows make, or nothing while there is no row, a cell does
  // not read or the rows do not hold together (MakeCrossSectionTable); then
  // `problem()` says why, naming the row and the column.
  const std::optional<CrossSectionTable>& table() const { return table_; }

 private:
  QString cellFault(int row, int column, const QString& text) const override;
  std::optional<Fault> readRows(bool cellsRead) override;

  CrossSectionTable parts_;  // the columns: the parts' names, no stations
  std::optional<CrossSectionTable> table_;
  std::string stationPrefix_ = "K";
};

}  // namespace tarnvel
