// The joint report of `check` as a text table a terminal shows aligned.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/route_command/text_table.h"
#include "core/route/route_joints.h"

namespace tarnvel {

// A line naming the route and the tolerances, a header row, one row per joint
// (joint, elements, ΔK m to 3 decimals, ΔX, ΔY and Δ mm to 1 decimal, Δaz ″ to
// 2 decimals, the radii either side with ∞ for 0, the key-point label, 闭合 or
// 超限, and a note of a 短链, a 长链, a jump in curvature, and how a jump
// stands against the declared 断链), then a summary. A route that declares no
// 断链 gets a list of its station jumps after the summary, ending with a line
// that asks for them to be compared with the design's 断链表. Every line ends
// in CR LF.
std::string JointReportText(const Route& route, const std::vector<Joint>& joints,
                            const JointTolerances& tolerances);

// The same report in its three parts: the first line, the table's rows
// (the header first), and the lines after the table, each ended in CR LF.
struct JointReport {
  std::string head;
  std::vector<TextRow> rows;
  std::string tail;
};
JointReport JointReportParts(const Route& route, const std::vector<Joint>& joints,
                             const JointTolerances& tolerances);

}  // namespace tarnvel
