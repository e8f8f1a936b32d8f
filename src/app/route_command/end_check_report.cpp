#include "app/route_command/end_check_report.h"

#include <algorithm>

#include "app/route_command/text_table.h"
#include "core/text/number_text.h"

namespace tarnvel {

namespace {

constexpr int kMillimetreDecimals = 1;
constexpr int kSecondDecimals = 2;
constexpr std::string_view kRowEnd = "\r\n";
constexpr size_t kFirstNumber = 1, kLastNumber = 5;  // right-aligned columns

}  // namespace

std::string EndCheckReportText(const std::vector<LandXmlEndCheck>& checks,
                               const JointTolerances& tolerances) {
  if (checks.empty()) return {};
  std::vector<TextRow> rows = {{"线元", "XML行", "ΔX(mm)", "ΔY(mm)", "Δ(mm)", "Δaz(″)", "状态"}};
  size_t open = 0;
  for (const LandXmlEndCheck& check : checks) {
    const bool closed = EndCheckClosed(check, tolerances);
    if (!closed) ++open;
    rows.push_back({std::to_string(check.element), std::to_string(check.line),
                    FixedText(check.dX_mm, kMillimetreDecimals),
                    FixedText(check.dY_mm, kMillimetreDecimals),
                    FixedText(check.d_mm, kMillimetreDecimals),
                    check.hasAzimuth ? FixedText(check.daz_sec, kSecondDecimals) : "",
                    std::string(StatusWord(closed))});
  }
  std::string out = "LandXML文件所给终点（End）与计算终点之差：";
  out += kRowEnd;
  out += AlignedRowsText(rows, kFirstNumber, kLastNumber);
  out += open == 0 ? "全部终点闭合。" : std::to_string(open) + "个终点超限！";
  out += kRowEnd;
  return out;
}

}  // namespace tarnvel
