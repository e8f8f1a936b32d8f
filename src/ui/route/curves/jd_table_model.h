// The JD table (交点表) of the 曲线表 page as the user types, pastes and
// edits it: one row per point, BP first and EP last, the seven fields of
// the JD file as typed, and the route the table makes now, or why not.
#pragma once

#include <optional>
#include <vector>

#include "core/jd/jd_table.h"
#include "core/jd/route_from_jd.h"
#include "ui/common/text_grid_model.h"

namespace tarnvel {

// The columns are kJdFieldNames': 交点号, X, Y, R, Ls1, Ls2, 交点桩号.
class JdTableModel : public TextGridModel {
  Q_OBJECT

 public:
  explicit JdTableModel(QObject* parent = nullptr);

  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // Replaces every row with the points, each number in the general decimal
  // form, a 交点桩号 not given left blank. BP is at `startStation` when it is
  // given, else at BP's 交点桩号, else at 0 (JdStartStation), for every
  // table made from here on.
  void setPoints(const std::vector<JdPoint>& points, std::optional<double> startStation);

  // The route the rows make, the points they hold and BP's station; or
  // nothing while a cell is not a number or RouteFromJd refuses the table:
  // then problem() says why, naming the row (and the field).
  const std::optional<JdRoute>& route() const { return route_; }
  const std::vector<JdPoint>& points() const { return points_; }
  double startStation() const { return start_; }

 private:
  QString cellFault(int row, int column, const QString& text) const override;
  std::optional<Fault> readRows(bool cellsRead) override;

  std::optional<double> givenStart_;
  std::optional<JdRoute> route_;
  std::vector<JdPoint> points_;
  double start_ = 0;
};

}  // namespace tarnvel
