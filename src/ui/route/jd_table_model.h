// The JD table (交点表) of the 曲线表 page as the user types, pastes and
// edits it: one row per point, BP first and EP last, the seven fields of
// the JD file as typed, and the route the table makes now, or why not.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "jd_table.h"
#include "route_from_jd.h"

namespace tarnvel {

class JdTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The columns are kJdFieldNames': 交点号, X, Y, R, Ls1, Ls2, 交点桩号.
  using RowTexts = std::array<QString, kJdFieldNames.size()>;

  explicit JdTableModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  bool insertRows(int row, int count, const QModelIndex& parent = {}) override;
  bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

  // Replaces every row with the points, each number in the general decimal
  // form, a 交点桩号 not given left blank. BP is at `startStation` when it is
  // given, else at BP's 交点桩号, else at 0 (JdStartStation), for every
  // table made from here on.
  void setPoints(const std::vector<JdPoint>& points, std::optional<double> startStation);

  // Cells from `text` as a spreadsheet copies them, one row a line and
  // cells apart by tabs (by commas in a line without a tab), from (row,
  // column) on; rows are added at the end as the text needs them, and cells
  // beyond the last column left out. One change, made once.
  void paste(int row, int column, const QString& text);

  // The route the rows make, the points they hold and BP's station; or
  // nothing while a cell is not a number or RouteFromJd refuses the table:
  // then problem() says why, naming the row (and the field).
  const std::optional<JdRoute>& route() const { return route_; }
  const std::vector<JdPoint>& points() const { return points_; }
  double startStation() const { return start_; }
  const QString& problem() const { return problem_; }
  // The message of a cell that is marked, or an empty string.
  QString cellProblem(int row, int column) const;

 signals:
  // The rows were edited: the route, or the problem, changed with them.
  void edited();

 private:
  void recompute();
  void changed();

  std::vector<RowTexts> rows_;
  std::optional<double> givenStart_;
  std::optional<JdRoute> route_;
  std::vector<JdPoint> points_;
  double start_ = 0;
  QString problem_;
  int problemRow_ = -1;
  int problemColumn_ = -1;
};

}  // namespace tarnvel
