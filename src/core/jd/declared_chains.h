// A JD table lays its route's stations on from BP without a jump; a design
// that declares 断链 counts them afresh at each. The route made from the
// table takes those jumps at the declared stations, as a route file's own
// stations would.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "core/route/route.h"
#include "core/route/station_equation.h"

namespace tarnvel {

// Lays declarations onto a JD route's elements as they are handed over in
// route order, holding none of them: a route of a million JDs is laid as
// it is made.
class DeclaredChains {
 public:
  // Laid in order of their 等号前桩号, each where the stations declared so
  // far reach it.
  explicit DeclaredChains(std::vector<StationEquation> equations);

  // Hands the element to `emit` at the declared stations: split where a
  // declared 等号前桩号 falls within it (its rest starts at the 等号后桩号,
  // with the point, tangent and radius of the split), the stations after
  // shifted by every 断链 met. A 等号前桩号 within half a millimetre of a
  // joint is at that joint, as stations declared to the millimetre are. A
  // declaration outside the route is never laid, and `check` says so.
  // False once `emit` returns false.
  bool Lay(RouteElement element, const std::function<bool(RouteElement&&)>& emit);

  // The declared station of a point at `laid` (its station laid from BP
  // without a jump), for points asked in route order, as Lay would lay an
  // element there: every 断链 the stations reach by then is passed. A point
  // within half a millimetre of a 等号前桩号 is at it and has its 等号后桩号,
  // as an element starting there does; but the route's `end`, where nothing
  // starts, keeps its 等号前桩号, as Lay's last element ends with it.
  double Station(double laid, bool end = false);

 private:
  // Where the stations laid from BP reach the next declaration, skipping
  // those before the route's start or behind the last one met; none once
  // every one is met.
  std::optional<double> NextAt();
  // Passes the next declaration, met at `at`: the stations after it count
  // on from its 等号后桩号.
  void Pass(double at);

  std::vector<StationEquation> equations_;
  size_t next_ = 0;
  double shift_ = 0;               // the declared station less the station laid from BP
  std::optional<double> reached_;  // where the last declaration was met, or the route's start
};

// The route's elements with the declarations laid (DeclaredChains).
std::vector<RouteElement> WithDeclaredChains(const std::vector<RouteElement>& elements,
                                             const std::vector<StationEquation>& equations);

}  // namespace tarnvel
