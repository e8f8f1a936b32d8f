// The 变坡点 table of the 纵断面 page: one row per PVI as the user typed it
// (变坡点号, 桩号, 高程, 竖曲线半径R), and the profile the rows make.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "vertical_profile.h"

namespace tarnvel {

class ProfilePviModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kNameColumn, kStationColumn, kElevationColumn, kRadiusColumn, kColumnCount };
  using RowTexts = std::array<QString, kColumnCount>;

  explicit ProfilePviModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  bool insertRows(int row, int count, const QModelIndex& parent = {}) override;
  bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

  // Cells copied from a spreadsheet (PastedCells) put in from `row` and
  // `column` on, rows added as they are needed. A first row in which no
  // cell reads as a number or a station is the copy's header and is left
  // out, as the file reader leaves it out.
  void paste(int row, int column, const QString& text);

  // Replaces every row with the profile's PVIs, stations as K text where
  // that reads back exactly, and each curve's kind kept: a circle from
  // LandXML stays a circle (its R cell says so in its tooltip).
  void setProfile(const VerticalProfile& profile);
  // The prefix of the K text the model writes. A station cell in the old
  // prefix's K text follows it (ReprefixedStationText); the profile stays.
  void setStationPrefix(const QString& prefix);

  // The profile the rows make, or nothing while a cell does not read or the
  // PVIs do not hold together; then `problem()` says why, naming the row.
  const std::optional<VerticalProfile>& profile() const { return profile_; }
  const QString& problem() const { return problem_; }
  // The PVIs as numbers, for saving; only while profile() is there.
  std::vector<Pvi> pvis() const;

 signals:
  void profileChanged();

 private:
  void recompute();

  std::vector<RowTexts> rows_;
  std::vector<VerticalCurveKind> kinds_;  // one a row; a typed row's is a parabola
  std::optional<VerticalProfile> profile_;
  QString problem_;
  int problemRow_ = -1;
  std::string stationPrefix_ = "K";
};

}  // namespace tarnvel
