// The 断链 table of the route window: one row per declared 断链, its two
// stations (等号前桩号, 等号后桩号) as typed, in metres or as K text.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "station_equation.h"

namespace tarnvel {

class StationEquationModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using RowTexts = std::array<QString, 2>;

  explicit StationEquationModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  bool insertRows(int row, int count, const QModelIndex& parent = {}) override;
  bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

  // Replaces every row with the declarations, each station in the general
  // decimal form, which reads back to the same metres.
  void setEquations(const std::vector<StationEquation>& equations);

  // The declarations the rows make, or nothing while a cell is blank or not
  // a station; then problem() says why, naming the row and the field.
  const std::optional<std::vector<StationEquation>>& equations() const { return equations_; }
  const QString& problem() const { return problem_; }
  QString cellProblem(int row, int column) const;

 signals:
  // The rows were edited: the declarations, or the problem, changed.
  void edited();

 private:
  void recompute();
  void changed();

  std::vector<RowTexts> rows_;
  std::optional<std::vector<StationEquation>> equations_;
  QString problem_;
};

}  // namespace tarnvel
