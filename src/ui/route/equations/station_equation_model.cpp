#include "ui/route/equations/station_equation_model.h"

#include "core/text/number_reading.h"
#include "core/text/number_text.h"
#include "core/text/station_text.h"
#include "io/route/station_equation_line.h"

namespace tarnvel {

StationEquationModel::StationEquationModel(QObject* parent)
    : TextGridModel({kStationEquationBack, kStationEquationAhead}, parent) {
  read();
}

QVariant StationEquationModel::data(const QModelIndex& index, int role) const {
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  return TextGridModel::data(index, role);
}

// Both stations must be given.
QString StationEquationModel::cellFault(int row, int column, const QString& text) const {
  const std::string utf8 = text.toStdString();
  if (IsBlank(utf8))
    return QStringLiteral("请输入第%1个断链的“%2”！").arg(row + 1).arg(columnName(column));
  if (!ReadStationText(utf8))
    return QStringLiteral("第%1个断链的“%2”不是有效的桩号！").arg(row + 1).arg(columnName(column));
  return {};
}

void StationEquationModel::setEquations(const std::vector<StationEquation>& equations) {
  std::vector<QStringList> rows;
  for (const StationEquation& e : equations)
    rows.push_back({QString::fromStdString(GeneralText(e.back)),
                    QString::fromStdString(GeneralText(e.ahead))});
  setRows(std::move(rows));
}

std::optional<StationEquationModel::Fault> StationEquationModel::readRows(bool cellsRead) {
  equations_.reset();
  if (!cellsRead) return std::nullopt;
  equations_.emplace();
  for (const QStringList& row : rows())
    equations_->push_back(
        {*ReadStationText(row[0].toStdString()), *ReadStationText(row[1].toStdString())});
  return std::nullopt;
}

}  // namespace tarnvel
