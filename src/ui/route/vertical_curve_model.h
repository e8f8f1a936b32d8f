// The 竖曲线表 of the 纵断面 page: one row per inner PVI, read only, the
// cells as the command prints them.
#pragma once

#include <QAbstractTableModel>
#include <array>
#include <string>
#include <vector>

#include "vertical_curve_table_text.h"

namespace tarnvel {

class VerticalCurveModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // The rows of the profile, or none for nothing.
  void setProfile(const VerticalProfile* profile);

 private:
  std::vector<std::array<std::string, kVerticalCurveColumns.size()>> rows_;
};

}  // namespace tarnvel
