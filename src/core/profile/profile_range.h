// The stations at which a profile's elevations are listed: a range's start,
// every whole multiple of its step strictly between, and its end, with the
// profile's key points when asked for.
#pragma once

#include <functional>
#include <string>

#include "core/profile/vertical_profile.h"

namespace tarnvel {

// A station to list, and what marks it: a PVI's name, "竖曲线起点",
// "竖曲线终点", or nothing for a station of the range alone.
struct ProfileStation {
  double station = 0;
  std::string note;
};

// At most how many stations a range gives, its key points left out: what a
// command judges its size by before the first row. Infinite when its whole
// multiples cannot be walked one by one: a step so small that they
// overflow, or pass 2^53, where a multiple plus one is itself.
double ProfileRangeStationCount(double from, double to, double step);

// Hands each station from `from` up to `to` (from <= to, step > 0, and a
// finite ProfileRangeStationCount) to
// `station` in order; its returning false ends the walk. With key points the
// PVIs and the ends of every curve within the range come too. Stations within
// 1e-6 m of each other are one, the key point's; two key points at one
// station (a curve's end where the next begins) are two stations. A curve's
// end within 1e-6 m of the PVI beside it is at that PVI's station.
void ForEachProfileRangeStation(const VerticalProfile& profile, double from, double to, double step,
                                bool keyPoints,
                                const std::function<bool(ProfileStation&&)>& station);

}  // namespace tarnvel
