// The element table of the route window: one row per element, its eight
// fields and its name as the user typed them, and beside each row the joint
// to the next element as the route's joint check finds it. A cell keeps and
// edits what was typed, in full; it shows its value rounded, a station as K
// text.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "core/route/route.h"
#include "core/route/route_joints.h"
#include "ui/common/text_grid_model.h"

namespace tarnvel {

// A joint's status as the windows show it (StatusWord).
inline QString StatusText(bool closed) {
  const std::string_view word = StatusWord(closed);
  return QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size()));
}

class RouteElementModel : public TextGridModel {
  Q_OBJECT

 public:
  // Columns 0–7 are the eight fields in the main window's order, then 名称,
  // then the joint to the next row: its key-point label, ΔK, Δ in mm, Δaz in
  // arc-seconds and its status. Only the first nine are editable.
  enum Column {
    kNameColumn = 8,
    kLabelColumn,
    kDkColumn,
    kDistanceColumn,
    kAzimuthColumn,
    kStatusColumn,
    kColumnCount
  };

  explicit RouteElementModel(QObject* parent = nullptr);

  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // Replaces every row with the elements, each number in the general decimal
  // form, and counts the table as saved.
  void setElements(const std::vector<RouteElement>& elements);

  // The 断链 the route declares, which its joints are checked against
  // (CheckJoints); a change counts as unsaved.
  void setEquations(const std::vector<StationEquation>& equations);
  const std::vector<StationEquation>& equations() const { return equations_; }
  // The letters before the kilometres of the stations shown (K by default).
  void setStationPrefix(const QString& prefix);

  void setTolerances(const JointTolerances& tolerances);
  const JointTolerances& tolerances() const { return tolerances_; }

  // The route the rows make, or nothing while a cell is not a number or the
  // elements are refused; then `problem()` says why, naming the row and field.
  const std::optional<Route>& route() const { return route_; }
  const std::vector<Joint>& joints() const { return joints_; }

 private:
  QString cellFault(int row, int column, const QString& text) const override;
  std::optional<Fault> readRows(bool cellsRead) override;
  QVariant jointData(int row, int column, int role) const;

  std::vector<StationEquation> equations_;
  JointTolerances tolerances_;
  std::string stationPrefix_ = "K";
  std::optional<Route> route_;
  std::vector<Joint> joints_;
};

}  // namespace tarnvel
