#include "joint_report.h"

#include <algorithm>
#include <cmath>

#include "number_text.h"
#include "text_table.h"

namespace tarnvel {

namespace {

constexpr int kStationDecimals = 3;
constexpr int kMillimetreDecimals = 1;
constexpr int kSecondDecimals = 2;
constexpr std::string_view kRowEnd = "\r\n";

std::string RadiusText(double typed) {
  return typed == 0 ? "∞" : GeneralText(typed);
}

std::string Note(const Joint& joint) {
  std::vector<std::string> notes;
  if (joint.dK > 0) notes.push_back("短链" + FixedText(joint.dK, kStationDecimals) + "m");
  if (joint.dK < 0) notes.push_back("长链" + FixedText(-joint.dK, kStationDecimals) + "m");
  if (joint.curvatureJump) notes.push_back("曲率突变");
  std::string note;
  for (const std::string& n : notes) note += (note.empty() ? "" : "；") + n;
  return note;
}

}  // namespace

std::string JointReportText(const Route& route, const std::vector<Joint>& joints,
                            const JointTolerances& tolerances) {
  std::vector<TextRow> rows = {{"接头", "线元", "ΔK(m)", "ΔX(mm)", "ΔY(mm)", "Δ(mm)", "Δaz(″)",
                                "左半径", "右半径", "主点", "状态", "说明"}};
  constexpr size_t kFirstNumber = 2, kLastNumber = 8;  // right-aligned columns
  for (const Joint& joint : joints) {
    const RouteElement& left = route.elements[static_cast<size_t>(joint.left - 1)];
    const RouteElement& right = route.elements[static_cast<size_t>(joint.left)];
    rows.push_back(
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
  std::string out = "线元" + std::to_string(route.elements.size()) + "个，接头" +
                    std::to_string(joints.size()) + "个；限差：位置" +
                    GeneralText(tolerances.position_mm) + "mm，方位角" +
                    GeneralText(tolerances.azimuth_sec) + "″";
  out += kRowEnd;
  if (!joints.empty()) out += AlignedRowsText(rows, kFirstNumber, kLastNumber);
  if (joints.empty()) {
    out += "只有一个线元，没有接头。";
  } else if (open == 0) {
    out += "全部接头闭合。";
  } else {
    out += std::to_string(open) + "个接头超限！";
  }
  out += kRowEnd;
  return out;
}

}  // namespace tarnvel
