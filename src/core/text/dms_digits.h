// d.mmss to decimal degrees by integer arithmetic on the typed digits, for
// conversions made per station, where writing and reading text would cost
// a quarter of the whole point.
#pragma once

namespace tarnvel {

// DmsToDegrees(v), the same double bit for bit. A value whose shortest
// decimal text has at most as many decimals as its precision gives exactly
// (every angle a user types) is split from those digits as whole numbers;
// any other value, a huge or a not finite one, goes through DmsToDegrees.
double DmsDigitsToDegrees(double v);

}  // namespace tarnvel
