// The names of a range's rows as they were given before a row's stretch of
// a 长链 was found by a search: each row looked through every stretch the
// route holds twice. Kept so that a benchmark times both in one run and a
// test holds today's names to these. Not used by the program.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/route/point_names.h"

namespace tarnvel::previous {

class RangePointNames {
 public:
  RangePointNames(const Route& route, std::string prefix);
  std::string Name(const RoutePoint& point);

 private:
  bool Repeated(double station) const;

  std::string prefix_;
  std::vector<std::pair<double, double>> repeated_;  // station stretches, ascending
  std::vector<std::pair<double, std::string>> recent_;
  UniquePointNames names_;
};

}  // namespace tarnvel::previous
