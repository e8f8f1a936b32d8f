// The side slope table of the 边坡 page: one row per line of the side slope
// file as the user typed it (桩号, 侧, 填挖, the 边沟's four figures, then
// 坡率, 坡高 and 平台 of each step), and the side slopes the rows make along
// the route. The columns run to one step past the widest row, so that
// there is always a 坡率 to type the next step in.
#pragma once

#include <QStringList>
#include <memory>
#include <vector>

#include "core/route/route.h"
#include "core/slopes/side_slopes.h"
#include "ui/common/text_grid_model.h"

namespace tarnvel {

class SlopeTableModel : public TextGridModel {
  Q_OBJECT

 public:
  explicit SlopeTableModel(QObject* parent = nullptr);

  // Replaces every row with a file's lines, their fields as it gives them.
  void setLines(const std::vector<QStringList>& lines);
  // The route the rows' stations are placed along (RoutePositions); the
  // rows are read again along it.
  void setRoute(std::shared_ptr<const Route> route);

  // The side slopes the rows make, or null while there is no row, a cell
  // does not read, a line or the lines' order is refused (MakeSlopeLine,
  // MakeSideSlopes) or there is no route; then `problem()` says why.
  const std::shared_ptr<const SideSlopes>& slopes() const { return slopes_; }

 private:
  QString cellFault(int row, int column, const QString& text) const override;
  std::optional<Fault> readRows(bool cellsRead) override;
  bool isHeaderRow(const QStringList& cells) const override;
  void makeRoom(int columns) override;
  // The columns the rows need, and one step more: at least `least`.
  void fitColumns(int least = 0);

  std::shared_ptr<const Route> route_;
  std::shared_ptr<const SideSlopes> slopes_;
};

}  // namespace tarnvel
