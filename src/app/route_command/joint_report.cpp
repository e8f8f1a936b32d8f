#include "joint_report.h"

#include <algorithm>
#include <cmath>

#include "number_text.h"

namespace tarnvel {

namespace {

constexpr int kStationDecimals = 3;
constexpr int kMillimetreDecimals = 1;
constexpr int kSecondDecimals = 2;
constexpr std::string_view kRowEnd = "\r\n";
constexpr std::string_view kColumnGap = "  ";

// Columns a terminal gives the text: two for the wide East Asian characters,
// one for the rest. Enough for the texts of this report.
size_t DisplayWidth(std::string_view utf8) {
  size_t width = 0;
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (size_t k = 1; k < length && i + k < utf8.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                      (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                      (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                      (c >= 0xFFE0 && c <= 0xFFE6);
    width += wide ? 2 : 1;
    i += length;
  }
  return width;
}

std::string RadiusText(double typed) { return typed == 0 ? "∞" : GeneralText(typed); }

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
  using Row = std::vector<std::string>;
  std::vector<Row> rows = {{"接头", "线元", "ΔK(m)", "ΔX(mm)", "ΔY(mm)", "Δ(mm)", "Δaz(″)",
                            "左半径", "右半径", "主点", "状态", "说明"}};
  constexpr size_t kFirstNumber = 2, kLastNumber = 8;  // right-aligned columns
  for (const Joint& joint : joints) {
    const RouteElement& left = route.elements[static_cast<size_t>(joint.left - 1)];
    const RouteElement& right = route.elements[static_cast<size_t>(joint.left)];
    rows.push_back({std::to_string(joint.left),
                    std::to_string(joint.left) + "-" + std::to_string(joint.left + 1),
                    FixedText(joint.dK, kStationDecimals),
                    FixedText(joint.dX_mm, kMillimetreDecimals),
                    FixedText(joint.dY_mm, kMillimetreDecimals),
                    FixedText(joint.d_mm, kMillimetreDecimals),
                    FixedText(joint.daz_sec, kSecondDecimals),
                    RadiusText(left.values.RN),
                    RadiusText(right.values.RQ),
                    joint.label,
                    joint.closed ? "闭合" : "超限",
                    Note(joint)});
  }

  std::vector<size_t> widths(rows.front().size(), 0);
  for (const Row& row : rows)
    for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], DisplayWidth(row[c]));

  const size_t open = static_cast<size_t>(
      std::count_if(joints.begin(), joints.end(), [](const Joint& j) { return !j.closed; }));
  std::string out = "线元" + std::to_string(route.elements.size()) + "个，接头" +
                    std::to_string(joints.size()) + "个；限差：位置" +
                    GeneralText(tolerances.position_mm) + "mm，方位角" +
                    GeneralText(tolerances.azimuth_sec) + "″";
  out += kRowEnd;
  for (const Row& row : joints.empty() ? std::vector<Row>{} : rows) {
    std::string line;
    for (size_t c = 0; c < row.size(); ++c) {
      const std::string padding(widths[c] - DisplayWidth(row[c]), ' ');
      if (c > 0) line += kColumnGap;
      const bool right = c >= kFirstNumber && c <= kLastNumber;
      line += right ? padding + row[c] : row[c] + padding;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out += line;
    out += kRowEnd;
  }
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
