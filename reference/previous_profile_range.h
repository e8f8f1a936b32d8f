// The stations of a profile's range as they were walked before they were
// made one at a time: every station of the range held first. Kept so that
// bench/range_table_memory.sh measures both in one run and a test holds
// today's stations to these. Not used by the program.
#pragma once

#include <functional>

#include "core/profile/profile_range.h"

namespace tarnvel::previous {

void ForEachProfileRangeStation(const VerticalProfile& profile, double from, double to, double step,
                                bool keyPoints,
                                const std::function<bool(ProfileStation&&)>& station);

}  // namespace tarnvel::previous
