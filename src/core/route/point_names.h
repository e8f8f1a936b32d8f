// The names a stakeout gives its points, as a crew reads them off the
// instrument: the station and the side ("K0+520R10.00"), never two rows
// alike. Names stay ASCII, since instruments take nothing else.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/route/name_set.h"
#include "core/route/route.h"
#include "core/route/route_forward.h"

namespace tarnvel {

// The station as a point name: its K text to the millimetre without the
// trailing zeros ("K0+520", "K0+499.027", "K1+000" for 999.9995), or a
// negative station in metres, likewise ("-20.5").
std::string StationPointName(double station, std::string_view prefix);

// The side of an offset as a name ends with it: "L10.00" left (negative),
// "R10.00" right, to the centimetre; nothing on the centre line.
std::string SideText(double offset);

// Names made unique: a name is given as it is the first time, and as
// "name_2", "name_3" … (the first not given yet) after that. A stations
// file's names are all held, so they are held compactly.
class UniquePointNames {
 public:
  std::string Take(std::string name);
  // The name may be given again: no row still to come can share it.
  void Forget(const std::string& name) { taken_.Erase(name); }

 private:
  NameSet taken_;
};

// The names of a range's rows, given in table order: station and side. Two
// rows can share a station's text only when their stations lie within a
// millimetre, so only the names of the rows near the last one are held,
// and those of the stretches that the route holds twice (a 长链), whose
// stations come round again on the second branch. A table of millions of
// rows is named without holding its names.
class RangePointNames {
 public:
  RangePointNames(const Route& route, std::string prefix);
  // For stations that never run back, as a profile's or the cross sections'
  // range gives them: no stretch comes round twice.
  explicit RangePointNames(std::string prefix) : prefix_(std::move(prefix)) {}
  std::string Name(const RoutePoint& point) { return Name(point.station, point.offset); }
  std::string Name(double station, double offset = 0);

 private:
  bool Repeated(double station) const;

  std::string prefix_;
  // The stretches held twice, widened by the reach of a name's text, apart
  // and ascending.
  std::vector<std::pair<double, double>> repeated_;
  std::vector<std::pair<double, std::string>> recent_;
  UniquePointNames names_;
};

}  // namespace tarnvel
