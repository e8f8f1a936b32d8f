// A surveyed point of 批量反算 as its cross section shows it: at its foot's
// station and offset, at its own H, with the 高差 the inverse table gives it
// written beside it, or why it has none.
#pragma once

#include <QString>
#include <optional>

#include "core/profile/vertical_profile.h"
#include "io/route/route_csv.h"

namespace tarnvel {

struct SectionPoint {
  QString name;
  double station = 0;            // the foot's
  double offset = 0;             // the foot's, left negative
  std::optional<double> height;  // its own H
  // 高差 and 挖填 as the table words them, or why there is no 高差.
  QString note;
};

// The point of an inverse row that has a foot. `profile` is the one the
// rows' heights came from, or null when they carry none.
SectionPoint InverseSectionPoint(const InverseCsvRow& row, const VerticalProfile* profile);

}  // namespace tarnvel
