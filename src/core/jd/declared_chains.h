// A JD table lays its route's stations on from BP without a jump; a design
// that declares 断链 counts them afresh at each. The route made from the
// table takes those jumps at the declared stations, as a route file's own
// stations would.
#pragma once

#include <functional>
#include <vector>

#include "route.h"
#include "station_equation.h"

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

 private:
  std::vector<StationEquation> equations_;
  size_t next_ = 0;
  double shift_ = 0;  // the declared station less the station laid from BP
};

// The route's elements with the declarations laid (DeclaredChains).
std::vector<RouteElement> WithDeclaredChains(const std::vector<RouteElement>& elements,
                                             const std::vector<StationEquation>& equations);

}  // namespace tarnvel
