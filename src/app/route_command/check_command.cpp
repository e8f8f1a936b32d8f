#include <algorithm>

#include "command_outcome.h"
#include "joint_report.h"

namespace tarnvel {

CommandOutcome RunCheck(const RouteCommandLine& line) {
  FileOutcome<Route> route = LoadRoute(line.route, line.source);
  if (const auto* refusal = std::get_if<FileRefusal>(&route)) return ArgumentRefusal{refusal->message};
  const Route& loaded = std::get<Route>(route);
  const std::vector<Joint> joints = CheckJoints(loaded, line.tolerances);
  const bool closed = std::all_of(joints.begin(), joints.end(), [](const Joint& j) { return j.closed; });
  return CommandResult{JointReportText(loaded, joints, line.tolerances),
                       closed ? kExitSuccess : kExitOutOfTolerance};
}

}  // namespace tarnvel
