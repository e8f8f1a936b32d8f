// The 断链 table of the route window: one row per declared 断链, its two
// stations (等号前桩号, 等号后桩号) as typed, in metres or as K text.
#pragma once

#include <optional>
#include <vector>

#include "core/route/station_equation.h"
#include "ui/common/text_grid_model.h"

namespace tarnvel {

class StationEquationModel : public TextGridModel {
  Q_OBJECT

 public:
  explicit StationEquationModel(QObject* parent = nullptr);

  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // Replaces every row with the declarations, each station in the general
  // decimal form, which reads back to the same metres.
  void setEquations(const std::vector<StationEquation>& equations);

  // The declarations the rows make, or nothing while a cell is blank or not
  // a station; then problem() says why, naming the row and the field.
  const std::optional<std::vector<StationEquation>>& equations() const { return equations_; }

 private:
  QString cellFault(int row, int column, const QString& text) const override;
  std::optional<Fault> readRows(bool cellsRead) override;

  std::optional<std::vector<StationEquation>> equations_;
};

}  // namespace tarnvel
