// The results tables of the route window, as models over the computed rows:
// a cell's text is written only when the view asks for it, so a million rows
// cost their numbers and nothing more. The rows are those the CSV is written
// from, so what is saved is what is shown. A station shows as K text.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "core/jd/route_from_jd.h"
#include "core/profile/vertical_profile.h"
#include "io/route/route_csv.h"

namespace tarnvel {

// The rows of a stakeout, in the columns of `tarnvel-route forward`; with
// the profile they were computed with, 设计高程 last, as `forward --profile`
// has it.
class StakeoutModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Gives back the rows it held, for the caller to free where it will.
  std::vector<StakeRow> setRows(std::vector<StakeRow> rows,
                                std::shared_ptr<const VerticalProfile> profile = nullptr);
  const std::vector<StakeRow>& rows() const { return rows_; }
  // The letters before the kilometres of the stations shown (K by default).
  void setStationPrefix(const QString& prefix);
  const std::string& stationPrefix() const { return stationPrefix_; }
  // The profile the rows' heights come from; nothing without heights.
  const VerticalProfile* profile() const { return profile_.get(); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  std::vector<StakeRow> rows_;
  std::string stationPrefix_ = "K";
  std::shared_ptr<const VerticalProfile> profile_;
};

// The feet of a point list, in the columns of `tarnvel-route inverse`; with
// the profile they were computed with, 设计高程, 高差 and 挖填 last, as
// `inverse --profile` has them, with cross sections 说明 after them, as
// `inverse --sections` has it, and with the side slopes 距坡脚坡口 before
// 说明, as `inverse --slopes` has it.
class InverseModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Gives back the rows it held, for the caller to free where it will.
  std::vector<InverseCsvRow> setRows(std::vector<InverseCsvRow> rows,
                                     std::shared_ptr<const VerticalProfile> profile = nullptr,
                                     bool notes = false, bool toCatchPoint = false);
  const std::vector<InverseCsvRow>& rows() const { return rows_; }
  // The letters before the kilometres of the stations shown (K by default).
  void setStationPrefix(const QString& prefix);
  const std::string& stationPrefix() const { return stationPrefix_; }
  const VerticalProfile* profile() const { return profile_.get(); }
  // Whether the rows carry 说明 (they were computed with cross sections).
  bool notes() const { return notes_; }
  // Whether the rows carry 距坡脚坡口 (they were computed with side slopes).
  bool toCatchPoint() const { return toCatchPoint_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  QStringList columns() const;

  std::vector<InverseCsvRow> rows_;
  std::string stationPrefix_ = "K";
  std::shared_ptr<const VerticalProfile> profile_;
  bool notes_ = false;
  bool toCatchPoint_ = false;
};

}  // namespace tarnvel
