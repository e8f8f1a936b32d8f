// The CSV tables of a route's forward and inverse results, as the command
// writes them and the route window saves them: the same rows give the same
// bytes wherever they are written.
#pragma once

#include <QString>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/route/optional_double.h"
#include "core/route/route_feet.h"
#include "core/route/route_forward.h"
#include "core/route/stake_row.h"

namespace tarnvel {

inline constexpr std::string_view kForwardCsvHeader =
    "点名,桩号,里程,偏距,偏角,X,Y,切线方位角,线元,说明";
inline constexpr std::string_view kInverseCsvHeader = "点名,X,Y,桩号,里程,偏距,线元,候选";
// The columns a profile adds: to a stakeout the centre line's design
// elevation, to an inverse that at the foot, the height difference and
// cut or fill.
inline constexpr std::string_view kDesignElevationColumn = "设计高程";
inline constexpr std::string_view kCutFillColumns = "设计高程,高差,挖填";

struct InverseCsvRow {
  std::string name;
  std::string x, y;               // as the points file gives them
  std::optional<RouteFoot> foot;  // nothing: the point has no foot
  int rank = 0;                   // 1-based among `count` feet; 0/0 without a foot
  int count = 0;
  // With a profile: H as the points file gives it, and the design elevation
  // at the foot (nothing without a foot or with one outside the profile).
  std::optional<double> height = std::nullopt;
  std::optional<double> designElevation = std::nullopt;
  // With cross sections: the foot lies beyond the outermost part, where the
  // road has no surface and so no 设计高程.
  bool beyondRoad = false;
  // With side slopes, for a point beyond the road: 距坡脚坡口, and what 说明
  // says of the point on the slope (SlopePointAt).
  OptionalDouble toCatchPoint = std::nullopt;
  std::string slopeNote = {};
};

// The table as UTF-8 text: the header row, then a row per entry, every row
// ended by CR LF. 桩号 is the station's K text to the millimetre with
// `prefix` (KStationText: a negative station in metres with its sign), and
// 里程 the same station in metres for computing with; 里程 and 偏距 have 3
// decimals, X and Y 4 (a value that
// rounds to zero has no minus sign); 偏角 is the skew in its general decimal
// form; 切线方位角 the degree–minute–second text of the main window's labels;
// 线元 the 1-based element; 说明 the key-point label, and 长链第2支 on the
// second branch of a 长链 within the stretch it repeats (RowNote). A text
// field holding a comma, a quote or a line break is quoted, its quotes
// doubled. With `designElevation` (a profile was given) the column 设计高程
// ends each row, empty where the row has none (CutFillText).
std::string ForwardCsvText(std::span<const StakeRow> rows, std::string_view prefix = "K",
                           bool designElevation = false);
// One row of that table, its CR LF included, added to `out`.
void AppendForwardCsvRow(std::string& out, const StakeRow& row, std::string_view prefix = "K",
                         bool designElevation = false);
// The header row, its CR LF included.
std::string ForwardCsvHeader(bool designElevation);

// The same for feet: X and Y echoed, 桩号 as above, 里程 and 偏距 to 3
// decimals, 线元, and 候选 as "k/n"; a point without a foot has empty 桩号,
// 里程, 偏距 and 线元 and 候选 "0/0". With `cutFill` (a profile was given)
// the columns 设计高程, 高差 and 挖填 end each row (CutFillText); with
// `notes` (cross sections were given too) a column 说明 after them says
// 超出路基范围 of a foot beyond the road. With `toCatchPoint` (side slopes
// were given too) a column 距坡脚坡口 comes before 说明, to the millimetre,
// and 说明 says the row's slope note.
std::string InverseCsvText(std::span<const InverseCsvRow> rows, std::string_view prefix = "K",
                           bool cutFill = false, bool notes = false, bool toCatchPoint = false);
void AppendInverseCsvRow(std::string& out, const InverseCsvRow& row, std::string_view prefix = "K",
                         bool cutFill = false, bool notes = false, bool toCatchPoint = false);
std::string InverseCsvHeader(bool cutFill, bool notes = false, bool toCatchPoint = false);
// What 说明 says of a row: 超出路基范围, or its slope note.
std::string_view InverseRowNote(const InverseCsvRow& row);

// The rows of one point: one per foot with `all`, else the nearest only
// (feet come sorted nearest first); one row "0/0" without a foot.
std::vector<InverseCsvRow> InverseRows(const std::string& name, const std::string& x,
                                       const std::string& y, const std::vector<RouteFoot>& feet,
                                       bool all);

}  // namespace tarnvel
