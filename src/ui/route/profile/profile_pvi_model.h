// The 变坡点 table of the 纵断面 page: one row per PVI as the user typed it
// (变坡点号, 桩号, 高程, 竖曲线半径R), and the profile the rows make.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/profile/vertical_profile.h"
#include "ui/common/text_grid_model.h"

namespace tarnvel {

class ProfilePviModel : public TextGridModel {
  Q_OBJECT

 public:
  enum Column { kNameColumn, kStationColumn, kElevationColumn, kRadiusColumn };

  explicit ProfilePviModel(QObject* parent = nullptr);

  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

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

 private:
  QString cellFault(int row, int column, const QString& text) const override;
  std::optional<Fault> readRows(bool cellsRead) override;
  // A first pasted row in which no cell reads as a number or a station is
  // the copy's header, as the file reader leaves it out.
  bool isHeaderRow(const QStringList& cells) const override;

  std::vector<VerticalCurveKind> kinds_;  // one a row; a typed row's is a parabola
  std::optional<VerticalProfile> profile_;
  std::string stationPrefix_ = "K";
};

}  // namespace tarnvel
