#include "app/route_command/joint_report.h"

#include <algorithm>
#include <cmath>

#include "app/route_command/text_table.h"
#include "core/route/joint_notes.h"
#include "core/text/number_text.h"

namespace tarnvel {

namespace {

constexpr int kStationDecimals = 3;
constexpr int kMillimetreDecimals = 1;
constexpr int kSecondDecimals = 2;
constexpr std::string_view kRowEnd = "\r\n";

std::string RadiusText(double typed) {
  return typed == 0 ? "∞" : GeneralText(typed);
}

// The jump's size with what it is: "短链20.000m", "长链0.500m".
std::string ChainText(double dK) {
  return (dK > 0 ? "短链" : "长链") + FixedText(std::fabs(dK), kStationDecimals) + "m";
}

// Without declared 断链 every jump is taken as one; they are listed for the
// user to hold against the design's 断链表, which the file does not give.
std::string UndeclaredJumpsText(const Route& route, const std::vector<Joint>& joints) {
  std::string text;
  int count = 0;
  for (const Joint& joint : joints) {
    if (!joint.jump) continue;
    ++count;
    const StationEquation at{route.elements[static_cast<size_t>(joint.left - 1)].values.K1,
                             route.elements[static_cast<size_t>(joint.left)].values.K0};
    text += "接头" + std::to_string(joint.left) + "：" + StationEquationText(at) + "，" +
            ChainText(joint.dK) + std::string(kRowEnd);
  }
  if (count == 0) return "";
  return "桩号跳变" + std::to_string(count) + "处，文件没有声明断链：" + std::string(kRowEnd) +
         text + "请将以上桩号跳变与设计的断链表核对。" + std::string(kRowEnd);
}

std::string Note(const Joint& joint) {
  std::vector<std::string> notes;
  if (joint.dK > 0) notes.push_back("短链" + FixedText(joint.dK, kStationDecimals) + "m");
  if (joint.dK < 0) notes.push_back("长链" + FixedText(-joint.dK, kStationDecimals) + "m");
  if (joint.curvatureJump) notes.push_back("曲率突变");
  for (std::string& note : JointEquationNotes(joint)) notes.push_back(std::move(note));
  std::string note;
  for (const std::string& n : notes) note += (note.empty() ? "" : "；") + n;
  return note;
}

}  // namespace

JointReport JointReportParts(const Route& route, const std::vector<Joint>& joints,
                             const JointTolerances& tolerances) {
  JointReport report;
  report.rows = {{"接头", "线元", "ΔK(m)", "ΔX(mm)", "ΔY(mm)", "Δ(mm)", "Δaz(″)", "左半径",
                  "右半径", "主点", "状态", "说明"}};
  for (const Joint& joint : joints) {
    const RouteElement& left = route.elements[static_cast<size_t>(joint.left - 1)];
    const RouteElement& right = route.elements[static_cast<size_t>(joint.left)];
    report.rows.push_back(
        {std::to_string(joint.left),
         std::to_string(joint.left) + "-" + std::to_string(joint.left + 1),
         FixedText(joint.dK, kStationDecimals), FixedText(joint.dX_mm, kMillimetreDecimals),
         FixedText(joint.dY_mm, kMillimetreDecimals), FixedText(joint.d_mm, kMillimetreDecimals),
         FixedText(joint.daz_sec, kSecondDecimals), RadiusText(left.values.RN),
         RadiusText(right.values.RQ), joint.label, std::string(StatusWord(joint.closed)),
         Note(joint)});
  }

  const size_t open = static_cast<size_t>(
      std::count_if(joints.begin(), joints.end(), [](const Joint& j) { return !j.closed; }));
  report.head = "线元" + std::to_string(route.elements.size()) + "个，接头" +
                std::to_string(joints.size()) + "个；限差：位置" +
                GeneralText(tolerances.position_mm) + "mm，方位角" +
                GeneralText(tolerances.azimuth_sec) + "″";
  report.head += kRowEnd;
  std::string& out = report.tail;
  if (joints.empty()) {
    out += "只有一个线元，没有接头。";
  } else if (open == 0) {
    out += "全部接头闭合。";
  } else {
    out += std::to_string(open) + "个接头超限！";
  }
  out += kRowEnd;
  if (joints.empty())
    for (const StationEquation& equation : route.equations)
      out += "声明的断链" + StationEquationText(equation) + "没有对应的桩号跳变！" +
             std::string(kRowEnd);
  if (route.equations.empty()) out += UndeclaredJumpsText(route, joints);
  return report;
}

std::string JointReportText(const Route& route, const std::vector<Joint>& joints,
                            const JointTolerances& tolerances) {
  constexpr size_t kFirstNumber = 2, kLastNumber = 8;  // right-aligned columns
  const JointReport report = JointReportParts(route, joints, tolerances);
  std::string out = report.head;
  if (!joints.empty()) out += AlignedRowsText(report.rows, kFirstNumber, kLastNumber);
  return out + report.tail;
}

}  // namespace tarnvel
