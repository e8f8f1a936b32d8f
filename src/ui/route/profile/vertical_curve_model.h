// The 竖曲线表 of the 纵断面 page: one row per inner PVI, read only, the
// cells as the command prints them.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <string>
#include <vector>

#include "core/profile/vertical_curve_table_text.h"

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

  // The rows of the profile, or none for nothing. The model keeps the
  // pointer; the caller keeps the profile alive while it is shown.
  void setProfile(const VerticalProfile* profile);
  // The prefix of the stations' K text; the rows shown follow it at once.
  void setStationPrefix(const QString& prefix);

 private:
  void makeTexts();

  const VerticalProfile* profile_ = nullptr;
  std::string stationPrefix_ = "K";
  std::vector<std::array<std::string, kVerticalCurveColumns.size()>> rows_;
};

}  // namespace tarnvel
