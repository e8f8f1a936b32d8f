// The joint check as it stood before the declared 断链 were searched by
// station: every joint was matched against every declaration, and every
// unmatched declaration looked through every joint for its nearest. Kept
// so that a benchmark times both in one run and a test holds today's
// joints to these. Not used by the program.
#pragma once

#include <vector>

#include "core/route/route_joints.h"

namespace tarnvel::previous {

std::vector<Joint> CheckJoints(const Route& route, const JointTolerances& tolerances = {});

}  // namespace tarnvel::previous
