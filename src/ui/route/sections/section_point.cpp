#include "ui/route/sections/section_point.h"

#include "core/profile/cut_fill_text.h"
#include "core/section/design_height.h"

namespace tarnvel {

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Why a point shows no 高差, in the order a surveyor would mend it: the
// profile first, then the road's width, then the point's own H.
QString NoDifference(const InverseCsvRow& row, const VerticalProfile* profile) {
  if (!profile) return QStringLiteral("没有纵断面");
  if (row.beyondRoad) return Text(kBeyondRoadNote);
  if (!row.designElevation) return Text(StationOutsideProfile(*profile, row.foot->station).message);
  return QStringLiteral("该点没有H");
}

}  // namespace

SectionPoint InverseSectionPoint(const InverseCsvRow& row, const VerticalProfile* profile) {
  SectionPoint point{
      QString::fromStdString(row.name), row.foot->station, row.foot->offset, row.height, {}};
  // The very texts of the table's 高差 and 挖填 columns.
  const CutFillTexts texts = CutFillText(row.designElevation, row.height);
  if (texts.difference.empty()) {
    point.note = QStringLiteral("无高差：") + NoDifference(row, profile);
  } else {
    point.note = QStringLiteral("高差 ") + Text(texts.difference);
    if (!texts.cutFill.empty()) point.note += u' ' + Text(texts.cutFill);
  }
  return point;
}

}  // namespace tarnvel
