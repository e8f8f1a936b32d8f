#include <algorithm>

#include "command_outcome.h"
#include "end_check_report.h"
#include "joint_report.h"

namespace tarnvel {

CommandOutcome RunCheck(const RouteCommandLine& line) {
  FileOutcome<RouteSource> source = LoadRouteSource(line.route, line.source);
  if (const auto* refusal = std::get_if<FileRefusal>(&source))
    return ArgumentRefusal{refusal->message};
  const RouteSource& loaded = std::get<RouteSource>(source);
  const std::vector<Joint> joints = CheckJoints(loaded.route, line.tolerances);
  // A LandXML file's own End points are checked as the joints are: a
  // disagreement beyond the tolerances is 超限 too.
  // A declared 断链 needs a joint to jump at: a route of one element has none.
  const bool closed =
      std::all_of(joints.begin(), joints.end(), [](const Joint& j) { return j.closed; }) &&
      (!joints.empty() || loaded.route.equations.empty()) &&
      std::all_of(loaded.endChecks.begin(), loaded.endChecks.end(),
                  [&](const LandXmlEndCheck& c) { return EndCheckClosed(c, line.tolerances); });
  return CommandResult{JointReportText(loaded.route, joints, line.tolerances) +
                           EndCheckReportText(loaded.endChecks, line.tolerances),
                       closed ? kExitSuccess : kExitOutOfTolerance};
}

}  // namespace tarnvel
