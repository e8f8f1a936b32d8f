// A 断链 that a design declares: where the stations stop counting on and
// start afresh, as design tables write it, "K1+680.000=K1+700.000".
#pragma once

namespace tarnvel {

// The station before the equals sign (等号前桩号) and the one after it
// (等号后桩号), in metres. After minus before is the jump a joint's ΔK shows:
// above 0 a 短链, below 0 a 长链.
struct StationEquation {
  double back = 0;
  double ahead = 0;

  bool operator==(const StationEquation&) const = default;
};

}  // namespace tarnvel
