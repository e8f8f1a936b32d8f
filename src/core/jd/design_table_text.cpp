#include "core/jd/design_table_text.h"

#include <cmath>

#include "core/text/angle.h"
#include "core/text/number_text.h"
#include "core/text/station_text.h"
#include "core/text/table_line.h"

namespace tarnvel {

namespace {

constexpr int kLengthDecimals = 3;
constexpr int kCoordinateDecimals = 4;

std::string Length(double x) {
  return FixedText(x, kLengthDecimals);
}

}  // namespace

std::array<std::string, 21> DesignRowTexts(const DesignRow& row, std::string_view prefix) {
  std::array<std::string, 21> cells;
  cells[0] = row.name;
  cells[1] = KStationText(row.station, prefix);
  cells[2] = FixedText(row.X, kCoordinateDecimals);
  cells[3] = FixedText(row.Y, kCoordinateDecimals);
  if (const auto& c = row.curve) {
    cells[4] = (c->alpha < 0 ? "左" : "右") + DegreesToDmsText(std::fabs(c->alpha));
    cells[5] = Length(c->R);
    cells[6] = Length(c->Ls1);
    cells[7] = Length(c->Ls2);
    cells[8] = Length(c->T1);
    cells[9] = Length(c->T2);
    cells[10] = Length(c->L);
    cells[11] = Length(c->Eqz);
    cells[12] = Length(c->J);
    cells[13] = KStationText(c->ZH, prefix);
    if (c->Ls1 > 0) cells[14] = KStationText(c->HY, prefix);
    cells[15] = KStationText(c->QZ, prefix);
    if (c->Ls2 > 0) cells[16] = KStationText(c->YH, prefix);
    cells[17] = KStationText(c->HZ, prefix);
  }
  if (const auto& leg = row.leg) {
    cells[18] = Length(leg->straight);
    cells[19] = Length(leg->length);
    cells[20] = AzimuthDmsText(leg->azimuth);
  }
  return cells;
}

std::string DesignTableHeaderLine(char separator) {
  return TableLine(kDesignTableColumns, separator);
}

std::string DesignTableLine(const DesignRow& row, char separator, std::string_view prefix) {
  return TableLine(DesignRowTexts(row, prefix), separator);
}

std::string JdStationMismatchText(const DesignRow& row, size_t i, size_t count, double difference,
                                  std::string_view prefix) {
  const char* role = i == 0 ? "起点" : i + 1 == count ? "终点" : "交点";
  const std::string mm = FixedText(difference * 1000, 1);
  return role + ("“" + row.name + "”的交点桩号") + KStationText(row.station - difference, prefix) +
         "与计算所得" + KStationText(row.station, prefix) + "相差" + (difference > 0 ? "+" : "") +
         mm + " mm！";
}

}  // namespace tarnvel
